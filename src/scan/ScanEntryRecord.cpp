#include "scan/ScanEntryRecord.h"

#include <algorithm>

#include "base/ByteReader.h"
#include "scan/BssidEx.h"

namespace nxui {

std::span<const std::uint8_t> ScanEntryRecord::SsidBytes() const {
  return std::span<const std::uint8_t>(ssid).first(std::min<std::size_t>(ssidLength, ssid.size()));
}

std::string ScanEntryRecord::SsidText() const {
  // A hidden network often sends its name's length with zero bytes in place of the name: the text
  // ends at the first NUL, as the name sort compares it.
  const auto bytes = SsidBytes();
  return std::string(bytes.begin(), std::find(bytes.begin(), bytes.end(), std::uint8_t{0}));
}

namespace {

std::uint32_t Le32At(std::span<const std::uint8_t> bytes, std::size_t offset) {
  ByteReader reader(bytes);
  std::uint32_t value = 0;
  if (reader.skip(offset)) reader.le32(value);
  return value;
}

template <std::size_t N>
void CopyAt(std::span<const std::uint8_t> bytes, std::size_t offset, std::array<std::uint8_t, N>& out) {
  ByteReader reader(bytes);
  std::span<const std::uint8_t> field;
  if (reader.skip(offset) && reader.take(N, field)) std::copy(field.begin(), field.end(), out.begin());
}

}  // namespace

bool ReadScanEntry(std::span<const std::uint8_t> bytes, ScanEntryRecord& out) {
  namespace bx = bssid_ex;
  ScanEntryRecord record;
  record.length = Le32At(bytes, bx::kLength);
  CopyAt(bytes, bx::kMacAddress, record.mac);
  record.ssidLength = Le32At(bytes, bx::kSsidLength);
  CopyAt(bytes, bx::kSsid, record.ssid);
  record.privacy = Le32At(bytes, bx::kPrivacy);
  record.rssi = static_cast<std::int32_t>(Le32At(bytes, bx::kRssi));
  record.networkTypeInUse = Le32At(bytes, bx::kNetworkTypeInUse);
  record.beaconPeriod = Le32At(bytes, bx::kBeaconPeriod);
  record.dsConfig = Le32At(bytes, bx::kDsConfig);
  record.infrastructureMode = Le32At(bytes, bx::kInfrastructureMode);
  CopyAt(bytes, bx::kSupportedRates, record.supportedRates);
  record.ieLength = Le32At(bytes, bx::kIeLength);
  const bool complete = bytes.size() >= bx::kFixedSize;
  if (complete && record.length > 104 && record.ieLength > 3 && record.length > bx::kFixedSize) {
    std::size_t available = std::min<std::size_t>(bytes.size(), record.length) - bx::kFixedSize;
    record.ies = bytes.subspan(bx::kFixedSize, std::min<std::size_t>(available, record.ieLength));
  }
  out = record;
  return complete;
}

}  // namespace nxui
