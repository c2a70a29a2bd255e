#include "profiles/ProfileText.h"

#include <climits>

#include "base/HexText.h"

namespace nxui {

int ProfileInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

bool IsHexDigit(char c) { return HexDigitValue(c) >= 0; }

bool IsHexText(std::string_view text) {
  for (char c : text) {
    if (!IsHexDigit(c)) return false;
  }
  return true;
}

bool DecodeAsciiWepKey(std::string_view stored, std::string& out) {
  if (stored.size() % 2 != 0 || stored.size() > 26) return false;
  std::string decoded;
  for (std::size_t i = 0; i < stored.size(); i += 2) {
    const int high = HexDigitValue(stored[i]);
    const int low = HexDigitValue(stored[i + 1]);
    if (high < 0 || low < 0 || (high == 0 && low == 0)) return false;
    decoded += static_cast<char>(high * 16 + low);
  }
  out = std::move(decoded);
  return true;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::string TruncateUtf8(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  std::size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

}  // namespace nxui
