#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "adapter/DriverRecords.h"
#include "adapter/Oids.h"
#include "base/AtomicFile.h"
#include "base/ByteReader.h"
#include "common/SimTestHelpers.h"
#include "platform/VirtualEventLoop.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWlanProfile.h"
#include "sim/SimWorld.h"

namespace nxui::sim {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPath = "\\\\.\\{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}";

Scenario DefaultScenario() {
  auto r = ScenarioLoader::LoadEmbedded();
  EXPECT_TRUE(r.ok) << r.error;
  // These tests set the association themselves; the WLAN service must not connect on its own.
  r.scenario.platformProfiles.clear();
  return r.scenario;
}

ScenarioNetwork HtNetwork() {
  ScenarioNetwork n;
  n.ssid = "Home";
  n.bssid = test::Mac("00-11-22-33-44-55");
  n.channel = 36;
  n.phy = Phy::N;
  n.rssi = -55;
  n.ht = ScenarioHt{};
  n.ht->width = 40;
  n.ht->secondaryOffset = 1;
  n.link.txBytesPerSecond = 250000;
  n.link.rxBytesPerSecond = 1000000;
  return n;
}

class SimWorldTest : public ::testing::Test {
 protected:
  void Build(const Scenario& s) {
    std::string error;
    world = SimWorld::Create(s, loop, SimOptions{"", true}, error);
    ASSERT_NE(world, nullptr) << error;
  }
  void SetUp() override { Build(DefaultScenario()); }
  void TearDown() override {
    if (world) test::ExpectArmedFaultsFired(world->faults());
  }

  // One request the way the request channel sends it: open, control, close.
  bool Send(Oid wire, std::vector<std::uint8_t>& record, DWORD* returned = nullptr) {
    IDeviceIo& io = world->deviceIo();
    const DeviceHandle h = io.Open(kPath);
    if (h == kInvalidDeviceHandle) return false;
    std::uint8_t in[4];
    StoreLe32(in, wire);
    DWORD n = 0;
    const bool ok = io.Control(h, kIoctlNdisQueryGlobalStats, in, record, n);
    io.Close(h);
    if (returned != nullptr) *returned = n;
    return ok;
  }
  bool Query(Oid oid, std::vector<std::uint8_t>& record) { return Send(oid, record); }
  bool Set(Oid oid, std::vector<std::uint8_t> record) { return Send(WireCodeForSet(oid), record); }
  std::uint32_t QueryWord(Oid oid) {
    std::vector<std::uint8_t> r(4);
    EXPECT_TRUE(Query(oid, r)) << OidName(oid);
    return LoadLe32(r.data());
  }
  void Connect(const ScenarioNetwork& n) {
    auto& a = world->association(0);
    a.connected = true;
    a.network = n;
    a.bssid = n.bssid;
    a.ssid.assign(n.ssid.begin(), n.ssid.end());
    a.connectTimeMs = loop.TickCount();
    world->AssociationChanged(0);
  }

  VirtualEventLoop loop;
  std::unique_ptr<SimWorld> world;
};

std::vector<std::uint8_t> Word(std::uint32_t v) {
  std::vector<std::uint8_t> r(4);
  StoreLe32(r.data(), v);
  return r;
}

TEST_F(SimWorldTest, PresentAdapterIsANetDeviceWithItsDriverKey) {
  std::vector<DeviceInfo> devices;
  ASSERT_TRUE(world->deviceSetup().GetPresentDevices("Net", devices));
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].hardwareId, "USB\\VID_1B75&PID_3072&REV_0101");
  std::string id;
  ASSERT_TRUE(world->deviceSetup().ReadDriverKeyValue(devices[0], "NetCfgInstanceId", id));
  EXPECT_EQ(id, "{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}");
  EXPECT_FALSE(world->deviceSetup().ReadDriverKeyValue(devices[0], "NoSuchValue", id));
  EXPECT_FALSE(world->deviceSetup().GetPresentDevices("Ports", devices));
}

TEST_F(SimWorldTest, PlugAndUnplugTellEveryWindowThatDeviceNodesChanged) {
  struct Listener : IMessageTarget {
    void OnTimer(UINT_PTR) override {}
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM) override {
      if (message == kWmDeviceChange && wParam == kDbtDevNodesChanged) ++changes;
      return 0;
    }
    int changes = 0;
  } window;
  const HWND handle = loop.CreateWindow(window);
  struct Step {
    const char* name;
    std::function<void()> act;
    int changesAfter;
  };
  const Step steps[] = {
      {"unplug", [&] { world->Unplug(0); }, 1},
      {"unplug again: nothing left to remove", [&] { world->Unplug(0); }, 1},
      {"plug", [&] { world->Plug(0); }, 2},
      {"plug again: already there", [&] { world->Plug(0); }, 2},
      {"scenario event",
       [&] {
         world->RunEvent(ScenarioEvent{0, EventAction::Unplug, 0, std::nullopt, {}});
       },
       3},
  };
  for (const Step& step : steps) {
    step.act();
    loop.DrainMessages();
    EXPECT_EQ(window.changes, step.changesAfter) << step.name;
  }
  loop.DestroyWindow(handle);
}

TEST_F(SimWorldTest, UnplugClosesTheDevicePathAndPlugReopensIt) {
  IDeviceIo& io = world->deviceIo();
  const DeviceHandle before = io.Open(kPath);
  ASSERT_NE(before, kInvalidDeviceHandle);
  EXPECT_EQ(io.Open("\\\\.\\{00000000-0000-0000-0000-000000000000}"), kInvalidDeviceHandle);

  world->Unplug(0);
  EXPECT_EQ(io.Open(kPath), kInvalidDeviceHandle);
  std::vector<DeviceInfo> devices;
  ASSERT_TRUE(world->deviceSetup().GetPresentDevices("Net", devices));
  EXPECT_TRUE(devices.empty());

  world->Plug(0);
  const DeviceHandle after = io.Open(kPath);
  EXPECT_NE(after, kInvalidDeviceHandle);
  // A handle from before the removal stays dead.
  std::uint8_t in[4];
  StoreLe32(in, OID_WLAN_LAST_EVENT);
  std::vector<std::uint8_t> out(4);
  DWORD n = 0;
  EXPECT_FALSE(io.Control(before, kIoctlNdisQueryGlobalStats, in, out, n));
  EXPECT_TRUE(io.Control(after, kIoctlNdisQueryGlobalStats, in, out, n));
  EXPECT_FALSE(io.Control(after, 0x170003, in, out, n));
  io.Close(before);
  io.Close(after);
}

TEST_F(SimWorldTest, ScenarioEventsRunOnTheLoop) {
  Scenario s = DefaultScenario();
  s.events = {{30.0, EventAction::Unplug, 0, {}, {}},
              {40.0, EventAction::Plug, 0, {}, {}},
              {41.0, EventAction::IcvError, 0, {}, {}}};
  Build(s);
  int icvEvents = 0;
  world->driverEvents().Subscribe(kDriverMessageEventClass, [&] { ++icvEvents; });
  loop.AdvanceBy(29999);
  EXPECT_TRUE(world->isPresent(0));
  loop.AdvanceBy(1);
  EXPECT_FALSE(world->isPresent(0));
  loop.AdvanceBy(10000);
  EXPECT_TRUE(world->isPresent(0));
  loop.AdvanceBy(1000);
  EXPECT_EQ(icvEvents, 1);
  EXPECT_EQ(QueryWord(OID_WLAN_ICV_STATE) & 1, 1u);
  EXPECT_EQ(world->eventsRun(), 3);
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);  // one-shots are gone
}

TEST_F(SimWorldTest, NetworkEventsChangeTheNeighbourhood) {
  world->networksInRange().clear();
  ScenarioEvent add{1.0, EventAction::AddNetwork, 0, HtNetwork(), {}};
  EXPECT_TRUE(world->RunEvent(add));
  ASSERT_EQ(world->networksInRange().size(), 1u);
  ScenarioEvent remove{2.0, EventAction::RemoveNetwork, 0, {}, test::Mac("00:11:22:33:44:55")};
  EXPECT_TRUE(world->RunEvent(remove));
  EXPECT_TRUE(world->networksInRange().empty());
}

struct RoundTrip {
  Oid oid;
  std::vector<std::uint8_t> value;
};

TEST_F(SimWorldTest, SetsAreReflectedByLaterQueries) {
  world->driver(0).RecordRequests(true);
  const RoundTrip cases[] = {
      {OID_WLAN_OP_MODE, Word(1)},
      {OID_WLAN_COUNTRY_REGION, Word(0x0101)},
      {OID_WLAN_TX_POWER, Word(50)},
      {OID_WLAN_WIRELESS_MODE, Word(9)},
      {OID_WLAN_HT_CONFIG, {32, 32, 2, 5, 0, 0, 1, 0}},
      {OID_WLAN_PHY_CONFIG, std::vector<std::uint8_t>(32, 7)},
      {OID_WLAN_STA_CONFIG, std::vector<std::uint8_t>(32, 9)},
      {OID_WLAN_CCX_CONTROL, Word(0xFA00)},
      {OID_802_11_CONFIGURATION, std::vector<std::uint8_t>(32, 3)},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Set(c.oid, c.value)) << OidName(c.oid);
    std::vector<std::uint8_t> back(c.value.size());
    ASSERT_TRUE(Query(c.oid, back)) << OidName(c.oid);
    EXPECT_EQ(back, c.value) << OidName(c.oid);
  }
  // The default transmit power (-1) reads as full power.
  ASSERT_TRUE(Set(OID_WLAN_TX_POWER, Word(0xFFFFFFFF)));
  EXPECT_EQ(QueryWord(OID_WLAN_TX_POWER), 100u);
  // Op mode only knows station and soft AP.
  EXPECT_FALSE(Set(OID_WLAN_OP_MODE, Word(2)));
  // The set bit decides the direction: the plain code of a set-only OID is not a set.
  const auto& last = world->driver(0).requests().back();
  EXPECT_TRUE(last.isSet);
  EXPECT_EQ(last.oid, OID_WLAN_OP_MODE);
}

TEST_F(SimWorldTest, ShortRecordsFailAndLongOnesAreServed) {
  struct Row {
    Oid oid;
    std::size_t size;
    bool isSet;
    bool ok;
  };
  const Row rows[] = {
      {OID_WLAN_STATISTICS, 183, false, false},    {OID_WLAN_STATISTICS, 184, false, true},
      {OID_WLAN_STATISTICS, 200, false, true},     {OID_802_11_SSID, 35, true, false},
      {OID_802_11_SSID, 36, true, true},           {OID_WLAN_WPS_CREDENTIAL, 995, false, false},
      {OID_WLAN_WPS_CREDENTIAL, 996, false, true}, {OID_WLAN_BA_DELETE, 14, true, true},
      {OID_WLAN_BA_TABLE, 13, true, false},        {OID_WLAN_BA_TABLE, 3075, false, false},
      {OID_WLAN_LINK_STATUS, 15, false, false},    {OID_GEN_DRIVER_VERSION, 2, false, true},
      {OID_WLAN_RESET_COUNTERS, 0, true, true},    {OID_WLAN_WPS_START, 56, false, false},
  };
  for (const auto& r : rows) {
    std::vector<std::uint8_t> record(r.size, 0);
    DWORD returned = 99;
    const bool ok = Send(r.isSet ? WireCodeForSet(r.oid) : r.oid, record, &returned);
    EXPECT_EQ(ok, r.ok) << OidName(r.oid) << " size " << r.size;
    if (!ok) {
      EXPECT_EQ(returned, 0u);
    }
  }
  std::vector<std::uint8_t> link(16);
  DWORD returned = 0;
  ASSERT_TRUE(Send(OID_WLAN_LINK_STATUS, link, &returned));
  EXPECT_EQ(returned, 16u);
  link.resize(20);
  ASSERT_TRUE(Send(OID_WLAN_LINK_STATUS, link, &returned));
  EXPECT_EQ(returned, 20u);
}

TEST_F(SimWorldTest, MalformedSetRecordsAreRefused) {
  Dot11DesiredBssidList good{0x80, 1, 20, 1, 1, {0, 0x11, 0x22, 0x33, 0x44, 0x55}, {0, 0}};
  struct Row {
    const char* name;
    Oid oid;
    std::vector<std::uint8_t> record;
    bool ok;
  };
  auto list = [&](auto change) {
    Dot11DesiredBssidList l = good;
    change(l);
    std::vector<std::uint8_t> r(sizeof l);
    std::memcpy(r.data(), &l, sizeof l);
    return r;
  };
  auto ssid = [](std::uint32_t length) {
    std::vector<std::uint8_t> r(36, 'a');
    StoreLe32(r.data(), length);
    return r;
  };
  const Row rows[] = {
      {"bssid list as built", OID_DOT11_DESIRED_BSSID_LIST, list([](auto&) {}), true},
      {"bssid list wrong type", OID_DOT11_DESIRED_BSSID_LIST, list([](auto& l) { l.headerType = 0x81; }), false},
      {"bssid list wrong revision", OID_DOT11_DESIRED_BSSID_LIST, list([](auto& l) { l.headerRevision = 2; }), false},
      {"bssid list two entries", OID_DOT11_DESIRED_BSSID_LIST, list([](auto& l) { l.numberOfEntries = 2; }), false},
      {"ssid of 32", OID_802_11_SSID, ssid(32), true},
      {"ssid of 33", OID_802_11_SSID, ssid(33), false},
      {"ssid of 0", OID_802_11_SSID, ssid(0), true},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Set(r.oid, r.record), r.ok) << r.name;
  }
}

TEST_F(SimWorldTest, ScenarioFailingOidsFailForGoodAndArmedRequestsCountDown) {
  Scenario s = DefaultScenario();
  s.adapters[0].driver.failingOids = {OID_WLAN_RSSI2, OID_WLAN_RSSI1, OID_WLAN_SNR1};
  Build(s);
  std::vector<std::uint8_t> r(4);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(Query(OID_WLAN_RSSI2, r));
    EXPECT_FALSE(Query(OID_WLAN_RSSI1, r));
  }
  EXPECT_TRUE(Query(OID_WLAN_RSSI0, r));
  EXPECT_TRUE(world->faults().ArmedButNeverFired().empty()) << "the scenario's own faults are not a test's";

  SimDriver& driver = world->driver(0);
  world->faults().Arm(fault::DriverRequest(WireCodeForSet(OID_WLAN_WIRELESS_MODE)), 2);  // either form names it
  EXPECT_FALSE(Set(OID_WLAN_WIRELESS_MODE, Word(9)));
  EXPECT_FALSE(Set(OID_WLAN_WIRELESS_MODE, Word(9)));
  EXPECT_TRUE(Set(OID_WLAN_WIRELESS_MODE, Word(9)));
  EXPECT_EQ(world->faults().Fired(fault::DriverRequest(OID_WLAN_WIRELESS_MODE)), 2);
  EXPECT_EQ(driver.CountRequests(OID_WLAN_WIRELESS_MODE, true), 3u);
  EXPECT_EQ(driver.StoredWord(OID_WLAN_WIRELESS_MODE), 9u);
  // Another adapter's point is another point.
  world->faults().Arm(fault::DriverRequest(OID_WLAN_RSSI0, 1), 1);
  EXPECT_TRUE(Query(OID_WLAN_RSSI0, r));
  world->faults().Disarm(fault::DriverRequest(OID_WLAN_RSSI0, 1));
  EXPECT_EQ(world->faults().ArmedButNeverFired(), std::vector<FaultPoint>{fault::DriverRequest(OID_WLAN_RSSI0, 1)});
  EXPECT_NONFATAL_FAILURE(test::ExpectArmedFaultsFired(world->faults()), "OID_WLAN_RSSI0 of adapter 1\" never fired");
  world.reset();  // its faults are checked above
}

TEST_F(SimWorldTest, TheRequestLogIsKeptOnlyWhenAskedFor) {
  SimDriver& driver = world->driver(0);
  std::vector<std::uint8_t> r(4);
  ASSERT_TRUE(Query(OID_WLAN_LAST_EVENT, r));
  EXPECT_TRUE(driver.requests().empty());
  EXPECT_EQ(driver.CountRequests(OID_WLAN_LAST_EVENT, false), 1u);
  driver.RecordRequests(true);
  ASSERT_TRUE(Query(OID_WLAN_LAST_EVENT, r));
  ASSERT_EQ(driver.requests().size(), 1u);
  EXPECT_EQ(driver.requests()[0].bytes, r);
  EXPECT_EQ(driver.CountRequests(OID_WLAN_LAST_EVENT, false), 2u);
}

TEST_F(SimWorldTest, DriverStartsFromItsClassKeyOnPlug) {
  EXPECT_EQ(QueryWord(OID_WLAN_WIRELESS_MODE), 5u);
  EXPECT_EQ(QueryWord(OID_WLAN_COUNTRY_REGION), 5u | (7u << 8));
  // What the utility writes takes effect at the next start of the driver.
  auto& reg = world->registry();
  reg.WriteTextDirect(kHkeyLocalMachine, world->classKeyPath(0), "WirelessMode", "9");
  reg.WriteTextDirect(kHkeyLocalMachine, world->classKeyPath(0), "Channel", "11");
  const std::uint8_t ba[] = {0x20, 0x20, 0x43, 0x00};  // static SMPS
  reg.WriteDirect(kHkeyLocalMachine, world->classKeyPath(0), "BACapability", kRegDword, ba);
  EXPECT_EQ(QueryWord(OID_WLAN_WIRELESS_MODE), 5u);
  world->Unplug(0);
  world->Plug(0);
  EXPECT_EQ(QueryWord(OID_WLAN_WIRELESS_MODE), 9u);
  std::vector<std::uint8_t> config(32);
  ASSERT_TRUE(Query(OID_802_11_CONFIGURATION, config));
  EXPECT_EQ(LoadLe32(config.data() + 12), 2462000u);
  std::vector<std::uint8_t> sta(32);
  ASSERT_TRUE(Query(OID_WLAN_STA_CONFIG, sta));
  EXPECT_EQ(LoadLe32(sta.data() + 12), 2462000u) << "the ad hoc channel as the connection code writes it";
  std::vector<std::uint8_t> ht(8);
  ASSERT_TRUE(Query(OID_WLAN_HT_CONFIG, ht));
  EXPECT_EQ(ht, std::vector<std::uint8_t>({32, 32, 1, 0, 1, 0, 0, 1}));
}

TEST_F(SimWorldTest, InterfacePhyTypesFollowTheAdapter) {
  struct Row {
    const char* name;
    ScenarioBands bands;
    bool is11n;
    std::vector<DWORD> phyTypes;
  };
  const Row rows[] = {
      {"dual-band 11n",
       {true, true},
       true,
       {kDot11PhyTypeHrDsss, kDot11PhyTypeErp, kDot11PhyTypeOfdm, kDot11PhyTypeHt}},
      {"2.4 GHz 11n", {true, false}, true, {kDot11PhyTypeHrDsss, kDot11PhyTypeErp, kDot11PhyTypeHt}},
      {"2.4 GHz 11g", {true, false}, false, {kDot11PhyTypeHrDsss, kDot11PhyTypeErp}},
  };
  for (const Row& row : rows) {
    Scenario s = DefaultScenario();
    s.adapters[0].bands = row.bands;
    s.adapters[0].driver.is11n = row.is11n;
    Build(s);
    WlanHandle handle = kInvalidWlanHandle;
    DWORD negotiated = 0;
    ASSERT_EQ(world->wlan().OpenHandle(kWlanClientVersion2, negotiated, handle), kErrorSuccess) << row.name;
    WlanInterfaceCapability capability;
    const auto guid = Guid::Parse(world->adapter(0).instanceId);
    ASSERT_TRUE(guid) << row.name;
    ASSERT_EQ(world->wlan().GetInterfaceCapability(handle, *guid, capability), kErrorSuccess) << row.name;
    EXPECT_EQ(capability.phyTypes, row.phyTypes) << row.name;
    world->wlan().CloseHandle(handle);
  }
}

TEST_F(SimWorldTest, MissingRegionReadsAsNotConfigured) {
  Scenario s = DefaultScenario();
  s.adapters[0].registry = {{"WirelessMode", "5"}};
  Build(s);
  EXPECT_EQ(QueryWord(OID_WLAN_COUNTRY_REGION), 0x8080u);
}

TEST_F(SimWorldTest, LinkAnswersFollowTheAssociation) {
  EXPECT_EQ(QueryWord(OID_WLAN_LAST_EVENT), 1u);
  EXPECT_EQ(static_cast<std::int32_t>(QueryWord(OID_WLAN_RSSI2)), -200);
  EXPECT_EQ(QueryWord(OID_WLAN_SNR0), 44u);
  std::vector<std::uint8_t> bssid(6);
  EXPECT_FALSE(Query(OID_802_11_BSSID, bssid));

  int mediaEvents = 0;
  world->driverEvents().Subscribe(kMediaConnectEventClass, [&] { ++mediaEvents; });
  Connect(HtNetwork());
  EXPECT_EQ(mediaEvents, 1);
  EXPECT_EQ(QueryWord(OID_WLAN_LAST_EVENT), 0u);
  const auto rssi0 = static_cast<std::int32_t>(QueryWord(OID_WLAN_RSSI0));
  EXPECT_GE(rssi0, -56);
  EXPECT_LE(rssi0, -54);
  EXPECT_EQ(static_cast<std::int32_t>(QueryWord(OID_WLAN_RSSI2)), -200);
  EXPECT_EQ(QueryWord(OID_WLAN_SNR0), 30u);
  EXPECT_EQ(QueryWord(OID_WLAN_SNR1), 28u);
  const std::uint32_t tx = QueryWord(OID_WLAN_TX_HTRATE);
  EXPECT_EQ(tx & 0xC000, 0x8000u);                            // HT mode
  EXPECT_EQ(tx & 0x7F, 15u);                                  // two chains
  EXPECT_EQ(tx & 0x80, 0x80u);                                // 40 MHz
  EXPECT_EQ(QueryWord(OID_WLAN_AP_IP_ADDRESS), 0x0101A8C0u);  // 192.168.1.1 in memory order
  ASSERT_TRUE(Query(OID_802_11_BSSID, bssid));
  EXPECT_EQ(bssid, std::vector<std::uint8_t>({0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));

  std::vector<std::uint8_t> link(20);
  ASSERT_TRUE(Query(OID_WLAN_LINK_STATUS, link));
  LinkStatusRecord rec;
  std::memcpy(&rec, link.data(), sizeof rec);
  EXPECT_EQ(rec.txRateUnits, 600u);  // 300 Mbps
  EXPECT_EQ(rec.channelQuality, 75u);
  EXPECT_EQ(rec.centralChannel, 38u);

  std::vector<IpAdapterInfo> ips;
  ASSERT_TRUE(world->ipHelper().GetAdaptersInfo(ips));
  ASSERT_EQ(ips.size(), 1u);
  EXPECT_EQ(ips[0].ipAddresses, std::vector<std::string>{"192.168.1.23"});
  EXPECT_EQ(ips[0].hardwareAddress, std::vector<std::uint8_t>({0x00, 0x0C, 0x43, 0x30, 0x72, 0x81}));

  // Unplugging drops the link and tells the subscribers.
  world->Unplug(0);
  EXPECT_EQ(mediaEvents, 2);
  EXPECT_FALSE(world->association(0).connected);
  ASSERT_TRUE(world->ipHelper().GetAdaptersInfo(ips));
  EXPECT_TRUE(ips.empty());
}

TEST_F(SimWorldTest, LastEventReportsRadioAndAuthenticationFailures) {
  auto& a = world->association(0);
  a.lastFailureEvent = 5;
  EXPECT_EQ(QueryWord(OID_WLAN_LAST_EVENT), 5u);
  a.softwareRadioOff = true;
  EXPECT_EQ(QueryWord(OID_WLAN_LAST_EVENT), 3u);
  a.hardwareRadioOff = true;
  EXPECT_EQ(QueryWord(OID_WLAN_LAST_EVENT), 2u);
}

TEST_F(SimWorldTest, ByteCountersGrowWithTrafficAndWrapAt32Bits) {
  Connect(HtNetwork());
  loop.AdvanceBy(2000);
  std::vector<std::uint8_t> link(20);
  ASSERT_TRUE(Query(OID_WLAN_LINK_STATUS, link));
  EXPECT_EQ(LoadLe32(link.data() + 8), 500000u);
  EXPECT_EQ(LoadLe32(link.data() + 12), 2000000u);

  world->driver(0).SetByteCounters(0xFFFFFFFFull - 100000, 0xFFFFFFFFull);
  loop.AdvanceBy(2000);
  ASSERT_TRUE(Query(OID_WLAN_LINK_STATUS, link));
  const std::uint32_t txAfter = LoadLe32(link.data() + 8);
  EXPECT_EQ(txAfter, 399999u);  // wrapped
  EXPECT_EQ(static_cast<std::uint32_t>(txAfter - static_cast<std::uint32_t>(0xFFFFFFFFull - 100000)), 500000u);

  // No traffic while disconnected.
  world->association(0).connected = false;
  loop.AdvanceBy(10000);
  ASSERT_TRUE(Query(OID_WLAN_LINK_STATUS, link));
  EXPECT_EQ(LoadLe32(link.data() + 8), txAfter);
}

TEST_F(SimWorldTest, RestartedDriverCountsFromZero) {
  Connect(HtNetwork());
  loop.AdvanceBy(4000);
  world->Unplug(0);
  world->Plug(0);
  Connect(HtNetwork());
  std::vector<std::uint8_t> link(20);
  ASSERT_TRUE(Query(OID_WLAN_LINK_STATUS, link));
  EXPECT_EQ(LoadLe32(link.data() + 8), 0u);
  loop.AdvanceBy(1000);
  ASSERT_TRUE(Query(OID_WLAN_LINK_STATUS, link));
  EXPECT_EQ(LoadLe32(link.data() + 8), 250000u);
}

TEST_F(SimWorldTest, StatisticsAreMonotonicAndResetByTheResetSet) {
  Connect(HtNetwork());
  StatisticsRecord previous{};
  for (int tick = 0; tick < 5; ++tick) {
    loop.AdvanceBy(2000);
    std::vector<std::uint8_t> raw(184);
    ASSERT_TRUE(Query(OID_WLAN_STATISTICS, raw));
    StatisticsRecord s;
    std::memcpy(&s, raw.data(), sizeof s);
    EXPECT_GT(s.transmittedFrames, previous.transmittedFrames);
    EXPECT_GT(s.receivedFrames, previous.receivedFrames);
    EXPECT_GE(s.retryCount, previous.retryCount);
    EXPECT_LE(s.retryCount, s.transmittedFrames);
    previous = s;
  }
  ASSERT_TRUE(Set(OID_WLAN_RESET_COUNTERS, {}));
  std::vector<std::uint8_t> raw(184);
  ASSERT_TRUE(Query(OID_WLAN_STATISTICS, raw));
  StatisticsRecord s;
  std::memcpy(&s, raw.data(), sizeof s);
  EXPECT_EQ(s.transmittedFrames, 0);
  EXPECT_EQ(s.receivedFrames, 0);
  std::vector<std::uint8_t> link(20);
  ASSERT_TRUE(Query(OID_WLAN_LINK_STATUS, link));
  EXPECT_EQ(LoadLe32(link.data() + 8), 0u);
}

TEST_F(SimWorldTest, BlockAckSessionsAddAndDelete) {
  Connect(HtNetwork());
  BaRequest add{0, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, 3, 44, {}, 0, 0};
  std::vector<std::uint8_t> rec(sizeof add);
  std::memcpy(rec.data(), &add, sizeof add);
  ASSERT_TRUE(Set(OID_WLAN_BA_TABLE, rec));
  std::vector<std::uint8_t> raw(sizeof(BaTable));
  ASSERT_TRUE(Query(OID_WLAN_BA_TABLE, raw));
  BaTable t;
  std::memcpy(&t, raw.data(), sizeof t);
  EXPECT_EQ(t.originatorCount, 1);
  EXPECT_EQ(t.originator[0].tidBitmap, 0x09);  // automatic TID 0 and the added TID 3
  EXPECT_EQ(t.originator[0].tidValue[3], 44);
  EXPECT_EQ(t.recipientCount, 1);
  ASSERT_TRUE(Set(OID_WLAN_BA_DELETE, rec));
  ASSERT_TRUE(Query(OID_WLAN_BA_TABLE, raw));
  std::memcpy(&t, raw.data(), sizeof t);
  EXPECT_EQ(t.originator[0].tidBitmap, 0x01);
  add.tid = 8;
  std::memcpy(rec.data(), &add, sizeof add);
  EXPECT_FALSE(Set(OID_WLAN_BA_TABLE, rec));
}

TEST_F(SimWorldTest, VersionsFollowTheScenario) {
  EXPECT_EQ(QueryWord(OID_WLAN_EEPROM_VERSION) & 0xFFFF, 0x0201u);    // "1.2": byte 0, byte 1
  EXPECT_EQ(QueryWord(OID_WLAN_FIRMWARE_VERSION) & 0xFFFF, 0x0304u);  // "3.4": byte 1, byte 0
  Scenario s = DefaultScenario();
  s.adapters[0].driver.eepromVersion.reset();
  Build(s);
  std::vector<std::uint8_t> r(4);
  EXPECT_FALSE(Query(OID_WLAN_EEPROM_VERSION, r));
}

TEST_F(SimWorldTest, SystemInfoIsDeterministic) {
  SimSystemInfo& sys = world->systemInfo();
  SystemTime t = sys.GetLocalTime();
  EXPECT_EQ(t.year, 2008);
  EXPECT_EQ(t.month, 6);
  EXPECT_EQ(t.day, 2);
  EXPECT_EQ(t.hour, 9);
  loop.AdvanceBy(15ull * 3600 * 1000 + 61500);
  t = sys.GetLocalTime();
  EXPECT_EQ(t.day, 3);
  EXPECT_EQ(t.hour, 0);
  EXPECT_EQ(t.minute, 1);
  EXPECT_EQ(t.second, 1);
  EXPECT_EQ(t.milliseconds, 500);
  FileVersion v;
  EXPECT_TRUE(sys.GetFileVersion("C:\\Windows\\System32\\drivers\\ndheronu.sys", v));
  EXPECT_EQ(v.major, 2);
  EXPECT_EQ(v.minor, 1);
  EXPECT_EQ(v.build, 2);
  EXPECT_FALSE(sys.GetFileVersion("C:\\Windows\\system32\\drivers\\sub\\x.sys", v));
  EXPECT_FALSE(sys.GetFileVersion("C:\\Windows\\system32\\kernel32.dll", v));
  std::vector<std::string> sids;
  ASSERT_TRUE(sys.GetTokenGroupSids(sids));
  EXPECT_NE(std::find(sids.begin(), sids.end(), std::string(kAdministratorsSid)), sids.end());
  world->Unplug(0);
  EXPECT_FALSE(sys.GetFileVersion("C:\\Windows\\system32\\drivers\\ndheronu.sys", v));
}

TEST_F(SimWorldTest, OnlyTheFamilyTablesDriverImageHasAVersion) {
  struct Row {
    const char* file;
    bool wow64;
    bool found;
  };
  const Row rows[] = {
      {"ndheronu.sys", false, true}, {"NDHERONU.SYS", false, true}, {"ndheronux.sys", false, false},
      {"heronu.sys", false, false},  {"ndheron.sys", false, false}, {"ndheronux.sys", true, true},
      {"ndheronu.sys", true, false},
  };
  for (const Row& row : rows) {
    Scenario s = DefaultScenario();
    s.os.wow64 = row.wow64;
    Build(s);
    const std::string path = std::string("C:\\Windows\\system32\\drivers\\") + row.file;
    FileVersion v;
    SystemTime t;
    EXPECT_EQ(world->systemInfo().GetFileVersion(path, v), row.found) << row.file << " wow64 " << row.wow64;
    EXPECT_EQ(world->systemInfo().GetFileModificationTime(path, t), row.found) << row.file << " wow64 " << row.wow64;
  }
}

TEST_F(SimWorldTest, ExtendedVersionRecordMayFail) {
  Scenario s = DefaultScenario();
  s.os.extendedVersionInfo = false;
  s.os.admin = false;
  Build(s);
  OsVersionInfo info;
  EXPECT_FALSE(world->systemInfo().GetVersionEx(true, info));
  ASSERT_TRUE(world->systemInfo().GetVersionEx(false, info));
  EXPECT_EQ(info.majorVersion, 6u);
  std::vector<std::string> sids;
  ASSERT_TRUE(world->systemInfo().GetTokenGroupSids(sids));
  EXPECT_EQ(std::find(sids.begin(), sids.end(), std::string(kAdministratorsSid)), sids.end());
}

TEST_F(SimWorldTest, TrayIconAndSubscriptionsAreRecorded) {
  SimShell& shell = world->shell();
  NotifyIconData d{1, 0x400, 130, "Link is Up"};
  EXPECT_FALSE(shell.NotifyIcon(NotifyIconAction::Modify, d));
  EXPECT_TRUE(shell.NotifyIcon(NotifyIconAction::Add, d));
  d.tip = "Disconnected";
  d.iconNumber = 131;
  EXPECT_TRUE(shell.NotifyIcon(NotifyIconAction::Modify, d));
  EXPECT_EQ(shell.iconNumber(), 131);
  EXPECT_EQ(shell.tip(), "Disconnected");
  world->faults().Arm(fault::kNotifyIcon, 1);
  EXPECT_FALSE(shell.NotifyIcon(NotifyIconAction::Modify, d));
  EXPECT_EQ(world->faults().Fired(fault::kNotifyIcon), 1);
  EXPECT_TRUE(shell.NotifyIcon(NotifyIconAction::Delete, d));
  EXPECT_FALSE(shell.iconPresent());

  EXPECT_EQ(world->driverEvents().Subscribe("Win32_Process", [] {}), 0u);
  world->faults().Arm(fault::kSubscribe, 1);
  EXPECT_EQ(world->driverEvents().Subscribe(kDriverMessageEventClass, [] {}), 0u);
  EXPECT_NE(world->driverEvents().Subscribe(kDriverMessageEventClass, [] {}), 0u);
}

struct FaultRow {
  FaultPoint point;
  std::function<bool(SimWorld&)> call;  // true when the call succeeded
};

TEST_F(SimWorldTest, ArmedFaultPointsFailOnceAndReportThatTheyFired) {
  const FaultRow rows[] = {
      {fault::kDeviceOpen,
       [](SimWorld& w) {
         const DeviceHandle h = w.deviceIo().Open(kPath);
         w.deviceIo().Close(h);
         return h != kInvalidDeviceHandle;
       }},
      {fault::kDeviceControl,
       [](SimWorld& w) {
         const DeviceHandle h = w.deviceIo().Open(kPath);
         std::uint8_t in[4];
         StoreLe32(in, OID_WLAN_LAST_EVENT);
         std::uint8_t out[4];
         DWORD n = 0;
         const bool ok = w.deviceIo().Control(h, kIoctlNdisQueryGlobalStats, in, out, n);
         w.deviceIo().Close(h);
         return ok;
       }},
      {fault::kDeviceSetup,
       [](SimWorld& w) {
         std::vector<DeviceInfo> d;
         return w.deviceSetup().GetPresentDevices("Net", d) && d.size() == 1;
       }},
      {fault::kIpHelper,
       [](SimWorld& w) {
         std::vector<IpAdapterInfo> a;
         return w.ipHelper().GetAdaptersInfo(a);
       }},
      {fault::kTokenGroups,
       [](SimWorld& w) {
         std::vector<std::string> s;
         return w.systemInfo().GetTokenGroupSids(s);
       }},
      {fault::DriverRequest(OID_WLAN_LAST_EVENT),
       [](SimWorld& w) {
         const DeviceHandle h = w.deviceIo().Open(kPath);
         std::uint8_t in[4];
         StoreLe32(in, OID_WLAN_LAST_EVENT);
         std::uint8_t out[4];
         DWORD n = 0;
         const bool ok = w.deviceIo().Control(h, kIoctlNdisQueryGlobalStats, in, out, n);
         w.deviceIo().Close(h);
         return ok;
       }},
      {fault::kRegistryRead,
       [](SimWorld& w) {
         HKEY k = 0;
         DWORD type = 0;
         std::vector<std::uint8_t> data;
         w.registry().OpenKey(kHkeyCurrentUser, "Volatile Environment", kKeyRead, k);
         const bool ok = w.registry().QueryValue(k, "LOCALAPPDATA", type, data) == kErrorSuccess;
         w.registry().CloseKey(k);
         return ok;
       }},
  };
  for (const auto& row : rows) {
    world->faults().Arm(row.point, 1);
    EXPECT_FALSE(row.call(*world)) << row.point;
    EXPECT_TRUE(row.call(*world)) << row.point;
    EXPECT_EQ(world->faults().Fired(row.point), 1) << row.point;
  }
  // A negative count fails for good until disarmed.
  world->faults().Arm(fault::kDeviceOpen, -1);
  EXPECT_FALSE(rows[0].call(*world));
  EXPECT_FALSE(rows[0].call(*world));
  world->faults().Disarm(fault::kDeviceOpen);
  EXPECT_TRUE(rows[0].call(*world));
  EXPECT_EQ(world->deviceIo().OpenHandleCount(), 0u);
}

TEST_F(SimWorldTest, DriveCPathsMapIntoTheStateDirectory) {
  const std::string ini = world->NativePath("C:\\Program Files\\VQ-MA310X\\NxUI.INI");
  EXPECT_EQ(ini, (fs::path(world->stateDirectory()) / "drive_c/Program Files/VQ-MA310X/NxUI.INI").string());
  EXPECT_TRUE(fs::is_directory(fs::path(ini).parent_path()));
  EXPECT_EQ(world->NativePath("D:\\x"), "");
  EXPECT_EQ(world->NativePath("relative\\x"), "");
}

class SimWorldStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = (fs::temp_directory_path() / ("nxui-sim-test-" + std::to_string(::getpid()))).string();
    fs::remove_all(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string dir;
  VirtualEventLoop loop;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(SimWorldStateTest, RegistryIsSeededPersistedAndReloaded) {
  std::string error;
  {
    auto world = SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error);
    ASSERT_NE(world, nullptr) << error;
    std::string appData;
    ASSERT_TRUE(world->registry().ReadTextDirect(kHkeyCurrentUser, "Volatile Environment", "LOCALAPPDATA", appData));
    EXPECT_TRUE(fs::is_directory(appData));
    HKEY k = 0;
    ASSERT_EQ(world->registry().OpenKey(kHkeyLocalMachine, world->classKeyPath(0), kKeyAllAccess, k), kErrorSuccess);
    const std::uint8_t v[] = {'1', '1'};
    ASSERT_EQ(world->registry().SetValue(k, "Channel", kRegSz, v), kErrorSuccess);
    world->registry().CloseKey(k);
  }
  const std::string file = (fs::path(dir) / kRegistryFileName).string();
  EXPECT_NE(ReadAll(file).find("\"Channel\"=\"11\""), std::string::npos);
  EXPECT_FALSE(fs::exists(file + ".tmp"));

  auto world = SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error);
  ASSERT_NE(world, nullptr) << error;
  std::string channel;
  ASSERT_TRUE(world->registry().ReadTextDirect(kHkeyLocalMachine, world->classKeyPath(0), "Channel", channel));
  EXPECT_EQ(channel, "11");      // the saved state wins over the scenario's seed
  EXPECT_TRUE(fs::exists(dir));  // a given directory is kept
}

// A start-up and each later turn of the loop make many registry changes; the file is written once
// after the events that made them, and a save that fails is reported as every write failure is.
TEST_F(SimWorldStateTest, RegistryChangesAreSavedOnceAfterTheEventsThatMadeThem) {
  std::string error;
  auto world = SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error);
  ASSERT_NE(world, nullptr) << error;
  SimRegistry& registry = world->registry();
  const std::string file = (fs::path(dir) / kRegistryFileName).string();
  EXPECT_FALSE(fs::exists(file)) << "the seeded tree waits for the loop";
  loop.DrainMessages();
  EXPECT_EQ(registry.fileWrites(), 1u);
  EXPECT_EQ(ReadAll(file), registry.ToRegText());

  std::vector<std::string> told;
  world->SetWriteFailureListener([&told](const std::string& failure) { told.push_back(failure); });
  const auto changeChannels = [&](std::initializer_list<const char*> channels) {
    HKEY k = 0;
    ASSERT_EQ(registry.OpenKey(kHkeyLocalMachine, world->classKeyPath(0), kKeyAllAccess, k), kErrorSuccess);
    for (const char* channel : channels) {
      const std::string text(channel);
      const std::vector<std::uint8_t> bytes(text.begin(), text.end());
      ASSERT_EQ(registry.SetValue(k, "Channel", kRegSz, bytes), kErrorSuccess);
    }
    registry.CloseKey(k);
  };
  changeChannels({"1", "6", "11"});
  EXPECT_EQ(registry.fileWrites(), 1u);
  loop.DrainMessages();
  EXPECT_EQ(registry.fileWrites(), 2u);
  EXPECT_NE(ReadAll(file).find("\"Channel\"=\"11\""), std::string::npos);

  const std::string kept = ReadAll(file);
  changeChannels({"3"});
  ArmAtomicWriteFault(AtomicWriteStep::Write, ENOSPC);
  loop.DrainMessages();
  EXPECT_TRUE(ClearAtomicWriteFault()) << "no save was tried";
  EXPECT_EQ(ReadAll(file), kept);
  const std::string expected = file + ": " + std::strerror(ENOSPC);
  EXPECT_EQ(world->WriteFailures(), std::vector<std::string>{expected});
  EXPECT_EQ(told, std::vector<std::string>{expected}) << "told from the loop";
  // The end of a command saves what is left; the change was kept for the run.
  EXPECT_TRUE(world->SaveState());
  EXPECT_NE(ReadAll(file).find("\"Channel\"=\"3\""), std::string::npos);
  EXPECT_EQ(world->WriteFailures().size(), 1u);
}

TEST_F(SimWorldStateTest, CorruptRegistryFileIsRefusedAndNotOverwritten) {
  fs::create_directories(dir);
  const std::string file = (fs::path(dir) / kRegistryFileName).string();
  const std::string corrupt = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\X]\n\"a\"=dword:zz\n";
  std::ofstream(file, std::ios::binary) << corrupt;
  std::string error;
  auto world = SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error);
  EXPECT_EQ(world, nullptr);
  EXPECT_EQ(error, file + ":4: malformed dword value");
  EXPECT_EQ(ReadAll(file), corrupt);
}

TEST_F(SimWorldStateTest, NonAdministratorWritesBelowLocalMachineAreDeniedAndNotSaved) {
  Scenario s = DefaultScenario();
  s.os.admin = false;
  std::string error;
  auto world = SimWorld::Create(s, loop, SimOptions{dir, false}, error);
  ASSERT_NE(world, nullptr) << error;
  HKEY k = 0;
  EXPECT_EQ(world->registry().OpenKey(kHkeyLocalMachine, world->classKeyPath(0), kKeyAllAccess, k), kErrorAccessDenied);
  EXPECT_EQ(world->registry().CreateKey(kHkeyLocalMachine, world->classKeyPath(0) + "\\ApDefault", kKeyAllAccess, k),
            kErrorAccessDenied);
  EXPECT_FALSE(world->registry().KeyExists(kHkeyLocalMachine, world->classKeyPath(0) + "\\ApDefault"));
  // The seed itself is there: the class key was written by the installer, not by this user.
  std::string id;
  EXPECT_TRUE(world->registry().ReadTextDirect(kHkeyLocalMachine, world->classKeyPath(0), "NetCfgInstanceId", id));
}

// The profile list file of the default adapter.
fs::path ProfileFile(const std::string& dir) {
  return fs::path(dir) / "wlan-profiles-6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11.json";
}

struct CorruptProfileCase {
  const char* name;
  const char* text;
  const char* error;  // after "file:"
};

TEST_F(SimWorldStateTest, ACorruptProfileListIsRefusedWithItsLineAndKept) {
  const std::string profile =
      "<WLANProfile xmlns=\\\"http://www.microsoft.com/networking/WLAN/profile/v1\\\"><name>Home</name>"
      "</WLANProfile>";
  const CorruptProfileCase cases[] = {
      {"garbage", "%PDF-1.4 not json", "1: syntax error"},
      {"truncated", "{\"profiles\": [\n  {\"name\": \"Home\",\n", "3: syntax error"},
      {"not a list", "{\"profiles\": {}}", "1: not a profile list"},
      {"entry without a document", "{\"profiles\": [\n{\"name\": \"Home\"}]}", "2: profile 1 has no \"xml\" text"},
      {"document that is no profile", "{\"profiles\": [\n{\"xml\": \"<x/>\"}]}",
       "2: profile 1 is not a WLAN profile document"},
      {"member given twice", "{\"profiles\": [],\n\"profiles\": []}", "2: member \"profiles\" is given twice"},
  };
  for (const auto& c : cases) {
    fs::create_directories(dir);
    std::ofstream(ProfileFile(dir), std::ios::binary) << c.text;
    std::string error;
    auto world = SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error);
    EXPECT_EQ(world, nullptr) << c.name;
    EXPECT_EQ(error.rfind(ProfileFile(dir).string() + ":" + c.error, 0), 0u) << c.name << ": " << error;
    EXPECT_EQ(ReadAll(ProfileFile(dir).string()), c.text) << c.name;
    fs::remove_all(dir);
  }
  // Flags beyond 32 bits, with a document the service reads.
  fs::create_directories(dir);
  const std::string flags = "{\"profiles\": [{\"xml\": \"" + profile + "\",\n\"flags\": 4294967296}]}";
  std::ofstream(ProfileFile(dir), std::ios::binary) << flags;
  std::string error;
  EXPECT_EQ(SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error), nullptr);
  EXPECT_EQ(error, ProfileFile(dir).string() + ":2: \"flags\" of profile 1 must be a 32-bit number");
}

TEST_F(SimWorldStateTest, AProfileListThatCannotBeWrittenKeepsTheOldListAndSaysWhy) {
  std::string error;
  auto world = SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error);
  ASSERT_NE(world, nullptr) << error;
  std::vector<std::string> told;
  world->SetWriteFailureListener([&](const std::string& failure) { told.push_back(failure); });
  const std::string before = ReadAll(ProfileFile(dir).string());
  ASSERT_FALSE(before.empty());
  auto& wlan = world->wlan();
  WlanHandle handle = kInvalidWlanHandle;
  DWORD negotiated = 0;
  ASSERT_EQ(wlan.OpenHandle(kWlanClientVersion2, negotiated, handle), kErrorSuccess);
  const Guid guid = *Guid::Parse(world->adapter(0).instanceId);
  ScenarioNetwork home = HtNetwork();
  DWORD reason = 0;
  ASSERT_EQ(wlan.SetProfile(handle, guid, 0, SimWlanProfileXml(home), false, reason), kErrorSuccess);
  const std::string withHome = ReadAll(ProfileFile(dir).string());
  ASSERT_NE(withHome, before);

  struct Change {
    const char* name;
    std::function<DWORD()> call;
  };
  ScenarioNetwork other = HtNetwork();
  other.ssid = "Other";
  const Change changes[] = {
      {"add", [&] { return wlan.SetProfile(handle, guid, 0, SimWlanProfileXml(other), false, reason); }},
      {"delete", [&] { return wlan.DeleteProfile(handle, guid, "Home"); }},
  };
  for (const Change& change : changes) {
    ArmAtomicWriteFault(AtomicWriteStep::Write, ENOSPC);
    EXPECT_EQ(change.call(), static_cast<DWORD>(kErrorWriteFault)) << change.name;
    EXPECT_TRUE(ClearAtomicWriteFault()) << change.name;
    std::vector<WlanProfileInfo> list;
    ASSERT_EQ(wlan.GetProfileList(handle, guid, list), kErrorSuccess);
    ASSERT_EQ(list.size(), 1u) << change.name;
    EXPECT_EQ(list[0].profileName, "Home") << change.name;
    EXPECT_EQ(ReadAll(ProfileFile(dir).string()), withHome) << change.name;
  }
  const std::string expected = ProfileFile(dir).string() + ": " + std::strerror(ENOSPC);
  EXPECT_EQ(world->WriteFailures(), (std::vector<std::string>{expected, expected}));
  EXPECT_TRUE(told.empty()) << "told from the loop, not from inside the failing call";
  loop.DrainMessages();
  EXPECT_EQ(told, (std::vector<std::string>{expected, expected}));
  wlan.CloseHandle(handle);
}

TEST_F(SimWorldStateTest, TheStateFolderIsPrivateAndFilesWithSecretsAreTheOwnersOnly) {
  std::string error;
  auto world = SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error);
  ASSERT_NE(world, nullptr) << error;
  ASSERT_TRUE(world->SaveState());
  const auto mode = [](const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
  };
  EXPECT_EQ(mode(dir), 0700u);
  EXPECT_EQ(mode(fs::path(dir) / "LocalAppData"), 0700u);
  EXPECT_EQ(mode(fs::path(dir) / kRegistryFileName), 0600u);
  EXPECT_EQ(mode(ProfileFile(dir)), 0600u);
}

TEST_F(SimWorldStateTest, ASecondWorldOnTheSameStateWaitsThenSaysItIsInUse) {
  std::string error;
  auto first = SimWorld::Create(DefaultScenario(), loop, SimOptions{dir, false}, error);
  ASSERT_NE(first, nullptr) << error;
  VirtualEventLoop otherLoop;
  SimOptions options{dir, false};
  options.stateLockWaitMs = 50;
  int toldBusy = 0;
  options.onStateBusy = [&](const std::string& busyDir) {
    ++toldBusy;
    EXPECT_EQ(busyDir, dir);
  };
  EXPECT_EQ(SimWorld::Create(DefaultScenario(), otherLoop, options, error), nullptr);
  EXPECT_EQ(error, dir + ": the state folder is in use by another run of nxui");
  EXPECT_EQ(toldBusy, 1);
  first.reset();
  auto second = SimWorld::Create(DefaultScenario(), otherLoop, options, error);
  EXPECT_NE(second, nullptr) << error;
  EXPECT_EQ(toldBusy, 1) << "a free folder is taken at once";
}

// The platform keeps the software radio state across restarts; the simulator keeps it in the state.
TEST_F(SimWorldStateTest, SoftwareRadioStateIsKeptAcrossRestarts) {
  Scenario s = ScenarioLoader::LoadEmbedded().scenario;  // with the profile it connects to at start
  const Guid guid = *Guid::Parse(s.adapters[0].instanceId);
  auto setRadio = [&](SimWorld& world, bool on) {
    IWlanApi& wlan = world.wlan();
    DWORD version = 0;
    WlanHandle handle = kInvalidWlanHandle;
    ASSERT_EQ(wlan.OpenHandle(2, version, handle), kErrorSuccess);
    WlanRadioState state;
    ASSERT_EQ(wlan.QueryRadioState(handle, guid, state), kErrorSuccess);
    for (WlanPhyRadioState phy : state.phys) {
      phy.softwareRadioState = on ? kDot11RadioOn : kDot11RadioOff;
      EXPECT_EQ(wlan.SetRadioState(handle, guid, phy), kErrorSuccess);
    }
    wlan.CloseHandle(handle);
  };
  auto softwareStates = [&](SimWorld& world) {
    IWlanApi& wlan = world.wlan();
    DWORD version = 0;
    WlanHandle handle = kInvalidWlanHandle;
    wlan.OpenHandle(2, version, handle);
    WlanRadioState state;
    wlan.QueryRadioState(handle, guid, state);
    wlan.CloseHandle(handle);
    std::vector<DWORD> states;
    for (const WlanPhyRadioState& phy : state.phys) states.push_back(phy.softwareRadioState);
    return states;
  };
  std::string error;
  std::size_t phyCount = 0;
  {
    auto world = SimWorld::Create(s, loop, SimOptions{dir, false}, error);
    ASSERT_NE(world, nullptr) << error;
    loop.AdvanceBy(3000);
    ASSERT_TRUE(world->association(0).connected);
    phyCount = softwareStates(*world).size();
    ASSERT_GT(phyCount, 1u);
    setRadio(*world, false);
    EXPECT_FALSE(world->association(0).connected);
  }
  {
    auto world = SimWorld::Create(s, loop, SimOptions{dir, false}, error);
    ASSERT_NE(world, nullptr) << error;
    EXPECT_EQ(softwareStates(*world), std::vector<DWORD>(phyCount, kDot11RadioOff));
    EXPECT_TRUE(world->association(0).softwareRadioOff);
    loop.AdvanceBy(3000);
    EXPECT_FALSE(world->association(0).connected) << "no connection with the radio off";
    // Unplugging and plugging the adapter back does not turn it on either.
    world->Unplug(0);
    world->Plug(0);
    loop.AdvanceBy(3000);
    EXPECT_EQ(softwareStates(*world), std::vector<DWORD>(phyCount, kDot11RadioOff));
    EXPECT_FALSE(world->association(0).connected);
    setRadio(*world, true);
    loop.AdvanceBy(3000);
    EXPECT_TRUE(world->association(0).connected);
  }
  auto world = SimWorld::Create(s, loop, SimOptions{dir, false}, error);
  ASSERT_NE(world, nullptr) << error;
  EXPECT_EQ(softwareStates(*world), std::vector<DWORD>(phyCount, kDot11RadioOn));
  loop.AdvanceBy(3000);
  EXPECT_TRUE(world->association(0).connected);
}

TEST_F(SimWorldStateTest, RadioStateThatCannotBeKeptIsRefusedAndLeftAsItWas) {
  Scenario s = DefaultScenario();
  const Guid guid = *Guid::Parse(s.adapters[0].instanceId);
  std::string error;
  auto world = SimWorld::Create(s, loop, SimOptions{dir, false}, error);
  ASSERT_NE(world, nullptr) << error;
  IWlanApi& wlan = world->wlan();
  DWORD version = 0;
  WlanHandle handle = kInvalidWlanHandle;
  ASSERT_EQ(wlan.OpenHandle(2, version, handle), kErrorSuccess);
  WlanPhyRadioState phy;
  phy.phyIndex = 0;
  phy.softwareRadioState = kDot11RadioOff;
  // A state kept earlier (radio off) is the file the failed writes must leave as it was.
  ASSERT_EQ(wlan.SetRadioState(handle, guid, phy), kErrorSuccess);
  const fs::path file = fs::path(dir) / "wlan-radio-6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11.json";
  const std::string kept = ReadAll(file.string());
  ASSERT_FALSE(kept.empty());
  const auto entries = [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const auto before = entries();
  const bool associationOff = world->association(0).softwareRadioOff;
  phy.softwareRadioState = kDot11RadioOn;
  const struct {
    AtomicWriteStep step;
    int errorNumber;
  } faults[] = {{AtomicWriteStep::Create, EACCES}, {AtomicWriteStep::Write, ENOSPC}, {AtomicWriteStep::Rename, EROFS}};
  std::vector<std::string> expected;
  for (const auto& fault : faults) {
    ArmAtomicWriteFault(fault.step, fault.errorNumber);
    EXPECT_EQ(wlan.SetRadioState(handle, guid, phy), static_cast<DWORD>(kErrorWriteFault)) << fault.errorNumber;
    EXPECT_TRUE(ClearAtomicWriteFault()) << fault.errorNumber << ": the fault never fired";
    EXPECT_EQ(world->association(0).softwareRadioOff, associationOff) << fault.errorNumber;
    WlanRadioState state;
    ASSERT_EQ(wlan.QueryRadioState(handle, guid, state), kErrorSuccess);
    EXPECT_EQ(state.phys.at(0).softwareRadioState, kDot11RadioOff) << fault.errorNumber;
    EXPECT_EQ(ReadAll(file.string()), kept) << fault.errorNumber;
    EXPECT_EQ(entries(), before) << fault.errorNumber << ": a temporary file was left";
    expected.push_back(file.string() + ": " + std::strerror(fault.errorNumber));
  }
  EXPECT_EQ(world->WriteFailures(), expected) << "each failed save is reported";
  wlan.CloseHandle(handle);
}

TEST(SimWorldTemporary, FreshTemporaryDirectoryIsRemovedWithTheWorld) {
  VirtualEventLoop loop;
  std::string error;
  auto world = SimWorld::Create(DefaultScenario(), loop, SimOptions{"", true}, error);
  ASSERT_NE(world, nullptr) << error;
  const std::string dir = world->stateDirectory();
  EXPECT_TRUE(world->SaveState());
  EXPECT_TRUE(fs::exists(fs::path(dir) / kRegistryFileName));
  world.reset();
  EXPECT_FALSE(fs::exists(dir));
}

}  // namespace
}  // namespace nxui::sim
