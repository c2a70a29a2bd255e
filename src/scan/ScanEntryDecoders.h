// The information-element decodes of a scan entry: typed results, and the ";"-joined texts of
// DecodeScanEntryIes (kind 0 security, 1 CCX, 2 WPS, 3 802.11n).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "scan/HtElements.h"
#include "scan/ScanEntryRecord.h"
#include "scan/WpsFields.h"

namespace nxui {

struct SecuritySummary {
  bool wpa = false;
  bool wpaPsk = false;
  bool wpaNone = false;
  bool wpa2 = false;
  bool wpa2Psk = false;
  bool wpa2None = false;
  bool tkip = false;
  bool aes = false;

  std::string AuthText() const;    // "WPA-PSK+WPA2-PSK", "Unknown"
  std::string CipherText() const;  // "TKIP+AES", "None"
  std::string Text() const;        // AuthText ";" CipherText
};

struct CcxFlags {
  bool cckm = false;
  bool cmic = false;
  bool ckip = false;
};

struct WpsDecode {
  bool present = false;
  WpsFields fields;
};

struct HtDecode {
  std::uint8_t secondaryChannelOffset = 0;
  int htInformationExchange = 0;
  int mobilityDomain = 0;
  int highThroughput = 0;
  bool htCapabilitiesPresent = false;
  std::uint16_t capabilityInfo = 0;
  std::uint8_t ampduParameters = 0;
  std::uint8_t txMcsSetByte = 0;
  bool htInformationPresent = false;
  HtOperation operation;
};

inline constexpr std::size_t kHtFieldCount = 55;
using HtFieldList = std::array<std::string, kHtFieldCount>;
inline constexpr std::size_t kHtInformationPresentField = 54;

// The 802.11n list rows: field i has its property text, and a group header opens before it
// when groupHeader is not null.
struct HtFieldRow {
  const char* groupHeader;
  const char* property;
};
extern const std::array<HtFieldRow, kHtFieldCount - 1> kHtFieldRows;

SecuritySummary DecodeSecurity(const ScanEntryRecord& entry);
CcxFlags DecodeCcx(const ScanEntryRecord& entry);
WpsDecode DecodeWps(const ScanEntryRecord& entry);
HtDecode DecodeHt(const ScanEntryRecord& entry);

std::array<std::string, 9> FormatWpsFields(const WpsDecode& wps);
HtFieldList FormatHtFields(const HtDecode& ht);

// entry: the bytes of one scan entry, from its Length field; reads never leave them.
// kind 0..3; any other kind gives an empty text.
std::string DecodeScanEntryIes(std::span<const std::uint8_t> entry, int kind);
std::string DecodeScanEntryIes(const ScanEntryRecord& entry, int kind);

// Authentication code of an authentication text (0 when unknown).
int AuthCodeFromText(const std::string& auth);

// "WPA2-PSK;AES" -> {"WPA2-PSK", "AES"}; no ";" leaves the cipher empty.
void SplitSecurityText(const std::string& text, std::string& auth, std::string& cipher);

}  // namespace nxui
