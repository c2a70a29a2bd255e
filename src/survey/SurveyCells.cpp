#include "survey/SurveyCells.h"

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/Units.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ShortText.h"

namespace nxui {

ScanEntry MakeScanEntry(const ScanEntryRecord& entry, std::size_t position) {
  return MakeScanEntry(entry, DecodeScanEntry(entry), position);
}

ScanEntry MakeScanEntry(const ScanEntryRecord& entry, const ScanEntryDecode& decode, std::size_t position) {
  ScanEntry row;
  row.bssType = entry.infrastructureMode;
  row.ssid = entry.SsidText();
  row.networkType = entry.networkTypeInUse;
  row.channel = ChannelTextFromFrequency(entry.dsConfig);
  row.securityText = decode.security.Text();
  row.secured = (entry.privacy != 0 || row.securityText != "Unknown;None") ? 1 : 0;
  row.wps = decode.wps.present ? 1 : 0;
  row.ht = decode.ht.htInformationPresent ? 1 : 0;
  row.signal = SignalModulo(entry.rssi);
  row.bssid = FormatBssid(entry.mac);
  row.position = position;
  return row;
}

std::int32_t SignalModulo(std::int32_t rssi) { return rssi % 101; }

std::string SignalText(std::int32_t signal, bool showDbm) {
  ShortText<16> text;
  if (showDbm) {
    text.AddDecimal(signal);
    text.Add(" dBm");
  } else {
    text.AddDecimal(RssiToPercent(signal));
    text.Add('%');
  }
  return text.str();
}

BarColour SignalBarColour(std::int32_t percent) {
  if (percent > 75) return {20, 120, 200};
  if (percent > 50) return {100, 240, 70};
  if (percent > 25) return {250, 230, 50};
  return {240, 40, 40};
}

std::string FormatBssid(const std::array<std::uint8_t, 6>& mac) {
  ShortText<17> text;
  for (std::size_t i = 0; i < mac.size(); ++i) {
    if (i != 0) text.Add('-');
    text.AddHexByte(mac[i]);
  }
  return text.str();
}

std::string FormatSupportedRates(const std::array<std::uint8_t, 16>& rates) {
  // "127.5, " is the widest item.
  ShortText<16 * 7> text;
  for (std::uint8_t byte : rates) {
    if (byte == 0) break;
    if (!text.empty()) text.Add(", ");
    // Half-megabit units: an odd byte is a whole number and a half ("%.1f"), an even one "%d".
    text.AddDecimal(byte / 2);
    if (byte % 2 != 0) text.Add(".5");
  }
  return text.str();
}

}  // namespace nxui
