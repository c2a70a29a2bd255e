// Turns a connection record into the platform's XML WLAN profile document (schema version 1) and
// the values the connect call needs beside it. Text is UTF-8 throughout.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "adapter/ConnectionSettings.h"
#include "platform/IWlanApi.h"

namespace nxui {

enum class WlanProfileStatus {
  kOk,
  // The document or the profile name would not fit the platform's limits; nothing is returned
  // rather than a cut document the service would reject or misread.
  kTooLong,
  // The pre-shared key holds characters an XML document cannot carry.
  kKeyNotRepresentable,
};

struct WlanProfile {
  WlanProfileStatus status = WlanProfileStatus::kOk;
  std::string profileName;  // the network name as text, not escaped; also the platform profile name
  std::string document;     // empty unless status is kOk
  std::uint32_t bssType = kDot11BssTypeAny;
  std::int32_t byBssid = 0;
  std::int32_t securityEnabled = 0;
  std::array<std::uint8_t, 6> bssid{};  // the single desired BSSID when byBssid is non-zero
};

// Limits of the platform's profile calls, in UTF-16 code units.
inline constexpr std::size_t kMaxDocumentUnits = 4000;  // including the terminator
inline constexpr std::size_t kMaxProfileNameUnits = 250;

// `lastScanList` is the hidden window's copy of the driver's last scan (count + BSSID_EX entries);
// it is read only for a record without a network name.
WlanProfile BuildWlanProfile(const ConnectionSettings& settings, std::span<const std::uint8_t> lastScanList = {});

// "<tag attrs>content</tag>"; nothing at all when content is empty.
std::string XmlElement(std::string_view tag, std::string_view attributes, std::string_view content);
inline std::string XmlElement(std::string_view tag, std::string_view content) { return XmlElement(tag, {}, content); }

// &, blank, <, >, " and ' as entities (ampersand first).
std::string XmlEscape(std::string_view text);

// Network-name bytes as text: bytes that already form valid UTF-8 are taken as they are, any other
// byte string is read as Latin-1 (the single-byte code page of the original platform).
std::string AnsiToUtf8(std::span<const std::uint8_t> bytes);
inline std::string AnsiToUtf8(std::string_view bytes) {
  return AnsiToUtf8(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

// The platform profile name for a network name: its text, with characters an XML document cannot
// carry replaced by '?' (the same name the document's CDATA section holds).
std::string ProfileNameForSsid(std::span<const std::uint8_t> ssid);

// Number of UTF-16 code units the UTF-8 text takes (what the platform's wide limits count).
std::size_t Utf16Length(std::string_view utf8);

}  // namespace nxui
