// The "SSO" page: switches the logon library on and off in the Winlogon key, chooses the LEAP or
// EAP-FAST station profile the logon uses and where its credentials come from, and applies that
// profile to the adapter key. Everything it keeps is below HKEY_LOCAL_MACHINE, so without
// administrator rights its writes are refused; it then says so in the message box.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/WinTypes.h"

namespace nxui {

struct AdapterContext;
class IRegistry;
class StringTable;

// Where the logon takes the user name and password from ("SavedPassword").
enum class SsoCredentials : int { kWinlogon = 0, kProfile = 1, kPrompt = 2 };

struct SsoPageState {
  std::string enableLabel;
  std::string winlogonLabel;
  std::string profileCredentialsLabel;
  std::string promptLabel;
  std::string profileGroupLabel;
  std::string selectProfileLabel;
  std::string selectedGroupLabel;
  std::string profileNameLabel;
  std::string ssidLabel;
  std::string authenticationLabel;
  std::string applyLabel;

  bool installed = false;   // "SSOInstall" read and not "0": the state was loaded
  bool ssoEnabled = false;  // "Enable SSO Feature"
  SsoCredentials credentials = SsoCredentials::kWinlogon;
  std::vector<std::string> profiles;  // qualifying station profiles, in registry order
  int selected = -1;
  std::string profileName;
  std::string ssid;
  std::string authentication;  // "LEAP" or "EAP-FAST"

  // As the dialog template has them until the state is loaded: only the check box, and that only
  // once single sign-on is known to be installed.
  bool enableBoxEnabled = false;
  bool radiosEnabled = false;  // the three radios and their labels
  bool profileGroupEnabled = false;
  bool listEnabled = false;  // the drop-down list and its label
  bool applyEnabled = false;
  bool infoEnabled = false;  // the information texts

  bool operator==(const SsoPageState&) const = default;
};

struct SsoPageActions {
  std::function<void(const std::string& text)> showMessage;
  // "Apply" made `name` the adapter's profile: the connection is marked profile-driven and the
  // profile page's active profile named.
  std::function<void(const std::string& name)> profileApplied;
};

class CPageSSODlg {
 public:
  CPageSSODlg(IRegistry& registry, const AdapterContext& context, const StringTable& strings, SsoPageActions actions);

  void OnInitDialog();
  // Each time the page is shown: the list refilled, the state loaded, the selected profile shown.
  void OnShow();

  // "Enable SSO Feature" clicked. Unchecking clears the configuration at once. False when a
  // registry write was refused (the user was told).
  bool OnEnableClicked(bool checked);
  // A radio chosen: "SavedPassword" written. False when the write was refused.
  bool OnCredentialsChosen(SsoCredentials credentials);
  // A profile chosen in the list: shown, nothing written.
  void OnProfileSelected(int index);
  // "Apply": the configuration written and the profile copied into the adapter key. False when it
  // did nothing (disabled) or a registry write was refused.
  bool OnApply();

  const SsoPageState& State() const { return state_; }

 private:
  void FillProfileList();
  void LoadState();
  void ShowSelectedProfile();
  void ShowProfile(int index);
  void EnableProfileControls(bool on);
  // Tells the user why a write failed; true for success.
  bool Report(LONG result);

  IRegistry& registry_;
  const AdapterContext& context_;
  const StringTable& strings_;
  SsoPageActions actions_;
  SsoPageState state_;
};

}  // namespace nxui
