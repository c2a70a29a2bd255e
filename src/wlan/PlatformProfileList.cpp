#include "wlan/PlatformProfileList.h"

#include <algorithm>

#include "wlan/WlanSession.h"

namespace nxui {
namespace {

constexpr DWORD kEditorStartPageSecurity = 1;

}  // namespace

PlatformProfileList::PlatformProfileList(IWlanApi& api, IEventLoop& loop, const WlanHandle& clientHandle,
                                         const Guid& interfaceGuid, bool allUsers)
    : api_(api), loop_(loop), clientHandle_(clientHandle), interfaceGuid_(interfaceGuid), allUsers_(allUsers) {}

DWORD PlatformProfileList::SetProfile(std::string_view xml) {
  DWORD reasonCode = kWlanReasonSuccess;
  const DWORD flags = allUsers_ ? 0 : kWlanProfileUser;
  const DWORD result = api_.SetProfile(clientHandle_, interfaceGuid_, flags, xml, true, reasonCode);
  lastReasonText_.clear();
  api_.ReasonCodeToString(reasonCode, lastReasonText_);
  return result;
}

DWORD PlatformProfileList::DeleteProfile(std::string_view name) {
  return api_.DeleteProfile(clientHandle_, interfaceGuid_, name);
}

void PlatformProfileList::DeleteAllProfiles() {
  std::vector<WlanProfileInfo> profiles;
  if (api_.GetProfileList(clientHandle_, interfaceGuid_, profiles) != kErrorSuccess) return;
  for (const WlanProfileInfo& profile : profiles)
    api_.DeleteProfile(clientHandle_, interfaceGuid_, profile.profileName);
}

DWORD PlatformProfileList::SetProfilePosition(std::string_view name, DWORD position) {
  return api_.SetProfilePosition(clientHandle_, interfaceGuid_, name, position);
}

int PlatformProfileList::FindProfile(std::string_view name) {
  // The whole name is compared: cutting it to a fixed buffer would miss long names.
  const std::string wanted =
      ProfileNameForSsid(std::span(reinterpret_cast<const std::uint8_t*>(name.data()), name.size()));
  std::vector<WlanProfileInfo> profiles;
  if (api_.GetProfileList(clientHandle_, interfaceGuid_, profiles) != kErrorSuccess) return 0;
  const bool found =
      std::any_of(profiles.begin(), profiles.end(), [&](const WlanProfileInfo& p) { return p.profileName == wanted; });
  return found ? 1 : 0;
}

void PlatformProfileList::EditProfileInteractively(std::string_view name, DWORD bssType, HWND owner) {
  // The worker gets copies only; it never touches this object.
  const std::string profileName(name);
  const Guid interfaceGuid = interfaceGuid_;
  const WlanHandle handle = clientHandle_;
  auto busy = editorBusy_;
  IWlanApi& api = api_;
  IEventLoop& loop = loop_;

  busy->store(true);
  loop.PostMessage(owner, wlan_msg::kEditorState, 0, 0);
  loop.RunOnWorker([profileName, interfaceGuid, handle, bssType, owner, busy, &api, &loop] {
    DWORD reasonCode = kWlanReasonSuccess;
    api.UIEditProfile(kWlanUiVersion1, profileName, interfaceGuid, owner, kEditorStartPageSecurity, reasonCode);
    busy->store(false);
    loop.PostMessage(owner, wlan_msg::kEditorState, 1, 0);
    WlanConnectionParameters parameters;
    parameters.connectionMode = kWlanConnectionModeProfile;
    parameters.profile = profileName;
    parameters.bssType = bssType;
    api.Connect(handle, interfaceGuid, parameters);  // a failure here is not reported
  });
}

ProfileConnectPath PlatformProfileList::Connect(const ConnectionSettings& settings,
                                                std::span<const std::uint8_t> lastScanList, HWND owner) {
  const WlanProfile profile = BuildWlanProfile(settings, lastScanList);

  if (profile.byBssid != 0) {
    // A surveyed access point: no profile is stored.
    WlanConnectionParameters parameters;
    parameters.connectionMode =
        profile.securityEnabled != 0 ? kWlanConnectionModeDiscoverySecure : kWlanConnectionModeDiscoveryUnsecure;
    parameters.hasSsid = true;
    parameters.ssid.length = std::min<std::uint32_t>(settings.ssidLength, 32);
    std::copy_n(settings.ssid.begin(), parameters.ssid.length, parameters.ssid.bytes.begin());
    if (profile.byBssid == 1) parameters.desiredBssids.push_back(profile.bssid);
    parameters.bssType = profile.bssType;
    if (api_.Connect(clientHandle_, interfaceGuid_, parameters) != kErrorSuccess) {
      loop_.PostMessage(owner, wlan_msg::kConnectError, 0, 0);
    }
    return ProfileConnectPath::kDiscovery;
  }

  if (profile.status != WlanProfileStatus::kOk) {
    // Connecting by name now could pick up an older stored profile of the same name with
    // different keys; report the attempt as failed instead.
    loop_.PostMessage(owner, wlan_msg::kConnectionFailed, 0, 0);
    return ProfileConnectPath::kDocumentRejected;
  }

  if (settings.use8021X == 1) {
    if (EditorBusy()) return ProfileConnectPath::kEditorAlreadyOpen;
    DeleteProfile(profile.profileName);
    SetProfile(profile.document);
    EditProfileInteractively(profile.profileName, profile.bssType, owner);
    return ProfileConnectPath::kInteractiveEditor;
  }

  SetProfile(profile.document);
  SetProfilePosition(profile.profileName, 0);
  WlanConnectionParameters parameters;
  parameters.connectionMode = kWlanConnectionModeProfile;
  parameters.profile = profile.profileName;
  parameters.bssType = profile.bssType;
  if (api_.Connect(clientHandle_, interfaceGuid_, parameters) != kErrorSuccess) {
    loop_.PostMessage(owner, wlan_msg::kConnectError, 0, 0);
  }
  return ProfileConnectPath::kProfile;
}

}  // namespace nxui
