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

bool ReadScanEntry(std::span<const std::uint8_t> bytes, ScanEntryRecord& out) {
  namespace bx = bssid_ex;
  const bool complete = bytes.size() >= bx::kFixedSize;
  // The fields are read from the fixed part itself when it is all there, otherwise from a copy of
  // what there is, padded with zeros.
  std::array<std::uint8_t, bx::kFixedSize> padded;
  const std::uint8_t* fixed = bytes.data();
  if (!complete) {
    padded.fill(0);
    std::copy(bytes.begin(), bytes.end(), padded.begin());
    fixed = padded.data();
  }
  ScanEntryRecord record;
  record.length = LoadLe32(fixed + bx::kLength);
  std::copy_n(fixed + bx::kMacAddress, record.mac.size(), record.mac.begin());
  record.ssidLength = LoadLe32(fixed + bx::kSsidLength);
  std::copy_n(fixed + bx::kSsid, record.ssid.size(), record.ssid.begin());
  record.privacy = LoadLe32(fixed + bx::kPrivacy);
  record.rssi = static_cast<std::int32_t>(LoadLe32(fixed + bx::kRssi));
  record.networkTypeInUse = LoadLe32(fixed + bx::kNetworkTypeInUse);
  record.beaconPeriod = LoadLe32(fixed + bx::kBeaconPeriod);
  record.dsConfig = LoadLe32(fixed + bx::kDsConfig);
  record.infrastructureMode = LoadLe32(fixed + bx::kInfrastructureMode);
  std::copy_n(fixed + bx::kSupportedRates, record.supportedRates.size(), record.supportedRates.begin());
  record.ieLength = LoadLe32(fixed + bx::kIeLength);
  if (complete && record.length > 104 && record.ieLength > 3 && record.length > bx::kFixedSize) {
    std::size_t available = std::min<std::size_t>(bytes.size(), record.length) - bx::kFixedSize;
    record.ies = bytes.subspan(bx::kFixedSize, std::min<std::size_t>(available, record.ieLength));
  }
  out = record;
  return complete;
}

}  // namespace nxui
