#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/StringTable.h"
#include "scan/ElementIds.h"
#include "scan/ScanEntryDecoders.h"
#include "sim/IeBuilder.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/ScanEntryFactory.h"

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

Bytes Ssid(const std::string& name) { return sim::BuildSsidElement(Bytes(name.begin(), name.end())); }

Bytes Rsn(std::uint8_t akm, std::uint8_t cipher) {
  KeySuites suites;
  suites.group = {ie::kOuiIeee, cipher};
  suites.pairwise = {{ie::kOuiIeee, cipher}};
  suites.akm = {{ie::kOuiIeee, akm}};
  return sim::BuildRsnElement(suites);
}

Bytes HtCaps(std::uint16_t info, std::uint8_t ampdu) {
  HtCapabilities caps;
  caps.info = info;
  caps.ampduParameters = ampdu;
  caps.mcsSet[12] = 1;
  return sim::BuildHtCapabilitiesElement(caps);
}

Bytes HtInfo(std::uint8_t primary, std::uint8_t info1) {
  HtOperation op;
  op.primaryChannel = primary;
  op.info1 = info1;
  return sim::BuildHtOperationElement(op);
}

class ApDetailsTest : public ::testing::Test {
 protected:
  void Show(const EntrySpec& spec) { details.ShowEntry(MakeEntry(spec)); }
  std::string HtValue(const std::string& property) const {
    for (const auto& row : details.Ht().State().rows) {
      if (row.kind == HtListRow::Kind::Item && row.property == property) return row.value;
    }
    return "<missing>";
  }

  StringTable strings{Language::kEnglish};
  std::vector<int> panels;
  CAPDetailInfoDlg details{strings, [this](int panel) { panels.push_back(panel); }};
};

TEST_F(ApDetailsTest, GeneralTabFields) {
  struct Row {
    const char* name;
    EntrySpec spec;
    const char* ssid;
    const char* auth;
    const char* cipher;
    const char* channel;
    const char* networkType;
  };
  EntrySpec hidden;
  hidden.ssid = "";
  hidden.privacy = 1;
  hidden.ies = Concat({Ssid(""), Rsn(2, 4)});
  EntrySpec zeroed;
  zeroed.ssid = std::string(7, '\0');
  zeroed.ies = Ssid("");
  EntrySpec hiddenWep;
  hiddenWep.ssid = "";
  hiddenWep.privacy = 1;
  hiddenWep.ies = Ssid("");
  EntrySpec wep;
  wep.ssid = "wep";
  wep.privacy = 1;
  wep.ies = Ssid("wep");
  EntrySpec wpa2;
  wpa2.ssid = "corp";
  wpa2.privacy = 1;
  wpa2.dsConfig = 5040000;
  wpa2.ies = Concat({Ssid("corp"), Rsn(2, 4)});
  EntrySpec adHoc;
  adHoc.ssid = "peer";
  adHoc.infrastructureMode = 0;
  adHoc.dsConfig = 1234;
  adHoc.ies = Ssid("peer");
  EntrySpec other;
  other.ssid = "odd";
  other.infrastructureMode = 2;
  other.ies = Ssid("odd");
  const Row rows[] = {
      {"a network without a name keeps its RSN", hidden, "Hidden", "WPA2-PSK", "AES", "6 <--> 2437 MHz", "基础模式"},
      {"a name of zero bytes", zeroed, "Hidden", "Unknown", "None", "6 <--> 2437 MHz", "基础模式"},
      {"a hidden WEP network", hiddenWep, "Hidden", "Unknown", "WEP", "6 <--> 2437 MHz", "基础模式"},
      {"privacy without RSN or WPA", wep, "wep", "Unknown", "WEP", "6 <--> 2437 MHz", "基础模式"},
      {"WPA2-PSK on J8", wpa2, "corp", "WPA2-PSK", "AES", "J8 <--> 5040 MHz", "基础模式"},
      {"ad hoc off the channel table", adHoc, "peer", "Unknown", "None", "", "IBSS"},
      {"another mode", other, "odd", "Unknown", "None", "6 <--> 2437 MHz", "Unknown"},
  };
  for (const Row& row : rows) {
    Show(row.spec);
    const GeneralTabState& g = details.General().State();
    EXPECT_EQ(g.ssid, row.ssid) << row.name;
    EXPECT_EQ(g.mac, "00-11-22-33-44-55") << row.name;
    EXPECT_EQ(g.authentication, row.auth) << row.name;
    EXPECT_EQ(g.encryption, row.cipher) << row.name;
    EXPECT_EQ(g.channel, row.channel) << row.name;
    EXPECT_EQ(g.networkType, row.networkType) << row.name;
    EXPECT_EQ(g.beaconInterval, "100") << row.name;
    EXPECT_EQ(g.supportedRates, "1, 2, 5.5, 11") << row.name;
    // The WPS tab repeats what the general tab says.
    EXPECT_EQ(details.Wps().State().authentication, row.auth) << row.name;
    EXPECT_EQ(details.Wps().State().encryption, row.cipher) << row.name;
  }
  EXPECT_EQ(details.General().State().macLabel, "MAC Address >>");
  EXPECT_EQ(details.General().State().authLabel, "Authentication Type >>");
}

TEST_F(ApDetailsTest, SignalBarCaptionAndColourBoundaries) {
  struct Row {
    std::int32_t rssi;
    const char* caption;
    DisplayColour colour;
  };
  const Row rows[] = {
      {-30, "Signal Strength >> 100%", colour::kGreen},
      {-70, "Signal Strength >> 50%", colour::kYellow},
      {-85, "Signal Strength >> 13%", colour::kRed},
  };
  for (const Row& row : rows) {
    EntrySpec spec;
    spec.rssi = row.rssi;
    Show(spec);
    const PercentBarState& bar = details.General().State().signal;
    EXPECT_EQ(bar.drawnCaption, row.caption) << row.rssi;
    EXPECT_EQ(bar.startColour, row.colour) << row.rssi;
    EXPECT_EQ(bar.endColour, row.colour) << row.rssi;
    EXPECT_EQ(bar.middleColour, colour::kLightBlue) << row.rssi;
  }
  EXPECT_EQ(CPageGeneralDlg::SignalColour(34), colour::kRed);
  EXPECT_EQ(CPageGeneralDlg::SignalColour(35), colour::kYellow);
  EXPECT_EQ(CPageGeneralDlg::SignalColour(69), colour::kYellow);
  EXPECT_EQ(CPageGeneralDlg::SignalColour(70), colour::kGreen);
}

TEST_F(ApDetailsTest, RatesStopAtTheFirstZero) {
  EntrySpec spec;
  spec.rates = {12, 18, 24, 36, 0, 48};
  Show(spec);
  EXPECT_EQ(details.General().State().supportedRates, "6, 9, 12, 18");
  spec.rates = {};
  Show(spec);
  EXPECT_EQ(details.General().State().supportedRates, "");
}

TEST_F(ApDetailsTest, WpsTabFields) {
  WpsFields wps;
  wps.version = 0x10;
  wps.state = 2;
  wps.configMethods = 0x0188;
  wps.selectedRegistrar = true;
  wps.rfBands = 4;
  wps.uuidE = {std::array<std::uint8_t, 16>{0xAB, 1}, std::array<std::uint8_t, 16>{0xCD}};
  EntrySpec spec;
  spec.ies = Concat({Ssid("net"), sim::BuildWpsElement(wps)});
  Show(spec);
  const WpsTabState& w = details.Wps().State();
  EXPECT_EQ(w.version, "1.0");
  EXPECT_EQ(w.state, "Configured");
  EXPECT_EQ(w.configMethods, "0x0188");
  EXPECT_EQ(w.selectedRegistrar, "TRUE");
  EXPECT_EQ(w.rfBands, "Unknown");
  EXPECT_EQ(w.devicePasswordId, "") << "an unknown device password id is shown empty";
  EXPECT_EQ(w.apSetupLocked, "Unknown");
  EXPECT_EQ(w.uuidE, "AB01" + std::string(28, '0') + "CD" + std::string(30, '0')) << "the second UUID-E is appended";

  wps.devicePasswordId = 4;
  spec.ies = Concat({Ssid("net"), sim::BuildWpsElement(wps)});
  Show(spec);
  EXPECT_EQ(details.Wps().State().devicePasswordId, "0x0004");
}

TEST_F(ApDetailsTest, CcxTabFlags) {
  struct Row {
    bool cckm, cmic, ckip;
  };
  const Row rows[] = {{true, false, true}, {false, true, false}, {false, false, false}};
  for (const Row& row : rows) {
    EntrySpec spec;
    spec.ies = Concat({Ssid("net"), sim::BuildCcxElement(row.cckm, row.cmic, row.ckip)});
    Show(spec);
    const CcxTabState& c = details.Ccx().State();
    EXPECT_EQ(c.cckm, row.cckm ? "TRUE" : "FALSE");
    EXPECT_EQ(c.cmic, row.cmic ? "TRUE" : "FALSE");
    EXPECT_EQ(c.ckip, row.ckip ? "TRUE" : "FALSE");
  }
  EXPECT_EQ(details.Ccx().State().cmicLabel, "Cmic >>");
}

TEST_F(ApDetailsTest, HtTabRowsWithGroupHeadersAndValues) {
  EntrySpec spec;
  spec.ies = Concat({Ssid("ht"), HtCaps(0x096E, 0x17), HtInfo(36, 0x05), Bytes{62, 3, 3, 0, 0}});
  Show(spec);
  const HtTabState& ht = details.Ht().State();
  ASSERT_TRUE(ht.htInformationPresent);
  EXPECT_TRUE(details.State().tabs[CAPDetailInfoDlg::kTab80211n].visible);
  ASSERT_EQ(ht.rows.size(), 54u + 10u);
  EXPECT_EQ(ht.rows[0].kind, HtListRow::Kind::GroupHeader);
  EXPECT_EQ(ht.rows[0].property, "Secondary Channel Offset element");
  EXPECT_EQ(ht.rows[0].value, "");
  EXPECT_EQ(ht.rows[0].image, CPage80211nDlg::kGroupImage);
  EXPECT_EQ(ht.rows[1].image, CPage80211nDlg::kItemImage);
  EXPECT_EQ(ht.rows.back().property, "Basic MCS Set 3");
  EXPECT_EQ(ht.propertyHeader, "Property");
  EXPECT_DOUBLE_EQ(ht.propertyWidth, 5.0 / 9.0);

  const std::pair<const char*, const char*> values[] = {
      {"Secondary Channel Offset", "3"},
      {"HT Capability", "TRUE"},
      {"LDPC Coding Capability", "FALSE"},
      {"Supported Channel Width Set", "1"},
      {"SM Power Save", "3"},
      {"Greenfield", "FALSE"},
      {"Short GI for 20 MHz", "TRUE"},
      {"Short GI for 40 MHz", "TRUE"},
      {"Tx STBC", "FALSE"},
      {"Rx STBC", "1"},
      {"Maximum Rx A-MPDU Factor", "3"},
      {"Minimum MPDU Start Spacing", "4"},
      {"Tx MCS Set Defined", "TRUE"},
      {"Primary Channel", "36"},
      {"HT Information Secondary Channel Offset", "1"},
      {"STA Channel Width", "1"},
  };
  for (const auto& [property, value] : values) EXPECT_EQ(HtValue(property), value) << property;
}

// The tab lists the 802.11n decode's fields 0..53 in order, one item each, and the WPS and CCX
// tabs its kind 2 and kind 1 fields.
TEST_F(ApDetailsTest, TabsShowTheDecodeFieldsInOrder) {
  WpsFields wps;
  wps.version = 0x10;
  wps.devicePasswordId = 0x1234;
  wps.rfBands = 3;
  EntrySpec spec;
  spec.ies = Concat({Ssid("ht"), HtCaps(0xA5C3, 0x0E), HtInfo(161, 0x6B), Bytes{62, 3, 1, 0, 0}, Bytes{127, 1, 1},
                     sim::BuildWpsElement(wps), sim::BuildCcxElement(true, false, true)});
  const Bytes entry = MakeEntry(spec);
  details.ShowEntry(entry);
  auto split = [](const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(';', start)) != std::string::npos; start = end + 1)
      fields.push_back(text.substr(start, end - start));
    fields.push_back(text.substr(start));
    return fields;
  };
  const auto ht = split(DecodeScanEntryIes(entry, 3));
  ASSERT_EQ(ht.size(), kHtFieldCount);
  std::vector<std::string> items;
  for (const auto& row : details.Ht().State().rows) {
    if (row.kind == HtListRow::Kind::Item) items.push_back(row.value);
  }
  EXPECT_EQ(items, std::vector<std::string>(ht.begin(), ht.end() - 1));

  const auto w = split(DecodeScanEntryIes(entry, 2));
  const WpsTabState& tab = details.Wps().State();
  EXPECT_EQ((std::vector<std::string>{tab.configMethods, tab.devicePasswordId, tab.selectedRegistrar, tab.state,
                                      tab.version, tab.apSetupLocked, tab.uuidE, tab.rfBands}),
            std::vector<std::string>(w.begin(), w.end() - 1));
  const CcxTabState& ccx = details.Ccx().State();
  EXPECT_EQ(ccx.cckm + ";" + ccx.cmic + ";" + ccx.ckip, DecodeScanEntryIes(entry, 1));
}

TEST_F(ApDetailsTest, HiddenNetworkShowsItsHtAndWpsData) {
  EntrySpec spec;
  spec.ssid = "";
  spec.ies = Concat({Ssid(""), HtCaps(0x096E, 0x17), HtInfo(11, 0x05),
                     Bytes{221, 9, 0x00, 0x50, 0xF2, 0x04, 0x10, 0x4A, 0x00, 0x01, 0x10}});
  Show(spec);
  EXPECT_TRUE(details.State().tabs[CAPDetailInfoDlg::kTab80211n].visible);
  EXPECT_EQ(HtValue("HT Capability"), "TRUE");
  EXPECT_EQ(HtValue("Primary Channel"), "11");
  EXPECT_EQ(details.Wps().State().version, "1.0");
}

TEST_F(ApDetailsTest, WithoutHtInformationEveryItemIsNotAvailableAndTheTabHides) {
  struct Row {
    const char* name;
    Bytes ies;
  };
  Bytes caps28 = HtCaps(0x096E, 0x17);
  caps28[1] = 28;
  caps28.insert(caps28.end(), {0, 0});
  const Row rows[] = {
      {"no elements", {}},
      {"HT capabilities only", Concat({Ssid("n"), HtCaps(0x096E, 0x17)})},
      {"HT information of 21 bytes", Concat({Ssid("n"), Bytes{61, 21}, Bytes(21, 0)})},
  };
  for (const Row& row : rows) {
    EntrySpec spec;
    spec.ies = row.ies;
    Show(spec);
    const HtTabState& ht = details.Ht().State();
    EXPECT_FALSE(ht.htInformationPresent) << row.name;
    EXPECT_FALSE(details.State().tabs[CAPDetailInfoDlg::kTab80211n].visible) << row.name;
    ASSERT_EQ(ht.rows.size(), 64u) << row.name;
    for (const auto& r : ht.rows) {
      EXPECT_EQ(r.value, r.kind == HtListRow::Kind::Item ? "n/a" : "") << row.name << " " << r.property;
    }
  }
  // With HT information present, a 28-byte HT capabilities element is still ignored.
  EntrySpec spec;
  spec.ies = Concat({Ssid("n"), caps28, HtInfo(6, 0)});
  Show(spec);
  EXPECT_EQ(HtValue("HT Capability"), "FALSE");
  EXPECT_EQ(HtValue("Primary Channel"), "6");
}

TEST_F(ApDetailsTest, TabsSelectionAndOk) {
  EntrySpec ht;
  ht.ies = Concat({Ssid("ht"), HtInfo(6, 0)});
  Show(ht);
  EXPECT_EQ(details.State().tabs[0].caption, "概要");
  EXPECT_EQ(details.State().tabFont, "Trebuchet MS");
  EXPECT_EQ(details.State().tabFontHeight, 20);
  details.OnTabSelected(CAPDetailInfoDlg::kTab80211n);
  EXPECT_EQ(details.State().selectedTab, CAPDetailInfoDlg::kTab80211n);

  EntrySpec plain;
  Show(plain);
  EXPECT_EQ(details.State().selectedTab, CAPDetailInfoDlg::kTabGeneral) << "showing selects the first tab";
  details.OnTabSelected(CAPDetailInfoDlg::kTab80211n);
  EXPECT_EQ(details.State().selectedTab, CAPDetailInfoDlg::kTabGeneral) << "a hidden tab cannot be chosen";
  details.OnTabSelected(7);
  EXPECT_EQ(details.State().selectedTab, CAPDetailInfoDlg::kTabGeneral);

  details.OnOk();
  EXPECT_EQ(panels, std::vector<int>{0});
}

TEST_F(ApDetailsTest, EntriesCutShortDecodeToDefaults) {
  EntrySpec spec;
  spec.ies = Concat({Ssid("corp"), Rsn(2, 4), HtInfo(6, 0)});
  Bytes entry = MakeEntry(spec);
  entry.resize(entry.size() - 3);  // the last element runs past the bytes given
  details.ShowEntry(entry);
  EXPECT_EQ(details.General().State().authentication, "WPA2-PSK");
  EXPECT_FALSE(details.Ht().State().htInformationPresent);
  details.ShowEntry(Bytes(50, 0xFF));
  EXPECT_EQ(details.General().State().authentication, "Unknown");
  EXPECT_EQ(details.General().State().ssid, std::string(32, '\xFF')) << "the name length is cut to 32";
  EXPECT_EQ(details.General().State().channel, "") << "fields past the bytes read as 0";
  EXPECT_EQ(details.General().State().beaconInterval, "0");
}

}  // namespace
}  // namespace nxui
