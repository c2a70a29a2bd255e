// The whole core on the simulated machine under virtual time with the main window open and its pages
// built from the page table, as the GUI and the command line build them: the WPS page, its detail
// view, the AP details and the profile editor are the real ones over the hidden window.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "adapter/ICardChooser.h"
#include "platform/Platform.h"
#include "platform/VirtualEventLoop.h"
#include "profiles/CProfileEditorDlg.h"
#include "shell/CMessageBoxDlg.h"
#include "shell/IMainWindowView.h"
#include "shell/ITrayMenu.h"
#include "shell/NxCore.h"
#include "shell/PageSet.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWorld.h"
#include "survey/CAPDetailInfoDlg.h"
#include "wps/CPageWPSDlg.h"
#include "wps/CPageWPSProfile.h"

namespace nxui::test {

inline sim::ScenarioNetwork WpsNetwork(const std::string& ssid, const std::string& bssid, int channel,
                                       sim::AuthKind auth, sim::CipherKind cipher, const std::string& passphrase,
                                       bool pushButton = false) {
  sim::ScenarioNetwork n;
  n.ssid = ssid;
  n.bssid = *sim::ParseMac(bssid);
  n.channel = channel;
  n.rssi = -45;
  n.security.auth = auth;
  n.security.cipher = cipher;
  n.security.passphrase = passphrase;
  sim::ScenarioWps wps;
  wps.devicePasswordId = 0x0004;
  wps.pushButton = pushButton;
  n.wps = wps;
  return n;
}

// The embedded adapter with a WPA2-PSK access point whose button is pressed, an open one waiting for
// a PIN, a hidden one with WPS and a network without WPS; no platform profile, so nothing connects
// unless the utility asks.
inline sim::Scenario WpsPageScenario() {
  sim::Scenario s = sim::ScenarioLoader::LoadEmbedded().scenario;
  sim::ScenarioNetwork plain;
  plain.ssid = "Plain";
  plain.bssid = *sim::ParseMac("00-14-BF-33-20-02");
  plain.channel = 1;
  s.networks = {WpsNetwork("Router-WPS", "00-22-75-C4-B0-0B", 11, sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes,
                           "push-the-button", true),
                WpsNetwork("NewAP-Setup", "00-18-E7-10-C0-0C", 4, sim::AuthKind::Open, sim::CipherKind::None, ""),
                plain,
                WpsNetwork("", "00-24-01-AB-80-08", 6, sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "nobody-sees-me")};
  s.platformProfiles.clear();
  return s;
}

// Message boxes are remembered and answered as `answer` says (OK unless a test says Cancel).
class WpsViews final : public shell::IMessageBoxView,
                       public shell::ITrayMenu,
                       public ICardChooser,
                       public shell::IMainWindowView {
 public:
  void RunModal(shell::CMessageBoxDlg& box) override {
    messages.push_back(box.Text());
    if (answerOk || !box.HasCancel()) {
      box.OnOk();
    } else {
      box.OnCancel();
    }
  }
  UINT TrackPopup(const std::vector<shell::TrayMenuItem>&) override { return 0; }
  void RunModal(CSelCardDlg& dialog) override { dialog.SelectCandidate(0); }
  void Opened(shell::CNxUI2007Dlg&) override {}
  void Closed() override {}
  void BringToFront() override {}

  std::vector<std::string> messages;
  bool answerOk = true;
};

class WpsPageWorld {
 public:
  explicit WpsPageWorld(const sim::Scenario& scenario) {
    world = sim::SimWorld::Create(scenario, loop, sim::SimOptions{"", true}, error);
    if (!world) return;
    platform = std::make_unique<Platform>(Platform{world->deviceSetup(), world->deviceIo(), world->registry(),
                                                   world->systemInfo(), world->shell(), world->ipHelper(),
                                                   world->driverEvents(), loop, world->wlan(), world->random()});
    const std::filesystem::path state = world->stateDirectory();
    shell::HideDlgOptions hide;
    hide.settings.path = (state / sim::kLocalAppDataDirName).string() + "/";
    hide.programIni = state / "NxUI.ini";
    hide.adapterListFile = state / "NxUI.INI";
    hide.traceFile = state / "trace.txt";
    shell::HideDlgPorts ports{views, views, views, &views};
    core = std::make_unique<shell::NxCore>(*platform, Language::kEnglish, ports, hide);
  }

  ~WpsPageWorld() { pages.reset(); }

  // The hidden window starts (the main window opens at adapter-ready) and every page is built.
  void Start() {
    core->Start();
    loop.DrainMessages();
    pages = core->MakePages(std::nullopt);
    ASSERT_NE(core->HiddenWindow().MainWindow(), nullptr);
    pages->BuildAll();
    pages->Sync();
  }

  void Advance(std::uint64_t ms) {
    loop.AdvanceBy(ms);
    loop.DrainMessages();
  }

  // Rescan pressed and its results delivered.
  void Rescan() {
    Page().OnRescan();
    for (int i = 0; i < 50 && !Page().State().rescanEnabled; ++i) Advance(200);
  }

  int ApRow(const std::string& ssid) {
    const auto& rows = Page().State().apRows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].ssid == ssid) return static_cast<int>(i);
    }
    return -1;
  }

  CPageWPSDlg& Page() { return *pages->As<CPageWPSDlg>(shell::PageKey::Page(shell::PageId::Wps)); }
  CPageWPSProfile& Detail() { return *pages->As<CPageWPSProfile>(shell::PageKey::Panel(CPageWPSProfile::kPanel)); }
  CAPDetailInfoDlg& ApDetails() {
    return *pages->As<CAPDetailInfoDlg>(shell::PageKey::Panel(CAPDetailInfoDlg::kPanel));
  }
  CProfileEditorDlg& Editor() {
    return *pages->As<CProfileEditorDlg>(shell::PageKey::Panel(CProfileEditorDlg::kPanel));
  }
  shell::CHideDlg& Hidden() { return core->HiddenWindow(); }
  WpsEngineState& Engine() { return core->Wps().MutableState(); }
  int VisiblePanel() { return Hidden().MainWindow()->State().visiblePanel; }
  bool HiddenTimer(UINT_PTR id) const { return loop.HasTimer(core->HiddenWindow().Window(), id); }
  bool PageTimer(UINT_PTR id) { return loop.HasTimer(Page().Window(), id); }

  VirtualEventLoop loop;
  std::string error;
  std::unique_ptr<sim::SimWorld> world;
  std::unique_ptr<Platform> platform;
  WpsViews views;
  std::unique_ptr<shell::NxCore> core;
  std::unique_ptr<shell::PageSet> pages;
};

}  // namespace nxui::test
