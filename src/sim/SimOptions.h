#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace nxui::sim {

// Where the simulated machine keeps what a real one would persist (registry file, the user's
// local application data, the WLAN service's profiles).
struct SimOptions {
  SimOptions() = default;
  SimOptions(std::string directory, bool temporary) : stateDirectory(std::move(directory)), temporaryState(temporary) {}

  std::string stateDirectory;   // used when not empty (created 0700 when missing)
  bool temporaryState = false;  // else: a fresh temporary directory, removed with the world
  // A state directory is held by one world at a time. When another run holds it, the world
  // waits up to this long (real time) for it, telling `onStateBusy` once that it waits.
  std::uint32_t stateLockWaitMs = 60000;
  std::function<void(const std::string& stateDirectory)> onStateBusy;
};

}  // namespace nxui::sim
