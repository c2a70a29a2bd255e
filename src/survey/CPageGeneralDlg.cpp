#include "survey/CPageGeneralDlg.h"

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/Units.h"
#include "display/StringTable.h"
#include "scan/ScanEntryDecoders.h"
#include "survey/ApDetailTexts.h"
#include "survey/SurveyCells.h"

namespace nxui {

namespace text = ap_detail_text;

CPageGeneralDlg::CPageGeneralDlg(const StringTable& strings) {
  state_.ssidLabel = strings.LoadString(string_id::kSsidLabel);
  state_.macLabel = text::kMacAddress;
  state_.authLabel = strings.LoadString(string_id::kAuthenticationTypeLabel);
  state_.cipherLabel = strings.LoadString(string_id::kEncryptionTypeLabel);
  state_.channelLabel = strings.LoadString(string_id::kChannelLabel);
  state_.networkTypeLabel = strings.LoadString(string_id::kNetworkTypeLabel);
  state_.beaconLabel = text::kBeaconInterval;
  state_.ratesLabel = text::kSupportedRates;
  state_.signal.SetCaption(text::kSignalStrength);
}

DisplayColour CPageGeneralDlg::SignalColour(int percent) {
  if (percent < 35) return colour::kRed;
  if (percent < 70) return colour::kYellow;
  return colour::kGreen;
}

void CPageGeneralDlg::Fill(const ScanEntryRecord& entry, const SecuritySummary& security) {
  state_.ssid = entry.SsidText();
  if (state_.ssid.empty()) state_.ssid = text::kHidden;
  state_.mac = FormatBssid(entry.mac);
  state_.authentication = security.AuthText();
  state_.encryption = security.CipherText();
  if (state_.encryption == "None" && entry.privacy != 0) state_.encryption = text::kWep;

  std::uint32_t channel = 0;
  state_.channel = FrequencyToChannel(entry.dsConfig, channel) ? FormatChannelText(channel, entry.dsConfig) : "";

  switch (entry.infrastructureMode) {
    case 1:
      state_.networkType = text::kInfrastructure;
      break;
    case 0:
      state_.networkType = text::kIbss;
      break;
    default:
      state_.networkType = text::kUnknown;
      break;
  }
  state_.beaconInterval = std::to_string(static_cast<std::int32_t>(entry.beaconPeriod));

  const int percent = RssiToPercent(entry.rssi);
  state_.signal.SetPosition(percent);
  state_.signal.SetColour(SignalColour(state_.signal.position));
  state_.supportedRates = FormatSupportedRates(entry.supportedRates);
}

}  // namespace nxui
