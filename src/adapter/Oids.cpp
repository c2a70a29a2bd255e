#include "adapter/Oids.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace nxui {
namespace {

struct OidEntry {
  Oid code;
  const char* name;
  bool settable;
};

constexpr OidEntry kCatalogue[] = {
    {OID_GEN_DRIVER_VERSION, "OID_GEN_DRIVER_VERSION", false},
    {OID_GEN_RCV_NO_BUFFER, "OID_GEN_RCV_NO_BUFFER", false},
    {OID_802_3_CURRENT_ADDRESS, "OID_802_3_CURRENT_ADDRESS", false},
    {OID_802_11_BSSID, "OID_802_11_BSSID", true},
    {OID_802_11_SSID, "OID_802_11_SSID", true},
    {OID_802_11_DESIRED_RATES, "OID_802_11_DESIRED_RATES", true},
    {OID_802_11_CONFIGURATION, "OID_802_11_CONFIGURATION", true},
    {OID_DOT11_RTS_THRESHOLD, "OID_DOT11_RTS_THRESHOLD", true},
    {OID_DOT11_FRAGMENTATION_THRESHOLD, "OID_DOT11_FRAGMENTATION_THRESHOLD", true},
    {OID_DOT11_POWER_MGMT_REQUEST, "OID_DOT11_POWER_MGMT_REQUEST", true},
    {OID_DOT11_DESIRED_BSSID_LIST, "OID_DOT11_DESIRED_BSSID_LIST", true},
    {OID_DOT11_DISCONNECT_REQUEST, "OID_DOT11_DISCONNECT_REQUEST", true},
    {OID_WLAN_WIRELESS_MODE, "OID_WLAN_WIRELESS_MODE", true},
    {OID_WLAN_COUNTRY_REGION, "OID_WLAN_COUNTRY_REGION", true},
    {OID_WLAN_EEPROM_VERSION, "OID_WLAN_EEPROM_VERSION", false},
    {OID_WLAN_TX_POWER, "OID_WLAN_TX_POWER", true},
    {OID_WLAN_LINK_STATUS, "OID_WLAN_LINK_STATUS", false},
    {OID_WLAN_NOISE, "OID_WLAN_NOISE", false},
    {OID_WLAN_STATISTICS, "OID_WLAN_STATISTICS", false},
    {OID_WLAN_RESET_COUNTERS, "OID_WLAN_RESET_COUNTERS", true},
    {OID_WLAN_LAST_EVENT, "OID_WLAN_LAST_EVENT", false},
    {OID_WLAN_RXRATE, "OID_WLAN_RXRATE", false},
    {OID_WLAN_RSSI0, "OID_WLAN_RSSI0", false},
    {OID_WLAN_RSSI1, "OID_WLAN_RSSI1", false},
    {OID_WLAN_RSSI2, "OID_WLAN_RSSI2", false},
    {OID_WLAN_OP_MODE, "OID_WLAN_OP_MODE", true},
    {OID_WLAN_TX_HTRATE, "OID_WLAN_TX_HTRATE", false},
    {OID_WLAN_SNR0, "OID_WLAN_SNR0", false},
    {OID_WLAN_SNR1, "OID_WLAN_SNR1", false},
    {OID_WLAN_BA_TABLE, "OID_WLAN_BA_TABLE", true},  // query: table; set: add request
    {OID_WLAN_HT_CONFIG, "OID_WLAN_HT_CONFIG", true},
    {OID_WLAN_BA_DELETE, "OID_WLAN_BA_DELETE", true},
    {OID_WLAN_HT_PHY_MODE, "OID_WLAN_HT_PHY_MODE", false},
    {OID_WLAN_PEER_LIST, "OID_WLAN_PEER_LIST", false},
    {OID_WLAN_WPS_START, "OID_WLAN_WPS_START", true},
    {OID_WLAN_WPS_ASSOC_IE, "OID_WLAN_WPS_ASSOC_IE", true},
    {OID_WLAN_WPS_PROBE_IE, "OID_WLAN_WPS_PROBE_IE", true},
    {OID_WLAN_WPS_STATUS, "OID_WLAN_WPS_STATUS", false},
    {OID_WLAN_WPS_CREDENTIAL, "OID_WLAN_WPS_CREDENTIAL", false},
    {OID_WLAN_WPS_PBC_STARTED, "OID_WLAN_WPS_PBC_STARTED", false},
    {OID_WLAN_WPS_CONNECT, "OID_WLAN_WPS_CONNECT", true},
    {OID_WLAN_STA_CONFIG, "OID_WLAN_STA_CONFIG", true},
    {OID_WLAN_WPS_SET_CREDENTIALS, "OID_WLAN_WPS_SET_CREDENTIALS", true},
    {OID_WLAN_WPS_AUTO_SELECT, "OID_WLAN_WPS_AUTO_SELECT", true},
    {OID_WLAN_PREAMBLE, "OID_WLAN_PREAMBLE", true},
    {OID_WLAN_PHY_CONFIG, "OID_WLAN_PHY_CONFIG", true},
    {OID_WLAN_CCX_CONTROL, "OID_WLAN_CCX_CONTROL", true},
    {OID_WLAN_SUPPORTEDRATES, "OID_WLAN_SUPPORTEDRATES", true},
    {OID_WLAN_AP_IP_ADDRESS, "OID_WLAN_AP_IP_ADDRESS", false},
    {OID_WLAN_FIRMWARE_VERSION, "OID_WLAN_FIRMWARE_VERSION", false},
    {OID_WLAN_ICV_STATE, "OID_WLAN_ICV_STATE", false},
    {OID_WLAN_MAC_ADDRESS, "OID_WLAN_MAC_ADDRESS", false},
};

// The catalogue sorted by code and, for the settable entries, by set wire code: every lookup
// is a binary search (the link-status tick alone makes a dozen requests).
struct SortedIndex {
  std::array<const OidEntry*, std::size(kCatalogue)> entries{};
  std::size_t size = 0;
};

SortedIndex MakeIndex(bool bySetWireCode) {
  SortedIndex index;
  for (const OidEntry& e : kCatalogue) {
    if (!bySetWireCode || e.settable) index.entries[index.size++] = &e;
  }
  const auto key = [bySetWireCode](const OidEntry* e) { return bySetWireCode ? WireCodeForSet(e->code) : e->code; };
  std::sort(index.entries.begin(), index.entries.begin() + static_cast<std::ptrdiff_t>(index.size),
            [&](const OidEntry* a, const OidEntry* b) { return key(a) < key(b); });
  return index;
}

const OidEntry* Find(Oid code, bool bySetWireCode) {
  static const SortedIndex byCode = MakeIndex(false);
  static const SortedIndex bySet = MakeIndex(true);
  const SortedIndex& index = bySetWireCode ? bySet : byCode;
  const auto key = [bySetWireCode](const OidEntry* e) { return bySetWireCode ? WireCodeForSet(e->code) : e->code; };
  const auto end = index.entries.begin() + static_cast<std::ptrdiff_t>(index.size);
  const auto it = std::lower_bound(index.entries.begin(), end, code,
                                   [&](const OidEntry* e, Oid wanted) { return key(e) < wanted; });
  return it != end && key(*it) == code ? *it : nullptr;
}

}  // namespace

const char* OidName(Oid oid) {
  if (const OidEntry* e = Find(oid, false)) return e->name;
  // A set wire code: several codes share their low bits once the set bit is in, so only
  // settable OIDs are candidates (0xFF810102 is OID_802_11_SSID, not OID_802_3_CURRENT_ADDRESS).
  if (const OidEntry* e = Find(oid, true)) return e->name;
  return nullptr;
}

Oid OidFromSetWireCode(Oid wire) {
  const OidEntry* e = Find(wire, true);
  return e != nullptr ? e->code : 0;
}

Oid OidFromName(const char* name) {
  for (const auto& e : kCatalogue) {
    if (std::strcmp(e.name, name) == 0) return e.code;
  }
  return 0;
}

}  // namespace nxui
