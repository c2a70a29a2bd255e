#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/DriverChannelPort.h"
#include "common/Captures.h"
#include "common/SimTestHelpers.h"
#include "monitor/CLinkStatusDlg.h"
#include "scan/ScanEntryRecord.h"
#include "scan/ScanList.h"
#include "shell/HideDlgSurveyHost.h"
#include "shell/ShellFixture.h"
#include "shell/ShellLinkStatusHost.h"
#include "sim/CaptureNetworks.h"
#include "sim/ScenarioLoader.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "survey/LastSurveySelection.h"
#include "survey/ScanListSort.h"
#include "survey/SurveyShared.h"

namespace nxui {
namespace {

// The embedded machine with its neighbourhood of networks; it starts connected to "Norvix-Home".
sim::Scenario Neighbourhood() {
  auto result = sim::ScenarioLoader::LoadEmbedded();
  EXPECT_TRUE(result.ok) << result.error;
  return result.scenario;
}

// The survey page and the AP details on the whole program's hidden and main windows, driven by the
// simulated world under virtual time.
class SurveyOnSimWorld : public shell::test::ShellFixture {
 protected:
  void OpenPage() {
    if (!world) Build(Neighbourhood());
    if (!dlg) {
      // What the composition root plugs in for the radio switch of the main window.
      shell::HideDlgHooks hooks;
      hooks.resetSurveyScanState = [this] {
        ++resets;
        if (page) page->ResetScanState();
      };
      hooks.markSurveyStale = [this] {
        if (page) page->MarkStale();
      };
      Start(true, std::move(hooks));
    }
    ASSERT_NE(dlg->MainWindow(), nullptr);
    details = std::make_unique<CAPDetailInfoDlg>(strings, [this](int panel) {
      if (auto* window = dlg->MainWindow()) window->ShowPanel(panel);
    });
    host = std::make_unique<HideDlgSurveyHost>(*dlg, *platform, details.get());
    page = std::make_unique<CPageSiteSurveyDlg>(loop, dlg->Session(), strings, *host, shared, target);
    page->OnInitDialog();
    // The page's scan, the hidden window's one-shot rescan at 4 s, their completions and ticks.
    loop.AdvanceBy(8000);
  }

  int RowOf(const std::string& ssid) const {
    const auto& rows = page->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].ssid == ssid) return static_cast<int>(i);
    }
    return -1;
  }

  std::vector<ScanEntryRecord> PagesList() {
    std::vector<ScanEntryRecord> records;
    const ScanList list(dlg->ScanBuffer(1));
    for (const auto& slot : list.slots()) {
      ScanEntryRecord record;
      ReadScanEntry(slot.bytes, record);
      records.push_back(record);
    }
    return records;
  }

  std::string HtValue(const std::string& property) const {
    for (const auto& row : details->Ht().State().rows) {
      if (row.kind == HtListRow::Kind::Item && row.property == property) return row.value;
    }
    return "<missing>";
  }

  SurveyShared shared;
  LastSurveySelection target;
  int resets = 0;
  std::unique_ptr<CAPDetailInfoDlg> details;
  std::unique_ptr<HideDlgSurveyHost> host;
  std::unique_ptr<CPageSiteSurveyDlg> page;
};

TEST_F(SurveyOnSimWorld, ScanSortsThreeWaysAndMarksTheConnectedNetwork) {
  OpenPage();
  const std::size_t inRange = world->networksInRange().size();
  ASSERT_GT(inRange, 10u);
  ASSERT_EQ(page->Rows().size(), inRange);
  EXPECT_FALSE(page->RefreshPending());
  EXPECT_TRUE(page->State().rescanEnabled);
  EXPECT_TRUE(page->State().addToProfileEnabled);

  auto expectConnectedRow = [&](const char* when) {
    const int home = RowOf("Norvix-Home");
    ASSERT_GE(home, 0) << when;
    for (std::size_t i = 0; i < page->Rows().size(); ++i) {
      EXPECT_EQ(page->Rows()[i].connected, static_cast<int>(i) == home ? 1 : 0) << when << " row " << i;
    }
    EXPECT_EQ(page->State().rows[static_cast<std::size_t>(home)].connectedIcon, survey_icon::kConnected) << when;
    EXPECT_TRUE(shared.ConnectedRowIs11n()) << when;
  };
  expectConnectedRow("by name");
  const auto byName = PagesList();
  for (std::size_t i = 1; i < byName.size(); ++i) {
    EXPECT_LE(CompareNamesIgnoringCase(byName[i - 1].SsidBytes(), byName[i].SsidBytes()), 0) << i;
  }

  page->OnSortChanged(SortMode::Channel);
  loop.AdvanceBy(2000);
  const auto byChannel = PagesList();
  std::uint32_t previous = 0;
  for (const auto& record : byChannel) {
    std::uint32_t channel = 0;
    ASSERT_TRUE(FrequencyToChannel(record.dsConfig, channel)) << record.SsidText();
    EXPECT_GE(channel, previous) << record.SsidText();
    previous = channel;
  }
  expectConnectedRow("by channel");

  page->OnSortChanged(SortMode::Signal);
  loop.AdvanceBy(2000);
  ASSERT_EQ(page->Rows().size(), inRange);
  for (std::size_t i = 1; i < page->Rows().size(); ++i) {
    EXPECT_GE(page->Rows()[i - 1].signal, page->Rows()[i].signal) << i;
  }
  EXPECT_EQ(page->Rows()[0].ssid, "Norvix-Home");
  expectConnectedRow("by signal");
}

TEST_F(SurveyOnSimWorld, RescanGoesThroughTheQueueAndTheRelayedCompletion) {
  OpenPage();
  page->OnRescan();
  EXPECT_TRUE(dlg->ScanPending());
  EXPECT_FALSE(page->State().rescanEnabled);
  loop.AdvanceBy(1000);
  EXPECT_TRUE(page->RefreshPending()) << "the tick waits while the scan runs";
  loop.AdvanceBy(3000);
  EXPECT_FALSE(dlg->ScanPending());
  EXPECT_FALSE(page->RefreshPending());
  EXPECT_TRUE(page->State().rescanEnabled);
  EXPECT_NE(shared.LastSeen()[0], 0u);
}

TEST_F(SurveyOnSimWorld, RadioSwitchedOffFromTheMainWindowEmptiesTheList) {
  OpenPage();
  ASSERT_FALSE(page->Rows().empty());
  dlg->ToggleRadio();
  EXPECT_TRUE(page->RefreshPending()) << "the switch marks the list stale";
  loop.AdvanceBy(4000);
  EXPECT_TRUE(page->Rows().empty());
  EXPECT_FALSE(page->State().rescanEnabled);
  EXPECT_FALSE(shared.ConnectedRowIs11n());
  EXPECT_EQ(resets, 0);
  dlg->ToggleRadio();
  EXPECT_EQ(resets, 1);
  loop.AdvanceBy(8000);
  EXPECT_EQ(page->Rows().size(), world->networksInRange().size());
  EXPECT_TRUE(page->State().rescanEnabled);
}

sim::Scenario WithDetailNetworks() {
  sim::Scenario scenario = Neighbourhood();
  sim::ScenarioNetwork generated;
  generated.ssid = "Wpa2-HT40";
  generated.bssid = test::Mac("00-AA-00-00-00-01");
  generated.channel = 36;
  generated.rssi = -50;
  generated.phy = sim::Phy::N;
  generated.security.auth = sim::AuthKind::Wpa2Psk;
  generated.security.cipher = sim::CipherKind::Aes;
  sim::ScenarioHt ht;
  ht.width = 40;
  ht.secondaryOffset = 1;
  generated.ht = ht;
  sim::ScenarioWps wps;
  wps.uuidE =
      sim::UuidBytes{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  generated.wps = wps;
  scenario.networks.push_back(generated);

  sim::ScenarioNetwork raw;
  raw.ssid = "Raw";
  raw.bssid = test::Mac("00-AA-00-00-00-02");
  raw.channel = 3;
  // SSID, DS channel 3, an HT Capabilities element of 28 bytes, a Cisco element whose counts point
  // far past it.
  std::string caps;
  for (int i = 0; i < 28; ++i) caps += " 00";
  raw.ies =
      test::Hex("00 03 52 61 77 03 01 03 2d 1c" + caps + " dd 10 00 40 96 04 01 00 00 40 96 00 ff 00 00 40 96 00");
  raw.privacy = true;
  scenario.networks.push_back(raw);
  return scenario;
}

TEST_F(SurveyOnSimWorld, DetailsOfAGeneratedAndOfARawNetwork) {
  Build(WithDetailNetworks());
  OpenPage();
  const int generated = RowOf("Wpa2-HT40");
  ASSERT_GE(generated, 0);
  page->OnRowDoubleClicked(generated);
  EXPECT_EQ(dlg->MainWindow()->State().visiblePanel, CAPDetailInfoDlg::kPanel);
  const GeneralTabState& g = details->General().State();
  EXPECT_EQ(g.ssid, "Wpa2-HT40");
  EXPECT_EQ(g.mac, "00-AA-00-00-00-01");
  EXPECT_EQ(g.authentication, "WPA2-PSK");
  EXPECT_EQ(g.encryption, "AES");
  EXPECT_EQ(g.channel, "36 <--> 5180 MHz");
  EXPECT_EQ(g.networkType, "基础模式");
  EXPECT_EQ(details->Wps().State().version, "1.0");
  EXPECT_EQ(details->Wps().State().uuidE, "00112233445566778899AABBCCDDEEFF");
  EXPECT_TRUE(details->State().tabs[CAPDetailInfoDlg::kTab80211n].visible);
  EXPECT_EQ(HtValue("STA Channel Width"), "1");
  EXPECT_EQ(HtValue("HT Information Secondary Channel Offset"), "1");
  EXPECT_EQ(HtValue("SM Power Save"), "3");
  EXPECT_EQ(page->Rows()[static_cast<std::size_t>(generated)].wps, 1);
  EXPECT_EQ(page->State().rows[static_cast<std::size_t>(generated)].securityIcon, survey_icon::kWps);
  details->OnOk();
  EXPECT_EQ(dlg->MainWindow()->State().visiblePanel, kPanelLinkStatus);

  const int raw = RowOf("Raw");
  ASSERT_GE(raw, 0);
  page->OnRowDoubleClicked(raw);
  EXPECT_EQ(details->General().State().channel, "3 <--> 2422 MHz");
  EXPECT_EQ(details->General().State().authentication, "Unknown");
  EXPECT_EQ(details->General().State().encryption, "WEP");
  EXPECT_FALSE(details->State().tabs[CAPDetailInfoDlg::kTab80211n].visible);
  EXPECT_EQ(HtValue("HT Capability"), "n/a");
  EXPECT_EQ(details->Ccx().State().cckm, "FALSE");

  page->OnRowClicked(-1);
  page->OnAddToProfile();
  EXPECT_EQ(messageBox.texts, std::vector<std::string>{"No selected item"});
  EXPECT_FALSE(target.Last().has_value());

  page->OnRowClicked(raw);
  page->OnAddToProfile();
  ASSERT_TRUE(target.Last().has_value());
  EXPECT_TRUE(target.Last()->secured);
  EXPECT_EQ(target.Last()->authCode, 0);
  EXPECT_EQ(target.Last()->cipherText, "None");
}

// Hidden networks: the embedded one (WPA2-PSK, 802.11g) and one with WPS and 802.11n.
TEST_F(SurveyOnSimWorld, HiddenNetworksKeepTheirSecurityWpsAndHt) {
  sim::Scenario scenario = Neighbourhood();
  sim::ScenarioNetwork hidden;
  hidden.bssid = test::Mac("00-AA-00-00-00-0A");
  hidden.channel = 11;
  hidden.phy = sim::Phy::N;
  hidden.security.auth = sim::AuthKind::Wpa2Psk;
  hidden.security.cipher = sim::CipherKind::Aes;
  hidden.ht = sim::ScenarioHt{};
  hidden.wps = sim::ScenarioWps{};
  scenario.networks.push_back(hidden);
  Build(scenario);
  OpenPage();
  struct Row {
    const char* bssid;
    int wps;
    int ht;
    int securityIcon;
    int nIcon;
  };
  const Row rows[] = {{"00-24-01-AB-80-08", 0, 0, survey_icon::kLock, survey_icon::kNone},
                      {"00-AA-00-00-00-0A", 1, 1, survey_icon::kWps, survey_icon::kBandN}};
  for (const Row& row : rows) {
    int index = -1;
    for (std::size_t i = 0; i < page->Rows().size(); ++i) {
      if (page->Rows()[i].bssid == row.bssid) index = static_cast<int>(i);
    }
    ASSERT_GE(index, 0) << row.bssid;
    const auto position = static_cast<std::size_t>(index);
    EXPECT_EQ(page->Rows()[position].ssid, "") << row.bssid;
    EXPECT_EQ(page->Rows()[position].secured, 1) << row.bssid;
    EXPECT_EQ(page->Rows()[position].wps, row.wps) << row.bssid;
    EXPECT_EQ(page->Rows()[position].ht, row.ht) << row.bssid;
    EXPECT_EQ(page->State().rows[position].securityIcon, row.securityIcon) << row.bssid;
    EXPECT_EQ(page->State().rows[position].nIcon, row.nIcon) << row.bssid;

    page->OnRowDoubleClicked(index);
    EXPECT_EQ(details->General().State().ssid, "Hidden") << row.bssid;
    EXPECT_EQ(details->General().State().authentication, "WPA2-PSK") << row.bssid;
    EXPECT_EQ(details->General().State().encryption, "AES") << row.bssid;
    EXPECT_EQ(details->State().tabs[CAPDetailInfoDlg::kTab80211n].visible, row.ht == 1) << row.bssid;
    details->OnOk();

    // "Add to Profile" hands the editor the network's real security.
    page->OnRowClicked(index);
    page->OnAddToProfile();
    ASSERT_TRUE(target.Last().has_value()) << row.bssid;
    EXPECT_EQ(target.Last()->authCode, 5) << row.bssid;
    EXPECT_EQ(target.Last()->cipherText, "AES") << row.bssid;
    EXPECT_TRUE(target.Last()->secured) << row.bssid;
  }
}

TEST_F(SurveyOnSimWorld, ACaptureNamedByTheScenarioBringsItsBeaconsIntoRange) {
  NXUI_SKIP_WITHOUT_CAPTURES();
  const std::string file = test::CaptureFile("wps_rich_7ap_radiotap.pcap");
  const auto read = sim::ReadCaptureFile(file);
  ASSERT_TRUE(read.ok) << read.error;
  std::set<std::string> captured;
  for (const auto& network : sim::NetworksFromCapture(read.beacons)) captured.insert(sim::MacText(network.bssid));
  ASSERT_EQ(captured.size(), 7u);

  sim::Scenario scenario = Neighbourhood();
  scenario.captures = {file};
  const std::size_t described = scenario.networks.size();
  Build(scenario);
  EXPECT_EQ(world->networksInRange().size(), described + captured.size());
  OpenPage();
  ASSERT_EQ(page->Rows().size(), described + captured.size());
  int fromCapture = 0;
  for (const ScanEntry& row : page->Rows()) {
    if (captured.count(row.bssid) == 0) continue;
    ++fromCapture;
    EXPECT_EQ(row.wps, 1) << row.ssid;
    EXPECT_EQ(row.secured, 1) << row.ssid;
    EXPECT_FALSE(row.channel.empty()) << row.ssid;
  }
  EXPECT_EQ(fromCapture, 7);
}

TEST_F(SurveyOnSimWorld, AMissingCaptureStopsTheWorldWithTheFileNamed) {
  sim::Scenario scenario = Neighbourhood();
  scenario.captures = {test::CaptureFile("no-such.pcap")};
  std::string error;
  EXPECT_EQ(sim::SimWorld::Create(scenario, loop, sim::SimOptions{"", true}, error), nullptr);
  EXPECT_NE(error.find("no-such.pcap:0: cannot open the capture"), std::string::npos) << error;
}

TEST_F(SurveyOnSimWorld, LinkStatusAddsTheCentralChannelForTheConnectedHtRowAndReadsShowDbm) {
  Build(Neighbourhood());
  Start(true);
  DriverChannelPort port(dlg->Driver());
  ShellLinkStatusHost linkHost(
      dlg->State(), [this] { return shared.ShowDbm(); }, [this] { return shared.ConnectedRowIs11n(); });
  CLinkStatusDlg link(*platform, dlg->Context(), port, dlg->Session(), strings, linkHost);
  link.OnInitDialog();
  link.OnShow();
  loop.AdvanceBy(4000);
  link.Refresh();
  ASSERT_EQ(link.State().texts.channel, "6 <--> 2437 MHz") << "no survey row yet";

  OpenPage();
  ASSERT_TRUE(shared.ConnectedRowIs11n());
  link.Refresh();
  EXPECT_EQ(link.State().texts.channel, "6 <--> 2437 MHz; Central channel : 8");
  EXPECT_EQ(link.State().bars[kSignal1Bar].drawnCaption.find("dBm"), std::string::npos);

  page->OnShowDbmChanged(true);
  link.Refresh();
  EXPECT_NE(link.State().bars[kSignal1Bar].drawnCaption.find("dBm"), std::string::npos)
      << link.State().bars[kSignal1Bar].drawnCaption;

  page.reset();
  link.Refresh();
  EXPECT_EQ(link.State().texts.channel, "6 <--> 2437 MHz") << "the page went, and its rows with it";
}

}  // namespace
}  // namespace nxui
