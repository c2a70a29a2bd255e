// The driver's WPS status word: bit 28 says PIN run (clear: push button), the low 28 bits are a
// code. Each code has a progress value, a message and an action of the status poll.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "adapter/DriverRecords.h"

namespace nxui {

// What the page's status poll does after showing a code.
enum class WpsStatusAction {
  None,               // polling goes on
  Forget,             // a PIN run forgets its access point; polling goes on
  StopAndForget,      // code 0: kill the poll, reset the run (progress 0), then Forget
  ResetAndForget,     // 513-515: reset the run (progress 0), then Forget
  ResetEndAndForget,  // 516: reset the run, leave WPS connection mode, then Forget
  Retry,              // 260: restart the PIN run on the selected access point
  Success,            // 15: fetch the credentials and connect
};

struct WpsStatusInfo {
  std::uint32_t code = 0;
  int progress = -1;         // -1: the progress bar is left as it is
  std::string_view message;  // "" for codes without one
  WpsStatusAction action = WpsStatusAction::None;
};

// The code's row of the table; codes the table does not list give {code, -1, "", None}.
WpsStatusInfo LookupWpsStatus(std::uint32_t code);

// "PIN - " or "PBC - " by bit 28, followed by the code's message.
std::string WpsStatusLine(std::uint32_t statusWord);

// Texts the engine puts on the status line.
namespace wps_text {
inline constexpr const char* kStatusNotUsedEnglish = "WPS status is not used";  // the page's first text
inline constexpr const char* kStartPin = "启动 PIN 连接 - ";                    // followed by the SSID
inline constexpr const char* kStartPbc = "启动 PBC 连接";
inline constexpr const char* kDriverPbcStarted = "开始 PBC 连接";
inline constexpr const char* kConfigured = "已配置";
inline constexpr const char* kConnected = "WPS 已经成功连接 - ";  // followed by the SSID
inline constexpr const char* kNotConnected = "WPS 未连接";
}  // namespace wps_text

}  // namespace nxui
