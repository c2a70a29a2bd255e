#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "shell/ShellFixture.h"
#include "survey/CPageSiteSurveyDlg.h"

namespace nxui::shell::test {
namespace {

// A page window that records what the hidden window relays to it.
class RecordingPage final : public IMessageTarget {
 public:
  void OnTimer(UINT_PTR) override {}
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    received.push_back({message, wParam, lParam});
    return 0;
  }
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    friend bool operator==(const Message&, const Message&) = default;
  };
  std::vector<Message> received;
};

class HideDlgTimersTest : public ShellFixture {};

TEST_F(HideDlgTimersTest, StartWithAdapterOpensCollapsedWindowAndArmsTimers) {
  Start();
  ASSERT_NE(dlg->MainWindow(), nullptr);
  EXPECT_EQ(mainView.opened, 1);
  EXPECT_EQ(loop.TimerPeriod(dlg->Window(), kTimerPresence), 2000u);
  EXPECT_EQ(loop.TimerPeriod(dlg->Window(), kTimerWpsPbcPoll), 1000u);
  EXPECT_EQ(loop.TimerPeriod(dlg->Window(), kTimerRescan), 4000u);
  EXPECT_EQ(loop.TimerPeriod(dlg->Window(), kTimerMoreLess), 200u);
  EXPECT_FALSE(dlg->State().expanded);
  EXPECT_EQ(dlg->MainWindow()->State().moreLessCaption, "More");
  EXPECT_EQ(dlg->MainWindow()->State().moreLessBitmap, 301);
  EXPECT_EQ(world->shell().iconNumber(), 132);
  EXPECT_TRUE(messageBox.texts.empty());  // administrator: no message
}

TEST_F(HideDlgTimersTest, TrayOnlyStartOpensNothingUntilDoubleClick) {
  Start(false);
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  EXPECT_TRUE(world->shell().iconPresent());
  Post(kMsgTrayCallback, 0, kTrayLeftDoubleClick);
  ASSERT_NE(dlg->MainWindow(), nullptr);
  EXPECT_FALSE(dlg->MainWindow()->State().expanded);
  EXPECT_EQ(dlg->MainWindow()->State().caption, "VQ-MA310X Wireless Utility");
}

TEST_F(HideDlgTimersTest, NoAdapterPollsFourTicksThenIdlesUntilDeviceChange) {
  sim::Scenario s = EmbeddedScenario();
  s.adapters[0].present = false;
  Build(s);
  Start();
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  EXPECT_EQ(world->shell().iconNumber(), 161);
  EXPECT_EQ(world->shell().tip(), "VQ-MA310X 11N Wireless Adapter\nNot exist");
  EXPECT_EQ(chooser.runs, 0);

  loop.AdvanceBy(9999);  // ticks at 2, 4, 6, 8 s rediscover
  EXPECT_TRUE(HasTimer(kTimerPresence));
  EXPECT_EQ(dlg->TickCount(), 4);
  loop.AdvanceBy(1);  // the fifth finds four ticks without adapter
  EXPECT_FALSE(HasTimer(kTimerPresence));
  loop.AdvanceBy(60000);
  EXPECT_FALSE(HasTimer(kTimerPresence));

  // Plugging in announces the change to every window; the device-change message restarts polling.
  world->Plug(0);
  EXPECT_FALSE(dlg->Context().deviceOpen);
  loop.DrainMessages();
  EXPECT_EQ(dlg->TickCount(), 0);
  EXPECT_EQ(loop.TimerPeriod(dlg->Window(), kTimerPresence), 2000u);
  loop.AdvanceBy(2000);
  EXPECT_TRUE(dlg->Context().deviceOpen);
  EXPECT_NE(world->shell().iconNumber(), 161);
  EXPECT_EQ(dlg->MainWindow(), nullptr);  // rediscovery never opens the window
  EXPECT_TRUE(HasTimer(kTimerWpsPbcPoll));
}

TEST_F(HideDlgTimersTest, OtherDeviceChangeEventsAreIgnored) {
  sim::Scenario s = EmbeddedScenario();
  s.adapters[0].present = false;
  Build(s);
  Start();
  loop.AdvanceBy(10000);
  ASSERT_FALSE(HasTimer(kTimerPresence));
  Post(kMsgDeviceChange, 0x8000);  // arrival of a volume: not "nodes changed"
  EXPECT_FALSE(HasTimer(kTimerPresence));
}

TEST_F(HideDlgTimersTest, UnplugClosesWindowWithinOneTickAndReplugReopensNothing) {
  Start();
  ASSERT_NE(dlg->MainWindow(), nullptr);
  loop.AdvanceBy(2100);  // a normal tick first: tick count now above zero
  world->Unplug(0);
  loop.AdvanceBy(1999);  // timer 5 fires at 3 s and 4 s (at most one presence tick)
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  EXPECT_EQ(mainView.closed, 1);
  EXPECT_FALSE(HasTimer(kTimerMoreLess));
  EXPECT_EQ(world->shell().iconNumber(), 161);
  EXPECT_TRUE(HasTimer(kTimerPresence));

  // Polling stops after four more ticks of any timer.
  loop.AdvanceBy(10000);
  EXPECT_FALSE(HasTimer(kTimerPresence));

  world->Plug(0);
  Post(kMsgDeviceChange, kDeviceNodesChanged);
  loop.AdvanceBy(2000);
  EXPECT_TRUE(dlg->Context().deviceOpen);
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  EXPECT_EQ(mainView.opened, 1);
  EXPECT_EQ(world->shell().iconNumber(), 132);
}

TEST_F(HideDlgTimersTest, AdapterGoneBetweenPresenceCheckAndTrayClosesTheWindowAndKeepsPolling) {
  bool unplugNow = false;
  HideDlgHooks hooks;
  // Timer 5's poll runs after the presence check and before the tray refresh of the same tick.
  hooks.pollPbcStarted = [&] {
    if (std::exchange(unplugNow, false)) world->Unplug(0);
    return false;
  };
  Start(true, hooks);
  loop.AdvanceBy(6000);  // tick count well above four
  ASSERT_NE(dlg->MainWindow(), nullptr);
  unplugNow = true;
  loop.AdvanceBy(1000);
  ASSERT_FALSE(unplugNow);
  EXPECT_FALSE(dlg->Context().deviceOpen);
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  EXPECT_FALSE(HasTimer(kTimerMoreLess));
  EXPECT_EQ(world->shell().iconNumber(), 161);

  loop.AdvanceBy(2000);  // the idle count started afresh: rediscovery goes on for four ticks
  EXPECT_TRUE(HasTimer(kTimerPresence));
  EXPECT_EQ(world->shell().iconNumber(), 161);
  loop.AdvanceBy(10000);
  EXPECT_FALSE(HasTimer(kTimerPresence));
}

TEST_F(HideDlgTimersTest, SuspendStopsEveryTimerAndResumeRestartsTheTwoSecondRhythm) {
  Start(false);
  loop.AdvanceBy(2000);
  Post(kMsgPowerBroadcast, kPowerSuspend);
  for (UINT_PTR id = 0; id <= 9; ++id) EXPECT_FALSE(HasTimer(id)) << id;
  const int updates = world->shell().iconUpdates();
  loop.AdvanceBy(30000);
  EXPECT_EQ(world->shell().iconUpdates(), updates);

  Post(kMsgPowerBroadcast, kPowerResumeSuspend);
  EXPECT_EQ(dlg->TickCount(), 0);
  EXPECT_EQ(loop.TimerPeriod(dlg->Window(), kTimerPresence), 2000u);
  loop.AdvanceBy(1999);
  EXPECT_EQ(world->shell().iconUpdates(), updates);
  loop.AdvanceBy(1);
  EXPECT_GT(world->shell().iconUpdates(), updates);
}

TEST_F(HideDlgTimersTest, TickWritesTheTestSwitchForElevenNAdapters) {
  struct Case {
    const char* ini;
    const char* expected;
  };
  for (const Case& c :
       {Case{"[Advance]\nTGnWiFiTest=1\n", "1"}, Case{"[Advance]\nTGnWiFiTest=2\n", "0"}, Case{"", "0"}}) {
    SCOPED_TRACE(c.ini);
    dlg.reset();
    WriteIni(c.ini);
    Build(EmbeddedScenario());
    Start(false);
    loop.AdvanceBy(1000);
    EXPECT_EQ(KeyValue("TGnWifiTest"), c.expected);
  }
}

TEST_F(HideDlgTimersTest, TestSwitchIsNotWrittenOnceTheAdapterKeyIsGone) {
  WriteIni("[Advance]\nTGnWiFiTest=1\n");
  Start(false);
  loop.AdvanceBy(2100);
  ASSERT_EQ(KeyValue("TGnWifiTest"), "1");
  world->Unplug(0);
  loop.AdvanceBy(6000);  // the class key path is emptied, the family stays an 802.11n one
  ASSERT_FALSE(dlg->Context().deviceOpen);
  HKEY root = 0;
  ASSERT_EQ(world->registry().OpenKey(kHkeyLocalMachine, "", kKeyRead, root), kErrorSuccess);
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_NE(world->registry().QueryValue(root, "TGnWifiTest", type, data), kErrorSuccess)
      << "written below HKEY_LOCAL_MACHINE itself";
  world->registry().CloseKey(root);
}

TEST_F(HideDlgTimersTest, RescanTimerIsOneShotAndAsksTheSurveyPage) {
  Start();
  RecordingPage survey;
  const HWND surveyWindow = loop.CreateWindow(survey);
  dlg->MainWindow()->SetPageWindow(PageId::Network, surveyWindow);
  loop.AdvanceBy(4000);
  EXPECT_FALSE(HasTimer(kTimerRescan));
  EXPECT_EQ(std::count(survey.received.begin(), survey.received.end(),
                       RecordingPage::Message{kMsgCommand, CPageSiteSurveyDlg::kCmdRescan, 0}),
            1);
  loop.DestroyWindow(surveyWindow);
}

TEST_F(HideDlgTimersTest, RescanIsNotRequestedWithTheRadioOff) {
  Start();
  RecordingPage survey;
  const HWND surveyWindow = loop.CreateWindow(survey);
  dlg->MainWindow()->SetPageWindow(PageId::Network, surveyWindow);
  dlg->MutableState().radioOn = false;
  loop.AdvanceBy(4000);
  EXPECT_FALSE(HasTimer(kTimerRescan));
  for (const auto& m : survey.received) EXPECT_NE(m.wParam, CPageSiteSurveyDlg::kCmdRescan);
  loop.DestroyWindow(surveyWindow);
}

TEST_F(HideDlgTimersTest, ConnectRequestArmsTheReapplyTimerOnce) {
  int reapplied = 0;
  HideDlgHooks hooks;
  hooks.reapplyActiveProfile = [&] { ++reapplied; };
  Start(false, hooks);
  Post(wlan_msg::kConnectError);
  EXPECT_EQ(loop.TimerPeriod(dlg->Window(), kTimerReapply), 3000u);
  loop.AdvanceBy(2999);
  EXPECT_EQ(reapplied, 0);
  loop.AdvanceBy(1);
  EXPECT_EQ(reapplied, 1);
  EXPECT_FALSE(HasTimer(kTimerReapply));
  loop.AdvanceBy(10000);
  EXPECT_EQ(reapplied, 1);
}

TEST_F(HideDlgTimersTest, PushButtonSeenByTimerFiveStartsTheStatusPoll) {
  int statusPolls = 0;
  bool pbcStarted = false;
  HideDlgHooks hooks;
  hooks.pollPbcStarted = [&] { return std::exchange(pbcStarted, false); };
  hooks.pollWpsStatus = [&] { ++statusPolls; };
  Start(false, hooks);
  loop.AdvanceBy(1000);
  EXPECT_FALSE(HasTimer(kTimerWpsStatusPoll));
  pbcStarted = true;
  loop.AdvanceBy(1000);
  EXPECT_EQ(loop.TimerPeriod(dlg->Window(), kTimerWpsStatusPoll), 200u);
  loop.AdvanceBy(1000);
  EXPECT_EQ(statusPolls, 5);
}

TEST_F(HideDlgTimersTest, CredentialTimerRunsItsStepWithoutTheCommonTick) {
  int steps = 0;
  int pageRefreshes = 0;
  HideDlgHooks hooks;
  hooks.wpsCredentialStep = [&] { ++steps; };
  hooks.refreshPagesWlanView = [&] { ++pageRefreshes; };
  Start(true, hooks);
  // Only timer 4 left running, so every tick below is one of its own.
  for (UINT_PTR id : {kTimerPresence, kTimerWpsPbcPoll, kTimerRescan, kTimerMoreLess}) {
    loop.KillTimer(dlg->Window(), id);
  }
  dlg->StartWpsCredentialTimer();
  const int updates = world->shell().iconUpdates();
  loop.AdvanceBy(20000);
  EXPECT_EQ(steps, 2);
  EXPECT_EQ(pageRefreshes, 0);
  EXPECT_EQ(world->shell().iconUpdates(), updates);
}

TEST_F(HideDlgTimersTest, MoreLessTimerOnlyRefreshesTheButton) {
  int pageRefreshes = 0;
  HideDlgHooks hooks;
  hooks.refreshPagesWlanView = [&] { ++pageRefreshes; };
  Start(true, hooks);
  for (UINT_PTR id : {kTimerPresence, kTimerWpsPbcPoll, kTimerRescan}) loop.KillTimer(dlg->Window(), id);
  dlg->MutableState().expanded = true;
  loop.AdvanceBy(200);
  EXPECT_EQ(dlg->MainWindow()->State().moreLessCaption, "Less");
  EXPECT_EQ(dlg->MainWindow()->State().moreLessBitmap, 300);
  EXPECT_EQ(pageRefreshes, 0);
}

TEST_F(HideDlgTimersTest, ClosedMainWindowIsForgottenAtTheNextTick) {
  Start();
  dlg->MainWindow()->Close();
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  loop.AdvanceBy(1000);
  EXPECT_EQ(mainView.closed, 1);
  // Opening again builds a fresh one.
  Post(kMsgCommand, kCmdLaunchConfig);
  EXPECT_NE(dlg->MainWindow(), nullptr);
  EXPECT_EQ(mainView.opened, 2);
}

TEST_F(HideDlgTimersTest, RelaysReachOnlyThePagesThatExist) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<RecordingPage::Message> survey, wps, profile;
  };
  const std::vector<Case> cases = {
      {"scan complete", wlan_msg::kScanComplete, 0, 0, {{0x404, 0, 0}}, {{0x404, 0, 0}}, {}},
      {"scan failed, empty list", wlan_msg::kScanFailed, 0, 0, {{0x404, 0, 0}}, {{0x406, 0, 0}}, {}},
      {"radio off", wlan_msg::kRadioOff, 0, 0, {{0x404, 0, 0}}, {{0x404, 0, 0}}, {}},
      {"editor state", wlan_msg::kEditorState, 1, 7, {}, {}, {{0x407, 1, 7}}},
      {"roaming end", wlan_msg::kRoamingEnd, 0, 0, {}, {}, {}},
  };
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingPage survey, wps, profile;
    const HWND hs = loop.CreateWindow(survey), hw = loop.CreateWindow(wps), hp = loop.CreateWindow(profile);
    dlg->MainWindow()->SetPageWindow(PageId::Network, hs);
    dlg->MainWindow()->SetPageWindow(PageId::Wps, hw);
    dlg->MainWindow()->SetPageWindow(PageId::Profile, hp);
    Post(c.message, c.wParam, c.lParam);
    EXPECT_EQ(survey.received, c.survey);
    EXPECT_EQ(wps.received, c.wps);
    EXPECT_EQ(profile.received, c.profile);
    loop.DestroyWindow(hs);
    loop.DestroyWindow(hw);
    loop.DestroyWindow(hp);
  }
  // Without page windows nothing is posted anywhere and nothing breaks.
  Post(wlan_msg::kScanComplete);
  EXPECT_FALSE(dlg->ScanPending());
}

TEST_F(HideDlgTimersTest, ScanFailureWithEntriesKeepsTheSurveyList) {
  Start();
  RecordingPage survey;
  const HWND hs = loop.CreateWindow(survey);
  dlg->MainWindow()->SetPageWindow(PageId::Network, hs);
  dlg->ScanBuffer(1)[0] = 1;  // one entry in the pages' copy
  Post(wlan_msg::kScanFailed);
  EXPECT_TRUE(survey.received.empty());
  loop.DestroyWindow(hs);
}

}  // namespace
}  // namespace nxui::shell::test
