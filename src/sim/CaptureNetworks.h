// Networks in range taken from a capture: pcap or pcapng files (read through libpcap) of 802.11
// frames (LINKTYPE 105) or radiotap + 802.11 (LINKTYPE 127). Each beacon or probe response becomes a
// network that carries the frame's elements verbatim; the first frame of a BSSID wins.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/Scenario.h"

namespace nxui::sim {

struct CapturedBeacon {
  std::size_t frameNumber = 0;  // 1-based, among all records
  int subtype = 0;              // 8 beacon, 5 probe response
  std::array<std::uint8_t, 6> bssid{};
  std::uint16_t beaconInterval = 0;
  std::uint16_t capability = 0;
  std::vector<std::uint8_t> ies;              // without a trailing FCS
  std::optional<std::uint32_t> frequencyMhz;  // radiotap Channel field
  std::optional<std::int8_t> signalDbm;       // radiotap antenna signal
};

struct CaptureReadResult {
  bool ok = false;
  std::string error;  // why the file is not a capture we read
  std::size_t records = 0;
  std::vector<CapturedBeacon> beacons;
};

// The capture's bytes; frames cut short by the capture's snapshot length or of another kind are
// skipped. A file cut short, a record of absurd length or any other damage fails the whole read:
// half a capture would silently become a different neighbourhood.
CaptureReadResult ReadCapture(std::span<const std::uint8_t> data);
CaptureReadResult ReadCaptureFile(const std::string& path);

// The network the simulated service reports for a captured frame.
ScenarioNetwork NetworkFromBeacon(const CapturedBeacon& beacon);
// One network per BSSID, in the order first seen.
std::vector<ScenarioNetwork> NetworksFromCapture(const std::vector<CapturedBeacon>& beacons);

// The scenario's "captures": a relative name is taken relative to the scenario file's directory.
// On failure `error` names the capture ("file:0: ...").
bool LoadCaptureNetworks(const Scenario& scenario, std::vector<ScenarioNetwork>& networks, std::string& error);

}  // namespace nxui::sim
