// A text of at most N bytes built in place, then handed over as one string: the survey formats a
// few thousand short fields per scan, and going through printf or growing a string piece by piece
// costs more than the decode itself.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

namespace nxui {

template <std::size_t N>
class ShortText {
 public:
  // What does not fit is dropped; callers size N for their longest text.
  void Add(std::string_view text) {
    const std::size_t count = std::min(text.size(), N - size_);
    std::copy_n(text.data(), count, bytes_ + size_);
    size_ += count;
  }
  // A literal's length is known here, so its copy needs no loop.
  template <std::size_t M>
  void Add(const char (&literal)[M]) {
    if (M - 1 > N - size_) return Add(std::string_view(literal, M - 1));
    std::memcpy(bytes_ + size_, literal, M - 1);
    size_ += M - 1;
  }
  void Add(char c) {
    if (size_ < N) bytes_[size_++] = c;
  }
  // "TRUE" or "FALSE".
  void AddFlag(bool value) {
    if (value) {
      Add("TRUE");
    } else {
      Add("FALSE");
    }
  }
  // "%d" / "%u". A number that does not fit whole is dropped.
  void AddDecimal(std::int64_t value) {
    const auto result = std::to_chars(bytes_ + size_, bytes_ + N, value);
    if (result.ec == std::errc()) size_ = static_cast<std::size_t>(result.ptr - bytes_);
  }
  // "%02X".
  void AddHexByte(std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    Add(kDigits[byte >> 4]);
    Add(kDigits[byte & 0xF]);
  }
  // "%04X".
  void AddHex16(std::uint16_t value) {
    AddHexByte(static_cast<std::uint8_t>(value >> 8));
    AddHexByte(static_cast<std::uint8_t>(value));
  }

  bool empty() const { return size_ == 0; }
  std::string_view view() const { return std::string_view(bytes_, size_); }
  std::string str() const { return std::string(bytes_, size_); }

 private:
  char bytes_[N];
  std::size_t size_ = 0;
};

}  // namespace nxui
