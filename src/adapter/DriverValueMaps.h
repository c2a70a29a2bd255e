// Values the driver expects for choices the user makes, and the texts of its link events.
#pragma once

#include <cstdint>
#include <string_view>

namespace nxui {

// OID_WLAN_TX_POWER set value for a profile's transmit-power index: 0 -> -1 (driver default),
// 1..6 -> 100, 75, 50, 25, 10, 6 percent; anything else -> -1.
std::int32_t TxPowerSetValue(int powerIndex);

// OID_DOT11_POWER_MGMT_REQUEST level for the power-save choice: 1 -> 16, 2 -> 8, 3 -> 24, else 0.
std::uint32_t PowerSaveLevel(int choice);

// English text of an OID_WLAN_LAST_EVENT code 0..10; empty for anything else.
std::string_view LastEventText(std::uint32_t code);

}  // namespace nxui
