// Messages the WLAN layer posts to the hidden window.
#pragma once

#include "platform/WinTypes.h"

namespace nxui {

// Messages posted to the owner window (wParam and lParam 0 unless stated).
namespace wlan_msg {
inline constexpr UINT kConnectionComplete = 0x401;
inline constexpr UINT kRoamingEnd = 0x402;
inline constexpr UINT kInterfaceArrival = 0x403;
inline constexpr UINT kScanComplete = 0x404;
inline constexpr UINT kDisconnected = 0x405;
inline constexpr UINT kScanFailed = 0x406;
inline constexpr UINT kEditorState = 0x407;  // wParam 0 editor opened, 1 closed
inline constexpr UINT kRadioOn = 0x408;
inline constexpr UINT kRadioOff = 0x409;
inline constexpr UINT kConnectError = 0x40A;
inline constexpr UINT kConnectionFailed = 0x40B;
// 802.1X notifications are waiting (WlanSession::TakeOneXNotifications).
inline constexpr UINT kOneX = 0x40C;
}  // namespace wlan_msg

}  // namespace nxui
