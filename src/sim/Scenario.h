// A simulated world as a scenario file describes it (JSON, version 1), with every enum and number
// already parsed by the loader: nothing below re-reads scenario text. Omitted fields keep the
// realistic defaults written here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/Oids.h"

namespace nxui::sim {

using MacAddress = std::array<std::uint8_t, 6>;
using Ipv4Address = std::array<std::uint8_t, 4>;
using UuidBytes = std::array<std::uint8_t, 16>;

enum class ProductType { Workstation, Server, DomainController };
enum class Phy { A, B, G, N };
enum class BssKind { Infrastructure, Independent };
enum class AuthKind { Open, Shared, Wpa, WpaPsk, Wpa2, Wpa2Psk, WpaPskWpa2Psk, WpaNone };
enum class CipherKind { None, Wep, Tkip, Aes, TkipAes };
enum class EventAction { Unplug, Plug, IcvError, IcvClear, AddNetwork, RemoveNetwork, PressWpsButton };

struct ScenarioOs {
  int major = 6;
  int minor = 0;
  int build = 6002;
  int platformId = 2;  // 1 = 9x line, 2 = NT
  ProductType productType = ProductType::Workstation;
  bool admin = true;
  bool wow64 = false;
  bool extendedVersionInfo = true;  // false: the extended GetVersionEx record fails
};

struct ScenarioDriverFile {
  std::string version = "2.1.2.0";  // a.b.c.d, checked by the loader
  std::string date = "2008-05-06";  // YYYY-MM-DD, checked by the loader
};

struct ScenarioDriver {
  int ndisVersion = 0x0501;                                                // OID_GEN_DRIVER_VERSION
  std::optional<std::vector<int>> eepromVersion = std::vector<int>{1, 2};  // nullopt: query fails
  std::optional<std::vector<int>> firmwareVersion = std::vector<int>{3, 4};
  ScenarioDriverFile file;
  int rssiChains = 2;            // chains beyond this report -200
  int noise = -92;               // dBm
  std::vector<Oid> failingOids;  // every request of these fails
  int opMode = 0;
  int txPowerPercent = 100;
  bool is11n = true;  // answers the 802.11n OIDs with HT rate words
};

struct ScenarioBands {
  bool ghz24 = true;
  bool ghz5 = true;
};

// A text value of a registry key given by the scenario.
struct ScenarioRegistryValue {
  std::string key;  // relative to where the value list was given ("" for that key itself)
  std::string name;
  std::string value;
};

struct ScenarioAdapter {
  std::string hardwareId = "USB\\VID_1B75&PID_3072&REV_0101";
  std::string friendlyName = "VQ-MA310X 11N Wireless Adapter";
  std::string deviceDescription = "VQ-MA310X 11N Wireless Adapter";
  std::string location = "Port_#0002.Hub_#0001";
  std::string manufacturer = "Norvix";
  std::string instanceId = "{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}";
  std::string driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
  MacAddress mac = {0x00, 0x0C, 0x43, 0x30, 0x72, 0x81};
  bool present = true;
  ScenarioBands bands;
  ScenarioDriver driver;
  // Initial values of the adapter's class key (decimal texts unless stated).
  std::vector<std::pair<std::string, std::string>> registry;
  // Values of keys below the class key (e.g. "Profile\Station\Office"), in file order.
  std::vector<ScenarioRegistryValue> registrySubkeys;
};

// What the authentication server behind an 802.1X network accepts (see SimOneX).
enum class EapAsk { Nothing, NewPassword, OneTimePassword };

struct ScenarioEap {
  std::string identity;  // empty: any identity
  std::string password;  // empty: any password
  EapAsk ask = EapAsk::Nothing;
  std::string oneTimePassword;  // empty: any non-empty one
  int attempts = 3;             // refused credentials before the exchange fails
};

struct ScenarioSecurity {
  AuthKind auth = AuthKind::Open;
  CipherKind cipher = CipherKind::None;
  std::string passphrase;
  std::vector<std::string> wepKeys;
  int wepKeyIndex = 0;
  // An 802.1X (wpa, wpa2) network with an "eap" block runs an exchange before it connects.
  std::optional<ScenarioEap> eap;
};

struct ScenarioHt {
  std::uint16_t capabilities = 0x096E;
  std::uint8_t ampdu = 0x17;
  int primaryChannel = 0;   // 0: the network's channel
  int secondaryOffset = 0;  // 0 none, 1 above, 3 below
  int width = 20;
};

// A credential an access point hands out in a WPS run (names as in ScenarioSecurity).
struct ScenarioWpsCredential {
  std::string ssid;
  AuthKind auth = AuthKind::Open;
  CipherKind cipher = CipherKind::None;
  std::string key;
  int keyIndex = 0;
  std::optional<MacAddress> mac;  // absent: the access point's BSSID
};

struct ScenarioWps {
  std::uint8_t version = 0x10;
  int state = 2;
  std::uint16_t configMethods = 0x0188;
  std::optional<std::uint16_t> devicePasswordId;
  bool selectedRegistrar = false;
  std::optional<UuidBytes> uuidE;
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
  Ipv4Address address = {192, 168, 1, 23};
  Ipv4Address mask = {255, 255, 255, 0};
  Ipv4Address gateway = {192, 168, 1, 1};
  Ipv4Address apAddress = {192, 168, 1, 1};
};

struct ScenarioLink {
  std::optional<std::uint16_t> txRate;  // HT or legacy rate word; none: derived from the PHY
  std::optional<std::uint16_t> rxRate;
  int quality = 75;
  std::vector<int> snr = {30, 28};
  std::uint64_t txBytesPerSecond = 250000;
  std::uint64_t rxBytesPerSecond = 1000000;
};

struct ScenarioNetwork {
  std::string ssid;  // the SSID's bytes (up to 32; "ssidHex" in the file)
  MacAddress bssid{};
  int channel = 6;
  std::optional<std::uint32_t> frequencyKhz;  // else from the channel
  int rssi = -60;
  BssKind bssType = BssKind::Infrastructure;
  Phy phy = Phy::G;
  int beaconPeriod = 100;
  std::vector<int> rates;       // 500 kbit/s units; empty: by PHY
  std::optional<bool> privacy;  // else from the security
  ScenarioSecurity security;
  std::optional<ScenarioHt> ht;
  std::optional<ScenarioWps> wps;
  bool ccx = false;                              // add Cisco-style 00-40-96 elements
  std::optional<std::vector<std::uint8_t>> ies;  // raw elements, used verbatim
  std::vector<MacAddress> peers;                 // independent networks: the other stations
  ScenarioIp ip;
  ScenarioLink link;
};

struct ScenarioPlatformProfile {
  std::string ssid;
  std::optional<std::string> xml;
  int adapter = 0;
};

struct ScenarioEvent {
  double at = 0;  // virtual seconds
  EventAction action = EventAction::Unplug;
  int adapter = 0;
  std::optional<ScenarioNetwork> network;  // add-network
  MacAddress bssid{};                      // remove-network
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
  // Values of other keys below HKEY_LOCAL_MACHINE (e.g. the single sign-on key), in file order.
  std::vector<ScenarioRegistryValue> machineRegistry;
  std::string sourceName = "<embedded>";  // file name for messages
};

// "00-0C-43-30-72-81" or with colons; nullopt when malformed.
std::optional<MacAddress> ParseMac(std::string_view text);
// "00-0C-43-30-72-81".
std::string MacText(const MacAddress& mac);
// "192.168.1.23".
std::string Ipv4Text(const Ipv4Address& address);

}  // namespace nxui::sim
