// One entry of the scan list read into its fields (NDIS_WLAN_BSSID_EX layout).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace nxui {

struct ScanEntryRecord {
  std::uint32_t length = 0;
  std::array<std::uint8_t, 6> mac{};
  std::uint32_t ssidLength = 0;
  std::array<std::uint8_t, 32> ssid{};
  std::uint32_t privacy = 0;
  std::int32_t rssi = 0;
  std::uint32_t networkTypeInUse = 0;
  std::uint32_t beaconPeriod = 0;
  std::uint32_t dsConfig = 0;
  std::uint32_t infrastructureMode = 0;
  std::array<std::uint8_t, 16> supportedRates{};
  std::uint32_t ieLength = 0;
  // The element list as the decoders see it: empty unless Length > 104 and IELength > 3, and
  // never longer than what lies inside the entry (Length - 116) and inside the given bytes.
  std::span<const std::uint8_t> ies;

  // Length covers the fixed part and IELength bytes of elements: the entry is listed.
  bool usable() const { return static_cast<std::uint64_t>(length) >= 116 + static_cast<std::uint64_t>(ieLength); }
  // The SsidLength bytes of the name (at most 32).
  std::span<const std::uint8_t> SsidBytes() const;
  // The name as text: up to the first NUL of those bytes.
  std::string SsidText() const;
};

// bytes: the entry, starting at its Length field. Fields beyond the end of bytes read as 0.
// False when not even the fixed part (116 bytes) is there.
bool ReadScanEntry(std::span<const std::uint8_t> bytes, ScanEntryRecord& out);

}  // namespace nxui
