// Small text helpers of the profile editor: numbers as the store's decimal conversion reads them,
// hexadecimal checks, WEP key encodings and UTF-8 aware limits.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nxui {

// Optional blanks, an optional sign and the leading decimal digits; anything else reads as 0.
// Saturates instead of overflowing.
int ProfileInt(std::string_view text);

bool IsHexDigit(char c);
// Every character is a hexadecimal digit (an empty text is).
bool IsHexText(std::string_view text);

// The characters a stored ASCII key (two hexadecimal digits per byte) encodes: pairs of hexadecimal digits, at most 13
// bytes, none of them NUL. False (and `out` untouched) for any other text.
bool DecodeAsciiWepKey(std::string_view stored, std::string& out);

// Characters of UTF-8 text (bytes that begin a character).
std::size_t Utf8Length(std::string_view text);
// At most `maxBytes` bytes, never ending inside a character.
std::string TruncateUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace nxui
