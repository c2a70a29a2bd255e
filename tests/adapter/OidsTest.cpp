#include <gtest/gtest.h>

#include <string>

#include "adapter/Oids.h"

namespace nxui {
namespace {

struct OidLookupRow {
  const char* name;
  Oid code;
  const char* expectedName;  // nullptr: not in the catalogue
  Oid fromSetWireCode;       // what OidFromSetWireCode(code) gives
};

TEST(Oids, LookupsByCodeAndBySetWireCode) {
  const OidLookupRow rows[] = {
      {"lowest code", OID_GEN_DRIVER_VERSION, "OID_GEN_DRIVER_VERSION", 0},
      {"highest code", OID_WLAN_CCX_CONTROL, "OID_WLAN_CCX_CONTROL", 0},
      {"query-only OID", OID_WLAN_RSSI2, "OID_WLAN_RSSI2", 0},
      {"set wire code of a settable OID", WireCodeForSet(OID_802_11_SSID), "OID_802_11_SSID", OID_802_11_SSID},
      // 0x01010102 (query only) shares its low bits with OID_802_11_SSID: the set belongs to the SSID.
      {"set wire code shared with a query-only OID", WireCodeForSet(OID_802_3_CURRENT_ADDRESS), "OID_802_11_SSID",
       OID_802_11_SSID},
      {"set wire code of a query-only OID", WireCodeForSet(OID_WLAN_RSSI0), nullptr, 0},
      {"set wire code of a private OID", WireCodeForSet(OID_WLAN_PREAMBLE), "OID_WLAN_PREAMBLE", OID_WLAN_PREAMBLE},
      {"gap between two codes", OID_WLAN_TX_POWER - 1, nullptr, 0},
      {"above every code", 0xFFFFFFFF, nullptr, 0},
      {"zero", 0, nullptr, 0},
  };
  for (const OidLookupRow& row : rows) {
    const char* name = OidName(row.code);
    EXPECT_EQ(name == nullptr ? std::string("<none>") : std::string(name),
              row.expectedName == nullptr ? std::string("<none>") : std::string(row.expectedName))
        << row.name;
    EXPECT_EQ(OidFromSetWireCode(row.code), row.fromSetWireCode) << row.name;
  }
  EXPECT_EQ(OidFromName("OID_WLAN_MAC_ADDRESS"), OID_WLAN_MAC_ADDRESS);
  EXPECT_EQ(OidFromName("OID_WLAN_MAC"), 0u);
}

}  // namespace
}  // namespace nxui
