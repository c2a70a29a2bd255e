#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nxui {

// Two hex digits per byte, no separators; lower case unless `upper`.
std::string HexBytes(std::span<const std::uint8_t> bytes, bool upper = false);
// The same for the bytes of a text (an SSID, a key as typed).
std::string HexBytes(std::string_view bytes, bool upper = false);

// Value of one hexadecimal digit, -1 for anything else.
int HexDigitValue(char c);

// Hex digits in pairs; characters of `separators` may stand between bytes, never inside one.
// On failure `out` is left as it was.
bool ParseHexBytes(std::string_view text, std::string_view separators, std::vector<std::uint8_t>& out);

}  // namespace nxui
