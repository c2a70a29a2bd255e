#include "wps/WpsStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "adapter/Oids.h"
#include "base/IniDocument.h"
#include "wlan/PlatformProfileList.h"
#include "wlan/WlanProfileBuilder.h"
#include "wlan/WlanSession.h"
#include "wps/WpsRecords.h"

namespace nxui {

namespace {

using namespace wps_store;

std::string SlotSection(std::size_t slot) { return "Profile" + std::to_string(slot); }

std::string Decimal(std::int64_t value) { return std::to_string(value); }

// "%d" as the private-profile calls read it back: blanks, a sign, digits; anything else ends it.
std::int64_t ParseStoredNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 0xFFFFFFFFll) break;  // no stored number is larger; stop before overflow
  }
  return negative ? -value : value;
}

std::string MacText(const std::uint8_t* mac) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Twelve hexadecimal digits; anything else leaves the address zero.
void ParseMacText(std::string_view text, std::uint8_t* mac) {
  if (text.size() != 12) return;
  std::uint8_t parsed[6] = {};
  for (std::size_t i = 0; i < 6; ++i) {
    const int high = HexDigitValue(text[2 * i]);
    const int low = HexDigitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return;
    parsed[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  std::copy(parsed, parsed + 6, mac);
}

// A key as a line of the file can hold it: up to the first line break or NUL (a key from a
// misbehaving driver may hold them; the file format cannot).
std::string_view StorableKey(std::string_view key) {
  const std::size_t end = key.find_first_of(std::string_view("\r\n\0", 3));
  return key.substr(0, end);
}

// A value as the file's reader hands it over, up to its first NUL: what the writer can put back
// (hex SSIDs decode to the first zero byte, keys are stored to it), so a reload reads the same.
std::string_view UpToZero(std::string_view value) { return value.substr(0, value.find('\0')); }

}  // namespace

WpsStore::WpsStore(ProfileStore& profiles, PlatformProfileList& platformProfiles, WpsEngineState& state)
    : profiles_(profiles), platformProfiles_(platformProfiles), state_(state) {}

StoreResult WpsStore::WriteWpsStore(int flag) {
  if (flag == 1) {
    const StoreFileSnapshot previous = profiles_.ReadFile(StoreFileKind::Wps);
    for (std::size_t slot = 0; slot < kWpsMaxCredentials; ++slot) {
      const std::string ssid = previous.Value(SlotSection(slot), kSsid);
      if (ssid.empty() || platformProfiles_.FindProfile(ssid) != 1) continue;
      platformProfiles_.DeleteProfile(
          ProfileNameForSsid(std::span(reinterpret_cast<const std::uint8_t*>(ssid.data()), ssid.size())));
    }
  }
  return profiles_.RewriteFile(StoreFileKind::Wps, [this](IniDocument& document) {
    document.WriteString(kCommon, kNumberofProfile, Decimal(state_.table.count));
    document.WriteString(kCommon, kConfigMode, Decimal(static_cast<int>(state_.configMode)));
    document.WriteString(kCommon, kPinCode, Decimal(state_.pinCode));
    for (std::size_t slot = 0; slot < kWpsMaxCredentials; ++slot) {
      const WpsCredential& c = state_.table.credentials[slot];
      const std::string section = SlotSection(slot);
      document.WriteString(section, kSsid, EncodeSsidHex(CredentialSsid(c)));
      document.WriteString(section, "SSID_inHex", "1");
      document.WriteString(section, kAuthType, Decimal(static_cast<std::int32_t>(c.authType)));
      document.WriteString(section, kEncryType, Decimal(static_cast<std::int32_t>(c.encrType)));
      document.WriteString(section, kKeyIndex, Decimal(static_cast<std::int32_t>(c.keyIndex)));
      document.WriteString(section, kKeyLength, Decimal(static_cast<std::int32_t>(c.keyLength)));
      document.WriteString(section, kKey, StorableKey(CredentialKey(c)));
      document.WriteString(section, kMacAddress, MacText(c.mac));
    }
    return StoreResult{};
  });
}

StoreResult WpsStore::WriteWscFlag() { return profiles_.WriteStation(kWscKey, state_.wscConnect ? "1" : "0"); }

void WpsStore::LoadWpsStore() {
  const StoreFileSnapshot station = profiles_.ReadStationFile();
  if (station.Has(kStationSection, kWscKey)) {
    state_.wscConnect = ParseStoredNumber(station.Value(kStationSection, kWscKey)) != 0;
  }

  const StoreFileSnapshot file = profiles_.ReadFile(StoreFileKind::Wps);
  if (file.Has(kCommon, kConfigMode)) {
    state_.configMode =
        ParseStoredNumber(file.Value(kCommon, kConfigMode)) == 1 ? WpsConfigMode::Registrar : WpsConfigMode::Enrollee;
  }
  if (file.Has(kCommon, kPinCode)) {
    state_.pinCode = static_cast<std::uint32_t>(ParseStoredNumber(file.Value(kCommon, kPinCode)));
  }

  state_.ClearCredentials();
  if (file.Has(kCommon, kNumberofProfile)) {
    WpsCredentialTable& table = state_.table;
    const std::int64_t count = ParseStoredNumber(file.Value(kCommon, kNumberofProfile));
    table.count = static_cast<std::uint32_t>(std::clamp<std::int64_t>(count, 0, kWpsMaxCredentials));
    for (std::size_t slot = 0; slot < table.count; ++slot) {
      WpsCredential& c = table.credentials[slot];
      const std::string section = SlotSection(slot);
      auto number = [&](std::string_view key) {
        return static_cast<std::uint32_t>(ParseStoredNumber(file.Value(section, key)));
      };
      SetCredentialSsid(c, UpToZero(file.Value(section, kSsid)));
      c.authType = number(kAuthType);
      c.encrType = number(kEncryType);
      c.keyIndex = number(kKeyIndex);
      const std::string keyValue = file.Value(section, kKey);
      const std::string_view key = UpToZero(keyValue);
      c.keyLength = number(kKeyLength);
      if (c.keyLength <= kWpsMaxKeyLength) {
        std::copy_n(key.begin(), std::min<std::size_t>(key.size(), c.keyLength), c.key);
      }
      ParseMacText(file.Value(section, kMacAddress), c.mac);
    }
    // An edited file is read like a driver record: impossible lengths drop their slot.
    NormaliseWpsCredentialTable(table);
  }
  if (state_.wscConnect) state_.rotateMode = true;
}

bool MakeRegistrarCredential(WpsEngineState& state, DriverRequestPort& driver, RandomBytesSource randomBytes) {
  std::uint8_t random[32] = {};
  if (!randomBytes(random, sizeof random)) return false;
  std::array<std::uint8_t, 6> mac{};
  driver.Query(OID_802_3_CURRENT_ADDRESS, mac);

  state.table = WpsCredentialTable{};
  state.table.count = 1;
  WpsCredential& c = state.table.credentials[0];
  char ssid[16];
  std::snprintf(ssid, sizeof ssid, "ExRegNW%02X%02X%02X", mac[3], mac[4], mac[5]);
  SetCredentialSsid(c, ssid);
  c.authType = wps_auth::kWpa2Psk;
  c.encrType = wps_encr::kAes;
  c.keyIndex = 1;
  std::string key;
  for (const std::uint8_t b : random) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", b);
    key += digits;
  }
  SetCredentialKey(c, key);
  return true;
}

ConnectionSettings CredentialConnectionRecord(const WpsCredential& credential) {
  ConnectionSettings record{};
  record.byBssid = 0;
  const std::string_view ssid = CredentialSsid(credential);
  record.ssidLength = static_cast<std::uint32_t>(ssid.size());
  std::copy(ssid.begin(), ssid.end(), record.ssid.begin());
  std::copy(credential.mac, credential.mac + 6, record.bssid.begin());
  record.networkType = NetworkType::kInfrastructure;
  record.preamble = 2;
  record.rtsThreshold = 2347;
  record.use8021X = 0;

  switch (credential.authType) {
    case wps_auth::kWpaPsk:
    case wps_auth::kWpaPskWpa2Psk:
      record.authMode = AuthMode::kWpaPsk;
      break;
    case wps_auth::kShared:
      record.authMode = AuthMode::kShared;
      break;
    case wps_auth::kWpa:
      record.authMode = AuthMode::kWpa;
      break;
    case wps_auth::kWpa2:
      record.authMode = AuthMode::kWpa2;
      break;
    case wps_auth::kWpa2Psk:
      record.authMode = AuthMode::kWpa2Psk;
      break;
    default:
      record.authMode = AuthMode::kOpen;
      break;
  }
  switch (credential.encrType) {
    case wps_encr::kWep:
      record.cipherMode = CipherMode::kWep;
      break;
    case wps_encr::kTkip:
    case wps_encr::kTkipAes:
      record.cipherMode = CipherMode::kTkip;
      break;
    case wps_encr::kAes:
      record.cipherMode = CipherMode::kAes;
      break;
    default:
      record.cipherMode = CipherMode::kNone;
      break;
  }

  const std::string_view key = CredentialKey(credential);
  if (credential.encrType == wps_encr::kWep && !key.empty()) {
    const std::uint32_t slot = CredentialKeyIndex(credential);
    if (slot < record.wepKeys.size()) {
      KeySlot& wep = record.wepKeys[slot];
      wep.present = 1;
      wep.keyIndex = credential.keyIndex | kTransmitKeyBit;
      wep.bssid.fill(0xFF);
      if (key.size() == 10 || key.size() == 26) {
        // Hexadecimal text; a pair that is not hexadecimal gives 0, as for stored profile keys.
        wep.keyLength = static_cast<std::uint32_t>(key.size() / 2);
        for (std::size_t i = 0; i < wep.keyLength; ++i) {
          const int high = HexDigitValue(key[2 * i]);
          const int low = HexDigitValue(key[2 * i + 1]);
          wep.key[i] = (high < 0 || low < 0) ? 0 : static_cast<std::uint8_t>(high * 16 + low);
        }
      } else if (key.size() <= 13) {
        wep.keyLength = static_cast<std::uint32_t>(key.size());
        std::copy(key.begin(), key.end(), wep.key.begin());
      } else {
        wep.keyLength = 13;  // the key bytes stay zero
      }
    }
  } else if (record.authMode == AuthMode::kWpaPsk || record.authMode == AuthMode::kWpa2Psk) {
    std::copy(key.begin(), key.end(), record.preSharedKey.begin());
    record.preSharedKeyLength = static_cast<std::int32_t>(key.size());
  }
  record.fromProfile = 1;
  return record;
}

ConnectionSettings CredentialToConnection(const WpsCredential& credential, WlanSession& session) {
  ConnectionSettings record = CredentialConnectionRecord(credential);
  Dot11MacAddress mac{};
  std::copy(credential.mac, credential.mac + 6, mac.begin());
  session.SendDesiredBssid(mac);
  return record;
}

}  // namespace nxui
