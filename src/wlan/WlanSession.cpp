#include "wlan/WlanSession.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/DriverValueMaps.h"
#include "base/ByteReader.h"
#include "scan/BssidEx.h"

namespace nxui {
namespace {

// The platform's notification thread delivers ACM and MSM together.
constexpr DWORD kNotificationSources =
    kWlanNotificationSourceAcm | kWlanNotificationSourceMsm | kWlanNotificationSourceOneX;
// 802.1X notifications kept for the hidden window at most; an exchange sends a handful.
constexpr std::size_t kMaxOneXPending = 256;

std::uint32_t NetworkTypeInUse(DWORD phyType) {
  switch (phyType) {
    case kDot11PhyTypeOfdm:
      return bssid_ex::kNetworkTypeOfdm5;
    case kDot11PhyTypeHrDsss:
      return bssid_ex::kNetworkTypeDs;
    case kDot11PhyTypeErp:
      return bssid_ex::kNetworkTypeOfdm24;
    default:
      return bssid_ex::kNetworkTypeOther;
  }
}

std::uint32_t InfrastructureMode(DWORD bssType) {
  switch (bssType) {
    case kDot11BssTypeInfrastructure:
      return bssid_ex::kModeInfrastructure;
    case kDot11BssTypeIndependent:
      return bssid_ex::kModeIbss;
    default:
      return bssid_ex::kModeOther;
  }
}

void WriteEntry(std::uint8_t* entry, const WlanBssEntry& bss) {
  const auto ieLength = static_cast<std::uint32_t>(bss.ies.size());
  StoreLe32(entry + bssid_ex::kLength, static_cast<std::uint32_t>(bssid_ex::kFixedSize) + ieLength);
  std::copy(bss.bssid.begin(), bss.bssid.end(), entry + bssid_ex::kMacAddress);
  const std::uint32_t ssidLength = std::min<std::uint32_t>(bss.ssid.length, 32);
  StoreLe32(entry + bssid_ex::kSsidLength, ssidLength);
  std::copy_n(bss.ssid.bytes.begin(), ssidLength, entry + bssid_ex::kSsid);
  StoreLe32(entry + bssid_ex::kPrivacy, (bss.capabilityInformation >> 4) & 1u);
  StoreLe32(entry + bssid_ex::kRssi, static_cast<std::uint32_t>(bss.rssi));
  StoreLe32(entry + bssid_ex::kNetworkTypeInUse, NetworkTypeInUse(bss.phyType));
  // The configuration's own Length stays 0, as the service's conversion leaves it.
  StoreLe32(entry + bssid_ex::kBeaconPeriod, bss.beaconPeriod);
  StoreLe32(entry + bssid_ex::kDsConfig, bss.chCenterFrequency);
  StoreLe32(entry + bssid_ex::kInfrastructureMode, InfrastructureMode(bss.bssType));
  std::size_t rateCount = 0;
  for (std::uint16_t rate : bss.rateSet) {
    const std::uint16_t value = rate & 0x7FFF;
    if (value == 0) continue;
    if (rateCount == 16) break;
    entry[bssid_ex::kSupportedRates + rateCount++] = static_cast<std::uint8_t>(value);
  }
  StoreLe32(entry + bssid_ex::kIeLength, ieLength);
  if (ieLength != 0) std::memcpy(entry + bssid_ex::kIes, bss.ies.data(), ieLength);
}

}  // namespace

WlanSession::WlanSession(IWlanApi& api, IEventLoop& loop, DriverRequestPort& driver, ScanListSource lastScanList)
    : api_(api), loop_(loop), driver_(driver), lastScanList_(std::move(lastScanList)) {}

WlanSession::~WlanSession() {
  if (clientHandle_ != kInvalidWlanHandle) {
    if (notificationsRegistered_) api_.RegisterNotification(clientHandle_, kWlanNotificationSourceNone, true, {});
    api_.CloseHandle(clientHandle_);
  }
}

DWORD WlanSession::Open() {
  if (clientHandle_ != kInvalidWlanHandle) {
    if (notificationsRegistered_) api_.RegisterNotification(clientHandle_, kWlanNotificationSourceNone, true, {});
    notificationsRegistered_ = false;
    api_.CloseHandle(clientHandle_);
    clientHandle_ = kInvalidWlanHandle;
  }
  DWORD negotiated = 0;
  WlanHandle handle = kInvalidWlanHandle;
  const DWORD result = api_.OpenHandle(kWlanClientVersion2, negotiated, handle);
  if (result == kErrorSuccess) clientHandle_ = handle;
  return result;
}

DWORD WlanSession::Bind(std::string_view displayName) {
  std::vector<WlanInterfaceInfo> interfaces;
  const DWORD result = api_.EnumInterfaces(clientHandle_, interfaces);
  if (result != kErrorSuccess) return result;
  for (const auto& candidate : interfaces) {
    if (candidate.description == displayName) {
      interfaceInfo_ = candidate;
      break;
    }
  }
  return result;
}

void WlanSession::ReleaseHelpers() {
  interfaceInfo_ = WlanInterfaceInfo{};
  std::lock_guard lock(boundMutex_);
  boundGuid_ = Guid{};
  boundOwner_ = 0;
}

DWORD WlanSession::Start(std::string_view displayName, HWND owner, bool customDirectory) {
  ReleaseHelpers();
  const DWORD result = Bind(displayName);
  ownerWindow_ = owner;
  customDirectory_ = customDirectory;
  profiles_.SetAllUsers(customDirectory);
  serviceAvailable_ = result == kErrorSuccess;
  {
    std::lock_guard lock(boundMutex_);
    boundGuid_ = interfaceInfo_.interfaceGuid;
    boundOwner_ = owner;
  }
  RegisterNotifications();
  return result;
}

DWORD WlanSession::RegisterNotifications() {
  const DWORD result =
      api_.RegisterNotification(clientHandle_, kNotificationSources, true,
                                [this](const WlanNotification& notification) { OnNotification(notification); });
  notificationsRegistered_ = result == kErrorSuccess;
  return result;
}

void WlanSession::OnNotification(const WlanNotification& notification) {
  Guid bound;
  HWND owner = 0;
  {
    std::lock_guard lock(boundMutex_);
    bound = boundGuid_;
    owner = boundOwner_;
  }
  if (owner == 0) return;
  const bool ours = notification.interfaceGuid == bound;
  UINT message = 0;
  if (notification.source == kWlanNotificationSourceAcm) {
    switch (notification.code) {
      case kWlanAcmScanComplete:
        message = wlan_msg::kScanComplete;
        break;
      case kWlanAcmScanFail:
        message = wlan_msg::kScanFailed;
        break;
      case kWlanAcmConnectionComplete:
        message = wlan_msg::kConnectionComplete;
        break;
      case kWlanAcmConnectionAttemptFail:
        message = wlan_msg::kConnectionFailed;
        break;
      case kWlanAcmDisconnected:
        message = wlan_msg::kDisconnected;
        break;
      case kWlanAcmInterfaceArrival:
        // A new interface has a GUID nobody is bound to yet.
        loop_.PostMessage(owner, wlan_msg::kInterfaceArrival, 0, 0);
        return;
      default:
        break;
    }
  } else if (notification.source == kWlanNotificationSourceOneX) {
    if (!ours) return;
    {
      std::lock_guard lock(oneXMutex_);
      if (oneXPending_.size() >= kMaxOneXPending) oneXPending_.erase(oneXPending_.begin());
      oneXPending_.push_back(notification);
    }
    message = wlan_msg::kOneX;
  } else if (notification.source == kWlanNotificationSourceMsm) {
    if (notification.code == kWlanMsmRoamingEnd) {
      message = wlan_msg::kRoamingEnd;
    } else if (notification.code == kWlanMsmRadioStateChange) {
      if (notification.radioState.softwareRadioState == kDot11RadioOn) message = wlan_msg::kRadioOn;
      if (notification.radioState.softwareRadioState == kDot11RadioOff) message = wlan_msg::kRadioOff;
    }
  }
  if (message != 0 && ours) loop_.PostMessage(owner, message, 0, 0);
}

std::vector<WlanNotification> WlanSession::TakeOneXNotifications() {
  std::lock_guard lock(oneXMutex_);
  return std::exchange(oneXPending_, {});
}

DWORD WlanSession::SetOneXCredentials(const WlanOneXCredentials& credentials) {
  return api_.SetOneXCredentials(clientHandle_, interfaceInfo_.interfaceGuid, credentials);
}

DWORD WlanSession::Scan() { return api_.Scan(clientHandle_, interfaceInfo_.interfaceGuid, nullptr, nullptr); }

DWORD WlanSession::BuildScanList(std::span<std::uint8_t> buffer) {
  std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
  if (buffer.size() < 4) return kErrorInvalidParameter;
  std::uint32_t count = 0;
  std::size_t used = 4;
  bool full = false;

  std::vector<WlanAvailableNetwork> networks;
  DWORD result = api_.GetAvailableNetworkList(clientHandle_, interfaceInfo_.interfaceGuid, 0, networks);
  std::vector<Dot11MacAddress> seen;
  for (const auto& network : networks) {
    if (full) break;
    std::vector<WlanBssEntry> entries;
    result = api_.GetNetworkBssList(clientHandle_, interfaceInfo_.interfaceGuid, &network.ssid, network.bssType,
                                    network.securityEnabled, entries);
    for (const auto& bss : entries) {
      if (std::find(seen.begin(), seen.end(), bss.bssid) != seen.end()) continue;
      const std::size_t size = bssid_ex::kFixedSize + bss.ies.size();
      if (size > buffer.size() - used) {
        full = true;
        break;
      }
      WriteEntry(buffer.data() + used, bss);
      used += size;
      seen.push_back(bss.bssid);
      ++count;
    }
  }
  StoreLe32(buffer.data(), count);
  return result;
}

DWORD WlanSession::IsConnected(int& connected) {
  DWORD state = 0;
  const DWORD result = api_.QueryInterfaceState(clientHandle_, interfaceInfo_.interfaceGuid, state);
  if (result == kErrorSuccess) connected = state == kWlanInterfaceConnected ? 1 : 0;
  return result;
}

DWORD WlanSession::CurrentSsid(SsidRecord& ssid) {
  WlanConnectionAttributes attributes;
  const DWORD result = QueryConnection(attributes);
  if (result != kErrorSuccess) return result;
  ssid.fill(0);
  const std::uint32_t length = std::min<std::uint32_t>(attributes.ssid.length, 32);
  StoreLe32(ssid.data(), length);
  std::copy_n(attributes.ssid.bytes.begin(), length, ssid.begin() + 4);
  return result;
}

DWORD WlanSession::QueryConnection(WlanConnectionAttributes& attributes) {
  return api_.QueryCurrentConnection(clientHandle_, interfaceInfo_.interfaceGuid, attributes);
}

DWORD WlanSession::CurrentBssid(Dot11MacAddress& bssid) {
  bssid.fill(0);
  WlanConnectionAttributes attributes;
  const DWORD result = QueryConnection(attributes);
  if (result == kErrorSuccess) bssid = attributes.bssid;
  return result;
}

DWORD WlanSession::CurrentBssType(DWORD& bssType) {
  WlanConnectionAttributes attributes;
  const DWORD result = QueryConnection(attributes);
  if (result == kErrorSuccess) bssType = attributes.bssType;
  return result;
}

DWORD WlanSession::CurrentAuthAlgorithm(DWORD& algorithm) {
  WlanConnectionAttributes attributes;
  const DWORD result = QueryConnection(attributes);
  if (result == kErrorSuccess) algorithm = attributes.authAlgorithm;
  return result;
}

DWORD WlanSession::CurrentCipherAlgorithm(DWORD& algorithm) {
  WlanConnectionAttributes attributes;
  const DWORD result = QueryConnection(attributes);
  if (result == kErrorSuccess) algorithm = attributes.cipherAlgorithm;
  return result;
}

DWORD WlanSession::CurrentOneXEnabled(int& enabled) {
  WlanConnectionAttributes attributes;
  const DWORD result = QueryConnection(attributes);
  if (result == kErrorSuccess) enabled = attributes.oneXEnabled ? 1 : 0;
  return result;
}

DWORD WlanSession::InterfaceBssType(DWORD& mode) {
  DWORD bssType = 0;
  const DWORD result = api_.QueryBssType(clientHandle_, interfaceInfo_.interfaceGuid, bssType);
  if (result == kErrorSuccess) mode = InfrastructureMode(bssType);
  return result;
}

DWORD WlanSession::CurrentChannel(ULONG& channel) {
  ULONG value = 0;
  const DWORD result = api_.QueryChannelNumber(clientHandle_, interfaceInfo_.interfaceGuid, value);
  if (result == kErrorSuccess) channel = value;
  return result;
}

DWORD WlanSession::RadioState(int& radioOn, int& hardwareOn) {
  WlanRadioState state;
  const DWORD result = api_.QueryRadioState(clientHandle_, interfaceInfo_.interfaceGuid, state);
  if (result == kErrorSuccess) EvaluateRadioState(state, radioOn, hardwareOn);
  return result;
}

void WlanSession::EvaluateRadioState(const WlanRadioState& state, int& radioOn, int& hardwareOn) {
  radioOn = 0;
  hardwareOn = 1;
  for (const auto& phy : state.phys) {
    if (phy.softwareRadioState == kDot11RadioUnknown) {
      radioOn = 1;
      hardwareOn = 0;
      return;
    }
    if (phy.hardwareRadioState == kDot11RadioOff) {
      hardwareOn = 0;
      return;
    }
    if (phy.softwareRadioState == kDot11RadioOn) {
      radioOn = 1;
      return;
    }
  }
}

DWORD WlanSession::Supports5GHz(int& supported) {
  WlanInterfaceCapability capability;
  const DWORD result = api_.GetInterfaceCapability(clientHandle_, interfaceInfo_.interfaceGuid, capability);
  if (result == kErrorSuccess) {
    supported = std::find(capability.phyTypes.begin(), capability.phyTypes.end(), kDot11PhyTypeOfdm) !=
                        capability.phyTypes.end()
                    ? 1
                    : 0;
  }
  return result;
}

DWORD WlanSession::SupportsWpa2PskCcmp(int& supported) {
  std::vector<WlanAuthCipherPair> pairs;
  const DWORD result = api_.QuerySupportedAuthCipherPairs(clientHandle_, interfaceInfo_.interfaceGuid, false, pairs);
  if (result == kErrorSuccess) {
    supported =
        std::any_of(pairs.begin(), pairs.end(),
                    [](const WlanAuthCipherPair& pair) {
                      return pair.authAlgorithm == kDot11AuthRsnaPsk && pair.cipherAlgorithm == kDot11CipherCcmp;
                    })
            ? 1
            : 0;
  }
  return result;
}

DWORD WlanSession::SetRadio(bool on) {
  WlanRadioState state;
  DWORD result = api_.QueryRadioState(clientHandle_, interfaceInfo_.interfaceGuid, state);
  if (result != kErrorSuccess) return result;
  for (const auto& phy : state.phys) {
    WlanPhyRadioState wanted = phy;
    wanted.softwareRadioState = on ? kDot11RadioOn : kDot11RadioOff;
    result = api_.SetRadioState(clientHandle_, interfaceInfo_.interfaceGuid, wanted);
  }
  return result;
}

DWORD WlanSession::Disconnect() { return api_.Disconnect(clientHandle_, interfaceInfo_.interfaceGuid); }

void WlanSession::SendDesiredBssid(const Dot11MacAddress& bssid) {
  std::uint8_t record[20] = {};
  record[0] = 0x80;  // NDIS object header: type, revision, size
  record[1] = 1;
  record[2] = 20;
  StoreLe32(record + 4, 1);  // entries
  StoreLe32(record + 8, 1);  // total entries
  std::copy(bssid.begin(), bssid.end(), record + 12);
  driver_.Set(OID_DOT11_DESIRED_BSSID_LIST, record);
}

ProfileConnectPath WlanSession::Connect(const ConnectionSettings& record, bool fromWps) {
  deferred_.pending = true;
  deferred_.networkType = record.networkType;
  deferred_.rtsThreshold = record.rtsThreshold;
  deferred_.fragThreshold = record.fragThreshold;
  deferred_.powerSaveMode = record.psMode;

  driver_.SetU32(OID_WLAN_WPS_CONNECT, fromWps ? 1 : 0);

  std::int32_t preamble = record.preamble;
  if (record.networkType == NetworkType::kInfrastructure) preamble = 2;
  driver_.SetU32(OID_WLAN_PREAMBLE, static_cast<std::uint32_t>(preamble));

  if (record.networkType == NetworkType::kAdhoc) {
    // The record's ad hoc channel travels as its centre frequency in kHz, as in the DS
    // configuration; a channel the table lacks leaves the driver's word alone.
    std::uint32_t frequencyKhz = 0;
    std::array<std::uint8_t, 32> staConfig{};
    // Writing back a record the driver never filled would wipe its other words.
    if (record.channel > 0 && ChannelToFrequency(static_cast<std::uint32_t>(record.channel), frequencyKhz) &&
        driver_.Query(OID_WLAN_STA_CONFIG, staConfig)) {
      StoreLe32(staConfig.data() + 12, frequencyKhz);
      driver_.Set(OID_WLAN_STA_CONFIG, staConfig);
    }
  }

  driver_.SetU32(OID_WLAN_TX_POWER, static_cast<std::uint32_t>(TxPowerSetValue(record.txPower)));

  if (record.byBssid == 1) SendDesiredBssid(record.bssid);
  return profiles_.Connect(record, lastScanList_ ? lastScanList_() : std::span<const std::uint8_t>{}, ownerWindow_);
}

void WlanSession::ApplyDeferredSettings() {
  if (deferred_.pending) {
    driver_.SetU32(OID_DOT11_RTS_THRESHOLD, static_cast<std::uint32_t>(deferred_.rtsThreshold));
    driver_.SetU32(OID_DOT11_FRAGMENTATION_THRESHOLD, static_cast<std::uint32_t>(deferred_.fragThreshold));
    if (deferred_.networkType != NetworkType::kAdhoc) {
      driver_.SetU32(OID_DOT11_POWER_MGMT_REQUEST, PowerSaveLevel(deferred_.powerSaveMode));
    }
  }
  deferred_.pending = false;
}

void WlanSession::CancelDeferredSettings() { deferred_.pending = false; }

}  // namespace nxui
