#include "shell/TrayDecision.h"

#include <algorithm>

#include "adapter/Units.h"
#include "base/ByteReader.h"

namespace nxui::shell {

bool IsZeroBssid(const Dot11MacAddress& bssid) {
  return std::all_of(bssid.begin(), bssid.end(), [](std::uint8_t b) { return b == 0; });
}

bool IsOnTargetNetwork(const ConnectionSettings* record, const Dot11MacAddress& currentBssid,
                       const SsidRecord& currentSsid) {
  if (record == nullptr) return false;
  if (record->byBssid != 0) {
    Dot11MacAddress target{};
    std::copy(record->bssid.begin(), record->bssid.end(), target.begin());
    return !IsZeroBssid(target) && target == currentBssid;
  }
  if (LoadLe32(currentSsid.data()) == 0) return false;
  SsidRecord recordSsid{};
  StoreLe32(recordSsid.data(), record->ssidLength);
  std::copy(record->ssid.begin(), record->ssid.end(), recordSsid.begin() + 4);
  return recordSsid == currentSsid;
}

std::int32_t StrongerRssi(std::int32_t rssi0, std::optional<std::int32_t> rssi1) {
  return rssi1 ? std::max(rssi0, *rssi1) : rssi0;
}

TrayState SignalState(std::int32_t rssiDbm, bool icvError) {
  if (icvError) return TrayState::WepError;
  const std::int32_t percent = RssiToPercent(rssiDbm);
  if (percent > 70) return TrayState::Good;
  if (percent > 40) return TrayState::Normal;
  return TrayState::Weak;
}

}  // namespace nxui::shell
