// The 802.11n page and its Block Ack dialogs on the simulated machine under virtual time: the
// record and the registry word, the enabled states, the lists refreshed every second, and the
// dialogs' requests as the simulated driver receives them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "adapter/DriverRecords.h"
#include "advanced/CAddBlockAckDlg.h"
#include "advanced/CDeleteBlockAckDlg.h"
#include "advanced/CPage80211nSettingDlg.h"
#include "base/ByteReader.h"
#include "common/SessionWorld.h"
#include "platform/IRegistry.h"
#include "sim/SimFaults.h"

namespace nxui::test {
namespace {

constexpr const char* kHome = "00-11-22-33-44-55";
constexpr const char* kLegacy = "00-11-22-33-44-66";

sim::ScenarioNetwork Network(const char* ssid, const char* bssid, sim::Phy phy, int rssi) {
  sim::ScenarioNetwork n;
  n.ssid = ssid;
  n.bssid = *sim::ParseMac(bssid);
  n.channel = 6;
  n.rssi = rssi;
  n.phy = phy;
  if (phy == sim::Phy::N) n.ht = sim::ScenarioHt{};
  return n;
}

sim::Scenario HtScenario() {
  sim::Scenario scenario;
  scenario.adapters.push_back(sim::ScenarioAdapter{});
  scenario.networks = {Network("Home", kHome, sim::Phy::N, -50), Network("Legacy", kLegacy, sim::Phy::G, -60)};
  sim::ScenarioNetwork party = Network("Party", "02-AA-BB-CC-DD-01", sim::Phy::G, -70);
  party.bssType = sim::BssKind::Independent;
  party.peers = {*sim::ParseMac("00-00-00-00-00-00"), *sim::ParseMac("00-0C-43-00-00-02"),
                 *sim::ParseMac("00-0C-43-00-00-03")};
  scenario.networks.push_back(party);
  return scenario;
}

using Row = std::array<std::string, 9>;
Row Cells(const char* peer, std::initializer_list<std::pair<int, const char*>> tids) {
  Row row{peer, "-", "-", "-", "-", "-", "-", "-", "-"};
  for (const auto& [tid, text] : tids) row[static_cast<std::size_t>(1 + tid)] = text;
  return row;
}

// Forwards to the real channel, but can answer the table query with no bytes, or the peer list
// with a list of its own.
class ScriptedPort final : public DriverRequestPort {
 public:
  explicit ScriptedPort(DriverRequestPort& inner) : inner_(inner) {}
  bool emptyTable = false;
  std::optional<std::vector<std::uint8_t>> peerList;

  bool Query(Oid oid, std::span<std::uint8_t> record) override {
    std::uint32_t count = 0;
    return QueryCounted(oid, record, count);
  }
  bool QueryCounted(Oid oid, std::span<std::uint8_t> record, std::uint32_t& bytesReturned) override {
    if (oid == OID_WLAN_BA_TABLE && emptyTable) {
      bytesReturned = 0;
      return true;
    }
    if (oid == OID_WLAN_PEER_LIST && peerList) {
      std::copy_n(peerList->begin(), std::min(peerList->size(), record.size()), record.begin());
      bytesReturned = static_cast<std::uint32_t>(std::min(peerList->size(), record.size()));
      return true;
    }
    return inner_.QueryCounted(oid, record, bytesReturned);
  }
  bool Set(Oid oid, std::span<const std::uint8_t> record) override { return inner_.Set(oid, record); }

 private:
  DriverRequestPort& inner_;
};

class HtPage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w.Ready()) << w.error;
    ASSERT_TRUE(w.context.is11n);
    // The tests read the records the page sent.
    w.world->driver(0).RecordRequests(true);
    page.OnInitDialog();
  }

  sim::SimDriver& Driver() { return w.world->driver(0); }

  std::optional<std::uint32_t> RegistryWord() {
    DWORD type = 0;
    std::vector<std::uint8_t> raw;
    if (!w.world->registry().ReadDirect(kHkeyLocalMachine, w.context.classKeyPath, "BACapability", type, raw)) {
      return std::nullopt;
    }
    EXPECT_EQ(type, kRegDword);
    EXPECT_EQ(raw.size(), 4u);
    return raw.size() == 4 ? std::optional<std::uint32_t>(LoadLe32(raw.data())) : std::nullopt;
  }
  void WriteWord(std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreLe32(bytes, value);
    w.world->registry().WriteDirect(kHkeyLocalMachine, w.context.classKeyPath, "BACapability", kRegDword, bytes);
  }
  // The last record of a set of `oid` the driver received.
  std::vector<std::uint8_t> LastSet(Oid oid) {
    const auto& requests = Driver().requests();
    for (auto it = requests.rbegin(); it != requests.rend(); ++it) {
      if (it->isSet && it->oid == oid) return it->bytes;
    }
    return {};
  }
  std::size_t Sets(Oid oid) { return Driver().CountRequests(oid, true); }
  void Tick() { w.loop.AdvanceBy(CPage80211nSettingDlg::kRefreshPeriodMs); }

  void ApplyManual() {
    page.OnBlockAckModeClicked(0);
    ASSERT_TRUE(page.OnApply());
  }

  SessionWorld w{HtScenario()};
  std::vector<int> panels;
  std::vector<std::string> messages;
  BlockAckWindow window{[this](int panel) { panels.push_back(panel); },
                        [this](const std::string& text) { messages.push_back(text); }};
  CAddBlockAckDlg add{*w.driver, *w.session, w.strings, window};
  CDeleteBlockAckDlg remove{*w.driver, *w.session, w.strings, window};
  CPage80211nSettingDlg page{w.loop, *w.driver, w.world->registry(), w.context, w.strings, window, &add, &remove};
};

TEST_F(HtPage, DefaultsAreSentOnShowAndWrittenByApply) {
  EXPECT_EQ(RegistryWord(), std::nullopt);
  page.OnShow();
  EXPECT_EQ(LastSet(OID_WLAN_HT_CONFIG), (std::vector<std::uint8_t>{32, 32, 1, 0, 1, 0, 3, 1}));
  EXPECT_TRUE(page.State().timerRunning);
  EXPECT_EQ(RegistryWord(), std::nullopt) << "showing writes nothing";
  EXPECT_TRUE(page.OnApply());
  EXPECT_EQ(RegistryWord(), 0x03432020u);
  EXPECT_TRUE(messages.empty());
}

struct ApplyCase {
  const char* name;
  void (*change)(CPage80211nSettingDlg&);
  std::uint32_t word;
  std::vector<std::uint8_t> record;
};

class HtPageApply : public HtPage, public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(HtPageApply, ControlsReachTheDriverAndTheRegistry) {
  page.OnShow();
  GetParam().change(page);
  ASSERT_TRUE(page.OnApply());
  EXPECT_EQ(RegistryWord(), GetParam().word) << std::hex << RegistryWord().value_or(0);
  EXPECT_EQ(LastSet(OID_WLAN_HT_CONFIG), GetParam().record);
  // What the driver runs with is what it was given.
  const HtConfigRecord& config = Driver().htBlockAck().Config();
  EXPECT_EQ(std::memcmp(&config, GetParam().record.data(), sizeof config), 0);
}

INSTANTIATE_TEST_SUITE_P(Controls, HtPageApply,
                         ::testing::Values(ApplyCase{"static_smps",
                                                     [](CPage80211nSettingDlg& p) { p.SelectSmps(kSmpsStatic); },
                                                     0x00432020,
                                                     {32, 32, 1, 0, 1, 0, 0, 1}},
                                           ApplyCase{"dynamic_smps",
                                                     [](CPage80211nSettingDlg& p) { p.SelectSmps(kSmpsDynamic); },
                                                     0x01432020,
                                                     {32, 32, 1, 0, 1, 0, 1, 1}},
                                           ApplyCase{
                                               "aggregation_unchecked",
                                               [](CPage80211nSettingDlg& p) { p.OnMpduAggregationClicked(false); },
                                               0x03452020,
                                               {32, 32, 2, 0, 1, 0, 3, 1}},
                                           ApplyCase{"density_5",
                                                     [](CPage80211nSettingDlg& p) { p.SelectMpduDensity(5); },
                                                     0x036B2020,
                                                     {32, 32, 1, 5, 1, 0, 3, 1}},
                                           ApplyCase{"manual",
                                                     [](CPage80211nSettingDlg& p) { p.OnBlockAckModeClicked(0); },
                                                     0x03422020,
                                                     {32, 32, 1, 0, 1, 0, 3, 0}},
                                           ApplyCase{"amsdu_unchecked",
                                                     [](CPage80211nSettingDlg& p) { p.OnAmsduClicked(false); },
                                                     0x03032020,
                                                     {32, 32, 1, 0, 0, 0, 3, 1}},
                                           // Disabled controls do not change: the density list without aggregation.
                                           ApplyCase{"density_while_disabled",
                                                     [](CPage80211nSettingDlg& p) {
                                                       p.OnMpduAggregationClicked(false);
                                                       p.SelectMpduDensity(6);
                                                       p.OnBlockAckModeClicked(0);
                                                     },
                                                     0x03452020,
                                                     {32, 32, 2, 0, 1, 0, 3, 1}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(HtPage, EnabledStatesFollowAggregationModeAndAmsdu) {
  page.OnShow();
  const Page80211nState& s = page.State();
  EXPECT_TRUE(s.blockAckModeEnabled);
  EXPECT_TRUE(s.mpduDensityEnabled);
  EXPECT_FALSE(s.originatorAddEnabled) << "automatic setup";
  EXPECT_FALSE(s.originatorDeleteEnabled);
  EXPECT_FALSE(s.recipientDeleteEnabled);
  EXPECT_TRUE(s.amsduSizeEnabled);
  EXPECT_FALSE(s.amsduMax7935Visible);

  // "Manual" only takes the control values; the buttons follow at the next refresh of the states.
  page.OnBlockAckModeClicked(0);
  EXPECT_EQ(page.Settings().autoBa, 0);
  EXPECT_FALSE(s.originatorAddEnabled);
  page.OnApply();
  EXPECT_TRUE(s.originatorAddEnabled);
  EXPECT_TRUE(s.originatorDeleteEnabled);
  EXPECT_TRUE(s.recipientDeleteEnabled);

  page.OnMpduAggregationClicked(false);
  EXPECT_FALSE(s.blockAckModeEnabled);
  EXPECT_FALSE(s.mpduDensityEnabled);
  EXPECT_FALSE(s.originatorAddEnabled);
  EXPECT_FALSE(s.originatorDeleteEnabled);
  EXPECT_FALSE(s.recipientDeleteEnabled);
  page.OnBlockAckModeClicked(1);
  EXPECT_EQ(page.State().controls.autoBa, 0) << "a disabled radio does not change";
  page.OnMpduAggregationClicked(true);
  EXPECT_TRUE(s.originatorAddEnabled) << "manual is still chosen";

  page.OnAmsduClicked(false);
  EXPECT_FALSE(s.amsduSizeEnabled);
  page.SelectAmsduSize(1);
  EXPECT_EQ(s.controls.amsduSize, 0);
  page.OnAmsduClicked(true);
  page.SelectAmsduSize(1);
  EXPECT_EQ(s.controls.amsduSize, 1);
}

TEST_F(HtPage, ShowReadsTheRegistryAndShowsTheValues) {
  WriteWord(0x00122A10);  // static SMPS, no A-MSDU, density 2, manual, aggregation on
  page.OnShow();
  const HtSettings expected{0x10, 0x2A, 0, true, 2, false, 0, kSmpsStatic};
  EXPECT_EQ(page.Settings(), expected);
  EXPECT_EQ(page.State().controls, expected);
  EXPECT_EQ(LastSet(OID_WLAN_HT_CONFIG), (std::vector<std::uint8_t>{0x10, 0x2A, 1, 2, 0, 0, 0, 0}));
  EXPECT_TRUE(page.State().originatorAddEnabled);
  EXPECT_FALSE(page.State().amsduSizeEnabled);

  // A choice not applied is gone when the page comes back.
  page.SelectSmps(kSmpsDynamic);
  page.OnHide();
  EXPECT_FALSE(page.State().timerRunning);
  page.OnShow();
  EXPECT_EQ(page.State().controls.smps, kSmpsStatic);

  // Without the value the page keeps what it had.
  HKEY key = 0;
  ASSERT_EQ(w.world->registry().OpenKey(kHkeyLocalMachine, w.context.classKeyPath, kKeyAllAccess, key), kErrorSuccess);
  ASSERT_EQ(w.world->registry().DeleteValue(key, "BACapability"), kErrorSuccess);
  w.world->registry().CloseKey(key);
  page.OnHide();
  page.OnShow();
  EXPECT_EQ(page.Settings(), expected);
  // A value too long for a DWORD is not read either.
  const std::uint8_t longer[8] = {0x20, 0x20, 0x43, 0x03, 0, 0, 0, 0};
  w.world->registry().WriteDirect(kHkeyLocalMachine, w.context.classKeyPath, "BACapability", kRegBinary, longer);
  page.OnHide();
  page.OnShow();
  EXPECT_EQ(page.Settings(), expected);
}

TEST_F(HtPage, ApplyThatCannotSaveSaysSoAndTheDriverHasTheValuesAnyway) {
  page.OnShow();
  page.SelectSmps(kSmpsStatic);
  w.world->faults().Arm(sim::fault::kRegistryWrite, 1);
  EXPECT_FALSE(page.OnApply());
  EXPECT_EQ(w.world->faults().Fired(sim::fault::kRegistryWrite), 1);
  EXPECT_EQ(LastSet(OID_WLAN_HT_CONFIG), (std::vector<std::uint8_t>{32, 32, 1, 0, 1, 0, 0, 1}));
  EXPECT_EQ(RegistryWord(), std::nullopt);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], w.strings.LoadString(string_id::kHtSettingsNotSaved));
  // A user without administrator rights is told why.
  w.context.isAdmin = false;
  w.world->faults().Arm(sim::fault::kRegistryWrite, 1);
  EXPECT_FALSE(page.OnApply());
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1], w.strings.LoadString(string_id::kNoAdministratorPrivilege));
}

TEST_F(HtPage, ListsRefreshEverySecondWhileShown) {
  w.ConnectTo("Home");
  ASSERT_TRUE(w.world->association(0).connected);
  page.OnShow();
  EXPECT_TRUE(page.State().originator.rows.empty());
  Tick();
  EXPECT_EQ(page.State().originator.rows, std::vector<Row>{Cells(kHome, {{0, "32"}})});
  EXPECT_EQ(page.State().recipient.rows, std::vector<Row>{Cells(kHome, {{0, "32"}})});
  ASSERT_EQ(page.State().originator.columns.size(), 9u);
  EXPECT_EQ(page.State().originator.columns[0].header, "MAC地址");
  EXPECT_EQ(page.State().originator.caption, "Originator of");
  EXPECT_EQ(page.State().recipient.caption, "Recipient of");

  page.OnHide();
  const std::size_t queries = Driver().CountRequests(OID_WLAN_BA_TABLE, false);
  w.loop.AdvanceBy(5000);
  EXPECT_EQ(Driver().CountRequests(OID_WLAN_BA_TABLE, false), queries) << "no refresh while hidden";
  page.OnShow();
  EXPECT_TRUE(page.State().originator.rows.empty()) << "emptied when shown";
  Tick();
  EXPECT_EQ(page.State().originator.rows.size(), 1u);
}

TEST_F(HtPage, AFailedOrEmptyTableQueryKeepsTheLists) {
  ScriptedPort port(*w.driver);
  CPage80211nSettingDlg scripted(w.loop, port, w.world->registry(), w.context, w.strings, window, nullptr, nullptr);
  scripted.OnInitDialog();
  w.ConnectTo("Home");
  scripted.OnShow();
  Tick();
  const auto shown = scripted.State().originator.rows;
  ASSERT_EQ(shown.size(), 1u);
  // The link goes, so a good answer would empty the lists.
  w.world->wlan().Disconnect(w.session->ClientHandle(), w.session->InterfaceInfo().interfaceGuid);
  w.world->faults().Arm(sim::fault::DriverRequest(OID_WLAN_BA_TABLE), 1);
  Tick();
  EXPECT_EQ(w.world->faults().Fired(sim::fault::DriverRequest(OID_WLAN_BA_TABLE)), 1);
  EXPECT_EQ(scripted.State().originator.rows, shown);
  port.emptyTable = true;
  Tick();
  EXPECT_EQ(scripted.State().originator.rows, shown);
  port.emptyTable = false;
  Tick();
  EXPECT_TRUE(scripted.State().originator.rows.empty());
  EXPECT_TRUE(scripted.State().recipient.rows.empty());
}

TEST_F(HtPage, ManualBlockAckAddedSeenAndDeleted) {
  w.ConnectTo("Home");
  page.OnShow();
  ApplyManual();
  Tick();
  // Switching to manual keeps the sessions there are.
  EXPECT_EQ(page.State().originator.rows, std::vector<Row>{Cells(kHome, {{0, "32"}})});

  page.OnAddOriginator();
  EXPECT_EQ(panels, std::vector<int>{CAddBlockAckDlg::kPanel});
  const BlockAckDialogState& a = add.State();
  EXPECT_EQ(a.peers, std::vector<std::string>{kHome});
  EXPECT_EQ(a.selectedPeer, 0);
  EXPECT_EQ(a.selectedTid, 0);
  EXPECT_EQ(a.tids, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7"}));
  EXPECT_EQ(a.peersLabel, "Connected Bssids >>");
  EXPECT_EQ(a.windowSizeLabel, "BA Window Size Limit >>");
  add.SelectTid(5);
  add.SetWindowSizeText("300");
  EXPECT_TRUE(add.OnOk());
  EXPECT_EQ(LastSet(OID_WLAN_BA_TABLE),
            (std::vector<std::uint8_t>{0, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 5, 44, 0, 0, 0, 0, 0}));
  EXPECT_EQ(panels.back(), 0) << "back to the page";
  Tick();
  EXPECT_EQ(page.State().originator.rows, std::vector<Row>{Cells(kHome, {{0, "32"}, {5, "44"}})});

  page.OnDeleteOriginator();
  EXPECT_EQ(panels.back(), CDeleteBlockAckDlg::kPanel);
  EXPECT_EQ(remove.Direction(), kBlockAckOriginator);
  EXPECT_EQ(remove.State().directionCaption, "Originator of");
  EXPECT_FALSE(remove.State().windowSizeVisible);
  remove.SelectTid(5);
  EXPECT_TRUE(remove.OnOk());
  EXPECT_EQ(LastSet(OID_WLAN_BA_DELETE),
            (std::vector<std::uint8_t>{0, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 5, 0, 0, 0, 0, 0, 0}));
  Tick();
  EXPECT_EQ(page.State().originator.rows, std::vector<Row>{Cells(kHome, {{0, "32"}})});

  // The recipient list's "-" deletes as recipient.
  page.OnDeleteRecipient();
  EXPECT_EQ(remove.Direction(), kBlockAckRecipient);
  EXPECT_EQ(remove.State().directionCaption, "Recipient of");
  EXPECT_TRUE(remove.OnOk());
  EXPECT_EQ(LastSet(OID_WLAN_BA_DELETE)[0], 1);
  Tick();
  EXPECT_TRUE(page.State().recipient.rows.empty());
  EXPECT_EQ(page.State().originator.rows.size(), 1u);
  EXPECT_TRUE(messages.empty());
}

TEST_F(HtPage, DisabledButtonsOpenNothing) {
  w.ConnectTo("Home");
  page.OnShow();
  page.OnAddOriginator();
  page.OnDeleteOriginator();
  page.OnDeleteRecipient();
  EXPECT_TRUE(panels.empty());
  EXPECT_TRUE(add.State().peers.empty()) << "the dialog was never opened";
}

TEST_F(HtPage, AddDialogRefusesWhatItCannotSend) {
  w.ConnectTo("Home");
  page.OnShow();
  ApplyManual();
  page.OnAddOriginator();
  const std::size_t sets = Sets(OID_WLAN_BA_TABLE);
  for (const char* text : {"", "abc", "-3", "12x"}) {
    add.SetWindowSizeText(text);
    EXPECT_FALSE(add.OnOk()) << text;
    EXPECT_EQ(messages.back(), "Please enter a positive integer.") << text;
  }
  EXPECT_EQ(Sets(OID_WLAN_BA_TABLE), sets);
  EXPECT_EQ(panels.back(), CAddBlockAckDlg::kPanel) << "the dialog stays";

  add.SetWindowSizeText("8");
  add.SelectPeer(-1);
  EXPECT_FALSE(add.OnOk());
  EXPECT_EQ(messages.back(), "Please choose BSSID");
  EXPECT_EQ(Sets(OID_WLAN_BA_TABLE), sets);

  add.OnCancel();
  EXPECT_EQ(panels.back(), 0);
  EXPECT_EQ(Sets(OID_WLAN_BA_TABLE), sets) << "Cancel sends nothing";
}

TEST_F(HtPage, AllZeroPeerListLeavesTheDialogEmpty) {
  ScriptedPort port(*w.driver);
  std::vector<std::uint8_t> zeros(kPeerListSize, 0);
  StoreLe32(zeros.data(), 3);
  port.peerList = zeros;
  CAddBlockAckDlg scriptedAdd(port, *w.session, w.strings, window);
  CDeleteBlockAckDlg scriptedDelete(port, *w.session, w.strings, window);
  w.ConnectTo("Home");
  scriptedAdd.Open();
  EXPECT_TRUE(scriptedAdd.State().peers.empty());
  EXPECT_EQ(scriptedAdd.State().selectedPeer, -1);
  EXPECT_FALSE(scriptedAdd.OnOk());
  EXPECT_EQ(messages, std::vector<std::string>{"Please choose BSSID"});
  scriptedDelete.Open(kBlockAckRecipient);
  EXPECT_FALSE(scriptedDelete.OnOk());
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(Sets(OID_WLAN_BA_TABLE) + Sets(OID_WLAN_BA_DELETE), 0u);
}

TEST_F(HtPage, CurrentBssidComesFirstAmongAdHocPeers) {
  // An ad hoc network: the peer list holds its stations (an all-zero one skipped).
  WlanConnectionParameters parameters;
  parameters.connectionMode = kWlanConnectionModeDiscoveryUnsecure;
  parameters.hasSsid = true;
  parameters.ssid = Dot11Ssid::FromText("Party");
  parameters.bssType = kDot11BssTypeIndependent;
  w.world->wlan().Connect(w.session->ClientHandle(), w.session->InterfaceInfo().interfaceGuid, parameters);
  w.loop.AdvanceBy(sim::SimWlanService::kConnectDelayMs + 10);
  ASSERT_TRUE(w.world->association(0).connected);
  add.Open();
  EXPECT_EQ(add.State().peers, (std::vector<std::string>{"00-0C-43-00-00-02", "00-0C-43-00-00-03"}));
  remove.Open(kBlockAckOriginator);
  EXPECT_EQ(remove.State().peers, add.State().peers);

  // With the BSSID among the peers it moves to the front.
  ScriptedPort port(*w.driver);
  std::vector<std::uint8_t> list(kPeerListSize, 0);
  StoreLe32(list.data(), 3);
  const std::uint8_t peers[3][6] = {
      {0, 0x0C, 0x43, 0, 0, 2}, {0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0x01}, {0, 0x0C, 0x43, 0, 0, 3}};
  for (int i = 0; i < 3; ++i) std::copy_n(peers[i], 6, list.begin() + 4 + i * 10);
  port.peerList = list;
  CAddBlockAckDlg scripted(port, *w.session, w.strings, window);
  scripted.Open();
  EXPECT_EQ(scripted.State().peers,
            (std::vector<std::string>{"02-AA-BB-CC-DD-01", "00-0C-43-00-00-02", "00-0C-43-00-00-03"}));
}

TEST_F(HtPage, SessionsEndWithTheLink) {
  w.ConnectTo("Home");
  page.OnShow();
  Tick();
  ASSERT_EQ(page.State().recipient.rows.size(), 1u);
  w.world->wlan().Disconnect(w.session->ClientHandle(), w.session->InterfaceInfo().interfaceGuid);
  Tick();
  EXPECT_TRUE(page.State().originator.rows.empty());
  EXPECT_TRUE(page.State().recipient.rows.empty());
  add.Open();
  EXPECT_TRUE(add.State().peers.empty()) << "no link, no peer";

  // An access point without 802.11n gets no automatic sessions; a manual add to it is accepted.
  w.ConnectTo("Legacy");
  Tick();
  EXPECT_TRUE(page.State().originator.rows.empty());
  ApplyManual();
  page.OnAddOriginator();
  ASSERT_EQ(add.State().peers, std::vector<std::string>{kLegacy});
  add.SetWindowSizeText("16");
  EXPECT_TRUE(add.OnOk());
  Tick();
  EXPECT_EQ(page.State().originator.rows, std::vector<Row>{Cells(kLegacy, {{0, "16"}})});

  // Roaming back to the 802.11n access point in manual setup: the old link's session is gone and
  // none is set up.
  w.ConnectTo("Home");
  Tick();
  EXPECT_TRUE(page.State().originator.rows.empty());
  EXPECT_TRUE(page.State().recipient.rows.empty());
}

TEST_F(HtPage, AggregationOffEndsEverySessionAndAutomaticSetupBringsThemBack) {
  w.ConnectTo("Home");
  page.OnShow();
  Tick();
  ASSERT_EQ(page.State().originator.rows.size(), 1u);
  page.OnMpduAggregationClicked(false);
  page.OnApply();
  Tick();
  EXPECT_TRUE(page.State().originator.rows.empty());
  EXPECT_TRUE(page.State().recipient.rows.empty());
  page.OnMpduAggregationClicked(true);
  page.OnApply();
  Tick();
  EXPECT_EQ(page.State().originator.rows, std::vector<Row>{Cells(kHome, {{0, "32"}})});
  EXPECT_EQ(page.State().recipient.rows, std::vector<Row>{Cells(kHome, {{0, "32"}})});
}

}  // namespace
}  // namespace nxui::test
