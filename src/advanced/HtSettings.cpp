#include "advanced/HtSettings.h"

namespace nxui {
namespace {

// Record byte 6 by the page's choice: static 0, dynamic 1, power save off 3.
std::uint8_t SmpsRecordValue(int smps) {
  switch (smps) {
    case kSmpsStatic:
      return 0;
    case kSmpsDynamic:
      return 1;
    default:
      return 3;
  }
}

}  // namespace

HtConfigBytes BuildHtConfigRecord(const HtSettings& s) {
  return {s.baByte0,
          s.baByte1,
          static_cast<std::uint8_t>(s.mpduAggregation ? 1 : 2),
          static_cast<std::uint8_t>(s.mpduDensity),
          static_cast<std::uint8_t>(s.amsdu ? 1 : 0),
          static_cast<std::uint8_t>(s.amsduSize),
          SmpsRecordValue(s.smps),
          static_cast<std::uint8_t>(s.autoBa != 0 ? 1 : 0)};
}

std::uint32_t BaCapabilityFromRecord(const HtConfigBytes& r) {
  return static_cast<std::uint32_t>(r[0]) | (static_cast<std::uint32_t>(r[1]) << 8) |
         (static_cast<std::uint32_t>(r[7] & 0x1u) << 16) | (static_cast<std::uint32_t>(r[2] & 0x3u) << 17) |
         (static_cast<std::uint32_t>(r[3] & 0x7u) << 19) | (static_cast<std::uint32_t>(r[4] & 0x1u) << 22) |
         (static_cast<std::uint32_t>(r[5] & 0x1u) << 23) | (static_cast<std::uint32_t>(r[6] & 0x3u) << 24);
}

void ApplyBaCapability(std::uint32_t value, HtSettings& s) {
  s.baByte0 = static_cast<std::uint8_t>(value);
  s.baByte1 = static_cast<std::uint8_t>(value >> 8);
  s.autoBa = static_cast<int>((value >> 16) & 0x1u);
  s.mpduAggregation = ((value >> 17) & 0x3u) == 1;
  s.mpduDensity = static_cast<int>((value >> 19) & 0x7u);
  s.amsdu = ((value >> 22) & 0x1u) != 0;
  if (s.amsdu) s.amsduSize = static_cast<int>((value >> 23) & 0x1u);
  switch ((value >> 24) & 0x3u) {
    case 0:
      s.smps = kSmpsStatic;
      break;
    case 1:
      s.smps = kSmpsDynamic;
      break;
    default:
      s.smps = kSmpsEnable;
      break;
  }
}

}  // namespace nxui
