#include "base/HexText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nxui {
namespace {

TEST(HexBytes, EveryByteValueAndCase) {
  struct Row {
    std::vector<std::uint8_t> bytes;
    bool upper;
    std::string text;
  };
  const std::vector<Row> rows = {
      {{}, false, ""},
      {{0x00}, false, "00"},
      {{0x0F, 0xF0}, false, "0ff0"},
      {{0xAB, 0xCD, 0xEF}, true, "ABCDEF"},
      {{0xAB, 0xCD, 0xEF}, false, "abcdef"},
      {{0x09, 0x0A, 0x90, 0xA0}, false, "090a90a0"},
  };
  for (const Row& row : rows) EXPECT_EQ(HexBytes(row.bytes, row.upper), row.text) << row.text;
  // A text is taken byte by byte, a NUL and bytes above 0x7F included.
  EXPECT_EQ(HexBytes(std::string_view("\0\x7f\x80\xff", 4)), "007f80ff");
}

TEST(HexBytes, ReadsBackThroughTheParser) {
  std::vector<std::uint8_t> all(256);
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::uint8_t>(i);
  for (const bool upper : {false, true}) {
    std::vector<std::uint8_t> parsed;
    ASSERT_TRUE(ParseHexBytes(HexBytes(all, upper), "", parsed));
    EXPECT_EQ(parsed, all);
  }
}

}  // namespace
}  // namespace nxui
