#pragma once

#include <string>

namespace nxui::sim {

// Where the simulated machine keeps what a real one would persist (registry file, the user's
// local application data, the WLAN service's profiles).
struct SimOptions {
  std::string stateDirectory;   // used when not empty (created when missing)
  bool temporaryState = false;  // else: a fresh temporary directory, removed with the world
};

}  // namespace nxui::sim
