#include "advanced/CPageSSODlg.h"

#include "adapter/AdapterContext.h"
#include "advanced/SsoRegistry.h"
#include "base/AsciiCase.h"
#include "display/StringTable.h"
#include "platform/IRegistry.h"
#include "profiles/StationProfileKey.h"

namespace nxui {
namespace {

constexpr const char* kEapFast = "EAP-FAST";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

CPageSSODlg::CPageSSODlg(IRegistry& registry, const AdapterContext& context, const StringTable& strings,
                         SsoPageActions actions)
    : registry_(registry), context_(context), strings_(strings), actions_(std::move(actions)) {}

void CPageSSODlg::OnInitDialog() {
  using namespace string_id;
  state_.enableLabel = strings_.LoadString(kEnableSso);
  state_.winlogonLabel = strings_.LoadString(kSsoUseWinlogon);
  state_.profileCredentialsLabel = strings_.LoadString(kSsoUseProfile);
  state_.promptLabel = strings_.LoadString(kSsoPrompt);
  state_.profileGroupLabel = strings_.LoadString(kSsoProfileGroup);
  state_.selectProfileLabel = strings_.LoadString(kSelectProfileLabel);
  state_.selectedGroupLabel = strings_.LoadString(kSelectedProfileGroup);
  state_.profileNameLabel = strings_.LoadString(kProfileNameLabel);
  state_.ssidLabel = strings_.LoadString(kSsidLabel);
  state_.authenticationLabel = strings_.LoadString(kAuthenticationLabel);
  state_.applyLabel = strings_.LoadString(kApply);
}

void CPageSSODlg::OnShow() {
  FillProfileList();
  LoadState();
  ShowSelectedProfile();
}

void CPageSSODlg::FillProfileList() {
  state_.profiles.clear();
  state_.selected = -1;
  const std::string stations = StationProfilesKeyPath(context_.classKeyPath);
  for (const std::string& name : SubkeyNames(registry_, stations)) {
    const std::string key = stations + "\\" + name;
    std::string protocol;
    std::string leap;
    if (ReadSsoText(registry_, key, "AuthenProtocol", protocol) == kErrorSuccess && protocol == "3") {
      state_.profiles.push_back(name);
    } else if (ReadSsoText(registry_, key, "LeapEnabled", leap) == kErrorSuccess && leap == "1") {
      state_.profiles.push_back(name);
    }
  }
}

void CPageSSODlg::LoadState() {
  std::string install;
  if (ReadSsoText(registry_, kSsoKeyPath, "SSOInstall", install) != kErrorSuccess || install == "0") return;
  state_.installed = true;
  state_.enableBoxEnabled = true;

  std::string enable;
  if (ReadSsoText(registry_, kSsoKeyPath, "SSOEnable", enable) != kErrorSuccess) {
    // Loading must not nag: a refused write here is reported when the user changes something.
    WriteSsoFlag(registry_, kSsoKeyPath, "SSOEnable", "0");
    enable = "0";
  }
  state_.ssoEnabled = enable != "0";
  EnableProfileControls(state_.ssoEnabled);

  std::string saved;
  if (ReadSsoText(registry_, kSsoKeyPath, "SavedPassword", saved) != kErrorSuccess || saved == "0") {
    state_.credentials = SsoCredentials::kWinlogon;
  } else if (saved == "1") {
    state_.credentials = SsoCredentials::kProfile;
  } else {
    state_.credentials = SsoCredentials::kPrompt;
  }
}

void CPageSSODlg::EnableProfileControls(bool on) {
  state_.radiosEnabled = on;
  state_.profileGroupEnabled = on;
  state_.listEnabled = on && !state_.profiles.empty();
  // Apply writes the logon library into the Winlogon key: never while the feature is off.
  state_.applyEnabled = state_.listEnabled && state_.selected >= 0;
  state_.infoEnabled = state_.applyEnabled;
}

void CPageSSODlg::ShowSelectedProfile() {
  if (state_.profiles.empty()) {
    EnableProfileControls(state_.ssoEnabled);
    return;
  }
  std::string current;
  int found = 0;
  if (ReadSsoText(registry_, kSsoKeyPath, "CurProfile", current) == kErrorSuccess) {
    found = -1;
    for (std::size_t i = 0; i < state_.profiles.size(); ++i) {
      if (StartsWithNoCase(state_.profiles[i], current)) {
        found = static_cast<int>(i);
        break;
      }
    }
  }
  ShowProfile(found);
}

void CPageSSODlg::ShowProfile(int index) {
  state_.selected = index >= 0 && static_cast<std::size_t>(index) < state_.profiles.size() ? index : -1;
  state_.profileName.clear();
  state_.ssid.clear();
  state_.authentication.clear();
  if (state_.selected >= 0) {
    const std::string& name = state_.profiles[static_cast<std::size_t>(state_.selected)];
    state_.profileName = name;
    const std::string key = StationProfileKeyPath(context_.classKeyPath, name);
    std::string protocol;
    std::string leap;
    ReadSsoText(registry_, key, "AuthenProtocol", protocol);
    ReadSsoText(registry_, key, "LeapEnabled", leap);
    if (leap == "1") {
      state_.authentication = strings_.LoadString(string_id::kLeap);
    } else if (protocol == "3") {
      state_.authentication = kEapFast;
    }
    // A missing SSID shows as empty.
    ReadSsoText(registry_, key, "SSID", state_.ssid);
  }
  EnableProfileControls(state_.ssoEnabled);
}

void CPageSSODlg::OnProfileSelected(int index) {
  if (!state_.listEnabled) return;
  ShowProfile(index);
}

bool CPageSSODlg::OnEnableClicked(bool checked) {
  if (!state_.enableBoxEnabled) return false;
  state_.ssoEnabled = checked;
  EnableProfileControls(checked);
  if (checked) return true;
  LONG result = WriteSsoFlag(registry_, kSsoKeyPath, "SSOEnable", "0");
  if (result == kErrorSuccess) result = WriteSsoText(registry_, kSsoKeyPath, "CurProfile", "");
  if (result == kErrorSuccess) result = DeleteAllSubkeys(registry_, kSsoKeyPath);
  if (result == kErrorSuccess) {
    const LONG deleted = DeleteSsoValue(registry_, kWinlogonKeyPath, kGinaDllValue);
    // Already gone is what disabling wants.
    if (deleted != kErrorFileNotFound) result = deleted;
  }
  return Report(result);
}

bool CPageSSODlg::OnCredentialsChosen(SsoCredentials credentials) {
  if (!state_.radiosEnabled) return false;
  state_.credentials = credentials;
  return Report(WriteSsoFlag(registry_, kSsoKeyPath, "SavedPassword", std::to_string(static_cast<int>(credentials))));
}

bool CPageSSODlg::OnApply() {
  if (!state_.applyEnabled || state_.selected < 0) return false;
  const std::string name = state_.profiles[static_cast<std::size_t>(state_.selected)];
  const std::string& adapterKey = context_.classKeyPath;
  const std::string stationKey = StationProfileKeyPath(adapterKey, name);

  // In the order of the steps; the first refused write ends it, so a half-written configuration
  // is not marked as applied.
  LONG result = WriteSsoText(registry_, kWinlogonKeyPath, kGinaDllValue, kGinaLibrary);
  auto then = [&result](auto&& step) {
    if (result == kErrorSuccess) result = step();
  };
  then([&] { return WriteSsoFlag(registry_, kSsoKeyPath, "SSOEnable", state_.ssoEnabled ? "1" : "0"); });
  then([&] { return DeleteAllSubkeys(registry_, kSsoKeyPath); });
  then([&] { return WriteSsoText(registry_, kSsoKeyPath, "CurProfile", name); });
  then([&] { return WriteSsoText(registry_, kSsoKeyPath, "DeviceRegistryPath", adapterKey); });
  then([&] { return WriteSsoText(registry_, kSsoKeyPath, "SSOProfilePath", stationKey); });
  then([&] { return WriteSsoText(registry_, kSsoKeyPath, "ProfileName", "Profile Name: " + name); });
  std::string description;
  if (result == kErrorSuccess && ReadSsoText(registry_, adapterKey, "DriverDesc", description) == kErrorSuccess) {
    then([&] { return WriteSsoText(registry_, kSsoKeyPath, "CardName", "Card Name: " + description); });
  }
  then([&] { return WriteSsoText(registry_, adapterKey, "CurProfile", name); });
  then([&] { return CopyAllValues(registry_, stationKey, adapterKey); });
  if (!Report(result)) return false;
  if (actions_.profileApplied) actions_.profileApplied(name);
  return true;
}

bool CPageSSODlg::Report(LONG result) {
  if (result == kErrorSuccess) return true;
  if (actions_.showMessage) {
    const bool refused = result == kErrorAccessDenied && !context_.isAdmin;
    actions_.showMessage(strings_.LoadString(refused ? string_id::kNoAdministratorPrivilege : string_id::kSsoNotSaved));
  }
  return false;
}

}  // namespace nxui
