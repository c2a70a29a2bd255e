#include "survey/ScanListSort.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <vector>

#include "adapter/ChannelFrequencyTable.h"
#include "scan/ScanEntryRecord.h"
#include "scan/ScanList.h"

namespace nxui {

namespace {

std::uint8_t LowerAscii(std::uint8_t c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<std::uint8_t>(c + ('a' - 'A')) : c;
}

std::span<const std::uint8_t> UpToNul(std::span<const std::uint8_t> bytes) {
  const auto nul = std::find(bytes.begin(), bytes.end(), 0);
  return bytes.first(static_cast<std::size_t>(nul - bytes.begin()));
}

struct SortKey {
  std::array<std::uint8_t, 32> name{};
  std::size_t nameLength = 0;
  std::uint32_t channel = 0;
  std::int32_t rssi = 0;

  std::span<const std::uint8_t> Name() const { return std::span<const std::uint8_t>(name).first(nameLength); }
};

}  // namespace

int CompareNamesIgnoringCase(std::span<const std::uint8_t> left, std::span<const std::uint8_t> right) {
  left = UpToNul(left);
  right = UpToNul(right);
  const std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int a = LowerAscii(left[i]);
    const int b = LowerAscii(right[i]);
    if (a != b) return a - b;
  }
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

void SortScanList(std::span<std::uint8_t> buffer, std::span<std::uint64_t> lastSeen, SortMode mode) {
  const ScanList list(buffer);
  const auto& slots = list.slots();
  if (slots.size() < 2) return;

  std::vector<SortKey> keys(slots.size());
  // A frequency missing from the channel table takes the channel of the entry before it (none,
  // that is 0, for the first), so such an entry stays beside its list neighbour.
  std::uint32_t carriedChannel = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    ScanEntryRecord record;
    ReadScanEntry(slots[i].bytes, record);
    keys[i].name = record.ssid;
    keys[i].nameLength = record.SsidBytes().size();
    std::uint32_t channel = 0;
    if (FrequencyToChannel(record.dsConfig, channel)) carriedChannel = channel;
    keys[i].channel = carriedChannel;
    keys[i].rssi = record.rssi;
  }

  std::vector<std::size_t> order(slots.size());
  std::iota(order.begin(), order.end(), 0);
  switch (mode) {
    case SortMode::Ssid:
      std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return CompareNamesIgnoringCase(keys[a].Name(), keys[b].Name()) < 0;
      });
      break;
    case SortMode::Channel:
      std::stable_sort(order.begin(), order.end(),
                       [&](std::size_t a, std::size_t b) { return keys[a].channel < keys[b].channel; });
      break;
    case SortMode::Signal:
      std::stable_sort(order.begin(), order.end(),
                       [&](std::size_t a, std::size_t b) { return keys[a].rssi > keys[b].rssi; });
      break;
  }

  std::vector<std::uint8_t> reordered;
  reordered.reserve(list.walkedEnd() - 4);
  for (std::size_t index : order)
    reordered.insert(reordered.end(), slots[index].bytes.begin(), slots[index].bytes.end());
  std::vector<std::uint64_t> times(lastSeen.begin(), lastSeen.end());
  for (std::size_t i = 0; i < order.size() && i < lastSeen.size(); ++i) {
    lastSeen[i] = order[i] < times.size() ? times[order[i]] : 0;
  }
  std::memcpy(buffer.data() + 4, reordered.data(), reordered.size());
}

}  // namespace nxui
