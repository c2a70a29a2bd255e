#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "scan/ScanEntryRecord.h"
#include "scan/ScanList.h"
#include "survey/ScanEntryFactory.h"
#include "survey/ScanListSort.h"

namespace nxui {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::EntrySpec;
using testing::MakeEntry;
using testing::MakeScanBuffer;

EntrySpec Spec(const std::string& ssid, std::int32_t rssi = -60, std::uint32_t khz = 2437000, std::uint8_t tag = 0) {
  EntrySpec spec;
  spec.ssid = ssid;
  spec.rssi = rssi;
  spec.dsConfig = khz;
  spec.mac[5] = tag;
  spec.ies = {0, static_cast<std::uint8_t>(ssid.size())};
  spec.ies.insert(spec.ies.end(), ssid.begin(), ssid.end());
  spec.ies.insert(spec.ies.end(), {1, 1, 0x82});
  return spec;
}

TEST(ScanList, WalkSkipsShortEntriesButCountsThem) {
  EntrySpec shortSpec = Spec("short");
  shortSpec.ieLengthOverride = 200;  // Length 116 + 10 does not cover 200 bytes of elements
  const Bytes buffer = MakeScanBuffer({MakeEntry(Spec("a")), MakeEntry(shortSpec), MakeEntry(Spec("c"))});
  const ScanList list(buffer);
  ASSERT_EQ(list.slots().size(), 3u);
  EXPECT_TRUE(list.slots()[0].usable);
  EXPECT_FALSE(list.slots()[1].usable);
  EXPECT_TRUE(list.slots()[2].usable);
  EXPECT_EQ(list.slots()[2].position, 2u);
  ScanEntryRecord third;
  ASSERT_TRUE(ReadScanEntry(list.slots()[2].bytes, third));
  EXPECT_EQ(third.SsidText(), "c");
}

TEST(ScanList, WalkStopsWhereItCannotStep) {
  struct Row {
    const char* name;
    Bytes buffer;
    std::size_t slots;
  };
  Bytes zeroLength = MakeScanBuffer({MakeEntry(Spec("a")), Bytes(8, 0)});
  Bytes pastEnd = MakeScanBuffer({MakeEntry(Spec("a"))}, 0);
  StoreLe32(pastEnd.data(), 2);
  pastEnd.insert(pastEnd.end(), {0xFF, 0x00, 0x00, 0x00, 1, 2, 3});
  Bytes tinyEntry = MakeScanBuffer({Bytes{4, 0, 0, 0}, MakeEntry(Spec("b"))}, 0);
  Bytes countTooLarge = MakeScanBuffer({MakeEntry(Spec("a"))});
  StoreLe32(countTooLarge.data(), 0xFFFFFFFF);
  const Row rows[] = {
      {"empty buffer", {}, 0},
      {"count only", {0, 0, 0, 0}, 0},
      {"count cut short", {1, 0}, 0},
      {"a Length of 0 ends the walk", zeroLength, 1},
      {"an entry past the buffer ends the walk", pastEnd, 1},
      {"a 4-byte entry is stepped over", tinyEntry, 2},
      {"a count beyond the entries stops at the zero padding", countTooLarge, 1},
  };
  for (const Row& row : rows) {
    const ScanList list(row.buffer);
    EXPECT_EQ(list.slots().size(), row.slots) << row.name;
    for (const auto& slot : list.slots()) EXPECT_LE(slot.offset + slot.bytes.size(), row.buffer.size()) << row.name;
  }
  const ScanList tiny(tinyEntry);
  ASSERT_EQ(tiny.slots().size(), 2u);
  EXPECT_FALSE(tiny.slots()[0].usable);
}

TEST(ScanEntryRecord, FieldsAndSsidClamp) {
  EntrySpec spec = Spec("abc", -67, 5040000);
  spec.privacy = 1;
  spec.infrastructureMode = 0;
  Bytes entry = MakeEntry(spec);
  ScanEntryRecord record;
  ASSERT_TRUE(ReadScanEntry(entry, record));
  EXPECT_EQ(record.rssi, -67);
  EXPECT_EQ(record.dsConfig, 5040000u);
  EXPECT_EQ(record.privacy, 1u);
  EXPECT_EQ(record.infrastructureMode, 0u);
  EXPECT_EQ(record.ies.size(), 8u);
  StoreLe32(&entry[bssid_ex::kSsidLength], 0xFFFFFFFF);
  ASSERT_TRUE(ReadScanEntry(entry, record));
  EXPECT_EQ(record.SsidBytes().size(), 32u);
  // A name of zero bytes (how hidden networks are sent) reads as no name; the text ends at a NUL.
  Bytes zeroed = MakeEntry(Spec(std::string(7, '\0'), -67, 2437000));
  ASSERT_TRUE(ReadScanEntry(zeroed, record));
  EXPECT_EQ(record.SsidText(), "");
  zeroed[bssid_ex::kSsid] = 'x';
  ASSERT_TRUE(ReadScanEntry(zeroed, record));
  EXPECT_EQ(record.SsidText(), "x");
  EXPECT_FALSE(ReadScanEntry(std::span<const std::uint8_t>(entry).first(115), record));
  EXPECT_TRUE(record.ies.empty());
}

std::vector<std::string> Names(const Bytes& buffer) {
  std::vector<std::string> names;
  const ScanList list(buffer);
  for (const auto& slot : list.slots()) {
    ScanEntryRecord record;
    ReadScanEntry(slot.bytes, record);
    names.push_back(record.SsidText() + "/" + std::to_string(record.mac[5]));
  }
  return names;
}

TEST(ScanListSort, StableForEqualKeys) {
  struct Row {
    const char* name;
    SortMode mode;
    std::vector<EntrySpec> entries;
    std::vector<std::string> order;
  };
  const Row rows[] = {
      {"names differing only in case keep their order",
       SortMode::Ssid,
       {Spec("zeta", -60, 2437000, 1), Spec("abc", -60, 2437000, 2), Spec("ABC", -60, 2437000, 3),
        Spec("Abd", -60, 2437000, 4)},
       {"abc/2", "ABC/3", "Abd/4", "zeta/1"}},
      {"names fold to lower case, so _ sorts before letters",
       SortMode::Ssid,
       {Spec("_x", -60, 2437000, 1), Spec("B", -60, 2437000, 2), Spec("", -60, 2437000, 3)},
       {"/3", "_x/1", "B/2"}},
      {"equal signals keep their order, strongest first",
       SortMode::Signal,
       {Spec("a", -70, 2437000, 1), Spec("b", -40, 2437000, 2), Spec("c", -70, 2437000, 3), Spec("d", -40, 2437000, 4)},
       {"b/2", "d/4", "a/1", "c/3"}},
      {"channels ascending, an unknown frequency takes the channel before it",
       SortMode::Channel,
       {Spec("a", -60, 5180000, 1), Spec("b", -60, 1234, 2), Spec("c", -60, 2412000, 3), Spec("d", -60, 5180000, 4),
        Spec("e", -60, 5040000, 5)},
       {"c/3", "a/1", "b/2", "d/4", "e/5"}},
      {"an unknown frequency first in the list sorts before every channel",
       SortMode::Channel,
       {Spec("c", -60, 7, 3), Spec("a", -60, 2437000, 1), Spec("b", -60, 2412000, 2), Spec("d", -60, 9, 4)},
       {"c/3", "b/2", "d/4", "a/1"}},
  };
  for (const Row& row : rows) {
    std::vector<Bytes> entries;
    for (const EntrySpec& spec : row.entries) entries.push_back(MakeEntry(spec));
    Bytes buffer = MakeScanBuffer(entries);
    std::vector<std::uint64_t> lastSeen(1024, 0);
    for (std::size_t i = 0; i < row.entries.size(); ++i) lastSeen[i] = row.entries[i].mac[5];
    SortScanList(buffer, lastSeen, row.mode);
    EXPECT_EQ(Names(buffer), row.order) << row.name;
    for (std::size_t i = 0; i < row.order.size(); ++i) {
      EXPECT_EQ(std::to_string(lastSeen[i]), row.order[i].substr(row.order[i].find('/') + 1))
          << row.name << " time " << i;
    }
  }
}

TEST(ScanListSort, LeavesBytesAfterTheWalkAlone) {
  Bytes buffer = MakeScanBuffer({MakeEntry(Spec("b", -50)), MakeEntry(Spec("a", -40))}, 0);
  StoreLe32(buffer.data(), 3);
  const Bytes trailer = {0x02, 0, 0, 0, 0xEE};  // a third entry too short to step over
  buffer.insert(buffer.end(), trailer.begin(), trailer.end());
  std::vector<std::uint64_t> lastSeen(1, 7);  // fewer times than entries
  SortScanList(buffer, lastSeen, SortMode::Ssid);
  EXPECT_EQ(Names(buffer), (std::vector<std::string>{"a/0", "b/0"}));
  EXPECT_EQ(Bytes(buffer.end() - 5, buffer.end()), trailer);
  EXPECT_EQ(buffer[0], 3);
}

TEST(ScanListSort, NameComparison) {
  const auto cmp = [](const char* a, const char* b) {
    return CompareNamesIgnoringCase(std::span(reinterpret_cast<const std::uint8_t*>(a), std::strlen(a)),
                                    std::span(reinterpret_cast<const std::uint8_t*>(b), std::strlen(b)));
  };
  EXPECT_EQ(cmp("abc", "ABC"), 0);
  EXPECT_LT(cmp("ab", "abc"), 0);
  EXPECT_GT(cmp("b", "A"), 0);
  EXPECT_GT(cmp("\xE4", "z"), 0);
  const std::uint8_t withNul[] = {'a', 0, 'z'};
  const std::uint8_t plain[] = {'a'};
  EXPECT_EQ(CompareNamesIgnoringCase(withNul, plain), 0);
}

}  // namespace
}  // namespace nxui
