#include "sim/SimWlanService.h"

#include <algorithm>
#include <fstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "adapter/Units.h"
#include "base/AtomicFile.h"
#include "sim/IeBuilder.h"
#include "sim/SimNetworkTraits.h"

namespace nxui::sim {

SimWlanService::SimWlanService(IEventLoop& loop, const std::vector<ScenarioNetwork>& inRange,
                               std::filesystem::path stateDirectory, SimFaults& faults, IeSource ies)
    : loop_(loop),
      inRange_(inRange),
      store_(std::move(stateDirectory)),
      faults_(faults),
      ies_(std::move(ies)),
      loopThread_(std::this_thread::get_id()),
      pumpWindow_(loop.CreateWindow(pump_)) {}

SimWlanService::~SimWlanService() {
  for (UINT_PTR id : timers_) loop_.KillSystemTimer(id);
  loop_.DestroyWindow(pumpWindow_);
}

LRESULT SimWlanService::Pump::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message != kRunHandedOver) return 0;
  const std::lock_guard lock(service.mutex_);
  auto work = std::move(service.handedOver_);
  service.handedOver_.clear();
  for (auto& [delayMs, action] : work) service.After(delayMs, std::move(action));
  return 0;
}

void SimWlanService::After(std::uint32_t delayMs, std::function<void()> action) {
  if (std::this_thread::get_id() != loopThread_) {
    // Timers belong to the loop's thread: a call from a worker (the editor) is handed over.
    handedOver_.emplace_back(delayMs, std::move(action));
    loop_.PostMessage(pumpWindow_, kRunHandedOver, 0, 0);
    return;
  }
  auto holder = std::make_shared<UINT_PTR>(0);
  *holder = loop_.SetSystemTimer(delayMs, [this, holder, action = std::move(action)](UINT_PTR) {
    const std::lock_guard lock(mutex_);
    loop_.KillSystemTimer(*holder);
    timers_.erase(std::remove(timers_.begin(), timers_.end(), *holder), timers_.end());
    action();
  });
  timers_.push_back(*holder);
}

void SimWlanService::Notify(DWORD source, DWORD code, const Guid& guid, const WlanNotification& base) {
  WlanNotification notification = base;
  notification.source = source;
  notification.code = code;
  notification.interfaceGuid = guid;
  for (const auto& [handle, registration] : handles_) {
    if ((registration.first & source) == 0 || !registration.second) continue;
    // Delivered on the notification "thread"; a client that unregistered by then gets nothing.
    const WlanHandle target = handle;
    loop_.RunOnWorker([this, target, notification] {
      WlanNotificationCallback callback;
      {
        const std::lock_guard lock(mutex_);
        const auto it = handles_.find(target);
        if (it != handles_.end() && (it->second.first & notification.source) != 0) callback = it->second.second;
      }
      if (callback) callback(notification);
    });
  }
}

DWORD SimWlanService::Check(WlanHandle handle) const {
  if (!running_) return kErrorServiceNotActive;
  if (handles_.find(handle) == handles_.end()) return kErrorInvalidHandle;
  return kErrorSuccess;
}

SimWlanService::Interface* SimWlanService::Find(const Guid& guid) {
  for (auto& itf : interfaces_) {
    if (itf.guid == guid) return &itf;
  }
  return nullptr;
}

DWORD SimWlanService::CheckInterface(WlanHandle handle, const Guid& guid, Interface*& found) {
  const DWORD result = Check(handle);
  if (result != kErrorSuccess) return result;
  found = Find(guid);
  return found ? kErrorSuccess : static_cast<DWORD>(kErrorInvalidParameter);
}

bool SimWlanService::RadioOn(const Interface& itf) const {
  return std::any_of(itf.radio.begin(), itf.radio.end(), [](const WlanPhyRadioState& phy) {
    return phy.softwareRadioState != kDot11RadioOff && phy.hardwareRadioState != kDot11RadioOff;
  });
}

// --- world side ---------------------------------------------------------------------------

void SimWlanService::AddInterface(const Guid& guid, const std::string& description, std::vector<DWORD> phyTypes,
                                  SimAssociation& association) {
  const std::lock_guard lock(mutex_);

  if (Find(guid)) return;
  Interface itf;
  itf.guid = guid;
  itf.description = description;
  itf.phyTypes = std::move(phyTypes);
  for (std::size_t i = 0; i < itf.phyTypes.size(); ++i) {
    itf.radio.push_back({static_cast<DWORD>(i), association.softwareRadioOff ? kDot11RadioOff : kDot11RadioOn,
                         association.hardwareRadioOff ? kDot11RadioOff : kDot11RadioOn});
  }
  itf.association = &association;
  SetVisible(itf, inRange_);  // the service's background scan
  LoadRadio(itf);
  interfaces_.push_back(std::move(itf));
  LoadProfiles(interfaces_.back());
  Notify(kWlanNotificationSourceAcm, kWlanAcmInterfaceArrival, guid, {});
}

void SimWlanService::RemoveInterface(const Guid& guid) {
  const std::lock_guard lock(mutex_);

  Interface* itf = Find(guid);
  if (!itf) return;
  if (itf->association) {
    itf->association->connected = false;
    itf->association->network.reset();
  }
  interfaces_.erase(interfaces_.begin() + (itf - interfaces_.data()));
  Notify(kWlanNotificationSourceAcm, kWlanAcmInterfaceRemoval, guid, {});
}

void SimWlanService::NetworksChanged() {
  const std::lock_guard lock(mutex_);

  for (auto& itf : interfaces_) {
    if (!itf.connectedNetwork) continue;
    const auto& bssid = itf.connection.bssid;
    const bool present =
        std::any_of(inRange_.begin(), inRange_.end(), [&](const ScenarioNetwork& n) { return n.bssid == bssid; });
    if (!present) DropConnection(itf, kWlanReasonApGone, false);
  }
}

void SimWlanService::SetHardwareRadio(const Guid& guid, bool on) {
  const std::lock_guard lock(mutex_);

  Interface* itf = Find(guid);
  if (!itf) return;
  for (auto& phy : itf->radio) {
    const DWORD wanted = on ? kDot11RadioOn : kDot11RadioOff;
    if (phy.hardwareRadioState == wanted) continue;
    phy.hardwareRadioState = wanted;
    WlanNotification data;
    data.radioState = phy;
    Notify(kWlanNotificationSourceMsm, kWlanMsmRadioStateChange, guid, data);
  }
  if (itf->association) itf->association->hardwareRadioOff = !on;
  if (!RadioOn(*itf)) DropConnection(*itf, kWlanReasonRadioOff, true);
}

// --- handles and interfaces ---------------------------------------------------------------

DWORD SimWlanService::OpenHandle(DWORD clientVersion, DWORD& negotiatedVersion, WlanHandle& handle) {
  const std::lock_guard lock(mutex_);

  if (!running_) return kErrorServiceNotActive;
  if (clientVersion != 1 && clientVersion != kWlanClientVersion2) return kErrorInvalidParameter;
  negotiatedVersion = clientVersion;
  handle = nextHandle_++;
  handles_[handle] = {kWlanNotificationSourceNone, {}};
  return kErrorSuccess;
}

DWORD SimWlanService::CloseHandle(WlanHandle handle) {
  const std::lock_guard lock(mutex_);

  if (handles_.erase(handle) == 0) return kErrorInvalidHandle;
  return kErrorSuccess;
}

DWORD SimWlanService::EnumInterfaces(WlanHandle handle, std::vector<WlanInterfaceInfo>& interfaces) {
  const std::lock_guard lock(mutex_);

  const DWORD result = Check(handle);
  if (result != kErrorSuccess) return result;
  interfaces.clear();
  for (const auto& itf : interfaces_) interfaces.push_back({itf.guid, itf.description, itf.state});
  return kErrorSuccess;
}

DWORD SimWlanService::RegisterNotification(WlanHandle handle, DWORD sources, bool /*ignoreDuplicate*/,
                                           WlanNotificationCallback callback) {
  const std::lock_guard lock(mutex_);

  const DWORD result = Check(handle);
  if (result != kErrorSuccess) return result;
  if (sources == kWlanNotificationSourceNone) {
    handles_[handle] = {kWlanNotificationSourceNone, {}};
  } else {
    handles_[handle] = {sources, std::move(callback)};
  }
  return kErrorSuccess;
}

// --- scans and lists ----------------------------------------------------------------------

DWORD SimWlanService::Scan(WlanHandle handle, const Guid& interfaceGuid, const Dot11Ssid* /*ssid*/,
                           const std::vector<std::uint8_t>* /*ieData*/) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  ++scanCount_;
  itf->scanPending = true;
  const Guid guid = interfaceGuid;
  After(kScanDelayMs, [this, guid] {
    Interface* target = Find(guid);
    if (!target) return;
    target->scanPending = false;
    WlanNotification data;
    const bool injected = faults_.Take(fault::kScan);
    if (injected || !RadioOn(*target)) {
      data.reasonCode = RadioOn(*target) ? kWlanReasonUnknown : kWlanReasonRadioOff;
      Notify(kWlanNotificationSourceAcm, kWlanAcmScanFail, guid, data);
      return;
    }
    SetVisible(*target, inRange_);
    Notify(kWlanNotificationSourceAcm, kWlanAcmScanComplete, guid, data);
  });
  return kErrorSuccess;
}

void SimWlanService::SetVisible(Interface& itf, const std::vector<ScenarioNetwork>& networks) {
  itf.visible = networks;
  itf.visibleBySsid.clear();
  for (std::size_t i = 0; i < itf.visible.size(); ++i) itf.visibleBySsid[itf.visible[i].ssid].push_back(i);
}

WlanBssEntry SimWlanService::ToBssEntry(const ScenarioNetwork& network) const {
  WlanBssEntry entry;
  entry.ssid.length = static_cast<ULONG>(network.ssid.size());
  std::copy(network.ssid.begin(), network.ssid.end(), entry.ssid.bytes.begin());
  entry.bssid = network.bssid;
  entry.bssType = NetworkBssType(network);
  entry.phyType = NetworkPhyType(network);
  entry.rssi = network.rssi;
  entry.linkQuality = static_cast<ULONG>(RssiToPercent(network.rssi));
  entry.beaconPeriod = static_cast<std::uint16_t>(network.beaconPeriod);
  entry.chCenterFrequency = NetworkFrequency(network);
  std::uint16_t capability = entry.bssType == kDot11BssTypeInfrastructure ? 0x0001 : 0x0002;
  if (NetworkPrivacy(network)) capability |= 0x0010;
  if (entry.chCenterFrequency <= 4000000) capability |= 0x0020;              // short preamble
  if (network.phy == Phy::G || network.phy == Phy::N) capability |= 0x0400;  // short slot time
  entry.capabilityInformation = capability;
  // The same rates the elements advertise; the basic-rate bit moves from bit 7 to bit 15.
  for (std::uint8_t rate : NetworkRateSet(network)) {
    entry.rateSet.push_back(static_cast<std::uint16_t>((rate & 0x7F) | ((rate & 0x80) != 0 ? 0x8000 : 0)));
  }
  entry.ies = ies_ ? ies_(network) : BuildNetworkIes(network);
  return entry;
}

DWORD SimWlanService::GetAvailableNetworkList(WlanHandle handle, const Guid& interfaceGuid, DWORD /*flags*/,
                                              std::vector<WlanAvailableNetwork>& networks) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  networks.clear();
  if (!RadioOn(*itf)) return kErrorSuccess;
  // The stored profiles' SSIDs, parsed once for the whole list.
  std::vector<std::pair<std::vector<std::uint8_t>, const StoredProfile*>> profileSsids;
  for (const auto& stored : itf->profiles) {
    if (const auto profile = ParseSimWlanProfile(stored.xml)) profileSsids.emplace_back(profile->ssid, &stored);
  }
  // One entry per SSID, BSS type and security, in the order first seen.
  std::unordered_map<std::string, std::size_t> entryOf;
  for (const auto& network : itf->visible) {
    const std::string& ssid = network.ssid;
    const DWORD bssType = NetworkBssType(network);
    const bool secure = NetworkPrivacy(network);
    const std::string key = std::to_string(bssType) + (secure ? "s:" : "o:") + ssid;
    const ULONG quality = static_cast<ULONG>(RssiToPercent(network.rssi));
    if (const auto existing = entryOf.find(key); existing != entryOf.end()) {
      WlanAvailableNetwork& entry = networks[existing->second];
      ++entry.numberOfBssids;
      entry.signalQuality = std::max(entry.signalQuality, quality);
      continue;
    }
    entryOf.emplace(key, networks.size());
    WlanAvailableNetwork entry;
    entry.ssid.length = static_cast<ULONG>(ssid.size());
    std::copy(ssid.begin(), ssid.end(), entry.ssid.bytes.begin());
    entry.bssType = bssType;
    entry.numberOfBssids = 1;
    entry.phyTypes = {NetworkPhyType(network)};
    entry.signalQuality = quality;
    entry.securityEnabled = secure;
    entry.defaultAuthAlgorithm = NetworkAuthAlgorithm(network, nullptr);
    entry.defaultCipherAlgorithm = NetworkCipherAlgorithm(network, nullptr);
    for (const auto& [profileSsid, stored] : profileSsids) {
      if (SameSsid(ssid, profileSsid)) {
        entry.profileName = stored->name;
        entry.flags |= kWlanAvailableNetworkHasProfile;
        break;
      }
    }
    if (itf->connectedNetwork && itf->connectedNetwork->ssid == ssid) {
      entry.flags |= kWlanAvailableNetworkConnected;
    }
    networks.push_back(std::move(entry));
  }
  return kErrorSuccess;
}

DWORD SimWlanService::GetNetworkBssList(WlanHandle handle, const Guid& interfaceGuid, const Dot11Ssid* ssid,
                                        DWORD bssType, bool securityEnabled, std::vector<WlanBssEntry>& entries) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  entries.clear();
  if (!RadioOn(*itf)) return kErrorSuccess;
  const auto wanted = [&](const ScenarioNetwork& network) {
    return bssType == kDot11BssTypeAny || NetworkBssType(network) == bssType;
  };
  if (ssid == nullptr) {
    for (const auto& network : itf->visible) {
      if (wanted(network)) entries.push_back(ToBssEntry(network));
    }
    return kErrorSuccess;
  }
  const auto found = itf->visibleBySsid.find(std::string(ssid->View()));
  if (found == itf->visibleBySsid.end()) return kErrorSuccess;
  for (const std::size_t index : found->second) {
    const ScenarioNetwork& network = itf->visible[index];
    // The security flag only narrows a list asked for by SSID.
    if (wanted(network) && NetworkPrivacy(network) == securityEnabled) entries.push_back(ToBssEntry(network));
  }
  return kErrorSuccess;
}

// --- queries ------------------------------------------------------------------------------

DWORD SimWlanService::QueryInterfaceState(WlanHandle handle, const Guid& interfaceGuid, DWORD& state) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result == kErrorSuccess) state = itf->state;
  return result;
}

DWORD SimWlanService::QueryCurrentConnection(WlanHandle handle, const Guid& interfaceGuid,
                                             WlanConnectionAttributes& attributes) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  if (itf->state != kWlanInterfaceConnected) return kErrorInvalidState;
  attributes = itf->connection;
  return kErrorSuccess;
}

DWORD SimWlanService::QueryBssType(WlanHandle handle, const Guid& interfaceGuid, DWORD& bssType) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  bssType = itf->connectedNetwork ? NetworkBssType(*itf->connectedNetwork) : kDot11BssTypeInfrastructure;
  return kErrorSuccess;
}

DWORD SimWlanService::QueryChannelNumber(WlanHandle handle, const Guid& interfaceGuid, ULONG& channel) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  if (!itf->connectedNetwork) return kErrorInvalidState;
  channel = static_cast<ULONG>(itf->connectedNetwork->channel);
  return kErrorSuccess;
}

DWORD SimWlanService::QueryRadioState(WlanHandle handle, const Guid& interfaceGuid, WlanRadioState& state) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result == kErrorSuccess) state.phys = itf->radio;
  return result;
}

DWORD SimWlanService::QuerySupportedAuthCipherPairs(WlanHandle handle, const Guid& interfaceGuid, bool adHoc,
                                                    std::vector<WlanAuthCipherPair>& pairs) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  if (adHoc) {
    pairs = {{kDot11AuthOpen, kDot11CipherNone},
             {kDot11AuthOpen, kDot11CipherWep40},
             {kDot11AuthOpen, kDot11CipherWep104},
             {kDot11AuthOpen, kDot11CipherWep},
             {kDot11AuthRsnaPsk, kDot11CipherCcmp}};
  } else {
    pairs = {{kDot11AuthOpen, kDot11CipherNone},     {kDot11AuthOpen, kDot11CipherWep},
             {kDot11AuthSharedKey, kDot11CipherWep}, {kDot11AuthWpa, kDot11CipherTkip},
             {kDot11AuthWpa, kDot11CipherCcmp},      {kDot11AuthWpaPsk, kDot11CipherTkip},
             {kDot11AuthWpaPsk, kDot11CipherCcmp},   {kDot11AuthRsna, kDot11CipherTkip},
             {kDot11AuthRsna, kDot11CipherCcmp},     {kDot11AuthRsnaPsk, kDot11CipherTkip},
             {kDot11AuthRsnaPsk, kDot11CipherCcmp}};
  }
  return kErrorSuccess;
}

DWORD SimWlanService::GetInterfaceCapability(WlanHandle handle, const Guid& interfaceGuid,
                                             WlanInterfaceCapability& capability) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  capability = WlanInterfaceCapability{};
  capability.interfaceType = 1;
  capability.phyTypes = itf->phyTypes;
  return kErrorSuccess;
}

DWORD SimWlanService::SetRadioState(WlanHandle handle, const Guid& interfaceGuid, const WlanPhyRadioState& state) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  if (state.phyIndex >= itf->radio.size()) return kErrorInvalidParameter;
  if (state.softwareRadioState != kDot11RadioOn && state.softwareRadioState != kDot11RadioOff) {
    return kErrorInvalidParameter;
  }
  const bool wasOn = RadioOn(*itf);
  auto& phy = itf->radio[state.phyIndex];
  if (phy.softwareRadioState == state.softwareRadioState) return kErrorSuccess;
  // Saved before it takes effect: a state the service could not keep is refused.
  std::vector<WlanPhyRadioState> radio = itf->radio;
  radio[state.phyIndex].softwareRadioState = state.softwareRadioState;
  if (!SaveRadio(itf->guid, radio)) return kErrorWriteFault;
  phy.softwareRadioState = state.softwareRadioState;
  WlanNotification data;
  data.radioState = phy;
  Notify(kWlanNotificationSourceMsm, kWlanMsmRadioStateChange, interfaceGuid, data);
  const bool nowOn = RadioOn(*itf);
  if (itf->association) itf->association->softwareRadioOff = !nowOn;
  if (wasOn && !nowOn) DropConnection(*itf, kWlanReasonRadioOff, true);
  if (!wasOn && nowOn) {
    const Guid guid = interfaceGuid;
    After(kConnectStartDelayMs, [this, guid] { AutoConnect(guid); });
  }
  return kErrorSuccess;
}

// --- the radio state file -----------------------------------------------------------------

std::filesystem::path SimWlanService::RadioFile(const Guid& guid) const {
  std::string text = guid.ToString();
  text = text.substr(1, text.size() - 2);
  return store_.directory() / ("wlan-radio-" + text + ".json");
}

void SimWlanService::LoadRadio(Interface& itf) {
  if (!store_.persistent()) return;
  std::ifstream in(RadioFile(itf.guid));
  if (!in) return;
  // A file that cannot be read leaves the radio as the scenario has it.
  const nlohmann::json document = nlohmann::json::parse(in, nullptr, false);
  if (document.is_discarded() || !document.contains("softwareRadioOff") || !document["softwareRadioOff"].is_array()) {
    return;
  }
  const auto& off = document["softwareRadioOff"];
  bool anyOn = false;
  for (std::size_t i = 0; i < itf.radio.size(); ++i) {
    if (i < off.size() && off[i].is_boolean()) {
      itf.radio[i].softwareRadioState = off[i].get<bool>() ? kDot11RadioOff : kDot11RadioOn;
    }
    anyOn = anyOn || itf.radio[i].softwareRadioState != kDot11RadioOff;
  }
  if (itf.association) itf.association->softwareRadioOff = !anyOn;
}

bool SimWlanService::SaveRadio(const Guid& guid, const std::vector<WlanPhyRadioState>& radio) {
  if (!store_.persistent()) return true;
  nlohmann::json document;
  document["softwareRadioOff"] = nlohmann::json::array();
  for (const auto& phy : radio) document["softwareRadioOff"].push_back(phy.softwareRadioState == kDot11RadioOff);
  std::string error;
  if (EnsurePrivateFolder(store_.directory(), error) &&
      WriteFileAtomically(RadioFile(guid), document.dump(2) + "\n", FileSecrecy::Secret, error)) {
    return true;
  }
  if (writeFailureListener_) writeFailureListener_(error);
  return false;
}

DWORD SimWlanService::ReasonCodeToString(DWORD reasonCode, std::string& text) {
  switch (reasonCode) {
    case kWlanReasonSuccess:
      text = "The operation succeeded.";
      break;
    case kWlanReasonNetworkNotAvailable:
      text = "The network is not available.";
      break;
    case kWlanReasonUserDisconnected:
      text = "The connection was ended by the user.";
      break;
    case kWlanReasonRadioOff:
      text = "The radio is switched off.";
      break;
    case kWlanReasonApGone:
      text = "The access point is no longer in range.";
      break;
    case kWlanReasonSecurityFailure:
      text = "The security settings do not match the network.";
      break;
    case kWlanReasonKeyMismatch:
      text = "The network key is wrong.";
      break;
    case kWlanReasonInvalidProfileSchema:
      text = "The profile is not a valid WLAN profile.";
      break;
    case kWlanReasonProfileMismatch:
      text = "The profile does not match the network's security.";
      break;
    default:
      text = "Unknown reason code " + std::to_string(reasonCode) + ".";
      break;
  }
  return kErrorSuccess;
}

}  // namespace nxui::sim
