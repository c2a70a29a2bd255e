// The 8-digit WPS PIN: seven digits and the checksum digit of the Wi-Fi Simple Configuration
// protocol, and the check of a typed PIN.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/IRandom.h"

namespace nxui {

// The built-in texts of a refused PIN, shown in every language.
namespace wps_text {
inline constexpr const char* kInvalidPinCode = "Invaild Pin Code";  // pop-up tip: not 8 characters
inline constexpr const char* kPinWrong = "Pin 码错误";              // message box: wrong checksum digit
}  // namespace wps_text

// The checksum digit 0..9 of the seven digits of n (0 <= n < 10000000, leading zeros counted).
std::uint32_t PinChecksum(std::uint32_t n);

// A source of random bytes: fills the buffer, false when it cannot.
using RandomBytesSource = bool (*)(std::uint8_t* buffer, std::size_t length);

// Seven digits from the generator (the system's cryptographically secure one, so uniform over
// 0..9999999 and nobody who knows the time can guess it) followed by their checksum digit. nullopt
// only when it gives no random bytes at all: then there is no PIN rather than a guessable one.
std::optional<std::uint32_t> GeneratePin(IRandom& random);

// The system generator's bytes; false when it has none to give.
bool SecureRandomBytes(std::uint8_t* buffer, std::size_t length);

// "%08u": always eight digits.
std::string FormatPin(std::uint32_t pin);

enum class PinCheck {
  Ok,
  WrongLength,    // not exactly 8 characters: "Invaild Pin Code" at the field
  WrongChecksum,  // last digit is not the checksum of the first seven: "Pin 码错误"
};

struct PinCheckResult {
  PinCheck check = PinCheck::WrongLength;
  std::uint32_t value = 0;  // the converted value (valid only with Ok)
};

// The typed text: exactly 8 characters, converted in base 10 up to the first non-digit, and its
// last digit (value mod 10) must be the checksum of value div 10.
PinCheckResult CheckPinText(std::string_view text);

}  // namespace nxui
