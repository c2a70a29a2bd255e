#include "survey/SurveyCells.h"

#include <cstdio>

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/Units.h"
#include "scan/ScanEntryDecoders.h"

namespace nxui {

ScanEntry MakeScanEntry(const ScanEntryRecord& entry, std::size_t position) {
  ScanEntry row;
  row.bssType = entry.infrastructureMode;
  row.ssid = entry.SsidText();
  row.networkType = entry.networkTypeInUse;
  row.channel = ChannelTextFromFrequency(entry.dsConfig);
  row.securityText = DecodeSecurity(entry).Text();
  row.secured = (entry.privacy != 0 || row.securityText != "Unknown;None") ? 1 : 0;
  row.wps = DecodeWps(entry).present ? 1 : 0;
  row.ht = DecodeHt(entry).htInformationPresent ? 1 : 0;
  row.signal = SignalModulo(entry.rssi);
  row.bssid = FormatBssid(entry.mac);
  row.position = position;
  return row;
}

std::int32_t SignalModulo(std::int32_t rssi) { return rssi % 101; }

std::string SignalText(std::int32_t signal, bool showDbm) {
  char text[32];
  if (showDbm) {
    std::snprintf(text, sizeof text, "%d dBm", signal);
  } else {
    std::snprintf(text, sizeof text, "%d%%", RssiToPercent(signal));
  }
  return text;
}

BarColour SignalBarColour(std::int32_t percent) {
  if (percent > 75) return {20, 120, 200};
  if (percent > 50) return {100, 240, 70};
  if (percent > 25) return {250, 230, 50};
  return {240, 40, 40};
}

std::string FormatBssid(const std::array<std::uint8_t, 6>& mac) {
  char text[24];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

std::string FormatSupportedRates(const std::array<std::uint8_t, 16>& rates) {
  std::string text;
  char item[16];
  for (std::uint8_t byte : rates) {
    if (byte == 0) break;
    if (byte % 2 != 0) {
      std::snprintf(item, sizeof item, "%.1f, ", byte * 0.5);
    } else {
      std::snprintf(item, sizeof item, "%d, ", byte / 2);
    }
    text += item;
  }
  if (text.size() >= 2) text.resize(text.size() - 2);
  return text;
}

}  // namespace nxui
