// Integer types and result codes named after the platform calls the logic is shaped on, so that a
// native implementation maps onto the ports one to one.
#pragma once

#include <cstdint>

namespace nxui {

using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Platform result codes (the published numbers).
inline constexpr LONG kErrorSuccess = 0;
inline constexpr LONG kErrorFileNotFound = 2;
inline constexpr LONG kErrorAccessDenied = 5;
inline constexpr LONG kErrorInvalidHandle = 6;
inline constexpr LONG kErrorNotEnoughMemory = 8;
inline constexpr LONG kErrorInvalidParameter = 87;
inline constexpr LONG kErrorMoreData = 234;
inline constexpr LONG kErrorNoMoreItems = 259;
inline constexpr LONG kErrorNotSupported = 50;
inline constexpr LONG kErrorServiceNotActive = 1062;
inline constexpr LONG kErrorNotFound = 1168;
inline constexpr LONG kErrorGenFailure = 31;
inline constexpr LONG kErrorWriteFault = 29;  // a file could not be written
inline constexpr LONG kErrorBusy = 170;
inline constexpr LONG kErrorInvalidState = 5023;

// Window messages that cross from one part to another (the published numbers).
inline constexpr UINT kWmCommand = 0x0111;        // the command in the low word of wParam
inline constexpr UINT kWmDeviceChange = 0x0219;   // broadcast to every window
inline constexpr WPARAM kDbtDevNodesChanged = 7;  // WM_DEVICECHANGE: a device came or went
inline constexpr LPARAM kWmLButtonDblClk = 0x0203;
inline constexpr LPARAM kWmRButtonDown = 0x0204;

}  // namespace nxui
