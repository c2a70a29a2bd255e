// Numbers the shell shares with the rest of the program and with its views: window messages,
// timer identifiers, commands, control ids and resource numbers. Other code posts to these.
#pragma once

#include "platform/WinTypes.h"
#include "wps/WpsEngineState.h"

namespace nxui::shell {

// Messages handled by the hidden window (0x401-0x40B come from the WLAN session).
inline constexpr UINT kMsgCommand = kWmCommand;
inline constexpr UINT kMsgPowerBroadcast = 0x0218;  // WM_POWERBROADCAST
inline constexpr UINT kMsgDeviceChange = kWmDeviceChange;
inline constexpr UINT kMsgDriverEvent = 0x8001;  // posted by the driver-event sink
inline constexpr UINT kMsgTrayCallback = 1124;
inline constexpr UINT kMsgTaskbarCreated = 0xC050;  // the shell restarted: add the icon again
inline constexpr UINT kMsgTaskbarCreatedAlt = 0xC088;

inline constexpr WPARAM kPowerSuspend = 4;        // PBT_APMSUSPEND
inline constexpr WPARAM kPowerResumeSuspend = 7;  // PBT_APMRESUMESUSPEND
inline constexpr WPARAM kDeviceNodesChanged = kDbtDevNodesChanged;

// The tray icon's callback carries the mouse message in lParam.
inline constexpr LPARAM kTrayLeftDoubleClick = kWmLButtonDblClk;
inline constexpr LPARAM kTrayRightButtonDown = kWmRButtonDown;

// Commands.
inline constexpr UINT kCmdLaunchConfig = 32771;  // "Launch Config Utilities"
inline constexpr UINT kCmdExit = 32772;          // "Exit"

// Timers of the hidden window.
inline constexpr UINT_PTR kTimerPresence = 1;
// The WPS engine starts and kills its three on this window too: one set of numbers for both.
inline constexpr UINT_PTR kTimerWpsCredential = wps_timer::kHiddenCredential;
inline constexpr UINT_PTR kTimerWpsPbcPoll = wps_timer::kHiddenPbcPoll;
inline constexpr UINT_PTR kTimerWpsStatusPoll = wps_timer::kHiddenStatusPoll;
inline constexpr UINT_PTR kTimerRescan = 8;
inline constexpr UINT_PTR kTimerReapply = 9;
inline constexpr UINT_PTR kTimerMoreLess = 11;

inline constexpr UINT kPresencePeriodMs = 2000;
inline constexpr UINT kWpsCredentialPeriodMs = wps_timer::kHiddenCredentialMs;
inline constexpr UINT kWpsPbcPollPeriodMs = wps_timer::kHiddenPbcPollMs;
inline constexpr UINT kWpsStatusPollPeriodMs = wps_timer::kHiddenStatusPollMs;
inline constexpr UINT kRescanDelayMs = 4000;
inline constexpr UINT kReapplyDelayMs = 3000;
inline constexpr UINT kMoreLessPeriodMs = 200;

// Main-window controls.
// The page buttons of the main window's strip.
inline constexpr int kCtlPageProfile = 1124;
inline constexpr int kCtlPageNetwork = 1125;
inline constexpr int kCtlPageStatistics = 1127;
inline constexpr int kCtlPageWps = 1279;
inline constexpr int kCtlPageSso = 1370;
inline constexpr int kCtlPage80211n = 6251;
inline constexpr int kCtlPageAbout = 6252;
inline constexpr int kCtlLeftArrow = 6256;
inline constexpr int kCtlRightArrow = 6257;
inline constexpr int kCtlRadio = 6248;
inline constexpr int kCtlHelp = 6253;
inline constexpr int kCtlMoreLess = 1329;
inline constexpr int kCtlFiller = 6249;

// Bitmaps and icons.
inline constexpr int kBmpRadioOn = 272;
inline constexpr int kBmpRadioOff = 273;
inline constexpr int kBmpLess = 300;
inline constexpr int kBmpMore = 301;
inline constexpr int kBmpLeftArrow = 302;
inline constexpr int kBmpRightArrow = 303;
inline constexpr int kIconMainWindow = 128;

// Tray icon.
inline constexpr UINT kTrayIconId = 131;

}  // namespace nxui::shell
