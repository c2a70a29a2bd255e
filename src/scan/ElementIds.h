// Element identifiers and organisation identifiers the decoders look at.
#pragma once

#include <cstdint>

namespace nxui::ie {

inline constexpr std::uint8_t kSsid = 0;
inline constexpr std::uint8_t kSupportedRates = 1;
inline constexpr std::uint8_t kDsParameterSet = 3;
inline constexpr std::uint8_t kHtCapabilities = 45;
inline constexpr std::uint8_t kRsn = 48;
inline constexpr std::uint8_t kExtendedSupportedRates = 50;
inline constexpr std::uint8_t kNeighborReport = 52;
inline constexpr std::uint8_t kHtInformation = 61;
inline constexpr std::uint8_t kSecondaryChannelOffset = 62;
inline constexpr std::uint8_t kExtendedCapabilities = 127;
inline constexpr std::uint8_t kVendorSpecific = 221;

inline constexpr std::uint32_t kOuiIeee = 0x000FAC;      // RSN suites
inline constexpr std::uint32_t kOuiWifi = 0x0050F2;      // WPA, WPS
inline constexpr std::uint32_t kOuiCisco = 0x004096;     // CCX
inline constexpr std::uint32_t kOuiBroadcom = 0x00904C;  // pre-standard HT

inline constexpr std::uint8_t kWifiTypeWpa = 1;
inline constexpr std::uint8_t kWifiTypeWmm = 2;
inline constexpr std::uint8_t kWifiTypeWps = 4;
inline constexpr std::uint8_t kBroadcomTypeHtCapabilities = 0x33;
inline constexpr std::uint8_t kBroadcomTypeHtInformation = 0x34;

// Cipher suite types shared by the RSN and WPA OUIs.
inline constexpr std::uint8_t kCipherWep40 = 1;
inline constexpr std::uint8_t kCipherTkip = 2;
inline constexpr std::uint8_t kCipherWrap = 3;
inline constexpr std::uint8_t kCipherCcmp = 4;
inline constexpr std::uint8_t kAkmNone = 0;
inline constexpr std::uint8_t kAkm8021X = 1;
inline constexpr std::uint8_t kAkmPsk = 2;

}  // namespace nxui::ie
