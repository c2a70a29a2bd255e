// The per-tick decisions behind the tray icon: whether the link is on the network the last
// connect request aimed at, and which signal state an RSSI reading stands for.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "adapter/ConnectionSettings.h"
#include "platform/IWlanApi.h"
#include "shell/TrayIcon.h"
#include "wlan/WlanSession.h"

namespace nxui::shell {

// A record aimed at a BSSID needs a non-zero BSSID equal to the current one; a record aimed at a
// name needs a non-empty current SSID whose whole 36-byte record equals the record's.
bool IsOnTargetNetwork(const ConnectionSettings* record, const Dot11MacAddress& currentBssid,
                       const SsidRecord& currentSsid);

bool IsZeroBssid(const Dot11MacAddress& bssid);

// The stronger chain: chain 1 counts only when it could be read.
std::int32_t StrongerRssi(std::int32_t rssi0, std::optional<std::int32_t> rssi1);

// State of a connected link: the WEP error wins over any signal; above 70 % good, 41..70 normal,
// 40 or less weak.
TrayState SignalState(std::int32_t rssiDbm, bool icvError);

}  // namespace nxui::shell
