// The "概要" tab of the AP details: name, BSSID, security, channel, mode, beacon interval, signal
// bar and supported rates of one scan entry.
#pragma once

#include <string>

#include "display/PercentBarState.h"
#include "scan/ScanEntryRecord.h"

namespace nxui {

class StringTable;
struct SecuritySummary;

struct GeneralTabState {
  std::string ssidLabel, macLabel, authLabel, cipherLabel, channelLabel, networkTypeLabel, beaconLabel, ratesLabel;
  std::string ssid;
  std::string mac;
  std::string authentication;
  std::string encryption;
  std::string channel;
  std::string networkType;
  std::string beaconInterval;
  PercentBarState signal;
  std::string supportedRates;

  bool operator==(const GeneralTabState&) const = default;
};

class CPageGeneralDlg {
 public:
  explicit CPageGeneralDlg(const StringTable& strings);

  void Fill(const ScanEntryRecord& entry, const SecuritySummary& security);
  const GeneralTabState& State() const { return state_; }

  // Signal bar colour by percentage: below 35 red, below 70 yellow, else green.
  static DisplayColour SignalColour(int percent);

 private:
  GeneralTabState state_;
};

}  // namespace nxui
