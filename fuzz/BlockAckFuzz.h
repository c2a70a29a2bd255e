// One fuzz input through the readers of the driver's Block Ack records: as a session table (both
// lists and their cells), as a peer list (the dialogs' ordering, with and without a current BSSID
// among the peers) and as the text of a list row and of the window size field. Shared by the
// libFuzzer target and the corpus replay test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "advanced/BlockAckRecords.h"

namespace nxui::fuzz {

// What the page relies on; a break is a fault, so it aborts for the fuzzer to keep the input.
inline void Require(bool holds) {
  if (!holds) std::abort();
}

inline std::size_t BlockAckOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  std::size_t sink = 0;

  const BlockAckTable table = ParseBlockAckTable(input);
  for (const auto* part : {&table.originator, &table.recipient}) {
    Require(part->size() <= kBlockAckSlots);
    for (const BlockAckEntry& entry : *part) {
      Require(entry.tidBitmap != 0);
      const auto cells = BlockAckRowCells(entry);
      Require(ParsePeerText(cells[0]) == entry.peer);
      for (const auto& cell : cells) sink += cell.size();
    }
  }
  Require(table.originator.size() <= (size > kBlockAckCountOffset ? data[kBlockAckCountOffset] : 0u));
  Require(table.recipient.size() <= (size > kBlockAckCountOffset + 1 ? data[kBlockAckCountOffset + 1] : 0u));

  const std::vector<Dot11MacAddress> peers = ParsePeerList(input);
  Require(peers.size() <= kBlockAckSlots);
  Require(size < 4 || peers.size() <= (size - 4) / kPeerEntrySize);
  sink += OrderConnectedPeers(peers, std::nullopt).size();
  if (!peers.empty()) {
    const std::vector<Dot11MacAddress> ordered = OrderConnectedPeers(peers, peers.back());
    Require(ordered.size() <= peers.size());
    sink += ordered.size();
  }

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto mac = ParsePeerText(text)) sink += FormatPeer(*mac).size();
  if (const auto number = ParseUnsignedField(text)) sink += *number;
  return sink;
}

}  // namespace nxui::fuzz
