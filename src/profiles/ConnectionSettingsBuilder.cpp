#include "profiles/ConnectionSettingsBuilder.h"

#include <algorithm>

#include "adapter/AdapterRegistry.h"
#include "adapter/ChannelFrequencyTable.h"
#include "base/HexText.h"
#include "profiles/PassphraseKey.h"

namespace nxui {
namespace {

constexpr std::array<std::uint8_t, 6> kBroadcast = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr std::int32_t kRtsDisabled = 2347;
constexpr std::int32_t kAuthenProtocolTtls = 2;

class StationReader {
 public:
  StationReader(const StoreFileSnapshot& station, std::string_view section) : station_(station), section_(section) {}

  bool Has(std::string_view key) const { return station_.Has(section_, key); }
  std::string Text(std::string_view key) const { return station_.Value(section_, key); }
  int Number(std::string_view key) const { return ParseDecimal(Text(key)); }

  // Sets `field` from the key when it is present.
  template <typename Field>
  void ReadNumber(std::string_view key, Field& field) const {
    if (Has(key)) field = static_cast<Field>(Number(key));
  }
  void ReadText(std::string_view key, RecordText& field) const {
    if (Has(key)) AssignText(field, Text(key));
  }

 private:
  const StoreFileSnapshot& station_;
  std::string_view section_;
};

// Lower-case hex certificate identifier, at most the record's 64 bytes and `declared` bytes.
void ReadCertificate(const StationReader& station, std::string_view lengthKey, std::string_view dataKey,
                     std::uint32_t& length, std::array<std::uint8_t, 64>& data) {
  if (!station.Has(lengthKey) && !station.Has(dataKey)) return;
  const std::string text = station.Text(dataKey);
  const int declared = std::max(0, station.Number(lengthKey));
  std::size_t count = std::min<std::size_t>({static_cast<std::size_t>(declared), data.size(), text.size() / 2});
  data.fill(0);
  std::size_t i = 0;
  for (; i < count; ++i) {
    const int high = HexDigitValue(text[2 * i]);
    const int low = HexDigitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) break;
    data[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  length = static_cast<std::uint32_t>(i);
}

}  // namespace

KeySlot WepSlotFromStoredKey(std::string_view stored, std::uint32_t slot, bool transmitKey) {
  KeySlot key;
  if (stored.size() <= 1) return key;
  key.present = 1;
  key.keyIndex = slot | (transmitKey ? kTransmitKeyBit : 0);
  key.keyLength = (stored.size() == 10 || stored.size() == 11) ? 5 : 13;
  key.bssid = kBroadcast;
  for (std::size_t i = 0; i < key.keyLength && 2 * i + 1 < stored.size(); ++i) {
    const int high = HexDigitValue(stored[2 * i]);
    const int low = HexDigitValue(stored[2 * i + 1]);
    key.key[i] = (high < 0 || low < 0) ? 0 : static_cast<std::uint8_t>(high * 16 + low);
  }
  return key;
}

void BuildConnectionSettings(const StoreFileSnapshot& file, const ConnectionBuildInputs& inputs,
                             ConnectionSettings& record, std::string_view section) {
  const StationReader station(file, section);
  record.byBssid = 0;

  const std::string ssid = station.Text("SSID");
  if (station.Has("SSID")) {
    record.ssidLength = static_cast<std::uint32_t>(std::min<std::size_t>(ssid.size(), record.ssid.size()));
    record.ssid.fill(0);
    std::copy_n(ssid.begin(), record.ssidLength, record.ssid.begin());
  }

  station.ReadNumber("NetworkType", record.networkType);
  if (record.networkType == NetworkType::kAdhoc && inputs.currentBssid) {
    std::array<std::uint8_t, 6> bssid{};
    if (inputs.currentBssid(bssid)) record.bssid = bssid;
  }

  station.ReadNumber("PreambleType", record.preamble);
  if (record.preamble == 1) record.preamble = 2;

  record.rtsThreshold = station.Number("UseRts") != 0 ? station.Number("RtsThresh") : kRtsDisabled;
  record.fragThreshold = station.Number("UseFrag") != 0 ? station.Number("FragThresh") : 0;

  station.ReadNumber("AuthMode", record.authMode);
  // Codes outside the enumeration count as open.
  if (record.authMode > AuthMode::kWpa2Psk || record.authMode < AuthMode::kOpen) record.authMode = AuthMode::kOpen;
  station.ReadNumber("CipherMode", record.cipherMode);

  const bool leap = station.Number("LeapEnabled") != 0;
  if (station.Has("LeapEnabled")) record.leapEnabled = leap ? 1 : 0;
  station.ReadNumber("Use8021X", record.use8021X);
  if (leap) {
    station.ReadText("LeapUserName", record.leapUserName);
    station.ReadText("LeapPassword", record.leapPassword);
    record.use8021X = 0;
  }

  if (inputs.adapterReady && (record.authMode == AuthMode::kWpa || record.use8021X != 0)) {
    station.ReadNumber("AuthenProtocol", record.authenProtocol);
    if (station.Has("TunnelProtocol")) {
      if (record.authenProtocol == kAuthenProtocolTtls) {
        record.ttlsTunnelProtocol = station.Number("TunnelProtocol");
      } else {
        record.peapTunnelProtocol = station.Number("TunnelProtocol");
      }
    }
    station.ReadNumber("ProvisioningTunnel", record.provisioningTunnel);
    station.ReadText("ID", record.identity);
    station.ReadText("Password", record.password);
    station.ReadText("TunnelID", record.tunnelIdentity);
    station.ReadText("TunnelPassword", record.tunnelPassword);
    station.ReadNumber("SessionResumption", record.sessionResumption);
    station.ReadNumber("PasswordMode", record.passwordMode);
    station.ReadNumber("UseClientCert", record.useClientCert);
    if (record.useClientCert != 0) {
      ReadCertificate(station, "ClientCertLen", "ClientCertData", record.clientCertLength, record.clientCertData);
    }
    station.ReadNumber("UseServerCert", record.useServerCert);
    if (record.useServerCert != 0) {
      ReadCertificate(station, "ServerCertLen", "ServerCertData", record.serverCertLength, record.serverCertData);
    }
    station.ReadNumber("UsePAC", record.usePac);
    station.ReadNumber("ProvisionMode", record.provisionMode);
    station.ReadText("PACFilePath", record.pacFilePath);
    station.ReadText("ServerName", record.serverName);
    station.ReadNumber("NameRule", record.nameRule);
    station.ReadNumber("IntermediateCert", record.intermediateCert);
  }

  const std::string psk = station.Text("WPAPSK");
  // WPA-None carries its key to the platform's profile document as well as to the driver: without
  // it the ad hoc network could never be joined through the platform.
  if (record.authMode == AuthMode::kWpaPsk || record.authMode == AuthMode::kWpa2Psk ||
      record.authMode == AuthMode::kWpaNone) {
    const std::size_t length = std::min(psk.size(), record.preSharedKey.size());
    record.preSharedKey.fill('\0');
    std::copy_n(psk.begin(), length, record.preSharedKey.begin());
    record.preSharedKeyLength = static_cast<std::int32_t>(length);
  }
  if (record.authMode == AuthMode::kWpaNone) {
    record.wpaNoneKey = KeySlot{};
    PreSharedKey key{};
    // Without a key the slot stays empty and the driver refuses the network, rather than joining
    // with a key that is not the user's.
    if (ParseHexPsk(psk, key) || PassphraseToPsk(psk, ssid, key)) {
      record.wpaNoneKey.present = 1;
      record.wpaNoneKey.keyIndex = kTransmitKeyBit;
      record.wpaNoneKey.keyLength = static_cast<std::uint32_t>(key.size());
      record.wpaNoneKey.bssid = kBroadcast;
      std::copy(key.begin(), key.end(), record.wpaNoneKey.key.begin());
    }
  }

  if ((record.authMode == AuthMode::kShared || record.cipherMode == CipherMode::kWep) && !leap) {
    const int transmit = station.Number("WEPKeyUse");
    for (std::uint32_t slot = 0; slot < 4; ++slot) {
      const std::string key = station.Text("WEPKey" + std::to_string(slot + 1));
      record.wepKeys[slot] = WepSlotFromStoredKey(key, slot, transmit == static_cast<int>(slot + 1));
    }
  }

  station.ReadNumber("TXPower", record.txPower);

  station.ReadNumber("Channel", record.channel);
  if (record.networkType == NetworkType::kAdhoc && record.channel > 0) {
    std::uint32_t frequency = 0;
    if (ChannelToFrequency(static_cast<std::uint32_t>(record.channel), frequency)) {
      record.channelFrequencyKhz = frequency;
    }
  }

  station.ReadNumber("PSMode", record.psMode);
  if (record.psMode == 1) record.psMode = 2;
  if (record.psMode >= 3) record.psMode = 0;

  if (inputs.driverVersion > kAcPowerCamDriverVersion) station.ReadNumber("ACPowerCam", record.acPowerCam);
}

}  // namespace nxui
