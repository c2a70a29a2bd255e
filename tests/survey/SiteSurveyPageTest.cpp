#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scan/ElementIds.h"
#include "sim/IeBuilder.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "survey/FakeSurveyHost.h"
#include "survey/LastSurveySelection.h"
#include "survey/ScanEntryFactory.h"
#include "survey/SurveySessionWorld.h"
#include "survey/SurveyShared.h"
#include "wlan/WlanMessages.h"

namespace nxui {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::EntrySpec;
using testing::MakeEntry;
using testing::MakeScanBuffer;
namespace icon = survey_icon;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes SsidElement(const std::string& ssid) { return sim::BuildSsidElement(Bytes(ssid.begin(), ssid.end())); }

EntrySpec Net(const std::string& ssid, std::uint8_t tag, std::int32_t rssi = -60, std::uint32_t khz = 2437000) {
  EntrySpec spec;
  spec.ssid = ssid;
  spec.mac[5] = tag;
  spec.rssi = rssi;
  spec.dsConfig = khz;
  spec.ies = SsidElement(ssid);
  return spec;
}

KeySuites Suites(std::uint32_t oui, std::vector<std::uint8_t> pairwise, std::vector<std::uint8_t> akm,
                 std::uint8_t group) {
  KeySuites suites;
  if (oui == ie::kOuiWifi) {
    suites.vendorOui = ie::kOuiWifi;
    suites.vendorType = ie::kWifiTypeWpa;
  }
  suites.group = {oui, group};
  for (auto type : pairwise) suites.pairwise.push_back({oui, type});
  for (auto type : akm) suites.akm.push_back({oui, type});
  return suites;
}

Bytes HtInformation() {
  HtOperation op;
  op.primaryChannel = 6;
  return sim::BuildHtOperationElement(op);
}

class SurveyPageTest : public ::testing::Test {
 protected:
  explicit SurveyPageTest(const sim::Scenario& scenario = testing::OneHtNetworkScenario()) : m(scenario) {}

  void Open() {
    ASSERT_TRUE(m.Ready()) << m.error;
    page = std::make_unique<CPageSiteSurveyDlg>(m.loop, *m.session, m.strings, host, shared, target);
    page->OnInitDialog();
  }

  // Puts a list into the pages' buffer and lets the page rebuild from it on a tick.
  void Show(const std::vector<EntrySpec>& specs, SortMode mode = SortMode::Ssid) {
    std::vector<Bytes> entries;
    for (const EntrySpec& spec : specs) entries.push_back(MakeEntry(spec));
    host.SetPagesList(MakeScanBuffer(entries, 0));
    page->OnSortChanged(mode);
    page->OnTick();
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& row : page->State().rows) names.push_back(row.ssid);
    return names;
  }

  testing::SurveySessionWorld m;
  testing::FakeSurveyHost host;
  SurveyShared shared;
  LastSurveySelection target;
  std::unique_ptr<CPageSiteSurveyDlg> page;
};

TEST_F(SurveyPageTest, InitialisationLaysOutThePageAndScansWhenTheRadioIsOn) {
  for (const bool radioOn : {true, false}) {
    SCOPED_TRACE(radioOn ? "radio on" : "radio off");
    host = {};
    m.session->SetRadio(radioOn);
    Open();
    const auto& state = page->State();
    EXPECT_EQ(state.apListLabel, "AP List >>");
    EXPECT_EQ(state.sortLabel, "排序 >>");
    EXPECT_EQ(state.sortChannelLabel, "Channel");
    EXPECT_EQ(state.showDbmLabel, "Show dBm");
    EXPECT_FALSE(state.connectVisible);
    ASSERT_EQ(state.columns.size(), 11u);
    EXPECT_EQ(state.columns[0].header, "Connected Icon");
    EXPECT_EQ(state.columns[1].header, "SSID");
    EXPECT_EQ(state.columns[10].header, "Signal");
    EXPECT_DOUBLE_EQ(state.columns[10].widthFraction, 0.41);
    EXPECT_EQ(host.window, page->Window());
    EXPECT_EQ(m.loop.TimerPeriod(page->Window(), CPageSiteSurveyDlg::kTimerId), 2000u);
    EXPECT_EQ(host.scansQueued, radioOn ? 1 : 0);
    EXPECT_EQ(page->RefreshPending(), radioOn);
    // Rescan waits for the rebuild; with the radio off nothing is enabled either.
    EXPECT_FALSE(state.rescanEnabled);
    EXPECT_FALSE(state.addToProfileEnabled);
    page.reset();
  }
}

TEST_F(SurveyPageTest, TheTimerRunsForThePageLifeAndStopsWithIt) {
  Open();
  const HWND window = page->Window();
  m.loop.AdvanceBy(10000);
  EXPECT_TRUE(m.loop.HasTimer(window, CPageSiteSurveyDlg::kTimerId));
  page.reset();
  EXPECT_FALSE(m.loop.HasTimer(window, CPageSiteSurveyDlg::kTimerId));
  EXPECT_EQ(host.window, 0u);
}

TEST_F(SurveyPageTest, RowsSkipShortEntriesAndActionsReachTheRowsOwnEntry) {
  Open();
  EntrySpec shortEntry = Net("b", 2);
  shortEntry.ieLengthOverride = 200;
  Show({Net("a", 1), shortEntry, Net("c", 3)});
  ASSERT_EQ(Names(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(page->Rows()[1].position, 2u);

  page->OnRowDoubleClicked(1);
  ASSERT_EQ(host.details.size(), 1u);
  EXPECT_EQ(host.details[0], MakeEntry(Net("c", 3)));

  page->OnRowClicked(1);
  page->OnAddToProfile();
  ASSERT_TRUE(target.Last().has_value());
  EXPECT_EQ(target.Last()->entry, MakeEntry(Net("c", 3)));

  page->OnRowDoubleClicked(2);  // past the rows: nothing
  EXPECT_EQ(host.details.size(), 1u);
}

TEST_F(SurveyPageTest, AddToProfileHandsOverTheSecurityOfTheEntry) {
  struct Row {
    const char* name;
    EntrySpec spec;
    const char* auth;
    const char* cipher;
    bool secured;
    int code;
  };
  EntrySpec adHoc = Net("adhoc", 1);
  adHoc.infrastructureMode = 0;
  adHoc.ies = Concat({adHoc.ies, sim::BuildRsnElement(Suites(ie::kOuiIeee, {4}, {2}, 4))});
  EntrySpec mixed = Net("mixed", 2);
  mixed.ies = Concat({mixed.ies, sim::BuildWpaStyleElement(Suites(ie::kOuiWifi, {2, 4}, {2}, 2)),
                      sim::BuildRsnElement(Suites(ie::kOuiIeee, {2, 4}, {2}, 2))});
  EntrySpec open = Net("open", 3);
  EntrySpec wep = Net("wep", 4);
  wep.privacy = 1;
  EntrySpec enterprise = Net("corp", 5);
  enterprise.ies = Concat({enterprise.ies, sim::BuildRsnElement(Suites(ie::kOuiIeee, {4}, {1}, 4))});
  const Row rows[] = {
      {"ad hoc WPA2 with a pre-shared key", adHoc, "WPA2-NONE", "AES", true, 5},
      {"WPA-PSK and WPA2-PSK", mixed, "WPA-PSK+WPA2-PSK", "TKIP+AES", true, 5},
      {"open", open, "Unknown", "None", false, 0},
      {"WEP", wep, "Unknown", "None", true, 0},
      {"WPA2 enterprise", enterprise, "WPA2", "AES", true, 4},
  };
  Open();
  for (const Row& row : rows) {
    Show({row.spec});
    page->OnRowClicked(0);
    page->OnAddToProfile();
    ASSERT_TRUE(target.Last().has_value()) << row.name;
    EXPECT_EQ(target.Last()->authText, row.auth) << row.name;
    EXPECT_EQ(target.Last()->cipherText, row.cipher) << row.name;
    EXPECT_EQ(target.Last()->secured, row.secured) << row.name;
    EXPECT_EQ(target.Last()->authCode, row.code) << row.name;
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SurveyPageTest, AddToProfileWithoutASelectionSaysSo) {
  Open();
  Show({Net("a", 1)});
  page->OnAddToProfile();
  page->OnRowClicked(0);
  page->OnRowClicked(-1);
  page->OnAddToProfile();
  // A rebuild drops the selection.
  page->OnRowClicked(0);
  Show({Net("a", 1)});
  page->OnAddToProfile();
  EXPECT_EQ(host.messages, std::vector<std::string>(3, "No selected item"));
  EXPECT_EQ(target.Count(), 0);
}

TEST_F(SurveyPageTest, CellsCarryIconsSignalTextsAndBarColours) {
  EntrySpec strong = Net("strong", 1, -30);
  strong.networkType = 2;
  strong.privacy = 1;
  EntrySpec middle = Net("middle", 2, -70);
  middle.networkType = 3;
  middle.infrastructureMode = 0;
  middle.ies = Concat({middle.ies, HtInformation()});
  EntrySpec weak = Net("weak", 3, -85);
  weak.networkType = 1;
  weak.infrastructureMode = 2;
  weak.privacy = 1;
  WpsFields wps;
  wps.version = 0x10;
  weak.ies = Concat({weak.ies, sim::BuildWpsElement(wps)});
  EntrySpec other = Net("xother", 4, -67);
  other.networkType = 5;
  Open();
  Show({strong, middle, weak, other});
  const auto& rows = page->State().rows;
  ASSERT_EQ(rows.size(), 4u);
  struct Expect {
    int networkTypeIcon, a, b, g, n, security;
    const char* signal;
    BarColour colour;
    int bar;
  };
  const Expect expected[] = {
      {icon::kAdHoc, icon::kNone, icon::kBandB, icon::kBandG, icon::kBandN, icon::kNone, "50%", {250, 230, 50}, 50},
      {icon::kInfrastructure,
       icon::kBandA,
       icon::kNone,
       icon::kNone,
       icon::kNone,
       icon::kLock,
       "100%",
       {20, 120, 200},
       100},
      {icon::kNone, icon::kNone, icon::kBandB, icon::kNone, icon::kNone, icon::kWps, "13%", {240, 40, 40}, 13},
      {icon::kInfrastructure,
       icon::kNone,
       icon::kNone,
       icon::kNone,
       icon::kNone,
       icon::kNone,
       "57%",
       {100, 240, 70},
       57},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].ssid);
    EXPECT_EQ(rows[i].networkTypeIcon, expected[i].networkTypeIcon);
    EXPECT_EQ(rows[i].aIcon, expected[i].a);
    EXPECT_EQ(rows[i].bIcon, expected[i].b);
    EXPECT_EQ(rows[i].gIcon, expected[i].g);
    EXPECT_EQ(rows[i].nIcon, expected[i].n);
    EXPECT_EQ(rows[i].securityIcon, expected[i].security);
    EXPECT_EQ(rows[i].signalText, expected[i].signal);
    EXPECT_EQ(rows[i].barColour, expected[i].colour);
    EXPECT_EQ(rows[i].barPercent, expected[i].bar);
    EXPECT_EQ(rows[i].connectedIcon, icon::kNone);
  }

  page->OnShowDbmChanged(true);
  EXPECT_TRUE(shared.ShowDbm());
  EXPECT_EQ(rows[3].signalText, "-67 dBm");
  EXPECT_EQ(rows[0].signalText, "-70 dBm");
  EXPECT_EQ(rows[0].barPercent, 50);
  // The option outlives a rebuild and the page.
  Show({other});
  EXPECT_EQ(page->State().rows[0].signalText, "-67 dBm");
  page.reset();
  Open();
  EXPECT_TRUE(page->State().showDbm);
}

TEST_F(SurveyPageTest, SortingReordersTheSharedListWithItsTimesOnceNoScanIsRunning) {
  Open();
  Show({Net("b", 1, -70), Net("C", 2, -40, 2412000), Net("a", 3, -55, 5180000)});
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "C"}));
  auto times = shared.LastSeen();
  times[0] = 30;  // a
  times[1] = 10;  // b
  times[2] = 20;  // C

  host.scanInProgress = true;
  page->OnSortChanged(SortMode::Signal);
  page->OnTick();
  EXPECT_TRUE(page->RefreshPending());
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "C"}));

  host.scanInProgress = false;
  page->OnTick();
  EXPECT_FALSE(page->RefreshPending());
  EXPECT_EQ(Names(), (std::vector<std::string>{"C", "a", "b"}));
  EXPECT_EQ((std::vector<std::uint64_t>{times[0], times[1], times[2]}), (std::vector<std::uint64_t>{20, 30, 10}));
  EXPECT_TRUE(page->State().rescanEnabled);

  page->OnSortChanged(SortMode::Channel);
  page->OnTick();
  EXPECT_EQ(Names(), (std::vector<std::string>{"C", "b", "a"}));
}

TEST_F(SurveyPageTest, TheConnectedMarkGoesToTheLastRowWithTheCurrentBssid) {
  Open();
  EntrySpec first = Net("Home", 0x55, -50);
  first.mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  EntrySpec second = first;
  second.rssi = -52;
  second.ies = Concat({second.ies, HtInformation()});
  Show({first, second, Net("Other", 1)}, SortMode::Signal);
  host.bssid = first.mac;
  page->OnTick();
  EXPECT_EQ(page->Rows()[0].connected, 0) << "not connected yet";

  m.ConnectTo("Home");
  page->OnTick();
  ASSERT_EQ(page->Rows().size(), 3u);
  EXPECT_EQ(page->Rows()[0].connected, 0);
  EXPECT_EQ(page->Rows()[1].connected, 1);
  EXPECT_EQ(page->State().rows[1].connectedIcon, icon::kConnected);
  EXPECT_TRUE(shared.ConnectedRowIs11n());

  host.bssid = {};
  page->OnTick();
  EXPECT_EQ(page->Rows()[1].connected, 0);
  EXPECT_FALSE(shared.ConnectedRowIs11n());

  host.bssid = first.mac;
  page->OnTick();
  EXPECT_TRUE(shared.ConnectedRowIs11n());
  page.reset();
  EXPECT_FALSE(shared.ConnectedRowIs11n()) << "no survey page, no connected row";
}

TEST_F(SurveyPageTest, ARadioSwitchedOffEmptiesTheListAndOnRefreshesIt) {
  Open();
  page->OnScanCompleted();
  ASSERT_EQ(page->Rows().size(), 1u);
  page->OnRowClicked(0);
  EXPECT_TRUE(page->State().addToProfileEnabled);

  m.session->SetRadio(false);
  page->OnTick();
  EXPECT_EQ(host.radioChanges, std::vector<bool>{false});
  EXPECT_TRUE(page->Rows().empty());
  EXPECT_TRUE(page->State().rows.empty());
  EXPECT_EQ(page->State().selectedRow, -1);
  EXPECT_FALSE(page->State().rescanEnabled);
  EXPECT_FALSE(page->State().sortEnabled);
  EXPECT_FALSE(page->State().showDbmEnabled);
  EXPECT_EQ(LoadLe32(host.pagesBuffer.data()), 0u) << "the refresh took the empty scan";

  m.session->SetRadio(true);
  page->OnTick();
  EXPECT_EQ(host.radioChanges, (std::vector<bool>{false, true}));
  EXPECT_EQ(page->Rows().size(), 1u);
  EXPECT_TRUE(page->State().rescanEnabled);
}

TEST_F(SurveyPageTest, MessagesFromTheHiddenWindowRefreshAndRescan) {
  Open();
  host.now = 0x1234;
  m.loop.PostMessage(page->Window(), wlan_msg::kScanComplete, 0, 0);
  m.loop.DrainMessages();
  EXPECT_EQ(LoadLe32(host.sessionBuffer.data()), 1u);
  EXPECT_EQ(host.pagesBuffer, host.sessionBuffer);
  EXPECT_EQ(shared.LastSeen()[0], 0x1234u);
  EXPECT_EQ(shared.LastSeen()[1], 0u);
  ASSERT_EQ(page->Rows().size(), 1u);
  EXPECT_EQ(page->Rows()[0].ssid, "Home");
  EXPECT_FALSE(page->RefreshPending());

  const int before = host.scansQueued;
  m.loop.PostMessage(page->Window(), kWmCommand, CPageSiteSurveyDlg::kCmdRescan, 0);
  m.loop.DrainMessages();
  EXPECT_EQ(host.scansQueued, before + 1);
  EXPECT_TRUE(page->RefreshPending());
}

TEST_F(SurveyPageTest, ButtonsFollowTheRadioTheRefreshAndTheList) {
  struct Row {
    const char* name;
    bool radioOn;
    bool pending;
    bool rows;
    bool enabled;
    bool add;
  };
  const Row rows[] = {
      {"radio on, idle, rows", true, false, true, true, true},
      {"radio on, idle, empty list", true, false, false, true, false},
      {"refresh pending", true, true, true, false, false},
      {"radio off", false, false, true, false, false},
  };
  Open();
  for (const Row& row : rows) {
    m.session->SetRadio(row.radioOn);
    host.radioOn = row.radioOn;
    if (row.rows) {
      Show({Net("a", 1)});
    } else {
      Show({});
    }
    if (row.pending) page->MarkStale();
    host.scanInProgress = row.pending;
    page->OnRowClicked(-1);
    const auto& state = page->State();
    EXPECT_EQ(state.rescanEnabled, row.enabled) << row.name;
    EXPECT_EQ(state.sortEnabled, row.enabled) << row.name;
    EXPECT_EQ(state.showDbmEnabled, row.enabled) << row.name;
    EXPECT_EQ(state.addToProfileEnabled, row.add) << row.name;
    host.scanInProgress = false;
  }
}

sim::Scenario ServiceStopped() {
  sim::Scenario scenario = testing::OneHtNetworkScenario();
  scenario.wlanServiceRunning = false;
  return scenario;
}

class SurveyPageWithoutServiceTest : public SurveyPageTest {
 protected:
  SurveyPageWithoutServiceTest() : SurveyPageTest(ServiceStopped()) {}
};

TEST_F(SurveyPageWithoutServiceTest, EveryTickTakesTheEmptyScanAndNothingIsEnabled) {
  Open();
  ASSERT_FALSE(m.session->ServiceAvailable());
  Show({Net("a", 1)});
  EXPECT_TRUE(page->Rows().empty()) << "the tick merged the (empty) scan and rebuilt";
  EXPECT_FALSE(page->RefreshPending());
  EXPECT_FALSE(page->State().rescanEnabled);
  EXPECT_FALSE(page->State().addToProfileEnabled);
}

}  // namespace
}  // namespace nxui
