#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapter/Oids.h"
#include "base/ByteReader.h"
#include "shell/PageSet.h"
#include "sim/SimWlanProfile.h"
#include "wlan/WlanProfileBuilder.h"
#include "wps/WpsEngine.h"
#include "wps/WpsRegistrar.h"
#include "wps/WpsWorld.h"

namespace nxui {
namespace {

using test::NetworkNamed;
using test::WpsWorld;
using namespace wps_timer;

// The run's walk (about 5 s) and the page's next status poll.
constexpr std::uint64_t kRunMs = 6000;
// Success, the connect (1.2 s) and the monitor's next tick.
constexpr std::uint64_t kConnectMs = 4000;

std::vector<std::string> ConnectedProfiles(WpsWorld& w) {
  std::vector<std::string> names;
  for (const auto& call : w.world->wlan().ConnectCalls()) names.push_back(call.profile);
  return names;
}

// The WPS OIDs the engine sent, in order (sets only).
std::vector<Oid> WpsSets(WpsWorld& w) {
  std::vector<Oid> sets;
  for (const auto& r : w.driver().requests()) {
    if (r.isSet && (r.oid & 0xFFFFFF00u) == 0xFF0C0000u && r.oid >= OID_WLAN_WPS_START &&
        r.oid != OID_WLAN_WPS_CONNECT) {
      sets.push_back(r.oid);
    }
  }
  return sets;
}

std::vector<std::uint8_t> LastSet(WpsWorld& w, Oid oid) {
  const auto& requests = w.driver().requests();
  for (auto it = requests.rbegin(); it != requests.rend(); ++it) {
    if (it->isSet && it->oid == oid) return it->bytes;
  }
  return {};
}

class WpsEngineTest : public ::testing::Test {
 protected:
  void Begin(const sim::Scenario& scenario, bool withPage = true) {
    w = std::make_unique<WpsWorld>(scenario);
    ASSERT_NE(w->world, nullptr) << w->error;
    // The tests read the OID order the engine sent.
    w->driver().RecordRequests(true);
    w->Start(withPage);
  }
  // A PIN run on the named access point from the page.
  void PinRun(const std::string& ssid) {
    ASSERT_TRUE(w->page->Select(ssid));
    w->driver().ClearRequests();
    w->engine().StartPinRun();
  }
  WpsEngineState& state() { return w->hidden().Wps(); }

  std::unique_ptr<WpsWorld> w;
};

TEST_F(WpsEngineTest, EnrolleePinRunEndsConnectedWithTheCredentialStored) {
  Begin(test::WpsScenario());
  w->page->assocIe = true;
  w->page->probeIe = false;
  PinRun("Router-WPS");
  EXPECT_EQ(w->page->status, "启动 PIN 连接 - Router-WPS");
  EXPECT_EQ(w->page->progress, 5);
  EXPECT_FALSE(w->page->rescanEnabled);
  EXPECT_EQ(WpsSets(*w), (std::vector<Oid>{OID_WLAN_WPS_AUTO_SELECT, OID_WLAN_WPS_START, OID_WLAN_WPS_SET_CREDENTIALS,
                                           OID_WLAN_WPS_ASSOC_IE, OID_WLAN_WPS_PROBE_IE}));
  const std::vector<std::uint8_t> start = LastSet(*w, OID_WLAN_WPS_START);
  ASSERT_EQ(start.size(), 56u);
  EXPECT_EQ(LoadLe32(start.data()), kWpsMethodPin);
  EXPECT_EQ(std::string(start.begin() + 4, start.begin() + 12), "12345670");
  EXPECT_EQ(LoadLe32(start.data() + 12), 10u);
  EXPECT_EQ(std::string(start.begin() + 16, start.begin() + 26), "Router-WPS");
  EXPECT_EQ(std::vector<std::uint8_t>(start.begin() + 48, start.begin() + 54),
            (std::vector<std::uint8_t>{0x00, 0x22, 0x75, 0xC4, 0xB0, 0x0B}));
  EXPECT_EQ(start[54], 11) << "channel from the entry's frequency";
  EXPECT_EQ(start[55], kWpsRoleEnrollee);
  EXPECT_EQ(LoadLe32(LastSet(*w, OID_WLAN_WPS_AUTO_SELECT).data()), 0u);
  EXPECT_EQ(LoadLe32(LastSet(*w, OID_WLAN_WPS_ASSOC_IE).data()), 1u);
  EXPECT_EQ(LoadLe32(LastSet(*w, OID_WLAN_WPS_PROBE_IE).data()), 0u);

  w->Settle(kRunMs);
  EXPECT_EQ(state().wpsMethod, WpsMethod::None);
  ASSERT_EQ(state().table.count, 1u);
  EXPECT_EQ(CredentialSsid(state().table.credentials[0]), "Router-WPS");
  EXPECT_EQ(w->store().ReadStation("WSC"), "1");
  EXPECT_NE(w->WpsFileText().find("Key=push-the-button"), std::string::npos);
  EXPECT_FALSE(w->PageTimer(kPageStatusPoll));

  w->Settle(kConnectMs);
  EXPECT_EQ(w->ConnectedSsid(), "Router-WPS");
  EXPECT_EQ(w->page->status, "WPS 已经成功连接 - Router-WPS");
  EXPECT_EQ(w->page->progress, 100);
  EXPECT_EQ(w->page->marks, std::vector<int>{kCredentialConnected});
  EXPECT_TRUE(w->page->rescanEnabled);
  EXPECT_FALSE(state().rotateMode) << "connected: no more turns";
}

TEST_F(WpsEngineTest, RefusedPinStartsNothing) {
  Begin(test::WpsScenario());
  ASSERT_TRUE(w->page->Select("Router-WPS"));
  const std::uint32_t pin = state().pinCode;
  w->driver().ClearRequests();
  w->page->pinText = "1234567";
  w->engine().StartPinRun();
  w->page->pinText = "12345671";
  w->engine().StartPinRun();
  EXPECT_EQ(w->page->tips, std::vector<std::string>{"Invaild Pin Code"});
  EXPECT_EQ(w->page->messages, std::vector<std::string>{"Pin 码错误"});
  EXPECT_TRUE(WpsSets(*w).empty());
  EXPECT_EQ(state().pinCode, pin);
  EXPECT_EQ(state().wpsMethod, WpsMethod::None);
  EXPECT_FALSE(w->PageTimer(kPageStatusPoll));
}

TEST_F(WpsEngineTest, PinRunWithoutAnAccessPointStoresThePinAndDropsTheConnection) {
  Begin(test::WpsScenario());
  w->page->selected = -1;
  w->page->pinText = "01234565";
  w->driver().ClearRequests();
  w->engine().StartPinRun();
  EXPECT_EQ(state().pinCode, 1234565u);
  EXPECT_NE(w->WpsFileText().find("PinCode=1234565"), std::string::npos);
  EXPECT_TRUE(WpsSets(*w).empty());
  EXPECT_TRUE(state().wscConnect);
  EXPECT_EQ(state().autoApIndex, -1);
}

TEST_F(WpsEngineTest, PushButtonRunSendsNoAutoSelect) {
  Begin(test::WpsScenario());
  w->driver().ClearRequests();
  w->engine().StartPbcRun();
  EXPECT_EQ(w->page->status, "启动 PBC 连接");
  EXPECT_EQ(WpsSets(*w), (std::vector<Oid>{OID_WLAN_WPS_START, OID_WLAN_WPS_SET_CREDENTIALS, OID_WLAN_WPS_ASSOC_IE,
                                           OID_WLAN_WPS_PROBE_IE}));
  const std::vector<std::uint8_t> start = LastSet(*w, OID_WLAN_WPS_START);
  std::vector<std::uint8_t> expected(56, 0);
  expected[3] = 0x20;
  expected[55] = kWpsRoleEnrollee;
  EXPECT_EQ(start, expected);
  w->Settle(kRunMs + kConnectMs);
  EXPECT_EQ(w->ConnectedSsid(), "Router-WPS");
}

TEST_F(WpsEngineTest, WrongPinShowsCode262AndKeepsPolling) {
  sim::Scenario s = test::WpsScenario();
  NetworkNamed(s, "Router-WPS").wps->pin = "00000000";
  Begin(s);
  PinRun("Router-WPS");
  w->Settle(kRunMs);
  EXPECT_EQ(w->page->status, "PIN - PIN 码错误");
  EXPECT_EQ(state().autoApIndex, -1) << "Forget";
  EXPECT_EQ(w->page->progress, 60) << "the last step's progress stays";
  w->Settle(10000);
  EXPECT_TRUE(w->PageTimer(kPageStatusPoll));
  EXPECT_EQ(w->page->status, "PIN - PIN 码错误");
  EXPECT_EQ(state().table.count, 0u);
}

TEST_F(WpsEngineTest, ProcessFailureLeavesWpsConnectionMode) {
  sim::Scenario s = test::WpsScenario();
  NetworkNamed(s, "Router-WPS").wps->failAt = 516;
  Begin(s);
  w->engine().StartPbcRun();
  EXPECT_TRUE(state().wscConnect);
  w->Settle(kRunMs);
  EXPECT_FALSE(state().wscConnect);
  EXPECT_EQ(w->store().ReadStation("WSC"), "0");
  EXPECT_EQ(w->page->status, "PBC - WPS Eap 过程失败。");
  EXPECT_EQ(w->page->progress, 0);
  EXPECT_FALSE(w->PageTimer(kPageStatusPoll));
}

TEST_F(WpsEngineTest, WrongNonceRestartsThePinRunOnTheSelectedAccessPoint) {
  sim::Scenario s = test::WpsScenario();
  NetworkNamed(s, "Router-WPS").wps->failAt = 260;
  Begin(s);
  PinRun("Router-WPS");
  // Up to the first poll that sees 260.
  for (int i = 0; i < 40 && w->simWps().RunsStarted() < 2; ++i) w->Settle(200);
  EXPECT_EQ(w->simWps().RunsStarted(), 2);
  EXPECT_EQ(w->page->status, "启动 PIN 连接 - Router-WPS") << "the new run's text stands";
  EXPECT_TRUE(w->PageTimer(kPageStatusPoll));
}

TEST_F(WpsEngineTest, ThreeCredentialsAreTriedInTurnTenSecondsApart) {
  sim::Scenario s = test::WpsScenario();
  std::vector<sim::ScenarioWpsCredential> credentials(3);
  const char* names[] = {"Late-Net", "Gone-1", "Gone-2"};
  for (int i = 0; i < 3; ++i) {
    credentials[static_cast<std::size_t>(i)] = {
        names[i], sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "late-key-1", 0, std::nullopt};
  }
  NetworkNamed(s, "Router-WPS").wps->credentials = credentials;
  Begin(s);
  w->engine().StartPbcRun();
  std::vector<std::pair<std::string, std::uint64_t>> attempts;
  std::size_t seen = 0;
  bool added = false;
  for (std::uint64_t t = 0; t < 50000 && w->ConnectedSsid().empty(); t += 500) {
    w->Settle(500);
    const auto profiles = ConnectedProfiles(*w);
    for (; seen < profiles.size(); ++seen) attempts.emplace_back(profiles[seen], w->loop.TickCount());
    // Credential 0's network comes into range after the third attempt.
    if (!added && attempts.size() == 3) {
      sim::ScenarioNetwork late = NetworkNamed(s, "Norvix-Home");
      late.ssid = "Late-Net";
      late.bssid = *sim::ParseMac("00-22-75-C4-B0-0B");
      late.security.passphrase = "late-key-1";
      w->world->networksInRange().push_back(late);
      added = true;
    }
  }
  ASSERT_EQ(attempts.size(), 4u);
  EXPECT_EQ(attempts[0].first, "Late-Net");
  EXPECT_EQ(attempts[1].first, "Gone-1");
  EXPECT_EQ(attempts[2].first, "Gone-2");
  EXPECT_EQ(attempts[3].first, "Late-Net");
  for (std::size_t i = 1; i < attempts.size(); ++i) {
    EXPECT_NEAR(static_cast<double>(attempts[i].second - attempts[i - 1].second), 10000.0, 500.0) << i;
  }
  w->Settle(kConnectMs);
  EXPECT_EQ(w->ConnectedSsid(), "Late-Net");
  EXPECT_EQ(w->page->status, "WPS 已经成功连接 - Late-Net");
  EXPECT_EQ(w->page->marks, (std::vector<int>{kCredentialConnected, -1, -1}));
}

TEST_F(WpsEngineTest, AdaptersButtonWithoutThePageEndsInAStoredCredentialAndAConnection) {
  Begin(test::WpsScenario(), false);
  EXPECT_TRUE(w->HiddenTimer(kHiddenPbcPoll));
  sim::ScenarioEvent press;
  press.action = sim::EventAction::PressWpsButton;
  ASSERT_TRUE(w->world->RunEvent(press));
  w->Settle(1000);
  EXPECT_TRUE(w->HiddenTimer(kHiddenStatusPoll));
  EXPECT_TRUE(state().wscConnect);
  EXPECT_TRUE(state().rotateMode);
  w->Settle(kRunMs);
  EXPECT_FALSE(w->HiddenTimer(kHiddenStatusPoll));
  EXPECT_TRUE(w->HiddenTimer(kHiddenCredential));
  ASSERT_EQ(state().table.count, 1u);
  EXPECT_NE(w->WpsFileText().find("Key=push-the-button"), std::string::npos);
  EXPECT_EQ(w->store().ReadStation("WSC"), "1");
  w->Settle(kConnectMs);
  EXPECT_EQ(w->ConnectedSsid(), "Router-WPS");
  w->Settle(10000);
  EXPECT_FALSE(w->HiddenTimer(kHiddenCredential)) << "connected: timer 4 stops";
}

TEST_F(WpsEngineTest, RestartWithTheSameStateRestoresTheWpsConnection) {
  std::string pattern = (std::filesystem::temp_directory_path() / "nxui-wps-state-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::string stateDirectory = pattern;
  {
    WpsWorld first(test::WpsScenario(), stateDirectory);
    first.Start(true);
    first.engine().StartPbcRun();
    first.Settle(kRunMs + kConnectMs);
    ASSERT_EQ(first.ConnectedSsid(), "Router-WPS");
    // Nothing of the platform's own may connect on the next start: only the utility.
    first.hidden().Session().Profiles().DeleteAllProfiles();
  }
  WpsWorld second(test::WpsScenario(), stateDirectory);
  ASSERT_NE(second.world, nullptr) << second.error;
  second.Start(false);
  second.Settle(kConnectMs);
  EXPECT_TRUE(second.engine().State().wscConnect);
  EXPECT_EQ(second.engine().State().table.count, 1u);
  EXPECT_EQ(ConnectedProfiles(second), std::vector<std::string>{"Router-WPS"});
  EXPECT_EQ(second.ConnectedSsid(), "Router-WPS");
  std::filesystem::remove_all(stateDirectory);
}

TEST_F(WpsEngineTest, RegistrarHandsItsOwnCredentialToTheDevice) {
  Begin(test::WpsScenario());
  w->engine().ChangeConfigMode(WpsConfigMode::Registrar, 12345670);
  ASSERT_EQ(state().table.count, 1u);
  EXPECT_EQ(CredentialSsid(state().table.credentials[0]), "ExRegNW307281");
  EXPECT_EQ(w->page->marks.size(), 1u);
  EXPECT_NE(w->WpsFileText().find("ConfigMode=1"), std::string::npos);
  const WpsCredential own = state().table.credentials[0];

  w->page->pinText = "12345670";  // the device's PIN
  PinRun("NewAP-Setup");
  EXPECT_EQ(LastSet(*w, OID_WLAN_WPS_START)[55], kWpsRoleRegistrar);
  w->Settle(kRunMs);
  ASSERT_EQ(w->simWps().Handovers().size(), 1u);
  const WpsCredentialTable& handed = w->simWps().Handovers()[0].table;
  // Read by value: the record is packed and sits at an odd offset, where no reference may bind.
  const std::uint32_t handedCount = handed.count;
  EXPECT_EQ(handedCount, 1u);
  EXPECT_EQ(std::memcmp(&handed.credentials[0], &own, sizeof own), 0);

  w->engine().ChangeConfigMode(WpsConfigMode::Enrollee, 1234565);
  EXPECT_EQ(state().table.count, 0u);
  EXPECT_EQ(state().pinCode, 1234565u) << "enrollee takes the page's own PIN back";
}

TEST_F(WpsEngineTest, HostileCredentialTableFromTheDriverIsReadWithinItsFields) {
  Begin(test::WpsScenario());
  std::vector<std::uint8_t> raw(996, 0xFF);
  StoreLe32(raw.data(), 200);
  StoreLe32(raw.data() + 4, 255);  // slot 0: SSID length 255
  WpsCredential good{};
  SetCredentialSsid(good, "Router-WPS");
  good.authType = 32;
  good.encrType = 8;
  SetCredentialKey(good, "push-the-button");
  std::memcpy(raw.data() + 4 + 124, &good, sizeof good);
  w->simWps().SetRawCredentialBytes(raw);
  w->engine().StartPbcRun();
  w->Settle(kRunMs + kConnectMs);
  ASSERT_EQ(state().table.count, 1u) << "slots with lengths out of range are dropped";
  EXPECT_EQ(CredentialSsid(state().table.credentials[0]), "Router-WPS");
  EXPECT_EQ(w->ConnectedSsid(), "Router-WPS");
}

TEST_F(WpsEngineTest, HandOverBetweenPageAndHiddenWindow) {
  Begin(test::WpsScenario(), false);
  w->hidden().Wps().wscConnect = true;
  w->hidden().Wps().rotateMode = true;
  w->engine().OnHiddenCredentialStep();  // nothing to try: stops itself
  ASSERT_TRUE(w->HiddenTimer(kHiddenPbcPoll));
  w->page = std::make_unique<test::FakeWpsPage>(w->loop, w->engine(), w->hidden().Session());
  w->loop.SetTimer(w->hidden().Window(), kHiddenCredential, kHiddenCredentialMs);
  w->page->Create();
  EXPECT_FALSE(w->HiddenTimer(kHiddenPbcPoll));
  EXPECT_FALSE(w->HiddenTimer(kHiddenCredential));
  EXPECT_TRUE(w->PageTimer(kPagePbcPoll));
  EXPECT_FALSE(w->PageTimer(kPageMonitor)) << "no credentials to monitor";

  state().autoApIndex = 2;
  state().wpsMethod = WpsMethod::Pin;
  w->page->Destroy();
  EXPECT_EQ(state().autoApIndex, -1);
  EXPECT_EQ(state().wpsMethod, WpsMethod::None);
  EXPECT_TRUE(w->HiddenTimer(kHiddenPbcPoll));
  EXPECT_TRUE(w->HiddenTimer(kHiddenCredential)) << "rotating WPS connection: the hidden window goes on";
  EXPECT_FALSE(w->PageTimer(kPagePbcPoll));
}

TEST_F(WpsEngineTest, HiddenPollStandsAsideWhileThePageExists) {
  Begin(test::WpsScenario());
  // The adapter-ready sequence starts timer 5 after the main window (and this page) opened.
  w->loop.SetTimer(w->hidden().Window(), kHiddenPbcPoll, kHiddenPbcPollMs);
  sim::ScenarioEvent press;
  press.action = sim::EventAction::PressWpsButton;
  ASSERT_TRUE(w->world->RunEvent(press));
  // The page's push-button poll within a second, then its first status poll.
  w->Settle(kPagePbcPollMs + 2 * kPageStatusPollMs);
  EXPECT_FALSE(w->HiddenTimer(kHiddenPbcPoll));
  EXPECT_FALSE(w->HiddenTimer(kHiddenStatusPoll)) << "one poller follows the run: the page";
  EXPECT_TRUE(w->PageTimer(kPageStatusPoll));
  EXPECT_EQ(w->page->status.rfind("PBC - ", 0), 0u) << w->page->status;
  w->Settle(kRunMs + kConnectMs);
  EXPECT_EQ(w->ConnectedSsid(), "Router-WPS");
}

TEST_F(WpsEngineTest, DeletingTheCredentialInUseEndsWpsConnectionMode) {
  sim::Scenario s = test::WpsScenario();
  NetworkNamed(s, "Router-WPS").wps->credentials = std::vector<sim::ScenarioWpsCredential>{
      {"Router-WPS", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "push-the-button", 0, std::nullopt},
      {"Other", sim::AuthKind::Open, sim::CipherKind::None, "", 0, std::nullopt}};
  Begin(s);
  w->engine().StartPbcRun();
  w->Settle(kRunMs + kConnectMs);
  ASSERT_EQ(w->ConnectedSsid(), "Router-WPS");
  ASSERT_FALSE(state().rotateMode);
  PlatformProfileList& platform = w->hidden().Session().Profiles();
  ASSERT_EQ(platform.FindProfile("Router-WPS"), 1);

  w->engine().DeleteCredential(1);  // not the one in use
  EXPECT_TRUE(state().wscConnect);
  EXPECT_EQ(platform.FindProfile("Router-WPS"), 1);
  EXPECT_EQ(state().table.count, 1u);

  w->engine().DeleteCredential(0);
  EXPECT_FALSE(state().wscConnect);
  EXPECT_EQ(platform.FindProfile("Router-WPS"), 0);
  EXPECT_EQ(state().table.count, 0u);
  EXPECT_NE(w->WpsFileText().find("NumberofProfile=0"), std::string::npos);
  w->engine().DeleteCredential(0);  // nothing left: nothing happens
  EXPECT_EQ(state().table.count, 0u);
}

TEST_F(WpsEngineTest, ConnectionMatchesTheWholeNameAndTheAlgorithms) {
  Begin(test::WpsScenario());
  w->engine().StartPbcRun();
  w->Settle(kRunMs + kConnectMs);
  ASSERT_EQ(w->ConnectedSsid(), "Router-WPS");
  EXPECT_TRUE(w->engine().IsConnectedToCredential());
  WpsCredential& credential = state().table.credentials[0];
  SetCredentialSsid(credential, "Router");  // a prefix of the connected name
  EXPECT_FALSE(w->engine().IsConnectedToCredential());
  SetCredentialSsid(credential, "Router-WPS");
  credential.encrType = wps_encr::kTkipAes;  // expects TKIP, the link is CCMP
  EXPECT_FALSE(w->engine().IsConnectedToCredential());
  EXPECT_EQ(WpsEngine::ExpectedCipherAlgorithm(wps_encr::kTkipAes), kDot11CipherTkip);
}

TEST_F(WpsEngineTest, DisconnectEndsTheModeAndDeletesThePlatformProfiles) {
  Begin(test::WpsScenario());
  w->engine().StartPbcRun();
  w->Settle(kRunMs + kConnectMs);
  ASSERT_EQ(w->ConnectedSsid(), "Router-WPS");
  w->driver().ClearRequests();
  w->engine().Disconnect();
  w->Settle(500);
  EXPECT_EQ(w->ConnectedSsid(), "");
  EXPECT_FALSE(state().wscConnect);
  EXPECT_EQ(w->store().ReadStation("WSC"), "0");
  EXPECT_EQ(w->page->status, "WPS 未连接");
  EXPECT_EQ(w->page->marks, std::vector<int>{kCredentialUnmarked});
  EXPECT_EQ(w->driver().CountRequests(OID_DOT11_DISCONNECT_REQUEST, true), 1u);
  EXPECT_EQ(w->hidden().Session().Profiles().FindProfile("Router-WPS"), 0);
}

TEST_F(WpsEngineTest, ExportOpensTheEditorForEachCredentialInTurn) {
  Begin(test::WpsScenario());
  WpsCredentialTable& table = state().table;
  table.count = 2;
  SetCredentialSsid(table.credentials[0], "Attic-WEP");
  table.credentials[0].authType = wps_auth::kOpen;
  table.credentials[0].encrType = wps_encr::kWep;
  table.credentials[0].keyIndex = 2;
  SetCredentialKey(table.credentials[0], "0102030405060708090a0b0c0d");
  SetCredentialSsid(table.credentials[1], "Mixed-Mode");
  table.credentials[1].authType = wps_auth::kWpaPskWpa2Psk;
  table.credentials[1].encrType = wps_encr::kTkipAes;
  SetCredentialKey(table.credentials[1], "both-ways-ok");

  // The editor panel as the shell builds it: its close reaches the engine through the page table.
  std::unique_ptr<shell::PageSet> pages = w->core->MakePages(std::nullopt);
  auto* editor = pages->As<CProfileEditorDlg>(shell::PageKey::Panel(CProfileEditorDlg::kPanel));
  ASSERT_NE(editor, nullptr);
  CProfileEditorDlg& exported = *editor;

  w->engine().ExportCredentials(exported);
  ASSERT_TRUE(exported.Visible());
  EXPECT_EQ(exported.SystemConfig().Values().ssid, "Attic-WEP");
  const AuthEncryValues& wep = exported.AuthEncry().Values();
  EXPECT_EQ(wep.authIndex, kAuthOpen);
  EXPECT_EQ(wep.encIndex, kEncWep);
  EXPECT_EQ(wep.defaultKey, 2);
  EXPECT_EQ(wep.keyType[2], kKeyHex);
  EXPECT_EQ(wep.key[2], "0102030405060708090a0b0c0d");
  ASSERT_EQ(exported.OnOk(), EditorOkResult::Saved);

  ASSERT_TRUE(exported.Visible()) << "the next credential opens";
  EXPECT_EQ(exported.SystemConfig().Values().ssid, "Mixed-Mode");
  EXPECT_EQ(exported.AuthEncry().Values().authIndex, kAuthWpaPsk);
  EXPECT_EQ(exported.AuthEncry().Values().encIndex, kEncTkip);
  EXPECT_EQ(exported.AuthEncry().Values().preSharedKey, "both-ways-ok");
  exported.OnCancel();
  EXPECT_FALSE(exported.Visible());
  EXPECT_FALSE(w->engine().Exporting());
  ASSERT_EQ(w->store().ListProfiles().size(), 1u);
  const ProfileRecord saved = w->store().LoadProfile(w->store().ListProfiles()[0]);
  EXPECT_EQ(saved.ssid, "Attic-WEP");
  EXPECT_EQ(saved.wepKey3, "0102030405060708090a0b0c0d");
}

TEST_F(WpsEngineTest, ExportEndsWithTheEditorPanel) {
  Begin(test::WpsScenario());
  WpsCredentialTable& table = state().table;
  table.count = 2;
  SetCredentialSsid(table.credentials[0], "First");
  table.credentials[0].authType = wps_auth::kOpen;
  table.credentials[0].encrType = wps_encr::kNone;
  table.credentials[1] = table.credentials[0];
  SetCredentialSsid(table.credentials[1], "Second");
  {
    std::unique_ptr<shell::PageSet> pages = w->core->MakePages(std::nullopt);
    auto* editor = pages->As<CProfileEditorDlg>(shell::PageKey::Panel(CProfileEditorDlg::kPanel));
    ASSERT_NE(editor, nullptr);
    w->engine().ExportCredentials(*editor);
    ASSERT_TRUE(w->engine().Exporting());
  }
  EXPECT_FALSE(w->engine().Exporting()) << "the main window closed with an export open";
  // A later panel close must not reach the editor that went.
  w->engine().OnProfileEditorClosed();
  EXPECT_FALSE(w->engine().Exporting());
}

struct RegistrarRow {
  const char* name;
  RegistrarCredentialInput input;
  bool confirm;
  RegistrarSaveResult result;
  const char* tip;
  std::uint32_t authType, encrType, keyIndex;
  std::string key;
};

void PrintTo(const RegistrarRow& row, std::ostream* os) { *os << row.name; }

class RegistrarSave : public WpsEngineTest, public ::testing::WithParamInterface<RegistrarRow> {};

struct RecordingPrompt final : IRegistrarSavePrompt {
  void ShowKeyTip(const std::string& text) override { tips.push_back(text); }
  bool Confirm(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }
  std::vector<std::string> tips;
  std::vector<std::string> questions;
  bool answer = true;
};

RegistrarCredentialInput Input(int auth, int enc, std::size_t limit, const std::string& key, int lengthPosition = 0,
                               int indexPosition = 0, bool readOnly = false) {
  return RegistrarCredentialInput{"MyNet", auth, enc, lengthPosition, indexPosition, key, limit, readOnly};
}

TEST_P(RegistrarSave, ChecksTheKeyAndReplacesCredentialZero) {
  const RegistrarRow& row = GetParam();
  Begin(test::WpsScenario());
  w->engine().ChangeConfigMode(WpsConfigMode::Registrar, 12345670);
  const WpsCredential before = state().table.credentials[0];
  RecordingPrompt prompt;
  prompt.answer = row.confirm;
  EXPECT_EQ(SaveRegistrarCredential(w->engine(), row.input, prompt), row.result);
  EXPECT_EQ(prompt.tips, row.tip[0] == '\0' ? std::vector<std::string>{} : std::vector<std::string>{row.tip});
  const bool openNone = row.input.authPosition == kRegistrarOpen && row.input.encPosition == 0;
  EXPECT_EQ(prompt.questions, openNone ? std::vector<std::string>{wps_text::kOpenRisk} : std::vector<std::string>{});
  const WpsCredential& c = state().table.credentials[0];
  if (row.result != RegistrarSaveResult::Saved) {
    EXPECT_EQ(std::memcmp(&c, &before, sizeof c), 0) << "nothing changed";
    return;
  }
  EXPECT_EQ(CredentialSsid(c), "MyNet");
  EXPECT_EQ(c.authType, row.authType);
  EXPECT_EQ(c.encrType, row.encrType);
  EXPECT_EQ(c.keyIndex, row.keyIndex);
  EXPECT_EQ(CredentialKey(c), row.key);
  EXPECT_NE(w->WpsFileText().find("SSID=" + EncodeSsidHex("MyNet")), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RegistrarSave,
    ::testing::Values(RegistrarRow{"wpa2_psk_pass_phrase", Input(kRegistrarWpa2Psk, 1, 64, "longenough"), true,
                                   RegistrarSaveResult::Saved, "", 32, 8, 0, "longenough"},
                      RegistrarRow{"wpa_psk_tkip", Input(kRegistrarWpaPsk, 0, 64, "12345678"), true,
                                   RegistrarSaveResult::Saved, "", 2, 4, 0, "12345678"},
                      RegistrarRow{"psk_of_7_refused", Input(kRegistrarWpa2Psk, 1, 64, "1234567"), true,
                                   RegistrarSaveResult::KeyRefused, wps_text::kWpaKey, 0, 0, 0, ""},
                      RegistrarRow{"64_characters_must_be_hex", Input(kRegistrarWpa2Psk, 1, 64, std::string(64, 'z')),
                                   true, RegistrarSaveResult::KeyRefused, wps_text::kWpaKey, 0, 0, 0, ""},
                      RegistrarRow{"wep_13_ascii_key_3", Input(kRegistrarOpen, 1, 13, "abcdefghijklm", 2, 3), true,
                                   RegistrarSaveResult::Saved, "", 1, 2, 3, "abcdefghijklm"},
                      RegistrarRow{"wep_5_short", Input(kRegistrarOpen, 1, 5, "abcd", 0), true,
                                   RegistrarSaveResult::KeyRefused, wps_text::kWepKey5, 0, 0, 0, ""},
                      RegistrarRow{"wep_10_not_hex", Input(kRegistrarOpen, 1, 10, "abcdefghij", 1), true,
                                   RegistrarSaveResult::KeyRefused, wps_text::kWepKey10, 0, 0, 0, ""},
                      RegistrarRow{"wep_26_short", Input(kRegistrarOpen, 1, 26, "0102", 3), true,
                                   RegistrarSaveResult::KeyRefused, wps_text::kWepKey26, 0, 0, 0, ""},
                      RegistrarRow{"open_confirmed", Input(kRegistrarOpen, 0, 64, "", 0, 0, true), true,
                                   RegistrarSaveResult::Saved, "", 1, 1, 1,
                                   ""},  // the key index stays the generated credential's
                      RegistrarRow{"open_cancelled", Input(kRegistrarOpen, 0, 64, "", 0, 0, true), false,
                                   RegistrarSaveResult::Cancelled, "", 0, 0, 0, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(WpsEngineTest, EnrolleeDetailOkOnlyReturns) {
  Begin(test::WpsScenario());
  RecordingPrompt prompt;
  EXPECT_EQ(SaveRegistrarCredential(w->engine(), Input(kRegistrarWpa2Psk, 1, 64, "longenough"), prompt),
            RegistrarSaveResult::ReadOnly);
  EXPECT_EQ(state().table.count, 0u);
}

}  // namespace
}  // namespace nxui
