// The service's connections: attempts checked against the strongest access point of the SSID,
// their outcome notifications, drops, and connecting at start or when the radio comes back.
#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "adapter/Units.h"
#include "base/Crypto.h"
#include "base/HexText.h"
#include "sim/SimNetworkTraits.h"
#include "sim/SimWlanService.h"

namespace nxui::sim {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// What an access point of this security accepts from a profile.
bool AuthenticationAccepted(AuthKind apAuth, const std::string& profileAuth) {
  switch (apAuth) {
    case AuthKind::Open:
      return profileAuth == "open";
    case AuthKind::Shared:
      return profileAuth == "shared";
    case AuthKind::Wpa:
      return profileAuth == "WPA";
    case AuthKind::WpaPsk:
    case AuthKind::WpaNone:
      return profileAuth == "WPAPSK";
    case AuthKind::Wpa2:
      return profileAuth == "WPA2";
    case AuthKind::Wpa2Psk:
      return profileAuth == "WPA2PSK";
    case AuthKind::WpaPskWpa2Psk:
      return profileAuth == "WPAPSK" || profileAuth == "WPA2PSK";
  }
  return false;
}

bool EncryptionAccepted(CipherKind apCipher, const std::string& profileEncryption) {
  switch (apCipher) {
    case CipherKind::None:
      return profileEncryption == "none";
    case CipherKind::Wep:
      return profileEncryption == "WEP";
    case CipherKind::Tkip:
      return profileEncryption == "TKIP";
    case CipherKind::Aes:
      return profileEncryption == "AES";
    case CipherKind::TkipAes:
      return profileEncryption == "TKIP" || profileEncryption == "AES";
  }
  return false;
}

// A WEP key as text: 10 or 26 hexadecimal digits, else the characters themselves.
std::vector<std::uint8_t> WepKeyBytes(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  if ((text.size() == 10 || text.size() == 26) && SimParseHex(text, bytes)) return bytes;
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The derived key in hex; "" (which matches no profile's key) when it cannot be derived.
std::string PskHex(const std::string& passphrase, const std::vector<std::uint8_t>& ssid) {
  std::array<std::uint8_t, 32> key{};
  if (!CryptoLibrary::Process().Pbkdf2HmacSha1(passphrase, ssid, 4096, key)) return {};
  return HexBytes(key);
}

bool IsHexText(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

}  // namespace

void SimWlanService::AutoConnect(const Guid& guid) {
  const std::lock_guard lock(mutex_);

  Interface* itf = Find(guid);
  if (!itf || !running_ || !RadioOn(*itf) || itf->state != kWlanInterfaceDisconnected) return;
  for (const auto& stored : itf->profiles) {
    const auto profile = ParseSimWlanProfile(stored.xml);
    if (!profile || !profile->autoConnect) continue;
    const DWORD bssType = profile->adHoc ? kDot11BssTypeIndependent : kDot11BssTypeInfrastructure;
    const bool inRange = std::any_of(inRange_.begin(), inRange_.end(), [&](const ScenarioNetwork& n) {
      return SameSsid(n.ssid, profile->ssid) && NetworkBssType(n) == bssType;
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
  if (const auto exchange = std::exchange(itf.oneX, nullptr)) exchange->Abandon();
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

  auto fail = [&](DWORD reason, int failureEvent) { FailAttempt(*itf, parameters, reason, failureEvent); };
  if (!RadioOn(*itf)) return fail(kWlanReasonRadioOff, -1);

  const ScenarioNetwork* best = nullptr;
  for (const auto& network : inRange_) {
    if (!SameSsid(network.ssid, ssid)) continue;
    if (wantedType != kDot11BssTypeAny && NetworkBssType(network) != wantedType) continue;
    if (!parameters.desiredBssids.empty()) {
      if (std::find(parameters.desiredBssids.begin(), parameters.desiredBssids.end(), network.bssid) ==
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
    if (profile->useOneX != (security.auth == AuthKind::Wpa || security.auth == AuthKind::Wpa2)) {
      return fail(kWlanReasonProfileMismatch, 6);
    }
    if (!profile->useOneX && profile->encryption == "WEP") {
      const auto index = static_cast<std::size_t>(profile->keyIndex);
      const bool match = index < security.wepKeys.size() && !security.wepKeys[index].empty() &&
                         WepKeyBytes(security.wepKeys[index]) == WepKeyBytes(profile->keyMaterial);
      if (!match) return fail(kWlanReasonKeyMismatch, security.auth == AuthKind::Shared ? 5 : 7);
    } else if (!profile->useOneX && (profile->encryption == "TKIP" || profile->encryption == "AES")) {
      bool match = false;
      if (profile->keyType == "networkKey") {
        const std::string wanted = IsHexText(security.passphrase) && security.passphrase.size() == 64
                                       ? Lower(security.passphrase)
                                       : PskHex(security.passphrase, ssid);
        match = !wanted.empty() && Lower(profile->keyMaterial) == wanted;
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

  if (best->security.eap) return StartOneX(*itf, *best, what);
  CompleteAttempt(*itf, *best, what);
}

void SimWlanService::FailAttempt(Interface& itf, const WlanConnectionParameters& parameters, DWORD reason,
                                 int failureEvent) {
  itf.state = kWlanInterfaceDisconnected;
  itf.oneX.reset();
  if (itf.association && failureEvent >= 0) itf.association->lastFailureEvent = failureEvent;
  Notify(kWlanNotificationSourceAcm, kWlanAcmConnectionAttemptFail, itf.guid, ConnectionData(itf, parameters, reason));
}

void SimWlanService::CompleteAttempt(Interface& itf, const ScenarioNetwork& network, const Attempt& what) {
  const WlanConnectionParameters& parameters = what.parameters;
  const SimWlanProfile* profile = what.profile ? &*what.profile : nullptr;
  const std::vector<std::uint8_t> ssid(parameters.ssid.bytes.begin(),
                                       parameters.ssid.bytes.begin() + std::min<ULONG>(parameters.ssid.length, 32));
  const Guid guid = itf.guid;
  Interface* target = &itf;
  const ScenarioNetwork* best = &network;
  target->state = kWlanInterfaceConnected;
  target->connectedNetwork = *best;
  WlanConnectionAttributes& connection = target->connection;
  connection = WlanConnectionAttributes{};
  connection.interfaceState = kWlanInterfaceConnected;
  connection.connectionMode = parameters.connectionMode;
  connection.profileName = profile ? profile->name : std::string();
  connection.ssid = parameters.ssid;
  connection.bssType = NetworkBssType(*best);
  connection.bssid = best->bssid;
  connection.phyType = NetworkPhyType(*best);
  connection.signalQuality = static_cast<ULONG>(RssiToPercent(best->rssi));
  connection.rxRate = NetworkRateKbps(*best);
  connection.txRate = connection.rxRate;
  connection.securityEnabled = NetworkPrivacy(*best);
  connection.oneXEnabled = profile && profile->useOneX;
  connection.authAlgorithm = NetworkAuthAlgorithm(*best, profile);
  connection.cipherAlgorithm = NetworkCipherAlgorithm(*best, profile);
  if (target->association) {
    SimAssociation& association = *target->association;
    association.connected = true;
    association.network = *best;
    association.bssid = connection.bssid;
    association.ssid = ssid;
    association.connectTimeMs = loop_.TickCount();
    association.lastFailureEvent = -1;
    if (associationListener_) associationListener_(guid);
  }
  WlanNotification data = ConnectionData(*target, parameters, kWlanReasonSuccess);
  data.bssid = connection.bssid;
  Notify(kWlanNotificationSourceAcm, kWlanAcmConnectionComplete, guid, data);
}

void SimWlanService::DropConnection(Interface& itf, DWORD reason, bool notifyDisconnecting) {
  const bool active = itf.connectedNetwork.has_value() || itf.state == kWlanInterfaceAssociating;
  if (const auto exchange = std::exchange(itf.oneX, nullptr)) exchange->Abandon();
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

}  // namespace nxui::sim
