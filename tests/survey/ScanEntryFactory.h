// Writes scan entries and scan buffers in the driver's layout for tests, the benchmark and the
// fuzz corpus.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteReader.h"
#include "scan/BssidEx.h"

namespace nxui::testing {

struct EntrySpec {
  std::array<std::uint8_t, 6> mac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  std::string ssid = "net";
  std::uint32_t privacy = 0;
  std::int32_t rssi = -60;
  std::uint32_t networkType = 3;
  std::uint32_t beaconPeriod = 100;
  std::uint32_t dsConfig = 2437000;
  std::uint32_t infrastructureMode = 1;
  std::vector<std::uint8_t> rates = {2, 4, 11, 22};
  std::vector<std::uint8_t> ies;
  // Overrides for malformed entries.
  std::int64_t lengthOverride = -1;
  std::int64_t ieLengthOverride = -1;
};

inline std::vector<std::uint8_t> MakeEntry(const EntrySpec& spec) {
  namespace bx = bssid_ex;
  std::vector<std::uint8_t> entry(bx::kFixedSize + spec.ies.size(), 0);
  const auto length = spec.lengthOverride >= 0 ? static_cast<std::uint32_t>(spec.lengthOverride)
                                               : static_cast<std::uint32_t>(entry.size());
  const auto ieLength = spec.ieLengthOverride >= 0 ? static_cast<std::uint32_t>(spec.ieLengthOverride)
                                                   : static_cast<std::uint32_t>(spec.ies.size());
  StoreLe32(&entry[bx::kLength], length);
  for (std::size_t i = 0; i < 6; ++i) entry[bx::kMacAddress + i] = spec.mac[i];
  const std::size_t ssidLength = spec.ssid.size() < 32 ? spec.ssid.size() : 32;
  StoreLe32(&entry[bx::kSsidLength], static_cast<std::uint32_t>(ssidLength));
  for (std::size_t i = 0; i < ssidLength; ++i) entry[bx::kSsid + i] = static_cast<std::uint8_t>(spec.ssid[i]);
  StoreLe32(&entry[bx::kPrivacy], spec.privacy);
  StoreLe32(&entry[bx::kRssi], static_cast<std::uint32_t>(spec.rssi));
  StoreLe32(&entry[bx::kNetworkTypeInUse], spec.networkType);
  StoreLe32(&entry[bx::kConfiguration], 32);
  StoreLe32(&entry[bx::kBeaconPeriod], spec.beaconPeriod);
  StoreLe32(&entry[bx::kDsConfig], spec.dsConfig);
  StoreLe32(&entry[bx::kInfrastructureMode], spec.infrastructureMode);
  for (std::size_t i = 0; i < spec.rates.size() && i < 16; ++i) entry[bx::kSupportedRates + i] = spec.rates[i];
  StoreLe32(&entry[bx::kIeLength], ieLength);
  for (std::size_t i = 0; i < spec.ies.size(); ++i) entry[bx::kIes + i] = spec.ies[i];
  return entry;
}

// Count, then the entries; padded with zeros to size when size is not 0.
inline std::vector<std::uint8_t> MakeScanBuffer(const std::vector<std::vector<std::uint8_t>>& entries,
                                                std::size_t size = bssid_ex::kScanBufferSize) {
  std::vector<std::uint8_t> buffer(4, 0);
  StoreLe32(buffer.data(), static_cast<std::uint32_t>(entries.size()));
  for (const auto& entry : entries) buffer.insert(buffer.end(), entry.begin(), entry.end());
  if (size > buffer.size()) buffer.resize(size, 0);
  return buffer;
}

}  // namespace nxui::testing
