// The example scenarios users pass with --scenario: each file loads, and the core started on it
// reaches the tray state the file is meant to show, with a fact or two about how it got there.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "adapter/DriverChannelPort.h"
#include "adapter/Oids.h"
#include "monitor/CLinkStatusDlg.h"
#include "scan/BssidEx.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ScanEntryRecord.h"
#include "scan/ScanList.h"
#include "shell/NxCore.h"
#include "shell/ShellFixture.h"
#include "shell/ShellLinkStatusHost.h"
#include "sim/ScenarioLoader.h"

namespace nxui::shell::test {
namespace {

std::filesystem::path ScenarioDirectory() {
  // tests/data need not exist, so the path is resolved on paper.
  return std::filesystem::path(NXUI_TEST_DATA_DIR "/../../scenarios").lexically_normal();
}

std::vector<std::string> ScenarioFileNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(ScenarioDirectory(), error)) {
    if (entry.path().extension() == ".json") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

constexpr const char* kTipHead = "VQ-MA310X 11N Wireless Adapter\n";

struct Checkpoint {
  double atSeconds;
  int icon;
  std::string tipTail;  // the tooltip after the adapter line
};

class ScenarioExamplesTest;

struct Example {
  std::string name;
  std::string file;
  std::vector<Checkpoint> checkpoints;
  std::function<void(ScenarioExamplesTest&)> facts;
  int cardChoice = 0;
};

void PrintTo(const Example& example, std::ostream* out) { *out << example.file; }

class ScenarioExamplesTest : public ShellFixture, public ::testing::WithParamInterface<Example> {
 public:
  // Loads the file and starts the core on it as the program does, main window requested.
  void Launch(const std::string& file, int cardChoice) {
    const auto loaded = sim::ScenarioLoader::LoadFile((ScenarioDirectory() / file).string());
    ASSERT_TRUE(loaded.ok) << loaded.error;
    Build(loaded.scenario);
    ASSERT_NE(world, nullptr);
    chooser.choice = cardChoice;
    HideDlgPorts ports{messageBox, trayMenu, chooser, &mainView};
    core = std::make_unique<NxCore>(*platform, Language::kEnglish, ports, Options(true));
    core->Start();
  }

  void AdvanceTo(double seconds) {
    const auto target = static_cast<std::uint64_t>(seconds * 1000.0 + 0.5);
    if (target > loop.TickCount()) loop.AdvanceBy(target - loop.TickCount());
  }

  CHideDlg& Hidden() { return core->HiddenWindow(); }

  // The link status panel on the core's driver channel and WLAN session, after one refresh.
  const LinkStatusState& LinkPage() {
    if (!linkPage) {
      driverPort = std::make_unique<DriverChannelPort>(Hidden().Driver());
      linkHost = std::make_unique<ShellLinkStatusHost>(Hidden().State(), [] { return false; });
      linkPage = std::make_unique<CLinkStatusDlg>(*platform, Hidden().Context(), *driverPort, Hidden().Session(),
                                                  core->Strings(), *linkHost);
      linkPage->OnInitDialog();
      linkPage->OnShow();
    }
    linkPage->Refresh();
    return linkPage->State();
  }

  const PageButtonState* Button(PageId page) {
    CNxUI2007Dlg* window = Hidden().MainWindow();
    if (window == nullptr) return nullptr;
    for (const PageButtonState& b : window->State().buttons) {
      if (b.page == page) return &b;
    }
    return nullptr;
  }

  std::int32_t QueryRssi(std::uint32_t oid) {
    std::uint32_t raw = 0;
    EXPECT_TRUE(Hidden().Driver().QueryDriverDword(oid, raw));
    return static_cast<std::int32_t>(raw);
  }

  using ShellFixture::chooser;
  using ShellFixture::KeyValue;
  using ShellFixture::loop;
  using ShellFixture::mainView;
  using ShellFixture::messageBox;
  using ShellFixture::world;

  // Declared after the fixture's world: destroyed first.
  std::unique_ptr<NxCore> core;
  std::unique_ptr<DriverChannelPort> driverPort;
  std::unique_ptr<ShellLinkStatusHost> linkHost;
  std::unique_ptr<CLinkStatusDlg> linkPage;
};

TEST_P(ScenarioExamplesTest, ReachesItsTrayState) {
  const Example& example = GetParam();
  Launch(example.file, example.cardChoice);
  ASSERT_NE(core, nullptr);
  for (const Checkpoint& c : example.checkpoints) {
    AdvanceTo(c.atSeconds);
    SCOPED_TRACE(testing::Message() << example.file << " at " << c.atSeconds << " s");
    EXPECT_EQ(world->shell().iconNumber(), c.icon);
    EXPECT_EQ(world->shell().tip(), kTipHead + c.tipTail);
  }
  if (example.facts) example.facts(*this);
}

std::vector<Example> Examples() {
  using T = ScenarioExamplesTest;
  return {
      {"good_signal",
       "good-signal.json",
       {{10, 131, "Status : Good (Norvix-Home)"}},
       [](T& t) {
         EXPECT_EQ(t.mainView.opened, 1);
         EXPECT_TRUE(t.messageBox.texts.empty());
       }},
      {"normal_signal", "normal-signal.json", {{10, 159, "status : Normal (Upstairs-Office)"}}, nullptr},
      {"weak_signal",
       "weak-signal.json",
       {{10, 160, "Status : Weak (Garden-Shed)"}},
       [](T& t) { EXPECT_EQ(t.LinkPage().texts.status, "Garden-Shed <--> 00-0F-66-22-40-04 [192.168.1.1]"); }},
      {"disconnected",
       "disconnected.json",
       {{4, 132, "Disconnected"}, {20, 132, "Disconnected"}},
       [](T& t) {
         EXPECT_FALSE(t.world->association(0).connected);
         EXPECT_EQ(t.LinkPage().texts.status, "Disconnected");
         EXPECT_NE(t.Hidden().MainWindow(), nullptr);
       }},
      {"no_adapter",
       "no-adapter.json",
       {{0, 161, "Not exist"}, {20, 161, "Not exist"}},
       [](T& t) {
         EXPECT_FALSE(t.Hidden().Context().deviceOpen);
         EXPECT_EQ(t.chooser.runs, 0);  // the other maker's card is no candidate
         EXPECT_EQ(t.mainView.opened, 0);
         // Polling went idle four ticks after start.
         EXPECT_FALSE(t.loop.HasTimer(t.Hidden().Window(), kTimerPresence));
       }},
      {"wep_key_error",
       "wep-key-error.json",
       {{8, 131, "Status : Good (Attic-WEP)"}, {12, 162, "Status : WEP Error"}, {30, 162, "Status : WEP Error"}},
       [](T& t) { EXPECT_TRUE(t.Hidden().State().icvError); }},
      {"unplug_replug",
       "unplug-replug.json",
       {{28, 131, "Status : Good (Norvix-Home)"},
        {36, 161, "Not exist"},
        {39.9, 161, "Not exist"},
        {46, 131, "Status : Good (Norvix-Home)"}},
       [](T& t) {
         EXPECT_TRUE(t.Hidden().Context().deviceOpen);
         // The window went with the adapter; coming back reopens nothing.
         EXPECT_EQ(t.mainView.opened, 1);
         EXPECT_EQ(t.Hidden().MainWindow(), nullptr);
       }},
      {"two_adapters_first",
       "two-adapters.json",
       {{10, 131, "Status : Good (Norvix-Home)"}},
       [](T& t) {
         EXPECT_EQ(t.chooser.runs, 1);
         EXPECT_EQ(t.Hidden().Context().instanceId, t.world->adapter(0).instanceId);
         EXPECT_EQ(t.Hidden().Context().family, kFamilyHeronU);
       }},
      {"two_adapters_second",
       "two-adapters.json",
       {{10, 159, "status : Normal (Workshop-N)"}},
       [](T& t) {
         EXPECT_EQ(t.chooser.runs, 1);
         EXPECT_EQ(t.Hidden().Context().instanceId, t.world->adapter(1).instanceId);
         EXPECT_EQ(t.Hidden().Context().family, kFamilyHeron);
       },
       1},
      {"legacy_g_adapter",
       "legacy-g-adapter.json",
       {{10, 131, "Status : Good (CoffeeCorner)"}},
       [](T& t) {
         EXPECT_TRUE(t.Hidden().Context().legacyG);
         EXPECT_FALSE(t.Hidden().Context().is11n);
         const PageButtonState* wps = t.Button(PageId::Wps);
         ASSERT_NE(wps, nullptr);
         EXPECT_FALSE(wps->enabled);
         EXPECT_FALSE(t.LinkPage().ht.visible);
       }},
      {"pci_11n_adapter",
       "pci-11n-adapter.json",
       {{10, 131, "Status : Good (Lab-5G)"}},
       [](T& t) {
         const AdapterContext& c = t.Hidden().Context();
         EXPECT_EQ(c.family, kFamilyHeron);
         EXPECT_TRUE(c.pciMatched);
         EXPECT_TRUE(c.is11n);
         // The 802.11n PCI parts get the test switch written on every tick.
         EXPECT_EQ(t.KeyValue("TGnWifiTest"), "0");
       }},
      {"one_rssi_chain",
       "one-rssi-chain.json",
       {{10, 159, "status : Normal (Hallway-AP)"}},
       [](T& t) {
         EXPECT_EQ(t.QueryRssi(OID_WLAN_RSSI1), -200);
         const LinkStatusState& page = t.LinkPage();
         EXPECT_TRUE(page.bars[kSignal2Bar].visible);
         EXPECT_EQ(page.bars[kSignal2Bar].caption, "Signal Strength2 >>");
       }},
      {"no_wlan_service",
       "no-wlan-service.json",
       {{10, 132, "Disconnected"}},
       [](T& t) {
         EXPECT_FALSE(t.world->association(0).connected);
         EXPECT_EQ(t.LinkPage().texts.status, "AutoConfig service is disable");
       }},
      {"not_admin",
       "not-admin.json",
       {{10, 131, "Status : Good (Norvix-Home)"}},
       [](T& t) {
         ASSERT_EQ(t.messageBox.texts.size(), 1u);
         EXPECT_EQ(t.messageBox.texts[0], t.core->Strings().LoadString(string_id::kNoAdministratorPrivilege));
         const PageButtonState* profile = t.Button(PageId::Profile);
         ASSERT_NE(profile, nullptr);
         EXPECT_FALSE(profile->enabled);
       }},
      {"ap_disappears",
       "ap-disappears.json",
       {{18, 131, "Status : Good (Hotel-Lobby)"}, {22, 132, "Disconnected"}, {40, 132, "Disconnected"}},
       [](T& t) {
         EXPECT_TRUE(t.world->networksInRange().empty());
         EXPECT_EQ(t.LinkPage().texts.status, "Disconnected");
       }},
      {"raw_ies",
       "raw-ies.json",
       {{10, 159, "status : Normal (Kiosk-Raw)"}},
       [](T& t) {
         std::vector<std::uint8_t> buffer(bssid_ex::kScanBufferSize);
         ASSERT_EQ(t.Hidden().Session().BuildScanList(buffer), kErrorSuccess);
         ASSERT_TRUE(t.world->scenario().networks[0].ies.has_value());
         const std::vector<std::uint8_t>& raw = *t.world->scenario().networks[0].ies;
         const ScanList list(buffer);
         ASSERT_EQ(list.slots().size(), 1u);
         ScanEntryRecord entry;
         ASSERT_TRUE(ReadScanEntry(list.slots()[0].bytes, entry));
         EXPECT_EQ(entry.SsidText(), "Kiosk-Raw");
         // The elements arrive as given, the cut-off one included...
         EXPECT_NE(std::search(entry.ies.begin(), entry.ies.end(), raw.begin(), raw.end()), entry.ies.end());
         // ...and the decoder takes the WPA element and stops at the RSN one that runs past the end.
         EXPECT_EQ(DecodeScanEntryIes(entry, 0), "WPA-PSK;TKIP");
       }},
  };
}

INSTANTIATE_TEST_SUITE_P(Files, ScenarioExamplesTest, ::testing::ValuesIn(Examples()),
                         [](const ::testing::TestParamInfo<Example>& param) { return param.param.name; });

TEST(ScenarioExampleFiles, EveryFileLoadsAndSaysWhatItShows) {
  const std::vector<std::string> files = ScenarioFileNames();
  ASSERT_FALSE(files.empty()) << "no scenario files in " << ScenarioDirectory();
  for (const std::string& file : files) {
    const std::filesystem::path path = ScenarioDirectory() / file;
    const auto loaded = sim::ScenarioLoader::LoadFile(path.string());
    ASSERT_TRUE(loaded.ok) << file << ": " << loaded.error;
    std::ifstream in(path);
    const auto doc = nlohmann::json::parse(in, nullptr, false);
    ASSERT_TRUE(doc.is_object()) << file;
    ASSERT_TRUE(doc.contains("description") && doc["description"].is_string()) << file;
    const std::string description = doc["description"].get<std::string>();
    EXPECT_FALSE(description.empty()) << file;
    EXPECT_EQ(description.find('\n'), std::string::npos) << file << ": the description is one line";
  }
}

TEST(ScenarioExampleFiles, EveryFileHasItsExpectedStateAndEveryExpectationItsFile) {
  const std::vector<std::string> files = ScenarioFileNames();
  std::set<std::string> covered;
  for (const Example& e : Examples()) covered.insert(e.file);
  for (const std::string& file : files) EXPECT_TRUE(covered.count(file)) << file << " has no row in Examples()";
  for (const std::string& file : covered) {
    EXPECT_TRUE(std::find(files.begin(), files.end(), file) != files.end()) << file << " is missing";
  }
}

}  // namespace
}  // namespace nxui::shell::test
