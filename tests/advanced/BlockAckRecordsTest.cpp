// The Block Ack table and peer list as the driver sends them (untrusted), the requests the dialogs
// build and the texts in between.
#include <gtest/gtest.h>

#include <vector>

#include "advanced/BlockAckRecords.h"
#include "base/ByteReader.h"

namespace nxui {
namespace {

constexpr std::size_t kPart = kBlockAckSlots * kBlockAckEntrySize;

Dot11MacAddress Mac(std::uint8_t last) { return {0x00, 0x11, 0x22, 0x33, 0x44, last}; }

struct TableBytes {
  std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kBlockAckTableSize, 0);

  TableBytes& Slot(int part, std::size_t slot, std::uint8_t last, std::uint8_t bitmap, std::uint8_t value = 0) {
    std::uint8_t* entry = bytes.data() + static_cast<std::size_t>(part) * kPart + slot * kBlockAckEntrySize;
    const Dot11MacAddress mac = Mac(last);
    std::copy(mac.begin(), mac.end(), entry);
    entry[6] = bitmap;
    for (int tid = 0; tid < kTidCount; ++tid) entry[8 + tid] = static_cast<std::uint8_t>(value + tid);
    return *this;
  }
  TableBytes& Counts(std::uint8_t originator, std::uint8_t recipient) {
    bytes[kBlockAckCountOffset] = originator;
    bytes[kBlockAckCountOffset + 1] = recipient;
    return *this;
  }
};

std::vector<std::uint8_t> Lasts(const std::vector<BlockAckEntry>& entries) {
  std::vector<std::uint8_t> lasts;
  for (const auto& e : entries) lasts.push_back(e.peer[5]);
  return lasts;
}

TEST(BlockAckTable, OriginatorCountTwoWithThreeSessionsListsTwo) {
  TableBytes t;
  t.Slot(0, 0, 1, 0x01).Slot(0, 1, 2, 0x02).Slot(0, 2, 3, 0x04).Counts(2, 0);
  const BlockAckTable table = ParseBlockAckTable(t.bytes);
  EXPECT_EQ(Lasts(table.originator), (std::vector<std::uint8_t>{1, 2}));
  EXPECT_TRUE(table.recipient.empty());
}

struct CountCase {
  const char* name;
  std::vector<std::pair<std::size_t, std::uint8_t>> slots;  // slot, bitmap (peer = slot + 1)
  std::uint8_t count;
  std::vector<std::uint8_t> listed;
};

class BlockAckCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(BlockAckCounts, EachPartStopsAtItsCount) {
  // The same slots in both parts, so that either walk going wrong shows.
  TableBytes t;
  for (const auto& [slot, bitmap] : GetParam().slots) {
    t.Slot(0, slot, static_cast<std::uint8_t>(slot + 1), bitmap);
    t.Slot(1, slot, static_cast<std::uint8_t>(slot + 1), bitmap);
  }
  t.Counts(GetParam().count, GetParam().count);
  const BlockAckTable table = ParseBlockAckTable(t.bytes);
  EXPECT_EQ(Lasts(table.originator), GetParam().listed);
  EXPECT_EQ(Lasts(table.recipient), GetParam().listed);
}

std::vector<std::pair<std::size_t, std::uint8_t>> AllSlots() {
  std::vector<std::pair<std::size_t, std::uint8_t>> slots;
  for (std::size_t i = 0; i < kBlockAckSlots; ++i) slots.emplace_back(i, 0x80);
  return slots;
}
std::vector<std::uint8_t> OneTo(std::uint8_t n) {
  std::vector<std::uint8_t> v;
  for (std::uint8_t i = 1; i <= n; ++i) v.push_back(i);
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BlockAckCounts,
    ::testing::Values(CountCase{"zero_lists_nothing", {{0, 1}, {1, 1}}, 0, {}},
                      CountCase{"empty_bitmaps_are_skipped_not_counted", {{0, 0}, {1, 1}, {2, 0}, {3, 8}}, 2, {2, 4}},
                      CountCase{"count_above_what_is_there", {{0, 1}, {5, 1}}, 9, {1, 6}},
                      CountCase{"last_slot_is_read", {{31, 0x40}}, 1, {32}},
                      CountCase{"count_32_lists_all", AllSlots(), 32, OneTo(32)},
                      CountCase{"count_33_is_cut_to_32", AllSlots(), 33, OneTo(32)},
                      CountCase{"count_255_is_cut_to_32", AllSlots(), 255, OneTo(32)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(BlockAckTable, EntryFieldsAndCells) {
  TableBytes t;
  t.Slot(1, 0, 0x9A, 0b10100001, 40).Counts(0, 1);
  const BlockAckTable table = ParseBlockAckTable(t.bytes);
  ASSERT_EQ(table.recipient.size(), 1u);
  EXPECT_EQ(table.recipient[0].peer, Mac(0x9A));
  EXPECT_EQ(BlockAckRowCells(table.recipient[0]),
            (std::array<std::string, 9>{"00-11-22-33-44-9A", "40", "-", "-", "-", "-", "45", "-", "47"}));
  BlockAckEntry high;
  high.tidBitmap = 0x02;
  high.tidValue[1] = 255;
  EXPECT_EQ(BlockAckRowCells(high)[2], "255") << "the value is unsigned";
}

// A short answer must never be read past, wherever it is cut.
TEST(BlockAckTable, CutAtEveryBoundaryReadsOnlyWhatIsThere) {
  TableBytes t;
  for (std::size_t i = 0; i < kBlockAckSlots; ++i) {
    t.Slot(0, i, static_cast<std::uint8_t>(i), 1);
    t.Slot(1, i, static_cast<std::uint8_t>(i), 1);
  }
  t.Counts(32, 32);
  const std::size_t cuts[] = {0,
                              1,
                              47,
                              48,
                              49,
                              kPart - 1,
                              kPart,
                              kPart + 48,
                              2 * kPart,
                              kBlockAckCountOffset,
                              kBlockAckCountOffset + 1,
                              kBlockAckCountOffset + 2,
                              kBlockAckTableSize};
  for (std::size_t cut : cuts) {
    // A copy of exactly `cut` bytes, so that a sanitizer sees any read past it.
    const std::vector<std::uint8_t> prefix(t.bytes.begin(), t.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    const BlockAckTable table = ParseBlockAckTable(prefix);
    // Without both counts nothing is listed; with them, only whole entries are.
    const std::size_t expectOriginator = cut > kBlockAckCountOffset ? 32 : 0;
    const std::size_t expectRecipient = cut > kBlockAckCountOffset + 1 ? 32 : 0;
    EXPECT_EQ(table.originator.size(), expectOriginator) << "cut " << cut;
    EXPECT_EQ(table.recipient.size(), expectRecipient) << "cut " << cut;
  }
}

std::vector<std::uint8_t> PeerBytes(std::uint32_t count, const std::vector<Dot11MacAddress>& peers,
                                    std::size_t size = kPeerListSize) {
  std::vector<std::uint8_t> bytes(size, 0);
  if (size >= 4) StoreLe32(bytes.data(), count);
  for (std::size_t i = 0; i < peers.size(); ++i) {
    const std::size_t at = 4 + i * kPeerEntrySize;
    if (at + 6 <= size) std::copy(peers[i].begin(), peers[i].end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return bytes;
}

TEST(PeerList, CountIsCutToTheSlotsAndTheBytes) {
  std::vector<Dot11MacAddress> many;
  for (std::uint8_t i = 0; i < 32; ++i) many.push_back(Mac(i));
  EXPECT_EQ(ParsePeerList(PeerBytes(2, many)).size(), 2u);
  EXPECT_EQ(ParsePeerList(PeerBytes(32, many)).size(), 32u);
  EXPECT_EQ(ParsePeerList(PeerBytes(0xFFFFFFFF, many)).size(), 32u);
  EXPECT_EQ(ParsePeerList(PeerBytes(0x80000000, many)).size(), 32u);
  // Cut after the third entry and one byte into the fourth.
  EXPECT_EQ(ParsePeerList(PeerBytes(32, many, 4 + 3 * kPeerEntrySize + 1)).size(), 3u);
  EXPECT_TRUE(ParsePeerList(PeerBytes(5, many, 3)).empty()) << "no whole count";
  EXPECT_TRUE(ParsePeerList({}).empty());
  EXPECT_EQ(ParsePeerList(PeerBytes(3, many))[2], Mac(2));
}

struct OrderCase {
  const char* name;
  std::vector<Dot11MacAddress> peers;
  std::optional<Dot11MacAddress> current;
  std::vector<Dot11MacAddress> expected;
};

class ConnectedPeers : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ConnectedPeers, CurrentFirstZeroSkipped) {
  EXPECT_EQ(OrderConnectedPeers(GetParam().peers, GetParam().current), GetParam().expected);
}

const Dot11MacAddress kZero{};

INSTANTIATE_TEST_SUITE_P(
    Orders, ConnectedPeers,
    ::testing::Values(OrderCase{"only_zero_addresses", {kZero, kZero}, Mac(1), {}},
                      OrderCase{
                          "current_moves_first", {Mac(1), kZero, Mac(2), Mac(3)}, Mac(3), {Mac(3), Mac(1), Mac(2)}},
                      OrderCase{"current_absent_keeps_order", {Mac(2), Mac(1)}, Mac(9), {Mac(2), Mac(1)}},
                      OrderCase{"no_connection", {Mac(2), kZero, Mac(1)}, std::nullopt, {Mac(2), Mac(1)}},
                      OrderCase{"zero_current_is_no_connection", {kZero, Mac(1)}, kZero, {Mac(1)}},
                      OrderCase{"current_listed_twice_once", {Mac(1), Mac(3), Mac(3)}, Mac(3), {Mac(3), Mac(1)}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(BlockAckRequest, AddAndDeleteLayouts) {
  using Bytes = std::array<std::uint8_t, kBlockAckRequestSize>;
  EXPECT_EQ(BuildBlockAckAddRequest(Mac(0x55), 5, 300),
            (Bytes{0, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 5, 44, 0, 0, 0, 0, 0}))
      << "300 goes out as its low 8 bits";
  EXPECT_EQ(BuildBlockAckAddRequest(Mac(1), 0, 256)[8], 0);
  EXPECT_EQ(BuildBlockAckAddRequest(Mac(1), 7, 0xFFFFFFFF)[8], 0xFF);
  EXPECT_EQ(BuildBlockAckDeleteRequest(kBlockAckRecipient, Mac(0x55), 7),
            (Bytes{1, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 7, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(BuildBlockAckDeleteRequest(kBlockAckOriginator, Mac(0x55), 0)[0], 0);
}

TEST(PeerText, RoundTripAndRefusals) {
  const Dot11MacAddress mac{0x00, 0x1d, 0x7e, 0xAB, 0xcd, 0xEF};
  EXPECT_EQ(FormatPeer(mac), "00-1D-7E-AB-CD-EF");
  EXPECT_EQ(ParsePeerText(FormatPeer(mac)), mac);
  EXPECT_EQ(ParsePeerText("001d7eabcdef"), mac) << "every dash is removed, wherever it is";
  EXPECT_EQ(ParsePeerText("-00-1D7E-AB-CD-EF--"), mac);
  EXPECT_EQ(ParsePeerText("00-1D-7E-AB-CD-E"), std::nullopt);
  EXPECT_EQ(ParsePeerText("00-1D-7E-AB-CD-EF0"), std::nullopt);
  EXPECT_EQ(ParsePeerText("00:1D:7E:AB:CD:EF"), std::nullopt);
  EXPECT_EQ(ParsePeerText("00-1D-7E-AB-CD-EG"), std::nullopt);
  EXPECT_EQ(ParsePeerText(""), std::nullopt);
}

struct FieldCase {
  const char* text;
  std::optional<std::uint32_t> value;
};

class UnsignedField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(UnsignedField, Parses) { EXPECT_EQ(ParseUnsignedField(GetParam().text), GetParam().value) << GetParam().text; }

INSTANTIATE_TEST_SUITE_P(Texts, UnsignedField,
                         ::testing::Values(FieldCase{"300", 300}, FieldCase{"0", 0}, FieldCase{" 64 ", 64},
                                           FieldCase{"007", 7}, FieldCase{"4294967295", 4294967295u},
                                           FieldCase{"4294967296", std::nullopt}, FieldCase{"", std::nullopt},
                                           FieldCase{"  ", std::nullopt}, FieldCase{"-1", std::nullopt},
                                           FieldCase{"+5", std::nullopt}, FieldCase{"12a", std::nullopt},
                                           FieldCase{"1 2", std::nullopt}, FieldCase{"0x10", std::nullopt},
                                           FieldCase{"99999999999999999999", std::nullopt}));

}  // namespace
}  // namespace nxui
