#include "profiles/ProfileExport.h"

#include <cstdio>

#include "adapter/ChannelFrequencyTable.h"
#include "base/Crypto.h"
#include "base/HexText.h"
#include "profiles/ConnectionSettingsBuilder.h"
#include "profiles/PassphraseKey.h"
#include "profiles/ProfileStore.h"
#include "wlan/WlanProfileBuilder.h"

namespace nxui {
namespace {

// Lower-case hex of `size` bytes at `data`.
std::string Hex(const std::uint8_t* data, std::size_t size) { return HexBytes(std::span(data, size)); }

std::string_view SsidOf(const ConnectionSettings& record) {
  return std::string_view(reinterpret_cast<const char*>(record.ssid.data()),
                          std::min<std::uint32_t>(record.ssidLength, 32));
}

bool Printable(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

enum class Security { Open, Wep, WpaPsk, WpaNone, Eap, Leap };

Security SecurityOf(const ConnectionSettings& record) {
  if (record.leapEnabled != 0) return Security::Leap;
  if (record.use8021X != 0 || record.authMode == AuthMode::kWpa || record.authMode == AuthMode::kWpa2) {
    return Security::Eap;
  }
  if (record.authMode == AuthMode::kWpaPsk || record.authMode == AuthMode::kWpa2Psk) return Security::WpaPsk;
  if (record.authMode == AuthMode::kWpaNone) return Security::WpaNone;
  if (record.authMode == AuthMode::kShared || record.cipherMode == CipherMode::kWep) return Security::Wep;
  return Security::Open;
}

bool Rsn(const ConnectionSettings& record) {
  return record.authMode == AuthMode::kWpa2 || record.authMode == AuthMode::kWpa2Psk;
}

// The 32-byte key a WPA-PSK profile connects with: 64 hex digits as they are, else derived.
// False when it cannot be derived.
bool PskHex(const ConnectionSettings& record, std::string& hex) {
  const std::string_view text = record.PreSharedKeyText();
  PreSharedKey key{};
  if (!ParseHexPsk(text, key) && !PassphraseToPsk(text, SsidOf(record), key)) return false;
  hex = Hex(key.data(), key.size());
  return true;
}

std::uint32_t AdhocFrequencyMhz(const ConnectionSettings& record) {
  std::uint32_t khz = record.channelFrequencyKhz;
  if (khz == 0 && record.channel > 0) ChannelToFrequency(static_cast<std::uint32_t>(record.channel), khz);
  return khz / 1000;
}

// GKeyFile escapes: backslash, control characters, and blanks at either end.
std::string KeyfileValue(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == ' ' && (i == 0 || i + 1 == value.size())) {
      out += "\\s";
    } else {
      out += c;
    }
  }
  return out;
}

// A name-derived UUID (version 5 layout over SHA-1), so exporting twice gives the same connection.
// False when SHA-1 is not available.
bool UuidForName(std::string_view name, std::string& uuid) {
  const std::string input = "nxui-profile:" + std::string(name);
  Sha1Digest digest{};
  if (!CryptoLibrary::Process().Sha1(std::span(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()),
                                     digest)) {
    return false;
  }
  digest[6] = static_cast<std::uint8_t>((digest[6] & 0x0F) | 0x50);
  digest[8] = static_cast<std::uint8_t>((digest[8] & 0x3F) | 0x80);
  const std::string hex = Hex(digest.data(), 16);
  uuid = hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" + hex.substr(16, 4) + "-" +
         hex.substr(20, 12);
  return true;
}

std::string KeyfileSsid(std::string_view ssid) {
  // Plain text when it reads back as the same bytes; otherwise the byte list form.
  const bool plain = Printable(ssid) && ssid.find(';') == std::string_view::npos &&
                     ssid.find('\\') == std::string_view::npos && !ssid.empty() && ssid.front() != ' ' &&
                     ssid.back() != ' ';
  if (plain) return std::string(ssid);
  std::string list;
  for (char c : ssid) list += std::to_string(static_cast<unsigned char>(c)) + ";";
  return list;
}

// wpa_supplicant takes "text" (up to the last quote) or hex; hex for names that are not plain text.
std::string SupplicantString(std::string_view text) {
  if (Printable(text) && !text.empty()) return "\"" + std::string(text) + "\"";
  return Hex(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

const KeySlot* TransmitWepKey(const ConnectionSettings& record, std::size_t& slot) {
  for (slot = 0; slot < record.wepKeys.size(); ++slot) {
    if (record.wepKeys[slot].present != 0 && (record.wepKeys[slot].keyIndex & kTransmitKeyBit) != 0) {
      return &record.wepKeys[slot];
    }
  }
  return nullptr;
}

ExportResult Fail(std::string error) { return ExportResult{false, {}, std::move(error)}; }

std::string KeyDerivationUnavailable() {
  const std::string& why = CryptoLibrary::Process().Error();
  return "the key could not be derived" + (why.empty() ? std::string() : ": " + why);
}

}  // namespace

ConnectionSettings ProfileConnectionRecord(const StoreFileSnapshot& profiles, std::string_view name) {
  ConnectionSettings record;
  ConnectionBuildInputs inputs;
  inputs.adapterReady = true;
  BuildConnectionSettings(profiles, inputs, record, name);
  return record;
}

ExportResult ExportProfile(const StoreFileSnapshot& profiles, std::string_view name, ExportFormat format) {
  if (!profiles.HasSection(name)) return Fail("no profile named \"" + std::string(name) + "\"");
  const ConnectionSettings record = ProfileConnectionRecord(profiles, name);
  if (record.ssidLength == 0) return Fail("the profile has no network name");
  switch (format) {
    case ExportFormat::WlanXml:
      return ExportWlanXml(record);
    case ExportFormat::NetworkManager:
      return ExportNetworkManager(record, name);
    case ExportFormat::WpaSupplicant:
      return ExportWpaSupplicant(record, name);
  }
  return Fail("unknown format");
}

ExportResult ExportWlanXml(const ConnectionSettings& record) {
  const WlanProfile profile = BuildWlanProfile(record);
  switch (profile.status) {
    case WlanProfileStatus::kOk:
      return ExportResult{true, profile.document + "\n", {}};
    case WlanProfileStatus::kTooLong:
      return Fail("the profile document would be longer than the platform accepts");
    case WlanProfileStatus::kKeyNotRepresentable:
      return Fail("the pre-shared key holds characters an XML document cannot carry");
  }
  return Fail("the profile document could not be built");
}

ExportResult ExportNetworkManager(const ConnectionSettings& record, std::string_view profileName) {
  const Security security = SecurityOf(record);
  if (security == Security::WpaNone) return Fail("NetworkManager has no WPA-None key management");
  const bool adhoc = record.networkType == NetworkType::kAdhoc;

  std::string out;
  out += "[connection]\n";
  out += "id=" + KeyfileValue(profileName) + "\n";
  std::string uuid;
  if (!UuidForName(profileName, uuid)) return Fail(KeyDerivationUnavailable());
  out += "uuid=" + uuid + "\n";
  out += "type=wifi\n\n";

  out += "[wifi]\n";
  out += std::string("mode=") + (adhoc ? "adhoc" : "infrastructure") + "\n";
  out += "ssid=" + KeyfileSsid(SsidOf(record)) + "\n";
  if (adhoc) {
    const std::uint32_t mhz = AdhocFrequencyMhz(record);
    if (mhz != 0) {
      std::uint32_t channel = 0;
      FrequencyToChannel(mhz * 1000, channel);
      out += std::string("band=") + (mhz < 3000 ? "bg" : "a") + "\n";
      out += "channel=" + std::to_string(channel % JapanChannelBase) + "\n";
    }
  } else {
    // The platform document marks every infrastructure network as possibly hidden.
    out += "hidden=true\n";
  }
  out += "\n";

  auto wifiSecurity = [&out](std::string_view keyMgmt) {
    out += "[wifi-security]\n";
    out += "key-mgmt=" + std::string(keyMgmt) + "\n";
  };
  switch (security) {
    case Security::Open:
      break;
    case Security::Wep: {
      wifiSecurity("none");
      out += std::string("auth-alg=") + (record.authMode == AuthMode::kShared ? "shared" : "open") + "\n";
      out += "wep-key-type=1\n";
      std::size_t transmit = 0;
      if (TransmitWepKey(record, transmit) != nullptr) out += "wep-tx-keyidx=" + std::to_string(transmit) + "\n";
      for (std::size_t slot = 0; slot < record.wepKeys.size(); ++slot) {
        const KeySlot& key = record.wepKeys[slot];
        if (key.present != 0) out += "wep-key" + std::to_string(slot) + "=" + Hex(key.key.data(), key.keyLength) + "\n";
      }
      out += "\n";
      break;
    }
    case Security::WpaPsk: {
      wifiSecurity("wpa-psk");
      const bool rsn = Rsn(record);
      out += std::string("proto=") + (rsn ? "rsn" : "wpa") + "\n";
      const std::string cipher = record.cipherMode == CipherMode::kTkip ? "tkip" : "ccmp";
      out += "pairwise=" + cipher + "\n";
      out += "psk=" + KeyfileValue(record.PreSharedKeyText()) + "\n\n";
      break;
    }
    case Security::Eap: {
      const bool wpa = record.authMode == AuthMode::kWpa || record.authMode == AuthMode::kWpa2;
      wifiSecurity(wpa ? "wpa-eap" : "ieee8021x");
      out += "\n[802-1x]\n";
      out += "eap=peap\n";
      if (!TextOf(record.identity).empty()) out += "identity=" + KeyfileValue(TextOf(record.identity)) + "\n";
      if (!TextOf(record.password).empty()) out += "password=" + KeyfileValue(TextOf(record.password)) + "\n";
      out += "phase2-auth=mschapv2\n\n";
      break;
    }
    case Security::Leap:
      wifiSecurity("ieee8021x");
      out += "auth-alg=leap\n";
      out += "leap-username=" + KeyfileValue(TextOf(record.leapUserName)) + "\n";
      out += "leap-password=" + KeyfileValue(TextOf(record.leapPassword)) + "\n\n";
      break;
    case Security::WpaNone:
      break;
  }
  out += "[ipv4]\nmethod=auto\n\n[ipv6]\nmethod=auto\n";
  return ExportResult{true, out, {}};
}

ExportResult ExportWpaSupplicant(const ConnectionSettings& record, std::string_view profileName) {
  const Security security = SecurityOf(record);
  const bool adhoc = record.networkType == NetworkType::kAdhoc;
  std::string out;
  // The profile name is a comment only: a line break cannot reach it (the store refuses those).
  out += "# " + std::string(profileName) + "\n";
  out += "network={\n";
  out += "\tssid=" + SupplicantString(SsidOf(record)) + "\n";
  if (adhoc) {
    out += "\tmode=1\n";
    if (const std::uint32_t mhz = AdhocFrequencyMhz(record); mhz != 0) {
      out += "\tfrequency=" + std::to_string(mhz) + "\n";
    }
  } else {
    out += "\tscan_ssid=1\n";
  }
  const std::string cipher = record.cipherMode == CipherMode::kTkip ? "TKIP" : "CCMP";
  switch (security) {
    case Security::Open:
      out += "\tkey_mgmt=NONE\n";
      break;
    case Security::Wep: {
      out += "\tkey_mgmt=NONE\n";
      out += std::string("\tauth_alg=") + (record.authMode == AuthMode::kShared ? "SHARED" : "OPEN") + "\n";
      for (std::size_t slot = 0; slot < record.wepKeys.size(); ++slot) {
        const KeySlot& key = record.wepKeys[slot];
        if (key.present != 0)
          out += "\twep_key" + std::to_string(slot) + "=" + Hex(key.key.data(), key.keyLength) + "\n";
      }
      std::size_t transmit = 0;
      if (TransmitWepKey(record, transmit) != nullptr) out += "\twep_tx_keyidx=" + std::to_string(transmit) + "\n";
      break;
    }
    case Security::WpaPsk:
      out += "\tkey_mgmt=WPA-PSK\n";
      out += std::string("\tproto=") + (Rsn(record) ? "RSN" : "WPA") + "\n";
      out += "\tpairwise=" + cipher + "\n";
      {
        std::string psk;
        if (!PskHex(record, psk)) return Fail(KeyDerivationUnavailable());
        out += "\tpsk=" + psk + "\n";
      }
      break;
    case Security::WpaNone:
      out += "\tkey_mgmt=WPA-NONE\n";
      out += "\tproto=WPA\n";
      out += "\tpairwise=NONE\n";
      out += "\tgroup=" + cipher + "\n";
      if (record.wpaNoneKey.present == 0) return Fail(KeyDerivationUnavailable());
      out += "\tpsk=" + Hex(record.wpaNoneKey.key.data(), 32) + "\n";
      break;
    case Security::Eap: {
      const bool wpa = record.authMode == AuthMode::kWpa || record.authMode == AuthMode::kWpa2;
      out += std::string("\tkey_mgmt=") + (wpa ? "WPA-EAP" : "IEEE8021X") + "\n";
      if (wpa) out += std::string("\tproto=") + (Rsn(record) ? "RSN" : "WPA") + "\n";
      out += "\teap=PEAP\n";
      if (!TextOf(record.identity).empty()) out += "\tidentity=" + SupplicantString(TextOf(record.identity)) + "\n";
      if (!TextOf(record.password).empty()) out += "\tpassword=\"" + std::string(TextOf(record.password)) + "\"\n";
      out += "\tphase2=\"auth=MSCHAPV2\"\n";
      break;
    }
    case Security::Leap:
      out += "\tkey_mgmt=IEEE8021X\n";
      out += "\teap=LEAP\n";
      out += "\tidentity=" + SupplicantString(TextOf(record.leapUserName)) + "\n";
      out += "\tpassword=\"" + std::string(TextOf(record.leapPassword)) + "\"\n";
      break;
  }
  out += "}\n";
  return ExportResult{true, out, {}};
}

}  // namespace nxui
