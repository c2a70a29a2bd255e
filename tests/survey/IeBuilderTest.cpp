#include <gtest/gtest.h>

#include <vector>

#include "base/HexText.h"
#include "scan/ElementIds.h"
#include "scan/ElementWalker.h"
#include "scan/ScanEntryDecoders.h"
#include "sim/IeBuilder.h"
#include "survey/ScanEntryFactory.h"

namespace nxui {
namespace {

using Bytes = std::vector<std::uint8_t>;

InfoElement Single(const Bytes& element) {
  InfoElement out;
  EXPECT_GE(element.size(), 2u);
  out.id = element[0];
  out.body = std::span<const std::uint8_t>(element).subspan(2);
  EXPECT_EQ(out.body.size(), element[1]);
  return out;
}

TEST(IeBuilder, KeySuitesRoundTrip) {
  std::vector<KeySuites> cases;
  KeySuites rsn;
  rsn.group = {ie::kOuiIeee, 2};
  rsn.pairwise = {{ie::kOuiIeee, 2}, {ie::kOuiIeee, 4}};
  rsn.akm = {{ie::kOuiIeee, 2}, {ie::kOuiIeee, 1}};
  rsn.tail = {0x8c, 0x00, 0x00, 0x00, 0x00, 0x0F, 0xAC, 0x06};
  cases.push_back(rsn);
  KeySuites groupOnly;
  groupOnly.group = {ie::kOuiIeee, 4};
  cases.push_back(groupOnly);
  KeySuites noAkm = rsn;
  noAkm.akm.clear();
  noAkm.tail.clear();
  cases.push_back(noAkm);
  for (const KeySuites& expected : cases) {
    const Bytes element = sim::BuildRsnElement(expected);
    const InfoElement parsed = Single(element);
    EXPECT_EQ(parsed.id, ie::kRsn);
    KeySuites back;
    ASSERT_TRUE(ParseRsnBody(parsed.body, back));
    EXPECT_EQ(back, expected);
    EXPECT_EQ(sim::BuildRsnElement(back), element);

    KeySuites vendor = expected;
    vendor.vendorOui = ie::kOuiWifi;
    vendor.vendorType = ie::kWifiTypeWpa;
    const Bytes wpa = sim::BuildWpaStyleElement(vendor);
    KeySuites wpaBack;
    ASSERT_TRUE(ParseWpaStyleBody(Single(wpa).body, wpaBack));
    EXPECT_EQ(wpaBack, vendor);
  }
}

TEST(IeBuilder, KeySuitesParserRejectsShortHeadersAndKeepsWhatFits) {
  KeySuites untouched;
  untouched.version = 7;
  const Bytes shortBodies[] = {{}, {1}, {1, 0}, {1, 0, 0x00, 0x0F, 0xAC}};
  for (const Bytes& body : shortBodies) {
    KeySuites out = untouched;
    EXPECT_FALSE(ParseRsnBody(body, out)) << body.size();
    EXPECT_EQ(out.version, 7) << "written although the parse failed";
  }
  const Bytes cut = {1, 0, 0x00, 0x0F, 0xAC, 4, 2, 0, 0x00, 0x0F, 0xAC, 4, 0x00, 0x0F};
  KeySuites out;
  ASSERT_TRUE(ParseRsnBody(cut, out));
  EXPECT_TRUE(out.truncated);
  EXPECT_EQ(out.pairwise.size(), 1u);
  EXPECT_TRUE(out.akm.empty());
}

TEST(IeBuilder, WpsRoundTrip) {
  WpsFields fields;
  fields.version = 0x10;
  fields.state = 2;
  fields.apSetupLocked = true;
  fields.selectedRegistrar = false;
  fields.devicePasswordId = 4;
  fields.selectedRegistrarConfigMethods = 0x018C;
  fields.uuidE = {std::array<std::uint8_t, 16>{1, 2, 3}, std::array<std::uint8_t, 16>{9}};
  fields.rfBands = 3;
  fields.configMethods = 0x2388;
  const Bytes element = sim::BuildWpsElement(fields);
  WpsFields back;
  ASSERT_TRUE(ParseWpsBody(Single(element).body, back));
  EXPECT_EQ(back.version, fields.version);
  EXPECT_EQ(back.state, fields.state);
  EXPECT_EQ(back.apSetupLocked, fields.apSetupLocked);
  EXPECT_EQ(back.selectedRegistrar, fields.selectedRegistrar);
  EXPECT_EQ(back.devicePasswordId, fields.devicePasswordId);
  EXPECT_EQ(back.selectedRegistrarConfigMethods, fields.selectedRegistrarConfigMethods);
  EXPECT_EQ(back.uuidE, fields.uuidE);
  EXPECT_EQ(back.rfBands, fields.rfBands);
  EXPECT_EQ(back.configMethods, fields.configMethods);
  EXPECT_EQ(back.shownConfigMethods, fields.configMethods);  // written last
  back.shownConfigMethods.reset();
  EXPECT_EQ(sim::BuildWpsElement(back), element);

  WpsFields none;
  EXPECT_FALSE(ParseWpsBody(Bytes{0x00, 0x50, 0xF2, 0x01, 0x10, 0x4A, 0, 1, 0x10}, none));
  EXPECT_FALSE(none.version.has_value());
}

TEST(IeBuilder, HtRoundTrip) {
  HtCapabilities caps;
  caps.info = 0x096E;
  caps.ampduParameters = 0x17;
  caps.mcsSet = {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
  caps.extendedCapabilities = 0x0400;
  caps.txBeamforming = 0x12345678;
  caps.aselCapabilities = 0x9A;
  const Bytes capsElement = sim::BuildHtCapabilitiesElement(caps);
  ASSERT_EQ(capsElement.size(), 2 + kHtCapabilitiesLength);
  HtCapabilities capsBack;
  ASSERT_TRUE(ParseHtCapabilitiesBody(Single(capsElement).body, capsBack));
  EXPECT_EQ(capsBack, caps);

  HtOperation op;
  op.primaryChannel = 157;
  op.info1 = 0x07;
  op.info2 = 0x0015;
  op.info3 = 0x0FE0;
  op.basicMcsSet = {1, 2, 3, 0xFFFFFFFF};
  const Bytes opElement = sim::BuildHtOperationElement(op);
  ASSERT_EQ(opElement.size(), 2 + kHtOperationLength);
  HtOperation opBack;
  ASSERT_TRUE(ParseHtOperationBody(Single(opElement).body, opBack));
  EXPECT_EQ(opBack, op);
  EXPECT_EQ(sim::BuildHtOperationElement(opBack), opElement);
}

TEST(IeBuilder, ElementsAndHexHelpers) {
  const Bytes rates = {0x82, 0x84, 0x8B, 0x96, 12, 18, 24, 36, 48, 72, 96, 108};
  const Bytes rateElements = sim::BuildRateElements(rates);
  ASSERT_EQ(rateElements.size(), 2u + 8 + 2 + 4);
  EXPECT_EQ(rateElements[0], ie::kSupportedRates);
  EXPECT_EQ(rateElements[10], ie::kExtendedSupportedRates);
  EXPECT_EQ(sim::BuildRateElements(Bytes(8, 2)).size(), 10u);
  EXPECT_EQ(sim::BuildSsidElement(Bytes(40, 'a')).size(), 34u);
  Bytes out;
  EXPECT_FALSE(sim::AppendElement(out, 221, Bytes(256, 0)));
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(sim::AppendElement(out, 221, Bytes(255, 0)));
  EXPECT_EQ(out.size(), 257u);

  struct Row {
    const char* text;
    bool ok;
    Bytes bytes;
  };
  const Row rows[] = {{"", true, {}},
                      {"00 50 f2", true, {0x00, 0x50, 0xF2}},
                      {"00-0F-AC:04", true, {0x00, 0x0F, 0xAC, 0x04}},
                      {"abc", false, {}},
                      {"0g", false, {}},
                      {"0 0", false, {}}};
  for (const Row& row : rows) {
    Bytes parsed = {0xEE};
    EXPECT_EQ(nxui::ParseHexBytes(row.text, " -:", parsed), row.ok) << row.text;
    EXPECT_EQ(parsed, row.ok ? row.bytes : Bytes{0xEE}) << row.text;
  }
}

std::string DecodeNetwork(const sim::ScenarioNetwork& network, int kind) {
  testing::EntrySpec spec;
  spec.ies = sim::BuildNetworkIes(network);
  spec.infrastructureMode = network.bssType == sim::BssKind::Independent ? 0 : 1;
  return DecodeScanEntryIes(testing::MakeEntry(spec), kind);
}

TEST(IeBuilder, ScenarioNetworksDecodeToTheirDescription) {
  struct Row {
    const char* name;
    sim::AuthKind auth;
    sim::CipherKind cipher;
    sim::BssKind bssType;
    const char* security;
  };
  using sim::AuthKind;
  using sim::CipherKind;
  constexpr sim::BssKind kEss = sim::BssKind::Infrastructure;
  constexpr sim::BssKind kIbss = sim::BssKind::Independent;
  const Row rows[] = {
      {"open", AuthKind::Open, CipherKind::None, kEss, "Unknown;None"},
      {"WEP", AuthKind::Shared, CipherKind::Wep, kEss, "Unknown;None"},
      {"WPA-PSK TKIP", AuthKind::WpaPsk, CipherKind::Tkip, kEss, "WPA-PSK;TKIP"},
      {"WPA2-PSK AES", AuthKind::Wpa2Psk, CipherKind::Aes, kEss, "WPA2-PSK;AES"},
      {"mixed", AuthKind::WpaPskWpa2Psk, CipherKind::TkipAes, kEss, "WPA-PSK+WPA2-PSK;TKIP+AES"},
      {"WPA2 enterprise", AuthKind::Wpa2, CipherKind::Aes, kEss, "WPA2;AES"},
      {"WPA enterprise", AuthKind::Wpa, CipherKind::Tkip, kEss, "WPA;TKIP"},
      {"ad hoc WPA-None", AuthKind::WpaNone, CipherKind::Tkip, kIbss, "WPA-NONE;TKIP"},
      {"ad hoc WPA2", AuthKind::Wpa2Psk, CipherKind::Aes, kIbss, "WPA2-NONE;AES"},
      {"WPA2 without a cipher defaults to AES", AuthKind::Wpa2Psk, CipherKind::None, kEss, "WPA2-PSK;AES"},
  };
  for (const Row& row : rows) {
    sim::ScenarioNetwork network;
    network.ssid = "Home";
    network.security.auth = row.auth;
    network.security.cipher = row.cipher;
    network.bssType = row.bssType;
    EXPECT_EQ(DecodeNetwork(network, 0), row.security) << row.name;
    EXPECT_EQ(DecodeNetwork(network, 2).substr(DecodeNetwork(network, 2).size() - 5), "FALSE") << row.name;
  }

  sim::ScenarioNetwork n;
  n.ssid = "HT40";
  n.channel = 36;
  n.phy = sim::Phy::N;
  n.security.auth = AuthKind::Wpa2Psk;
  n.security.cipher = CipherKind::Aes;
  n.ht = sim::ScenarioHt{0x096E, 0x17, 0, 1, 40};
  n.wps = sim::ScenarioWps{};
  n.wps->devicePasswordId = 0x0004;
  n.wps->selectedRegistrar = true;
  n.wps->uuidE = sim::UuidBytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  n.wps->rfBands = 3;
  n.ccx = true;
  const std::string ht = DecodeNetwork(n, 3);
  EXPECT_NE(ht.find("TRUE;FALSE;1;3;FALSE;TRUE;TRUE;FALSE;1;"), std::string::npos) << ht;
  EXPECT_EQ(ht.substr(ht.size() - 4), "TRUE");
  EXPECT_EQ(DecodeNetwork(n, 2),
            "0x0188;0x0004;TRUE;Configured;1.0;Unknown;000102030405060708090A0B0C0D0E0F;2.4GHz + 5GHz;TRUE");
  EXPECT_EQ(DecodeNetwork(n, 1), "FALSE;TRUE;FALSE");
  EXPECT_EQ(DecodeNetwork(n, 0), "WPA2-PSK;AES");

  // A hidden network's zero-length SSID comes first, as in real beacons; the rest is still read.
  sim::ScenarioNetwork hidden = n;
  hidden.ssid.clear();
  EXPECT_EQ(sim::BuildNetworkIes(hidden)[1], 0) << "the SSID element is empty";
  EXPECT_EQ(DecodeNetwork(hidden, 0), "WPA2-PSK;AES");
  EXPECT_EQ(DecodeNetwork(hidden, 2), DecodeNetwork(n, 2));
  EXPECT_EQ(DecodeNetwork(hidden, 3), ht);
  EXPECT_EQ(DecodeNetwork(hidden, 1), "FALSE;TRUE;FALSE");

  sim::ScenarioNetwork raw;
  raw.ssid = "ABC";
  raw.ies = Bytes{0x00, 0x03, 'a', 'b', 'c', 0x30, 0x02, 0x01, 0x00};
  EXPECT_EQ(sim::BuildNetworkIes(raw), *raw.ies) << "raw elements win over the description";
  raw.ies = Bytes{};
  EXPECT_EQ(sim::BuildNetworkIes(raw), Bytes{}) << "even an empty list";
  raw.ies.reset();
  EXPECT_EQ(sim::BuildNetworkIes(raw)[2], 'A');

  sim::ScenarioNetwork b;
  b.phy = sim::Phy::B;
  EXPECT_EQ(sim::NetworkRateSet(b), (Bytes{0x82, 0x84, 0x8B, 0x96}));
  sim::ScenarioNetwork a;
  a.phy = sim::Phy::A;
  a.channel = 36;
  EXPECT_EQ(sim::NetworkRateSet(a), (Bytes{0x8C, 18, 0x98, 36, 0xB0, 72, 96, 108}));
}

}  // namespace
}  // namespace nxui
