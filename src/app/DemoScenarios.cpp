#include "app/DemoScenarios.h"

namespace nxui {
namespace {

struct DemoAdapter {
  bool present = true;
  bool is11n = true;
  int rssiChains = 2;
  const char* failingOids = "";
};

struct DemoWorld {
  DemoAdapter adapter;
  bool connected = true;
  bool wlanService = true;
};

std::string DemoScenarioJson(const DemoWorld& world) {
  std::string adapter = R"({"present": )";
  adapter += world.adapter.present ? "true" : "false";
  if (world.adapter.is11n) {
    adapter += R"(, "hardwareId": "USB\\VID_1B75&PID_3072&REV_0101", "bands": ["2.4GHz", "5GHz"])";
  } else {
    adapter += R"(, "hardwareId": "USB\\VID_2F19&PID_1001&REV_0001", "bands": ["2.4GHz"],)"
               R"( "friendlyName": "Wireless LAN USB Adapter", "deviceDescription": "Wireless LAN USB Adapter")";
  }
  adapter += R"(, "driver": {"is11n": )";
  adapter += world.adapter.is11n ? "true" : "false";
  adapter += R"(, "rssiChains": )" + std::to_string(world.adapter.rssiChains) + R"(, "failingOids": [)" +
             world.adapter.failingOids + "]}";
  adapter += R"(, "registry": {"WirelessMode": ")" + std::string(world.adapter.is11n ? "5" : "0") +
             R"(", "Channel": "6", "CountryRegion": "5", "CountryRegionABand": "7"}})";

  std::string json = R"({"version": 1, "adapters": [)" + adapter + "], ";
  json += R"("wlanService": {"running": )";
  json += world.wlanService ? "true" : "false";
  json += R"(}, "networks": [
    {"ssid": "HomeNet", "bssid": "00-1D-7E-4A-21-90", "channel": 6, "rssi": -48, "phy": ")";
  json += world.adapter.is11n ? "n" : "g";
  json += R"(", "security": {"auth": "wpa2-psk", "cipher": "aes", "passphrase": "sunflower-2008"})";
  if (world.adapter.is11n) json += R"(, "ht": {"width": 40, "secondaryOffset": 1})";
  // Its button is pressed and it hands out three networks, for the WPS page's pictures.
  json += R"(, "wps": {"version": "0x10", "state": 2, "configMethods": "0x0084",)"
          R"( "uuidE": "1F2E3D4C5B6A79880102030405060708", "rfBands": 1, "pin": "any", "pushButton": true,)"
          R"( "credentials": [{"ssid": "HomeNet", "auth": "wpa2-psk", "cipher": "aes", "key": "sunflower-2008"},)"
          R"( {"ssid": "HomeNet-Guest", "auth": "open", "cipher": "none", "key": ""},)"
          R"( {"ssid": "HomeNet-Legacy", "auth": "wpa-psk", "cipher": "tkip", "key": "sunflower-1998"}]}},
    {"ssid": "Cafe Guest", "bssid": "00-22-6B-11-22-33", "channel": 11, "rssi": -71, "phy": "g"},
    {"ssid": "Office-5G", "bssid": "00-24-01-AA-BB-CC", "channel": 36, "rssi": -66, "phy": "n",
     "security": {"auth": "wpa2", "cipher": "aes"}, "ccx": true},
    {"ssid": "OldRouter", "bssid": "00-0F-66-10-20-30", "channel": 1, "rssi": -84, "phy": "b",
     "security": {"auth": "open", "cipher": "wep", "wepKeys": ["1234567890"]}},
    {"ssid": "", "bssid": "00-14-BF-44-55-66", "channel": 3, "rssi": -77, "phy": "g",
     "security": {"auth": "wpa-psk+wpa2-psk", "cipher": "tkip+aes", "passphrase": "hidden-net-1"}}
  ])";
  if (world.connected) json += R"(, "platformProfiles": [{"ssid": "HomeNet"}])";
  json += "}";
  return json;
}

}  // namespace

std::string DemoConnectedScenario() { return DemoScenarioJson(DemoWorld{}); }

std::vector<std::pair<std::string, std::string>> DemoScenarios() {
  DemoWorld disconnected;
  disconnected.connected = false;
  DemoWorld noAdapter;
  noAdapter.adapter.present = false;
  DemoWorld legacy;
  legacy.adapter.is11n = false;
  DemoWorld oneChain;
  oneChain.adapter.rssiChains = 1;
  // A driver that cannot answer for the second and third chain: the noise bar moves up.
  DemoWorld signal2Fails;
  signal2Fails.adapter.failingOids = R"("OID_WLAN_RSSI1", "OID_WLAN_RSSI2")";
  DemoWorld serviceOff;
  serviceOff.wlanService = false;
  return {{"connected", DemoScenarioJson(DemoWorld{})},      {"disconnected", DemoScenarioJson(disconnected)},
          {"no-adapter", DemoScenarioJson(noAdapter)},       {"non-11n", DemoScenarioJson(legacy)},
          {"one-chain", DemoScenarioJson(oneChain)},         {"signal2-query-fails", DemoScenarioJson(signal2Fails)},
          {"wlan-service-off", DemoScenarioJson(serviceOff)}};
}

}  // namespace nxui
