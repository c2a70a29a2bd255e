// The exact texts of the decodes and the row, pinned whole: the field tests elsewhere look at one
// field at a time, so a change in how a text is put together (separators, order, number and hex
// formatting) shows here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/ElementIds.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ShortText.h"
#include "sim/IeBuilder.h"
#include "survey/ScanEntryFactory.h"
#include "survey/SurveyCells.h"

namespace nxui {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::EntrySpec;
using testing::MakeEntry;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes Attr(std::uint16_t type, Bytes value) {
  Bytes out = {static_cast<std::uint8_t>(type >> 8), static_cast<std::uint8_t>(type),
               static_cast<std::uint8_t>(value.size() >> 8), static_cast<std::uint8_t>(value.size())};
  out.insert(out.end(), value.begin(), value.end());
  return out;
}

Bytes Wps(std::initializer_list<Bytes> attributes) {
  Bytes body = {0x00, 0x50, 0xF2, 0x04};
  for (const Bytes& a : attributes) body.insert(body.end(), a.begin(), a.end());
  Bytes element = {221, static_cast<std::uint8_t>(body.size())};
  element.insert(element.end(), body.begin(), body.end());
  return element;
}

Bytes HtCaps(std::uint16_t info, std::uint8_t ampdu, std::uint8_t txMcsByte) {
  HtCapabilities caps;
  caps.info = info;
  caps.ampduParameters = ampdu;
  caps.mcsSet[12] = txMcsByte;
  return sim::BuildHtCapabilitiesElement(caps);
}

Bytes HtInfo(std::uint8_t primary, std::uint8_t info1, std::uint16_t info2, std::uint16_t info3,
             std::array<std::uint32_t, 4> basicMcs) {
  HtOperation op;
  op.primaryChannel = primary;
  op.info1 = info1;
  op.info2 = info2;
  op.info3 = info3;
  op.basicMcsSet = basicMcs;
  return sim::BuildHtOperationElement(op);
}

Bytes RsnMixed() {
  KeySuites s;
  s.group = {ie::kOuiIeee, ie::kCipherTkip};
  s.pairwise = {{ie::kOuiIeee, ie::kCipherCcmp}, {ie::kOuiIeee, ie::kCipherTkip}};
  s.akm = {{ie::kOuiIeee, ie::kAkmPsk}, {ie::kOuiIeee, ie::kAkm8021X}};
  return sim::BuildRsnElement(s);
}

Bytes WpaPsk() {
  KeySuites s;
  s.vendorOui = ie::kOuiWifi;
  s.vendorType = ie::kWifiTypeWpa;
  s.group = {ie::kOuiWifi, ie::kCipherTkip};
  s.pairwise = {{ie::kOuiWifi, ie::kCipherTkip}};
  s.akm = {{ie::kOuiWifi, ie::kAkmPsk}};
  return sim::BuildWpaStyleElement(s);
}

const Bytes kSsid = sim::BuildSsidElement(Bytes{'n', 'e', 't'});

TEST(DecodeTexts, AllFourKindsWhole) {
  struct Row {
    const char* name;
    Bytes ies;
    const char* security;
    const char* ccx;
    const char* wps;
    const char* ht;
  };
  const char* noHt =
      "0;FALSE;FALSE;FALSE;FALSE;FALSE;0;0;FALSE;FALSE;FALSE;FALSE;0;FALSE;0;FALSE;FALSE;FALSE;FALSE;FALSE;FALSE;0;0;"
      "FALSE;FALSE;0;FALSE;FALSE;FALSE;0;0;FALSE;FALSE;0;0;0;FALSE;FALSE;0;0;FALSE;FALSE;FALSE;FALSE;FALSE;FALSE;FALSE;"
      "FALSE;FALSE;FALSE;0;0;0;0;FALSE";
  const char* noWps = "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;FALSE";
  const Row rows[] = {
      {"nothing but a name", kSsid, "Unknown;None", "FALSE;FALSE;FALSE", noWps, noHt},
      {"every element the decodes read",
       Concat({kSsid, RsnMixed(), WpaPsk(), sim::BuildCcxElement(true, true, false),
               Wps({Attr(0x104A, {0x10}), Attr(0x1044, {1}), Attr(0x1057, {1}), Attr(0x1041, {0}),
                    Attr(0x1012, {0xAB, 0xCD}), Attr(0x1053, {0x42, 0x8E}), Attr(0x1047, Bytes(16, 0x5A)),
                    Attr(0x103C, {2})}),
               HtCaps(0x096E, 0x17, 1), HtInfo(149, 0x0D, 0x0016, 0x0820, {0xFF, 0, 0x80000000u, 0xFFFFFFFFu}),
               Bytes{127, 1, 1}, Bytes{62, 3, 3, 0, 0}, Bytes{52, 13, 0, 0, 0, 0, 0, 0, 0x00, 0x18, 0, 0, 0, 0, 0}}),
       "WPA-PSK+WPA2+WPA2-PSK;TKIP+AES", "TRUE;TRUE;FALSE",
       "0x428E;0xABCD;FALSE;Unconfigured;1.0;TRUE;5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A;5GHz;TRUE",
       "3;TRUE;TRUE;TRUE;TRUE;FALSE;1;3;FALSE;TRUE;TRUE;FALSE;1;FALSE;1;FALSE;FALSE;FALSE;FALSE;FALSE;FALSE;3;4;TRUE;"
       "FALSE;0;FALSE;FALSE;FALSE;0;0;FALSE;FALSE;149;1;1;TRUE;FALSE;0;2;TRUE;FALSE;TRUE;TRUE;FALSE;FALSE;FALSE;FALSE;"
       "FALSE;TRUE;255;0;-2147483648;-1;TRUE"},
      {"every HT bit set",
       Concat({kSsid, HtCaps(0xFFFF, 0xFF, 1), HtInfo(255, 0xFF, 0xFFFF, 0xFFFF, {0x7FFFFFFF, 1, 2, 3})}),
       "Unknown;None", "FALSE;FALSE;FALSE", noWps,
       "0;FALSE;FALSE;FALSE;TRUE;TRUE;1;3;TRUE;TRUE;TRUE;TRUE;3;TRUE;1;TRUE;TRUE;FALSE;FALSE;TRUE;TRUE;3;12;TRUE;FALSE;"
       "0;"
       "FALSE;FALSE;FALSE;0;0;FALSE;FALSE;255;3;1;TRUE;TRUE;7;3;TRUE;TRUE;TRUE;TRUE;TRUE;TRUE;TRUE;TRUE;TRUE;TRUE;"
       "2147483647;1;2;3;TRUE"},
      {"WPS version and numbers at their widest",
       Concat({kSsid,
               Wps({Attr(0x104A, {0xAB}), Attr(0x1008, {0xFF, 0xFF}), Attr(0x1012, {0x00, 0x00}), Attr(0x103C, {1})})}),
       "Unknown;None", "FALSE;FALSE;FALSE", "0xFFFF;0x0000;Unknown;Unknown;10.11;Unknown;Unknown;2.4GHz;TRUE", noHt},
  };
  for (const Row& row : rows) {
    EntrySpec spec;
    spec.ies = row.ies;
    const Bytes entry = MakeEntry(spec);
    EXPECT_EQ(DecodeScanEntryIes(entry, 0), row.security) << row.name;
    EXPECT_EQ(DecodeScanEntryIes(entry, 1), row.ccx) << row.name;
    EXPECT_EQ(DecodeScanEntryIes(entry, 2), row.wps) << row.name;
    EXPECT_EQ(DecodeScanEntryIes(entry, 3), row.ht) << row.name;
  }
}

TEST(DecodeTexts, RowTextsAtTheirEdges) {
  EXPECT_EQ(FormatBssid({0xAB, 0xCD, 0xEF, 0x0A, 0xFF, 0x00}), "AB-CD-EF-0A-FF-00");
  EXPECT_EQ(FormatBssid({0, 0, 0, 0, 0, 0}), "00-00-00-00-00-00");

  struct Rates {
    Bytes bytes;
    const char* text;
  };
  const Rates rates[] = {
      {{1}, "0.5"},
      {{255}, "127.5"},
      {{0x82, 0x84, 0x8B, 0x96}, "65, 66, 69.5, 75"},  // basic-rate bit left in
      {{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17},
       "1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6, 6.5, 7, 7.5, 8, 8.5"},
  };
  for (const Rates& row : rates) {
    std::array<std::uint8_t, 16> bytes{};
    std::copy(row.bytes.begin(), row.bytes.end(), bytes.begin());
    EXPECT_EQ(FormatSupportedRates(bytes), row.text);
  }

  const std::pair<std::int32_t, const char*> dbm[] = {
      {-100, "-100 dBm"}, {0, "0 dBm"}, {100, "100 dBm"}, {-9, "-9 dBm"}};
  for (const auto& [signal, text] : dbm) EXPECT_EQ(SignalText(signal, true), text) << signal;
  const std::pair<std::int32_t, const char*> percent[] = {{-100, "0%"}, {0, "100%"}, {100, "100%"}};
  for (const auto& [signal, text] : percent) EXPECT_EQ(SignalText(signal, false), text) << signal;
}

// The texts are built in fixed room sized for the longest one; should a text ever be longer, the
// room holds what fits and nothing is written past it.
TEST(DecodeTexts, ShortTextKeepsToItsRoom) {
  struct Row {
    const char* name;
    void (*build)(ShortText<6>&);
    const char* text;
  };
  const Row rows[] = {
      {"exactly full", [](ShortText<6>& t) { t.Add("FALSE;"); }, "FALSE;"},
      {"a literal one too long is cut", [](ShortText<6>& t) { t.Add("TRUE;FALSE"); }, "TRUE;F"},
      {"a character past the end is dropped",
       [](ShortText<6>& t) {
         t.Add("FALSE;");
         t.Add('x');
       },
       "FALSE;"},
      {"a number that fits", [](ShortText<6>& t) { t.AddDecimal(-12345); }, "-12345"},
      {"a number one digit too long is dropped whole",
       [](ShortText<6>& t) {
         t.Add('a');
         t.AddDecimal(-12345);
       },
       "a"},
      {"hex digits past the end are dropped",
       [](ShortText<6>& t) {
         t.AddDecimal(12345);
         t.AddHex16(0xABCD);
       },
       "12345A"},
      {"flags",
       [](ShortText<6>& t) {
         t.AddFlag(true);
         t.AddFlag(false);
       },
       "TRUEFA"},
  };
  for (const Row& row : rows) {
    ShortText<6> text;
    row.build(text);
    EXPECT_EQ(text.str(), row.text) << row.name;
  }
}

}  // namespace
}  // namespace nxui
