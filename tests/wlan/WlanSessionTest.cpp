#include <gtest/gtest.h>

#include "WlanFixture.h"
#include "scan/BssidEx.h"

namespace nxui::testing {
namespace {

// --- notification dispatch ------------------------------------------------------------------

struct DispatchRow {
  const char* name;
  DWORD source;
  DWORD code;
  bool ours;
  DWORD softwareRadio;
  UINT expected;  // 0: nothing posted
};

class DispatchTest : public WlanFixture, public ::testing::WithParamInterface<DispatchRow> {};

TEST_P(DispatchTest, PostsTheMessageOfTheTable) {
  const DispatchRow& row = GetParam();
  WlanNotification n;
  n.source = row.source;
  n.code = row.code;
  n.interfaceGuid = row.ours ? kInterfaceGuid : kOtherGuid;
  n.radioState.softwareRadioState = row.softwareRadio;
  session->OnNotification(n);
  loop.DrainMessages();
  if (row.expected == 0) {
    EXPECT_TRUE(owner.messages.empty()) << row.name << " posted " << std::hex << owner.messages[0].message;
  } else {
    ASSERT_EQ(owner.messages.size(), 1u) << row.name;
    EXPECT_EQ(owner.messages[0].message, row.expected) << row.name;
    EXPECT_EQ(owner.messages[0].wParam, 0u) << row.name;
  }
}

constexpr DWORD kAcm = kWlanNotificationSourceAcm;
constexpr DWORD kMsm = kWlanNotificationSourceMsm;

INSTANTIATE_TEST_SUITE_P(
    Table, DispatchTest,
    ::testing::Values(
        DispatchRow{"scan complete", kAcm, 7, true, 0, wlan_msg::kScanComplete},
        DispatchRow{"scan failed", kAcm, 8, true, 0, wlan_msg::kScanFailed},
        DispatchRow{"connection complete", kAcm, 10, true, 0, wlan_msg::kConnectionComplete},
        DispatchRow{"attempt failed", kAcm, 11, true, 0, wlan_msg::kConnectionFailed},
        DispatchRow{"disconnected", kAcm, 21, true, 0, wlan_msg::kDisconnected},
        DispatchRow{"interface arrival, ours", kAcm, 13, true, 0, wlan_msg::kInterfaceArrival},
        DispatchRow{"interface arrival, any interface", kAcm, 13, false, 0, wlan_msg::kInterfaceArrival},
        DispatchRow{"connection start is silent", kAcm, 9, true, 0, 0},
        DispatchRow{"disconnecting is silent", kAcm, 20, true, 0, 0},
        DispatchRow{"bss type change is silent", kAcm, 5, true, 0, 0},
        DispatchRow{"network available is silent", kAcm, 19, true, 0, 0},
        DispatchRow{"interface removal is silent", kAcm, 14, true, 0, 0},
        DispatchRow{"scan complete of another interface", kAcm, 7, false, 0, 0},
        DispatchRow{"connection complete of another interface", kAcm, 10, false, 0, 0},
        DispatchRow{"roaming end", kMsm, 6, true, 0, wlan_msg::kRoamingEnd},
        DispatchRow{"radio on", kMsm, 7, true, kDot11RadioOn, wlan_msg::kRadioOn},
        DispatchRow{"radio off", kMsm, 7, true, kDot11RadioOff, wlan_msg::kRadioOff},
        DispatchRow{"radio unknown is silent", kMsm, 7, true, kDot11RadioUnknown, 0},
        DispatchRow{"radio off of another interface", kMsm, 7, false, kDot11RadioOff, 0},
        DispatchRow{"msm connected is silent", kMsm, 4, true, 0, 0},
        DispatchRow{"msm code 7 under acm source is scan complete", kAcm, 7, true, kDot11RadioOff,
                    wlan_msg::kScanComplete},
        DispatchRow{"acm code 6 under msm source is roaming end", kMsm, 6, true, 0, wlan_msg::kRoamingEnd},
        DispatchRow{"802.1X is kept for the hidden window", kWlanNotificationSourceOneX, 1, true, 0, wlan_msg::kOneX},
        DispatchRow{"802.1X of another interface is dropped", kWlanNotificationSourceOneX, 1, false, 0, 0},
        DispatchRow{"other sources are ignored", kWlanNotificationSourceNone, 10, true, 0, 0}),
    [](const auto& row) {
      std::string name = row.param.name;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

// --- radio-state walk -----------------------------------------------------------------------

struct RadioRow {
  const char* name;
  std::vector<std::pair<DWORD, DWORD>> phys;  // software, hardware
  int radioOn;
  int hardwareOn;
};

TEST(RadioStateWalk, FollowsThePhysInOrder) {
  const DWORD on = kDot11RadioOn, off = kDot11RadioOff, unknown = kDot11RadioUnknown;
  const std::vector<RadioRow> rows = {
      {"no phys", {}, 0, 1},
      {"first on", {{on, on}, {off, on}}, 1, 1},
      {"software off everywhere", {{off, on}, {off, on}}, 0, 1},
      {"software off then on", {{off, on}, {on, on}}, 1, 1},
      {"hardware off stops the walk", {{off, off}, {on, on}}, 0, 0},
      {"software off then hardware off", {{off, on}, {on, off}}, 0, 0},
      {"unknown software state counts as on without hardware", {{unknown, on}}, 1, 0},
      {"unknown after an off phy", {{off, on}, {unknown, off}}, 1, 0},
      {"hardware unknown with software on", {{on, unknown}}, 1, 1},
  };
  for (const auto& row : rows) {
    WlanRadioState state;
    for (std::size_t i = 0; i < row.phys.size(); ++i) {
      state.phys.push_back({static_cast<DWORD>(i), row.phys[i].first, row.phys[i].second});
    }
    int radioOn = 7, hardwareOn = 7;
    WlanSession::EvaluateRadioState(state, radioOn, hardwareOn);
    EXPECT_EQ(radioOn, row.radioOn) << row.name;
    EXPECT_EQ(hardwareOn, row.hardwareOn) << row.name;
  }
}

// --- scan list ------------------------------------------------------------------------------

std::vector<std::uint8_t> ScanAndBuild(WlanFixture& f, WlanSession& session, VirtualEventLoop& loop,
                                       RecordingWindow& owner, std::size_t bufferSize = bssid_ex::kScanBufferSize) {
  (void)f;
  EXPECT_EQ(session.Scan(), 0u);
  loop.AdvanceBy(sim::SimWlanService::kScanDelayMs - 1);
  EXPECT_EQ(owner.Count(wlan_msg::kScanComplete), 0);
  loop.AdvanceBy(1);
  EXPECT_EQ(owner.Count(wlan_msg::kScanComplete), 1);
  std::vector<std::uint8_t> buffer(bufferSize, 0xCC);
  EXPECT_EQ(session.BuildScanList(buffer), 0u);
  return buffer;
}

class ScanListTest : public WlanFixture {};

TEST_F(ScanListTest, EntryIsLaidOutByteForByte) {
  auto home = MakeNetwork("Home", "00-11-22-33-44-55", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "secret-pass");
  home.rssi = -55;
  home.channel = 6;
  home.beaconPeriod = 102;
  home.ies = test::Hex("0004486F6D65 030106");
  networks = {home};
  Build();
  const auto buffer = ScanAndBuild(*this, *session, loop, owner);

  const std::uint8_t* e = buffer.data() + 4;
  EXPECT_EQ(LoadLe32(buffer.data()), 1u);
  EXPECT_EQ(LoadLe32(e + bssid_ex::kLength), 116u + 9u);
  const std::uint8_t mac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  EXPECT_TRUE(std::equal(mac, mac + 6, e + bssid_ex::kMacAddress));
  EXPECT_EQ(e[10], 0);
  EXPECT_EQ(e[11], 0);
  EXPECT_EQ(LoadLe32(e + bssid_ex::kSsidLength), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(e + bssid_ex::kSsid), 4), "Home");
  for (std::size_t i = 4; i < 32; ++i) EXPECT_EQ(e[bssid_ex::kSsid + i], 0) << "ssid padding " << i;
  EXPECT_EQ(LoadLe32(e + bssid_ex::kPrivacy), 1u);
  EXPECT_EQ(static_cast<std::int32_t>(LoadLe32(e + bssid_ex::kRssi)), -55);
  EXPECT_EQ(LoadLe32(e + bssid_ex::kNetworkTypeInUse), bssid_ex::kNetworkTypeOfdm24);
  EXPECT_EQ(LoadLe32(e + bssid_ex::kConfiguration), 0u) << "configuration length stays 0";
  EXPECT_EQ(LoadLe32(e + bssid_ex::kBeaconPeriod), 102u);
  EXPECT_EQ(LoadLe32(e + bssid_ex::kAtimWindow), 0u);
  EXPECT_EQ(LoadLe32(e + bssid_ex::kDsConfig), 2437000u);
  for (std::size_t off = 76; off < 92; ++off) EXPECT_EQ(e[off], 0) << "FH field byte " << off;
  EXPECT_EQ(LoadLe32(e + bssid_ex::kInfrastructureMode), bssid_ex::kModeInfrastructure);
  // Basic-rate flags are dropped: the field carries the bare rates.
  const std::uint8_t rates[16] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108, 0, 0, 0, 0};
  EXPECT_TRUE(std::equal(rates, rates + 16, e + bssid_ex::kSupportedRates));
  EXPECT_EQ(LoadLe32(e + bssid_ex::kIeLength), 9u);
  const std::uint8_t ies[9] = {0x00, 0x04, 'H', 'o', 'm', 'e', 0x03, 0x01, 0x06};
  EXPECT_TRUE(std::equal(ies, ies + 9, e + bssid_ex::kIes));
  // Everything after the last entry is zero.
  const std::size_t end = 4 + 125;
  EXPECT_TRUE(std::all_of(buffer.begin() + end, buffer.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(ScanListTest, FieldMappingsPerNetworkKind) {
  struct Row {
    const char* name;
    sim::Phy phy;
    sim::BssKind bssType;
    int channel;
    std::uint32_t networkType;
    std::uint32_t mode;
    std::uint32_t frequency;
  };
  using sim::BssKind;
  using sim::Phy;
  const std::vector<Row> rows = {{"a", Phy::A, BssKind::Infrastructure, 36, bssid_ex::kNetworkTypeOfdm5, 1, 5180000},
                                 {"b", Phy::B, BssKind::Infrastructure, 1, bssid_ex::kNetworkTypeDs, 1, 2412000},
                                 {"g", Phy::G, BssKind::Independent, 11, bssid_ex::kNetworkTypeOfdm24, 0, 2462000},
                                 {"n", Phy::N, BssKind::Infrastructure, 6, bssid_ex::kNetworkTypeOther, 1, 2437000}};
  networks.clear();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto n = MakeNetwork("net" + std::to_string(i), "02-00-00-00-00-0" + std::to_string(i));
    n.phy = rows[i].phy;
    n.bssType = rows[i].bssType;
    n.channel = rows[i].channel;
    networks.push_back(n);
  }
  Build();
  const auto buffer = ScanAndBuild(*this, *session, loop, owner);
  ASSERT_EQ(LoadLe32(buffer.data()), rows.size());
  std::size_t offset = 4;
  for (const auto& row : rows) {
    const std::uint8_t* e = buffer.data() + offset;
    EXPECT_EQ(LoadLe32(e + bssid_ex::kNetworkTypeInUse), row.networkType) << row.name;
    EXPECT_EQ(LoadLe32(e + bssid_ex::kInfrastructureMode), row.mode) << row.name;
    EXPECT_EQ(LoadLe32(e + bssid_ex::kDsConfig), row.frequency) << row.name;
    EXPECT_EQ(LoadLe32(e + bssid_ex::kPrivacy), 0u) << row.name;
    offset += LoadLe32(e);
  }
}

TEST_F(ScanListTest, AtMostSixteenRatesAreKept) {
  auto n = MakeNetwork("many", "02-00-00-00-00-01");
  for (int r = 1; r <= 18; ++r) n.rates.push_back(r);
  networks = {n};
  Build();
  const auto buffer = ScanAndBuild(*this, *session, loop, owner);
  const std::uint8_t* e = buffer.data() + 4;
  for (int i = 0; i < 16; ++i) EXPECT_EQ(e[bssid_ex::kSupportedRates + i], i + 1);
  EXPECT_EQ(LoadLe32(e + bssid_ex::kIeLength), LoadLe32(e) - 116u) << "rates never spill into IELength";
}

TEST_F(ScanListTest, SameBssidUnderTwoNetworksGivesOneEntry) {
  networks = {MakeNetwork("First", "00-AA-BB-CC-DD-EE"), MakeNetwork("Second", "00-AA-BB-CC-DD-EE"),
              MakeNetwork("Third", "00-AA-BB-CC-DD-EF")};
  Build();
  const auto buffer = ScanAndBuild(*this, *session, loop, owner);
  ASSERT_EQ(LoadLe32(buffer.data()), 2u);
  const std::uint8_t* first = buffer.data() + 4;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(first + bssid_ex::kSsid), 5), "First");
  const std::uint8_t* second = first + LoadLe32(first);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(second + bssid_ex::kSsid), 5), "Third");
}

TEST_F(ScanListTest, StopsAppendingWhenTheNextEntryWouldNotFit) {
  auto a = MakeNetwork("A", "02-00-00-00-00-01");
  a.ies = test::Hex("000141");  // entry of 119 bytes
  auto b = MakeNetwork("B", "02-00-00-00-00-02");
  b.ies = test::Hex("00034242 42");  // entry of 121 bytes
  auto c = MakeNetwork("C", "02-00-00-00-00-03");
  c.ies = test::Hex("00");  // entry of 117 bytes: would fit where B did not, but the list has ended
  networks = {a, b, c};
  Build();
  struct Row {
    std::size_t size;
    std::uint32_t count;
  };
  for (const Row& row :
       {Row{4 + 119 + 121 + 117, 3}, Row{4 + 119 + 121 + 116, 2}, Row{4 + 119 + 120, 1}, Row{4 + 118, 0}, Row{4, 0}}) {
    owner.messages.clear();
    const auto buffer = ScanAndBuild(*this, *session, loop, owner, row.size);
    EXPECT_EQ(LoadLe32(buffer.data()), row.count) << "buffer of " << row.size;
    std::size_t used = 4;
    for (std::uint32_t i = 0; i < row.count; ++i) used += LoadLe32(buffer.data() + used);
    EXPECT_LE(used, row.size);
  }
}

// --- binding and availability ---------------------------------------------------------------

TEST_F(WlanFixture, BindWithoutMatchingDescriptionStaysUnboundAndSucceeds) {
  EXPECT_EQ(session->Start("Some Other Adapter", window, false), 0u);
  EXPECT_TRUE(session->ServiceAvailable());
  EXPECT_TRUE(session->InterfaceInfo().interfaceGuid.IsNull());
  int connected = 5;
  EXPECT_NE(session->IsConnected(connected), 0u) << "queries on an unbound session fail";
  EXPECT_EQ(connected, 5) << "output untouched on failure";
}

TEST_F(WlanFixture, DescriptionMustMatchExactly) {
  EXPECT_EQ(session->Start("vq-ma310x 11n wireless adapter", window, false), 0u);
  EXPECT_TRUE(session->InterfaceInfo().interfaceGuid.IsNull());
  EXPECT_EQ(session->Start(kDescription, window, false), 0u);
  EXPECT_EQ(session->InterfaceInfo().interfaceGuid, kInterfaceGuid);
}

TEST_F(WlanFixture, ServiceOffMakesTheSessionUnavailable) {
  service->SetRunning(false);
  session->Open();
  EXPECT_NE(session->Start(kDescription, window, false), 0u);
  EXPECT_FALSE(session->ServiceAvailable());
  int radioOn = 9, hardwareOn = 9;
  EXPECT_EQ(session->RadioState(radioOn, hardwareOn), static_cast<DWORD>(kErrorServiceNotActive));
  EXPECT_EQ(radioOn, 9);
  SsidRecord ssid;
  ssid.fill(0xAB);
  EXPECT_NE(session->CurrentSsid(ssid), 0u);
  EXPECT_EQ(ssid[0], 0xAB);
}

TEST_F(WlanFixture, CapabilityQueries) {
  int fiveGhz = -1, wpa2 = -1;
  EXPECT_EQ(session->Supports5GHz(fiveGhz), 0u);
  EXPECT_EQ(fiveGhz, 1);
  EXPECT_EQ(session->SupportsWpa2PskCcmp(wpa2), 0u);
  EXPECT_EQ(wpa2, 1);
  service->RemoveInterface(kInterfaceGuid);
  service->AddInterface(kInterfaceGuid, kDescription, {kDot11PhyTypeHrDsss, kDot11PhyTypeErp}, association);
  EXPECT_EQ(session->Supports5GHz(fiveGhz), 0u);
  EXPECT_EQ(fiveGhz, 0);
}

TEST_F(WlanFixture, ScanWithTheRadioOffFails) {
  ASSERT_EQ(session->SetRadio(false), 0u);
  Run(10);
  owner.messages.clear();
  EXPECT_EQ(session->Scan(), 0u);
  Run(sim::SimWlanService::kScanDelayMs);
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kScanFailed});
  std::vector<std::uint8_t> buffer(bssid_ex::kScanBufferSize);
  session->BuildScanList(buffer);
  EXPECT_EQ(LoadLe32(buffer.data()), 0u) << "a switched-off radio lists nothing";
}

TEST_F(WlanFixture, InjectedScanFaultFiresOnce) {
  faults.Arm(sim::fault::kScan, 1);
  session->Scan();
  Run(sim::SimWlanService::kScanDelayMs);
  session->Scan();
  Run(sim::SimWlanService::kScanDelayMs);
  EXPECT_EQ(faults.Fired(sim::fault::kScan), 1);
  EXPECT_EQ(owner.Sequence(), (std::vector<UINT>{wlan_msg::kScanFailed, wlan_msg::kScanComplete}));
}

TEST_F(WlanFixture, NoMessagesAfterTheSessionIsGone) {
  session->Scan();
  session.reset();
  Run(sim::SimWlanService::kScanDelayMs + 10);
  EXPECT_TRUE(owner.messages.empty());
}

}  // namespace
}  // namespace nxui::testing
