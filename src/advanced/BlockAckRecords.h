// The driver's Block Ack records as the 802.11n page and its two dialogs read and write them: the
// session table of OID_WLAN_BA_TABLE, the peer list of OID_WLAN_PEER_LIST and the 14-byte add and
// delete requests. Tables and lists come from the driver and are not trusted: counts are cut to
// the 32 slots and nothing past the given bytes is read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/DriverRecords.h"
#include "platform/IWlanApi.h"

namespace nxui {

// The sizes are those of the driver's records; the bytes are read with their own bounds.
inline constexpr std::size_t kBlockAckTableSize = sizeof(BaTable);
inline constexpr std::size_t kBlockAckEntrySize = sizeof(BaEntry);
inline constexpr std::size_t kBlockAckSlots = std::size(BaTable{}.originator);
// Originator count; the recipient count follows.
inline constexpr std::size_t kBlockAckCountOffset = offsetof(BaTable, originatorCount);
inline constexpr std::size_t kBlockAckRequestSize = sizeof(BaRequest);
inline constexpr std::size_t kPeerListSize = sizeof(PeerList);
inline constexpr std::size_t kPeerEntrySize = sizeof(PeerEntry);
inline constexpr int kTidCount = static_cast<int>(std::size(BaEntry{}.tidValue));

inline constexpr int kBlockAckOriginator = 0;
inline constexpr int kBlockAckRecipient = 1;

struct BlockAckEntry {
  Dot11MacAddress peer{};
  std::uint8_t tidBitmap = 0;                      // bit t: a session for TID t
  std::array<std::uint8_t, kTidCount> tidValue{};  // shown for the TIDs that have a session

  bool operator==(const BlockAckEntry&) const = default;
};

struct BlockAckTable {
  std::vector<BlockAckEntry> originator;
  std::vector<BlockAckEntry> recipient;

  bool operator==(const BlockAckTable&) const = default;
};

// The entries each list shows: the part's 32 slots in order, those with an empty TID bitmap
// skipped, stopping once as many are listed as the part's count says (a count above 32 counts as
// 32). A slot cut short by the end of `table` ends its part; a missing count reads as 0.
BlockAckTable ParseBlockAckTable(std::span<const std::uint8_t> table);

// The peer addresses of the list in order (all-zero ones included). The count is cut to 32 and to
// the entries the bytes hold.
std::vector<Dot11MacAddress> ParsePeerList(std::span<const std::uint8_t> list);

// The connected-peer list of the dialogs: all-zero addresses skipped; the current BSSID, when it
// is among the peers, first, then the others in order.
std::vector<Dot11MacAddress> OrderConnectedPeers(const std::vector<Dot11MacAddress>& peers,
                                                 const std::optional<Dot11MacAddress>& currentBssid);

// The add request (direction 0, the window size's low 8 bits) and the delete request (window 0).
std::array<std::uint8_t, kBlockAckRequestSize> BuildBlockAckAddRequest(const Dot11MacAddress& peer, int tid,
                                                                       std::uint32_t windowSize);
std::array<std::uint8_t, kBlockAckRequestSize> BuildBlockAckDeleteRequest(int direction, const Dot11MacAddress& peer,
                                                                          int tid);

// "%02X-%02X-%02X-%02X-%02X-%02X".
std::string FormatPeer(const Dot11MacAddress& peer);
// A row's text with every "-" removed must be 12 hexadecimal digits.
std::optional<Dot11MacAddress> ParsePeerText(std::string_view text);

// The cells of a list row: the address, then per TID "%d" of its value or "-" without a session.
std::array<std::string, 1 + kTidCount> BlockAckRowCells(const BlockAckEntry& entry);

// An unsigned number field: decimal digits, blanks around them allowed. Empty text, a sign, other
// characters or a number beyond 32 bits are refused.
std::optional<std::uint32_t> ParseUnsignedField(std::string_view text);

}  // namespace nxui
