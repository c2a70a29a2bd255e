// The monitor pages on the simulated machine under virtual time: discovery fills the adapter
// context, the driver channel and the WLAN session run against the simulated driver and service.
// Shared by the end-to-end tests and the benchmark.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "adapter/AdapterDiscovery.h"
#include "adapter/DriverChannel.h"
#include "adapter/ICardChooser.h"
#include "adapter/SystemChecks.h"
#include "monitor/ShellLinkStatusHost.h"
#include "platform/Platform.h"
#include "platform/VirtualEventLoop.h"
#include "shell/CNxUI2007Dlg.h"
#include "shell/StringTable.h"
#include "sim/SimWorld.h"
#include "wlan/DriverChannelPort.h"
#include "wlan/WlanSession.h"

namespace nxui::test {

class FirstCardChooser final : public ICardChooser {
 public:
  void RunModal(CSelCardDlg&) override {}
};

inline sim::ScenarioNetwork MonitorNetwork() {
  sim::ScenarioNetwork n;
  n.ssid = "Home";
  n.bssid = "00-11-22-33-44-55";
  n.channel = 6;
  n.rssi = -55;
  n.phy = "n";
  sim::ScenarioHt ht;
  ht.width = 40;
  ht.secondaryOffset = 1;
  n.ht = ht;
  return n;
}

inline sim::Scenario MonitorScenario() {
  sim::Scenario scenario;
  scenario.adapters.push_back(sim::ScenarioAdapter{});
  scenario.networks = {MonitorNetwork()};
  return scenario;
}

class MonitorWorld {
 public:
  explicit MonitorWorld(const sim::Scenario& scenario = MonitorScenario()) {
    world = sim::SimWorld::Create(scenario, loop, sim::SimOptions{"", true}, error);
    if (!world) return;
    platform = std::make_unique<Platform>(Platform{world->deviceSetup(), world->deviceIo(), world->registry(),
                                                   world->systemInfo(), world->shell(), world->ipHelper(),
                                                   world->driverEvents(), loop, world->wlan()});
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

  // Connects to a network in range without a profile, as a survey pick does.
  void ConnectTo(const std::string& ssid) {
    WlanConnectionParameters parameters;
    parameters.connectionMode = kWlanConnectionModeDiscoveryUnsecure;
    parameters.hasSsid = true;
    parameters.ssid = Dot11Ssid::FromText(ssid);
    world->wlan().Connect(session->ClientHandle(), session->InterfaceInfo().interfaceGuid, parameters);
    loop.AdvanceBy(sim::SimWlanService::kConnectDelayMs + 10);
  }

  VirtualEventLoop loop;
  std::string error;
  std::unique_ptr<sim::SimWorld> world;
  std::unique_ptr<Platform> platform;
  AdapterContext context;
  FirstCardChooser chooser;
  bool discovered = false;
  std::unique_ptr<DriverChannel> channel;
  std::unique_ptr<DriverChannelPort> driver;
  std::unique_ptr<WlanSession> session;
  StringTable strings{Language::kEnglish};
  shell::ShellState shellState;
  ShellLinkStatusHost host{shellState, [] { return false; }};
};

}  // namespace nxui::test
