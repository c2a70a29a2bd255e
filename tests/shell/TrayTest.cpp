#include <gtest/gtest.h>

#include <cstring>

#include "adapter/Oids.h"
#include "shell/ShellFixture.h"
#include "shell/TrayDecision.h"

namespace nxui::shell::test {
namespace {

// ---- decisions ----

struct SignalCase {
  const char* name;
  std::int32_t rssi0;
  std::optional<std::int32_t> rssi1;
  bool icv;
  TrayState expected;
};

TEST(TrayDecision, SignalStateFromTheStrongerChain) {
  const SignalCase cases[] = {
      {"chain 1 stronger decides", -60, -45, false, TrayState::Good},
      {"chain 1 unreadable", -80, std::nullopt, false, TrayState::Weak},
      {"absent chain reads very low", -66, -200, false, TrayState::Normal},
      {"73 % is good", -61, std::nullopt, false, TrayState::Good},
      {"70 % is normal", -62, std::nullopt, false, TrayState::Normal},
      {"42 % is normal", -73, std::nullopt, false, TrayState::Normal},
      {"39 % is weak", -74, std::nullopt, false, TrayState::Weak},
      {"no link", -100, std::nullopt, false, TrayState::Weak},
      {"ICV error beats a strong signal", -30, -30, true, TrayState::WepError},
      {"ICV error beats a weak signal", -95, std::nullopt, true, TrayState::WepError},
  };
  for (const SignalCase& c : cases) {
    EXPECT_EQ(SignalState(StrongerRssi(c.rssi0, c.rssi1), c.icv), c.expected) << c.name;
  }
}

SsidRecord Ssid(const char* text) {
  SsidRecord r{};
  const auto n = static_cast<std::uint32_t>(std::strlen(text));
  r[0] = static_cast<std::uint8_t>(n);
  std::memcpy(r.data() + 4, text, n);
  return r;
}

TEST(TrayDecision, TargetNetwork) {
  const Dot11MacAddress ap{0, 0x11, 0x22, 0x33, 0x44, 0x55};
  const Dot11MacAddress other{0, 0x11, 0x22, 0x33, 0x44, 0x56};
  const Dot11MacAddress zero{};
  ConnectionSettings byBssid;
  byBssid.byBssid = 1;
  std::copy(ap.begin(), ap.end(), byBssid.bssid.begin());
  ConnectionSettings zeroBssid;
  zeroBssid.byBssid = 1;
  ConnectionSettings byName;
  byName.ssidLength = 4;
  std::memcpy(byName.ssid.data(), "Home", 4);
  ConnectionSettings byNameWithTail = byName;
  byNameWithTail.ssid[5] = 'x';  // bytes past the length still count: the whole record is compared

  struct Case {
    const char* name;
    const ConnectionSettings* record;
    Dot11MacAddress bssid;
    SsidRecord ssid;
    bool expected;
  };
  const Case cases[] = {
      {"no connection record", nullptr, ap, Ssid("Home"), false},
      {"bssid equal", &byBssid, ap, Ssid("Other"), true},
      {"bssid differs", &byBssid, other, Ssid("Home"), false},
      {"record bssid zero", &zeroBssid, zero, Ssid("Home"), false},
      {"name equal", &byName, other, Ssid("Home"), true},
      {"name differs", &byName, ap, Ssid("Hom"), false},
      {"current name empty", &byName, ap, Ssid(""), false},
      {"bytes past the length differ", &byNameWithTail, ap, Ssid("Home"), false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsOnTargetNetwork(c.record, c.bssid, c.ssid), c.expected) << c.name;
}

// ---- the icon ----

class RecordingShell final : public IShell {
 public:
  bool NotifyIcon(NotifyIconAction action, const NotifyIconData& data) override {
    calls.push_back({action, data.iconNumber});
    if (action == NotifyIconAction::Modify) return iconThere;
    if (action == NotifyIconAction::Add) iconThere = acceptAdd;
    if (action == NotifyIconAction::Delete) iconThere = false;
    return action == NotifyIconAction::Add ? acceptAdd : true;
  }
  bool Open(std::string_view) override { return true; }
  bool RunMinimised(std::string_view) override { return true; }
  std::vector<std::pair<NotifyIconAction, int>> calls;
  bool iconThere = false;
  bool acceptAdd = true;
};

TEST(TrayIconTest, StatesHaveTheirIconsAndTooltips) {
  StringTable table(Language::kEnglish);
  RecordingShell shell;
  TrayIcon tray(shell, [&](std::uint32_t id) { return table.LoadString(id); });
  const std::uint8_t ssid[] = {'C', 'a', 'f', 0xE9};  // not text: taken byte for byte
  struct Case {
    TrayState state;
    int icon;
    std::string tip;
  };
  const Case cases[] = {
      {TrayState::Good, 131, "VQ-MA310X 11N Wireless Adapter\nStatus : Good (Caf\xE9)"},
      {TrayState::Disconnected, 132, "VQ-MA310X 11N Wireless Adapter\nDisconnected"},
      {TrayState::Normal, 159, "VQ-MA310X 11N Wireless Adapter\nstatus : Normal (Caf\xE9)"},
      {TrayState::Weak, 160, "VQ-MA310X 11N Wireless Adapter\nStatus : Weak (Caf\xE9)"},
      {TrayState::Missing, 161, "VQ-MA310X 11N Wireless Adapter\nNot exist"},
      {TrayState::WepError, 162, "VQ-MA310X 11N Wireless Adapter\nStatus : WEP Error"},
  };
  ASSERT_TRUE(tray.Add(true));
  for (const Case& c : cases) {
    tray.SetState(c.state, ssid);
    EXPECT_EQ(tray.Data().iconNumber, c.icon);
    EXPECT_EQ(tray.Data().tip, c.tip);
    EXPECT_EQ(tray.Data().id, 131u);
    EXPECT_EQ(tray.Data().callbackMessage, 1124u);
  }
}

TEST(TrayIconTest, LongSsidIsCutToTheTooltipSize) {
  StringTable table(Language::kEnglish);
  RecordingShell shell;
  TrayIcon tray(shell, [](std::uint32_t) { return std::string(120, 'a') + "%s"; });
  const std::vector<std::uint8_t> ssid(32, 'b');
  tray.SetState(TrayState::Good, ssid);
  EXPECT_EQ(tray.Data().tip.size(), kTrayTipMax);
}

TEST(TrayIconTest, FailedAddIsRepairedByTheNextStateChange) {
  RecordingShell shell;
  shell.acceptAdd = false;
  TrayIcon tray(shell, [](std::uint32_t) { return std::string("t"); });
  EXPECT_FALSE(tray.Add(false));
  EXPECT_FALSE(tray.Added());
  shell.acceptAdd = true;
  shell.calls.clear();
  tray.SetState(TrayState::Weak);
  EXPECT_TRUE(tray.Added());
  ASSERT_EQ(shell.calls.size(), 3u);
  EXPECT_EQ(shell.calls[0].first, NotifyIconAction::Modify);
  EXPECT_EQ(shell.calls[1].first, NotifyIconAction::Delete);
  EXPECT_EQ(shell.calls[2], (std::pair{NotifyIconAction::Add, 160}));
}

// ---- per tick on the simulated world ----

class TrayWorldTest : public ShellFixture {};

TEST_F(TrayWorldTest, ConnectedLinkShowsItsSignalState) {
  struct Case {
    int rssi;
    int icon;
    const char* tip;
  };
  const Case cases[] = {
      {-55, 131, "VQ-MA310X 11N Wireless Adapter\nStatus : Good (HomeNet)"},
      {-68, 159, "VQ-MA310X 11N Wireless Adapter\nstatus : Normal (HomeNet)"},
      {-86, 160, "VQ-MA310X 11N Wireless Adapter\nStatus : Weak (HomeNet)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rssi);
    dlg.reset();
    Build(ConnectedScenario(c.rssi));
    Start(false);
    loop.AdvanceBy(6000);
    EXPECT_EQ(world->shell().iconNumber(), c.icon);
    EXPECT_EQ(world->shell().tip(), c.tip);
  }
}

TEST_F(TrayWorldTest, ZeroBssidReadsAsDisconnected) {
  Build(ConnectedScenario(-50, "00-00-00-00-00-00"));
  Start(false);
  loop.AdvanceBy(6000);
  ASSERT_TRUE(world->association(0).connected);
  EXPECT_EQ(world->shell().iconNumber(), 132);
}

TEST_F(TrayWorldTest, FailedSignalReadsDoNotShowAGoodSignal) {
  Build(ConnectedScenario(-40));
  Start(false);
  world->faults().Arm(sim::fault::DriverRequest(OID_WLAN_RSSI0), 1000);
  world->faults().Arm(sim::fault::DriverRequest(OID_WLAN_RSSI1), 1000);
  loop.AdvanceBy(6000);
  EXPECT_GT(world->faults().Fired(sim::fault::DriverRequest(OID_WLAN_RSSI0)), 0);
  EXPECT_EQ(world->shell().iconNumber(), 160);
}

TEST_F(TrayWorldTest, IcvErrorFromTheDriverShowsTheWepErrorEndToEnd) {
  sim::Scenario s = ConnectedScenario(-50);
  s.events.push_back({5.0, sim::EventAction::IcvError, 0, std::nullopt, {}});
  s.events.push_back({11.0, sim::EventAction::IcvClear, 0, std::nullopt, {}});
  Build(s);
  Start(false);
  loop.AdvanceBy(4000);
  EXPECT_EQ(world->shell().iconNumber(), 131);
  loop.AdvanceBy(2000);  // event at 5 s, tick at 6 s
  EXPECT_TRUE(dlg->State().icvError);
  EXPECT_EQ(world->shell().iconNumber(), 162);
  EXPECT_EQ(world->shell().tip(), "VQ-MA310X 11N Wireless Adapter\nStatus : WEP Error");
  loop.AdvanceBy(6000);  // cleared at 11 s, tick at 12 s
  EXPECT_FALSE(dlg->State().icvError);
  EXPECT_EQ(world->shell().iconNumber(), 131);
}

TEST_F(TrayWorldTest, MediaConnectEventsCauseNoDriverQuery) {
  Build(ConnectedScenario(-50));
  Start(false);
  loop.AdvanceBy(3000);
  const auto before = world->driver(0).CountRequests(OID_WLAN_ICV_STATE, false);
  world->driverEvents().Raise(kMediaConnectEventClass);
  loop.DrainMessages();
  EXPECT_EQ(world->driver(0).CountRequests(OID_WLAN_ICV_STATE, false), before);
}

TEST_F(TrayWorldTest, ReconnectCountGrowsOnlyOnTheTargetNetwork) {
  Build(ConnectedScenario(-50));
  Start(false);
  loop.AdvanceBy(4000);
  EXPECT_EQ(dlg->ReconnectCount(), 0);  // no connect request yet

  auto record = std::make_unique<ConnectionSettings>();
  record->ssidLength = 7;
  std::memcpy(record->ssid.data(), "HomeNet", 7);
  if (dlg->Queue().QueueAction(ActionType::Connect, std::move(record))) dlg->Queue().RunQueue();
  loop.AdvanceBy(2000);
  const int afterOne = dlg->ReconnectCount();
  EXPECT_GT(afterOne, 0);
  loop.AdvanceBy(2000);
  EXPECT_GT(dlg->ReconnectCount(), afterOne);

  auto elsewhere = std::make_unique<ConnectionSettings>();
  elsewhere->ssidLength = 5;
  std::memcpy(elsewhere->ssid.data(), "Other", 5);
  if (dlg->Queue().QueueAction(ActionType::Connect, std::move(elsewhere))) dlg->Queue().RunQueue();
  loop.AdvanceBy(1000);
  EXPECT_EQ(dlg->ReconnectCount(), 0);
}

TEST_F(TrayWorldTest, ShellRestartAddsTheIconBackAndItStillAnswers) {
  Start(false);
  loop.AdvanceBy(2000);
  Post(kMsgTaskbarCreated);
  EXPECT_TRUE(world->shell().iconPresent());
  EXPECT_TRUE(dlg->Tray().Added());
  Post(kMsgTaskbarCreatedAlt);
  EXPECT_TRUE(world->shell().iconPresent());
  Post(kMsgTrayCallback, 0, kTrayLeftDoubleClick);
  EXPECT_NE(dlg->MainWindow(), nullptr);
  trayMenu.pick = kCmdExit;
  Post(kMsgTrayCallback, 0, kTrayRightButtonDown);
  EXPECT_TRUE(dlg->Ended());
}

TEST_F(TrayWorldTest, MissingNotificationAreaAtStartIsRepairedByATick) {
  Build(EmbeddedScenario());
  world->faults().Arm(sim::fault::kNotifyIcon, 1);
  Start(false);
  EXPECT_EQ(world->faults().Fired(sim::fault::kNotifyIcon), 1);
  EXPECT_FALSE(dlg->Tray().Added());
  loop.AdvanceBy(1000);
  EXPECT_TRUE(dlg->Tray().Added());
  EXPECT_TRUE(world->shell().iconPresent());
}

TEST_F(TrayWorldTest, MenuOffersTwoCommandsAndActsOnTheChoice) {
  Start(false);
  Post(kMsgTrayCallback, 0, kTrayRightButtonDown);  // dismissed
  ASSERT_EQ(trayMenu.shown.size(), 1u);
  ASSERT_EQ(trayMenu.shown[0].size(), 2u);
  EXPECT_EQ(trayMenu.shown[0][0].text, "Launch Config Utilities");
  EXPECT_EQ(trayMenu.shown[0][0].command, 32771u);
  EXPECT_EQ(trayMenu.shown[0][1].text, "Exit");
  EXPECT_EQ(trayMenu.shown[0][1].command, 32772u);
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  EXPECT_FALSE(dlg->Ended());

  trayMenu.pick = kCmdLaunchConfig;
  Post(kMsgTrayCallback, 0, kTrayRightButtonDown);
  EXPECT_NE(dlg->MainWindow(), nullptr);
}

TEST_F(TrayWorldTest, DoubleClickWithoutAdapterOpensNothingAndSaysNothing) {
  sim::Scenario s = EmbeddedScenario();
  s.adapters[0].present = false;
  Build(s);
  Start(false);
  Post(kMsgTrayCallback, 0, kTrayLeftDoubleClick);
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  EXPECT_TRUE(messageBox.texts.empty());
  // The menu's "Launch Config Utilities" does say why.
  trayMenu.pick = kCmdLaunchConfig;
  bool selectionOpenDuring = false;
  messageBox.during = [&] { selectionOpenDuring = dlg->SelectionOpen(); };
  Post(kMsgTrayCallback, 0, kTrayRightButtonDown);
  ASSERT_EQ(messageBox.texts.size(), 1u);
  EXPECT_EQ(messageBox.texts[0], "NIC or driver not ready");
  EXPECT_TRUE(selectionOpenDuring);
  EXPECT_FALSE(dlg->SelectionOpen());
}

}  // namespace
}  // namespace nxui::shell::test
