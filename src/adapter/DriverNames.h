// Names the driver and the utility must agree on: values of the adapter's registry key that more
// than one part reads or writes, and the driver's event classes.
#pragma once

#include <array>

namespace nxui {

namespace reg_value {
inline constexpr const char* kWirelessMode = "WirelessMode";
inline constexpr const char* kChannel = "Channel";
inline constexpr const char* kCountryRegion = "CountryRegion";
inline constexpr const char* kCountryRegionABand = "CountryRegionABand";
inline constexpr const char* kTransRate = "TransRate";
inline constexpr const char* kTransmitSetting = "TransmitSetting";
inline constexpr const char* kCcx2Control = "CCX2Control";
inline constexpr const char* kBaCapability = "BACapability";
inline constexpr const char* kTxBurst = "TXBurst";
inline constexpr const char* kTurboRate = "TurboRate";
inline constexpr const char* kBgProtection = "BGProtection";
inline constexpr const char* kShortSlot = "ShortSlot";
// The first four words of OID_WLAN_PHY_CONFIG, in word order.
inline constexpr std::array<const char*, 4> kPhyConfigWords = {kTxBurst, kTurboRate, kBgProtection, kShortSlot};
}  // namespace reg_value

inline constexpr const char* kDriverMessageEventClass = "NxWLANMessageEvent";
inline constexpr const char* kMediaConnectEventClass = "MSNdis_StatusMediaConnect";

}  // namespace nxui
