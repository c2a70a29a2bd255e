#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nxui {

// A GUID kept as its 16 bytes in the platform's in-memory order (Data1..Data3 little-endian).
struct Guid {
  std::array<std::uint8_t, 16> bytes{};

  // Accepts "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" with or without braces, any case.
  static std::optional<Guid> Parse(std::string_view text);
  // Braced, upper case: "{4D36E972-E325-11CE-BFC1-08002BE10318}".
  std::string ToString() const;
  bool IsNull() const;

  friend bool operator==(const Guid&, const Guid&) = default;
};

}  // namespace nxui
