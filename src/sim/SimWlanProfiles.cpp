// The service's profile list per interface: the calls that read and change it, and its file in the
// state directory. A change is in force only once its file is written.
#include <algorithm>
#include <cctype>

#include "sim/SimWlanService.h"

namespace nxui::sim {
namespace {

bool IsHexText(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

// Key material the service refuses to store (reason code), 0 when acceptable.
DWORD ProfileProblem(const SimWlanProfile& profile) {
  if (!profile.hasSsid) return kWlanReasonInvalidProfileSchema;
  if (profile.useOneX) return 0;
  const std::string& key = profile.keyMaterial;
  if (profile.encryption == "TKIP" || profile.encryption == "AES") {
    if (profile.keyType == "passPhrase" && (key.size() < 8 || key.size() > 63)) return kWlanReasonProfileMismatch;
    if (profile.keyType == "networkKey" && (key.size() != 64 || !IsHexText(key))) return kWlanReasonProfileMismatch;
  }
  if (profile.encryption == "WEP" && !key.empty()) {
    const bool hex = (key.size() == 10 || key.size() == 26) && IsHexText(key);
    if (!hex && key.size() != 5 && key.size() != 13) return kWlanReasonProfileMismatch;
  }
  return 0;
}

}  // namespace

void SimWlanService::SeedProfiles(const Guid& guid, const std::vector<ScenarioPlatformProfile>& profiles) {
  const std::lock_guard lock(mutex_);

  Interface* itf = Find(guid);
  if (!itf || itf->profilesLoaded || itf->profilesUnreadable) return;
  for (const auto& seed : profiles) {
    std::string xml;
    if (seed.xml) {
      xml = *seed.xml;
    } else {
      const auto network =
          std::find_if(inRange_.begin(), inRange_.end(), [&](const ScenarioNetwork& n) { return n.ssid == seed.ssid; });
      if (network == inRange_.end()) {
        ScenarioNetwork open;
        open.ssid = seed.ssid;
        xml = SimWlanProfileXml(open);
      } else {
        xml = SimWlanProfileXml(*network);
      }
    }
    const auto parsed = ParseSimWlanProfile(xml);
    if (!parsed) continue;
    itf->profiles.push_back({parsed->name, xml, 0});
  }
  SaveProfiles(*itf);
}

void SimWlanService::LoadProfiles(Interface& itf) {
  std::string error;
  switch (store_.Load(itf.guid, itf.profiles, error)) {
    case SimProfileStore::LoadResult::Loaded:
      itf.profilesLoaded = true;
      break;
    case SimProfileStore::LoadResult::Unreadable:
      // Refused at start already; one spoilt while running keeps its content and the list stays
      // empty and unsaved.
      itf.profilesUnreadable = true;
      if (writeFailureListener_) writeFailureListener_(error);
      break;
    case SimProfileStore::LoadResult::Missing:
      break;
  }
}

bool SimWlanService::SaveProfiles(const Interface& itf) {
  std::string error;
  if (itf.profilesUnreadable) {
    error = store_.FileOf(itf.guid).string() + ": not written, the stored list could not be read";
  } else if (store_.Save(itf.guid, itf.profiles, error)) {
    return true;
  }
  if (writeFailureListener_) writeFailureListener_(error);
  return false;
}

DWORD SimWlanService::CommitProfiles(Interface& itf, std::vector<StoredProfile> previous) {
  if (SaveProfiles(itf)) return kErrorSuccess;
  itf.profiles = std::move(previous);
  return kErrorWriteFault;
}

DWORD SimWlanService::SetProfile(WlanHandle handle, const Guid& interfaceGuid, DWORD flags, std::string_view xml,
                                 bool overwrite, DWORD& reasonCode) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  const auto parsed = ParseSimWlanProfile(xml);
  if (!parsed) {
    reasonCode = kWlanReasonInvalidProfileSchema;
    return kErrorBadProfile;
  }
  if (const DWORD problem = ProfileProblem(*parsed); problem != 0) {
    reasonCode = problem;
    return kErrorBadProfile;
  }
  reasonCode = kWlanReasonSuccess;
  std::vector<StoredProfile> previous = itf->profiles;
  auto existing = std::find_if(itf->profiles.begin(), itf->profiles.end(),
                               [&](const StoredProfile& p) { return p.name == parsed->name; });
  if (existing != itf->profiles.end()) {
    if (!overwrite) return kErrorAlreadyExists;
    existing->xml = std::string(xml);
    existing->flags = flags;
  } else {
    itf->profiles.push_back({parsed->name, std::string(xml), flags});
  }
  return CommitProfiles(*itf, std::move(previous));
}

DWORD SimWlanService::DeleteProfile(WlanHandle handle, const Guid& interfaceGuid, std::string_view name) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  const auto existing =
      std::find_if(itf->profiles.begin(), itf->profiles.end(), [&](const StoredProfile& p) { return p.name == name; });
  if (existing == itf->profiles.end()) return kErrorNotFound;
  std::vector<StoredProfile> previous = itf->profiles;
  itf->profiles.erase(itf->profiles.begin() + (existing - itf->profiles.begin()));
  return CommitProfiles(*itf, std::move(previous));
}

DWORD SimWlanService::GetProfileList(WlanHandle handle, const Guid& interfaceGuid,
                                     std::vector<WlanProfileInfo>& profiles) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  profiles.clear();
  for (const auto& profile : itf->profiles) profiles.push_back({profile.name, profile.flags});
  return kErrorSuccess;
}

DWORD SimWlanService::SetProfilePosition(WlanHandle handle, const Guid& interfaceGuid, std::string_view name,
                                         DWORD position) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  const auto existing =
      std::find_if(itf->profiles.begin(), itf->profiles.end(), [&](const StoredProfile& p) { return p.name == name; });
  if (existing == itf->profiles.end()) return kErrorNotFound;
  if (position >= itf->profiles.size()) return kErrorInvalidParameter;
  std::vector<StoredProfile> previous = itf->profiles;
  StoredProfile moved = *existing;
  itf->profiles.erase(existing);
  itf->profiles.insert(itf->profiles.begin() + position, std::move(moved));
  return CommitProfiles(*itf, std::move(previous));
}

DWORD SimWlanService::GetProfile(WlanHandle handle, const Guid& interfaceGuid, std::string_view name, std::string& xml,
                                 DWORD& flags) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  for (const auto& profile : itf->profiles) {
    if (profile.name == name) {
      xml = profile.xml;
      flags = profile.flags;
      return kErrorSuccess;
    }
  }
  return kErrorNotFound;
}

DWORD SimWlanService::UIEditProfile(DWORD uiVersion, std::string_view name, const Guid& interfaceGuid, HWND owner,
                                    DWORD startPage, DWORD& reasonCode) {
  {
    const std::lock_guard lock(mutex_);
    if (!running_) return kErrorServiceNotActive;
    if (uiVersion != kWlanUiVersion1) return kErrorInvalidParameter;
    Interface* itf = Find(interfaceGuid);
    if (!itf) return kErrorInvalidParameter;
    editorCalls_.push_back({std::string(name), interfaceGuid, owner, startPage, loop_.TickCount()});
    const bool exists =
        std::any_of(itf->profiles.begin(), itf->profiles.end(), [&](const StoredProfile& p) { return p.name == name; });
    if (!exists) return kErrorNotFound;
  }
  // The dialog "is open" while the hook runs; it then closes as if the user pressed OK.
  if (editorHook_) editorHook_();
  reasonCode = kWlanReasonSuccess;
  return kErrorSuccess;
}

}  // namespace nxui::sim
