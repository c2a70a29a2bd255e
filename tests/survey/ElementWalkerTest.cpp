#include <gtest/gtest.h>

#include <vector>

#include "scan/ElementWalker.h"

namespace nxui {
namespace {

std::vector<int> WalkIds(const std::vector<std::uint8_t>& bytes) {
  ElementWalker walker(bytes);
  InfoElement element;
  std::vector<int> ids;
  while (walker.Next(element)) {
    ids.push_back(element.id);
    // A body never reaches past the list.
    EXPECT_LE(element.body.data() + element.body.size(), bytes.data() + bytes.size());
  }
  return ids;
}

TEST(ElementWalker, StopRulesAtEachBoundary) {
  struct Row {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::vector<int> ids;
  };
  const Row rows[] = {
      {"empty list", {}, {}},
      {"three bytes: consumed + 3 reaches the length", {7, 1, 0xAA}, {}},
      {"four bytes: one element", {7, 2, 0xAA, 0xBB}, {7}},
      // A hidden network's empty SSID comes first: the length rule looks at the next element only.
      {"zero-length first element is read and the walk goes on", {0, 0, 48, 2, 1, 0}, {0, 48}},
      {"zero-length first element alone in four bytes", {0, 0, 48, 1}, {0}},
      {"zero-length first element followed by another ends there", {0, 0, 5, 0, 48, 2, 1, 0}, {0}},
      {"zero-length element in the middle ends the walk", {1, 1, 2, 0, 0, 221, 4, 0, 0x50, 0xF2, 4}, {1}},
      {"last element of body 1 is dropped: consumed + 3 reaches the length", {1, 2, 2, 4, 3, 1, 6}, {1}},
      {"last element of body 2 is read", {1, 2, 2, 4, 3, 2, 6, 7}, {1, 3}},
      {"element running one byte past the list ends the walk", {1, 2, 2, 4, 3, 3, 6, 7}, {1}},
      {"element with a length of 255 and a short list", {221, 255, 1, 2, 3}, {}},
      {"trailing single byte after the elements", {1, 2, 2, 4, 9}, {1}},
  };
  for (const Row& row : rows) EXPECT_EQ(WalkIds(row.bytes), row.ids) << row.name;
}

TEST(ElementWalker, StaysDoneAfterStopping) {
  const std::vector<std::uint8_t> bytes = {1, 1, 2, 0, 0, 3, 1, 6};
  ElementWalker walker(bytes);
  InfoElement element;
  EXPECT_TRUE(walker.Next(element));
  EXPECT_FALSE(walker.Next(element));
  EXPECT_FALSE(walker.Next(element));
  EXPECT_EQ(walker.consumed(), 3u);
}

}  // namespace
}  // namespace nxui
