#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapter/Units.h"
#include "scan/ElementIds.h"
#include "scan/ScanEntryDecoders.h"
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

std::string Decode(const Bytes& ies, int kind, std::uint32_t mode = 1) {
  EntrySpec spec;
  spec.ies = ies;
  spec.infrastructureMode = mode;
  return DecodeScanEntryIes(MakeEntry(spec), kind);
}

KeySuites Rsn(std::vector<std::uint8_t> pairwise, std::vector<std::uint8_t> akm, std::uint8_t group) {
  KeySuites suites;
  suites.group = {ie::kOuiIeee, group};
  for (auto type : pairwise) suites.pairwise.push_back({ie::kOuiIeee, type});
  for (auto type : akm) suites.akm.push_back({ie::kOuiIeee, type});
  return suites;
}

KeySuites Wpa(std::vector<std::uint8_t> pairwise, std::vector<std::uint8_t> akm, std::uint8_t group) {
  KeySuites suites;
  suites.vendorOui = ie::kOuiWifi;
  suites.vendorType = ie::kWifiTypeWpa;
  suites.group = {ie::kOuiWifi, group};
  for (auto type : pairwise) suites.pairwise.push_back({ie::kOuiWifi, type});
  for (auto type : akm) suites.akm.push_back({ie::kOuiWifi, type});
  return suites;
}

const Bytes kSsid = sim::BuildSsidElement(Bytes{'n', 'e', 't'});

TEST(SecurityDecode, TextsAndAuthCodes) {
  struct Row {
    const char* name;
    Bytes ies;
    std::uint32_t mode;
    const char* text;
    int code;
  };
  const Row rows[] = {
      {"open network", kSsid, 1, "Unknown;None", 0},
      {"ad hoc WPA2 with PSK and CCMP", Concat({kSsid, sim::BuildRsnElement(Rsn({4}, {2}, 4))}), 0, "WPA2-NONE;AES", 5},
      {"mixed WPA-PSK and WPA2-PSK", Concat({kSsid, sim::BuildRsnElement(Rsn({2, 4}, {2}, 2)),
                                            sim::BuildWpaStyleElement(Wpa({2, 4}, {2}, 2))}),
       1, "WPA-PSK+WPA2-PSK;TKIP+AES", 5},
      {"WPA enterprise TKIP", Concat({kSsid, sim::BuildWpaStyleElement(Wpa({2}, {1}, 2))}), 1, "WPA;TKIP", 1},
      {"WPA-None ad hoc", Concat({kSsid, sim::BuildWpaStyleElement(Wpa({2}, {0}, 2))}), 0, "WPA-NONE;TKIP", 3},
      {"WPA2 enterprise", Concat({kSsid, sim::BuildRsnElement(Rsn({4}, {1}, 4))}), 1, "WPA2;AES", 4},
      {"both WPA2 AKMs", Concat({kSsid, sim::BuildRsnElement(Rsn({4}, {1, 2}, 4))}), 1, "WPA2+WPA2-PSK;AES", 0},
      {"RSN with WRAP marks AES", Concat({kSsid, sim::BuildRsnElement(Rsn({3}, {2}, 3))}), 1, "WPA2-PSK;AES", 5},
      {"RSN FT-PSK AKM marks nothing", Concat({kSsid, sim::BuildRsnElement(Rsn({4}, {4}, 4))}), 1, "Unknown;AES", 0},
      {"RSN group with a foreign OUI is ignored",
       Concat({kSsid, Bytes{48, 20, 1, 0, 0x00, 0x50, 0xF2, 4, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC, 2, 0, 0}}),
       1, "Unknown;None", 0},
      {"RSN of length 11 is ignored", Concat({kSsid, Bytes{48, 11, 1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC}}), 1,
       "Unknown;None", 0},
      {"RSN of length 12 reads one pairwise suite", Concat({kSsid, Bytes{48, 12, 1, 0, 0x00, 0x0F, 0xAC, 2, 1, 0, 0x00, 0x0F, 0xAC, 4}}),
       1, "Unknown;TKIP+AES", 0},
      {"RSN pairwise count past the element keeps what fits",
       Concat({kSsid, Bytes{48, 14, 1, 0, 0x00, 0x0F, 0xAC, 4, 0x30, 0x30, 0x00, 0x0F, 0xAC, 2, 0x00, 0x0F}}), 1, "Unknown;TKIP+AES", 0},
      {"RSN behind a zero-length element is not seen",
       Concat({kSsid, Bytes{5, 0}, sim::BuildRsnElement(Rsn({4}, {2}, 4))}), 1, "Unknown;None", 0},
      {"WPA element of length 15 is ignored",
       Concat({kSsid, Bytes{221, 15, 0x00, 0x50, 0xF2, 1, 1, 0, 0x00, 0x50, 0xF2, 2, 1, 0, 0x00, 0x50, 0xF2}}), 1, "Unknown;None", 0},
      {"WPA type 2 element read the same way", Concat({kSsid, [] {
                                                  KeySuites s = Wpa({4}, {2}, 4);
                                                  s.vendorType = 2;
                                                  return sim::BuildWpaStyleElement(s);
                                                }()}),
       1, "WPA-PSK;AES", 2},
      {"WPA suites with the RSN OUI mark nothing", Concat({kSsid, [] {
                                                     KeySuites s = Rsn({4}, {2}, 4);
                                                     s.vendorOui = ie::kOuiWifi;
                                                     s.vendorType = 1;
                                                     return sim::BuildWpaStyleElement(s);
                                                   }()}),
       1, "Unknown;None", 0},
  };
  for (const Row& row : rows) {
    const std::string text = Decode(row.ies, 0, row.mode);
    EXPECT_EQ(text, row.text) << row.name;
    std::string auth;
    std::string cipher;
    SplitSecurityText(text, auth, cipher);
    EXPECT_EQ(AuthCodeFromText(auth), row.code) << row.name;
  }
}

TEST(SecurityDecode, AuthCodeTable) {
  const std::pair<const char*, int> rows[] = {
      {"WPA-NONE", 3}, {"WPA", 1},       {"WPA-PSK", 2},           {"WPA2", 4},
      {"WPA2-PSK", 5}, {"WPA2-NONE", 5}, {"WPA+WPA2", 4},          {"WPA-PSK+WPA2-PSK", 5},
      {"Unknown", 0},  {"wpa2-psk", 0},  {"WPA-PSK+WPA2-NONE", 0}, {"", 0}};
  for (const auto& [text, code] : rows) EXPECT_EQ(AuthCodeFromText(text), code) << text;
}

TEST(SecurityDecode, EntryGuards) {
  EntrySpec spec;
  spec.ies = Concat({kSsid, sim::BuildRsnElement(Rsn({4}, {2}, 4))});
  const Bytes good = MakeEntry(spec);
  EXPECT_EQ(DecodeScanEntryIes(good, 0), "WPA2-PSK;AES");

  struct Row {
    const char* name;
    std::int64_t length;
    std::int64_t ieLength;
    std::size_t keep;  // bytes handed to the decoder
    const char* text;
  };
  const Row rows[] = {
      {"Length 104 is not decoded", 104, -1, good.size(), "Unknown;None"},
      {"IELength 3 is not decoded", -1, 3, good.size(), "Unknown;None"},
      {"IELength past the entry is bounded by Length", 116 + 5, 4000, good.size(), "Unknown;None"},
      {"IELength past the given bytes is bounded by them", -1, 0xFFFFFFFF, good.size(), "WPA2-PSK;AES"},
      {"entry cut inside the RSN element", -1, -1, good.size() - 1, "Unknown;None"},
      {"entry cut inside the fixed part", -1, -1, 100, "Unknown;None"},
  };
  for (const Row& row : rows) {
    EntrySpec bad = spec;
    bad.lengthOverride = row.length;
    bad.ieLengthOverride = row.ieLength;
    Bytes entry = MakeEntry(bad);
    entry.resize(row.keep);
    EXPECT_EQ(DecodeScanEntryIes(entry, 0), row.text) << row.name;
  }
  EXPECT_EQ(DecodeScanEntryIes(good, 4), "");
  EXPECT_EQ(DecodeScanEntryIes(good, -1), "");
}

TEST(CcxDecode, FlagsFromCiscoSuites) {
  struct Row {
    const char* name;
    Bytes ies;
    const char* text;
  };
  const Row rows[] = {
      {"none", kSsid, "FALSE;FALSE;FALSE"},
      {"CKIP+CMIC with CCKM", Concat({kSsid, sim::BuildCcxElement(true, true, true)}), "TRUE;TRUE;TRUE"},
      {"CKIP only", Concat({kSsid, sim::BuildCcxElement(false, false, true)}), "FALSE;FALSE;TRUE"},
      {"CMIC only", Concat({kSsid, sim::BuildCcxElement(false, true, false)}), "FALSE;TRUE;FALSE"},
      {"CCKM only", Concat({kSsid, sim::BuildCcxElement(true, false, false)}), "TRUE;FALSE;FALSE"},
      // The real-world 00-40-96 type 4 element: its "pairwise count" 0xa523 points far past it.
      {"type 4 element with a count past its end",
       Concat({kSsid, Bytes{221,  22,   0x00, 0x40, 0x96, 0x04, 0x00, 0x00, 0x07, 0xa5, 0x00, 0x00,
                            0x23, 0xa5, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}}),
       "FALSE;FALSE;FALSE"},
  };
  for (const Row& row : rows) EXPECT_EQ(Decode(row.ies, 1), row.text) << row.name;
  // The CCX element carries only Cisco suites, so it leaves the security text alone.
  EXPECT_EQ(Decode(Concat({kSsid, sim::BuildCcxElement(true, true, true)}), 0), "Unknown;None");
}

Bytes WpsElement(std::initializer_list<Bytes> attributes) {
  Bytes body = {0x00, 0x50, 0xF2, 0x04};
  for (const Bytes& a : attributes) body.insert(body.end(), a.begin(), a.end());
  Bytes element = {221, static_cast<std::uint8_t>(body.size())};
  element.insert(element.end(), body.begin(), body.end());
  return element;
}
Bytes Attr(std::uint16_t type, Bytes value) {
  Bytes out = {static_cast<std::uint8_t>(type >> 8), static_cast<std::uint8_t>(type),
               static_cast<std::uint8_t>(value.size() >> 8), static_cast<std::uint8_t>(value.size())};
  out.insert(out.end(), value.begin(), value.end());
  return out;
}

TEST(WpsDecode, FieldTexts) {
  const Bytes uuid1 = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  const Bytes uuid2(16, 0xAB);
  struct Row {
    const char* name;
    Bytes ies;
    const char* text;
  };
  const Row rows[] = {
      {"no WPS element", kSsid, "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;FALSE"},
      {"version 0x10 only", Concat({kSsid, WpsElement({Attr(0x104A, {0x10})})}),
       "Unknown;Unknown;Unknown;Unknown;1.0;Unknown;Unknown;Unknown;TRUE"},
      {"bare WPS element of length 4", Concat({kSsid, WpsElement({})}),
       "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;TRUE"},
      {"push button, selected registrar, configured, both bands",
       Concat({kSsid, WpsElement({Attr(0x104A, {0x10}), Attr(0x1044, {2}), Attr(0x1041, {1}), Attr(0x1012, {0, 4}),
                                  Attr(0x1053, {0x01, 0x8c}), Attr(0x103C, {3}), Attr(0x1057, {0})})}),
       "0x018C;0x0004;TRUE;Configured;1.0;FALSE;Unknown;2.4GHz + 5GHz;TRUE"},
      {"later config methods overwrite",
       Concat({kSsid, WpsElement({Attr(0x1053, {0x01, 0x8c}), Attr(0x1008, {0x23, 0x88})})}),
       "0x2388;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;TRUE"},
      {"state 0 and RF bands 4 stay Unknown", Concat({kSsid, WpsElement({Attr(0x1044, {0}), Attr(0x103C, {4})})}),
       "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;TRUE"},
      {"state 5 keeps the earlier state", Concat({kSsid, WpsElement({Attr(0x1044, {1}), Attr(0x1044, {5})})}),
       "Unknown;Unknown;Unknown;Unconfigured;Unknown;Unknown;Unknown;Unknown;TRUE"},
      {"second UUID-E appended", Concat({kSsid, WpsElement({Attr(0x1047, uuid1), Attr(0x1047, uuid2)})}),
       "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;"
       "000102030405060708090A0B0C0D0E0FABABABABABABABABABABABABABABABAB;Unknown;TRUE"},
      {"attributes shorter than their field are ignored",
       Concat({kSsid, WpsElement({Attr(0x1012, {4}), Attr(0x1047, Bytes(15, 1)), Attr(0x104A, {})})}),
       "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;TRUE"},
      {"attribute running past the element ends the attribute walk",
       Concat({kSsid, WpsElement({Attr(0x104A, {0x10}), Bytes{0x10, 0x44, 0x00, 0x09, 0x02}})}),
       "Unknown;Unknown;Unknown;Unknown;1.0;Unknown;Unknown;Unknown;TRUE"},
      {"version 2.0 from the high and low nibbles",
       Concat({kSsid, WpsElement({Attr(0x104A, {0x20}), Attr(0x101A, uuid1)})}),
       "Unknown;Unknown;Unknown;Unknown;2.0;Unknown;Unknown;Unknown;TRUE"},
      {"WPS after a zero-length element is not found", Concat({kSsid, Bytes{5, 0}, WpsElement({Attr(0x104A, {0x10})})}),
       "Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;Unknown;FALSE"},
      {"two WPS elements add up",
       Concat({kSsid, WpsElement({Attr(0x104A, {0x10})}), WpsElement({Attr(0x1012, {0, 0})})}),
       "Unknown;0x0000;Unknown;Unknown;1.0;Unknown;Unknown;Unknown;TRUE"},
  };
  for (const Row& row : rows) EXPECT_EQ(Decode(row.ies, 2), row.text) << row.name;
}

std::vector<std::string> HtFields(const Bytes& ies) {
  std::vector<std::string> fields;
  const std::string text = Decode(ies, 3);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(';', start);
    fields.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return fields;
}

TEST(HtDecode, FieldsAndLengthRules) {
  HtCapabilities caps;
  caps.info = 0x096E;
  caps.ampduParameters = 0x17;
  caps.mcsSet[12] = 1;
  HtOperation op;
  op.primaryChannel = 36;
  op.info1 = 0x05 | 0x08;
  op.info2 = 0x0006 | 0x0010;
  op.info3 = 0x0820;
  op.basicMcsSet = {0xFF, 0, 0, 0xFFFFFFFF};
  const Bytes ies = Concat({kSsid, sim::BuildHtCapabilitiesElement(caps), sim::BuildHtOperationElement(op),
                            Bytes{127, 1, 1}, Bytes{62, 3, 3, 0, 0}});
  const auto f = HtFields(ies);
  ASSERT_EQ(f.size(), kHtFieldCount);
  const std::pair<int, const char*> expected[] = {
      {0, "3"},     {1, "TRUE"},  {4, "TRUE"},   {5, "FALSE"}, {6, "1"},     {7, "3"},      {8, "FALSE"},
      {9, "TRUE"},  {10, "TRUE"}, {11, "FALSE"}, {12, "1"},    {14, "1"},    {21, "3"},     {22, "4"},
      {23, "TRUE"}, {33, "36"},   {34, "1"},     {35, "1"},    {36, "TRUE"}, {37, "FALSE"}, {39, "2"},
      {40, "TRUE"}, {42, "TRUE"}, {43, "TRUE"},  {49, "TRUE"}, {50, "255"},  {53, "-1"},    {54, "TRUE"}};
  for (const auto& [index, value] : expected) EXPECT_EQ(f[static_cast<std::size_t>(index)], value) << "field " << index;

  struct Row {
    const char* name;
    Bytes ies;
    int field;
    const char* value;
  };
  Bytes caps28 = sim::BuildHtCapabilitiesElement(caps);
  caps28[1] = 28;
  caps28.push_back(0);
  caps28.push_back(0);
  Bytes op21 = sim::BuildHtOperationElement(op);
  op21[1] = 21;
  op21.pop_back();
  const Row rows[] = {
      {"HT Capabilities of length 28 is ignored", Concat({kSsid, caps28}), 4, "FALSE"},
      {"HT Capabilities of length 28 leaves the width 0", Concat({kSsid, caps28}), 6, "0"},
      {"Secondary Channel Offset of length 1 is ignored", Concat({kSsid, Bytes{62, 1, 3}}), 0, "0"},
      {"HT Information of length 21 is ignored", Concat({kSsid, op21}), 54, "FALSE"},
      {"HT Information of length 24 is read", Concat({kSsid, [&] {
                                                   Bytes e = sim::BuildHtOperationElement(op);
                                                   e[1] = 24;
                                                   e.push_back(0);
                                                   e.push_back(0);
                                                   return e;
                                                 }()}),
       33, "36"},
      {"Tx MCS set byte 3 is not exactly 1", Concat({kSsid, [&] {
                                                 HtCapabilities c = caps;
                                                 c.mcsSet[12] = 3;
                                                 return sim::BuildHtCapabilitiesElement(c);
                                               }()}),
       23, "FALSE"},
      {"Neighbor Report of length 13 gives the HT bit",
       Concat({kSsid, Bytes{52, 13, 0, 0, 0, 0, 0, 0, 0x00, 0x18, 0, 0, 0, 0, 0}}), 3, "TRUE"},
      {"Neighbor Report of length 12 is ignored", Concat({kSsid, Bytes{52, 12, 0, 0, 0, 0, 0, 0, 0x00, 0x18, 0, 0, 0, 0}}), 2,
       "FALSE"},
      {"vendor 00-90-4C 0x34 of length 26 marks HT information",
       Concat({kSsid, [] {
                 Bytes e = {221, 26, 0x00, 0x90, 0x4C, 0x34};
                 e.resize(28, 0);
                 return e;
               }()}),
       54, "TRUE"},
      {"vendor 00-90-4C 0x34 of length 25 does not",
       Concat({kSsid, [] {
                 Bytes e = {221, 25, 0x00, 0x90, 0x4C, 0x34};
                 e.resize(27, 0);
                 return e;
               }()}),
       54, "FALSE"},
      {"vendor 00-90-4C 0x33 of length 30 marks HT capabilities",
       Concat({kSsid, [] {
                 Bytes e = {221, 30, 0x00, 0x90, 0x4C, 0x33};
                 e.resize(32, 0);
                 return e;
               }()}),
       4, "TRUE"},
  };
  for (const Row& row : rows) EXPECT_EQ(HtFields(row.ies)[static_cast<std::size_t>(row.field)], row.value) << row.name;

  const auto none = HtFields(kSsid);
  EXPECT_EQ(none[54], "FALSE");
  EXPECT_EQ(none[33], "0");
  EXPECT_EQ(kHtFieldRows[21].groupHeader, std::string("A-MPDU Parameters field"));
}

TEST(SurveyCells, SignalTextsColoursAndRates) {
  struct Row {
    int rssi;
    const char* percent;
    BarColour colour;
  };
  const Row rows[] = {{-30, "100%", {20, 120, 200}}, {-60, "76%", {20, 120, 200}}, {-61, "73%", {100, 240, 70}},
                      {-70, "50%", {250, 230, 50}},  {-80, "24%", {240, 40, 40}},  {-85, "13%", {240, 40, 40}},
                      {-69, "52%", {100, 240, 70}},  {-78, "29%", {250, 230, 50}}};
  for (const Row& row : rows) {
    EXPECT_EQ(SignalText(row.rssi, false), row.percent) << row.rssi;
    EXPECT_EQ(SignalBarColour(RssiToPercent(row.rssi)), row.colour) << row.rssi;
  }
  EXPECT_EQ(SignalText(-67, true), "-67 dBm");
  EXPECT_EQ(SignalModulo(-100), -100);
  EXPECT_EQ(SignalModulo(-101), 0);
  EXPECT_EQ(SignalModulo(-150), -49);
  EXPECT_EQ(SignalModulo(205), 3);
  EXPECT_EQ(SignalBarColour(75), (BarColour{100, 240, 70}));
  EXPECT_EQ(SignalBarColour(76), (BarColour{20, 120, 200}));
  EXPECT_EQ(SignalBarColour(26), (BarColour{250, 230, 50}));
  EXPECT_EQ(SignalBarColour(25), (BarColour{240, 40, 40}));

  std::array<std::uint8_t, 16> rates{};
  const std::uint8_t r1[] = {12, 18, 24, 36, 0, 48};
  std::copy(std::begin(r1), std::end(r1), rates.begin());
  EXPECT_EQ(FormatSupportedRates(rates), "6, 9, 12, 18");
  const std::uint8_t r2[] = {2, 4, 11, 22};
  rates = {};
  std::copy(std::begin(r2), std::end(r2), rates.begin());
  EXPECT_EQ(FormatSupportedRates(rates), "1, 2, 5.5, 11");
  rates = {};
  EXPECT_EQ(FormatSupportedRates(rates), "");
  rates.fill(108);
  EXPECT_EQ(FormatSupportedRates(rates).size(), 16u * 4 - 2);
}

TEST(SurveyCells, RowFromEntry) {
  struct Row {
    const char* name;
    EntrySpec spec;
    int secured;
    int wps;
    int ht;
    const char* channel;
  };
  EntrySpec open;
  EntrySpec wep;
  wep.privacy = 1;
  EntrySpec japan;
  japan.dsConfig = 5040000;
  japan.ies = Concat({kSsid, sim::BuildRsnElement(Rsn({4}, {2}, 4)), WpsElement({Attr(0x104A, {0x10})})});
  EntrySpec ht;
  ht.dsConfig = 2413000;
  ht.ies = Concat({kSsid, sim::BuildHtOperationElement(HtOperation{})});
  const Row rows[] = {{"open", open, 0, 0, 0, "6"},
                      {"WEP", wep, 1, 0, 0, "6"},
                      {"WPA2 with WPS on J8", japan, 1, 1, 0, "J8"},
                      {"HT on a frequency off the table", ht, 0, 0, 1, ""}};
  for (const Row& row : rows) {
    const Bytes bytes = MakeEntry(row.spec);
    ScanEntryRecord record;
    ASSERT_TRUE(ReadScanEntry(bytes, record));
    const ScanEntry entry = MakeScanEntry(record, 3);
    EXPECT_EQ(entry.secured, row.secured) << row.name;
    EXPECT_EQ(entry.wps, row.wps) << row.name;
    EXPECT_EQ(entry.ht, row.ht) << row.name;
    EXPECT_EQ(entry.channel, row.channel) << row.name;
    EXPECT_EQ(entry.bssid, "00-11-22-33-44-55");
    EXPECT_EQ(entry.position, 3u);
  }
}

// Hidden networks send an SSID element of length 0 first; what follows it is theirs all the same.
TEST(HiddenNetwork, ElementsAfterAnEmptySsidAreDecoded) {
  const Bytes empty = sim::BuildSsidElement(Bytes{});
  ASSERT_EQ(empty, (Bytes{0, 0}));
  const Bytes rsn = sim::BuildRsnElement(Rsn({4}, {2}, 4));
  const Bytes wps = WpsElement({Attr(0x104A, {0x10}), Attr(0x1044, {2})});
  const Bytes ht = sim::BuildHtOperationElement(HtOperation{});
  struct Row {
    const char* name;
    Bytes ies;
    std::uint32_t mode;
    std::uint32_t privacy;
    const char* security;
    int authCode;
    int secured;
    int wps;
    int ht;
  };
  const Row rows[] = {
      {"WPA2-PSK with WPS and HT", Concat({empty, rsn, wps, ht}), 1, 1, "WPA2-PSK;AES", 5, 1, 1, 1},
      {"mixed WPA and WPA2 without privacy bit", Concat({empty, sim::BuildWpaStyleElement(Wpa({2}, {2}, 2)), rsn}), 1,
       0, "WPA-PSK+WPA2-PSK;TKIP+AES", 5, 1, 0, 0},
      {"ad hoc WPA2", Concat({empty, rsn}), 0, 1, "WPA2-NONE;AES", 5, 1, 0, 0},
      {"open with HT only", Concat({empty, ht}), 1, 0, "Unknown;None", 0, 0, 0, 1},
      {"a second empty element still ends the walk", Concat({empty, Bytes{5, 0}, rsn, wps, ht}), 1, 1, "Unknown;None",
       0, 1, 0, 0},
  };
  for (const Row& row : rows) {
    EntrySpec spec;
    spec.ssid.clear();
    spec.ies = row.ies;
    spec.infrastructureMode = row.mode;
    spec.privacy = row.privacy;
    const Bytes bytes = MakeEntry(spec);
    EXPECT_EQ(DecodeScanEntryIes(bytes, 0), row.security) << row.name;
    std::string auth;
    std::string cipher;
    SplitSecurityText(DecodeScanEntryIes(bytes, 0), auth, cipher);
    EXPECT_EQ(AuthCodeFromText(auth), row.authCode) << row.name;
    ScanEntryRecord record;
    ASSERT_TRUE(ReadScanEntry(bytes, record)) << row.name;
    const ScanEntry entry = MakeScanEntry(record, 0);
    EXPECT_EQ(entry.ssid, "") << row.name;
    EXPECT_EQ(entry.secured, row.secured) << row.name;
    EXPECT_EQ(entry.wps, row.wps) << row.name;
    EXPECT_EQ(entry.ht, row.ht) << row.name;
  }
  // The WPS attributes themselves come through, not only the element's presence.
  EntrySpec spec;
  spec.ies = Concat({empty, wps});
  EXPECT_EQ(DecodeScanEntryIes(MakeEntry(spec), 2),
            "Unknown;Unknown;Unknown;Configured;1.0;Unknown;Unknown;Unknown;TRUE");
}

}  // namespace
}  // namespace nxui
