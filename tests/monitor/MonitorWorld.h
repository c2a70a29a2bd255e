// The monitor pages on the simulated machine under virtual time: discovery fills the adapter
// context, the driver channel and the WLAN session run against the simulated driver and service.
// Shared by the end-to-end tests and the benchmark.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "adapter/DriverChannelPort.h"
#include "common/SessionWorld.h"
#include "common/SimTestHelpers.h"
#include "display/StringTable.h"
#include "platform/Platform.h"
#include "platform/VirtualEventLoop.h"
#include "shell/CNxUI2007Dlg.h"
#include "shell/ShellLinkStatusHost.h"
#include "sim/SimWorld.h"
#include "wlan/WlanSession.h"

namespace nxui::test {

inline sim::ScenarioNetwork MonitorNetwork() {
  sim::ScenarioNetwork n;
  n.ssid = "Home";
  n.bssid = test::Mac("00-11-22-33-44-55");
  n.channel = 6;
  n.rssi = -55;
  n.phy = sim::Phy::N;
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

class MonitorWorld : public SessionWorld {
 public:
  explicit MonitorWorld(const sim::Scenario& scenario = MonitorScenario()) : SessionWorld(scenario) {
    if (!world) return;
    platform = std::make_unique<Platform>(Platform{world->deviceSetup(), world->deviceIo(), world->registry(),
                                                   world->systemInfo(), world->shell(), world->ipHelper(),
                                                   world->driverEvents(), loop, world->wlan(), world->random()});
  }

  std::unique_ptr<Platform> platform;
  shell::ShellState shellState;
  ShellLinkStatusHost host{shellState, [] { return false; }};
};

}  // namespace nxui::test
