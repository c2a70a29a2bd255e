// Keeps the configured channel within what the adapter's country region allows.
#pragma once

#include <cstdint>
#include <vector>

#include "adapter/AdapterContext.h"

namespace nxui {

class DriverChannel;
class IRegistry;

// The driver's country region as channel validation found it. A region byte with bit 7 set (or a
// query that failed) counts as not configured; the word keeps the bytes with bit 7 cleared. The
// connection code sends the word back when either flag is set.
struct CountryRegionState {
  bool configured24GHz = false;
  bool configured5GHz = false;
  std::uint16_t regionWord = 0;  // 2.4 GHz region in the low byte, 5 GHz in the high byte
};

// The channels a mode may use: the 2.4 GHz list unless the mode is A only, then the 5 GHz list
// when the mode is 2, 3 or 5.
std::vector<int> AllowedChannels(ChipFamily family, int normalisedMode, std::uint16_t regionWord);

// Reads the region from the driver, normalises "WirelessMode" (keeping `wirelessMode` when the
// value is missing; the normalised mode is left there), and rewrites "Channel" with the first
// allowed channel when it is missing or not allowed. The resulting channel's number is also written
// to "Channel" of the "Default" subkey (a kept "J8" goes there as "208"). Nothing is rewritten when
// no channel is allowed at all. False when the adapter key cannot be opened for all access.
bool ValidateChannel(DriverChannel& driver, IRegistry& registry, const AdapterContext& context, bool supports5GHz,
                     int& wirelessMode, CountryRegionState& region);

}  // namespace nxui
