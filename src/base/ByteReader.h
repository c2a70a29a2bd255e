#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace nxui {

// Bounded reader over untrusted bytes (driver records, scan entries, elements, attributes).
// Every read checks `needed > remaining()` first; a failed read returns false and leaves the
// position where it was.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t remaining() const { return bytes_.size() - pos_; }
  std::size_t position() const { return pos_; }
  bool empty() const { return remaining() == 0; }

  bool u8(std::uint8_t& v) {
    if (1 > remaining()) return false;
    v = bytes_[pos_++];
    return true;
  }
  bool le16(std::uint16_t& v) {
    if (2 > remaining()) return false;
    v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
  }
  bool be16(std::uint16_t& v) {
    if (2 > remaining()) return false;
    v = static_cast<std::uint16_t>((bytes_[pos_] << 8) | bytes_[pos_ + 1]);
    pos_ += 2;
    return true;
  }
  bool le32(std::uint32_t& v) {
    if (4 > remaining()) return false;
    v = static_cast<std::uint32_t>(bytes_[pos_]) | (static_cast<std::uint32_t>(bytes_[pos_ + 1]) << 8) |
        (static_cast<std::uint32_t>(bytes_[pos_ + 2]) << 16) | (static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24);
    pos_ += 4;
    return true;
  }
  bool take(std::size_t n, std::span<const std::uint8_t>& out) {
    if (n > remaining()) return false;
    out = bytes_.subspan(pos_, n);
    pos_ += n;
    return true;
  }
  bool skip(std::size_t n) {
    if (n > remaining()) return false;
    pos_ += n;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

// Little-endian stores into fixed records.
inline void StoreLe32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline std::uint32_t LoadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace nxui
