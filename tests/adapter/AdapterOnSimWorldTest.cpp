// Adapter access on the simulated machine: discovery, the request channel and the adapter key
// parameters against the simulated devices, driver and registry.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "adapter/AdapterDiscovery.h"
#include "adapter/AdapterKeyDefaults.h"
#include "adapter/AdapterListFile.h"
#include "adapter/AdapterRegistry.h"
#include "adapter/ChannelValidation.h"
#include "adapter/DriverChannel.h"
#include "adapter/ICardChooser.h"
#include "adapter/SettingsDirectory.h"
#include "adapter/SystemChecks.h"
#include "adapter/fakes/TempDir.h"
#include "base/ByteReader.h"
#include "common/SimTestHelpers.h"
#include "platform/VirtualEventLoop.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWorld.h"

namespace nxui {
namespace {

using sim::Scenario;
using sim::SimWorld;
using test::TempDir;

class PickingChooser : public ICardChooser {
 public:
  int pick = 0;
  int runs = 0;
  std::vector<std::string> names;
  void RunModal(CSelCardDlg& dialog) override {
    ++runs;
    names = dialog.CandidateNames();
    dialog.SelectCandidate(pick);
  }
};

Scenario DefaultScenario() {
  auto loaded = sim::ScenarioLoader::LoadEmbedded();
  EXPECT_TRUE(loaded.ok) << loaded.error;
  // These tests count the loop's timers; the WLAN service must not start connecting on its own.
  loaded.scenario.platformProfiles.clear();
  return loaded.scenario;
}

class AdapterOnSimWorld : public ::testing::Test {
 protected:
  void Start(const Scenario& scenario, const std::string& stateDirectory = "") {
    std::string error;
    world = SimWorld::Create(scenario, loop, sim::SimOptions{stateDirectory, stateDirectory.empty()}, error);
    ASSERT_NE(world, nullptr) << error;
    ClassifySystem(world->systemInfo(), ctx);
  }
  bool Discover() {
    AdapterDiscovery discovery(
        world->deviceSetup(), world->deviceIo(), AdapterListFilePath((dir / "NxUI.exe").string()), chooser,
        [this](const std::string& name, bool) { handedOver.push_back(name); }, false);
    return discovery.DiscoverAdapter(ctx);
  }
  sim::SimDriver& driver() { return world->driver(0); }
  void FailNext(Oid oid, int times) { world->faults().Arm(sim::fault::DriverRequest(oid), times); }
  void TearDown() override {
    if (world) test::ExpectArmedFaultsFired(world->faults());
  }

  TempDir dir;
  VirtualEventLoop loop;
  std::unique_ptr<SimWorld> world;
  AdapterContext ctx;
  PickingChooser chooser;
  std::vector<std::string> handedOver;
};

TEST_F(AdapterOnSimWorld, StartUpFindsTheDefaultAdapter) {
  Start(DefaultScenario());
  EXPECT_EQ(ctx.osGeneration, kOsVista);
  EXPECT_TRUE(ctx.isAdmin);
  ASSERT_TRUE(Discover());
  EXPECT_EQ(chooser.runs, 0);
  // The scenario's ID carries a revision suffix: only its first 21 characters count.
  EXPECT_EQ(ctx.hardwareId, "USB\\VID_1B75&PID_3072");
  EXPECT_EQ(ctx.family, kFamilyHeronU);
  EXPECT_TRUE(ctx.is11n);
  EXPECT_EQ(ctx.instanceId, "{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}");
  EXPECT_EQ(ctx.classKeyPath, world->classKeyPath(0));
  EXPECT_EQ(handedOver, std::vector<std::string>{"VQ-MA310X 11N Wireless Adapter"});
  EXPECT_TRUE(IsAdapterPresent(world->deviceIo(), ctx));

  SettingsDirectory settings = ResolveSettingsDirectory(world->registry(), dir / "setting");
  EXPECT_EQ(settings.path, world->localAppDataDirectory() + "/");
  EXPECT_FALSE(settings.custom);
}

TEST_F(AdapterOnSimWorld, TwoAdaptersLetTheUserChoose) {
  Scenario s = DefaultScenario();
  sim::ScenarioAdapter second = s.adapters[0];
  second.hardwareId = "PCI\\VEN_1F3D&DEV_0312&SUBSYS_00011F3D&REV_01";
  second.friendlyName = "Second card";
  second.instanceId = "{11111111-2222-3333-4444-555555555555}";
  second.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0011";
  s.adapters.push_back(second);
  Start(s);
  chooser.pick = 1;
  ASSERT_TRUE(Discover());
  EXPECT_EQ(chooser.runs, 1);
  EXPECT_EQ(chooser.names, (std::vector<std::string>{"VQ-MA310X 11N Wireless Adapter", "Second card"}));
  EXPECT_EQ(ctx.instanceId, second.instanceId);
  EXPECT_EQ(ctx.family, kFamilyHeron);
  EXPECT_EQ(ctx.classKeyPath, world->classKeyPath(1));

  // The first adapter leaves: the next discovery takes the remaining one without asking and
  // notices the different key.
  world->Unplug(1);
  EXPECT_FALSE(IsAdapterPresent(world->deviceIo(), ctx));
  ASSERT_TRUE(Discover());
  EXPECT_EQ(chooser.runs, 1);
  EXPECT_EQ(ctx.classKeyPath, world->classKeyPath(0));
  EXPECT_TRUE(ctx.adapterChanged);
}

TEST_F(AdapterOnSimWorld, AdapterListFileMakesBuiltInAdapterUnsupported) {
  Start(DefaultScenario());
  TempDir::Write(dir / "NxUI.INI", "[HERONU]\r\nDeviceID_1=USB\\VID_1B75&PID_9999\r\n");
  EXPECT_FALSE(Discover());
  EXPECT_TRUE(handedOver.empty());
  TempDir::Write(dir / "NxUI.INI",
                 "[HERONU]\r\nDeviceID_1=USB\\VID_1B75&PID_9999\r\nDeviceID_2=usb\\vid_1b75&pid_3072\r\n");
  ASSERT_TRUE(Discover());
  EXPECT_EQ(ctx.tableIndex, 2);
}

TEST_F(AdapterOnSimWorld, SetFailingOnceSucceedsOnRetry) {
  Start(DefaultScenario());
  ASSERT_TRUE(Discover());
  DriverChannel channel(world->deviceIo(), loop, ctx);
  FailNext(OID_WLAN_TX_POWER, 1);
  EXPECT_FALSE(channel.SetDriverDword(OID_WLAN_TX_POWER, 50));
  EXPECT_EQ(world->faults().Fired(sim::fault::DriverRequest(OID_WLAN_TX_POWER)), 1);
  EXPECT_EQ(channel.PendingSets().size(), 1u);
  loop.AdvanceBy(500);
  EXPECT_TRUE(channel.PendingSets().empty());
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);
  EXPECT_EQ(driver().CountRequests(OID_WLAN_TX_POWER, true), 2u);
  EXPECT_EQ(driver().StoredWord(OID_WLAN_TX_POWER), 50u);
}

TEST_F(AdapterOnSimWorld, UnplugWhileSetsPendingDropsThemAll) {
  Start(DefaultScenario());
  ASSERT_TRUE(Discover());
  DriverChannel channel(world->deviceIo(), loop, ctx);
  driver().RecordRequests(true);
  FailNext(OID_WLAN_TX_POWER, 5);
  FailNext(OID_WLAN_PREAMBLE, 5);
  channel.SetDriverDword(OID_WLAN_TX_POWER, 50);
  loop.AdvanceBy(100);
  channel.SetDriverDword(OID_WLAN_PREAMBLE, 2);
  ASSERT_EQ(channel.PendingSets().size(), 2u);
  world->Unplug(0);
  const std::size_t requestsBefore = driver().requests().size();
  loop.AdvanceBy(400);  // only the first entry's timer has fired: it drops both
  EXPECT_TRUE(channel.PendingSets().empty());
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);
  world->Plug(0);
  loop.AdvanceBy(2000);
  EXPECT_EQ(driver().CountRequests(OID_WLAN_PREAMBLE, true), 1u);
  EXPECT_EQ(driver().requests().size(), requestsBefore);
}

TEST_F(AdapterOnSimWorld, QueryWithoutAdapter) {
  Start(DefaultScenario());
  ASSERT_TRUE(Discover());
  DriverChannel channel(world->deviceIo(), loop, ctx);
  std::array<std::uint8_t, 6> mac{};
  DWORD bytes = 0;
  ASSERT_TRUE(channel.QueryDriver(OID_802_3_CURRENT_ADDRESS, mac, bytes));
  EXPECT_EQ(mac, (std::array<std::uint8_t, 6>{0x00, 0x0C, 0x43, 0x30, 0x72, 0x81}));
  world->Unplug(0);
  mac.fill(0xAA);
  EXPECT_FALSE(channel.QueryDriver(OID_802_3_CURRENT_ADDRESS, mac, bytes));
  EXPECT_EQ(mac, (std::array<std::uint8_t, 6>{0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
  EXPECT_EQ(bytes, 0u);
}

TEST_F(AdapterOnSimWorld, Generation10SetsGoThroughACopy) {
  Scenario s = DefaultScenario();
  s.os.major = 5;
  s.os.minor = 2;
  s.os.productType = sim::ProductType::Workstation;
  Start(s);
  EXPECT_EQ(ctx.osGeneration, kOsXp64);
  ASSERT_TRUE(Discover());
  DriverChannel channel(world->deviceIo(), loop, ctx);
  std::vector<std::uint8_t> record(32);
  for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i);
  const std::vector<std::uint8_t> original = record;
  DWORD bytes = 0;
  ASSERT_TRUE(channel.SetDriver(OID_WLAN_STA_CONFIG, record, bytes));
  EXPECT_EQ(record, original);
  EXPECT_EQ(driver().Stored(OID_WLAN_STA_CONFIG), original);
}

struct SimChannelCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> registry;
  const char* expectedChannel;
};

class SimChannelValidation : public AdapterOnSimWorld, public ::testing::WithParamInterface<SimChannelCase> {};

TEST_P(SimChannelValidation, AgainstDriverRegion) {
  Scenario s = DefaultScenario();
  for (const auto& [name, value] : GetParam().registry) {
    bool replaced = false;
    for (auto& entry : s.adapters[0].registry) {
      if (entry.first == name) {
        entry.second = value;
        replaced = true;
      }
    }
    if (!replaced) s.adapters[0].registry.emplace_back(name, value);
  }
  Start(s);
  ASSERT_TRUE(Discover());
  HKEY key = 0;
  ASSERT_EQ(world->registry().CreateKey(kHkeyLocalMachine, ctx.classKeyPath + "\\Default", kKeyAllAccess, key),
            kErrorSuccess);
  world->registry().CloseKey(key);
  DriverChannel channel(world->deviceIo(), loop, ctx);
  int mode = 0;
  CountryRegionState region;
  ASSERT_TRUE(ValidateChannel(channel, world->registry(), ctx, true, mode, region));
  std::string channelText, defaultText;
  AdapterRegistry(world->registry(), ctx.classKeyPath).ReadText("Channel", channelText);
  AdapterRegistry(world->registry(), ctx.classKeyPath + "\\Default").ReadText("Channel", defaultText);
  EXPECT_EQ(channelText, GetParam().expectedChannel);
  EXPECT_EQ(defaultText, GetParam().expectedChannel);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimChannelValidation,
    ::testing::Values(
        SimChannelCase{"default_scenario_keeps_6", {}, "6"},
        SimChannelCase{"channel_13_region_0", {{"CountryRegion", "0"}, {"WirelessMode", "9"}, {"Channel", "13"}}, "1"},
        SimChannelCase{"channel_149_mixed_5ghz", {{"CountryRegionABand", "0"}, {"Channel", "149"}}, "149"},
        SimChannelCase{"a_only_takes_first_5ghz_channel", {{"WirelessMode", "2"}, {"CountryRegionABand", "4"}}, "149"},
        SimChannelCase{
            "unconfigured_regions_use_region_0",
            {{"CountryRegion", "128"}, {"CountryRegionABand", "128"}, {"WirelessMode", "9"}, {"Channel", "14"}},
            "1"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(AdapterOnSimWorld, ApDefaultWrittenOnceAndNeverChanged) {
  TempDir state;
  Start(DefaultScenario(), state.path().string());
  ASSERT_TRUE(Discover());
  {
    DriverChannel channel(world->deviceIo(), loop, ctx);
    ASSERT_TRUE(EnsureApDefaults(channel, world->registry(), ctx, true));
  }
  AdapterRegistry ap(world->registry(), ctx.classKeyPath + "\\ApDefault");
  std::string ssid;
  ASSERT_TRUE(ap.ReadText("SSID", ssid));
  EXPECT_EQ(ssid, "SoftAP-81");
  ASSERT_TRUE(ap.WriteText("SSID", "Changed"));
  world.reset();

  // The next start of the machine finds the subkey and leaves it alone.
  Start(DefaultScenario(), state.path().string());
  ASSERT_TRUE(Discover());
  DriverChannel channel(world->deviceIo(), loop, ctx);
  EXPECT_FALSE(EnsureApDefaults(channel, world->registry(), ctx, true));
  AdapterRegistry again(world->registry(), ctx.classKeyPath + "\\ApDefault");
  ASSERT_TRUE(again.ReadText("SSID", ssid));
  EXPECT_EQ(ssid, "Changed");
  int rts = 0;
  ASSERT_TRUE(again.ReadDecimal("RtsThresh", rts));
  EXPECT_EQ(rts, 2347);
}

}  // namespace
}  // namespace nxui
