// Reads a scenario file (JSON) into a Scenario. Never throws: every failure comes back as a
// message naming the file and the line ("world.json:12: ...").
#pragma once

#include <string>
#include <string_view>

#include "sim/Scenario.h"

namespace nxui::sim {

struct ScenarioLoadResult {
  bool ok = false;
  Scenario scenario;
  std::string error;
};

class ScenarioLoader {
 public:
  static ScenarioLoadResult LoadText(std::string_view text, std::string_view sourceName);
  static ScenarioLoadResult LoadFile(const std::string& path);
  // The scenario compiled into the program.
  static ScenarioLoadResult LoadEmbedded();
};

// The text of src/sim/default_scenario.json.
std::string_view EmbeddedDefaultScenario();

// "0x096E" or "096E" as a number; false when malformed or above `max`.
bool ParseHexNumber(std::string_view text, std::uint32_t max, std::uint32_t& value);
// A run of hex digit pairs, blanks and dashes between pairs allowed.
bool ParseHexBlob(std::string_view text, std::vector<std::uint8_t>& bytes);

}  // namespace nxui::sim
