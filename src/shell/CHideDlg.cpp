#include "shell/CHideDlg.h"

#include <algorithm>

#include "adapter/AdapterKeyDefaults.h"
#include "adapter/AdapterListFile.h"
#include "adapter/DriverNames.h"
#include "adapter/Oids.h"
#include "adapter/SystemChecks.h"
#include "adapter/WirelessMode.h"
#include "base/ByteReader.h"
#include "display/StringTable.h"
#include "platform/IDeviceIo.h"
#include "platform/IRegistry.h"
#include "platform/IShell.h"
#include "platform/ISystemInfo.h"
#include "scan/BssidEx.h"
#include "shell/ShellIds.h"
#include "shell/TrayDecision.h"
#include "survey/CPageSiteSurveyDlg.h"

namespace nxui::shell {
namespace {

// A failed RSSI read must not look like a strong signal.
constexpr std::int32_t kNoSignalDbm = -100;

std::string TextOfRegistryData(const std::vector<std::uint8_t>& data) {
  std::string text(data.begin(), data.end());
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

}  // namespace

std::filesystem::path ProgramIniPath(const std::string& moduleFileName) {
  return SiblingFilePath(moduleFileName, "ini");
}

void CHideDlg::ChooserGuard::RunModal(CSelCardDlg& dialog) {
  selectionOpen_ = true;
  inner_.RunModal(dialog);
  selectionOpen_ = false;
}

CHideDlg::CHideDlg(Platform& platform, HideDlgPorts ports, HideDlgOptions options, StringLookup strings,
                   HideDlgHooks hooks)
    : platform_(platform),
      ports_(ports),
      options_(std::move(options)),
      strings_(std::move(strings)),
      hooks_(std::move(hooks)),
      window_(platform.loop.CreateWindow(*this)),
      trace_(options_.traceFile),
      programIni_(options_.programIni.empty() ? ProgramIniPath(platform.systemInfo.GetModuleFileName())
                                              : options_.programIni),
      driver_(platform.deviceIo, platform.loop, context_),
      driverPort_(driver_),
      session_(platform.wlan, platform.loop, driverPort_,
               [this] { return std::span<const std::uint8_t>(workBuffers_[1]); }),
      queue_(*this, driverPort_, platform.loop),
      chooser_(ports.cardChooser, selectionOpen_),
      discovery_(
          platform.deviceSetup, platform.deviceIo,
          options_.adapterListFile.empty() ? AdapterListFilePath(platform.systemInfo.GetModuleFileName())
                                           : options_.adapterListFile,
          chooser_,
          [this](const std::string& displayName, bool customDirectory) {
            session_.Start(displayName, window_, customDirectory);
          },
          options_.settings.custom),
      tray_(platform.shell, strings_),
      sink_(platform.driverEvents, platform.loop, trace_),
      messages_(ports.messageBox, strings_) {}

CHideDlg::~CHideDlg() {
  if (!context_.classKeyPath.empty()) SnapshotDefaults(platform_.registry, context_.classKeyPath);
  DestroyMainWindow();
  sink_.Teardown();
  for (auto& buffer : workBuffers_) std::vector<std::uint8_t>().swap(buffer);
  platform_.loop.DestroyWindow(window_);
}

void CHideDlg::OnInitDialog() {
  trace_.SetEnabled(programIni_.ReadString("Advance", "OpenFile", "0") == "1");

  for (auto& buffer : workBuffers_) buffer.assign(bssid_ex::kScanBufferSize, 0);
  currentSsid_.fill(0);
  currentBssid_.fill(0);

  ClassifySystem(platform_.systemInfo, context_);
  if (!context_.isAdmin) messages_.ShowMessage(Text(string_id::kNoAdministratorPrivilege));

  session_.Open();
  if (Discover()) AdapterReady(options_.showOnStart);

  platform_.loop.SetTimer(window_, kTimerPresence, kPresencePeriodMs);

  trace_.Write("Start to set task bar\n");
  tray_.Add(context_.deviceOpen);
  trace_.Write("End to set task bar\nStart to IniWMIMsgEvent\n");
  sink_.Register(window_);
  trace_.Write("End to IniWMIMsgEvent\nStart to set event be zero\n");
  authLog_.Clear();
  trace_.Write("End to set event be zero\n");
}

bool CHideDlg::Discover() {
  const bool wasOpen = context_.deviceOpen;
  context_.deviceOpen = discovery_.DiscoverAdapter(context_);
  // The idle count starts when the adapter goes, so that polling stops four ticks later.
  if (wasOpen && !context_.deviceOpen) tickCount_ = 0;
  return context_.deviceOpen;
}

void CHideDlg::AdapterReady(bool openMainWindow) {
  supports5GHzResult_ = session_.Supports5GHz(supports5GHz_);

  wps_.ClearCredentials();

  std::uint32_t opMode = 0;
  if (driver_.QueryDriverDword(OID_WLAN_OP_MODE, opMode) && opMode != 0) {
    driver_.SetDriverDword(OID_WLAN_OP_MODE, 0, 3);
    platform_.shell.RunMinimised(kNetbridgeRemove);
  }

  EnsureApDefaults(driver_, platform_.registry, context_, supports5GHz_ != 0);

  selectionOpen_ = true;
  ValidateChannel();
  std::uint8_t version[2] = {};
  DWORD returned = 0;
  if (driver_.QueryDriver(OID_GEN_DRIVER_VERSION, version, returned)) {
    driverVersion_ = static_cast<std::uint16_t>(version[0] | (version[1] << 8));
  }
  selectionOpen_ = false;

  int radioOn = 0;
  int hardwareOn = 0;
  if (session_.RadioState(radioOn, hardwareOn) == kErrorSuccess) shared_.radioOn = radioOn != 0;

  platform_.loop.SetTimer(window_, kTimerRescan, kRescanDelayMs);
  if (hooks_.profileAdapterReady) hooks_.profileAdapterReady(supports5GHzResult_);
  if (openMainWindow) OpenMainWindow();
  platform_.loop.SetTimer(window_, kTimerWpsPbcPoll, kWpsPbcPollPeriodMs);
}

void CHideDlg::KillTimersZeroToNine() {
  for (UINT_PTR id = 0; id <= 9; ++id) platform_.loop.KillTimer(window_, id);
}

CNxUI2007Dlg* CHideDlg::MainWindow() { return mainWindow_ && mainWindow_->IsOpen() ? mainWindow_.get() : nullptr; }

void CHideDlg::ForgetClosedMainWindow() {
  if (!mainWindow_ || mainWindow_->IsOpen()) return;
  if (ports_.mainWindowView) ports_.mainWindowView->Closed();
  mainWindow_.reset();
}

void CHideDlg::DestroyMainWindow() {
  if (!mainWindow_) return;
  if (ports_.mainWindowView) ports_.mainWindowView->Closed();
  mainWindow_->Close();
  mainWindow_.reset();
  platform_.loop.KillTimer(window_, kTimerMoreLess);
}

void CHideDlg::OnTimer(UINT_PTR timerId) {
  ForgetClosedMainWindow();
  if (!context_.deviceOpen && tickCount_ >= kIdleTicks) {
    KillTimersZeroToNine();
    return;
  }
  const int previous = tickCount_++;
  if (previous > 100) tickCount_ = kIdleTicks;

  if (timerId == kTimerMoreLess) {
    if (mainWindow_) mainWindow_->RefreshMoreLess();
    return;
  }
  if (selectionOpen_) return;

  // A lost adapter keeps its family but no longer has a key: writing would land in the root.
  if (context_.family >= kFamilyHeronA && context_.family <= kFamilyHeronU && !context_.classKeyPath.empty()) {
    const bool test = programIni_.ReadString("Advance", "TGnWiFiTest", "0") == "1";
    AdapterKey().WriteDecimal("TGnWifiTest", test ? 1 : 0);
  }

  if (timerId == kTimerReapply) {
    platform_.loop.KillTimer(window_, kTimerReapply);
    if (hooks_.reapplyActiveProfile) hooks_.reapplyActiveProfile();
  } else if (timerId == kTimerRescan) {
    platform_.loop.KillTimer(window_, kTimerRescan);
    if (mainWindow_ && shared_.radioOn) RelayToPage(PageId::Network, kMsgCommand, CPageSiteSurveyDlg::kCmdRescan, 0);
  }

  if (!PresenceCheck()) return;

  if (timerId == kTimerWpsCredential) {
    if (hooks_.wpsCredentialStep) hooks_.wpsCredentialStep();
    return;
  }
  if (timerId == kTimerWpsPbcPoll) {
    if (hooks_.pollPbcStarted && hooks_.pollPbcStarted()) {
      platform_.loop.SetTimer(window_, kTimerWpsStatusPoll, kWpsStatusPollPeriodMs);
    }
  } else if (timerId == kTimerWpsStatusPoll) {
    if (hooks_.pollWpsStatus) hooks_.pollWpsStatus();
  }

  RefreshTray();

  if (mainWindow_) {
    if (hooks_.refreshPagesWlanView) hooks_.refreshPagesWlanView();
    mainWindow_->RefreshWpsButton(context_.legacyG);
  }
}

bool CHideDlg::PresenceCheck() {
  if (context_.deviceOpen && IsAdapterPresent(platform_.deviceIo, context_)) return true;
  platform_.loop.KillTimer(window_, kTimerPresence);
  if (mainWindow_) {
    if (hooks_.closeEditorSubDialogs) hooks_.closeEditorSubDialogs();
    DestroyMainWindow();
  }
  context_.classKeyPath.clear();
  Discover();
  platform_.loop.SetTimer(window_, kTimerPresence, kPresencePeriodMs);
  if (!context_.deviceOpen) {
    tray_.SetState(TrayState::Missing);
    return false;
  }
  tray_.SetState(TrayState::Disconnected);
  AdapterReady(false);
  return true;
}

void CHideDlg::RefreshTray() {
  currentBssid_.fill(0);
  currentSsid_.fill(0);
  int connected = 0;
  if (session_.IsConnected(connected) != kErrorSuccess) {
    bool lost = false;
    if (!IsAdapterPresent(platform_.deviceIo, context_)) {
      if (Discover()) {
        tray_.SetState(TrayState::Disconnected);
        AdapterReady(false);
      } else {
        lost = true;
      }
    }
    session_.Open();
    session_.Start(context_.displayName, window_, options_.settings.custom);
    if (lost) {
      // Gone since this tick's presence check: end as that check does, or the window would stay
      // open over a missing adapter with the tray saying "Disconnected" once the idle stop comes.
      if (mainWindow_) {
        if (hooks_.closeEditorSubDialogs) hooks_.closeEditorSubDialogs();
        DestroyMainWindow();
      }
      context_.classKeyPath.clear();
      tray_.SetState(TrayState::Missing);
      return;
    }
  }
  session_.CurrentBssid(currentBssid_);
  session_.CurrentSsid(currentSsid_);
  const bool onTarget = IsOnTargetNetwork(queue_.CurrentConnection(), currentBssid_, currentSsid_);

  if (connected == 0 || IsZeroBssid(currentBssid_)) {
    tray_.SetState(TrayState::Disconnected);
    return;
  }
  reconnectCount_ = onTarget ? reconnectCount_ + 1 : 0;

  std::uint32_t raw0 = static_cast<std::uint32_t>(kNoSignalDbm);
  driver_.QueryDriverDword(OID_WLAN_RSSI0, raw0);
  std::optional<std::int32_t> rssi1;
  if (std::uint32_t raw1 = 0; driver_.QueryDriverDword(OID_WLAN_RSSI1, raw1)) {
    rssi1 = static_cast<std::int32_t>(raw1);
  }
  const TrayState state = SignalState(StrongerRssi(static_cast<std::int32_t>(raw0), rssi1), shared_.icvError);
  const std::size_t ssidLength = std::min<std::uint32_t>(LoadLe32(currentSsid_.data()), 32);
  tray_.SetState(state, std::span<const std::uint8_t>(currentSsid_.data() + 4, ssidLength));
}

void CHideDlg::RelayToPage(PageId page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!mainWindow_) return;
  if (const HWND target = mainWindow_->PageWindow(page); target != 0) {
    platform_.loop.PostMessage(target, message, wParam, lParam);
  }
}

LRESULT CHideDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  ForgetClosedMainWindow();
  trace_.WriteMessage(message);
  switch (message) {
    case kMsgCommand:
      OnCommand(static_cast<UINT>(wParam & 0xFFFF));
      break;
    case wlan_msg::kConnectionComplete:
      session_.ApplyDeferredSettings();
      break;
    case wlan_msg::kScanComplete:
      scanPending_ = false;
      RelayToPage(PageId::Network, wlan_msg::kScanComplete, 0, 0);
      RelayToPage(PageId::Wps, wlan_msg::kScanComplete, 0, 0);
      break;
    case wlan_msg::kScanFailed:
      scanPending_ = false;
      if (LoadLe32(workBuffers_[1].data()) == 0) RelayToPage(PageId::Network, wlan_msg::kScanComplete, 0, 0);
      RelayToPage(PageId::Wps, wlan_msg::kScanFailed, 0, 0);
      break;
    case wlan_msg::kEditorState:
      RelayToPage(PageId::Profile, wlan_msg::kEditorState, wParam, lParam);
      break;
    case wlan_msg::kRadioOn:
      platform_.loop.SetTimer(window_, kTimerRescan, kRescanDelayMs);
      break;
    case wlan_msg::kRadioOff:
      RelayToPage(PageId::Network, wlan_msg::kScanComplete, 0, 0);
      RelayToPage(PageId::Wps, wlan_msg::kScanComplete, 0, 0);
      break;
    case wlan_msg::kConnectError:
      platform_.loop.SetTimer(window_, kTimerReapply, kReapplyDelayMs);
      break;
    case wlan_msg::kConnectionFailed:
      session_.CancelDeferredSettings();
      break;
    case wlan_msg::kOneX:
      authProducer_.OnNotifications(session_.TakeOneXNotifications());
      break;
    case kMsgDriverEvent: {
      std::uint32_t icv = shared_.icvError ? 1 : 0;
      if (driver_.QueryDriverDword(OID_WLAN_ICV_STATE, icv) && !context_.legacyG) shared_.icvError = (icv & 1) != 0;
      break;
    }
    case kMsgTrayCallback:
      if (!selectionOpen_) OnTrayCallback(lParam);
      break;
    case kMsgTaskbarCreated:
    case kMsgTaskbarCreatedAlt:
      tray_.Remove();
      tray_.Add(context_.deviceOpen);
      break;
    case kMsgPowerBroadcast:
      if (wParam == kPowerSuspend) {
        KillTimersZeroToNine();
      } else if (wParam == kPowerResumeSuspend) {
        tickCount_ = 0;
        platform_.loop.SetTimer(window_, kTimerPresence, kPresencePeriodMs);
      }
      break;
    case kMsgDeviceChange:
      if (wParam == kDeviceNodesChanged) {
        platform_.loop.KillTimer(window_, kTimerPresence);
        tickCount_ = 0;
        platform_.loop.SetTimer(window_, kTimerPresence, kPresencePeriodMs);
      }
      break;
    default:  // 0x402, 0x403, 0x405 and anything else: nothing to do
      break;
  }
  return 0;
}

void CHideDlg::OnCommand(UINT command) {
  if (command == kCmdLaunchConfig) {
    OpenMainWindow();
  } else if (command == kCmdExit) {
    Exit();
  }
}

void CHideDlg::OnTrayCallback(LPARAM event) {
  if (event == kTrayLeftDoubleClick) {
    if (context_.deviceOpen && IsAdapterPresent(platform_.deviceIo, context_)) OpenMainWindow();
  } else if (event == kTrayRightButtonDown) {
    const UINT chosen = ports_.trayMenu.TrackPopup(
        {{kCmdLaunchConfig, Text(string_id::kLaunchConfigUtilities)}, {kCmdExit, Text(string_id::kExit)}});
    // The menu's choice arrives as a command message, as the platform delivers it.
    if (chosen != 0) platform_.loop.PostMessage(window_, kMsgCommand, chosen, 0);
  }
}

int CHideDlg::ShowModalMessage(const std::string& text) {
  selectionOpen_ = true;
  const int result = messages_.ShowMessage(text);
  selectionOpen_ = false;
  return result;
}

StripConditions CHideDlg::Conditions() {
  StripConditions conditions;
  conditions.isAdmin = context_.isAdmin;
  conditions.is11n = context_.is11n;
  conditions.legacyG = context_.legacyG;
  conditions.show11nButton = programIni_.ReadString("Page", "11n Setting", "0") == "1";
  HKEY key = 0;
  if (platform_.registry.OpenKey(kHkeyLocalMachine, kSsoKey, kKeyRead, key) == kErrorSuccess) {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (platform_.registry.QueryValue(key, "SSOInstall", type, data) == kErrorSuccess) {
      conditions.ssoInstalled = TextOfRegistryData(data) == "1";
    }
    platform_.registry.CloseKey(key);
  }
  return conditions;
}

void CHideDlg::OpenMainWindow() {
  if (selectionOpen_) return;
  if (!context_.deviceOpen) {
    ShowModalMessage(Text(string_id::kNicNotReady));
    return;
  }
  ForgetClosedMainWindow();
  if (mainWindow_) {
    if (ports_.mainWindowView) ports_.mainWindowView->BringToFront();
  } else {
    MainWindowActions actions;
    actions.toggleRadio = [this] { ToggleRadio(); };
    actions.openHelp = [this] { OpenHelp(); };
    mainWindow_ = std::make_unique<CNxUI2007Dlg>(platform_.loop, strings_, shared_, Conditions(), std::move(actions));
    if (ports_.mainWindowView) ports_.mainWindowView->Opened(*mainWindow_);
  }
  platform_.loop.SetTimer(window_, kTimerMoreLess, kMoreLessPeriodMs);
  // Set, then toggled once: the window always opens collapsed.
  shared_.expanded = true;
  mainWindow_->OnMoreLess();
  if (ports_.mainWindowView) ports_.mainWindowView->BringToFront();
}

void CHideDlg::ToggleRadio() {
  shared_.radioOn = !shared_.radioOn;
  session_.SetRadio(shared_.radioOn);
  if (mainWindow_) mainWindow_->RefreshRadioButton();
  if (shared_.radioOn && hooks_.resetSurveyScanState) hooks_.resetSurveyScanState();
  if (context_.isAdmin) AdapterKey().WriteDecimal("Radio", shared_.radioOn ? 0 : 1);
  if (hooks_.markSurveyStale) hooks_.markSurveyStale();
  if (queue_.QueueAction(ActionType::Scan)) queue_.RunQueue();
}

void CHideDlg::OpenHelp() { platform_.shell.Open(options_.programDirectory + kHelpFile); }

void CHideDlg::StartWpsCredentialTimer() {
  platform_.loop.SetTimer(window_, kTimerWpsCredential, kWpsCredentialPeriodMs);
}

void CHideDlg::Exit() {
  if (selectionOpen_) return;
  DestroyMainWindow();
  tray_.Remove();
  KillTimersZeroToNine();
  ended_ = true;
  if (hooks_.ended) hooks_.ended();
}

// ---- what the connection queue borrows ----

std::int32_t CHideDlg::WirelessMode() {
  int mode = wirelessMode_;
  AdapterKey().ReadDecimal(reg_value::kWirelessMode, mode);
  return UsableWirelessMode(mode);
}

// Rates and B/G protection follow the mode the adapter can use, as channel validation has it.
std::int32_t CHideDlg::UsableWirelessMode(std::int32_t mode) {
  return NormaliseWirelessMode(mode, supports5GHz_ != 0, context_.is11n);
}

void CHideDlg::ValidateChannel() {
  nxui::ValidateChannel(driver_, platform_.registry, context_, supports5GHz_ != 0, wirelessMode_, region_);
}

std::uint32_t CHideDlg::Ccx2Control() {
  std::uint32_t word = 0;
  AdapterKey().ReadRaw32(reg_value::kCcx2Control, word);
  return word;
}

std::array<std::uint32_t, 8> CHideDlg::DefaultPhyConfig() {
  std::array<std::uint32_t, 8> words{};
  for (std::size_t i = 0; i < reg_value::kPhyConfigWords.size(); ++i) {
    int value = 0;
    if (AdapterKey().ReadDecimal(reg_value::kPhyConfigWords[i], value)) words[i] = static_cast<std::uint32_t>(value);
  }
  const int mode = WirelessMode();
  if (mode != kModeBgMixed && mode != kModeAbgMixed) words[2] = 0;
  return words;
}

std::uint32_t CHideDlg::HtTransmitSetting() {
  std::uint32_t word = 0;
  if (context_.is11n) AdapterKey().ReadRaw32(reg_value::kTransmitSetting, word);
  return word;
}

}  // namespace nxui::shell
