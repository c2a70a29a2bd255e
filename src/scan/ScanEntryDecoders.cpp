#include "scan/ScanEntryDecoders.h"

#include "scan/ElementIds.h"
#include "scan/ElementWalker.h"
#include "scan/KeySuites.h"
#include "scan/ShortText.h"

namespace nxui {

namespace {

// Group suites of 00-40-96.
constexpr std::uint8_t kCiscoCkip = 0;
constexpr std::uint8_t kCiscoCkipCmic = 1;
constexpr std::uint8_t kCiscoCmic = 2;

std::uint32_t BodyOui(std::span<const std::uint8_t> body) {
  if (body.size() < 3) return 0xFFFFFFFF;
  return (static_cast<std::uint32_t>(body[0]) << 16) | (static_cast<std::uint32_t>(body[1]) << 8) | body[2];
}

// Vendor elements read with the WPA layout: 00-50-F2 types 1 and 2, and any 00-40-96 element,
// of length 16 or more.
bool IsWpaStyle(std::span<const std::uint8_t> body) {
  if (body.size() < 16) return false;
  const std::uint32_t oui = BodyOui(body);
  const std::uint8_t type = body[3];
  return (oui == ie::kOuiWifi && (type == ie::kWifiTypeWpa || type == ie::kWifiTypeWmm)) || oui == ie::kOuiCisco;
}

unsigned Bit(unsigned value, unsigned bit) { return (value >> bit) & 1u; }

// Marks the security and CCX flags from the suites of one RSN or WPA-style element as they are
// read. Security looks only at suites of the element's own organisation (00-0F-AC for RSN,
// 00-50-F2 for WPA-style); CCX only at 00-40-96 suites of WPA-style elements.
class SuiteMarks final : public SuiteVisitor {
 public:
  SuiteMarks(ScanEntryDecode& decode, bool adHoc, bool rsn)
      : security_(decode.security), ccx_(decode.ccx), adHoc_(adHoc), rsn_(rsn) {}

  void Group(const SuiteSelector& suite) override {
    // An RSN element counts only when its group suite is of 00-0F-AC.
    if (rsn_) accepted_ = suite.oui == ie::kOuiIeee;
    if (accepted_ && suite.oui == Own()) MarkCipher(suite.type);
    if (!rsn_ && suite.oui == ie::kOuiCisco) {
      if (suite.type == kCiscoCkip || suite.type == kCiscoCkipCmic) ccx_.ckip = true;
      if (suite.type == kCiscoCkipCmic || suite.type == kCiscoCmic) ccx_.cmic = true;
    }
  }

  void Pairwise(const SuiteSelector& suite) override {
    if (accepted_ && suite.oui == Own()) MarkCipher(suite.type);
  }

  void Akm(const SuiteSelector& suite) override {
    if (!rsn_ && suite.oui == ie::kOuiCisco) ccx_.cckm = true;
    if (!accepted_ || suite.oui != Own()) return;
    if (suite.type == ie::kAkm8021X) (rsn_ ? security_.wpa2 : security_.wpa) = true;
    if (suite.type == ie::kAkmNone || suite.type == ie::kAkmPsk) {
      if (rsn_) {
        (adHoc_ ? security_.wpa2None : security_.wpa2Psk) = true;
      } else {
        (adHoc_ ? security_.wpaNone : security_.wpaPsk) = true;
      }
    }
  }

 private:
  std::uint32_t Own() const { return rsn_ ? ie::kOuiIeee : ie::kOuiWifi; }
  void MarkCipher(std::uint8_t type) {
    if (type == ie::kCipherTkip) security_.tkip = true;
    if (type == ie::kCipherWrap || type == ie::kCipherCcmp) security_.aes = true;
  }

  SecuritySummary& security_;
  CcxFlags& ccx_;
  bool adHoc_;
  bool rsn_;
  bool accepted_ = true;
};

void DecodeVendor(std::span<const std::uint8_t> body, bool adHoc, ScanEntryDecode& decode) {
  if (IsWpaStyle(body)) {
    SuiteMarks marks(decode, adHoc, false);
    SuiteFrame frame;
    VisitWpaStyleBody(body, marks, frame);
  }
  if (ParseWpsBody(body, decode.wps.fields)) decode.wps.present = true;
  if (body.size() >= 4 && BodyOui(body) == ie::kOuiBroadcom) {
    // Pre-standard HT elements only mark presence.
    if (body[3] == ie::kBroadcomTypeHtCapabilities && body.size() == 30) decode.ht.htCapabilitiesPresent = true;
    if (body[3] == ie::kBroadcomTypeHtInformation && body.size() > 25) decode.ht.htInformationPresent = true;
  }
}

std::string_view FlagText(bool value) { return value ? std::string_view("TRUE") : std::string_view("FALSE"); }

// All six authentication names, ";" and both ciphers.
using SecurityText = ShortText<64>;

struct MarkName {
  bool SecuritySummary::*marked;
  std::string_view name;
};

// The names in the order the texts list them.
constexpr MarkName kAuthNames[] = {{&SecuritySummary::wpa, "WPA"},          {&SecuritySummary::wpaPsk, "WPA-PSK"},
                                   {&SecuritySummary::wpaNone, "WPA-NONE"}, {&SecuritySummary::wpa2, "WPA2"},
                                   {&SecuritySummary::wpa2Psk, "WPA2-PSK"}, {&SecuritySummary::wpa2None, "WPA2-NONE"}};
constexpr MarkName kCipherNames[] = {{&SecuritySummary::tkip, "TKIP"}, {&SecuritySummary::aes, "AES"}};

template <std::size_t Count>
void AddJoined(SecurityText& text, const SecuritySummary& summary, const MarkName (&names)[Count],
               std::string_view none) {
  bool any = false;
  for (const MarkName& name : names) {
    if (!(summary.*name.marked)) continue;
    if (any) text.Add('+');
    text.Add(name.name);
    any = true;
  }
  if (!any) text.Add(none);
}

void AddAuth(SecurityText& text, const SecuritySummary& s) { AddJoined(text, s, kAuthNames, "Unknown"); }
void AddCipher(SecurityText& text, const SecuritySummary& s) { AddJoined(text, s, kCipherNames, "None"); }

// Room for any field: a 64-bit number is at most 20 characters.
using HtText = ShortText<kHtFieldCount * 21>;

template <std::size_t N>
void AddHtField(ShortText<N>& text, const HtField& field) {
  if (field.flag) {
    text.AddFlag(field.value == 1);
  } else {
    text.AddDecimal(field.value);
  }
}

}  // namespace

std::string SecuritySummary::AuthText() const {
  SecurityText text;
  AddAuth(text, *this);
  return text.str();
}

std::string SecuritySummary::CipherText() const {
  SecurityText text;
  AddCipher(text, *this);
  return text.str();
}

std::string SecuritySummary::Text() const {
  SecurityText text;
  AddAuth(text, *this);
  text.Add(';');
  AddCipher(text, *this);
  return text.str();
}

ScanEntryDecode DecodeScanEntry(const ScanEntryRecord& entry) {
  ScanEntryDecode decode;
  HtDecode& ht = decode.ht;
  const bool adHoc = entry.infrastructureMode == 0;
  ElementWalker walker(entry.ies);
  InfoElement element;
  while (walker.Next(element)) {
    const auto body = element.body;
    switch (element.id) {
      case ie::kRsn:
        if (body.size() > 11) {
          SuiteMarks marks(decode, adHoc, true);
          SuiteFrame frame;
          VisitRsnBody(body, marks, frame);
        }
        break;
      case ie::kVendorSpecific:
        DecodeVendor(body, adHoc, decode);
        break;
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
      default:
        break;
    }
  }
  return decode;
}

SecuritySummary DecodeSecurity(const ScanEntryRecord& entry) { return DecodeScanEntry(entry).security; }

void AppendWpsField(const WpsDecode& wps, std::size_t field, std::string& out) {
  const WpsFields& f = wps.fields;
  ShortText<16> text;
  switch (field) {
    case 0:
      if (f.shownConfigMethods) {
        text.Add("0x");
        text.AddHex16(*f.shownConfigMethods);
      }
      break;
    case 1:
      if (f.devicePasswordId) {
        text.Add("0x");
        text.AddHex16(*f.devicePasswordId);
      }
      break;
    case 2:
      if (f.selectedRegistrar) text.AddFlag(*f.selectedRegistrar);
      break;
    case 3:
      if (f.state == 1) {
        text.Add("Unconfigured");
      } else if (f.state) {
        text.Add("Configured");
      }
      break;
    case 4:
      if (f.version) {
        text.AddDecimal(*f.version >> 4);
        text.Add('.');
        text.AddDecimal(*f.version & 0xF);
      }
      break;
    case 5:
      if (f.apSetupLocked) text.AddFlag(*f.apSetupLocked);
      break;
    case 6:
      // Every UUID-E, 32 digits each, one after the other.
      if (f.uuidE.empty()) break;
      for (const auto& uuid : f.uuidE) {
        ShortText<32> digits;
        for (std::uint8_t byte : uuid) digits.AddHexByte(byte);
        out += digits.view();
      }
      return;
    case 7:
      if (f.rfBands == 1) text.Add("2.4GHz");
      if (f.rfBands == 2) text.Add("5GHz");
      if (f.rfBands == 3) text.Add("2.4GHz + 5GHz");
      break;
    case 8:
      out += FlagText(wps.present);
      return;
    default:
      return;
  }
  out += text.empty() ? std::string_view("Unknown") : text.view();
}

std::array<std::string, kWpsFieldCount> FormatWpsFields(const WpsDecode& wps) {
  std::array<std::string, kWpsFieldCount> texts;
  for (std::size_t i = 0; i < texts.size(); ++i) AppendWpsField(wps, i, texts[i]);
  return texts;
}

HtFieldValues HtFieldsOf(const HtDecode& ht) {
  const auto flag = [](std::int64_t value) { return HtField{true, value}; };
  const auto number = [](std::int64_t value) { return HtField{false, value}; };
  const unsigned cap = ht.capabilityInfo;
  const unsigned ampdu = ht.ampduParameters;
  const HtOperation& op = ht.operation;
  HtFieldValues f;
  f[0] = number(ht.secondaryChannelOffset);
  f[1] = flag(ht.htInformationExchange);
  f[2] = flag(ht.mobilityDomain);
  f[3] = flag(ht.highThroughput);
  f[4] = flag(ht.htCapabilitiesPresent ? 1 : 0);
  f[5] = flag(Bit(cap, 0));
  f[6] = number(Bit(cap, 1));
  f[7] = number((cap >> 2) & 3);
  f[8] = flag(Bit(cap, 4));
  f[9] = flag(Bit(cap, 5));
  f[10] = flag(Bit(cap, 6));
  f[11] = flag(Bit(cap, 7));
  f[12] = number((cap >> 8) & 3);
  f[13] = flag(Bit(cap, 10));
  f[14] = number(Bit(cap, 11));
  f[15] = flag(Bit(cap, 12));
  f[16] = flag(Bit(cap, 13));
  f[17] = flag(0);
  f[18] = flag(0);
  f[19] = flag(Bit(cap, 14));
  f[20] = flag(Bit(cap, 15));
  f[21] = number(ampdu & 3);
  f[22] = number(ampdu & 0x0C);
  f[23] = flag(ht.txMcsSetByte);
  f[24] = flag(0);
  f[25] = number(0);
  f[26] = flag(0);
  f[27] = flag(0);
  f[28] = flag(0);
  f[29] = number(0);
  f[30] = number(0);
  f[31] = flag(0);
  f[32] = flag(0);
  f[33] = number(op.primaryChannel);
  f[34] = number(op.info1 & 3);
  f[35] = number(Bit(op.info1, 2));
  f[36] = flag(Bit(op.info1, 3));
  f[37] = flag(Bit(op.info1, 4));
  f[38] = number((op.info1 >> 5) & 7);
  f[39] = number(op.info2 & 3);
  f[40] = flag(Bit(op.info2, 2));
  f[41] = flag(Bit(op.info2, 3));
  f[42] = flag(Bit(op.info2, 4));
  for (unsigned bit = 5; bit <= 11; ++bit) f[43 + bit - 5] = flag(Bit(op.info3, bit));
  // The basic MCS words are shown as signed 32-bit numbers.
  for (std::size_t i = 0; i < 4; ++i) f[50 + i] = number(static_cast<std::int32_t>(op.basicMcsSet[i]));
  f[kHtInformationPresentField] = flag(ht.htInformationPresent ? 1 : 0);
  return f;
}

void AppendHtField(const HtField& field, std::string& out) {
  ShortText<24> text;
  AddHtField(text, field);
  out += text.view();
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

std::string ScanEntryIesText(const ScanEntryDecode& decode, int kind) {
  std::string text;
  switch (kind) {
    case 0:
      return decode.security.Text();
    case 1: {
      ShortText<24> ccx;
      ccx.AddFlag(decode.ccx.cckm);
      ccx.Add(';');
      ccx.AddFlag(decode.ccx.cmic);
      ccx.Add(';');
      ccx.AddFlag(decode.ccx.ckip);
      return ccx.str();
    }
    case 2:
      text.reserve(128 + 32 * decode.wps.fields.uuidE.size());
      for (std::size_t i = 0; i < kWpsFieldCount; ++i) {
        if (i != 0) text += ';';
        AppendWpsField(decode.wps, i, text);
      }
      return text;
    case 3: {
      const HtFieldValues fields = HtFieldsOf(decode.ht);
      HtText ht;
      for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) ht.Add(';');
        AddHtField(ht, fields[i]);
      }
      return ht.str();
    }
    default:
      return text;
  }
}

std::string DecodeScanEntryIes(const ScanEntryRecord& entry, int kind) {
  if (kind < 0 || kind > 3) return {};
  return ScanEntryIesText(DecodeScanEntry(entry), kind);
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
