// The simulated platform WLAN service: one interface per present adapter, networks in range from
// the scenario, scans that complete after a delay, connections checked against the access point,
// radio per PHY, a persisted profile list per interface and auto-connect at start. Everything
// happens under the event loop's time, so it is deterministic on the virtual loop. Calls may come
// from any thread (the profile editor's worker calls in); state is guarded by one lock, and timers
// are started on the loop's thread.
//
// The code is split by concern: handles, interfaces, scans, queries and the radio state file
// (SimWlanService.cpp), connections (SimWlanConnection.cpp), the profile list (SimWlanProfiles.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/IEventLoop.h"
#include "platform/IWlanApi.h"
#include "sim/Scenario.h"
#include "sim/SimAssociation.h"
#include "sim/SimFaults.h"
#include "sim/SimOneX.h"
#include "sim/SimProfileStore.h"
#include "sim/SimWlanProfile.h"

namespace nxui::sim {

class SimWlanService final : public IWlanApi {
 public:
  // Delays, in loop milliseconds.
  static constexpr std::uint32_t kScanDelayMs = 1500;
  static constexpr std::uint32_t kConnectStartDelayMs = 100;
  static constexpr std::uint32_t kConnectDelayMs = 1200;
  static constexpr std::uint32_t kDisconnectDelayMs = 50;

  using IeSource = std::function<std::vector<std::uint8_t>(const ScenarioNetwork&)>;

  // `inRange` is the world's mutable list of networks in range; it and `faults` outlive the
  // service. An empty state directory keeps the profile lists in memory only. Without `ies` the
  // elements are built from each network's description.
  SimWlanService(IEventLoop& loop, const std::vector<ScenarioNetwork>& inRange, std::filesystem::path stateDirectory,
                 SimFaults& faults, IeSource ies = nullptr);
  ~SimWlanService() override;

  // --- world side -------------------------------------------------------------------------
  void SetRunning(bool running) { running_ = running; }
  bool Running() const { return running_; }
  // An adapter's interface appears (plug) with its PHY types; notifies ACM 13.
  void AddInterface(const Guid& guid, const std::string& description, std::vector<DWORD> phyTypes,
                    SimAssociation& association);
  // The adapter went away; notifies ACM 14.
  void RemoveInterface(const Guid& guid);
  // Profiles used when nothing was persisted for the interface yet.
  void SeedProfiles(const Guid& guid, const std::vector<ScenarioPlatformProfile>& profiles);
  // Told "file: reason" whenever a profile list could not be written.
  void SetWriteFailureListener(std::function<void(const std::string&)> listener) {
    writeFailureListener_ = std::move(listener);
  }
  // Like the real service at start: connect to the first listed profile whose network is in range.
  void AutoConnect(const Guid& guid);
  // The world changed the networks in range: a connected access point that left gives ACM 21.
  void NetworksChanged();
  void SetHardwareRadio(const Guid& guid, bool on);
  // Told after the service changed an interface's association (the world raises the media event).
  void SetAssociationListener(std::function<void(const Guid&)> listener) { associationListener_ = std::move(listener); }

  // --- test observation -------------------------------------------------------------------
  struct EditorCall {
    std::string name;
    Guid interfaceGuid;
    HWND owner = 0;
    DWORD startPage = 0;
    std::uint64_t atMs = 0;
  };
  const std::vector<EditorCall>& EditorCalls() const { return editorCalls_; }
  // Runs inside UIEditProfile while the "dialog" is open (tests act during the modal period).
  void SetEditorHook(std::function<void()> hook) { editorHook_ = std::move(hook); }
  const std::vector<WlanConnectionParameters>& ConnectCalls() const { return connectCalls_; }
  std::size_t ScanCount() const { return scanCount_; }

  // --- IWlanApi ---------------------------------------------------------------------------
  DWORD OpenHandle(DWORD clientVersion, DWORD& negotiatedVersion, WlanHandle& handle) override;
  DWORD CloseHandle(WlanHandle handle) override;
  DWORD EnumInterfaces(WlanHandle handle, std::vector<WlanInterfaceInfo>& interfaces) override;
  DWORD Scan(WlanHandle handle, const Guid& interfaceGuid, const Dot11Ssid* ssid,
             const std::vector<std::uint8_t>* ieData) override;
  DWORD GetAvailableNetworkList(WlanHandle handle, const Guid& interfaceGuid, DWORD flags,
                                std::vector<WlanAvailableNetwork>& networks) override;
  DWORD GetNetworkBssList(WlanHandle handle, const Guid& interfaceGuid, const Dot11Ssid* ssid, DWORD bssType,
                          bool securityEnabled, std::vector<WlanBssEntry>& entries) override;
  DWORD QueryInterfaceState(WlanHandle handle, const Guid& interfaceGuid, DWORD& state) override;
  DWORD QueryCurrentConnection(WlanHandle handle, const Guid& interfaceGuid,
                               WlanConnectionAttributes& attributes) override;
  DWORD QueryBssType(WlanHandle handle, const Guid& interfaceGuid, DWORD& bssType) override;
  DWORD QueryChannelNumber(WlanHandle handle, const Guid& interfaceGuid, ULONG& channel) override;
  DWORD QueryRadioState(WlanHandle handle, const Guid& interfaceGuid, WlanRadioState& state) override;
  DWORD QuerySupportedAuthCipherPairs(WlanHandle handle, const Guid& interfaceGuid, bool adHoc,
                                      std::vector<WlanAuthCipherPair>& pairs) override;
  DWORD GetInterfaceCapability(WlanHandle handle, const Guid& interfaceGuid,
                               WlanInterfaceCapability& capability) override;
  DWORD SetRadioState(WlanHandle handle, const Guid& interfaceGuid, const WlanPhyRadioState& state) override;
  DWORD Connect(WlanHandle handle, const Guid& interfaceGuid, const WlanConnectionParameters& parameters) override;
  DWORD Disconnect(WlanHandle handle, const Guid& interfaceGuid) override;
  DWORD SetProfile(WlanHandle handle, const Guid& interfaceGuid, DWORD flags, std::string_view xml, bool overwrite,
                   DWORD& reasonCode) override;
  DWORD DeleteProfile(WlanHandle handle, const Guid& interfaceGuid, std::string_view name) override;
  DWORD GetProfileList(WlanHandle handle, const Guid& interfaceGuid, std::vector<WlanProfileInfo>& profiles) override;
  DWORD SetProfilePosition(WlanHandle handle, const Guid& interfaceGuid, std::string_view name,
                           DWORD position) override;
  DWORD GetProfile(WlanHandle handle, const Guid& interfaceGuid, std::string_view name, std::string& xml,
                   DWORD& flags) override;
  DWORD UIEditProfile(DWORD uiVersion, std::string_view name, const Guid& interfaceGuid, HWND owner, DWORD startPage,
                      DWORD& reasonCode) override;
  DWORD RegisterNotification(WlanHandle handle, DWORD sources, bool ignoreDuplicate,
                             WlanNotificationCallback callback) override;
  DWORD ReasonCodeToString(DWORD reasonCode, std::string& text) override;
  DWORD SetOneXCredentials(WlanHandle handle, const Guid& interfaceGuid,
                           const WlanOneXCredentials& credentials) override;

 private:
  struct Interface {
    Guid guid;
    std::string description;
    std::vector<DWORD> phyTypes;
    std::vector<WlanPhyRadioState> radio;
    SimAssociation* association = nullptr;
    DWORD state = kWlanInterfaceDisconnected;
    std::vector<ScenarioNetwork> visible;  // as of the last completed scan
    // Indices into `visible` by SSID, so that a list asked for by SSID is not a walk over all.
    std::unordered_map<std::string, std::vector<std::size_t>> visibleBySsid;
    std::vector<StoredProfile> profiles;
    bool profilesLoaded = false;
    bool profilesUnreadable = false;  // the stored file is refused: never overwritten
    WlanConnectionAttributes connection;
    std::optional<ScenarioNetwork> connectedNetwork;
    std::uint64_t attempt = 0;              // bumps on every connect/disconnect; stale timers drop out
    std::shared_ptr<SimOneXExchange> oneX;  // the 802.1X exchange of the current attempt
    bool scanPending = false;
  };
  struct Attempt {
    WlanConnectionParameters parameters;
    std::optional<SimWlanProfile> profile;
  };

  DWORD Check(WlanHandle handle) const;
  Interface* Find(const Guid& guid);
  DWORD CheckInterface(WlanHandle handle, const Guid& guid, Interface*& found);
  void After(std::uint32_t delayMs, std::function<void()> action);
  void Notify(DWORD source, DWORD code, const Guid& guid, const WlanNotification& base);
  WlanNotification ConnectionData(const Interface& itf, const WlanConnectionParameters& parameters, DWORD reason) const;
  bool RadioOn(const Interface& itf) const;
  WlanBssEntry ToBssEntry(const ScenarioNetwork& network) const;
  void SetVisible(Interface& itf, const std::vector<ScenarioNetwork>& networks);
  void StartAttempt(Interface& itf, const WlanConnectionParameters& parameters, std::optional<SimWlanProfile> profile);
  void FinishAttempt(const Guid& guid, std::uint64_t attempt, const Attempt& what);
  void FailAttempt(Interface& itf, const WlanConnectionParameters& parameters, DWORD reason, int failureEvent);
  void CompleteAttempt(Interface& itf, const ScenarioNetwork& network, const Attempt& what);
  // The attempt waits for an 802.1X exchange with the network's server (SimOneX.h).
  void StartOneX(Interface& itf, const ScenarioNetwork& network, const Attempt& what);
  void DropConnection(Interface& itf, DWORD reason, bool notifyDisconnecting);
  void LoadProfiles(Interface& itf);
  // Writes the interface's list; false (and the listener told) when it could not be written.
  bool SaveProfiles(const Interface& itf);
  // Commits a change of the list: saved, or put back as it was with the write's error code.
  DWORD CommitProfiles(Interface& itf, std::vector<StoredProfile> previous);
  // The software radio state per PHY, kept across restarts as the platform keeps it
  // (`wlan-radio-<GUID>.json`); a state that could not be written is told and refused.
  void LoadRadio(Interface& itf);
  bool SaveRadio(const Guid& guid, const std::vector<WlanPhyRadioState>& radio);
  std::filesystem::path RadioFile(const Guid& guid) const;

  struct Pump final : IMessageTarget {
    explicit Pump(SimWlanService& owner) : service(owner) {}
    void OnTimer(UINT_PTR) override {}
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    SimWlanService& service;
  };
  static constexpr UINT kRunHandedOver = 0x8001;

  IEventLoop& loop_;
  const std::vector<ScenarioNetwork>& inRange_;
  SimProfileStore store_;
  SimFaults& faults_;
  IeSource ies_;
  std::function<void(const std::string&)> writeFailureListener_;
  bool running_ = true;
  std::vector<Interface> interfaces_;
  std::map<WlanHandle, std::pair<DWORD, WlanNotificationCallback>> handles_;
  WlanHandle nextHandle_ = 0x100;
  std::vector<UINT_PTR> timers_;
  std::vector<EditorCall> editorCalls_;
  std::function<void()> editorHook_;
  std::function<void(const Guid&)> associationListener_;
  std::vector<WlanConnectionParameters> connectCalls_;
  std::size_t scanCount_ = 0;

  mutable std::recursive_mutex mutex_;
  std::thread::id loopThread_;
  std::vector<std::pair<std::uint32_t, std::function<void()>>> handedOver_;
  Pump pump_{*this};
  HWND pumpWindow_ = 0;
};

}  // namespace nxui::sim
