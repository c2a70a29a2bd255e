#include "platform/Guid.h"
#include "base/HexText.h"

#include <cstdio>

namespace nxui {
namespace {}  // namespace

std::optional<Guid> Guid::Parse(std::string_view text) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') {
    text = text.substr(1, 36);
  }
  if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') {
    return std::nullopt;
  }
  std::array<std::uint8_t, 16> raw{};  // in text order
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '-') {
      ++i;
      continue;
    }
    const int hi = HexDigitValue(text[i]);
    const int lo = i + 1 < text.size() ? HexDigitValue(text[i + 1]) : -1;
    if (hi < 0 || lo < 0 || out >= raw.size()) return std::nullopt;
    raw[out++] = static_cast<std::uint8_t>(hi * 16 + lo);
    i += 2;
  }
  if (out != 16) return std::nullopt;
  Guid g;
  // Data1 (4 bytes), Data2 and Data3 (2 bytes each) are little-endian in memory.
  g.bytes = {raw[3], raw[2], raw[1],  raw[0],  raw[5],  raw[4],  raw[7],  raw[6],
             raw[8], raw[9], raw[10], raw[11], raw[12], raw[13], raw[14], raw[15]};
  return g;
}

std::string Guid::ToString() const {
  const auto& b = bytes;
  char text[40];
  std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3], b[2],
                b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
  return text;
}

bool Guid::IsNull() const {
  for (auto v : bytes) {
    if (v != 0) return false;
  }
  return true;
}

}  // namespace nxui
