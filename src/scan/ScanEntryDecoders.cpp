#include "scan/ScanEntryDecoders.h"

#include <cstdio>

#include "scan/ElementIds.h"
#include "scan/ElementWalker.h"
#include "scan/KeySuites.h"

namespace nxui {

namespace {

std::string JoinPlus(std::initializer_list<std::pair<bool, const char*>> names) {
  std::string text;
  for (const auto& [marked, name] : names) {
    if (!marked) continue;
    if (!text.empty()) text += '+';
    text += name;
  }
  return text;
}

std::uint32_t BodyOui(std::span<const std::uint8_t> body) {
  if (body.size() < 3) return 0xFFFFFFFF;
  return (static_cast<std::uint32_t>(body[0]) << 16) | (static_cast<std::uint32_t>(body[1]) << 8) | body[2];
}

// Vendor elements read with the WPA layout: 00-50-F2 types 1 and 2, and any 00-40-96 element,
// of length 16 or more.
bool ReadWpaStyle(const InfoElement& element, KeySuites& suites) {
  if (element.id != ie::kVendorSpecific || element.body.size() < 16) return false;
  const std::uint32_t oui = BodyOui(element.body);
  const std::uint8_t type = element.body[3];
  const bool wifi = oui == ie::kOuiWifi && (type == ie::kWifiTypeWpa || type == ie::kWifiTypeWmm);
  if (!wifi && oui != ie::kOuiCisco) return false;
  return ParseWpaStyleBody(element.body, suites);
}

void MarkCipher(SecuritySummary& summary, std::uint8_t type) {
  if (type == ie::kCipherTkip) summary.tkip = true;
  if (type == ie::kCipherWrap || type == ie::kCipherCcmp) summary.aes = true;
}

std::string Number(long long value) { return std::to_string(value); }
std::string Flag(unsigned value) { return value == 1 ? "TRUE" : "FALSE"; }
unsigned Bit(unsigned value, unsigned bit) { return (value >> bit) & 1u; }

}  // namespace

std::string SecuritySummary::AuthText() const {
  std::string text = JoinPlus({{wpa, "WPA"},
                               {wpaPsk, "WPA-PSK"},
                               {wpaNone, "WPA-NONE"},
                               {wpa2, "WPA2"},
                               {wpa2Psk, "WPA2-PSK"},
                               {wpa2None, "WPA2-NONE"}});
  return text.empty() ? "Unknown" : text;
}

std::string SecuritySummary::CipherText() const {
  std::string text = JoinPlus({{tkip, "TKIP"}, {aes, "AES"}});
  return text.empty() ? "None" : text;
}

std::string SecuritySummary::Text() const { return AuthText() + ";" + CipherText(); }

SecuritySummary DecodeSecurity(const ScanEntryRecord& entry) {
  SecuritySummary summary;
  const bool adHoc = entry.infrastructureMode == 0;
  ElementWalker walker(entry.ies);
  InfoElement element;
  while (walker.Next(element)) {
    KeySuites suites;
    if (element.id == ie::kRsn) {
      if (element.body.size() <= 11 || !ParseRsnBody(element.body, suites) || suites.group.oui != ie::kOuiIeee)
        continue;
      MarkCipher(summary, suites.group.type);
      for (const SuiteSelector& suite : suites.pairwise) {
        if (suite.oui == ie::kOuiIeee) MarkCipher(summary, suite.type);
      }
      for (const SuiteSelector& suite : suites.akm) {
        if (suite.oui != ie::kOuiIeee) continue;
        if (suite.type == ie::kAkm8021X) summary.wpa2 = true;
        if (suite.type == ie::kAkmNone || suite.type == ie::kAkmPsk)
          (adHoc ? summary.wpa2None : summary.wpa2Psk) = true;
      }
    } else if (ReadWpaStyle(element, suites)) {
      if (suites.group.oui == ie::kOuiWifi) MarkCipher(summary, suites.group.type);
      for (const SuiteSelector& suite : suites.pairwise) {
        if (suite.oui == ie::kOuiWifi) MarkCipher(summary, suite.type);
      }
      for (const SuiteSelector& suite : suites.akm) {
        if (suite.oui != ie::kOuiWifi) continue;
        if (suite.type == ie::kAkm8021X) summary.wpa = true;
        if (suite.type == ie::kAkmNone || suite.type == ie::kAkmPsk) (adHoc ? summary.wpaNone : summary.wpaPsk) = true;
      }
    }
  }
  return summary;
}

CcxFlags DecodeCcx(const ScanEntryRecord& entry) {
  CcxFlags flags;
  ElementWalker walker(entry.ies);
  InfoElement element;
  while (walker.Next(element)) {
    KeySuites suites;
    if (!ReadWpaStyle(element, suites)) continue;
    if (suites.group.oui == ie::kOuiCisco) {
      if (suites.group.type == 0 || suites.group.type == 1) flags.ckip = true;
      if (suites.group.type == 1 || suites.group.type == 2) flags.cmic = true;
    }
    for (const SuiteSelector& suite : suites.akm) {
      if (suite.oui == ie::kOuiCisco) flags.cckm = true;
    }
  }
  return flags;
}

WpsDecode DecodeWps(const ScanEntryRecord& entry) {
  WpsDecode result;
  ElementWalker walker(entry.ies);
  InfoElement element;
  while (walker.Next(element)) {
    if (element.id == ie::kVendorSpecific && ParseWpsBody(element.body, result.fields)) result.present = true;
  }
  return result;
}

HtDecode DecodeHt(const ScanEntryRecord& entry) {
  HtDecode ht;
  ElementWalker walker(entry.ies);
  InfoElement element;
  while (walker.Next(element)) {
    const auto body = element.body;
    switch (element.id) {
      case ie::kSecondaryChannelOffset:
        if (body.size() == 3) ht.secondaryChannelOffset = body[0];
        break;
      case ie::kExtendedCapabilities:
        if (!body.empty()) ht.htInformationExchange = static_cast<int>(Bit(body[0], 0));
        break;
      case ie::kNeighborReport:
        if (body.size() >= 13) {
          const unsigned info = static_cast<unsigned>(body[6] | (body[7] << 8));
          ht.mobilityDomain = static_cast<int>(Bit(info, 11));
          ht.highThroughput = static_cast<int>(Bit(info, 12));
        }
        break;
      case ie::kHtCapabilities: {
        HtCapabilities caps;
        if (ParseHtCapabilitiesBody(body, caps)) {
          ht.htCapabilitiesPresent = true;
          ht.capabilityInfo = caps.info;
          ht.ampduParameters = caps.ampduParameters;
          ht.txMcsSetByte = caps.mcsSet[12];
        }
        break;
      }
      case ie::kHtInformation:
        if (ParseHtOperationBody(body, ht.operation)) ht.htInformationPresent = true;
        break;
      case ie::kVendorSpecific:
        if (body.size() >= 4 && BodyOui(body) == ie::kOuiBroadcom) {
          if (body[3] == ie::kBroadcomTypeHtCapabilities && body.size() == 30) ht.htCapabilitiesPresent = true;
          if (body[3] == ie::kBroadcomTypeHtInformation && body.size() > 25) ht.htInformationPresent = true;
        }
        break;
      default:
        break;
    }
  }
  return ht;
}

std::array<std::string, 9> FormatWpsFields(const WpsDecode& wps) {
  const WpsFields& f = wps.fields;
  std::array<std::string, 9> texts;
  char buffer[16];
  if (f.shownConfigMethods) {
    std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(*f.shownConfigMethods));
    texts[0] = buffer;
  }
  if (f.devicePasswordId) {
    std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(*f.devicePasswordId));
    texts[1] = buffer;
  }
  if (f.selectedRegistrar) texts[2] = *f.selectedRegistrar ? "TRUE" : "FALSE";
  if (f.state) texts[3] = *f.state == 1 ? "Unconfigured" : "Configured";
  if (f.version) {
    std::snprintf(buffer, sizeof buffer, "%u.%u", static_cast<unsigned>(*f.version >> 4),
                  static_cast<unsigned>(*f.version & 0xF));
    texts[4] = buffer;
  }
  if (f.apSetupLocked) texts[5] = *f.apSetupLocked ? "TRUE" : "FALSE";
  static constexpr char kHex[] = "0123456789ABCDEF";
  texts[6].reserve(32 * f.uuidE.size());
  for (const auto& uuid : f.uuidE) {
    for (std::uint8_t byte : uuid) {
      texts[6] += kHex[byte >> 4];
      texts[6] += kHex[byte & 0xF];
    }
  }
  if (f.rfBands) {
    if (*f.rfBands == 1)
      texts[7] = "2.4GHz";
    else if (*f.rfBands == 2)
      texts[7] = "5GHz";
    else if (*f.rfBands == 3)
      texts[7] = "2.4GHz + 5GHz";
  }
  for (std::size_t i = 0; i < 8; ++i) {
    if (texts[i].empty()) texts[i] = "Unknown";
  }
  texts[8] = wps.present ? "TRUE" : "FALSE";
  return texts;
}

HtFieldList FormatHtFields(const HtDecode& ht) {
  HtFieldList f;
  const unsigned cap = ht.capabilityInfo;
  const unsigned ampdu = ht.ampduParameters;
  const HtOperation& op = ht.operation;
  f[0] = Number(ht.secondaryChannelOffset);
  f[1] = Flag(static_cast<unsigned>(ht.htInformationExchange));
  f[2] = Flag(static_cast<unsigned>(ht.mobilityDomain));
  f[3] = Flag(static_cast<unsigned>(ht.highThroughput));
  f[4] = Flag(ht.htCapabilitiesPresent ? 1 : 0);
  f[5] = Flag(Bit(cap, 0));
  f[6] = Number(Bit(cap, 1));
  f[7] = Number((cap >> 2) & 3);
  f[8] = Flag(Bit(cap, 4));
  f[9] = Flag(Bit(cap, 5));
  f[10] = Flag(Bit(cap, 6));
  f[11] = Flag(Bit(cap, 7));
  f[12] = Number((cap >> 8) & 3);
  f[13] = Flag(Bit(cap, 10));
  f[14] = Number(Bit(cap, 11));
  f[15] = Flag(Bit(cap, 12));
  f[16] = Flag(Bit(cap, 13));
  f[17] = "FALSE";
  f[18] = "FALSE";
  f[19] = Flag(Bit(cap, 14));
  f[20] = Flag(Bit(cap, 15));
  f[21] = Number(ampdu & 3);
  f[22] = Number(ampdu & 0x0C);
  f[23] = Flag(ht.txMcsSetByte);
  f[24] = "FALSE";
  f[25] = "0";
  f[26] = "FALSE";
  f[27] = "FALSE";
  f[28] = "FALSE";
  f[29] = "0";
  f[30] = "0";
  f[31] = "FALSE";
  f[32] = "FALSE";
  f[33] = Number(op.primaryChannel);
  f[34] = Number(op.info1 & 3);
  f[35] = Number(Bit(op.info1, 2));
  f[36] = Flag(Bit(op.info1, 3));
  f[37] = Flag(Bit(op.info1, 4));
  f[38] = Number((op.info1 >> 5) & 7);
  f[39] = Number(op.info2 & 3);
  f[40] = Flag(Bit(op.info2, 2));
  f[41] = Flag(Bit(op.info2, 3));
  f[42] = Flag(Bit(op.info2, 4));
  for (unsigned bit = 5; bit <= 11; ++bit) f[43 + bit - 5] = Flag(Bit(op.info3, bit));
  for (std::size_t i = 0; i < 4; ++i) f[50 + i] = Number(static_cast<std::int32_t>(op.basicMcsSet[i]));
  f[54] = Flag(ht.htInformationPresent ? 1 : 0);
  return f;
}

const std::array<HtFieldRow, kHtFieldCount - 1> kHtFieldRows = {{
    {"Secondary Channel Offset element", "Secondary Channel Offset"},
    {"Extended Capabilities information element", "HT Information Exchange Support"},
    {"Neighbor Report element", "Mobility Domain"},
    {nullptr, "High Throughput"},
    {"HT Capabilities element", "HT Capability"},
    {nullptr, "LDPC Coding Capability"},
    {nullptr, "Supported Channel Width Set"},
    {nullptr, "SM Power Save"},
    {nullptr, "Greenfield"},
    {nullptr, "Short GI for 20 MHz"},
    {nullptr, "Short GI for 40 MHz"},
    {nullptr, "Tx STBC"},
    {nullptr, "Rx STBC"},
    {nullptr, "HT-delayed BlockAck"},
    {nullptr, "Maximum A-MSDU Length"},
    {nullptr, "DSSS/CCK Mode in 40MHz"},
    {nullptr, "PSMP Support"},
    {nullptr, "HT Capability PSMP Support"},
    {nullptr, "Maximum A-MSDU Length"},
    {nullptr, "Forty MHz Intolerant"},
    {nullptr, "L-SIG TXOP Protection Support"},
    {"A-MPDU Parameters field", "Maximum Rx A-MPDU Factor"},
    {nullptr, "Minimum MPDU Start Spacing"},
    {"Supported MCS Set field", "Tx MCS Set Defined"},
    {nullptr, "Tx Rx MCS Set Not Equal"},
    {nullptr, "Tx Maximum Number Spatial Streams Supported"},
    {nullptr, "Tx Unequal Modulation Support"},
    {"HT Capabilities Info", "DSS/CCK Mode in 40 MHz"},
    {nullptr, "HT Information PSMP Support"},
    {"A-MPDU Parameters", "Maximum Rx A-MPDU Factor"},
    {nullptr, "Minimum MPDU Start Spacing"},
    {"HT Extended Capabilities", "+HTC Support"},
    {nullptr, "RD Responder"},
    {"HT Information element", "Primary Channel"},
    {nullptr, "HT Information Secondary Channel Offset"},
    {nullptr, "STA Channel Width"},
    {nullptr, "RIFS Mode"},
    {nullptr, "PSMP STAs Only"},
    {nullptr, "Service Interval Granularity"},
    {nullptr, "Operating Mode"},
    {nullptr, "Non-greenfield STAs Present"},
    {nullptr, "Transmit Burst Limit"},
    {nullptr, "OBSS None-HT STAs Present"},
    {nullptr, "Dual Beacon"},
    {nullptr, "Dual CTS Protection"},
    {nullptr, "Secondary Beacon"},
    {nullptr, "L-SIG TXOP Protection Full Support"},
    {nullptr, "PCO Active"},
    {nullptr, "PCP Phase"},
    {nullptr, "Basic MCS Set"},
    {nullptr, "Basic MCS Set 0"},
    {nullptr, "Basic MCS Set 1"},
    {nullptr, "Basic MCS Set 2"},
    {nullptr, "Basic MCS Set 3"},
}};

std::string DecodeScanEntryIes(const ScanEntryRecord& entry, int kind) {
  std::string text;
  switch (kind) {
    case 0:
      return DecodeSecurity(entry).Text();
    case 1: {
      const CcxFlags flags = DecodeCcx(entry);
      return std::string(flags.cckm ? "TRUE" : "FALSE") + ";" + (flags.cmic ? "TRUE" : "FALSE") + ";" +
             (flags.ckip ? "TRUE" : "FALSE");
    }
    case 2:
      text.reserve(128);
      for (const std::string& field : FormatWpsFields(DecodeWps(entry))) {
        if (!text.empty()) text += ';';
        text += field;
      }
      return text;
    case 3: {
      const HtFieldList fields = FormatHtFields(DecodeHt(entry));
      text.reserve(320);
      for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) text += ';';
        text += fields[i];
      }
      return text;
    }
    default:
      return text;
  }
}

std::string DecodeScanEntryIes(std::span<const std::uint8_t> entry, int kind) {
  ScanEntryRecord record;
  ReadScanEntry(entry, record);
  return DecodeScanEntryIes(record, kind);
}

int AuthCodeFromText(const std::string& auth) {
  if (auth == "WPA-NONE") return 3;
  if (auth == "WPA") return 1;
  if (auth == "WPA-PSK") return 2;
  if (auth == "WPA2") return 4;
  if (auth == "WPA2-PSK" || auth == "WPA2-NONE") return 5;
  if (auth == "WPA+WPA2") return 4;
  if (auth == "WPA-PSK+WPA2-PSK") return 5;
  return 0;
}

void SplitSecurityText(const std::string& text, std::string& auth, std::string& cipher) {
  const std::size_t separator = text.find(';');
  if (separator == std::string::npos) {
    auth = text;
    cipher.clear();
    return;
  }
  auth = text.substr(0, separator);
  cipher = text.substr(separator + 1);
}

}  // namespace nxui
