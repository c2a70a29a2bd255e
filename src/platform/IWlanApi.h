// The platform WLAN service's client interface, shaped after the Native WiFi calls. Codes are the
// platform's published numbers so a native implementation maps onto this port one to one. Lists
// come back as vectors (nothing to free); texts (descriptions, profile names, documents) are UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Guid.h"
#include "platform/IEventLoop.h"
#include "platform/WinTypes.h"

namespace nxui {

using ULONG = std::uint32_t;
using WlanHandle = std::uintptr_t;
inline constexpr WlanHandle kInvalidWlanHandle = 0;

inline constexpr DWORD kWlanClientVersion2 = 2;

// Result codes of the WLAN calls beside the general ones.
inline constexpr DWORD kErrorAlreadyExists = 183;
inline constexpr DWORD kErrorBadProfile = 1206;  // Vista and later
inline constexpr DWORD kWlanUiVersion1 = 1;
inline constexpr DWORD kWlanMaxNameLength = 256;

// WLAN_INTERFACE_STATE
inline constexpr DWORD kWlanInterfaceNotReady = 0;
inline constexpr DWORD kWlanInterfaceConnected = 1;
inline constexpr DWORD kWlanInterfaceAdHocNetworkFormed = 2;
inline constexpr DWORD kWlanInterfaceDisconnecting = 3;
inline constexpr DWORD kWlanInterfaceDisconnected = 4;
inline constexpr DWORD kWlanInterfaceAssociating = 5;
inline constexpr DWORD kWlanInterfaceDiscovering = 6;
inline constexpr DWORD kWlanInterfaceAuthenticating = 7;

// DOT11_BSS_TYPE
inline constexpr DWORD kDot11BssTypeInfrastructure = 1;
inline constexpr DWORD kDot11BssTypeIndependent = 2;
inline constexpr DWORD kDot11BssTypeAny = 3;

// DOT11_PHY_TYPE
inline constexpr DWORD kDot11PhyTypeUnknown = 0;
inline constexpr DWORD kDot11PhyTypeFhss = 1;
inline constexpr DWORD kDot11PhyTypeDsss = 2;
inline constexpr DWORD kDot11PhyTypeIrBaseband = 3;
inline constexpr DWORD kDot11PhyTypeOfdm = 4;    // 802.11a
inline constexpr DWORD kDot11PhyTypeHrDsss = 5;  // 802.11b
inline constexpr DWORD kDot11PhyTypeErp = 6;     // 802.11g
inline constexpr DWORD kDot11PhyTypeHt = 7;      // 802.11n

// DOT11_AUTH_ALGORITHM
inline constexpr DWORD kDot11AuthOpen = 1;
inline constexpr DWORD kDot11AuthSharedKey = 2;
inline constexpr DWORD kDot11AuthWpa = 3;
inline constexpr DWORD kDot11AuthWpaPsk = 4;
inline constexpr DWORD kDot11AuthWpaNone = 5;
inline constexpr DWORD kDot11AuthRsna = 6;
inline constexpr DWORD kDot11AuthRsnaPsk = 7;

// DOT11_CIPHER_ALGORITHM
inline constexpr DWORD kDot11CipherNone = 0x00;
inline constexpr DWORD kDot11CipherWep40 = 0x01;
inline constexpr DWORD kDot11CipherTkip = 0x02;
inline constexpr DWORD kDot11CipherCcmp = 0x04;
inline constexpr DWORD kDot11CipherWep104 = 0x05;
inline constexpr DWORD kDot11CipherWpaUseGroup = 0x100;
inline constexpr DWORD kDot11CipherWep = 0x101;

// DOT11_RADIO_STATE
inline constexpr DWORD kDot11RadioUnknown = 0;
inline constexpr DWORD kDot11RadioOn = 1;
inline constexpr DWORD kDot11RadioOff = 2;

// WLAN_CONNECTION_MODE
inline constexpr DWORD kWlanConnectionModeProfile = 0;
inline constexpr DWORD kWlanConnectionModeTemporaryProfile = 1;
inline constexpr DWORD kWlanConnectionModeDiscoverySecure = 2;
inline constexpr DWORD kWlanConnectionModeDiscoveryUnsecure = 3;
inline constexpr DWORD kWlanConnectionModeAuto = 4;

// Profile flags for SetProfile / GetProfileList.
inline constexpr DWORD kWlanProfileGroupPolicy = 0x1;
inline constexpr DWORD kWlanProfileUser = 0x2;

// Available-network flags.
inline constexpr DWORD kWlanAvailableNetworkConnected = 0x1;
inline constexpr DWORD kWlanAvailableNetworkHasProfile = 0x2;

// Notification sources.
inline constexpr DWORD kWlanNotificationSourceNone = 0;
inline constexpr DWORD kWlanNotificationSourceOneX = 0x04;
inline constexpr DWORD kWlanNotificationSourceAcm = 0x08;
inline constexpr DWORD kWlanNotificationSourceMsm = 0x10;
inline constexpr DWORD kWlanNotificationSourceAll = 0xFFFF;

// ACM notification codes.
inline constexpr DWORD kWlanAcmAutoconfEnabled = 1;
inline constexpr DWORD kWlanAcmAutoconfDisabled = 2;
inline constexpr DWORD kWlanAcmBackgroundScanEnabled = 3;
inline constexpr DWORD kWlanAcmBackgroundScanDisabled = 4;
inline constexpr DWORD kWlanAcmBssTypeChange = 5;
inline constexpr DWORD kWlanAcmPowerSettingChange = 6;
inline constexpr DWORD kWlanAcmScanComplete = 7;
inline constexpr DWORD kWlanAcmScanFail = 8;
inline constexpr DWORD kWlanAcmConnectionStart = 9;
inline constexpr DWORD kWlanAcmConnectionComplete = 10;
inline constexpr DWORD kWlanAcmConnectionAttemptFail = 11;
inline constexpr DWORD kWlanAcmFilterListChange = 12;
inline constexpr DWORD kWlanAcmInterfaceArrival = 13;
inline constexpr DWORD kWlanAcmInterfaceRemoval = 14;
inline constexpr DWORD kWlanAcmProfileChange = 15;
inline constexpr DWORD kWlanAcmProfileNameChange = 16;
inline constexpr DWORD kWlanAcmProfilesExhausted = 17;
inline constexpr DWORD kWlanAcmNetworkNotAvailable = 18;
inline constexpr DWORD kWlanAcmNetworkAvailable = 19;
inline constexpr DWORD kWlanAcmDisconnecting = 20;
inline constexpr DWORD kWlanAcmDisconnected = 21;
inline constexpr DWORD kWlanAcmAdhocNetworkStateChange = 22;

// MSM notification codes.
inline constexpr DWORD kWlanMsmAssociating = 1;
inline constexpr DWORD kWlanMsmAssociated = 2;
inline constexpr DWORD kWlanMsmAuthenticating = 3;
inline constexpr DWORD kWlanMsmConnected = 4;
inline constexpr DWORD kWlanMsmRoamingStart = 5;
inline constexpr DWORD kWlanMsmRoamingEnd = 6;
inline constexpr DWORD kWlanMsmRadioStateChange = 7;
inline constexpr DWORD kWlanMsmSignalQualityChange = 8;
inline constexpr DWORD kWlanMsmDisassociating = 9;
inline constexpr DWORD kWlanMsmDisconnected = 10;
inline constexpr DWORD kWlanMsmPeerJoin = 11;
inline constexpr DWORD kWlanMsmPeerLeave = 12;
inline constexpr DWORD kWlanMsmAdapterRemoval = 13;

// Reason codes carried by notifications and SetProfile. Only success and "unknown" are fixed
// numbers the client relies on; the others are what the simulated service reports, placed in the
// platform's ranges (L2 0x10000, ACM 0x20000, MSM 0x30000, security 0x40000, profile 0x80000) and
// only ever turned into text.
inline constexpr DWORD kWlanReasonSuccess = 0;
inline constexpr DWORD kWlanReasonUnknown = 0x10001;
inline constexpr DWORD kWlanReasonNetworkNotAvailable = 0x20008;
inline constexpr DWORD kWlanReasonUserDisconnected = 0x28006;
inline constexpr DWORD kWlanReasonRadioOff = 0x28007;
inline constexpr DWORD kWlanReasonApGone = 0x3000A;
inline constexpr DWORD kWlanReasonSecurityFailure = 0x40001;
inline constexpr DWORD kWlanReasonKeyMismatch = 0x4000D;
inline constexpr DWORD kWlanReasonInvalidProfileSchema = 0x80001;
inline constexpr DWORD kWlanReasonProfileMismatch = 0x80006;

// 802.1X notifications (source kWlanNotificationSourceOneX), shaped after the platform's result
// updates: a step of an exchange with its text and outcome, and a request for the credentials the
// platform's EAP user interface would ask for, answered with SetOneXCredentials.
inline constexpr DWORD kWlanOneXResultUpdate = 1;
inline constexpr DWORD kWlanOneXCredentialsRequest = 0x100;

// WlanOneXData::status.
inline constexpr DWORD kOneXInProgress = 0;
inline constexpr DWORD kOneXSucceeded = 1;
inline constexpr DWORD kOneXFailed = 2;

// WlanOneXData::request: what the exchange asks for.
inline constexpr DWORD kOneXAskIdentity = 0;         // identity and password, the first time
inline constexpr DWORD kOneXAskAgain = 1;            // the identity or password was refused
inline constexpr DWORD kOneXAskNewPassword = 2;      // the server wants the password changed
inline constexpr DWORD kOneXAskOneTimePassword = 3;  // the server wants a one-time password

struct WlanOneXData {
  DWORD status = kOneXInProgress;
  DWORD request = kOneXAskIdentity;
  std::string text;  // the step, or why the credentials are asked for
};

struct WlanOneXCredentials {
  std::string identity;
  std::string password;  // the new or one-time password for those requests
  std::string domain;
  bool cancelled = false;  // the user gave up: the exchange fails
};

struct Dot11Ssid {
  ULONG length = 0;  // 0..32
  std::array<std::uint8_t, 32> bytes{};

  std::string_view View() const { return {reinterpret_cast<const char*>(bytes.data()), length > 32 ? 32 : length}; }
  static Dot11Ssid FromText(std::string_view text) {
    Dot11Ssid s;
    s.length = static_cast<ULONG>(text.size() > 32 ? 32 : text.size());
    for (ULONG i = 0; i < s.length; ++i) s.bytes[i] = static_cast<std::uint8_t>(text[i]);
    return s;
  }
  friend bool operator==(const Dot11Ssid& a, const Dot11Ssid& b) { return a.View() == b.View(); }
};

using Dot11MacAddress = std::array<std::uint8_t, 6>;

// WLAN_INTERFACE_INFO
struct WlanInterfaceInfo {
  Guid interfaceGuid;
  std::string description;  // up to 255 characters
  DWORD state = kWlanInterfaceNotReady;
};

// WLAN_AVAILABLE_NETWORK (the fields the client reads).
struct WlanAvailableNetwork {
  std::string profileName;
  Dot11Ssid ssid;
  DWORD bssType = kDot11BssTypeInfrastructure;
  ULONG numberOfBssids = 0;
  bool networkConnectable = true;
  DWORD notConnectableReason = 0;
  std::vector<DWORD> phyTypes;
  ULONG signalQuality = 0;  // 0..100
  bool securityEnabled = false;
  DWORD defaultAuthAlgorithm = kDot11AuthOpen;
  DWORD defaultCipherAlgorithm = kDot11CipherNone;
  DWORD flags = 0;
};

// WLAN_BSS_ENTRY
struct WlanBssEntry {
  Dot11Ssid ssid;
  ULONG phyId = 0;
  Dot11MacAddress bssid{};
  DWORD bssType = kDot11BssTypeInfrastructure;
  DWORD phyType = kDot11PhyTypeUnknown;
  LONG rssi = 0;          // dBm
  ULONG linkQuality = 0;  // 0..100
  bool inRegDomain = true;
  std::uint16_t beaconPeriod = 100;  // time units
  std::uint64_t timestamp = 0;
  std::uint64_t hostTimestamp = 0;
  std::uint16_t capabilityInformation = 0;  // bit 4: privacy
  ULONG chCenterFrequency = 0;              // kHz
  std::vector<std::uint16_t> rateSet;       // 500 kbit/s units, bit 15 = basic rate
  std::vector<std::uint8_t> ies;            // information elements as received
};

// WLAN_ASSOCIATION_ATTRIBUTES + WLAN_SECURITY_ATTRIBUTES inside WLAN_CONNECTION_ATTRIBUTES.
struct WlanConnectionAttributes {
  DWORD interfaceState = kWlanInterfaceNotReady;
  DWORD connectionMode = kWlanConnectionModeProfile;
  std::string profileName;
  Dot11Ssid ssid;
  DWORD bssType = kDot11BssTypeInfrastructure;
  Dot11MacAddress bssid{};
  DWORD phyType = kDot11PhyTypeUnknown;
  ULONG phyIndex = 0;
  ULONG signalQuality = 0;
  ULONG rxRate = 0;  // kbit/s
  ULONG txRate = 0;
  bool securityEnabled = false;
  bool oneXEnabled = false;
  DWORD authAlgorithm = kDot11AuthOpen;
  DWORD cipherAlgorithm = kDot11CipherNone;
};

// WLAN_PHY_RADIO_STATE (12 bytes on the wire: index, software, hardware).
struct WlanPhyRadioState {
  DWORD phyIndex = 0;
  DWORD softwareRadioState = kDot11RadioUnknown;
  DWORD hardwareRadioState = kDot11RadioUnknown;
};

struct WlanRadioState {
  std::vector<WlanPhyRadioState> phys;  // in PHY order
};

struct WlanAuthCipherPair {
  DWORD authAlgorithm = kDot11AuthOpen;
  DWORD cipherAlgorithm = kDot11CipherNone;
};

// WLAN_INTERFACE_CAPABILITY (the fields the client reads).
struct WlanInterfaceCapability {
  DWORD interfaceType = 0;  // 0 emulated 802.11, 1 native 802.11
  bool dot11dSupported = false;
  DWORD maxDesiredSsidListSize = 1;
  DWORD maxDesiredBssidListSize = 1;
  std::vector<DWORD> phyTypes;
};

// WLAN_CONNECTION_PARAMETERS
struct WlanConnectionParameters {
  DWORD connectionMode = kWlanConnectionModeProfile;
  std::string profile;  // profile name (mode profile), or empty
  bool hasSsid = false;
  Dot11Ssid ssid;                              // discovery modes
  std::vector<Dot11MacAddress> desiredBssids;  // empty: none
  DWORD bssType = kDot11BssTypeInfrastructure;
  DWORD flags = 0;
};

// WLAN_PROFILE_INFO
struct WlanProfileInfo {
  std::string profileName;
  DWORD flags = 0;
};

// WLAN_NOTIFICATION_DATA with the payloads the client reads.
struct WlanNotification {
  DWORD source = kWlanNotificationSourceNone;
  DWORD code = 0;
  Guid interfaceGuid;
  // ACM connection notifications (9, 10, 11, 20, 21) and MSM ones.
  DWORD connectionMode = kWlanConnectionModeProfile;
  std::string profileName;
  Dot11Ssid ssid;
  DWORD bssType = kDot11BssTypeInfrastructure;
  Dot11MacAddress bssid{};
  DWORD reasonCode = kWlanReasonSuccess;
  // MSM 7 (radio state change).
  WlanPhyRadioState radioState;
  // 802.1X notifications.
  WlanOneXData oneX;
};

// Called on the platform's notification thread; must do nothing but post messages.
using WlanNotificationCallback = std::function<void(const WlanNotification&)>;

class IWlanApi {
 public:
  virtual ~IWlanApi() = default;

  // Every call returns the platform's result code (kErrorSuccess, kErrorInvalidHandle,
  // kErrorServiceNotActive, kErrorInvalidParameter, kErrorNotFound, ...).

  // WlanOpenHandle / WlanCloseHandle.
  virtual DWORD OpenHandle(DWORD clientVersion, DWORD& negotiatedVersion, WlanHandle& handle) = 0;
  virtual DWORD CloseHandle(WlanHandle handle) = 0;

  // WlanEnumInterfaces.
  virtual DWORD EnumInterfaces(WlanHandle handle, std::vector<WlanInterfaceInfo>& interfaces) = 0;

  // WlanScan: completes later with ACM 7 (scan complete) or 8 (scan failed).
  virtual DWORD Scan(WlanHandle handle, const Guid& interfaceGuid, const Dot11Ssid* ssid,
                     const std::vector<std::uint8_t>* ieData) = 0;

  // WlanGetAvailableNetworkList (flags as the platform's) and WlanGetNetworkBssList.
  virtual DWORD GetAvailableNetworkList(WlanHandle handle, const Guid& interfaceGuid, DWORD flags,
                                        std::vector<WlanAvailableNetwork>& networks) = 0;
  virtual DWORD GetNetworkBssList(WlanHandle handle, const Guid& interfaceGuid, const Dot11Ssid* ssid, DWORD bssType,
                                  bool securityEnabled, std::vector<WlanBssEntry>& entries) = 0;

  // WlanQueryInterface, one call per opcode the client uses. Outputs are untouched on failure.
  virtual DWORD QueryInterfaceState(WlanHandle handle, const Guid& interfaceGuid, DWORD& state) = 0;
  virtual DWORD QueryCurrentConnection(WlanHandle handle, const Guid& interfaceGuid,
                                       WlanConnectionAttributes& attributes) = 0;
  virtual DWORD QueryBssType(WlanHandle handle, const Guid& interfaceGuid, DWORD& bssType) = 0;
  virtual DWORD QueryChannelNumber(WlanHandle handle, const Guid& interfaceGuid, ULONG& channel) = 0;
  virtual DWORD QueryRadioState(WlanHandle handle, const Guid& interfaceGuid, WlanRadioState& state) = 0;
  // Supported infrastructure pairs, or the ad hoc ones when `adHoc`.
  virtual DWORD QuerySupportedAuthCipherPairs(WlanHandle handle, const Guid& interfaceGuid, bool adHoc,
                                              std::vector<WlanAuthCipherPair>& pairs) = 0;
  // WlanGetInterfaceCapability.
  virtual DWORD GetInterfaceCapability(WlanHandle handle, const Guid& interfaceGuid,
                                       WlanInterfaceCapability& capability) = 0;

  // WlanSetInterface with the radio-state opcode.
  virtual DWORD SetRadioState(WlanHandle handle, const Guid& interfaceGuid, const WlanPhyRadioState& state) = 0;

  // WlanConnect / WlanDisconnect. Results arrive as ACM 9, 10 / 11, and 20, 21.
  virtual DWORD Connect(WlanHandle handle, const Guid& interfaceGuid, const WlanConnectionParameters& parameters) = 0;
  virtual DWORD Disconnect(WlanHandle handle, const Guid& interfaceGuid) = 0;

  // Profiles of an interface (WlanSetProfile, WlanDeleteProfile, WlanGetProfileList,
  // WlanSetProfilePosition, WlanGetProfile). Names compare case-sensitively.
  virtual DWORD SetProfile(WlanHandle handle, const Guid& interfaceGuid, DWORD flags, std::string_view xml,
                           bool overwrite, DWORD& reasonCode) = 0;
  virtual DWORD DeleteProfile(WlanHandle handle, const Guid& interfaceGuid, std::string_view name) = 0;
  virtual DWORD GetProfileList(WlanHandle handle, const Guid& interfaceGuid,
                               std::vector<WlanProfileInfo>& profiles) = 0;
  virtual DWORD SetProfilePosition(WlanHandle handle, const Guid& interfaceGuid, std::string_view name,
                                   DWORD position) = 0;
  virtual DWORD GetProfile(WlanHandle handle, const Guid& interfaceGuid, std::string_view name, std::string& xml,
                           DWORD& flags) = 0;

  // WlanUIEditProfile: the platform's modal profile dialog; blocks until it closes, so call it
  // from a worker. startPage 1 is the security page.
  virtual DWORD UIEditProfile(DWORD uiVersion, std::string_view name, const Guid& interfaceGuid, HWND owner,
                              DWORD startPage, DWORD& reasonCode) = 0;

  // WlanRegisterNotification. Sources 0 unregisters. The callback runs on another thread.
  virtual DWORD RegisterNotification(WlanHandle handle, DWORD sources, bool ignoreDuplicate,
                                     WlanNotificationCallback callback) = 0;

  // WlanReasonCodeToString.
  virtual DWORD ReasonCodeToString(DWORD reasonCode, std::string& text) = 0;

  // The answer to a kWlanOneXCredentialsRequest; kErrorInvalidState when nothing is asked.
  virtual DWORD SetOneXCredentials(WlanHandle handle, const Guid& interfaceGuid,
                                   const WlanOneXCredentials& credentials) {
    (void)handle;
    (void)interfaceGuid;
    (void)credentials;
    return kErrorNotSupported;
  }
};

}  // namespace nxui
