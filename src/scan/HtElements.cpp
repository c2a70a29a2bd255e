#include "scan/HtElements.h"

#include <algorithm>

#include "base/ByteReader.h"

namespace nxui {

bool ParseHtCapabilitiesBody(std::span<const std::uint8_t> body, HtCapabilities& out) {
  if (body.size() != kHtCapabilitiesLength) return false;
  ByteReader reader(body);
  HtCapabilities caps;
  std::span<const std::uint8_t> mcs;
  if (!reader.le16(caps.info) || !reader.u8(caps.ampduParameters) || !reader.take(16, mcs) ||
      !reader.le16(caps.extendedCapabilities) || !reader.le32(caps.txBeamforming) ||
      !reader.u8(caps.aselCapabilities)) {
    return false;
  }
  std::copy(mcs.begin(), mcs.end(), caps.mcsSet.begin());
  out = caps;
  return true;
}

bool ParseHtOperationBody(std::span<const std::uint8_t> body, HtOperation& out) {
  if (body.size() < kHtOperationLength) return false;
  ByteReader reader(body);
  HtOperation op;
  if (!reader.u8(op.primaryChannel) || !reader.u8(op.info1) || !reader.le16(op.info2) || !reader.le16(op.info3)) {
    return false;
  }
  for (std::uint32_t& word : op.basicMcsSet) {
    if (!reader.le32(word)) return false;
  }
  out = op;
  return true;
}

}  // namespace nxui
