// Captions of the AP details panel that the string table does not carry.
#pragma once

namespace nxui::ap_detail_text {

inline constexpr const char* kMacAddress = "MAC Address >>";
inline constexpr const char* kBeaconInterval = "Beacon Interval >>";
inline constexpr const char* kSignalStrength = "Signal Strength >> %d%%";
inline constexpr const char* kSupportedRates = "Supported Rates (Mbps)";
inline constexpr const char* kConfigMethods = "Config Methods >>";
inline constexpr const char* kDevicePasswordId = "Device Password ID >>";
inline constexpr const char* kSelectedRegistrar = "Selected Registrar >>";
inline constexpr const char* kState = "State >>";
inline constexpr const char* kVersion = "Version >>";
inline constexpr const char* kApSetupLocked = "AP Setup Locked >>";
inline constexpr const char* kUuidE = "UUID-E >>";
inline constexpr const char* kRfBands = "RF Bands >>";
inline constexpr const char* kCckm = "CCKM >>";
inline constexpr const char* kCmic = "Cmic >>";
inline constexpr const char* kCkip = "Ckip >>";
inline constexpr const char* kProperty = "Property";
inline constexpr const char* kValue = "Value";
inline constexpr const char* kTabGeneral = "概要";
inline constexpr const char* kTabWps = "WPS";
inline constexpr const char* kTabCcx = "CCX";
inline constexpr const char* kTab80211n = "802.11n";
inline constexpr const char* kTabFont = "Trebuchet MS";
inline constexpr int kTabFontHeight = 20;

inline constexpr const char* kHidden = "Hidden";
inline constexpr const char* kWep = "WEP";
inline constexpr const char* kInfrastructure = "基础模式";
inline constexpr const char* kIbss = "IBSS";
inline constexpr const char* kUnknown = "Unknown";
inline constexpr const char* kNotAvailable = "n/a";

}  // namespace nxui::ap_detail_text
