#include "wlan/WlanProfileBuilder.h"

#include <algorithm>
#include <optional>

#include "base/ByteReader.h"
#include "base/HexText.h"
#include "scan/BssidEx.h"

namespace nxui {
namespace {

constexpr std::string_view kProfileNamespace = "xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\"";
constexpr std::string_view kOneXNamespace = "xmlns=\"http://www.microsoft.com/networking/OneX/v1\"";
constexpr std::string_view kEapHostNamespace = "xmlns=\"http://www.microsoft.com/provisioning/EapHostConfig\"";
constexpr std::string_view kEapCommonNamespace = "xmlns=\"http://www.microsoft.com/provisioning/EapCommon\"";

// PEAP with the platform's own settings; the user completes them in the platform's editor.
std::string PeapEapConfig() {
  std::string method;
  method += XmlElement("Type", kEapCommonNamespace, "25");
  method += XmlElement("VendorId", kEapCommonNamespace, "0");
  method += XmlElement("VendorType", kEapCommonNamespace, "0");
  method += XmlElement("AuthorId", kEapCommonNamespace, "0");
  // The empty blob is written with both tags on purpose: XmlElement would drop it.
  const std::string host = XmlElement("EapMethod", method) + "<ConfigBlob></ConfigBlob>";
  return XmlElement("EAPConfig", XmlElement("EapHostConfig", kEapHostNamespace, host));
}

// Decodes one UTF-8 sequence at `pos`; nullopt for anything not strictly valid.
std::optional<char32_t> DecodeUtf8(std::span<const std::uint8_t> bytes, std::size_t& pos) {
  const std::uint8_t lead = bytes[pos];
  std::size_t extra = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    value = lead & 0x1Fu;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    value = lead & 0x0Fu;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    value = lead & 0x07u;
    minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (extra > bytes.size() - pos - 1) return std::nullopt;
  for (std::size_t i = 1; i <= extra; ++i) {
    const std::uint8_t next = bytes[pos + i];
    if ((next & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
  pos += extra + 1;
  return value;
}

bool IsValidUtf8(std::span<const std::uint8_t> bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (!DecodeUtf8(bytes, pos)) return false;
  }
  return true;
}

// XML 1.0 has no way to write C0 controls, U+FFFE or U+FFFF. Tab, LF and CR are allowed but a
// parser normalises them, so a name holding them would not come back byte for byte either.
bool XmlCanCarry(char32_t c) { return c >= 0x20 && c != 0xFFFE && c != 0xFFFF; }

bool XmlCanCarryAll(std::string_view utf8) {
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto c = DecodeUtf8(bytes, pos);
    if (!c || !XmlCanCarry(*c)) return false;
  }
  return true;
}

// The profile name is also the platform's profile name, so the text handed back must equal the
// text in the document: characters XML cannot carry become '?' in both.
std::string CarriableProfileName(std::string_view utf8) {
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size());
  std::string out;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t start = pos;
    const auto c = DecodeUtf8(bytes, pos);
    if (!c) {  // cannot happen for text from AnsiToUtf8; keep the loop moving regardless
      ++pos;
      out += '?';
    } else if (!XmlCanCarry(*c)) {
      out += '?';
    } else {
      out.append(utf8.substr(start, pos - start));
    }
  }
  return out;
}

// A "]]>" inside the name would close the section early; split it across two sections.
std::string CdataSection(std::string_view text) {
  std::string out = "<![CDATA[";
  std::size_t start = 0;
  for (std::size_t hit = text.find("]]>"); hit != std::string_view::npos; hit = text.find("]]>", start)) {
    out.append(text.substr(start, hit + 2 - start));
    out += "]]><![CDATA[";
    start = hit + 2;
  }
  out.append(text.substr(start));
  out += "]]>";
  return out;
}

std::string_view AuthenticationText(AuthMode authMode) {
  switch (authMode) {
    case AuthMode::kShared:
      return "shared";
    case AuthMode::kWpa:
      return "WPA";
    case AuthMode::kWpaPsk:
    case AuthMode::kWpaNone:
      return "WPAPSK";
    case AuthMode::kWpa2:
      return "WPA2";
    case AuthMode::kWpa2Psk:
      return "WPA2PSK";
    default:
      return "open";
  }
}

std::string_view EncryptionText(AuthMode authMode, CipherMode cipherMode) {
  switch (authMode) {
    case AuthMode::kOpen:
    case AuthMode::kShared:
    case AuthMode::kWpa:
    case AuthMode::kWpa2:
      if (cipherMode == CipherMode::kWep) return "WEP";
      [[fallthrough]];
    case AuthMode::kWpaPsk:
    case AuthMode::kWpaNone:
    case AuthMode::kWpa2Psk:
      if (cipherMode == CipherMode::kTkip) return "TKIP";
      if (cipherMode == CipherMode::kAes) return "AES";
      return "none";
    default:
      return "none";
  }
}

// Any RSN or WPA-style element, or the privacy bit, counts as security. Broader than the survey's
// decode on purpose: an entry whose security elements are merely odd must not be joined as open.
bool EntryHasSecurity(std::uint32_t privacy, std::span<const std::uint8_t> ies) {
  if (privacy != 0) return true;
  ByteReader reader(ies);
  std::uint8_t id = 0;
  std::uint8_t length = 0;
  std::span<const std::uint8_t> body;
  while (reader.u8(id) && reader.u8(length) && reader.take(length, body)) {
    if (id == 48) return true;
    if (id == 221 && body.size() >= 4) {
      const bool wpaOui = body[0] == 0x00 && body[1] == 0x50 && body[2] == 0xF2 && (body[3] == 1 || body[3] == 2);
      const bool ciscoOui = body[0] == 0x00 && body[1] == 0x40 && body[2] == 0x96;
      // 00-40-96 elements carry many things; only the WPA-shaped ones (length >= 16) count.
      if (wpaOui || (ciscoOui && body.size() >= 16 && body[3] == 1)) return true;
    }
  }
  return false;
}

struct OpenNetwork {
  std::array<std::uint8_t, 32> ssid{};
  std::uint32_t ssidLength = 0;
};

// The strongest open infrastructure network of the last scan.
std::optional<OpenNetwork> StrongestOpenNetwork(std::span<const std::uint8_t> scanList) {
  ByteReader list(scanList);
  std::uint32_t count = 0;
  if (!list.le32(count)) return std::nullopt;
  std::optional<OpenNetwork> best;
  std::int32_t bestRssi = -250;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entryStart = list.position();
    std::uint32_t length = 0;
    if (!list.le32(length) || length < bssid_ex::kFixedSize || length - 4 > list.remaining()) break;
    const auto entry = scanList.subspan(entryStart, length);
    list.skip(length - 4);

    const std::uint32_t ieLength = LoadLe32(entry.data() + bssid_ex::kIeLength);
    if (ieLength > length - bssid_ex::kFixedSize) continue;  // too short for its elements
    if (LoadLe32(entry.data() + bssid_ex::kInfrastructureMode) != bssid_ex::kModeInfrastructure) continue;
    const std::uint32_t privacy = LoadLe32(entry.data() + bssid_ex::kPrivacy);
    if (EntryHasSecurity(privacy, entry.subspan(bssid_ex::kIes, ieLength))) continue;
    const auto rssi = static_cast<std::int32_t>(LoadLe32(entry.data() + bssid_ex::kRssi));
    if (rssi <= bestRssi) continue;  // ties keep the earlier entry
    bestRssi = rssi;
    OpenNetwork network;
    network.ssidLength = std::min<std::uint32_t>(LoadLe32(entry.data() + bssid_ex::kSsidLength), 32);
    std::copy_n(entry.begin() + bssid_ex::kSsid, 32, network.ssid.begin());
    best = network;
  }
  return best;
}

struct DocumentValues {
  std::string profileName;
  std::string ssidHex;
  std::string ssidName;
  std::string_view connectionType;
  std::string_view connectionMode;
  std::string_view authentication;
  std::string_view encryption;
  std::string_view useOneX;
  std::string_view keyType;
  std::string_view protectedKey;
  std::string keyMaterial;
  std::string keyIndex;
  std::string eapConfig;
};

std::string AssembleDocument(const DocumentValues& v) {
  const std::string ssid = XmlElement("SSID", XmlElement("hex", v.ssidHex) + XmlElement("name", v.ssidName));
  const std::string ssidConfig =
      XmlElement("SSIDConfig", ssid + (v.connectionType == "ESS" ? XmlElement("nonBroadcast", "true") : ""));
  const std::string authEncryption =
      XmlElement("authEncryption", XmlElement("authentication", v.authentication) +
                                       XmlElement("encryption", v.encryption) + XmlElement("useOneX", v.useOneX));
  const std::string sharedKey =
      XmlElement("sharedKey", XmlElement("keyType", v.keyType) + XmlElement("protected", v.protectedKey) +
                                  XmlElement("keyMaterial", v.keyMaterial));
  const std::string security = XmlElement("security", authEncryption + sharedKey + XmlElement("keyIndex", v.keyIndex) +
                                                          XmlElement("OneX", kOneXNamespace, v.eapConfig));
  const std::string body =
      XmlElement("name", CdataSection(v.profileName)) + ssidConfig + XmlElement("connectionType", v.connectionType) +
      XmlElement("connectionMode", v.connectionMode) + XmlElement("autoSwitch", "false") + XmlElement("MSM", security);
  return "<?xml version=\"1.0\"?>" + XmlElement("WLANProfile", kProfileNamespace, body);
}

}  // namespace

std::string XmlElement(std::string_view tag, std::string_view attributes, std::string_view content) {
  if (content.empty()) return {};
  std::string out;
  out.reserve(tag.size() * 2 + attributes.size() + content.size() + 6);
  out += '<';
  out += tag;
  if (!attributes.empty()) {
    out += ' ';
    out += attributes;
  }
  out += '>';
  out += content;
  out += "</";
  out += tag;
  out += '>';
  return out;
}

std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case ' ':
        out += "&#32;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

std::string AnsiToUtf8(std::span<const std::uint8_t> bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes.begin(), bytes.end());
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) {
    if (b < 0x80) {
      out += static_cast<char>(b);
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string ProfileNameForSsid(std::span<const std::uint8_t> ssid) { return CarriableProfileName(AnsiToUtf8(ssid)); }

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (const char c : utf8) {
    const auto b = static_cast<std::uint8_t>(c);
    if ((b & 0xC0) != 0x80) ++units;  // one per sequence start
    if ((b & 0xF8) == 0xF0) ++units;  // beyond the BMP: a surrogate pair
  }
  return units;
}

WlanProfile BuildWlanProfile(const ConnectionSettings& settings, std::span<const std::uint8_t> lastScanList) {
  WlanProfile result;
  result.byBssid = settings.byBssid;
  result.bssid = settings.bssid;

  DocumentValues v;
  const std::uint32_t ssidLength = std::min<std::uint32_t>(settings.ssidLength, 32);
  if (ssidLength == 0) {
    // No name to connect to: join the strongest open network of the last scan.
    if (const auto open = StrongestOpenNetwork(lastScanList)) {
      v.profileName = ProfileNameForSsid(std::span(open->ssid).first(open->ssidLength));
    }
    v.connectionType = "ESS";
    v.connectionMode = "manual";
    v.authentication = "open";
    v.encryption = "none";
    v.useOneX = "false";
    result.bssType = kDot11BssTypeInfrastructure;
    result.securityEnabled = 0;
  } else {
    const auto ssid = std::span(settings.ssid).first(ssidLength);
    const std::string name = AnsiToUtf8(ssid);
    v.profileName = ProfileNameForSsid(ssid);
    v.ssidHex = HexBytes(ssid);
    // The hex element alone identifies the network when the name cannot be written in XML.
    if (XmlCanCarryAll(name))
      v.ssidName = AnsiToUtf8(XmlEscape(std::string_view(reinterpret_cast<const char*>(ssid.data()), ssid.size())));

    const bool adhoc = settings.networkType == NetworkType::kAdhoc;
    v.connectionType = adhoc ? "IBSS" : "ESS";
    v.connectionMode = adhoc ? "manual" : "auto";
    v.authentication = AuthenticationText(settings.authMode);
    v.encryption = EncryptionText(settings.authMode, settings.cipherMode);
    v.useOneX = settings.use8021X == 1 ? "true" : "false";

    if (settings.use8021X == 0) {
      if (v.encryption == "WEP") {
        v.keyType = "networkKey";
        v.protectedKey = "false";
        for (std::size_t slot = 0; slot < settings.wepKeys.size(); ++slot) {
          const KeySlot& key = settings.wepKeys[slot];
          if (key.present == 0 || (key.keyIndex & kTransmitKeyBit) == 0) continue;
          const std::uint32_t keyLength = std::min<std::uint32_t>(key.keyLength, 32);
          v.keyIndex = std::string(1, static_cast<char>('0' + slot));
          v.keyMaterial = HexBytes(std::span(key.key).first(keyLength), true);
          break;
        }
      } else if (v.encryption == "TKIP" || v.encryption == "AES") {
        v.keyType = settings.preSharedKeyLength == 64 ? "networkKey" : "passPhrase";
        v.protectedKey = "false";
        const std::string key = AnsiToUtf8(XmlEscape(settings.PreSharedKeyText()));
        if (!XmlCanCarryAll(key)) {
          result.status = WlanProfileStatus::kKeyNotRepresentable;
          result.profileName = v.profileName;
          return result;
        }
        v.keyMaterial = key;
      }
    }
    if (settings.use8021X == 1) v.eapConfig = PeapEapConfig();

    result.bssType =
        adhoc ? kDot11BssTypeIndependent
              : (settings.networkType == NetworkType::kInfrastructure ? kDot11BssTypeInfrastructure : kDot11BssTypeAny);
    // Cipher codes 1..3 are the three "no encryption" codes (disabled, key absent, not supported).
    const std::int32_t cipher = CodeOf(settings.cipherMode);
    const bool unsecured = settings.use8021X == 0 && settings.authMode == AuthMode::kOpen && cipher >= 1 && cipher <= 3;
    result.securityEnabled = unsecured ? 0 : 1;
  }

  result.profileName = v.profileName;
  std::string document = AssembleDocument(v);
  if (Utf16Length(result.profileName) > kMaxProfileNameUnits || Utf16Length(document) + 1 > kMaxDocumentUnits) {
    result.status = WlanProfileStatus::kTooLong;
    return result;
  }
  result.document = std::move(document);
  return result;
}

}  // namespace nxui
