#include "display/StringTable.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace nxui {
namespace {

using namespace string_id;

struct Entry {
  StringId id;
  const char* english;
  const char* chinese;  // nullptr: the same text in both languages
};

// The product name stays as it is in both languages.
constexpr std::array kEntries = {
    Entry{kDriverVersion, "Driver Version >>", "驱动程序版本 >>"},
    Entry{kDate, "Date >>", "日期 >>"},
    Entry{kPhyAddress, "Phy_Address >>", "物理地址 >>"},
    Entry{kUtilityVersion, "Utility Version >>", "程序版本 >>"},
    Entry{kStatusLabel, "Status >>", "状态 >>"},
    Entry{kWpsProgress, "Progress >> %d%%", "进度 >> %d%%"},
    Entry{kCaption, "VQ-MA310X Wireless Utility", "VQ-MA310X 无线网络工具"},
    Entry{kNoSelectedItem, "No selected item", "没有选中条目"},
    Entry{kMakerWebAddress, "https://www.example.com/", nullptr},
    Entry{kOpen, "Open", "开放系统"},
    Entry{kPageNetwork, "Network", "网络"},
    Entry{kPageStatistics, "Statistics", "统计"},
    Entry{kPageAbout, "About", "关于"},
    Entry{kPleaseEnterSsid, "Please enter SSID", "请输入新的网络名称(SSID)"},
    Entry{kTrayNotExist, "VQ-MA310X 11N Wireless Adapter\nNot exist", "VQ-MA310X 11N 无线网卡\n不存在"},
    Entry{kTrayWeak, "VQ-MA310X 11N Wireless Adapter\nStatus : Weak (%s)", "VQ-MA310X 11N 无线网卡\n状态 : 弱 (%s)"},
    Entry{kEepromVersion, "EEPROM Version >>", "EEPROM 版本 >>"},
    Entry{kLeapNeedsIdAndPassword, "ID and Password required for LEAP!", "LEAP 时, ID和密码不可以为空"},
    Entry{kTrayWepError, "VQ-MA310X 11N Wireless Adapter\nStatus : WEP Error",
          "VQ-MA310X 11N 无线网卡\n状态 : WEP 错误"},
    Entry{kPageSso, "SSO", "单点登录"},
    Entry{kMore, "More", "更多"},
    Entry{kLess, "Less", "较少"},
    Entry{kFirmwareVersion, "Firmware Version >>", "固件版本 >>"},
    Entry{kOk, "OK", "确定"},
    Entry{kPageProfile, "Profile", "配置文件"},
    Entry{kTrayGood, "VQ-MA310X 11N Wireless Adapter\nStatus : Good (%s)", "VQ-MA310X 11N 无线网卡\n状态 : 良好 (%s)"},
    Entry{kTrayDisconnected, "VQ-MA310X 11N Wireless Adapter\nDisconnected", "VQ-MA310X 11N 无线网卡\n未连接"},
    Entry{kTrayNormal, "VQ-MA310X 11N Wireless Adapter\nstatus : Normal (%s)",
          "VQ-MA310X 11N 无线网卡\n状态 : 一般 (%s)"},
    Entry{kPageWps, "WPS", nullptr},
    Entry{kPage80211n, "802.11n", nullptr},

    // Driver last events, by event code.
    Entry{kLastEventBase + 0, "Link is Up", "连接已建立"},
    Entry{kLastEventBase + 1, "Link is Down", "连接已断开"},
    Entry{kLastEventBase + 2, "Hardware radio off", "硬件无线电已关闭"},
    Entry{kLastEventBase + 3, "Software radio off", "软件无线电已关闭"},
    Entry{kLastEventBase + 4, "Open authentication fail", "开放系统认证失败"},
    Entry{kLastEventBase + 5, "Shared authentication fail", "共享密钥认证失败"},
    Entry{kLastEventBase + 6, "Association failed", "关联失败"},
    Entry{kLastEventBase + 7, "Deauthencation because MIC failure", "因 MIC 错误而取消认证"},
    Entry{kLastEventBase + 8, "Deauthencation on 4-way handshake timeout", "因四次握手超时而取消认证"},
    Entry{kLastEventBase + 9, "Deauthencation on group key handshake timeout", "因组密钥握手超时而取消认证"},
    Entry{kLastEventBase + 10, "EAP succeed", "EAP 认证成功"},

    // Authentication, encryption and network type texts by stored code.
    Entry{kAuthModeBase + 0, "Open", "开放系统"},
    Entry{kAuthModeBase + 1, "Shared", "共享密钥"},
    Entry{kAuthModeBase + 2, " ", nullptr},
    Entry{kAuthModeBase + 3, "WPA", nullptr},
    Entry{kAuthModeBase + 4, "WPA-PSK", nullptr},
    Entry{kAuthModeBase + 5, "WPA-NONE", nullptr},
    Entry{kAuthModeBase + 6, "WPA2", nullptr},
    Entry{kAuthModeBase + 7, "WPA2-PSK", nullptr},
    Entry{kCipherModeBase + 0, "WEP", nullptr},
    Entry{kCipherModeBase + 1, "None", "无"},
    Entry{kCipherModeBase + 4, "TKIP", nullptr},
    Entry{kCipherModeBase + 6, "AES", nullptr},
    Entry{kNetworkTypeBase + 0, "Ad hoc", "Ad hoc 模式"},
    Entry{kNetworkTypeBase + 1, "Infrastructure", "基础模式"},
    Entry{kNetworkTypeBase + 2, "Auto", "自动"},

    Entry{kLeap, "LEAP", nullptr},
    Entry{kUse8021XSuffix, "- Use 802.1X", "- 使用 802.1X"},
    Entry{kProfileInUse, "The profile to delete is currently in use.", "所删除的配置文件正在使用"},
    Entry{kUsePlatformProfileFor8021X, "Use Windows profile for 802.1x setting", "是否使用Windows profile设置此连接"},
    Entry{kDuplicateProfileName, "Duplicate profile name", "配置文件名称重复"},
    Entry{kCreateAnotherProfile, "Create another profile?", "是否创建另一个配置文件?"},
    Entry{kPleaseEnterProfileName, "Please enter profile name", "请输入配置文件名称"},
    Entry{kProfileStoreWriteFailed, "The profile settings could not be saved: %s", "无法保存配置文件设置: %s"},
    Entry{kProfileNameInvalidCharacters, "A profile name cannot contain line breaks or NUL characters",
          "配置文件名称不能包含换行符或 NUL 字符"},
    Entry{kProfileNotFound, "No profile named \"%s\"", "没有名为 \"%s\" 的配置文件"},
    Entry{kProfileList, "Profile List", "配置文件列表"},
    Entry{kColumnName, "NAME", "名称"},
    Entry{kColumnSsid, "SSID", nullptr},
    Entry{kProfileNameLabel, "Profile Name >>", "配置文件名称 >>"},
    Entry{kSsidLabel, "SSID >>", nullptr},
    Entry{kNetworkTypeLabel, "Network Type >>", "网络类型 >>"},
    Entry{kAuthenticationLabel, "Authentication >>", "认证 >>"},
    Entry{kEncryptionLabel, "Encryption >>", "加密 >>"},
    Entry{kUse8021XLabel, "Use 802.1x >>", "使用 802.1x >>"},
    Entry{kTxPowerLabel, "Tx Power >>", "传输功率 >>"},
    Entry{kChannelLabel, "Channel >>", "信道 >>"},
    Entry{kPowerSaveModeLabel, "Power Save Mode >>", "省电模式 >>"},
    Entry{kRtsThresholdLabel, "RTS Threshold >>", "RTS 门限 >>"},
    Entry{kFragmentThresholdLabel, "Fragment Threshold >>", "分片门限 >>"},
    Entry{kAdd, "Add", "添加"},
    Entry{kEdit, "Edit", "编辑"},
    Entry{kDelete, "Delete", "删除"},
    Entry{kApply, "Apply", "应用"},
    Entry{kLeapWep, "WEP", nullptr},
    Entry{kLeapWpaTkip, "WPA-TKIP", nullptr},
    Entry{kLeapWpa2Aes, "WPA2-AES", nullptr},

    // Shown in Chinese in every language.
    Entry{kTxPowerAuto, "自动", nullptr},
    Entry{kTxPowerLowest, "最低", nullptr},
    Entry{kNo, "否", nullptr},
    Entry{kYes, "是", nullptr},
    Entry{kRadioOnOff, "开启/关闭", nullptr},
    Entry{kSortLabel, "排序 >>", nullptr},
    Entry{kMacAddressColumn, "MAC地址", nullptr},
    Entry{kInUse, "已使用", nullptr},
    Entry{kNone, "无", nullptr},
    Entry{kPreambleLong, "长", nullptr},
    Entry{kPreambleShort, "短", nullptr},
    Entry{kWpsNotUsed, "WPS 未使用", nullptr},
    Entry{kWpsIdle, "WPS 空闲", nullptr},
    Entry{kWpsNotConnected, "WPS 未连接", nullptr},
    Entry{kRiskyConfiguration, "您的配置尚存在风险。", nullptr},

    Entry{kSystemConfig, "System Config", "配置"},
    Entry{kAuthEncry, "Auth. \\ Encry.", "认证 \\ 加密"},
    Entry{kPreambleLabel, "Preamble >>", "前导码 >>"},
    Entry{kUseRtsThreshold, "Use RTS Threshold", "使用 RTS 门限"},
    Entry{kUseFragmentThreshold, "Use Fragment Threshold", "使用分片门限"},
    Entry{kCancel, "Cancel", "取消"},
    Entry{kInvalidWpaPsk,
          "Invalid WPA Pre-Shared key. WPA-PSK used field should use 8-63 ASCII characters or 64 Hex characters.",
          "WPA 预共享密钥非法。WPA-PSK 应为 8 到 63 个 ASCII 字符或 64 位16进制数字。"},
    Entry{kWepKeyHexLength, "WEP key requires 10 or 26 Hex characters.", "WEP 密钥应为10或26位16进制数字。"},
    Entry{kWepKeyAsciiLength, "WEP key requires 5 or 13 characters.(Note: 1 character is 2 hex)",
          "WEP 密钥应为5或13个字符。(注: 1个字符相当于2位16进制数字)"},
    Entry{kIdentityLabel, "Identity >>", "身份 >>"},
    Entry{kPasswordLabel, "Password >>", "密码 >>"},
    Entry{kDomainNameLabel, "Domain Name >>", "域名 >>"},
    Entry{kWpaPreSharedKeyLabel, "WPA Pre-Shared Key >>", "WPA 预共享密钥 >>"},
    Entry{kShowPassword, "Show Password", "显示密码"},
    Entry{kMustInputIdentity, "Must input Identity", "必须输入身份"},
    Entry{kMustInputPassword, "Must input Password", "必须输入密码"},
    Entry{kEnterNewPassword, "Enter your new password", "请输入新密码"},
    Entry{kEnterNewPasswordDescription, "Description : Enter your new password", "说明 : 请输入新密码"},
    Entry{kEnterNewUserAndPassword, "Enter your new username and password", "请输入新的用户名和密码"},
    Entry{kEnterNewUserAndPasswordDescription, "Description : Enter your new username and password",
          "说明 : 请输入新的用户名和密码"},
    Entry{kPeapOneTimePassword, "Peap Setting - One Time Password", "PEAP 设置 - 一次性密码"},
    Entry{kPeapOneTimePasswordDescription, "Description : Peap Setting - One Time Password",
          "说明 : PEAP 设置 - 一次性密码"},
    Entry{kIdentity, "Identity", "身份"},
    Entry{kPassword, "Password", "密码"},
    Entry{kTunnelIdentity, "Tunnel Identity", "隧道身份"},
    Entry{kTunnelPassword, "Tunnel Password", "隧道密码"},
    Entry{kAuthItemLeap, "Leap", nullptr},
    Entry{kAuthItemWpaNone, "WPA-None", nullptr},
    Entry{kKeyTypeHex, "Hexadecimal", "十六进制"},
    Entry{kKeyTypeAscii, "ASCII", nullptr},
    Entry{kKeyNumberBase + 0, "Key #1", "密钥 #1"},
    Entry{kKeyNumberBase + 1, "Key #2", "密钥 #2"},
    Entry{kKeyNumberBase + 2, "Key #3", "密钥 #3"},
    Entry{kKeyNumberBase + 3, "Key #4", "密钥 #4"},
    Entry{k8021XBox, "802.1X", nullptr},
    Entry{kAdhocButton, "Adhoc", nullptr},
    Entry{kCam, "CAM", nullptr},
    Entry{kPsm, "PSM", nullptr},

    Entry{kApListLabel, "AP List >>", "AP 列表 >>"},
    Entry{kSortBySsid, "SSID", nullptr},
    Entry{kSortByChannel, "Channel", "信道"},
    Entry{kSortBySignal, "Signal", "信号"},
    Entry{kShowDbm, "Show dBm", "显示 dBm"},
    Entry{kRescan, "Rescan", "重新扫描"},
    Entry{kAddToProfile, "Add to Profile", "添加到配置文件"},
    Entry{kConnect, "Connect", "连接"},
    Entry{kNetworkTypeColumn, "Network Type", "网络类型"},

    Entry{kExtraInfoLabel, "Extra Info >>", "附加信息 >>"},
    Entry{kIpAddressLabel, "IP Address >>", "IP 地址 >>"},
    Entry{kSubMaskLabel, "Sub Mask >>", "子网掩码 >>"},
    Entry{kDefaultGatewayLabel, "Default Gateway >>", "默认网关 >>"},
    Entry{kLinkSpeedLabel, "Link Speed >>", "连接速率 >>"},
    Entry{kThroughputLabel, "Throughput >>", "吞吐量 >>"},
    Entry{kTransmit, "Transmit", "发送"},
    Entry{kReceive, "Receive", "接收"},
    Entry{kLinkQualityBar, "Link Quality >> %d%%", "连接质量 >> %d%%"},
    Entry{kSignal1Bar, "Signal Strength 1 >> %d%%", "信号强度 1 >> %d%%"},
    Entry{kSignal2Bar, "Signal Strength 2 >> %d%%", "信号强度 2 >> %d%%"},
    Entry{kSignal3Bar, "Signal Strength 3 >> %d%%", "信号强度 3 >> %d%%"},
    Entry{kNoiseBar, "Noise Strength >> %d%%", "噪声强度 >> %d%%"},
    Entry{kSignal1BarDbm, "Signal Strength 1 >> %d dBm", "信号强度 1 >> %d dBm"},
    Entry{kNoiseBarDbm, "Noise Strength >> %d dBm", "噪声强度 >> %d dBm"},
    Entry{kDisconnected, "Disconnected", "未连接"},
    Entry{kNicNotReady, "NIC or driver not ready", "网卡或驱动程序未就绪"},
    Entry{kAutoConfigDisabled, "AutoConfig service is disable", "自动配置服务已停用"},
    Entry{kRfOff, "RF OFF", "射频关闭"},
    Entry{kIcvError, "ICV Error", "ICV 错误"},
    Entry{kGraphMax, "Max", "最大"},
    Entry{kHtCaption, "HT", nullptr},
    Entry{kBandwidthLabel, "BW >>", "带宽 >>"},
    Entry{kGuardIntervalLabel, "GI >>", nullptr},
    Entry{kStbcLabel, "STBC >>", nullptr},
    Entry{kMcsLabel, "MCS >>", nullptr},
    Entry{kSnr0Label, "SNR0 >>", nullptr},
    Entry{kSnr1Label, "SNR1 >>", nullptr},
    Entry{kSignal2BarDbm, "Signal Strength 2 >> %d dBm", "信号强度 2 >> %d dBm"},
    Entry{kSignal3BarDbm, "Signal Strength 3 >> %d dBm", "信号强度 3 >> %d dBm"},
    Entry{kSignal1Absent, "Signal Strength1 >>", "信号强度1 >>"},
    Entry{kSignal2Absent, "Signal Strength2 >>", "信号强度2 >>"},
    Entry{kSignal3Absent, "Signal Strength3 >>", "信号强度3 >>"},
    Entry{kCentralChannel, "Central channel", "中心信道"},

    Entry{kTxFramesOk, "Frames Transmitted Successfully ", "成功发送的帧 "},
    Entry{kTxFramesOkWithoutRetry, "Frames Transmitted Successfully  Without Retry", "无重传成功发送的帧"},
    Entry{kTxFramesRetried, "Frames Retransmitted Successfully", "重传成功的帧"},
    Entry{kTxFramesNoAck, "Frames Fail To Receive ACK After All Retries", "全部重传后仍未收到 ACK 的帧"},
    Entry{kRtsCtsOk, "RTS Frames Successfully Receive CTS", "成功收到 CTS 的 RTS 帧"},
    Entry{kRtsCtsFailed, "RTS Frames Fail To Receive CTS", "未收到 CTS 的 RTS 帧"},
    Entry{kRxFramesOk, "Frames Received Successfully ", "成功接收的帧 "},
    Entry{kRxFramesCrcError, "Frames Received With CRC Error", "CRC 错误的接收帧"},
    Entry{kRxFramesDropped, "Frames Dropped Due To Out-of-Resource", "因资源不足而丢弃的帧"},
    Entry{kRxDuplicates, "Duplicate Frames Received", "收到的重复帧"},
    Entry{kResetCounter, "Reset Counter", "计数器清零"},

    Entry{kAuthenticationStatus, "Authentication Status", "认证状态"},
    Entry{kCardNameLabel, "Card Name >>", "网卡名称 >>"},
    Entry{kMessageLabel, "Message >>", "消息 >>"},
    Entry{kConnectedByManual, "Connected by manual...", "手动连接..."},

    Entry{kWpsApList, "WPS AP List", "WPS AP 列表"},
    Entry{kWpsProfileList, "WPS Profile List", "WPS 配置文件列表"},
    Entry{kPin, "PIN", nullptr},
    Entry{kPbc, "PBC", nullptr},
    Entry{kConfigMode, "Config Mode", "配置模式"},
    Entry{kEnrollee, "Enrollee", "登记者"},
    Entry{kRegistrar, "Registrar", "注册者"},
    Entry{kPinCode, "Pin Code", "PIN 码"},
    Entry{kRenew, "Renew", "更新"},
    Entry{kRotate, "Rotate", "轮换"},
    Entry{kDisconnect, "Disconnect", "断开"},
    Entry{kDetail, "Detail", "详细信息"},
    Entry{kExportProfile, "Export Profile", "导出配置文件"},
    Entry{kInformation, "Information", "信息"},
    Entry{kAutoSelectAp, "Automatically select the AP", "自动选择 AP"},
    Entry{kWpsStatusNotUsed, "WPS status is not used", "WPS 状态未使用"},
    Entry{kAsciiFormat, "ASCII Format", "ASCII 格式"},
    Entry{kKeyIndexLabel, "Key Index >>", "密钥索引 >>"},
    Entry{kKeyLengthLabel, "Key Length >>", "密钥长度 >>"},
    Entry{kKeyMaterialLabel, "Key Material >>", "密钥 >>"},
    Entry{kAuthenticationTypeLabel, "Authentication Type >>", "认证类型 >>"},
    Entry{kEncryptionTypeLabel, "Encryption Type >>", "加密类型 >>"},
    Entry{kBssidLabel, "BSSID >>", nullptr},

    Entry{kMpduAggregation, "MPDU Aggregation", "MPDU 聚合"},
    Entry{kAmsdu, "A-MSDU", nullptr},
    Entry{kMpduDensityLabel, "MPDU density >>", "MPDU 密度 >>"},
    Entry{kBaWindowSizeLabel, "BA Window Size Limit >>", "BA 窗口大小上限 >>"},
    Entry{kManual, "Manual", "手动"},
    Entry{kAuto, "Auto", "自动"},
    Entry{kOriginatorOf, "Originator of", "发起方"},
    Entry{kRecipientOf, "Recipient of", "接收方"},
    Entry{kConnectedBssidsLabel, "Connected Bssids >>", "已连接的 BSSID >>"},
    Entry{kTidLabel, "TID >>", nullptr},
    Entry{kPleaseChooseBssid, "Please choose BSSID", "请选择 BSSID"},
    Entry{kPleaseEnterPositiveInteger, "Please enter a positive integer.", "请输入正整数。"},
    Entry{kSmPowerSave, "Spatial Multiplexing Power Save", "空间复用省电"},
    Entry{kAmsduMax3839, "Max: 3839", nullptr},
    Entry{kAmsduMax7935, "Max: 7935", nullptr},
    Entry{kSmEnable, "SM enable", nullptr},
    Entry{kStaticSmps, "Static SMPS", nullptr},
    Entry{kDynamicSmps, "Synamic SMPS", nullptr},
    Entry{kBssidColumn, "BSSID", nullptr},
    Entry{kAddBlockAck, "Add Block Ack", "添加 Block Ack"},
    Entry{kDeleteBlockAck, "Delete Block Ack", "删除 Block Ack"},
    Entry{kHtSettingsNotSaved, "The 802.11n settings are in use now but could not be saved for the next start.",
          "802.11n 设置已生效, 但无法保存, 下次启动时不会使用。"},

    Entry{kEnableSso, "Enable SSO Feature", "启用单点登录功能"},
    Entry{kSsoUseWinlogon, "Use ID and Password in Winlogon", "使用 Windows 登录的 ID 和密码"},
    Entry{kSsoUseProfile, "Use ID and Password in Profile", "使用配置文件中的 ID 和密码"},
    Entry{kSsoPrompt, "Prompt ID and Password Dialog", "弹出 ID 和密码对话框"},
    Entry{kSsoProfileGroup, "Profile List (only support LEAP or EAP-FAST authentication)",
          "配置文件列表 (仅支持 LEAP 或 EAP-FAST 认证)"},
    Entry{kSelectProfileLabel, "Select Profile >>", "选择配置文件 >>"},
    Entry{kSelectedProfileGroup, "Information of selected profile", "所选配置文件的信息"},
    Entry{kSsoNotSaved, "The single sign-on settings could not be saved.", "无法保存单点登录设置。"},

    Entry{kLaunchConfigUtilities, "Launch Config Utilities", "打开配置工具"},
    Entry{kExit, "Exit", "退出"},
    Entry{kNoAdministratorPrivilege,
          "You have no 'Administrator' privilege, so some features may not work successfully",
          "您没有管理员权限, 部分功能可能无法正常使用"},
    Entry{kSelectWirelessCard, "Select a Wireless LAN card", "请选择无线网卡"},
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

// "zh", "zh_CN.UTF-8", "zh-Hans": the language part is "zh".
bool IsChineseTag(std::string_view tag) {
  return StartsWithNoCase(tag, "zh") && (tag.size() == 2 || tag[2] == '_' || tag[2] == '-' || tag[2] == '.');
}
bool IsEnglishTag(std::string_view tag) {
  return StartsWithNoCase(tag, "en") && (tag.size() == 2 || tag[2] == '_' || tag[2] == '-' || tag[2] == '.');
}

}  // namespace

StringTable::StringTable(Language language) : language_(language) { SetLanguage(language); }

Language StringTable::ChooseLanguage(std::string_view setting, std::string_view systemLocale) {
  if (IsChineseTag(setting)) return Language::kChinese;
  if (IsEnglishTag(setting)) return Language::kEnglish;
  return IsChineseTag(systemLocale) ? Language::kChinese : Language::kEnglish;
}

void StringTable::SetLanguage(Language language) {
  language_ = language;
  texts_.clear();
  for (const Entry& e : kEntries) {
    const char* text = (language == Language::kChinese && e.chinese) ? e.chinese : e.english;
    texts_.emplace(e.id, text);
  }
}

const std::string& StringTable::LoadString(StringId id) const {
  static const std::string kEmpty;
  const auto it = texts_.find(id);
  return it == texts_.end() ? kEmpty : it->second;
}

bool StringTable::IsBuiltInChinese(StringId id) { return id >= kTxPowerAuto && id <= kRiskyConfiguration; }

std::vector<StringId> StringTable::Ids() {
  std::vector<StringId> ids;
  ids.reserve(kEntries.size());
  for (const Entry& e : kEntries) ids.push_back(e.id);
  return ids;
}

}  // namespace nxui
