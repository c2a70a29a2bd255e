// The scan list: a 32-bit entry count, then entries back to back in the NDIS_WLAN_BSSID_EX layout,
// each beginning with its own total length. Written by the WLAN session, read by the pages.
#pragma once

#include <cstddef>
#include <cstdint>

namespace nxui::bssid_ex {

inline constexpr std::size_t kScanBufferSize = 64 * 1024;
inline constexpr std::size_t kMaxLastSeen = 1024;

// Field offsets within one entry.
inline constexpr std::size_t kLength = 0;             // 32-bit: 116 + IELength
inline constexpr std::size_t kMacAddress = 4;         // 6 bytes
inline constexpr std::size_t kReserved = 10;          // 2 bytes
inline constexpr std::size_t kSsidLength = 12;        // 32-bit
inline constexpr std::size_t kSsid = 16;              // 32 bytes
inline constexpr std::size_t kPrivacy = 48;           // 32-bit
inline constexpr std::size_t kRssi = 52;              // signed 32-bit dBm
inline constexpr std::size_t kNetworkTypeInUse = 56;  // 0 FH, 1 DS, 2 OFDM5, 3 OFDM24, 5 other
inline constexpr std::size_t kConfiguration = 60;     // NDIS_802_11_CONFIGURATION, 32 bytes
inline constexpr std::size_t kBeaconPeriod = 64;
inline constexpr std::size_t kAtimWindow = 68;
inline constexpr std::size_t kDsConfig = 72;            // centre frequency, kHz
inline constexpr std::size_t kInfrastructureMode = 92;  // 0 IBSS, 1 infrastructure, 2 other
inline constexpr std::size_t kSupportedRates = 96;      // 16 bytes, 500 kbit/s units
inline constexpr std::size_t kIeLength = 112;           // 32-bit
inline constexpr std::size_t kIes = 116;                // the elements
inline constexpr std::size_t kFixedSize = 116;

inline constexpr std::uint32_t kNetworkTypeFh = 0;
inline constexpr std::uint32_t kNetworkTypeDs = 1;
inline constexpr std::uint32_t kNetworkTypeOfdm5 = 2;
inline constexpr std::uint32_t kNetworkTypeOfdm24 = 3;
inline constexpr std::uint32_t kNetworkTypeOther = 5;

inline constexpr std::uint32_t kModeIbss = 0;
inline constexpr std::uint32_t kModeInfrastructure = 1;
inline constexpr std::uint32_t kModeOther = 2;

}  // namespace nxui::bssid_ex
