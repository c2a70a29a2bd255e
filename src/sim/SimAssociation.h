// The link of one simulated adapter as the WLAN service leaves it. The service writes it; the
// driver reads it to answer the link OIDs. Event codes are those of OID_WLAN_LAST_EVENT.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/Scenario.h"

namespace nxui::sim {

struct SimAssociation {
  bool connected = false;
  std::optional<ScenarioNetwork> network;  // copy of the associated network
  int networkIndex = -1;                   // its index in the networks in range at connect time
  std::array<std::uint8_t, 6> bssid{};
  std::vector<std::uint8_t> ssid;   // up to 32 bytes
  std::uint64_t connectTimeMs = 0;  // loop time of the association
  int lastFailureEvent = -1;        // 4 open auth, 5 shared auth, 6 association, 7-9 deauth; -1 none
  bool softwareRadioOff = false;
  bool hardwareRadioOff = false;
};

}  // namespace nxui::sim
