#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/BlockAckFuzz.h"

namespace nxui {
namespace {

// Every input the fuzzer keeps stays a regression test; the harness aborts when a list shows more
// than its count or its slots allow, or when a row's text does not read back as its peer.
TEST(BlockAckFuzzCorpus, EveryFileParsesWithinItsCounts) {
  const std::filesystem::path corpus =
      (std::filesystem::path(NXUI_TEST_DATA_DIR) / ".." / ".." / "fuzz" / "corpus-blockack").lexically_normal();
  ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  std::size_t files = 0;
  for (const auto& item : std::filesystem::directory_iterator(corpus)) {
    if (!item.is_regular_file()) continue;
    std::ifstream file(item.path(), std::ios::binary);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    fuzz::BlockAckOneInput(data.data(), data.size());
    ++files;
  }
  EXPECT_GE(files, 8u);
}

// Every cut of a full table whose every slot has a session and whose counts say 255: each cut
// ends where its bytes end, and the lists never exceed the 32 slots.
TEST(BlockAckFuzzCorpus, EveryCutOfAFullTable) {
  std::vector<std::uint8_t> table(kBlockAckTableSize, 0);
  for (std::size_t slot = 0; slot < 2 * kBlockAckSlots; ++slot) table[slot * kBlockAckEntrySize + 6] = 0xFF;
  table[kBlockAckCountOffset] = 255;
  table[kBlockAckCountOffset + 1] = 255;
  for (std::size_t size = 0; size <= table.size(); ++size) fuzz::BlockAckOneInput(table.data(), size);
  const BlockAckTable full = ParseBlockAckTable(table);
  EXPECT_EQ(full.originator.size(), kBlockAckSlots);
  EXPECT_EQ(full.recipient.size(), kBlockAckSlots);
}

}  // namespace
}  // namespace nxui
