// The desired-rate set of a connection built from the adapter key: eight bytes of rates in units
// of 500 kbit/s, unused bytes zero.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace nxui {

class AdapterRegistry;

using DesiredRateSet = std::array<std::uint8_t, 8>;

// From the normalised wireless mode, "TransRate" (nullopt when missing: the mode's start value
// stands) and, for the 802.11n modes 5, 6 and 9, the "TransmitSetting" word.
DesiredRateSet DesiredRatesFromRegistry(int normalisedMode, std::optional<int> transRate,
                                        std::uint32_t transmitSetting);

// Same, reading "TransRate" and (for the 802.11n modes when `is11n`) "TransmitSetting".
DesiredRateSet DesiredRatesFromRegistry(const AdapterRegistry& adapterKey, int normalisedMode, bool is11n);

}  // namespace nxui
