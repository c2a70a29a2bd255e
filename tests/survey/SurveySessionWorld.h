// The survey page's tests give the page a fake host and a WLAN session on the simulated machine.
#pragma once

#include "common/SessionWorld.h"
#include "common/SimTestHelpers.h"
#include "sim/Scenario.h"

namespace nxui::testing {

inline sim::Scenario OneHtNetworkScenario() {
  sim::Scenario scenario;
  scenario.adapters.push_back(sim::ScenarioAdapter{});
  sim::ScenarioNetwork home;
  home.ssid = "Home";
  home.bssid = test::Mac("00-11-22-33-44-55");
  home.channel = 6;
  home.rssi = -55;
  home.phy = sim::Phy::N;
  scenario.networks = {home};
  return scenario;
}

class SurveySessionWorld : public test::SessionWorld {
 public:
  explicit SurveySessionWorld(const sim::Scenario& scenario = OneHtNetworkScenario()) : SessionWorld(scenario) {}
};

}  // namespace nxui::testing
