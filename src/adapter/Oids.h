// The driver's object identifiers. Standard NDIS and Native 802.11 OIDs carry their published
// codes; private ones live in 0xFF0C00xx (general) and 0xFF7101xx / 0x0D7101xx (802.11).
#pragma once

#include <cstdint>

namespace nxui {

using Oid = std::uint32_t;

// Queries and sets alike go through IOCTL_NDIS_QUERY_GLOBAL_STATS with the OID as input.
inline constexpr std::uint32_t kIoctlNdisQueryGlobalStats = 0x170002;
// OR-ed into every set (standard OIDs included): 0x0D010102 goes out as 0xFF810102.
inline constexpr Oid SET_INFORMATION_BIT = 0xFF800000;

inline constexpr Oid OID_GEN_DRIVER_VERSION = 0x00010110;             // Q 2
inline constexpr Oid OID_GEN_RCV_NO_BUFFER = 0x00020105;              // Q 4
inline constexpr Oid OID_802_3_CURRENT_ADDRESS = 0x01010102;          // Q 6
inline constexpr Oid OID_802_11_BSSID = 0x0D010101;                   // S 6
inline constexpr Oid OID_802_11_SSID = 0x0D010102;                    // S 36
inline constexpr Oid OID_802_11_DESIRED_RATES = 0x0D010210;           // S 8
inline constexpr Oid OID_802_11_CONFIGURATION = 0x0D010211;           // Q/S 32
inline constexpr Oid OID_DOT11_RTS_THRESHOLD = 0x0D01031F;            // S 4
inline constexpr Oid OID_DOT11_FRAGMENTATION_THRESHOLD = 0x0D010322;  // S 4
inline constexpr Oid OID_DOT11_POWER_MGMT_REQUEST = 0x0E01017B;       // S 4
inline constexpr Oid OID_DOT11_DESIRED_BSSID_LIST = 0x0E01017E;       // S 20
inline constexpr Oid OID_DOT11_DISCONNECT_REQUEST = 0x0E01018E;       // S 0
inline constexpr Oid OID_WLAN_WIRELESS_MODE = 0xFF0C0002;             // S 4
inline constexpr Oid OID_WLAN_COUNTRY_REGION = 0xFF0C0003;            // Q/S 4
inline constexpr Oid OID_WLAN_EEPROM_VERSION = 0xFF0C0004;            // Q 4
inline constexpr Oid OID_WLAN_TX_POWER = 0xFF0C0007;                  // Q/S 4
inline constexpr Oid OID_WLAN_LINK_STATUS = 0xFF0C0009;               // Q 16, 20 when is11n
inline constexpr Oid OID_WLAN_NOISE = 0xFF0C000A;                     // Q 4
inline constexpr Oid OID_WLAN_STATISTICS = 0xFF0C000B;                // Q 184
inline constexpr Oid OID_WLAN_RESET_COUNTERS = 0xFF0C000C;            // S 0
inline constexpr Oid OID_WLAN_LAST_EVENT = 0xFF0C000D;                // Q 4
inline constexpr Oid OID_WLAN_RXRATE = 0xFF0C000E;                    // Q 4
inline constexpr Oid OID_WLAN_RSSI0 = 0xFF0C000F;                     // Q 4
inline constexpr Oid OID_WLAN_RSSI1 = 0xFF0C0010;                     // Q 4
inline constexpr Oid OID_WLAN_RSSI2 = 0xFF0C0022;                     // Q 4
inline constexpr Oid OID_WLAN_OP_MODE = 0xFF0C001A;                   // Q/S 4
inline constexpr Oid OID_WLAN_TX_HTRATE = 0xFF0C0021;                 // Q 4
inline constexpr Oid OID_WLAN_SNR0 = 0xFF0C0023;                      // Q 4
inline constexpr Oid OID_WLAN_SNR1 = 0xFF0C0024;                      // Q 4
inline constexpr Oid OID_WLAN_BA_TABLE = 0xFF0C0025;                  // Q 3076 / S 14
inline constexpr Oid OID_WLAN_HT_CONFIG = 0xFF0C0026;                 // Q/S 8
inline constexpr Oid OID_WLAN_BA_DELETE = 0xFF0C0027;                 // S 14
inline constexpr Oid OID_WLAN_HT_PHY_MODE = 0xFF0C0028;               // Q 12
inline constexpr Oid OID_WLAN_PEER_LIST = 0xFF0C0029;                 // Q 324
inline constexpr Oid OID_WLAN_WPS_START = 0xFF0C002A;                 // S 56
inline constexpr Oid OID_WLAN_WPS_ASSOC_IE = 0xFF0C002B;              // S 4
inline constexpr Oid OID_WLAN_WPS_PROBE_IE = 0xFF0C002C;              // S 4
inline constexpr Oid OID_WLAN_WPS_STATUS = 0xFF0C002D;                // Q 4
inline constexpr Oid OID_WLAN_WPS_CREDENTIAL = 0xFF0C002E;            // Q 996
inline constexpr Oid OID_WLAN_WPS_PBC_STARTED = 0xFF0C002F;           // Q 4
inline constexpr Oid OID_WLAN_WPS_CONNECT = 0xFF0C0030;               // S 4
inline constexpr Oid OID_WLAN_STA_CONFIG = 0xFF0C003B;                // Q/S 32
inline constexpr Oid OID_WLAN_WPS_SET_CREDENTIALS = 0xFF0C0049;       // S 996
inline constexpr Oid OID_WLAN_WPS_AUTO_SELECT = 0xFF0C004C;           // S 4
inline constexpr Oid OID_WLAN_PREAMBLE = 0xFF710101;                  // S 4
inline constexpr Oid OID_WLAN_PHY_CONFIG = 0xFF710111;                // Q/S 32
inline constexpr Oid OID_WLAN_CCX_CONTROL = 0xFF71011E;               // S 4
inline constexpr Oid OID_WLAN_SUPPORTEDRATES = 0x0D710127;            // S 26
inline constexpr Oid OID_WLAN_AP_IP_ADDRESS = 0x0D71011F;             // Q 4
inline constexpr Oid OID_WLAN_FIRMWARE_VERSION = 0x0D710129;          // Q 4
inline constexpr Oid OID_WLAN_ICV_STATE = 0x0D710133;                 // Q 4
inline constexpr Oid OID_WLAN_MAC_ADDRESS = 0x0D010702;               // Q 6

// Name of a catalogue OID ("OID_WLAN_RSSI0"), or nullptr. Also accepts a set wire code.
const char* OidName(Oid oid);
// The settable catalogue OID whose set wire code this is, 0 when none.
Oid OidFromSetWireCode(Oid wire);
// Code of a catalogue name, 0 when unknown.
Oid OidFromName(const char* name);
// The code as it goes over the wire for a set.
constexpr Oid WireCodeForSet(Oid oid) { return oid | SET_INFORMATION_BIT; }

}  // namespace nxui
