// The "WPS" tab of the AP details: the entry's security (as on the general tab) and its WPS fields.
#pragma once

#include <string>

namespace nxui {

class StringTable;
struct WpsDecode;

struct WpsTabState {
  std::string authLabel, cipherLabel, configMethodsLabel, devicePasswordIdLabel, selectedRegistrarLabel;
  std::string stateLabel, versionLabel, apSetupLockedLabel, uuidELabel, rfBandsLabel;
  std::string authentication;
  std::string encryption;
  std::string configMethods;
  std::string devicePasswordId;
  std::string selectedRegistrar;
  std::string state;
  std::string version;
  std::string apSetupLocked;
  std::string uuidE;
  std::string rfBands;

  bool operator==(const WpsTabState&) const = default;
};

class CPageWPSStatusDlg {
 public:
  explicit CPageWPSStatusDlg(const StringTable& strings);

  // authentication and encryption: the texts the general tab shows.
  void Fill(const WpsDecode& wps, const std::string& authentication, const std::string& encryption);
  const WpsTabState& State() const { return state_; }

 private:
  WpsTabState state_;
};

}  // namespace nxui
