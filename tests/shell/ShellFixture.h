// The hidden window on the simulated world under virtual time, with recording fakes for the views
// (message box, tray menu, adapter chooser, main window).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "adapter/ICardChooser.h"
#include "adapter/fakes/TempDir.h"
#include "common/SimTestHelpers.h"
#include "display/StringTable.h"
#include "platform/Platform.h"
#include "platform/VirtualEventLoop.h"
#include "shell/CHideDlg.h"
#include "shell/CMessageBoxDlg.h"
#include "shell/IMainWindowView.h"
#include "shell/ITrayMenu.h"
#include "shell/ShellIds.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWorld.h"

namespace nxui::shell::test {

class RecordingMessageBox final : public IMessageBoxView {
 public:
  void RunModal(CMessageBoxDlg& box) override {
    texts.push_back(box.Text());
    captions.push_back(box.Caption());
    okCaptions.push_back(box.OkCaption());
    cancelCaptions.push_back(box.CancelCaption());
    if (during) during();
    if (pressOk)
      box.OnOk();
    else
      box.OnClose();
  }
  std::vector<std::string> texts, captions, okCaptions, cancelCaptions;
  bool pressOk = true;
  std::function<void()> during;
};

class PickingTrayMenu final : public ITrayMenu {
 public:
  UINT TrackPopup(const std::vector<TrayMenuItem>& items) override {
    shown.push_back(items);
    return pick;
  }
  std::vector<std::vector<TrayMenuItem>> shown;
  UINT pick = 0;
};

class CountingChooser final : public ICardChooser {
 public:
  void RunModal(CSelCardDlg& dialog) override {
    ++runs;
    if (during) during();
    dialog.SelectCandidate(choice);
  }
  int runs = 0;
  int choice = 0;
  std::function<void()> during;
};

class RecordingMainView final : public IMainWindowView {
 public:
  void Opened(CNxUI2007Dlg&) override { ++opened; }
  void Closed() override { ++closed; }
  void BringToFront() override { ++raised; }
  int opened = 0, closed = 0, raised = 0;
};

// The embedded machine without its neighbourhood: nothing to connect to, so the link stays down.
inline sim::Scenario EmbeddedScenario() {
  auto result = sim::ScenarioLoader::LoadEmbedded();
  EXPECT_TRUE(result.ok) << result.error;
  result.scenario.networks.clear();
  result.scenario.platformProfiles.clear();
  return result.scenario;
}

// A network the adapter connects to at start (a platform profile names it).
inline sim::Scenario ConnectedScenario(int rssi = -55, const std::string& bssid = "00-11-22-33-44-55") {
  sim::Scenario s = EmbeddedScenario();
  sim::ScenarioNetwork n;
  n.ssid = "HomeNet";
  n.bssid = nxui::test::Mac(bssid);
  n.channel = 6;
  n.rssi = rssi;
  s.networks.push_back(n);
  sim::ScenarioPlatformProfile profile;
  profile.ssid = "HomeNet";
  s.platformProfiles.push_back(profile);
  return s;
}

class ShellFixture : public ::testing::Test {
 protected:
  void Build(const sim::Scenario& scenario) {
    std::string error;
    world = sim::SimWorld::Create(scenario, loop, sim::SimOptions{"", true}, error);
    ASSERT_NE(world, nullptr) << error;
    platform = std::make_unique<Platform>(Platform{world->deviceSetup(), world->deviceIo(), world->registry(),
                                                   world->systemInfo(), world->shell(), world->ipHelper(),
                                                   world->driverEvents(), loop, world->wlan(), world->random()});
  }

  void TearDown() override {
    if (world) nxui::test::ExpectArmedFaultsFired(world->faults());
  }

  void WriteIni(const std::string& text) { nxui::test::TempDir::Write(dir / "NxUI.ini", text); }

  HideDlgOptions Options(bool showOnStart = true) {
    HideDlgOptions options;
    options.showOnStart = showOnStart;
    options.programDirectory = (dir.path() / "").string();
    options.traceFile = dir / "trace.txt";
    options.programIni = dir / "NxUI.ini";
    options.adapterListFile = dir / "NxUI.INI";
    return options;
  }

  void Start(bool showOnStart = true, HideDlgHooks hooks = {}) {
    if (!world) Build(EmbeddedScenario());
    HideDlgPorts ports{messageBox, trayMenu, chooser, &mainView};
    dlg = std::make_unique<CHideDlg>(
        *platform, ports, Options(showOnStart), [this](std::uint32_t id) { return strings.LoadString(id); },
        std::move(hooks));
    dlg->OnInitDialog();
  }

  bool HasTimer(UINT_PTR id) const { return loop.HasTimer(dlg->Window(), id); }
  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    loop.PostMessage(dlg->Window(), message, wParam, lParam);
    loop.DrainMessages();
  }
  std::string ClassKey() const { return world->classKeyPath(0); }
  // A value of the adapter key as text, "" when missing.
  std::string KeyValue(const std::string& name) {
    HKEY key = 0;
    if (world->registry().OpenKey(kHkeyLocalMachine, ClassKey(), kKeyRead, key) != kErrorSuccess) return {};
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    const LONG r = world->registry().QueryValue(key, name, type, data);
    world->registry().CloseKey(key);
    if (r != kErrorSuccess) return "<missing>";
    std::string text(data.begin(), data.end());
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
  }

  nxui::test::TempDir dir;
  VirtualEventLoop loop;
  std::unique_ptr<sim::SimWorld> world;
  std::unique_ptr<Platform> platform;
  StringTable strings{Language::kEnglish};
  RecordingMessageBox messageBox;
  PickingTrayMenu trayMenu;
  CountingChooser chooser;
  RecordingMainView mainView;
  std::unique_ptr<CHideDlg> dlg;
};

}  // namespace nxui::shell::test
