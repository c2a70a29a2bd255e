#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../../fuzz/ScanDecodeFuzz.h"

namespace nxui {
namespace {

// Every input the fuzzer keeps (crashes found included) stays a regression test.
TEST(FuzzCorpus, EveryFileDecodesWithoutFault) {
  // tests/data need not exist: resolve the path by name.
  const std::filesystem::path corpus =
      (std::filesystem::path(NXUI_TEST_DATA_DIR) / ".." / ".." / "fuzz" / "corpus").lexically_normal();
  ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  std::size_t files = 0;
  for (const auto& item : std::filesystem::directory_iterator(corpus)) {
    if (!item.is_regular_file()) continue;
    std::ifstream file(item.path(), std::ios::binary);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    fuzz::ScanDecodeOneInput(data.data(), data.size());
    ++files;
  }
  EXPECT_GE(files, 5u);
  // Inputs at every small size, including the empty one.
  std::vector<std::uint8_t> zeros(300, 0);
  for (std::size_t size = 0; size <= zeros.size(); ++size) fuzz::ScanDecodeOneInput(zeros.data(), size);
}

}  // namespace
}  // namespace nxui
