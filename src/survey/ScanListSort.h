// Reorders the scan list in place by name, channel or signal, keeping entries with equal keys in
// their previous order, and the per-entry last-seen times alongside.
#pragma once

#include <cstdint>
#include <span>

namespace nxui {

enum class SortMode { Ssid = 0, Channel = 1, Signal = 2 };

// Names compare without regard to ASCII case, as unsigned bytes up to the first NUL.
int CompareNamesIgnoringCase(std::span<const std::uint8_t> left, std::span<const std::uint8_t> right);

// Only the entries the list walk reaches move; bytes after them stay where they are. An entry
// whose frequency is not in the channel table sorts by the channel of the entry before it.
void SortScanList(std::span<std::uint8_t> buffer, std::span<std::uint64_t> lastSeen, SortMode mode);

}  // namespace nxui
