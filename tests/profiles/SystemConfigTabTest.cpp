#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/StringTable.h"
#include "profiles/CPageSystemConfigDlg.h"
#include "survey/ScanEntryFactory.h"

namespace nxui {
namespace {

TEST(DefaultProfileName, LargestNumberAfterProfPlusOne) {
  struct Row {
    std::vector<std::string> names;
    const char* expected;
  };
  const Row rows[] = {
      {{}, "PROF1"},
      {{"PROF1", "prof7", "Home"}, "PROF8"},
      {{"Prof"}, "PROF1"},  // no digits count as 0
      {{"PROFx9"}, "PROF1"},
      {{"PROF12abc", "PROF3"}, "PROF13"},
      {{"PROF007"}, "PROF8"},
      {{"PRO", "XPROF5", " PROF5"}, "PROF1"},
      {{"PROF999999999999999999"}, "PROF1000000000000000000"},  // 18 digits
      {{"PROF9999999999999999999", "PROF2"}, "PROF3"},          // 19 digits are passed over
      {{"PROF00000000000000000000004"}, "PROF5"},               // leading zeros are not digits that count
  };
  for (const Row& row : rows) {
    std::string joined;
    for (const auto& n : row.names) joined += n + ",";
    EXPECT_EQ(DefaultProfileName(row.names), row.expected) << joined;
  }
}

TEST(EditorChannelPlan, BandsFollowTheWirelessMode) {
  auto has = [](const std::vector<std::string>& plan, const char* channel) {
    return std::find(plan.begin(), plan.end(), channel) != plan.end();
  };
  const auto bg = EditorChannelPlan(0);
  EXPECT_EQ(bg.size(), 14u);
  EXPECT_EQ(bg.front(), "1");
  EXPECT_EQ(bg.back(), "14");
  EXPECT_FALSE(has(bg, "36"));

  const auto a = EditorChannelPlan(2);
  EXPECT_FALSE(has(a, "1"));
  for (const char* left : {"34", "38", "42", "46"}) EXPECT_FALSE(has(a, left)) << left;
  for (const char* kept : {"36", "40", "165", "184", "J8", "J12", "J16"}) EXPECT_TRUE(has(a, kept)) << kept;
  EXPECT_FALSE(has(a, "212"));

  for (int mode : {3, 5}) {
    const auto both = EditorChannelPlan(mode);
    EXPECT_TRUE(has(both, "11") && has(both, "149")) << mode;
  }
  for (int mode : {1, 4, 6, 9}) EXPECT_EQ(EditorChannelPlan(mode).size(), 14u) << mode;
}

TEST(ChannelText, JapaneseChannelsShowTheirNames) {
  EXPECT_EQ(ChannelTextFromStored("212"), "J12");
  EXPECT_EQ(ChannelTextFromStored("208"), "J8");
  EXPECT_EQ(ChannelTextFromStored("216"), "J16");
  EXPECT_EQ(ChannelTextFromStored("6"), "6");
  EXPECT_EQ(ChannelTextFromStored(""), "");
}

class SystemTab : public ::testing::Test {
 protected:
  StringTable strings{Language::kChinese};
  std::vector<bool> switches;
  CPageSystemConfigDlg tab{strings, [this](bool infrastructure) { switches.push_back(infrastructure); }};
};

TEST_F(SystemTab, NetworkTypeSwitchesTheControls) {
  tab.OnNetworkTypeSelected(NetworkType::kAdhoc);
  const SystemConfigState& s = tab.State();
  EXPECT_EQ(s.networkTypeButtonText, "Adhoc");
  EXPECT_FALSE(s.powerSaveEnabled);
  EXPECT_TRUE(s.preambleEnabled);
  EXPECT_TRUE(s.channelVisible);
  EXPECT_FALSE(s.channelItems.empty());
  EXPECT_EQ(s.values.channel, s.channelItems.front());
  ASSERT_TRUE(tab.OnPreambleSelected(kPreambleLongIndex));
  EXPECT_EQ(s.preambleButtonText, "长");

  tab.OnNetworkTypeSelected(NetworkType::kInfrastructure);
  EXPECT_EQ(s.networkTypeButtonText, "基础模式");
  EXPECT_TRUE(s.powerSaveEnabled);
  EXPECT_FALSE(s.preambleEnabled);
  EXPECT_EQ(s.values.preamble, kPreambleAutoIndex) << "infrastructure resets the preamble";
  EXPECT_FALSE(s.channelVisible);
  EXPECT_FALSE(tab.OnPreambleSelected(kPreambleLongIndex));
  EXPECT_EQ(switches.back(), true);
  EXPECT_FALSE(tab.OnChannelSelected("99"));
}

TEST_F(SystemTab, ThresholdsClampAndFollowTheirCheckBoxes) {
  struct Row {
    const char* name;
    bool rts;
    int typed;
    int expected;
  };
  const Row rows[] = {
      {"rts above 2347", true, 3000, 2347},
      {"rts 2347", true, 2347, 2347},
      {"rts 0 has no lower clamp", true, 0, 0},
      {"rts 1", true, 1, 1},
      {"frag 100", false, 100, 256},
      {"frag 255", false, 255, 256},
      {"frag 256", false, 256, 256},
      {"frag 2346", false, 2346, 2346},
      {"frag 2347", false, 2347, 2346},
  };
  tab.OnUseRts(true);
  tab.OnUseFrag(true);
  for (const Row& row : rows) {
    if (row.rts) {
      tab.OnRtsEdited(row.typed);
      EXPECT_EQ(tab.Values().rtsThreshold, row.expected) << row.name;
      tab.OnRtsSlider(row.typed);
      EXPECT_EQ(tab.Values().rtsThreshold, row.expected) << row.name << " (slider)";
    } else {
      tab.OnFragEdited(row.typed);
      EXPECT_EQ(tab.Values().fragThreshold, row.expected) << row.name;
    }
  }
  tab.OnRtsSlider(500);
  tab.OnUseRts(false);
  EXPECT_FALSE(tab.State().rtsEnabled);
  EXPECT_EQ(tab.Values().rtsThreshold, 2347);
  tab.OnRtsEdited(100);  // a disabled edit takes nothing
  EXPECT_EQ(tab.Values().rtsThreshold, 2347);
  tab.OnUseFrag(false);
  EXPECT_EQ(tab.Values().fragThreshold, 2346);
}

TEST_F(SystemTab, StoredCodes) {
  struct Row {
    const char* name;
    NetworkType networkType;
    int preamble, powerSave, useRts, rts, useFrag, frag;
    const char* channel;
    ProfileRecord expected;
  };
  auto rec = [](const char* nt, const char* pre, const char* ps, const char* useRts, const char* rts,
                const char* useFrag, const char* frag, const char* channel) {
    ProfileRecord r;
    r.networkType = nt;
    r.preambleType = pre;
    r.psMode = ps;
    r.useRts = useRts;
    r.rtsThresh = rts;
    r.useFrag = useFrag;
    r.fragThresh = frag;
    r.channel = channel;
    return r;
  };
  const Row rows[] = {
      {"PSM", NetworkType::kInfrastructure, 0, 1, 0, 0, 0, 0, "", rec("1", "2", "2", "0", "2347", "0", "2346", "1")},
      {"CAM", NetworkType::kInfrastructure, 0, 0, 0, 0, 0, 0, "", rec("1", "2", "0", "0", "2347", "0", "2346", "1")},
      {"thresholds in use", NetworkType::kInfrastructure, 0, 0, 1, 500, 1, 800, "",
       rec("1", "2", "0", "1", "500", "1", "800", "1")},
      {"ad hoc long preamble on J12", NetworkType::kAdhoc, kPreambleLongIndex, 0, 0, 0, 0, 0, "J12",
       rec("0", "0", "0", "0", "2347", "0", "2346", "J12")},
  };
  for (const Row& row : rows) {
    tab.LoadDefaults("P");
    tab.FillChannelList(5);
    tab.OnPowerSave(row.powerSave);
    tab.OnNetworkTypeSelected(row.networkType);
    tab.OnPreambleSelected(row.preamble);
    if (row.channel[0] != '\0') {
      ASSERT_TRUE(tab.OnChannelSelected(row.channel)) << row.name;
    }
    tab.OnUseRts(row.useRts == 1);
    tab.OnRtsEdited(row.rts);
    tab.OnUseFrag(row.useFrag == 1);
    tab.OnFragEdited(row.frag);
    ProfileRecord r;
    tab.Store(r);
    const ProfileRecord& e = row.expected;
    EXPECT_EQ(r.networkType, e.networkType) << row.name;
    EXPECT_EQ(r.preambleType, e.preambleType) << row.name;
    EXPECT_EQ(r.psMode, e.psMode) << row.name;
    EXPECT_EQ(r.useRts, e.useRts) << row.name;
    EXPECT_EQ(r.rtsThresh, e.rtsThresh) << row.name;
    EXPECT_EQ(r.useFrag, e.useFrag) << row.name;
    EXPECT_EQ(r.fragThresh, e.fragThresh) << row.name;
    EXPECT_EQ(r.channel, e.channel) << row.name;
  }
}

TEST_F(SystemTab, LoadReadsTheStoredCodesBack) {
  ProfileRecord r;
  r.name = "Lab";
  r.ssid = "lab-net";
  r.networkType = "0";
  r.preambleType = "0";
  r.txPower = "6";
  r.psMode = "2";
  r.useRts = "1";
  r.rtsThresh = "9999";  // hand-edited: clamped
  r.useFrag = "1";
  r.fragThresh = "100";
  r.channel = "212";
  tab.Load(r);
  tab.FillChannelList(5);
  const SystemConfigValues& v = tab.Values();
  EXPECT_EQ(v.profileName, "Lab");
  EXPECT_EQ(v.networkType, NetworkType::kAdhoc);
  EXPECT_EQ(v.preamble, kPreambleLongIndex);
  EXPECT_EQ(v.txPower, 6);
  EXPECT_EQ(tab.State().txPowerButtonText, "最低");
  EXPECT_EQ(v.powerSave, 1);
  EXPECT_EQ(v.rtsThreshold, 2347);
  EXPECT_EQ(v.fragThreshold, 256);
  EXPECT_EQ(v.channel, "J12");
  EXPECT_EQ(tab.State().channelItems[static_cast<std::size_t>(tab.State().channelSelected)], "J12");

  // Missing keys give the defaults, not the codes that 0 would mean.
  tab.Load(ProfileRecord{});
  EXPECT_EQ(tab.Values().networkType, NetworkType::kInfrastructure);
  EXPECT_EQ(tab.Values().preamble, kPreambleAutoIndex);
  EXPECT_EQ(tab.Values().rtsThreshold, 2347);
}

TEST_F(SystemTab, SsidListComesFromTheScanWithTheBssidsAsItemData) {
  testing::EntrySpec home;
  home.ssid = "home";
  home.mac = {0x00, 0x1d, 0x7e, 0x42, 0x10, 0x0a};
  testing::EntrySpec hidden;
  hidden.ssid = "";
  testing::EntrySpec cafe;
  cafe.ssid = "cafe";
  cafe.mac = {0xde, 0xad, 0xbe, 0xef, 0x00, 0x01};
  testing::EntrySpec broken;  // too short for its elements: not listed
  broken.ssid = "broken";
  broken.ieLengthOverride = 40;
  const auto scan = testing::MakeScanBuffer(
      {testing::MakeEntry(home), testing::MakeEntry(hidden), testing::MakeEntry(cafe), testing::MakeEntry(broken)});
  tab.SetSsid("cafe");
  tab.FillSsidList(scan);
  const auto& items = tab.State().ssidItems;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].ssid, "home");
  EXPECT_EQ(items[0].bssid, "001D7E42100A");
  EXPECT_EQ(items[1].bssid, "DEADBEEF0001");
  EXPECT_EQ(tab.State().ssidSelected, 1);
  tab.OnSsidSelected(0);
  EXPECT_EQ(tab.Values().ssid, "home");
  EXPECT_TRUE(tab.SetSsid("typed"));
  EXPECT_EQ(tab.State().ssidSelected, -1);
}

TEST_F(SystemTab, EditLimitsOfNameAndSsid) {
  EXPECT_TRUE(tab.SetProfileName(std::string(32, 'n')));
  EXPECT_FALSE(tab.SetProfileName(std::string(33, 'n')));
  EXPECT_EQ(tab.Values().profileName, std::string(32, 'n'));
  const std::string chinese32 = [] {
    std::string s;
    for (int i = 0; i < 32; ++i) s += "网";
    return s;
  }();
  EXPECT_TRUE(tab.SetProfileName(chinese32)) << "32 characters, whatever their bytes";
  EXPECT_FALSE(tab.SetProfileName(chinese32 + "x"));
  EXPECT_EQ(tab.Values().profileName, chinese32);
  EXPECT_TRUE(tab.SetSsid(std::string(32, 's')));
  EXPECT_FALSE(tab.SetSsid(std::string(33, 's')));
  EXPECT_EQ(tab.Values().ssid.size(), 32u);
}

}  // namespace
}  // namespace nxui
