// The connection record: everything one connection attempt needs, built from the station settings
// or from a WPS credential, consumed by the action queue, the WLAN session and the profile-document
// builder. Fixed-size and zero-initialised, so a fresh record is "open, ad hoc, nothing set"
// exactly like the zero-filled record the profile code starts from.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nxui {

// Codes of the stored profile keys (the NDIS 802.11 enumerations). The record keeps them 32 bits
// wide as the driver takes them; a code read from a file may lie outside the names, so readers
// check the range where it matters.
enum class AuthMode : std::int32_t {
  kOpen = 0,
  kShared = 1,
  kAutoSwitch = 2,
  kWpa = 3,
  kWpaPsk = 4,
  kWpaNone = 5,
  kWpa2 = 6,
  kWpa2Psk = 7,
};

enum class CipherMode : std::int32_t {
  kWep = 0,
  kNone = 1,
  kTkip = 4,
  kAes = 6,
};

enum class NetworkType : std::int32_t {
  kAdhoc = 0,
  kInfrastructure = 1,
  kAuto = 2,
};

// The stored number of a code (profile files, string table offsets).
constexpr std::int32_t CodeOf(AuthMode mode) { return static_cast<std::int32_t>(mode); }
constexpr std::int32_t CodeOf(CipherMode mode) { return static_cast<std::int32_t>(mode); }
constexpr std::int32_t CodeOf(NetworkType type) { return static_cast<std::int32_t>(type); }

// Set in a key slot's keyIndex to mark the transmit (default) key.
inline constexpr std::uint32_t kTransmitKeyBit = 0x80000000u;

// One key for the driver: a WEP key (5 or 13 bytes) or the 32-byte WPA-None group key.
struct KeySlot {
  std::uint32_t present = 0;
  std::uint32_t keyIndex = 0;           // slot number, kTransmitKeyBit for the transmit key
  std::uint32_t keyLength = 0;          // bytes used in key
  std::array<std::uint8_t, 6> bssid{};  // the broadcast address for group keys
  std::array<std::uint8_t, 32> key{};
};

// Texts read from the profile store are at most 127 characters (the store's read buffer).
using RecordText = std::array<char, 128>;

inline void AssignText(RecordText& target, std::string_view text) {
  target.fill('\0');
  const std::size_t count = std::min(text.size(), target.size() - 1);
  std::copy_n(text.begin(), count, target.begin());
}

inline std::string_view TextOf(const RecordText& text) {
  const auto end = std::find(text.begin(), text.end(), '\0');
  return std::string_view(text.data(), static_cast<std::size_t>(end - text.begin()));
}

struct ConnectionSettings {
  // Target.
  std::int32_t byBssid = 0;      // 0 connect by name, non-zero to the access point in bssid
  std::uint32_t ssidLength = 0;  // 0..32
  std::array<std::uint8_t, 32> ssid{};
  std::array<std::uint8_t, 6> bssid{};

  // Radio settings of the profile.
  NetworkType networkType = NetworkType::kAdhoc;
  std::int32_t preamble = 0;  // 0 long, 2 auto
  std::int32_t rtsThreshold = 0;
  std::int32_t fragThreshold = 0;
  std::int32_t txPower = 0;  // index 0..6 (0 automatic)
  std::int32_t channel = 0;  // channel number as stored (J channels above 200), for display
  // "The record's channel" as the driver takes it (DS configuration, ad hoc STA configuration):
  // the centre frequency in kHz, filled for ad hoc records only.
  std::uint32_t channelFrequencyKhz = 0;
  std::int32_t psMode = 0;  // 0 CAM, 2 PSM
  std::int32_t acPowerCam = 0;

  // Security.
  AuthMode authMode = AuthMode::kOpen;
  CipherMode cipherMode = CipherMode::kWep;

  std::uint8_t leapEnabled = 0;
  RecordText leapUserName{};
  RecordText leapPassword{};

  std::int32_t use8021X = 0;

  // 802.1X settings; the numeric codes are those the profile editor writes.
  std::int32_t authenProtocol = 0;
  std::int32_t peapTunnelProtocol = 0;  // TunnelProtocol when authenProtocol is not 2
  std::int32_t ttlsTunnelProtocol = 0;  // TunnelProtocol when authenProtocol is 2
  std::int32_t provisioningTunnel = 0;
  RecordText identity{};
  RecordText password{};
  RecordText tunnelIdentity{};
  RecordText tunnelPassword{};
  std::int32_t sessionResumption = 0;
  std::int32_t passwordMode = 0;
  std::int32_t useClientCert = 0;
  std::uint32_t clientCertLength = 0;  // bytes used in clientCertData
  std::array<std::uint8_t, 64> clientCertData{};
  std::int32_t useServerCert = 0;
  std::uint32_t serverCertLength = 0;
  std::array<std::uint8_t, 64> serverCertData{};
  std::int32_t usePac = 0;
  std::int32_t provisionMode = 0;
  RecordText pacFilePath{};
  RecordText serverName{};
  std::int32_t nameRule = 0;
  std::int32_t intermediateCert = 0;

  // WPA/WPA2 pre-shared key: pass phrase (8..63 characters) or 64 hexadecimal digits.
  std::array<char, 64> preSharedKey{};
  std::int32_t preSharedKeyLength = 0;

  KeySlot wpaNoneKey{};              // AuthMode::kWpaNone only
  std::array<KeySlot, 4> wepKeys{};  // AuthMode::kShared or CipherMode::kWep

  // Radio parameters from the adapter's registry key, used by the action queue.
  std::int32_t useRegistryRadio = 0;
  std::int32_t keepWirelessMode = 0;
  std::int32_t wirelessMode = 0;
  std::uint32_t transmitSetting = 0;
  std::int32_t transRate = 0;
  std::array<std::uint8_t, 8> desiredRates{};  // 500 kbit/s units
  std::array<std::uint32_t, 8> phyConfig{};    // TXBurst, TurboRate, BGProtection, ShortSlot, driver words
  std::uint32_t ccxControl = 0;
  std::uint32_t regionWord = 0;  // CountryRegion + 256 * CountryRegionABand

  // 1 when built for a stored profile: only then does the queue start a platform connection.
  std::int32_t fromProfile = 0;

  // The inner method in force, whichever side the editor stored it on.
  std::int32_t TunnelProtocol() const { return authenProtocol == 2 ? ttlsTunnelProtocol : peapTunnelProtocol; }

  std::string_view PreSharedKeyText() const {
    const auto count = static_cast<std::size_t>(
        std::clamp<std::int32_t>(preSharedKeyLength, 0, static_cast<std::int32_t>(preSharedKey.size())));
    return std::string_view(preSharedKey.data(), count);
  }
};

}  // namespace nxui
