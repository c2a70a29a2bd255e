// Values of the adapter's driver key (below HKEY_LOCAL_MACHINE at the context's classKeyPath).
// Each call opens the key (read access for reads, all access for writes) and closes it before
// returning. Failures are silent for the user: a false result and nothing changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nxui {

class IRegistry;

// Decimal text as the platform's text-to-integer conversion reads it: leading blanks, an optional
// sign, digits up to the first other character; text that is not a number reads as 0.
int ParseDecimal(std::string_view text);

// A channel text: "J8", "J12" and "J16" are channels 208, 212 and 216; anything else is decimal.
int ChannelNumberFromText(std::string_view text);

class AdapterRegistry {
 public:
  // Values are read as into the platform's 128-byte buffers: a longer value counts as missing.
  static constexpr std::size_t kValueBufferSize = 128;

  AdapterRegistry(IRegistry& registry, std::string classKeyPath)
      : registry_(registry), keyPath_(std::move(classKeyPath)) {}

  const std::string& KeyPath() const { return keyPath_; }

  // Decimal text value; false when the key or value is missing.
  bool ReadDecimal(std::string_view name, int& value) const;
  // The text of a value without its terminator.
  bool ReadText(std::string_view name, std::string& value) const;
  // The first 4 bytes of a raw value, little-endian (a shorter value fills the low bytes).
  bool ReadRaw32(std::string_view name, std::uint32_t& value) const;
  // A value read as into a 4-byte DWORD: at most 4 bytes, little-endian; a longer value fails.
  bool ReadDword(std::string_view name, std::uint32_t& value) const;

  // REG_SZ "%d", the data length being the text length (no terminator).
  bool WriteDecimal(std::string_view name, int value) const;
  // REG_SZ without terminator.
  bool WriteText(std::string_view name, std::string_view text) const;
  // REG_DWORD, little-endian.
  bool WriteDword(std::string_view name, std::uint32_t value) const;

 private:
  bool Read(std::string_view name, std::string& data) const;

  IRegistry& registry_;
  std::string keyPath_;
};

}  // namespace nxui
