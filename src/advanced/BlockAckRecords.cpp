#include "advanced/BlockAckRecords.h"

#include <algorithm>
#include <cstdio>

#include "base/ByteReader.h"

namespace nxui {
namespace {

constexpr std::size_t kTidValueOffset = 8;

bool IsZero(const Dot11MacAddress& mac) {
  return std::all_of(mac.begin(), mac.end(), [](std::uint8_t b) { return b == 0; });
}

// One part of the table: `slots` is the part's bytes as far as the buffer holds them.
std::vector<BlockAckEntry> ListPart(std::span<const std::uint8_t> slots, std::size_t count) {
  std::vector<BlockAckEntry> listed;
  count = std::min(count, kBlockAckSlots);
  ByteReader reader(slots);
  std::span<const std::uint8_t> slot;
  for (std::size_t i = 0; i < kBlockAckSlots && listed.size() < count; ++i) {
    if (!reader.take(kBlockAckEntrySize, slot)) break;
    BlockAckEntry entry;
    std::copy_n(slot.begin(), entry.peer.size(), entry.peer.begin());
    entry.tidBitmap = slot[6];
    std::copy_n(slot.begin() + kTidValueOffset, entry.tidValue.size(), entry.tidValue.begin());
    if (entry.tidBitmap != 0) listed.push_back(entry);
  }
  return listed;
}

std::array<std::uint8_t, kBlockAckRequestSize> Request(int direction, const Dot11MacAddress& peer, int tid,
                                                       std::uint8_t window) {
  std::array<std::uint8_t, kBlockAckRequestSize> request{};
  request[0] = static_cast<std::uint8_t>(direction);
  std::copy(peer.begin(), peer.end(), request.begin() + 1);
  request[7] = static_cast<std::uint8_t>(tid);
  request[8] = window;
  return request;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

BlockAckTable ParseBlockAckTable(std::span<const std::uint8_t> table) {
  const std::size_t partSize = kBlockAckSlots * kBlockAckEntrySize;
  auto part = [&](std::size_t offset) {
    return offset >= table.size() ? std::span<const std::uint8_t>{}
                                  : table.subspan(offset, std::min(partSize, table.size() - offset));
  };
  const std::size_t originatorCount = table.size() > kBlockAckCountOffset ? table[kBlockAckCountOffset] : 0;
  const std::size_t recipientCount = table.size() > kBlockAckCountOffset + 1 ? table[kBlockAckCountOffset + 1] : 0;
  return BlockAckTable{ListPart(part(0), originatorCount), ListPart(part(partSize), recipientCount)};
}

std::vector<Dot11MacAddress> ParsePeerList(std::span<const std::uint8_t> list) {
  std::vector<Dot11MacAddress> peers;
  ByteReader reader(list);
  std::uint32_t count = 0;
  if (!reader.le32(count)) return peers;
  std::span<const std::uint8_t> entry;
  for (std::uint32_t i = 0; i < count && i < kBlockAckSlots; ++i) {
    if (!reader.take(kPeerEntrySize, entry)) break;
    Dot11MacAddress mac;
    std::copy_n(entry.begin(), mac.size(), mac.begin());
    peers.push_back(mac);
  }
  return peers;
}

std::vector<Dot11MacAddress> OrderConnectedPeers(const std::vector<Dot11MacAddress>& peers,
                                                 const std::optional<Dot11MacAddress>& currentBssid) {
  std::vector<Dot11MacAddress> ordered;
  const bool currentListed =
      currentBssid && !IsZero(*currentBssid) && std::find(peers.begin(), peers.end(), *currentBssid) != peers.end();
  if (currentListed) ordered.push_back(*currentBssid);
  for (const Dot11MacAddress& peer : peers) {
    if (IsZero(peer) || (currentListed && peer == *currentBssid)) continue;
    ordered.push_back(peer);
  }
  return ordered;
}

std::array<std::uint8_t, kBlockAckRequestSize> BuildBlockAckAddRequest(const Dot11MacAddress& peer, int tid,
                                                                       std::uint32_t windowSize) {
  return Request(kBlockAckOriginator, peer, tid, static_cast<std::uint8_t>(windowSize & 0xFFu));
}

std::array<std::uint8_t, kBlockAckRequestSize> BuildBlockAckDeleteRequest(int direction, const Dot11MacAddress& peer,
                                                                          int tid) {
  return Request(direction, peer, tid, 0);
}

std::string FormatPeer(const Dot11MacAddress& m) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
  return text;
}

std::optional<Dot11MacAddress> ParsePeerText(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c != '-') digits += c;
  }
  if (digits.size() != 12) return std::nullopt;
  Dot11MacAddress mac{};
  for (std::size_t i = 0; i < mac.size(); ++i) {
    const int high = HexDigit(digits[2 * i]);
    const int low = HexDigit(digits[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    mac[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return mac;
}

std::array<std::string, 1 + kTidCount> BlockAckRowCells(const BlockAckEntry& entry) {
  std::array<std::string, 1 + kTidCount> cells;
  cells[0] = FormatPeer(entry.peer);
  for (int tid = 0; tid < kTidCount; ++tid) {
    const bool session = (entry.tidBitmap >> tid) & 1u;
    cells[static_cast<std::size_t>(1 + tid)] =
        session ? std::to_string(entry.tidValue[static_cast<std::size_t>(tid)]) : std::string("-");
  }
  return cells;
}

std::optional<std::uint32_t> ParseUnsignedField(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace nxui
