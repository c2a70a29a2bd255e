// How the shell reads its texts: a lookup by string-table id, so that the language chosen at
// start (and tests) decide the table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace nxui::shell {

using StringLookup = std::function<std::string(std::uint32_t id)>;

}  // namespace nxui::shell
