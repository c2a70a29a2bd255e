// The credential panel (panel 8 of the main window): an identity and a password for an 802.1X
// exchange, with captions chosen from the settings in force. Whoever needs the credentials fills
// the request, shows the panel and receives the values after OK.
#pragma once

#include <functional>
#include <string>

namespace nxui {

class StringTable;

struct PeapRequest {
  int authenProtocol = 0;         // of the ConnectionSettings in force
  bool passwordChange = false;    // the exchange asks for a new password
  bool passwordOptional = false;  // the password controls are disabled
  std::string storedIdentity;
};

struct PeapCredentials {
  std::string identity;
  std::string password;
};

struct PeapSettingState {
  std::string caption, description, identityLabel, passwordLabel, okLabel;
  std::string identity, password;
  bool identityEnabled = true;
  bool passwordEnabled = true;  // label and edit

  friend bool operator==(const PeapSettingState&, const PeapSettingState&) = default;
};

struct PeapPanelActions {
  std::function<int(const std::string&)> showMessage;
  // OK passed its checks: the values, then the main window returns to its first page.
  std::function<void(const PeapCredentials&)> done;
};

class CPeapSettingDlg {
 public:
  static constexpr int kPanel = 8;  // ShowPanel number of the credential panel

  CPeapSettingDlg(const StringTable& strings, PeapPanelActions actions);

  void Open(const PeapRequest& request);
  void SetIdentity(const std::string& text) { state_.identity = text; }
  void SetPassword(const std::string& text) { state_.password = text; }
  // True when the values were handed over.
  bool OnOk();

  const PeapSettingState& State() const { return state_; }

 private:
  const StringTable& strings_;
  PeapPanelActions actions_;
  PeapRequest request_;
  PeapSettingState state_;
};

}  // namespace nxui
