// Captures as the tests read them: the simulator's pcap reader, and the scan entry the WLAN
// session would make of a captured beacon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/CaptureNetworks.h"
#include "survey/ScanEntryFactory.h"

namespace nxui::testing {

using CapturedBeacon = sim::CapturedBeacon;

inline bool ReadCaptureBeacons(const std::string& path, std::vector<CapturedBeacon>& beacons, std::size_t& records) {
  sim::CaptureReadResult read = sim::ReadCaptureFile(path);
  if (!read.ok) return false;
  beacons = std::move(read.beacons);
  records = read.records;
  return true;
}

inline std::vector<std::uint8_t> EntryFromBeacon(const CapturedBeacon& beacon) {
  EntrySpec spec;
  spec.mac = beacon.bssid;
  spec.ssid.clear();
  if (beacon.ies.size() >= 2 && beacon.ies[0] == 0 && beacon.ies[1] <= 32 && beacon.ies.size() >= 2u + beacon.ies[1]) {
    spec.ssid.assign(beacon.ies.begin() + 2, beacon.ies.begin() + 2 + beacon.ies[1]);
  }
  spec.privacy = (beacon.capability & 0x10) != 0 ? 1 : 0;
  spec.infrastructureMode = (beacon.capability & 0x2) != 0 ? 0 : 1;
  spec.ies = beacon.ies;
  return MakeEntry(spec);
}

}  // namespace nxui::testing
