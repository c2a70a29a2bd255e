// The 802.11n page's values, the 8-byte OID_WLAN_HT_CONFIG record made from them and the
// "BACapability" registry word that keeps the same record across restarts.
#pragma once

#include <array>
#include <cstdint>

namespace nxui {

struct HtSettings {
  // Kept as read; their meaning is the driver's.
  std::uint8_t baByte0 = 32;
  std::uint8_t baByte1 = 32;
  int autoBa = 1;  // 0 "Manual", 1 "Auto"
  bool mpduAggregation = true;
  int mpduDensity = 0;  // the drop-down's item "0".."7"
  bool amsdu = true;
  int amsduSize = 0;  // 0 "Max: 3839", 1 "Max: 7935"
  int smps = 0;       // 0 "SM enable", 1 "Static SMPS", 2 "Synamic SMPS"

  bool operator==(const HtSettings&) const = default;
};

inline constexpr int kMpduDensityItems = 8;
inline constexpr int kSmpsEnable = 0;
inline constexpr int kSmpsStatic = 1;
inline constexpr int kSmpsDynamic = 2;

using HtConfigBytes = std::array<std::uint8_t, 8>;

// The record of OID_WLAN_HT_CONFIG.
HtConfigBytes BuildHtConfigRecord(const HtSettings& settings);

// "BACapability" built from the record: bits 0-7 byte 0, 8-15 byte 1, 16 byte 7, 17-18 byte 2,
// 19-21 byte 3, 22 byte 4, 23 byte 5, 24-25 byte 6; each byte is cut to its field.
std::uint32_t BaCapabilityFromRecord(const HtConfigBytes& record);

// Reads "BACapability" back into the settings. The A-MSDU size is taken only when A-MSDU is on;
// otherwise the size keeps its value.
void ApplyBaCapability(std::uint32_t value, HtSettings& settings);

}  // namespace nxui
