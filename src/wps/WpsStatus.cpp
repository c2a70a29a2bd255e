#include "wps/WpsStatus.h"

#include <algorithm>
#include <array>

#include "adapter/DriverRecords.h"

namespace nxui {

namespace {

using enum WpsStatusAction;

// Sorted by code.
constexpr std::array<WpsStatusInfo, 41> kTable = {{
    {0, 0, "WPS 未使用", StopAndForget},
    {1, -1, "WPS 空闲", Forget},
    {2, 10, "扫描 AP", None},
    {3, 15, "开始关联 WPS AP", None},
    {4, 20, "关联 WPS AP", None},
    {5, 25, "发送 EAPOL-Start", None},
    {6, 30, "发送 EAP-Rsp(ID)", None},
    {7, -1, "发送 EAP 回应码 (ACK)", None},
    {9, -1, "接收 EAP-Req (NACK)", None},
    {15, 95, "已配置", Success},
    {17, 35, "接收 EAPReq WPS_Start", None},
    {18, 40, "发送 M1", None},
    {19, 45, "发送 M2", None},
    {20, 50, "接收 M2D", None},
    {21, 60, "发送 M3", None},
    {22, 65, "接收 M4", None},
    {23, 70, "发送 M5", None},
    {24, 75, "接收 M6", None},
    {25, 80, "发送 M7", None},
    {26, 85, "接收 M8", None},
    {27, 90, "发送 EAP 回应码 (完成)", None},
    {34, 40, "接收 M1", None},
    {35, 45, "接收 M2", None},
    {36, 50, "发送 M2D", None},
    {37, 60, "发送 M3", None},
    {38, 65, "发送 M4", None},
    {39, 70, "接收 M5", None},
    {40, 75, "发送 M6", None},
    {41, 80, "接收 M7", None},
    {42, 85, "发送 M8", None},
    {43, 90, "发送 EAP 回应码 (完成)", None},
    {257, -1, "过多的 PBC AP", None},
    {258, -1, "没有有效的PBC AP", None},
    {259, -1, "收到 EAP-FAIL", Forget},
    {260, -1, "收到错误 NONCE 的 EAP", Retry},
    {261, -1, "收到不完整的 EAP", Forget},
    {262, -1, "PIN 码错误", Forget},
    {513, 0, "PIN 模式中非法的 SSID", ResetAndForget},
    {514, 0, "收到错误供应商ID的 WPS SMI 的 EAP-Req。", ResetAndForget},
    {515, 0, "收到错误的WPS供应商类型的 EAP-Req", ResetAndForget},
    {516, 0, "WPS Eap 过程失败。", ResetEndAndForget},
}};

constexpr WpsStatusInfo kNoMessage{517, -1, "", Forget};

}  // namespace

WpsStatusInfo LookupWpsStatus(std::uint32_t code) {
  if (code == kNoMessage.code) return kNoMessage;
  const auto found = std::lower_bound(kTable.begin(), kTable.end(), code,
                                      [](const WpsStatusInfo& row, std::uint32_t wanted) { return row.code < wanted; });
  if (found != kTable.end() && found->code == code) return *found;
  return WpsStatusInfo{code, -1, "", None};
}

std::string WpsStatusLine(std::uint32_t statusWord) {
  std::string line = (statusWord & kWpsStatusPinBit) != 0 ? "PIN - " : "PBC - ";
  line += LookupWpsStatus(statusWord & kWpsStatusCodeMask).message;
  return line;
}

}  // namespace nxui
