#include "scan/ScanList.h"

#include <algorithm>

#include "base/ByteReader.h"
#include "scan/BssidEx.h"

namespace nxui {

ScanList::ScanList(std::span<const std::uint8_t> buffer) {
  ByteReader reader(buffer);
  if (!reader.le32(declaredCount_)) {
    walkedEnd_ = 0;
    return;
  }
  // The count is not trusted; entries are rarely shorter than their fixed part.
  slots_.reserve(std::min<std::size_t>(declaredCount_, buffer.size() / bssid_ex::kFixedSize + 1));
  for (std::uint32_t index = 0; index < declaredCount_; ++index) {
    const std::size_t offset = reader.position();
    ByteReader entryReader(buffer.subspan(offset));
    std::uint32_t length = 0;
    if (!entryReader.le32(length) || length < 4) break;
    std::span<const std::uint8_t> bytes;
    if (!reader.take(length, bytes)) break;
    Slot slot;
    slot.position = index;
    slot.offset = offset;
    slot.bytes = bytes;
    if (length >= bssid_ex::kFixedSize) {
      const std::uint32_t ieLength = LoadLe32(bytes.data() + bssid_ex::kIeLength);
      slot.usable = static_cast<std::uint64_t>(length) >= bssid_ex::kFixedSize + static_cast<std::uint64_t>(ieLength);
    }
    slots_.push_back(slot);
    walkedEnd_ = reader.position();
  }
}

}  // namespace nxui
