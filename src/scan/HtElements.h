// HT Capabilities (26 bytes) and HT Information (22 bytes and more) element bodies.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace nxui {

struct HtCapabilities {
  std::uint16_t info = 0;
  std::uint8_t ampduParameters = 0;
  std::array<std::uint8_t, 16> mcsSet{};  // byte 12: Tx MCS set defined (bit 0)
  std::uint16_t extendedCapabilities = 0;
  std::uint32_t txBeamforming = 0;
  std::uint8_t aselCapabilities = 0;
  bool operator==(const HtCapabilities&) const = default;
};

struct HtOperation {
  std::uint8_t primaryChannel = 0;
  std::uint8_t info1 = 0;  // secondary channel offset, STA channel width, RIFS...
  std::uint16_t info2 = 0;
  std::uint16_t info3 = 0;
  std::array<std::uint32_t, 4> basicMcsSet{};  // the 16 bytes as four little-endian words
  bool operator==(const HtOperation&) const = default;
};

inline constexpr std::size_t kHtCapabilitiesLength = 26;
inline constexpr std::size_t kHtOperationLength = 22;

// Exactly 26 bytes, as the 802.11n decode requires.
bool ParseHtCapabilitiesBody(std::span<const std::uint8_t> body, HtCapabilities& out);
// At least 22 bytes; more is accepted and ignored.
bool ParseHtOperationBody(std::span<const std::uint8_t> body, HtOperation& out);

}  // namespace nxui
