#include "wps/WpsRecords.h"

#include <algorithm>
#include <cstring>

#include "base/ByteReader.h"

namespace nxui {

namespace {

class ByteWriter {
 public:
  explicit ByteWriter(std::span<std::uint8_t> out) : out_(out) {}
  void u8(std::uint8_t v) { out_[pos_++] = v; }
  void le32(std::uint32_t v) {
    StoreLe32(out_.data() + pos_, v);
    pos_ += 4;
  }
  void bytes(const std::uint8_t* p, std::size_t n) {
    std::copy_n(p, n, out_.begin() + static_cast<std::ptrdiff_t>(pos_));
    pos_ += n;
  }
  void chars(const char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) u8(static_cast<std::uint8_t>(p[i]));
  }
  std::size_t position() const { return pos_; }

 private:
  std::span<std::uint8_t> out_;
  std::size_t pos_ = 0;
};

void WriteCredential(ByteWriter& w, const WpsCredential& c) {
  w.le32(c.ssidLength);
  w.bytes(c.ssid, sizeof c.ssid);
  w.le32(c.authType);
  w.le32(c.encrType);
  w.le32(c.keyIndex);
  w.le32(c.keyLength);
  w.bytes(c.key, sizeof c.key);
  w.bytes(c.mac, sizeof c.mac);
  w.bytes(c.padding, sizeof c.padding);
}

bool ReadFixed(ByteReader& r, std::uint8_t* out, std::size_t n) {
  std::span<const std::uint8_t> bytes;
  if (!r.take(n, bytes)) return false;
  std::copy(bytes.begin(), bytes.end(), out);
  return true;
}

bool ReadCredential(ByteReader& r, WpsCredential& c) {
  return r.le32(c.ssidLength) && ReadFixed(r, c.ssid, sizeof c.ssid) && r.le32(c.authType) && r.le32(c.encrType) &&
         r.le32(c.keyIndex) && r.le32(c.keyLength) && ReadFixed(r, c.key, sizeof c.key) &&
         ReadFixed(r, c.mac, sizeof c.mac) && ReadFixed(r, c.padding, sizeof c.padding);
}

bool CredentialInRange(const WpsCredential& c) {
  return c.ssidLength <= kWpsMaxSsidLength && c.keyLength <= kWpsMaxKeyLength;
}

}  // namespace

WpsStartBytes EncodeWpsStartRequest(const WpsStartRequest& request) {
  WpsStartBytes bytes{};
  ByteWriter w(bytes);
  w.le32(request.method);
  w.chars(request.pin, sizeof request.pin);
  w.le32(request.ssid.ssidLength);
  w.bytes(request.ssid.ssid, sizeof request.ssid.ssid);
  w.bytes(request.bssid, sizeof request.bssid);
  w.u8(request.channel);
  w.u8(request.role);
  return bytes;
}

WpsCredentialTableBytes EncodeWpsCredentialTable(const WpsCredentialTable& table) {
  WpsCredentialTableBytes bytes{};
  ByteWriter w(bytes);
  w.le32(table.count);
  for (const WpsCredential& c : table.credentials) WriteCredential(w, c);
  return bytes;
}

WpsTableReport NormaliseWpsCredentialTable(WpsCredentialTable& table) {
  WpsTableReport report;
  report.declaredCount = table.count;
  const std::size_t declared = std::min<std::size_t>(table.count, kWpsMaxCredentials);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < declared; ++i) {
    if (!CredentialInRange(table.credentials[i])) {
      ++report.dropped;
      continue;
    }
    WpsCredential& c = table.credentials[kept];
    if (kept != i) c = table.credentials[i];
    // Bytes past a length are not the credential's: the SSID is also read to its first zero byte
    // (the platform profile's name, the editor), where a driver's leftovers would lengthen it.
    std::memset(c.ssid + c.ssidLength, 0, sizeof c.ssid - c.ssidLength);
    std::memset(c.key + c.keyLength, 0, sizeof c.key - c.keyLength);
    ++kept;
  }
  for (std::size_t i = kept; i < kWpsMaxCredentials; ++i) table.credentials[i] = WpsCredential{};
  table.count = static_cast<std::uint32_t>(kept);
  return report;
}

bool DecodeWpsCredentialTable(std::span<const std::uint8_t> bytes, WpsCredentialTable& table, WpsTableReport* report) {
  if (bytes.size() < sizeof(WpsCredentialTable)) {
    if (report != nullptr) *report = WpsTableReport{true, 0, 0};
    return false;
  }
  ByteReader r(bytes.first(sizeof(WpsCredentialTable)));
  WpsCredentialTable read{};
  bool ok = r.le32(read.count);
  for (WpsCredential& c : read.credentials) ok = ok && ReadCredential(r, c);
  if (!ok) {  // cannot happen with a whole table; kept so a layout change cannot read past it
    if (report != nullptr) *report = WpsTableReport{true, 0, 0};
    return false;
  }
  const WpsTableReport normalised = NormaliseWpsCredentialTable(read);
  if (report != nullptr) *report = normalised;
  table = read;
  return true;
}

std::string_view CredentialSsid(const WpsCredential& credential) {
  const std::size_t length = std::min<std::size_t>(credential.ssidLength, sizeof credential.ssid);
  return std::string_view(reinterpret_cast<const char*>(credential.ssid), length);
}

std::string_view CredentialKey(const WpsCredential& credential) {
  const std::size_t length = std::min<std::size_t>(credential.keyLength, sizeof credential.key);
  return std::string_view(reinterpret_cast<const char*>(credential.key), length);
}

std::string_view CredentialSsidToZero(const WpsCredential& credential) {
  const std::string_view all(reinterpret_cast<const char*>(credential.ssid), sizeof credential.ssid);
  return all.substr(0, all.find('\0'));
}

std::uint32_t CredentialKeyIndex(const WpsCredential& credential) { return credential.keyIndex & ~kWpsKeyIndexFlag; }

bool CredentialIsOpen(const WpsCredential& credential) {
  return credential.authType == wps_auth::kOpen && credential.encrType == wps_encr::kNone;
}

void SetCredentialSsid(WpsCredential& credential, std::string_view ssid) {
  std::memset(credential.ssid, 0, sizeof credential.ssid);
  const std::size_t length = std::min(ssid.size(), sizeof credential.ssid);
  std::memcpy(credential.ssid, ssid.data(), length);
  credential.ssidLength = static_cast<std::uint32_t>(length);
}

void SetCredentialKey(WpsCredential& credential, std::string_view key) {
  std::memset(credential.key, 0, sizeof credential.key);
  const std::size_t length = std::min(key.size(), sizeof credential.key);
  std::memcpy(credential.key, key.data(), length);
  credential.keyLength = static_cast<std::uint32_t>(length);
}

std::string_view WpsAuthTypeText(std::uint32_t authType) {
  switch (authType) {
    case wps_auth::kOpen:
      return "开放系统";
    case wps_auth::kWpaPsk:
      return "WPA-PSK";
    case wps_auth::kShared:
      return "共享密钥";
    case wps_auth::kWpa:
      return "WPA";
    case wps_auth::kWpa2:
      return "WPA2";
    case wps_auth::kWpa2Psk:
      return "WPA2-PSK";
    case wps_auth::kWpaPskWpa2Psk:
      return "WPA-PSK;WPA2-PSK";
    default:
      return "";
  }
}

std::string_view WpsEncrTypeText(std::uint32_t encrType) {
  switch (encrType) {
    case wps_encr::kNone:
      return "无";
    case wps_encr::kWep:
      return "WEP";
    case wps_encr::kTkip:
      return "TKIP";
    case wps_encr::kAes:
      return "AES";
    case wps_encr::kTkipAes:
      return "TKIP;AES";
    default:
      return "";
  }
}

}  // namespace nxui
