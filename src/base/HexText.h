#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace nxui {

// Value of one hexadecimal digit, -1 for anything else.
int HexDigitValue(char c);

// Hex digits in pairs; characters of `separators` may stand between bytes, never inside one.
// On failure `out` is left as it was.
bool ParseHexBytes(std::string_view text, std::string_view separators, std::vector<std::uint8_t>& out);

}  // namespace nxui
