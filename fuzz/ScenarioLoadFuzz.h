// The scenario loader on any text: it loads or says why with the file and a line of the text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "sim/ScenarioLoader.h"

namespace nxui::fuzz {

inline void ScenarioLoadOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const sim::ScenarioLoadResult result = sim::ScenarioLoader::LoadText(text, "fuzz.json");
  if (result.ok) {
    NXUI_FUZZ_REQUIRE(result.error.empty());
    NXUI_FUZZ_REQUIRE(result.scenario.sourceName == "fuzz.json");
    return;
  }
  // "fuzz.json:LINE: reason", the line one of the text's.
  constexpr std::string_view kPrefix = "fuzz.json:";
  NXUI_FUZZ_REQUIRE(result.error.compare(0, kPrefix.size(), kPrefix) == 0);
  std::size_t at = kPrefix.size();
  std::size_t line = 0;
  while (at < result.error.size() && result.error[at] >= '0' && result.error[at] <= '9' && line < 100000000) {
    line = line * 10 + static_cast<std::size_t>(result.error[at++] - '0');
  }
  NXUI_FUZZ_REQUIRE(at > kPrefix.size() && result.error.compare(at, 2, ": ") == 0);
  NXUI_FUZZ_REQUIRE(result.error.size() > at + 2);
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  NXUI_FUZZ_REQUIRE(line <= lines);
}

}  // namespace nxui::fuzz
