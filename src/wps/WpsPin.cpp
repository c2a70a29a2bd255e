#include "wps/WpsPin.h"

#include <cstdio>

#include "platform/SystemRandom.h"

namespace nxui {

namespace {

constexpr std::uint32_t kSevenDigits = 10000000;

}  // namespace

std::uint32_t PinChecksum(std::uint32_t n) {
  n %= kSevenDigits;
  // Digits d1..d7, most significant first: d1, d3, d5, d7 weigh 3, the others 1.
  std::uint32_t sum = 0;
  for (int position = 7; position >= 1; --position) {
    const std::uint32_t digit = n % 10;
    n /= 10;
    sum += (position % 2 == 1) ? 3 * digit : digit;
  }
  return (10 - sum % 10) % 10;
}

bool SecureRandomBytes(std::uint8_t* buffer, std::size_t length) {
  SystemRandom system;
  return length <= 0xFFFFFFFFu && system.GenRandom(buffer, static_cast<DWORD>(length));
}

std::optional<std::uint32_t> GeneratePin(IRandom& random) {
  // Rejection keeps the seven digits uniform: 2^32 is not a multiple of 10^7.
  constexpr std::uint32_t kLimit = (0xFFFFFFFFu / kSevenDigits) * kSevenDigits;
  for (int attempt = 0; attempt < 64; ++attempt) {
    std::uint8_t bytes[4] = {};
    if (!random.GenRandom(bytes, sizeof bytes)) return std::nullopt;
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    if (value >= kLimit) continue;
    const std::uint32_t n = value % kSevenDigits;
    return n * 10 + PinChecksum(n);
  }
  return std::nullopt;  // a source that never leaves the rejected range is not random
}

std::string FormatPin(std::uint32_t pin) {
  char text[16];
  std::snprintf(text, sizeof text, "%08u", pin);
  return text;
}

PinCheckResult CheckPinText(std::string_view text) {
  if (text.size() != 8) return {PinCheck::WrongLength, 0};
  std::uint32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (value % 10 != PinChecksum(value / 10)) return {PinCheck::WrongChecksum, value};
  return {PinCheck::Ok, value};
}

}  // namespace nxui
