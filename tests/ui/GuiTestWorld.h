// A simulated machine with the front end's main window under virtual time, for the ui tests.
#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/VirtualEventLoop.h"
#include "shell/HeadlessViews.h"
#include "shell/PageSet.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimMachine.h"
#include "ui/GuiCore.h"
#include "ui/MainWindowView.h"
#include "ui/QtMainWindowHost.h"
#include "ui/QtTrayShell.h"

namespace nxui::test {

struct WorldSetup {
  bool present = true;
  bool is11n = true;
  int rssiChains = 2;
  bool connected = true;
  bool admin = true;
  std::string failingOids;    // JSON array members, e.g. "\"OID_WLAN_RSSI1\""
  std::string extraNetworks;  // JSON objects appended to the networks in range
  int homeRssi = -48;         // dBm of the network the profile connects to
  std::string homePhy = "g";  // its PHY ("n": an 802.11n access point)
  bool qtTray = false;        // the tray is a Qt tray icon (in a notification area that exists)
  bool shown = false;         // the main window is shown on the (offscreen) screen, as the program does
  std::string events;         // JSON objects of the scenario's events
  std::string language = "en";
};

inline std::string WorldJson(const WorldSetup& setup) {
  std::string json = R"({"version": 1, "os": {"admin": )" + std::string(setup.admin ? "true" : "false") + "},";
  json += R"( "adapters": [{"present": )" + std::string(setup.present ? "true" : "false");
  if (!setup.is11n) json += R"(, "hardwareId": "USB\\VID_2F19&PID_1001&REV_0001", "bands": ["2.4GHz"])";
  json += R"(, "driver": {"is11n": )" + std::string(setup.is11n ? "true" : "false") + R"(, "rssiChains": )" +
          std::to_string(setup.rssiChains) + R"(, "failingOids": [)" + setup.failingOids + "]}}],";
  json += R"( "networks": [{"ssid": "HomeNet", "bssid": "00-1D-7E-4A-21-90", "channel": 6, "rssi": )" +
          std::to_string(setup.homeRssi) + R"(,
               "phy": ")" +
          setup.homePhy + R"(", "security": {"auth": "wpa2-psk", "cipher": "aes", "passphrase": "sunflower-2008"}})";
  if (!setup.extraNetworks.empty()) json += ", " + setup.extraNetworks;
  json += "]";
  if (setup.connected) json += R"(, "platformProfiles": [{"ssid": "HomeNet"}])";
  if (!setup.events.empty()) json += R"(, "events": [)" + setup.events + "]";
  json += "}";
  return json;
}

class GuiTestWorld {
 public:
  // `iniText` is the program ini's content ("" for none).
  explicit GuiTestWorld(const WorldSetup& setup, const std::string& iniText = "", double settleSeconds = 10.0) {
    const sim::ScenarioLoadResult loaded = sim::ScenarioLoader::LoadText(WorldJson(setup), "test.json");
    EXPECT_TRUE(loaded.ok) << loaded.error;
    std::string error;
    std::unique_ptr<sim::SimMachine> machine =
        sim::SimMachine::Create(loaded.scenario, loop, sim::SimOptions{"", true}, error);
    EXPECT_TRUE(machine) << error;
    if (!machine) return;
    sim = machine.get();
    GuiOptions guiOptions;
    guiOptions.language = setup.language;
    core = std::make_unique<GuiCore>(loop, std::move(machine), guiOptions);
    host = std::make_unique<QtMainWindowHost>(*core, setup.shown);
    GuiCore::Ports ports;
    ports.messageBox = &views;
    ports.trayMenu = &views;
    ports.cardChooser = &views;
    ports.mainWindowView = host.get();
    if (setup.qtTray) {
      trayShell = std::make_unique<QtTrayShell>(sim->World().shell(), [this](UINT message, LPARAM event) {
        loop.PostMessage(Hide().Window(), message, 0, event);
      });
      trayShell->SetTrayAvailable(true);
      ports.shell = trayShell.get();
    }
    shell::HideDlgOptions options;
    // The profile files go to the test's own folder.
    options.settings.path = dir.filePath(QStringLiteral("settings")).toStdString() + "/";
    if (!iniText.empty()) {
      options.programIni = dir.filePath(QStringLiteral("NxUI.ini")).toStdString();
      QFile ini(dir.filePath(QStringLiteral("NxUI.ini")));
      EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
      ini.write(iniText.c_str());
    }
    core->Start(ports, options);
    Advance(settleSeconds);
  }
  ~GuiTestWorld() {
    if (core) core->Stop();
    host.reset();
    trayShell.reset();
  }

  void Advance(double seconds) {
    loop.AdvanceBy(static_cast<std::uint64_t>(seconds * 1000.0));
    if (host) host->SyncNow();
  }
  MainWindowView* View() const { return host ? host->View() : nullptr; }
  shell::CNxUI2007Dlg* Model() const { return host ? host->Model() : nullptr; }
  shell::CHideDlg& Hide() { return *core->Hide(); }

  QTemporaryDir dir;
  VirtualEventLoop loop;
  shell::HeadlessViews views;
  sim::SimMachine* sim = nullptr;  // owned by the core
  std::unique_ptr<GuiCore> core;
  std::unique_ptr<QtMainWindowHost> host;
  std::unique_ptr<QtTrayShell> trayShell;
};

}  // namespace nxui::test
