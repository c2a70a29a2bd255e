#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "FuzzTargets.h"

namespace nxui::fuzz {
namespace {

std::vector<std::string> TargetNames() {
  std::vector<std::string> names;
  for (const FuzzTarget& target : FuzzTargets()) names.emplace_back(target.name);
  return names;
}

class FuzzCorpus : public ::testing::TestWithParam<std::string> {};

// Every input the fuzzer kept (each crash found among them) stays a regression test: a crash, a
// sanitizer report or a broken property of the target aborts the test.
TEST_P(FuzzCorpus, EveryCommittedInputRunsClean) {
  const FuzzTarget* target = FindFuzzTarget(GetParam());
  ASSERT_NE(target, nullptr);
  const std::filesystem::path corpus = std::filesystem::path(NXUI_FUZZ_CORPUS_DIR) / GetParam();
  ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
  std::vector<std::filesystem::path> files;
  for (const auto& item : std::filesystem::directory_iterator(corpus)) {
    if (item.is_regular_file()) files.push_back(item.path());
  }
  std::sort(files.begin(), files.end());
  EXPECT_GE(files.size(), 3u) << "a target's corpus seeds it with valid and damaged inputs";
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CurrentInputLabel() = file.string();
    target->run(data.data(), data.size());
  }
  // Inputs of every small size, the empty one included, of zeros and of ones.
  for (const std::uint8_t fill : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
    const std::vector<std::uint8_t> bytes(300, fill);
    for (std::size_t size = 0; size <= bytes.size(); size += (size < 64 ? 1 : 29)) {
      CurrentInputLabel() = std::to_string(size) + " bytes of " + std::to_string(fill);
      target->run(bytes.data(), size);
    }
  }
  CurrentInputLabel().clear();
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(TargetNames()),
                         [](const auto& row) { return row.param; });

}  // namespace
}  // namespace nxui::fuzz
