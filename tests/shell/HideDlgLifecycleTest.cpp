#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "adapter/Oids.h"
#include "shell/ShellFixture.h"
#include "shell/ShellIds.h"

namespace nxui::shell::test {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class HideDlgLifecycleTest : public ShellFixture {};

TEST_F(HideDlgLifecycleTest, RadioToggleAsAdministratorWritesTheRadioValue) {
  Start();
  CNxUI2007Dlg* window = dlg->MainWindow();
  ASSERT_NE(window, nullptr);
  const auto radioButton = [&] {
    for (const auto& b : window->State().buttons) {
      if (b.controlId == kCtlRadio) return b;
    }
    return PageButtonState{};
  };
  EXPECT_EQ(radioButton().bitmap, 272);
  EXPECT_EQ(radioButton().caption, "开启/关闭");

  window->OnRadioButton();
  EXPECT_FALSE(dlg->State().radioOn);
  EXPECT_EQ(radioButton().bitmap, 273);
  EXPECT_EQ(KeyValue("Radio"), "1");
  EXPECT_TRUE(world->association(0).softwareRadioOff);

  window->OnRadioButton();
  EXPECT_TRUE(dlg->State().radioOn);
  EXPECT_EQ(radioButton().bitmap, 272);
  EXPECT_EQ(KeyValue("Radio"), "0");
  EXPECT_FALSE(world->association(0).softwareRadioOff);
}

TEST_F(HideDlgLifecycleTest, RadioToggleWithoutAdministratorChangesOnlyTheRadio) {
  sim::Scenario s = EmbeddedScenario();
  s.os.admin = false;
  Build(s);
  int stale = 0;
  HideDlgHooks hooks;
  hooks.markSurveyStale = [&] { ++stale; };
  Start(true, hooks);
  ASSERT_EQ(messageBox.texts.size(), 1u);  // shown once, start-up went on
  EXPECT_EQ(messageBox.texts[0], "You have no 'Administrator' privilege, so some features may not work successfully");
  EXPECT_EQ(messageBox.captions[0], "ZELU");
  ASSERT_NE(dlg->MainWindow(), nullptr);

  dlg->MainWindow()->OnRadioButton();
  EXPECT_FALSE(dlg->State().radioOn);
  EXPECT_TRUE(world->association(0).softwareRadioOff);
  EXPECT_EQ(KeyValue("Radio"), "<missing>");
  EXPECT_EQ(stale, 1);
  EXPECT_EQ(messageBox.texts.size(), 1u);
}

TEST_F(HideDlgLifecycleTest, RadioToggleQueuesOneScan) {
  Start();
  const std::size_t scans = world->wlan().ScanCount();
  dlg->ToggleRadio();
  dlg->ToggleRadio();
  loop.DrainMessages();
  EXPECT_GE(world->wlan().ScanCount(), scans + 1);
  EXPECT_TRUE(dlg->ScanPending());
  loop.AdvanceBy(3000);  // the scan completes and clears the flag
  EXPECT_FALSE(dlg->ScanPending());
}

TEST_F(HideDlgLifecycleTest, RadioStateIsReadAtAdapterReady) {
  Build(EmbeddedScenario());
  // Another program switched the radio off before we started.
  DWORD version = 0;
  WlanHandle handle = 0;
  ASSERT_EQ(world->wlan().OpenHandle(2, version, handle), kErrorSuccess);
  const Guid guid = *Guid::Parse(world->adapter(0).instanceId);
  WlanRadioState radio;
  ASSERT_EQ(world->wlan().QueryRadioState(handle, guid, radio), kErrorSuccess);
  for (WlanPhyRadioState phy : radio.phys) {
    phy.softwareRadioState = kDot11RadioOff;
    world->wlan().SetRadioState(handle, guid, phy);
  }
  world->wlan().CloseHandle(handle);
  Start();
  EXPECT_FALSE(dlg->State().radioOn);
  EXPECT_EQ(dlg->MainWindow()->State().buttons[6].bitmap, 273);
}

TEST_F(HideDlgLifecycleTest, ExitClosesEverythingAndDestructionSnapshotsTheKey) {
  Start();
  Post(kMsgCommand, kCmdExit);
  EXPECT_TRUE(dlg->Ended());
  EXPECT_EQ(dlg->MainWindow(), nullptr);
  EXPECT_FALSE(world->shell().iconPresent());
  for (UINT_PTR id = 0; id <= 9; ++id) EXPECT_FALSE(HasTimer(id)) << id;
  EXPECT_EQ(world->driverEvents().SubscriptionCount(), 2u);

  // A value changed after start must show up in "Default" (made by the driver's installation)
  // once the window is gone.
  HKEY key = 0;
  ASSERT_EQ(world->registry().CreateKey(kHkeyLocalMachine, ClassKey() + "\\Default", kKeyAllAccess, key),
            kErrorSuccess);
  world->registry().CloseKey(key);
  ASSERT_EQ(world->registry().OpenKey(kHkeyLocalMachine, ClassKey(), kKeyAllAccess, key), kErrorSuccess);
  const std::string marker = "4242";
  world->registry().SetValue(key, "ShellMarker", kRegSz,
                             std::span(reinterpret_cast<const std::uint8_t*>(marker.data()), marker.size()));
  world->registry().CloseKey(key);
  dlg.reset();
  EXPECT_EQ(world->driverEvents().SubscriptionCount(), 0u);
  ASSERT_EQ(world->registry().OpenKey(kHkeyLocalMachine, ClassKey() + "\\Default", kKeyRead, key), kErrorSuccess);
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_EQ(world->registry().QueryValue(key, "ShellMarker", type, data), kErrorSuccess);
  EXPECT_EQ(std::string(data.begin(), data.end()), marker);
  world->registry().CloseKey(key);
}

TEST_F(HideDlgLifecycleTest, ExitIsRefusedWhileAModalMessageIsOpen) {
  sim::Scenario s = EmbeddedScenario();
  s.adapters[0].present = false;
  Build(s);
  Start(false);
  // "NIC or driver not ready" is up; an Exit arriving meanwhile is ignored.
  messageBox.during = [&] { dlg->OnMessage(kMsgCommand, kCmdExit, 0); };
  Post(kMsgCommand, kCmdLaunchConfig);
  EXPECT_EQ(messageBox.texts.size(), 1u);
  EXPECT_FALSE(dlg->Ended());
  EXPECT_TRUE(world->shell().iconPresent());
}

TEST_F(HideDlgLifecycleTest, PendingDriverSetsAreDroppedWithTheWindow) {
  Start(false);
  world->faults().Arm(sim::fault::DriverRequest(OID_WLAN_TX_POWER), 100);
  EXPECT_FALSE(dlg->Driver().SetDriverDword(OID_WLAN_TX_POWER, 50));
  ASSERT_EQ(dlg->Driver().PendingSets().size(), 1u);
  const std::size_t timersBefore = loop.ActiveTimerCount();
  dlg.reset();
  EXPECT_LT(loop.ActiveTimerCount(), timersBefore);
  loop.AdvanceBy(5000);  // no retry fires into the destroyed channel
}

TEST_F(HideDlgLifecycleTest, OperatingModeIsResetAndTheBridgeRemoved) {
  sim::Scenario s = EmbeddedScenario();
  s.adapters[0].driver.opMode = 1;
  Build(s);
  Start(false);
  ASSERT_EQ(world->shell().commandLines().size(), 1u);
  EXPECT_EQ(world->shell().commandLines()[0], "\"netbridge.exe\" remove");
  EXPECT_EQ(world->driver(0).StoredWord(OID_WLAN_OP_MODE), 0u);
}

TEST_F(HideDlgLifecycleTest, StationModeRunsNoCommand) {
  Start(false);
  EXPECT_TRUE(world->shell().commandLines().empty());
}

TEST_F(HideDlgLifecycleTest, AdapterReadyPreparesTheKeyAndReadsTheDriverVersion) {
  int readySteps = 0;
  DWORD readyResult = 99;
  HideDlgHooks hooks;
  hooks.profileAdapterReady = [&](DWORD result) {
    ++readySteps;
    readyResult = result;
  };
  Start(false, hooks);
  EXPECT_EQ(readySteps, 1);
  EXPECT_EQ(readyResult, kErrorSuccess);
  EXPECT_EQ(dlg->Supports5GHz(), 1);
  EXPECT_EQ(dlg->DriverVersion(), 0x0501);
  HKEY key = 0;
  EXPECT_EQ(world->registry().OpenKey(kHkeyLocalMachine, ClassKey() + "\\ApDefault", kKeyRead, key), kErrorSuccess);
  world->registry().CloseKey(key);
  EXPECT_FALSE(dlg->SelectionOpen());
}

TEST_F(HideDlgLifecycleTest, HelpOpensTheHelpFileInTheProgramDirectory) {
  Start();
  dlg->MainWindow()->OnHelpButton();
  ASSERT_EQ(world->shell().opened().size(), 1u);
  EXPECT_EQ(world->shell().opened()[0], (dir.path() / "VIROZUREDED.UDA").string());
}

TEST_F(HideDlgLifecycleTest, TraceFollowsTheIniSwitch) {
  WriteIni("[Advance]\nOpenFile=1\n");
  Start(false);
  Post(wlan_msg::kScanComplete);
  const std::string trace = ReadFile(dir / "trace.txt");
  const std::string startup =
      "Start to set task bar\nEnd to set task bar\nStart to IniWMIMsgEvent\n"
      "Start to set window handle\nEnd to set window handle\nStart to set message string\n"
      "End to set message string\nStart to register event\nStart to coinitializeEx\n"
      "End to coinitializeEx\nStart to Coinitializesecurity\nEnd to Coinitializesecurity\n"
      "Start to CoCreateInstance\nEnd to CoCreateInstance\nStart to ConnectServer\nEnd to ConnectServer\n"
      "Start to ExecuteQuery\nEnd to ExecuteQuery\nEnd to register event\n"
      "End to IniWMIMsgEvent\nStart to set event be zero\nEnd to set event be zero\n";
  EXPECT_EQ(trace.substr(0, startup.size()), startup);
  EXPECT_NE(trace.find(" Message = 0x00000404\n"), std::string::npos);
}

TEST_F(HideDlgLifecycleTest, NoTraceUnlessSwitchedOn) {
  WriteIni("[Advance]\nOpenFile=yes\n");
  Start(false);
  Post(wlan_msg::kScanComplete);
  EXPECT_FALSE(std::filesystem::exists(dir / "trace.txt"));
}

TEST_F(HideDlgLifecycleTest, FailedSubscriptionLeavesNoTraceOfSuccessAndNoMessage) {
  WriteIni("[Advance]\nOpenFile=1\n");
  Build(EmbeddedScenario());
  world->faults().Arm(sim::fault::kSubscribe, 2);
  Start(false);
  EXPECT_FALSE(dlg->EventSink().MessageEventRegistered());
  EXPECT_FALSE(dlg->EventSink().MediaConnectRegistered());
  EXPECT_TRUE(messageBox.texts.empty());
  const std::string trace = ReadFile(dir / "trace.txt");
  EXPECT_EQ(trace.find("End to ExecuteQuery"), std::string::npos);
  EXPECT_NE(trace.find("End to register event\n"), std::string::npos);
  // Without driver events the ICV state is simply never asked.
  world->SetIcvError(0, true);
  loop.AdvanceBy(4000);
  EXPECT_FALSE(dlg->State().icvError);
}

TEST_F(HideDlgLifecycleTest, LegacyGAdapterIgnoresIcvEventsAndLacksTheNewerPages) {
  WriteIni("[Advance]\nTGnWiFiTest=1\n[Page]\n11n Setting=1\n");
  sim::Scenario s = EmbeddedScenario();
  s.adapters[0].hardwareId = "USB\\VID_2F19&PID_1001";  // a first-generation 802.11g part
  Build(s);
  Start();
  ASSERT_TRUE(dlg->Context().legacyG);
  world->SetIcvError(0, true);
  loop.AdvanceBy(2000);
  EXPECT_GT(world->driver(0).CountRequests(OID_WLAN_ICV_STATE, false), 0u);  // asked, then ignored
  EXPECT_FALSE(dlg->State().icvError);
  EXPECT_EQ(KeyValue("TGnWifiTest"), "<missing>");
  for (const auto& b : dlg->MainWindow()->State().buttons) {
    if (b.controlId == kCtlPageWps || b.controlId == kCtlPage80211n) {
      EXPECT_FALSE(b.enabled) << b.controlId;
    }
  }
}

TEST_F(HideDlgLifecycleTest, AuthenticationLogIsClearedAtStart) {
  Start(false);
  EXPECT_EQ(dlg->AuthLog().Count(), 0u);
}

TEST_F(HideDlgLifecycleTest, SecondAdapterIsChosenWithTheSelectionMarkedOpen) {
  sim::Scenario s = EmbeddedScenario();
  sim::ScenarioAdapter second = s.adapters[0];
  second.friendlyName = "Second adapter";
  second.instanceId = "{11111111-2222-3333-4444-555555555555}";
  second.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0008";
  s.adapters.push_back(second);
  Build(s);
  bool openDuring = false;
  chooser.choice = 1;
  chooser.during = [&] { openDuring = dlg->SelectionOpen(); };
  Start(false);
  EXPECT_EQ(chooser.runs, 1);
  EXPECT_TRUE(openDuring);
  EXPECT_FALSE(dlg->SelectionOpen());
  EXPECT_EQ(dlg->Context().displayName, "Second adapter");
}

}  // namespace
}  // namespace nxui::shell::test
