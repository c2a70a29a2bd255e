// One counter row of a statistics sub-page: label, "=" separator and right-aligned value.
#pragma once

#include <string>

namespace nxui {

struct StatisticsRow {
  std::string label;
  std::string separator = "=";
  std::string value = "0";
  bool visible = true;  // label, separator and value together

  bool operator==(const StatisticsRow&) const = default;
};

}  // namespace nxui
