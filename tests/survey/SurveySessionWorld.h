// A WLAN session on the simulated machine under virtual time, without the windows around it: the
// survey page's tests give it a fake host and this session.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "adapter/AdapterDiscovery.h"
#include "adapter/DriverChannel.h"
#include "adapter/ICardChooser.h"
#include "adapter/SystemChecks.h"
#include "platform/VirtualEventLoop.h"
#include "shell/StringTable.h"
#include "sim/SimWorld.h"
#include "wlan/DriverChannelPort.h"
#include "wlan/WlanSession.h"

namespace nxui::testing {

inline sim::Scenario OneHtNetworkScenario() {
  sim::Scenario scenario;
  scenario.adapters.push_back(sim::ScenarioAdapter{});
  sim::ScenarioNetwork home;
  home.ssid = "Home";
  home.bssid = "00-11-22-33-44-55";
  home.channel = 6;
  home.rssi = -55;
  home.phy = "n";
  scenario.networks = {home};
  return scenario;
}

class SurveySessionWorld {
 public:
  explicit SurveySessionWorld(const sim::Scenario& scenario = OneHtNetworkScenario()) {
    world = sim::SimWorld::Create(scenario, loop, sim::SimOptions{"", true}, error);
    if (!world) return;
    ClassifySystem(world->systemInfo(), context);
    AdapterDiscovery discovery(world->deviceSetup(), world->deviceIo(),
                               std::filesystem::path(world->stateDirectory()) / "NxUI.INI", chooser,
                               [](const std::string&, bool) {}, false);
    discovered = discovery.DiscoverAdapter(context);
    channel = std::make_unique<DriverChannel>(world->deviceIo(), loop, context);
    driver = std::make_unique<DriverChannelPort>(*channel);
    session = std::make_unique<WlanSession>(world->wlan(), loop, *driver);
    session->Open();
    session->Start(context.displayName, 0, false);
  }

  bool Ready() const { return world != nullptr && discovered; }

  // Connects to a network in range without a profile.
  void ConnectTo(const std::string& ssid) {
    WlanConnectionParameters parameters;
    parameters.connectionMode = kWlanConnectionModeDiscoveryUnsecure;
    parameters.hasSsid = true;
    parameters.ssid = Dot11Ssid::FromText(ssid);
    world->wlan().Connect(session->ClientHandle(), session->InterfaceInfo().interfaceGuid, parameters);
    loop.AdvanceBy(sim::SimWlanService::kConnectDelayMs + 10);
  }

  class FirstCard final : public ICardChooser {
   public:
    void RunModal(CSelCardDlg&) override {}
  };

  VirtualEventLoop loop;
  std::string error;
  std::unique_ptr<sim::SimWorld> world;
  AdapterContext context;
  FirstCard chooser;
  bool discovered = false;
  std::unique_ptr<DriverChannel> channel;
  std::unique_ptr<DriverChannelPort> driver;
  std::unique_ptr<WlanSession> session;
  StringTable strings{Language::kEnglish};
};

}  // namespace nxui::testing
