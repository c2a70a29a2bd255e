// The binding to the platform WLAN service for the adapter's one interface: handle, interface,
// notifications turned into messages for the hidden window, the scan list, the queries the pages
// make, the software radio and the connect call. Lives on the user-interface thread; only the
// notification callback and the profile-editor worker run elsewhere.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "adapter/ConnectionSettings.h"
#include "adapter/DriverRecords.h"
#include "adapter/DriverRequestPort.h"
#include "platform/IEventLoop.h"
#include "platform/IWlanApi.h"
#include "wlan/PlatformProfileList.h"
#include "wlan/WlanMessages.h"

namespace nxui {

// Driver settings the service would overwrite while connecting; sent on completion.
struct DeferredSettings {
  bool pending = false;
  NetworkType networkType = NetworkType::kAdhoc;
  std::int32_t rtsThreshold = 0;
  std::int32_t fragThreshold = 0;
  std::int32_t powerSaveMode = 0;
};

// NDIS_802_11_SSID: 32-bit length, then 32 bytes.
using SsidRecord = std::array<std::uint8_t, sizeof(Ndis80211Ssid)>;

class WlanSession {
 public:
  using ScanListSource = std::function<std::span<const std::uint8_t>()>;

  // `lastScanList` gives the hidden window's copy of the driver's last scan, which the profile
  // document of a record without a network name is chosen from.
  WlanSession(IWlanApi& api, IEventLoop& loop, DriverRequestPort& driver, ScanListSource lastScanList = {});
  ~WlanSession();
  WlanSession(const WlanSession&) = delete;
  WlanSession& operator=(const WlanSession&) = delete;

  DWORD Open();
  DWORD Bind(std::string_view displayName);
  DWORD Start(std::string_view displayName, HWND owner, bool customDirectory);
  DWORD RegisterNotifications();

  DWORD Scan();
  // Fills `buffer` (normally 65536 bytes) with the count and NDIS_WLAN_BSSID_EX entries.
  DWORD BuildScanList(std::span<std::uint8_t> buffer);

  DWORD IsConnected(int& connected);
  DWORD CurrentSsid(SsidRecord& ssid);
  DWORD CurrentBssid(Dot11MacAddress& bssid);
  DWORD CurrentBssType(DWORD& bssType);
  DWORD CurrentAuthAlgorithm(DWORD& algorithm);
  DWORD CurrentCipherAlgorithm(DWORD& algorithm);
  DWORD CurrentOneXEnabled(int& enabled);
  DWORD InterfaceBssType(DWORD& mode);
  DWORD CurrentChannel(ULONG& channel);
  DWORD RadioState(int& radioOn, int& hardwareOn);
  DWORD Supports5GHz(int& supported);
  DWORD SupportsWpa2PskCcmp(int& supported);

  DWORD SetRadio(bool on);
  DWORD Disconnect();
  // Sends the record's driver settings, then runs the platform profile list's connect sequence.
  ProfileConnectPath Connect(const ConnectionSettings& record, bool fromWps);
  void ApplyDeferredSettings();
  void CancelDeferredSettings();
  void SendDesiredBssid(const Dot11MacAddress& bssid);

  bool ServiceAvailable() const { return serviceAvailable_; }
  bool EditorBusy() const { return profiles_.EditorBusy(); }
  PlatformProfileList& Profiles() { return profiles_; }
  bool CustomDirectory() const { return customDirectory_; }
  HWND OwnerWindow() const { return ownerWindow_; }
  WlanHandle ClientHandle() const { return clientHandle_; }
  const WlanInterfaceInfo& InterfaceInfo() const { return interfaceInfo_; }
  const DeferredSettings& Deferred() const { return deferred_; }

  // The walk over the PHYs that RadioState does on the platform's answer.
  static void EvaluateRadioState(const WlanRadioState& state, int& radioOn, int& hardwareOn);

  // The 802.1X notifications of the bound interface that arrived since the last call, in order.
  std::vector<WlanNotification> TakeOneXNotifications();
  // Answers the exchange's request for credentials.
  DWORD SetOneXCredentials(const WlanOneXCredentials& credentials);

  // The notification dispatch; public so the table can be exercised on its own.
  void OnNotification(const WlanNotification& notification);

 private:
  // The current-connection query every Current* reader starts from.
  DWORD QueryConnection(WlanConnectionAttributes& attributes);
  void ReleaseHelpers();

  IWlanApi& api_;
  IEventLoop& loop_;
  DriverRequestPort& driver_;
  ScanListSource lastScanList_;

  WlanHandle clientHandle_ = kInvalidWlanHandle;
  WlanInterfaceInfo interfaceInfo_;
  HWND ownerWindow_ = 0;
  bool customDirectory_ = false;
  bool serviceAvailable_ = false;
  bool notificationsRegistered_ = false;
  DeferredSettings deferred_;
  // Follows the handle and interface above; its editor flag keeps a second editor from opening.
  PlatformProfileList profiles_{api_, loop_, clientHandle_, interfaceInfo_.interfaceGuid, false};

  // The notification thread reads the bound GUID and the owner; guarded for that reader only.
  mutable std::mutex boundMutex_;
  // Filled on the platform's thread, taken on the user-interface thread.
  std::mutex oneXMutex_;
  std::vector<WlanNotification> oneXPending_;
  Guid boundGuid_;
  HWND boundOwner_ = 0;
};

}  // namespace nxui
