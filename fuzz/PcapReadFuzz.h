// The capture reader (libpcap underneath) on any bytes, and the networks the simulator makes of
// what it read: a damaged capture yields an error and nothing else, a good one networks that carry
// their frame's elements verbatim.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzSupport.h"
#include "sim/CaptureNetworks.h"
#include "sim/ScenarioLoader.h"

namespace nxui::fuzz {

inline void PcapReadOneInput(const std::uint8_t* data, std::size_t size) {
  const sim::CaptureReadResult read = sim::ReadCapture(std::span<const std::uint8_t>(data, size));
  NXUI_FUZZ_REQUIRE(read.ok == read.error.empty());
  if (!read.ok) {
    NXUI_FUZZ_REQUIRE(read.beacons.empty());
    return;
  }
  NXUI_FUZZ_REQUIRE(read.beacons.size() <= read.records);
  const std::vector<sim::ScenarioNetwork> networks = sim::NetworksFromCapture(read.beacons);
  NXUI_FUZZ_REQUIRE(networks.size() <= read.beacons.size());
  for (const sim::ScenarioNetwork& network : networks) {
    NXUI_FUZZ_REQUIRE(network.ssid.size() <= 32);
    NXUI_FUZZ_REQUIRE(network.ies.has_value());
  }
  for (const sim::CapturedBeacon& beacon : read.beacons) {
    NXUI_FUZZ_REQUIRE(beacon.frameNumber >= 1 && beacon.frameNumber <= read.records);
    NXUI_FUZZ_REQUIRE(beacon.subtype == 5 || beacon.subtype == 8);
  }
}

}  // namespace nxui::fuzz
