#include "adapter/AdapterRegistry.h"

#include <limits>
#include <span>
#include <vector>

#include "platform/IRegistry.h"

namespace nxui {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

int ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1) break;
  }
  long long value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

int ChannelNumberFromText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == 'J' || text[i] == 'j')) {
    int n = ParseDecimal(text.substr(i + 1));
    if (n == 8 || n == 12 || n == 16) return 200 + n;
  }
  return ParseDecimal(text);
}

bool AdapterRegistry::Read(std::string_view name, std::string& data) const {
  HKEY key = 0;
  if (registry_.OpenKey(kHkeyLocalMachine, keyPath_, kKeyRead, key) != kErrorSuccess) return false;
  DWORD type = 0;
  std::vector<std::uint8_t> bytes;
  LONG rc = registry_.QueryValue(key, name, type, bytes);
  registry_.CloseKey(key);
  if (rc != kErrorSuccess || bytes.size() > kValueBufferSize) return false;
  data.assign(bytes.begin(), bytes.end());
  return true;
}

bool AdapterRegistry::ReadText(std::string_view name, std::string& value) const {
  std::string data;
  if (!Read(name, data)) return false;
  std::size_t end = data.find('\0');
  if (end != std::string::npos) data.resize(end);
  value = std::move(data);
  return true;
}

bool AdapterRegistry::ReadDecimal(std::string_view name, int& value) const {
  std::string text;
  if (!ReadText(name, text)) return false;
  value = ParseDecimal(text);
  return true;
}

bool AdapterRegistry::ReadRaw32(std::string_view name, std::uint32_t& value) const {
  std::string data;
  if (!Read(name, data)) return false;
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < 4 && i < data.size(); ++i) {
    word |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(data[i])) << (8 * i);
  }
  value = word;
  return true;
}

bool AdapterRegistry::ReadDword(std::string_view name, std::uint32_t& value) const {
  std::string data;
  if (!Read(name, data) || data.size() > 4) return false;
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    word |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(data[i])) << (8 * i);
  }
  value = word;
  return true;
}

bool AdapterRegistry::WriteText(std::string_view name, std::string_view text) const {
  HKEY key = 0;
  if (registry_.OpenKey(kHkeyLocalMachine, keyPath_, kKeyAllAccess, key) != kErrorSuccess) return false;
  LONG rc = registry_.SetValue(key, name, kRegSz, Bytes(text));
  registry_.CloseKey(key);
  return rc == kErrorSuccess;
}

bool AdapterRegistry::WriteDword(std::string_view name, std::uint32_t value) const {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  HKEY key = 0;
  if (registry_.OpenKey(kHkeyLocalMachine, keyPath_, kKeyAllAccess, key) != kErrorSuccess) return false;
  LONG rc = registry_.SetValue(key, name, kRegDword, bytes);
  registry_.CloseKey(key);
  return rc == kErrorSuccess;
}

bool AdapterRegistry::WriteDecimal(std::string_view name, int value) const {
  return WriteText(name, std::to_string(value));
}

}  // namespace nxui
