// Reader of the 64 KiB scan list: a 32-bit entry count, then entries stepped by their own Length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace nxui {

class ScanList {
 public:
  struct Slot {
    std::size_t position = 0;             // index among the counted entries
    std::size_t offset = 0;               // of the entry in the buffer
    std::span<const std::uint8_t> bytes;  // Length bytes
    bool usable = false;                  // Length >= 116 + IELength
  };

  // Walks at most the declared count. The walk stops early at a Length below 4 (it could not
  // step on) or at an entry that runs past the buffer.
  explicit ScanList(std::span<const std::uint8_t> buffer);

  std::uint32_t declaredCount() const { return declaredCount_; }
  const std::vector<Slot>& slots() const { return slots_; }
  // End of the last entry walked (4 when there is none).
  std::size_t walkedEnd() const { return walkedEnd_; }

 private:
  std::uint32_t declaredCount_ = 0;
  std::vector<Slot> slots_;
  std::size_t walkedEnd_ = 4;
};

}  // namespace nxui
