// The information-element decodes of a scan entry: one walk over its elements into a typed record,
// and the ";"-joined texts of DecodeScanEntryIes (kind 0 security, 1 CCX, 2 WPS, 3 802.11n) made
// from that record.
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

// Everything the survey and the AP details show of an entry's elements.
struct ScanEntryDecode {
  SecuritySummary security;
  CcxFlags ccx;
  WpsDecode wps;
  HtDecode ht;
};

// One walk over the entry's elements (none unless Length > 104 and IELength > 3).
ScanEntryDecode DecodeScanEntry(const ScanEntryRecord& entry);
// The security part alone, for callers that need nothing else.
SecuritySummary DecodeSecurity(const ScanEntryRecord& entry);

inline constexpr std::size_t kWpsFieldCount = 9;
// Field 0..8 of the WPS decode appended to out: fields 0..7 that decode to nothing read
// "Unknown", field 8 is "TRUE" when a WPS element is there.
void AppendWpsField(const WpsDecode& wps, std::size_t field, std::string& out);
std::array<std::string, kWpsFieldCount> FormatWpsFields(const WpsDecode& wps);

// One field of the 802.11n decode: a flag reads "TRUE" only when its value is exactly 1, else
// "FALSE"; a number reads "%d".
struct HtField {
  bool flag = false;
  std::int64_t value = 0;
};

inline constexpr std::size_t kHtFieldCount = 55;
using HtFieldValues = std::array<HtField, kHtFieldCount>;
inline constexpr std::size_t kHtInformationPresentField = 54;

HtFieldValues HtFieldsOf(const HtDecode& ht);
void AppendHtField(const HtField& field, std::string& out);

// The 802.11n list rows: field i has its property text, and a group header opens before it
// when groupHeader is not null.
struct HtFieldRow {
  const char* groupHeader;
  const char* property;
};
extern const std::array<HtFieldRow, kHtFieldCount - 1> kHtFieldRows;

// kind 0..3; any other kind gives an empty text.
std::string ScanEntryIesText(const ScanEntryDecode& decode, int kind);

// entry: the bytes of one scan entry, from its Length field; reads never leave them.
std::string DecodeScanEntryIes(std::span<const std::uint8_t> entry, int kind);
std::string DecodeScanEntryIes(const ScanEntryRecord& entry, int kind);

// Authentication code of an authentication text (0 when unknown).
int AuthCodeFromText(const std::string& auth);

// "WPA2-PSK;AES" -> {"WPA2-PSK", "AES"}; no ";" leaves the cipher empty.
void SplitSecurityText(const std::string& text, std::string& auth, std::string& cipher);

}  // namespace nxui
