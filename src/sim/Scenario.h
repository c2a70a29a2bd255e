// A simulated world as a scenario file describes it (JSON, version 1). Omitted fields keep the
// realistic defaults written here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nxui::sim {

struct ScenarioOs {
  int major = 6;
  int minor = 0;
  int build = 6002;
  int platformId = 2;                       // 1 = 9x line, 2 = NT
  std::string productType = "workstation";  // workstation | server | domainController
  bool admin = true;
  bool wow64 = false;
  bool extendedVersionInfo = true;  // false: the extended GetVersionEx record fails
};

struct ScenarioDriverFile {
  std::string version = "2.1.2.0";
  std::string date = "2008-05-06";
};

struct ScenarioDriver {
  int ndisVersion = 0x0501;                                                // OID_GEN_DRIVER_VERSION
  std::optional<std::vector<int>> eepromVersion = std::vector<int>{1, 2};  // nullopt: query fails
  std::optional<std::vector<int>> firmwareVersion = std::vector<int>{3, 4};
  ScenarioDriverFile file;
  int rssiChains = 2;                    // chains beyond this report -200
  int noise = -92;                       // dBm
  std::vector<std::string> failingOids;  // names of OIDs whose every request fails
  int opMode = 0;
  int txPowerPercent = 100;
  bool is11n = true;  // answers the 802.11n OIDs with HT rate words
};

struct ScenarioAdapter {
  std::string hardwareId = "USB\\VID_1B75&PID_3072&REV_0101";
  std::string friendlyName = "VQ-MA310X 11N Wireless Adapter";
  std::string deviceDescription = "VQ-MA310X 11N Wireless Adapter";
  std::string location = "Port_#0002.Hub_#0001";
  std::string manufacturer = "Norvix";
  std::string instanceId = "{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}";
  std::string driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
  std::string mac = "00-0C-43-30-72-81";
  bool present = true;
  std::vector<std::string> bands = {"2.4GHz", "5GHz"};
  ScenarioDriver driver;
  // Initial values of the adapter's class key (decimal texts unless stated).
  std::vector<std::pair<std::string, std::string>> registry;
};

struct ScenarioSecurity {
  std::string auth = "open";    // open|shared|wpa|wpa-psk|wpa2|wpa2-psk|wpa-psk+wpa2-psk|wpa-none
  std::string cipher = "none";  // none|wep|tkip|aes|tkip+aes
  std::string passphrase;
  std::vector<std::string> wepKeys;
  int wepKeyIndex = 0;
};

struct ScenarioHt {
  std::string capabilities = "0x096E";
  std::string ampdu = "0x17";
  int primaryChannel = 0;   // 0: the network's channel
  int secondaryOffset = 0;  // 0 none, 1 above, 3 below
  int width = 20;
};

// A credential an access point hands out in a WPS run (names as in ScenarioSecurity).
struct ScenarioWpsCredential {
  std::string ssid;
  std::string auth = "open";
  std::string cipher = "none";
  std::string key;
  int keyIndex = 0;
  std::string mac;  // empty: the access point's BSSID
};

struct ScenarioWps {
  std::string version = "0x10";
  int state = 2;
  std::string configMethods = "0x0188";
  std::optional<std::string> devicePasswordId;
  bool selectedRegistrar = false;
  std::string uuidE;
  std::optional<int> rfBands;
  bool apSetupLocked = false;
  // What a run with this access point does (see SimWps).
  std::string pin = "any";                                        // the PIN it takes: eight digits, or "any" valid one
  bool pushButton = false;                                        // its button is pressed ...
  double pushButtonAt = 0;                                        // ... from this many seconds of loop time on ...
  std::optional<double> pushButtonFor;                            // ... for this long (absent: for good)
  std::optional<std::vector<ScenarioWpsCredential>> credentials;  // absent: its own network's
  std::optional<int> failAt;                                      // the status code a run ends on
};

struct ScenarioIp {
  std::string address = "192.168.1.23";
  std::string mask = "255.255.255.0";
  std::string gateway = "192.168.1.1";
  std::string apAddress = "192.168.1.1";
};

struct ScenarioLink {
  std::string txRate;  // HT or legacy rate word as hex text; empty: derived from the PHY
  std::string rxRate;
  int quality = 75;
  std::vector<int> snr = {30, 28};
  std::uint64_t txBytesPerSecond = 250000;
  std::uint64_t rxBytesPerSecond = 1000000;
};

struct ScenarioNetwork {
  std::string ssid;
  std::optional<std::string> ssidHex;  // wins over ssid
  std::string bssid;                   // "00-11-22-33-44-55"
  int channel = 6;
  std::optional<std::uint32_t> frequencyKhz;  // else from the channel
  int rssi = -60;
  std::string bssType = "infrastructure";  // infrastructure | independent
  std::string phy = "g";                   // a | b | g | n
  int beaconPeriod = 100;
  std::vector<int> rates;       // 500 kbit/s units; empty: by PHY
  std::optional<bool> privacy;  // else from the security
  ScenarioSecurity security;
  std::optional<ScenarioHt> ht;
  std::optional<ScenarioWps> wps;
  bool ccx = false;                    // add Cisco-style 00-40-96 elements
  std::optional<std::string> ies;      // raw elements as hex, used verbatim
  std::optional<std::string> capture;  // not used per network; see Scenario::captures
  ScenarioIp ip;
  ScenarioLink link;
};

struct ScenarioPlatformProfile {
  std::string ssid;
  std::optional<std::string> xml;
  int adapter = 0;
};

struct ScenarioEvent {
  double at = 0;       // virtual seconds
  std::string action;  // "do": unplug | plug | icv-error | icv-clear | add-network | remove-network |
                       // press-wps-button | ...
  int adapter = 0;
  std::optional<ScenarioNetwork> network;  // add-network
  std::string bssid;                       // remove-network
};

struct Scenario {
  int version = 1;
  ScenarioOs os;
  std::vector<ScenarioAdapter> adapters;
  bool wlanServiceRunning = true;
  std::vector<ScenarioNetwork> networks;
  std::vector<std::string> captures;  // capture files whose beacons become networks
  std::vector<ScenarioPlatformProfile> platformProfiles;
  std::vector<ScenarioEvent> events;
  std::string sourceName = "<embedded>";  // file name for messages
};

}  // namespace nxui::sim
