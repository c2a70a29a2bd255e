#include "base/HexText.h"

namespace nxui {

std::string HexBytes(std::span<const std::uint8_t> bytes, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 0x0F];
  }
  return out;
}

std::string HexBytes(std::string_view bytes, bool upper) {
  return HexBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), upper);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHexBytes(std::string_view text, std::string_view separators, std::vector<std::uint8_t>& out) {
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (char c : text) {
    if (separators.find(c) != std::string_view::npos) {
      if (high >= 0) return false;  // a separator inside a byte
      continue;
    }
    const int digit = HexDigitValue(c);
    if (digit < 0) return false;
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
      high = -1;
    }
  }
  if (high >= 0) return false;
  out = std::move(bytes);
  return true;
}

}  // namespace nxui
