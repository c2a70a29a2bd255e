// Pure pieces of the survey list: the row built from a scan entry and the cell texts and colours.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "scan/ScanEntryRecord.h"

namespace nxui {

struct ScanEntryDecode;

// One list row.
struct ScanEntry {
  std::int32_t connected = 0;
  std::uint32_t bssType = 0;
  std::string ssid;
  std::uint32_t networkType = 0;
  std::string channel;
  std::int32_t secured = 0;
  std::int32_t wps = 0;
  std::int32_t ht = 0;
  std::int32_t signal = 0;
  std::string bssid;
  std::string securityText;  // kind 0 decode, kept for "Add to Profile"
  std::size_t position = 0;  // of the entry in the scan list
};

struct BarColour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  bool operator==(const BarColour&) const = default;
};

// Decodes the entry's elements once for the row.
ScanEntry MakeScanEntry(const ScanEntryRecord& entry, std::size_t position);
// From a decode of the same entry already made (the caller needs more of it than the row).
ScanEntry MakeScanEntry(const ScanEntryRecord& entry, const ScanEntryDecode& decode, std::size_t position);

// Rssi modulo 101, signed: -100..100 unchanged.
std::int32_t SignalModulo(std::int32_t rssi);
// "%d dBm" or "%d%%" of RssiToPercent.
std::string SignalText(std::int32_t signal, bool showDbm);
BarColour SignalBarColour(std::int32_t percent);
std::string FormatBssid(const std::array<std::uint8_t, 6>& mac);
// "1, 2, 5.5, 11": rate bytes in 500 kbit/s units up to the first 0.
std::string FormatSupportedRates(const std::array<std::uint8_t, 16>& rates);

}  // namespace nxui
