// The hidden owner window: lives as long as the process, owns the adapter context, the driver
// channel with its pending sets, the WLAN session, the connection action queue, the tray icon, the
// driver-event subscription and the authentication log, and drives everything from its timers
// (presence check and common tick every 2 s, WPS polls, one-shot rescan and re-apply) and its
// message table. The main window is created on demand and forgotten once closed.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapter/ActionQueue.h"
#include "adapter/AdapterContext.h"
#include "adapter/AdapterDiscovery.h"
#include "adapter/AdapterRegistry.h"
#include "adapter/ChannelValidation.h"
#include "adapter/DriverChannel.h"
#include "adapter/DriverChannelPort.h"
#include "adapter/ICardChooser.h"
#include "adapter/SettingsDirectory.h"
#include "advanced/SsoRegistry.h"
#include "base/IniFile.h"
#include "monitor/AuthenticationLog.h"
#include "platform/IEventLoop.h"
#include "platform/Platform.h"
#include "shell/AuthenticationProducer.h"
#include "shell/CNxUI2007Dlg.h"
#include "shell/DriverEventSink.h"
#include "shell/IMainWindowView.h"
#include "shell/ITrayMenu.h"
#include "shell/MessageBoxService.h"
#include "shell/ShellStrings.h"
#include "shell/TraceLog.h"
#include "shell/TrayIcon.h"
#include "wlan/WlanSession.h"
#include "wps/WpsEngineState.h"

namespace nxui::shell {

// Work that belongs to other parts of the program, plugged in by the composition root. Every hook
// may be empty; an empty hook does nothing.
struct HideDlgHooks {
  // The profile code's adapter-ready step, given the 5 GHz request's result code.
  std::function<void(DWORD supports5GHzResult)> profileAdapterReady;
  // Timer 9: apply the active profile again.
  std::function<void()> reapplyActiveProfile;
  // WPS: timer 4's credential step, timer 5's push-button poll (returns true when the driver began
  // a push-button run, which starts timer 6), timer 6's status poll.
  std::function<void()> wpsCredentialStep;
  std::function<bool()> pollPbcStarted;
  std::function<void()> pollWpsStatus;
  // Main window: the pages' view of the WLAN service each tick, the editors' sub-dialogs closed
  // before the window goes, and the site survey's scan state when the radio comes on / goes stale.
  std::function<void()> refreshPagesWlanView;
  std::function<void()> closeEditorSubDialogs;
  std::function<void()> resetSurveyScanState;
  std::function<void()> markSurveyStale;
  // Exit ended the modal loop: the program that runs it may stop now.
  std::function<void()> ended;
};

struct HideDlgPorts {
  IMessageBoxView& messageBox;
  ITrayMenu& trayMenu;
  ICardChooser& cardChooser;
  IMainWindowView* mainWindowView = nullptr;
};

struct HideDlgOptions {
  bool showOnStart = true;
  SettingsDirectory settings;
  std::string programDirectory;  // where the help file lies
  std::filesystem::path traceFile = TraceLog::DefaultPath();
  // The program's ini file and the adapter-list file; empty: beside the executable as the
  // system names it (a simulated machine maps its paths before handing them in).
  std::filesystem::path programIni;
  std::filesystem::path adapterListFile;
};

inline constexpr const char* kHelpFile = "VIROZUREDED.UDA";
inline constexpr const char* kNetbridgeRemove = "\"netbridge.exe\" remove";
inline constexpr const char* kSsoKey = kSsoKeyPath;

// The program's ini file: the executable's path with everything after the last dot of its name
// replaced by "ini" (".ini" appended to a name without a dot).
std::filesystem::path ProgramIniPath(const std::string& moduleFileName);

class CHideDlg final : public IMessageTarget, private ActionQueueHost {
 public:
  static constexpr int kIdleTicks = 4;

  CHideDlg(Platform& platform, HideDlgPorts ports, HideDlgOptions options, StringLookup strings,
           HideDlgHooks hooks = {});
  ~CHideDlg() override;
  CHideDlg(const CHideDlg&) = delete;
  CHideDlg& operator=(const CHideDlg&) = delete;

  // Dialog initialisation: everything from reading the ini file to clearing the log.
  void OnInitDialog();
  // The modal loop ends with Exit.
  bool Ended() const { return ended_; }
  HWND Window() const { return window_; }

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Opening the main window (tray, "Launch Config Utilities", a second instance, start-up).
  void OpenMainWindow();
  // The radio button of the main window.
  void ToggleRadio();
  void OpenHelp();

  // Read access for views, pages and tests.
  const AdapterContext& Context() const { return context_; }
  CNxUI2007Dlg* MainWindow();
  const ShellState& State() const { return shared_; }
  ShellState& MutableState() { return shared_; }
  bool SelectionOpen() const { return selectionOpen_; }
  int TickCount() const { return tickCount_; }
  int ReconnectCount() const { return reconnectCount_; }
  const TrayIcon& Tray() const { return tray_; }
  const DriverEventSink& EventSink() const { return sink_; }
  AuthenticationLog& AuthLog() { return authLog_; }
  AuthenticationProducer& Authentication() { return authProducer_; }
  DriverChannel& Driver() { return driver_; }
  WlanSession& Session() { return session_; }
  ActionQueue& Queue() { return queue_; }
  MessageBoxService& Messages() { return messages_; }
  const IniFile& ProgramIni() const { return programIni_; }
  std::uint16_t DriverVersion() const { return driverVersion_; }
  int Supports5GHz() const { return supports5GHz_; }
  const CountryRegionState& Region() const { return region_; }
  int NormalisedWirelessMode() const { return wirelessMode_; }
  bool ScanPending() const { return scanPending_; }
  std::span<std::uint8_t> ScanBuffer(int index) { return workBuffers_[static_cast<std::size_t>(index)]; }
  // The WPS engine's state: the credentials in force, wscConnect and the WPS target BSSID.
  WpsEngineState& Wps() { return wps_; }
  const WpsEngineState& Wps() const { return wps_; }
  const SsidRecord& CurrentSsid() const { return currentSsid_; }
  const Dot11MacAddress& CurrentBssid() const { return currentBssid_; }

  // For the WPS code (timer 4 is started when credentials arrive).
  void StartWpsCredentialTimer();

 private:
  // ActionQueueHost.
  std::int32_t WirelessMode() override;
  std::int32_t UsableWirelessMode(std::int32_t mode) override;
  bool RegionConfigured() override { return region_.configured24GHz || region_.configured5GHz; }
  std::uint32_t CleanedRegionWord() override { return region_.regionWord; }
  void ValidateChannel() override;
  std::uint32_t Ccx2Control() override;
  std::array<std::uint32_t, 8> DefaultPhyConfig() override;
  std::uint32_t HtTransmitSetting() override;
  bool WpsCredentialsInForce() override { return wps_.wscConnect; }
  Dot11MacAddress WpsTargetBssid() override { return wps_.wpsBssid; }
  void ClearAdapterChanged() override { context_.adapterChanged = false; }
  void ClearIcvError() override { shared_.icvError = false; }
  void SetScanPending() override { scanPending_ = true; }
  DWORD StartScan() override { return session_.Scan(); }
  void StartConnect(const ConnectionSettings& record, bool fromWps) override { session_.Connect(record, fromWps); }

  bool Discover();
  void AdapterReady(bool openMainWindow);
  void KillTimersZeroToNine();
  void ForgetClosedMainWindow();
  void DestroyMainWindow();
  bool PresenceCheck();
  void RefreshTray();
  void RelayToPage(PageId page, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(UINT command);
  void OnTrayCallback(LPARAM event);
  void Exit();
  int ShowModalMessage(const std::string& text);
  StripConditions Conditions();

  // The adapter key at the current class key path (failures are silent).
  AdapterRegistry AdapterKey() const { return AdapterRegistry(platform_.registry, context_.classKeyPath); }
  std::string Text(std::uint32_t id) const { return strings_ ? strings_(id) : std::string(); }

  // Runs the adapter chooser with selectionOpen set.
  class ChooserGuard final : public ICardChooser {
   public:
    ChooserGuard(ICardChooser& inner, bool& selectionOpen) : inner_(inner), selectionOpen_(selectionOpen) {}
    void RunModal(CSelCardDlg& dialog) override;

   private:
    ICardChooser& inner_;
    bool& selectionOpen_;
  };
  Platform& platform_;
  HideDlgPorts ports_;
  HideDlgOptions options_;
  StringLookup strings_;
  HideDlgHooks hooks_;

  HWND window_ = 0;
  bool ended_ = false;
  TraceLog trace_;
  IniFile programIni_;
  AdapterContext context_;
  bool selectionOpen_ = false;
  int tickCount_ = 0;
  int reconnectCount_ = 0;
  ShellState shared_;
  bool scanPending_ = false;
  std::uint16_t driverVersion_ = 0;
  DWORD supports5GHzResult_ = 0;
  int supports5GHz_ = 0;
  CountryRegionState region_;
  int wirelessMode_ = 0;

  std::array<std::vector<std::uint8_t>, 2> workBuffers_;
  WpsEngineState wps_;
  SsidRecord currentSsid_{};
  Dot11MacAddress currentBssid_{};

  DriverChannel driver_;
  DriverChannelPort driverPort_;
  WlanSession session_;
  ActionQueue queue_;
  ChooserGuard chooser_;
  AdapterDiscovery discovery_;
  TrayIcon tray_;
  DriverEventSink sink_;
  AuthenticationLog authLog_;
  AuthenticationProducer authProducer_{platform_.loop,
                                       authLog_,
                                       session_,
                                       platform_.registry,
                                       context_,
                                       [this] { return MainWindow(); },
                                       [this] { return queue_.CurrentConnection(); }};
  MessageBoxService messages_;
  std::unique_ptr<CNxUI2007Dlg> mainWindow_;
};

}  // namespace nxui::shell
