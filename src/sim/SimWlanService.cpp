#include "sim/SimWlanService.h"

#include "base/AtomicFile.h"

#include <openssl/evp.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <thread>

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/Units.h"
#include "sim/IeBuilder.h"

namespace nxui::sim {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool NetworkPrivacy(const ScenarioNetwork& network) {
  if (network.privacy) return *network.privacy;
  return network.security.cipher != "none";
}

DWORD NetworkBssType(const ScenarioNetwork& network) {
  return network.bssType == "independent" ? kDot11BssTypeIndependent : kDot11BssTypeInfrastructure;
}

std::uint32_t NetworkFrequency(const ScenarioNetwork& network) {
  if (network.frequencyKhz) return *network.frequencyKhz;
  std::uint32_t frequency = 0;
  if (network.channel > 0 && ChannelToFrequency(static_cast<std::uint32_t>(network.channel), frequency)) {
    return frequency;
  }
  return 2412000;
}

bool Is5GHz(const ScenarioNetwork& network) { return NetworkFrequency(network) > 4000000; }

DWORD NetworkPhyType(const ScenarioNetwork& network) {
  if (network.phy == "a") return kDot11PhyTypeOfdm;
  if (network.phy == "b") return kDot11PhyTypeHrDsss;
  if (network.phy == "n") return kDot11PhyTypeHt;
  return kDot11PhyTypeErp;
}

ULONG NetworkRateKbps(const ScenarioNetwork& network) {
  if (network.phy == "n") return network.ht && network.ht->width == 40 ? 300000 : 130000;
  if (network.phy == "b") return 11000;
  return 54000;
}

// What an access point of this security accepts from a profile.
bool AuthenticationAccepted(const std::string& apAuth, const std::string& profileAuth) {
  if (apAuth == "open") return profileAuth == "open";
  if (apAuth == "shared") return profileAuth == "shared";
  if (apAuth == "wpa") return profileAuth == "WPA";
  if (apAuth == "wpa-psk" || apAuth == "wpa-none") return profileAuth == "WPAPSK";
  if (apAuth == "wpa2") return profileAuth == "WPA2";
  if (apAuth == "wpa2-psk") return profileAuth == "WPA2PSK";
  if (apAuth == "wpa-psk+wpa2-psk") return profileAuth == "WPAPSK" || profileAuth == "WPA2PSK";
  return false;
}

bool EncryptionAccepted(const std::string& apCipher, const std::string& profileEncryption) {
  if (apCipher == "none") return profileEncryption == "none";
  if (apCipher == "wep") return profileEncryption == "WEP";
  if (apCipher == "tkip") return profileEncryption == "TKIP";
  if (apCipher == "aes") return profileEncryption == "AES";
  if (apCipher == "tkip+aes") return profileEncryption == "TKIP" || profileEncryption == "AES";
  return false;
}

// A WEP key as text: 10 or 26 hexadecimal digits, else the characters themselves.
std::vector<std::uint8_t> WepKeyBytes(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  if ((text.size() == 10 || text.size() == 26) && SimParseHex(text, bytes)) return bytes;
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::string PskHex(const std::string& passphrase, const std::vector<std::uint8_t>& ssid) {
  unsigned char key[32];
  PKCS5_PBKDF2_HMAC_SHA1(passphrase.data(), static_cast<int>(passphrase.size()), ssid.data(),
                         static_cast<int>(ssid.size()), 4096, sizeof key, key);
  std::string hex;
  static constexpr char kDigits[] = "0123456789abcdef";
  for (unsigned char b : key) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  return hex;
}

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

DWORD AuthAlgorithm(const ScenarioNetwork& network, const SimWlanProfile* profile) {
  const std::string& auth = network.security.auth;
  if (auth == "shared") return kDot11AuthSharedKey;
  if (auth == "wpa") return kDot11AuthWpa;
  if (auth == "wpa-psk") return kDot11AuthWpaPsk;
  if (auth == "wpa-none") return kDot11AuthWpaNone;
  if (auth == "wpa2") return kDot11AuthRsna;
  if (auth == "wpa2-psk") return kDot11AuthRsnaPsk;
  if (auth == "wpa-psk+wpa2-psk") {
    return profile && profile->authentication == "WPAPSK" ? kDot11AuthWpaPsk : kDot11AuthRsnaPsk;
  }
  return kDot11AuthOpen;
}

DWORD CipherAlgorithm(const ScenarioNetwork& network, const SimWlanProfile* profile) {
  const std::string& cipher = network.security.cipher;
  if (cipher == "wep") return kDot11CipherWep;
  if (cipher == "tkip") return kDot11CipherTkip;
  if (cipher == "aes") return kDot11CipherCcmp;
  if (cipher == "tkip+aes") return profile && profile->encryption == "TKIP" ? kDot11CipherTkip : kDot11CipherCcmp;
  return kDot11CipherNone;
}

}  // namespace

SimWlanService::SimWlanService(IEventLoop& loop, const std::vector<ScenarioNetwork>& inRange,
                               std::filesystem::path stateDirectory, IeSource ies)
    : loop_(loop),
      inRange_(inRange),
      stateDirectory_(std::move(stateDirectory)),
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
  itf.visible = inRange_;  // the service's background scan
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

void SimWlanService::SeedProfiles(const Guid& guid, const std::vector<ScenarioPlatformProfile>& profiles) {
  const std::lock_guard lock(mutex_);

  Interface* itf = Find(guid);
  if (!itf || itf->profilesLoaded) return;
  for (const auto& seed : profiles) {
    std::string xml;
    if (seed.xml) {
      xml = *seed.xml;
    } else {
      const auto network = std::find_if(inRange_.begin(), inRange_.end(), [&](const ScenarioNetwork& n) {
        const auto ssid = SimNetworkSsid(n);
        return std::string(ssid.begin(), ssid.end()) == seed.ssid;
      });
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

void SimWlanService::AutoConnect(const Guid& guid) {
  const std::lock_guard lock(mutex_);

  Interface* itf = Find(guid);
  if (!itf || !running_ || !RadioOn(*itf) || itf->state != kWlanInterfaceDisconnected) return;
  for (const auto& stored : itf->profiles) {
    const auto profile = ParseSimWlanProfile(stored.xml);
    if (!profile || !profile->autoConnect) continue;
    const DWORD bssType = profile->adHoc ? kDot11BssTypeIndependent : kDot11BssTypeInfrastructure;
    const bool inRange = std::any_of(inRange_.begin(), inRange_.end(), [&](const ScenarioNetwork& n) {
      return SimNetworkSsid(n) == profile->ssid && NetworkBssType(n) == bssType;
    });
    if (!inRange) continue;
    WlanConnectionParameters parameters;
    parameters.connectionMode = kWlanConnectionModeAuto;
    parameters.profile = profile->name;
    parameters.bssType = bssType;
    StartAttempt(*itf, parameters, profile);
    return;
  }
}

void SimWlanService::NetworksChanged() {
  const std::lock_guard lock(mutex_);

  for (auto& itf : interfaces_) {
    if (!itf.connectedNetwork) continue;
    const auto& bssid = itf.connection.bssid;
    const bool present = std::any_of(inRange_.begin(), inRange_.end(), [&](const ScenarioNetwork& n) {
      std::array<std::uint8_t, 6> mac{};
      return SimParseMac(n.bssid, mac) && mac == bssid;
    });
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
    if (failScans_ > 0 || !RadioOn(*target)) {
      if (failScans_ > 0) --failScans_;
      data.reasonCode = RadioOn(*target) ? kWlanReasonUnknown : kWlanReasonRadioOff;
      Notify(kWlanNotificationSourceAcm, kWlanAcmScanFail, guid, data);
      return;
    }
    target->visible = inRange_;
    Notify(kWlanNotificationSourceAcm, kWlanAcmScanComplete, guid, data);
  });
  return kErrorSuccess;
}

WlanBssEntry SimWlanService::ToBssEntry(const ScenarioNetwork& network) const {
  WlanBssEntry entry;
  const auto ssid = SimNetworkSsid(network);
  entry.ssid.length = static_cast<ULONG>(ssid.size());
  std::copy(ssid.begin(), ssid.end(), entry.ssid.bytes.begin());
  SimParseMac(network.bssid, entry.bssid);
  entry.bssType = NetworkBssType(network);
  entry.phyType = NetworkPhyType(network);
  entry.rssi = network.rssi;
  entry.linkQuality = static_cast<ULONG>(RssiToPercent(network.rssi));
  entry.beaconPeriod = static_cast<std::uint16_t>(network.beaconPeriod);
  entry.chCenterFrequency = NetworkFrequency(network);
  std::uint16_t capability = entry.bssType == kDot11BssTypeInfrastructure ? 0x0001 : 0x0002;
  if (NetworkPrivacy(network)) capability |= 0x0010;
  if (!Is5GHz(network)) capability |= 0x0020;                          // short preamble
  if (network.phy == "g" || network.phy == "n") capability |= 0x0400;  // short slot time
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
  for (const auto& network : itf->visible) {
    const auto ssid = SimNetworkSsid(network);
    const DWORD bssType = NetworkBssType(network);
    const bool secure = NetworkPrivacy(network);
    auto existing = std::find_if(networks.begin(), networks.end(), [&](const WlanAvailableNetwork& n) {
      return n.ssid.View() == std::string_view(reinterpret_cast<const char*>(ssid.data()), ssid.size()) &&
             n.bssType == bssType && n.securityEnabled == secure;
    });
    const ULONG quality = static_cast<ULONG>(RssiToPercent(network.rssi));
    if (existing != networks.end()) {
      ++existing->numberOfBssids;
      existing->signalQuality = std::max(existing->signalQuality, quality);
      continue;
    }
    WlanAvailableNetwork entry;
    entry.ssid.length = static_cast<ULONG>(ssid.size());
    std::copy(ssid.begin(), ssid.end(), entry.ssid.bytes.begin());
    entry.bssType = bssType;
    entry.numberOfBssids = 1;
    entry.phyTypes = {NetworkPhyType(network)};
    entry.signalQuality = quality;
    entry.securityEnabled = secure;
    entry.defaultAuthAlgorithm = AuthAlgorithm(network, nullptr);
    entry.defaultCipherAlgorithm = CipherAlgorithm(network, nullptr);
    for (const auto& stored : itf->profiles) {
      const auto profile = ParseSimWlanProfile(stored.xml);
      if (profile && profile->ssid == ssid) {
        entry.profileName = stored.name;
        entry.flags |= kWlanAvailableNetworkHasProfile;
        break;
      }
    }
    if (itf->connectedNetwork && SimNetworkSsid(*itf->connectedNetwork) == ssid) {
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
  for (const auto& network : itf->visible) {
    if (bssType != kDot11BssTypeAny && NetworkBssType(network) != bssType) continue;
    if (ssid) {
      const auto bytes = SimNetworkSsid(network);
      if (ssid->View() != std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())) continue;
      // The security flag only narrows a list asked for by SSID.
      if (NetworkPrivacy(network) != securityEnabled) continue;
    }
    entries.push_back(ToBssEntry(network));
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
  if (!SaveRadio(itf->guid, radio)) return kErrorGenFailure;
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

// --- connections --------------------------------------------------------------------------

WlanNotification SimWlanService::ConnectionData(const Interface& itf, const WlanConnectionParameters& parameters,
                                                DWORD reason) const {
  (void)itf;
  WlanNotification data;
  data.connectionMode = parameters.connectionMode;
  data.profileName = parameters.profile;
  data.ssid = parameters.ssid;
  data.bssType = parameters.bssType;
  data.reasonCode = reason;
  return data;
}

DWORD SimWlanService::Connect(WlanHandle handle, const Guid& interfaceGuid,
                              const WlanConnectionParameters& parameters) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  connectCalls_.push_back(parameters);
  std::optional<SimWlanProfile> profile;
  switch (parameters.connectionMode) {
    case kWlanConnectionModeProfile: {
      const auto stored = std::find_if(itf->profiles.begin(), itf->profiles.end(),
                                       [&](const StoredProfile& p) { return p.name == parameters.profile; });
      if (stored == itf->profiles.end()) return kErrorNotFound;
      profile = ParseSimWlanProfile(stored->xml);
      if (!profile) return kErrorBadProfile;
      break;
    }
    case kWlanConnectionModeDiscoverySecure:
    case kWlanConnectionModeDiscoveryUnsecure:
      if (!parameters.hasSsid) return kErrorInvalidParameter;
      break;
    default:
      return kErrorInvalidParameter;
  }
  if (parameters.bssType != kDot11BssTypeInfrastructure && parameters.bssType != kDot11BssTypeIndependent &&
      parameters.bssType != kDot11BssTypeAny) {
    return kErrorInvalidParameter;
  }
  StartAttempt(*itf, parameters, profile);
  return kErrorSuccess;
}

void SimWlanService::StartAttempt(Interface& itf, const WlanConnectionParameters& parameters,
                                  std::optional<SimWlanProfile> profile) {
  if (itf.connectedNetwork) DropConnection(itf, kWlanReasonUserDisconnected, true);
  const std::uint64_t attempt = ++itf.attempt;
  itf.state = kWlanInterfaceAssociating;
  const Guid guid = itf.guid;
  WlanConnectionParameters effective = parameters;
  if (profile && !effective.hasSsid) {
    effective.ssid.length = static_cast<ULONG>(std::min<std::size_t>(profile->ssid.size(), 32));
    std::copy_n(profile->ssid.begin(), effective.ssid.length, effective.ssid.bytes.begin());
  }
  const WlanNotification start = ConnectionData(itf, effective, kWlanReasonSuccess);
  After(kConnectStartDelayMs, [this, guid, attempt, start] {
    Interface* target = Find(guid);
    if (target && target->attempt == attempt) {
      Notify(kWlanNotificationSourceAcm, kWlanAcmConnectionStart, guid, start);
    }
  });
  Attempt what{effective, std::move(profile)};
  After(kConnectDelayMs, [this, guid, attempt, what] { FinishAttempt(guid, attempt, what); });
}

void SimWlanService::FinishAttempt(const Guid& guid, std::uint64_t attempt, const Attempt& what) {
  Interface* itf = Find(guid);
  if (!itf || itf->attempt != attempt) return;
  const WlanConnectionParameters& parameters = what.parameters;
  const SimWlanProfile* profile = what.profile ? &*what.profile : nullptr;
  const std::vector<std::uint8_t> ssid(parameters.ssid.bytes.begin(),
                                       parameters.ssid.bytes.begin() + std::min<ULONG>(parameters.ssid.length, 32));
  DWORD wantedType = parameters.bssType;
  if (profile) wantedType = profile->adHoc ? kDot11BssTypeIndependent : kDot11BssTypeInfrastructure;

  auto fail = [&](DWORD reason, int failureEvent) {
    itf->state = kWlanInterfaceDisconnected;
    if (itf->association && failureEvent >= 0) itf->association->lastFailureEvent = failureEvent;
    Notify(kWlanNotificationSourceAcm, kWlanAcmConnectionAttemptFail, guid, ConnectionData(*itf, parameters, reason));
  };
  if (!RadioOn(*itf)) return fail(kWlanReasonRadioOff, -1);

  const ScenarioNetwork* best = nullptr;
  for (const auto& network : inRange_) {
    if (SimNetworkSsid(network) != ssid) continue;
    if (wantedType != kDot11BssTypeAny && NetworkBssType(network) != wantedType) continue;
    if (!parameters.desiredBssids.empty()) {
      std::array<std::uint8_t, 6> mac{};
      SimParseMac(network.bssid, mac);
      if (std::find(parameters.desiredBssids.begin(), parameters.desiredBssids.end(), mac) ==
          parameters.desiredBssids.end()) {
        continue;
      }
    }
    if (!best || network.rssi > best->rssi) best = &network;
  }
  if (!best) return fail(kWlanReasonNetworkNotAvailable, -1);

  const auto& security = best->security;
  if (profile) {
    if (!AuthenticationAccepted(security.auth, profile->authentication) ||
        !EncryptionAccepted(security.cipher, profile->encryption)) {
      return fail(kWlanReasonProfileMismatch, 6);
    }
    if (profile->useOneX != (security.auth == "wpa" || security.auth == "wpa2")) {
      return fail(kWlanReasonProfileMismatch, 6);
    }
    if (!profile->useOneX && profile->encryption == "WEP") {
      const auto index = static_cast<std::size_t>(profile->keyIndex);
      const bool match = index < security.wepKeys.size() && !security.wepKeys[index].empty() &&
                         WepKeyBytes(security.wepKeys[index]) == WepKeyBytes(profile->keyMaterial);
      if (!match) return fail(kWlanReasonKeyMismatch, security.auth == "shared" ? 5 : 7);
    } else if (!profile->useOneX && (profile->encryption == "TKIP" || profile->encryption == "AES")) {
      bool match = false;
      if (profile->keyType == "networkKey") {
        const std::string wanted = IsHexText(security.passphrase) && security.passphrase.size() == 64
                                       ? Lower(security.passphrase)
                                       : PskHex(security.passphrase, ssid);
        match = Lower(profile->keyMaterial) == wanted;
      } else {
        match = profile->keyMaterial == security.passphrase;
      }
      if (!match) return fail(kWlanReasonKeyMismatch, 7);
    }
  } else {
    const bool secure = NetworkPrivacy(*best);
    const bool wantSecure = parameters.connectionMode == kWlanConnectionModeDiscoverySecure;
    if (secure != wantSecure) return fail(kWlanReasonSecurityFailure, 6);
  }

  itf->state = kWlanInterfaceConnected;
  itf->connectedNetwork = *best;
  WlanConnectionAttributes& connection = itf->connection;
  connection = WlanConnectionAttributes{};
  connection.interfaceState = kWlanInterfaceConnected;
  connection.connectionMode = parameters.connectionMode;
  connection.profileName = profile ? profile->name : std::string();
  connection.ssid = parameters.ssid;
  connection.bssType = NetworkBssType(*best);
  SimParseMac(best->bssid, connection.bssid);
  connection.phyType = NetworkPhyType(*best);
  connection.signalQuality = static_cast<ULONG>(RssiToPercent(best->rssi));
  connection.rxRate = NetworkRateKbps(*best);
  connection.txRate = connection.rxRate;
  connection.securityEnabled = NetworkPrivacy(*best);
  connection.oneXEnabled = profile && profile->useOneX;
  connection.authAlgorithm = AuthAlgorithm(*best, profile);
  connection.cipherAlgorithm = CipherAlgorithm(*best, profile);
  if (itf->association) {
    SimAssociation& association = *itf->association;
    association.connected = true;
    association.network = *best;
    association.bssid = connection.bssid;
    association.ssid = ssid;
    association.connectTimeMs = loop_.TickCount();
    association.lastFailureEvent = -1;
    if (associationListener_) associationListener_(guid);
  }
  WlanNotification data = ConnectionData(*itf, parameters, kWlanReasonSuccess);
  data.bssid = connection.bssid;
  Notify(kWlanNotificationSourceAcm, kWlanAcmConnectionComplete, guid, data);
}

void SimWlanService::DropConnection(Interface& itf, DWORD reason, bool notifyDisconnecting) {
  const bool active = itf.connectedNetwork.has_value() || itf.state == kWlanInterfaceAssociating;
  ++itf.attempt;
  if (!active) return;
  WlanConnectionParameters parameters;
  parameters.connectionMode = itf.connection.connectionMode;
  parameters.profile = itf.connection.profileName;
  parameters.ssid = itf.connection.ssid;
  parameters.bssType = itf.connection.bssType;
  const WlanNotification data = ConnectionData(itf, parameters, reason);
  if (notifyDisconnecting) Notify(kWlanNotificationSourceAcm, kWlanAcmDisconnecting, itf.guid, data);
  itf.state = kWlanInterfaceDisconnected;
  itf.connectedNetwork.reset();
  itf.connection = WlanConnectionAttributes{};
  if (itf.association) {
    itf.association->connected = false;
    itf.association->network.reset();
    itf.association->bssid = {};
    itf.association->ssid.clear();
    if (associationListener_) associationListener_(itf.guid);
  }
  Notify(kWlanNotificationSourceAcm, kWlanAcmDisconnected, itf.guid, data);
}

DWORD SimWlanService::Disconnect(WlanHandle handle, const Guid& interfaceGuid) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  DropConnection(*itf, kWlanReasonUserDisconnected, true);
  return kErrorSuccess;
}

// --- profiles -----------------------------------------------------------------------------

std::filesystem::path SimWlanService::ProfileFile(const Guid& guid) const {
  std::string text = guid.ToString();
  text = text.substr(1, text.size() - 2);
  return stateDirectory_ / ("wlan-profiles-" + text + ".json");
}

std::filesystem::path SimWlanService::RadioFile(const Guid& guid) const {
  std::string text = guid.ToString();
  text = text.substr(1, text.size() - 2);
  return stateDirectory_ / ("wlan-radio-" + text + ".json");
}

void SimWlanService::LoadRadio(Interface& itf) {
  if (stateDirectory_.empty()) return;
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

bool SimWlanService::SaveRadio(const Guid& guid, const std::vector<WlanPhyRadioState>& radio) const {
  if (stateDirectory_.empty()) return true;
  nlohmann::json document;
  document["softwareRadioOff"] = nlohmann::json::array();
  for (const auto& phy : radio) document["softwareRadioOff"].push_back(phy.softwareRadioState == kDot11RadioOff);
  std::string error;
  if (!EnsurePrivateFolder(stateDirectory_, error) ||
      !WriteFileAtomically(RadioFile(guid), document.dump(2) + "\n", FileSecrecy::Normal, error)) {
    lastSaveError_ = error;
    return false;
  }
  return true;
}

void SimWlanService::LoadProfiles(Interface& itf) {
  if (stateDirectory_.empty()) return;
  std::ifstream in(ProfileFile(itf.guid));
  if (!in) return;
  const nlohmann::json document = nlohmann::json::parse(in, nullptr, false);
  if (document.is_discarded() || !document.contains("profiles") || !document["profiles"].is_array()) return;
  for (const auto& entry : document["profiles"]) {
    if (!entry.is_object() || !entry.contains("xml") || !entry["xml"].is_string()) continue;
    const std::string xml = entry["xml"].get<std::string>();
    const auto parsed = ParseSimWlanProfile(xml);
    if (!parsed) continue;
    const DWORD flags =
        entry.contains("flags") && entry["flags"].is_number_unsigned() ? entry["flags"].get<DWORD>() : 0;
    itf.profiles.push_back({parsed->name, xml, flags});
  }
  itf.profilesLoaded = true;
}

void SimWlanService::SaveProfiles(const Interface& itf) const {
  if (stateDirectory_.empty()) return;
  nlohmann::json document;
  document["profiles"] = nlohmann::json::array();
  for (const auto& profile : itf.profiles) {
    document["profiles"].push_back({{"name", profile.name}, {"flags", profile.flags}, {"xml", profile.xml}});
  }
  std::string error;
  if (!EnsurePrivateFolder(stateDirectory_, error) ||
      !WriteFileAtomically(ProfileFile(itf.guid), document.dump(2) + "\n", FileSecrecy::Secret, error)) {
    lastSaveError_ = error;
  }
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
  auto existing = std::find_if(itf->profiles.begin(), itf->profiles.end(),
                               [&](const StoredProfile& p) { return p.name == parsed->name; });
  if (existing != itf->profiles.end()) {
    if (!overwrite) return kErrorAlreadyExists;
    existing->xml = std::string(xml);
    existing->flags = flags;
  } else {
    itf->profiles.push_back({parsed->name, std::string(xml), flags});
  }
  SaveProfiles(*itf);
  return kErrorSuccess;
}

DWORD SimWlanService::DeleteProfile(WlanHandle handle, const Guid& interfaceGuid, std::string_view name) {
  const std::lock_guard lock(mutex_);

  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  const auto existing =
      std::find_if(itf->profiles.begin(), itf->profiles.end(), [&](const StoredProfile& p) { return p.name == name; });
  if (existing == itf->profiles.end()) return kErrorNotFound;
  itf->profiles.erase(existing);
  SaveProfiles(*itf);
  return kErrorSuccess;
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
  StoredProfile moved = *existing;
  itf->profiles.erase(existing);
  itf->profiles.insert(itf->profiles.begin() + position, std::move(moved));
  SaveProfiles(*itf);
  return kErrorSuccess;
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
