#include <gtest/gtest.h>

#include <thread>

#include "WlanFixture.h"
#include "scan/BssidEx.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWorld.h"

namespace nxui::testing {
namespace {

constexpr std::uint64_t kConnectMs = sim::SimWlanService::kConnectDelayMs;

class ConnectTest : public WlanFixture {
 protected:
  void SetUp() override {
    WlanFixture::SetUp();
    // What the hidden window does with the two outcomes.
    owner.handler = [this](UINT message, WPARAM) {
      if (message == wlan_msg::kConnectionComplete) session->ApplyDeferredSettings();
      if (message == wlan_msg::kConnectionFailed) session->CancelDeferredSettings();
    };
  }
  std::vector<std::string> ProfileNames() {
    std::vector<WlanProfileInfo> list;
    service->GetProfileList(session->ClientHandle(), kInterfaceGuid, list);
    std::vector<std::string> names;
    for (const auto& p : list) names.push_back(p.profileName);
    return names;
  }
  bool DeferredSent() const {
    return !driver.Sets(OID_DOT11_RTS_THRESHOLD).empty() || !driver.Sets(OID_DOT11_FRAGMENTATION_THRESHOLD).empty() ||
           !driver.Sets(OID_DOT11_POWER_MGMT_REQUEST).empty();
  }
};

TEST_F(ConnectTest, RightPassPhraseCompletesAndSendsTheHeldBackSettingsOnlyThen) {
  networks = {MakeNetwork("Home", "00-11-22-33-44-55", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "correct horse")};
  Build();
  const auto record = MakeRecord("Home", AuthMode::kWpa2Psk, CipherMode::kAes, "correct horse");
  ASSERT_EQ(session->Connect(record, false), ProfileConnectPath::kProfile);

  EXPECT_EQ(driver.SetOrder(), (std::vector<Oid>{OID_WLAN_WPS_CONNECT, OID_WLAN_PREAMBLE, OID_WLAN_TX_POWER}));
  EXPECT_EQ(driver.Sets(OID_WLAN_WPS_CONNECT)[0].U32(), 0u);
  EXPECT_EQ(driver.Sets(OID_WLAN_PREAMBLE)[0].U32(), 2u) << "infrastructure forces the automatic preamble";
  EXPECT_EQ(driver.Sets(OID_WLAN_TX_POWER)[0].U32(), 75u);
  EXPECT_TRUE(session->Deferred().pending);
  EXPECT_EQ(ProfileNames(), std::vector<std::string>{"Home"});

  Run(kConnectMs - 1);
  EXPECT_EQ(owner.Count(wlan_msg::kConnectionComplete), 0);
  EXPECT_FALSE(DeferredSent()) << "nothing is sent before the connection completes";
  Run(1);
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kConnectionComplete});
  ASSERT_EQ(driver.Sets(OID_DOT11_RTS_THRESHOLD).size(), 1u);
  EXPECT_EQ(driver.Sets(OID_DOT11_RTS_THRESHOLD)[0].U32(), 2347u);
  EXPECT_EQ(driver.Sets(OID_DOT11_FRAGMENTATION_THRESHOLD)[0].U32(), 2346u);
  EXPECT_EQ(driver.Sets(OID_DOT11_POWER_MGMT_REQUEST)[0].U32(), 16u);
  EXPECT_FALSE(session->Deferred().pending);

  int connected = 0;
  EXPECT_EQ(session->IsConnected(connected), 0u);
  EXPECT_EQ(connected, 1);
  SsidRecord ssid{};
  EXPECT_EQ(session->CurrentSsid(ssid), 0u);
  EXPECT_EQ(LoadLe32(ssid.data()), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(ssid.data() + 4), 4), "Home");
  DWORD auth = 0, cipher = 0;
  session->CurrentAuthAlgorithm(auth);
  session->CurrentCipherAlgorithm(cipher);
  EXPECT_EQ(auth, kDot11AuthRsnaPsk);
  EXPECT_EQ(cipher, kDot11CipherCcmp);
  EXPECT_TRUE(association.connected);
  EXPECT_EQ(association.bssid, (Dot11MacAddress{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));

  // A second completion (roaming back, say) finds nothing pending and sends nothing again.
  session->ApplyDeferredSettings();
  EXPECT_EQ(driver.Sets(OID_DOT11_RTS_THRESHOLD).size(), 1u);
}

TEST_F(ConnectTest, WrongPassPhraseFailsAndCancelsTheHeldBackSettings) {
  networks = {MakeNetwork("Home", "00-11-22-33-44-55", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "correct horse")};
  Build();
  session->Connect(MakeRecord("Home", AuthMode::kWpa2Psk, CipherMode::kAes, "wrong horse"), false);
  Run(kConnectMs + 100);
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kConnectionFailed});
  EXPECT_FALSE(session->Deferred().pending);
  // A late completion message must not send settings cancelled by the failure.
  session->ApplyDeferredSettings();
  EXPECT_FALSE(DeferredSent());
  int connected = 1;
  session->IsConnected(connected);
  EXPECT_EQ(connected, 0);
  EXPECT_FALSE(association.connected);
  EXPECT_EQ(association.lastFailureEvent, 7);
}

struct SecurityRow {
  const char* name;
  sim::ScenarioNetwork network;
  ConnectionSettings record;
  bool completes;
};

ConnectionSettings WepRecord(std::string_view ssid, int slot, std::vector<std::uint8_t> key) {
  ConnectionSettings r = MakeRecord(ssid, AuthMode::kOpen, CipherMode::kWep);
  auto& keySlot = r.wepKeys[static_cast<std::size_t>(slot)];
  keySlot.present = 1;
  keySlot.keyIndex = static_cast<std::uint32_t>(slot) | kTransmitKeyBit;
  keySlot.keyLength = static_cast<std::uint32_t>(key.size());
  std::copy(key.begin(), key.end(), keySlot.key.begin());
  return r;
}

sim::ScenarioNetwork WepNetwork(std::vector<std::string> keys, int index) {
  auto n = MakeNetwork("Attic", "00-0F-00-00-00-01", sim::AuthKind::Open, sim::CipherKind::Wep);
  n.security.wepKeys = std::move(keys);
  n.security.wepKeyIndex = index;
  return n;
}

class SecurityMatchTest : public ConnectTest, public ::testing::WithParamInterface<SecurityRow> {};

TEST_P(SecurityMatchTest, ProfileIsCheckedAgainstTheAccessPoint) {
  const SecurityRow& row = GetParam();
  networks = {row.network};
  Build();
  session->Connect(row.record, false);
  Run(kConnectMs + 100);
  const UINT expected = row.completes ? wlan_msg::kConnectionComplete : wlan_msg::kConnectionFailed;
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{expected}) << row.name;
  EXPECT_EQ(association.connected, row.completes) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SecurityMatchTest,
    ::testing::Values(
        SecurityRow{"open", MakeNetwork("Cafe", "00-0F-00-00-00-02"),
                    MakeRecord("Cafe", AuthMode::kOpen, CipherMode::kNone), true},
        SecurityRow{"open network refuses a WPA2 profile", MakeNetwork("Cafe", "00-0F-00-00-00-02"),
                    MakeRecord("Cafe", AuthMode::kWpa2Psk, CipherMode::kAes, "whatever1"), false},
        SecurityRow{"WPA-PSK TKIP",
                    MakeNetwork("Old", "00-0F-00-00-00-03", sim::AuthKind::WpaPsk, sim::CipherKind::Tkip, "tkip-pass"),
                    MakeRecord("Old", AuthMode::kWpaPsk, CipherMode::kTkip, "tkip-pass"), true},
        SecurityRow{"TKIP network refuses AES",
                    MakeNetwork("Old", "00-0F-00-00-00-03", sim::AuthKind::WpaPsk, sim::CipherKind::Tkip, "tkip-pass"),
                    MakeRecord("Old", AuthMode::kWpaPsk, CipherMode::kAes, "tkip-pass"), false},
        SecurityRow{"mixed network takes WPA-PSK TKIP",
                    MakeNetwork("Mixed", "00-0F-00-00-00-04", sim::AuthKind::WpaPskWpa2Psk, sim::CipherKind::TkipAes,
                                "mixed-pass"),
                    MakeRecord("Mixed", AuthMode::kWpaPsk, CipherMode::kTkip, "mixed-pass"), true},
        SecurityRow{"mixed network takes WPA2-PSK AES",
                    MakeNetwork("Mixed", "00-0F-00-00-00-04", sim::AuthKind::WpaPskWpa2Psk, sim::CipherKind::TkipAes,
                                "mixed-pass"),
                    MakeRecord("Mixed", AuthMode::kWpa2Psk, CipherMode::kAes, "mixed-pass"), true},
        SecurityRow{"64 hex digits derived from the pass phrase",
                    MakeNetwork("IEEE", "00-0F-00-00-00-05", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "password"),
                    MakeRecord("IEEE", AuthMode::kWpa2Psk, CipherMode::kAes,
                               "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"),
                    true},
        SecurityRow{"64 hex digits of another pass phrase",
                    MakeNetwork("IEEE", "00-0F-00-00-00-05", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "passw0rd"),
                    MakeRecord("IEEE", AuthMode::kWpa2Psk, CipherMode::kAes,
                               "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"),
                    false},
        SecurityRow{"WEP key in the transmit slot", WepNetwork({"", "0102030405"}, 1),
                    WepRecord("Attic", 1, {1, 2, 3, 4, 5}), true},
        SecurityRow{"WEP ASCII key on the access point", WepNetwork({"abcde"}, 0),
                    WepRecord("Attic", 0, {'a', 'b', 'c', 'd', 'e'}), true},
        SecurityRow{"WEP key in the wrong slot", WepNetwork({"", "0102030405"}, 1),
                    WepRecord("Attic", 0, {1, 2, 3, 4, 5}), false},
        SecurityRow{"WEP wrong key", WepNetwork({"0102030405"}, 0), WepRecord("Attic", 0, {1, 2, 3, 4, 6}), false},
        SecurityRow{"network out of range", MakeNetwork("Elsewhere", "00-0F-00-00-00-06"),
                    MakeRecord("Cafe", AuthMode::kOpen, CipherMode::kNone), false}),
    [](const auto& row) {
      std::string name = row.param.name;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST_F(ConnectTest, ConnectingTwiceOverwritesTheProfileAndKeepsItFirst) {
  networks = {MakeNetwork("Home", "00-11-22-33-44-55", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "correct horse"),
              MakeNetwork("Cafe", "00-0F-00-00-00-02")};
  Build();
  session->Connect(MakeRecord("Home", AuthMode::kWpa2Psk, CipherMode::kAes, "wrong horse"), false);
  Run(kConnectMs + 100);
  session->Connect(MakeRecord("Cafe", AuthMode::kOpen, CipherMode::kNone), false);
  Run(kConnectMs + 100);
  EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Cafe", "Home"}));
  owner.messages.clear();
  session->Connect(MakeRecord("Home", AuthMode::kWpa2Psk, CipherMode::kAes, "correct horse"), false);
  Run(kConnectMs + 100);
  EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Home", "Cafe"}));
  // Leaving Cafe for Home disconnects first.
  EXPECT_EQ(owner.Sequence(), (std::vector<UINT>{wlan_msg::kDisconnected, wlan_msg::kConnectionComplete}));
}

TEST_F(ConnectTest, RejectedProfileLeadsToAConnectErrorMessage) {
  networks = {MakeNetwork("Home", "00-11-22-33-44-55", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "short")};
  Build();
  // Seven characters: the service refuses the document, so the profile-mode connect fails at once.
  session->Connect(MakeRecord("Home", AuthMode::kWpa2Psk, CipherMode::kAes, "1234567"), false);
  Run(kConnectMs + 100);
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kConnectError});
  EXPECT_TRUE(ProfileNames().empty());
}

TEST_F(ConnectTest, ServiceGoneAtConnectTimePostsConnectError) {
  service->SetRunning(false);
  session->Connect(MakeRecord("Cafe", AuthMode::kOpen, CipherMode::kNone), false);
  loop.DrainMessages();
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kConnectError});
}

TEST_F(ConnectTest, WpsRecordSetsTheWpsConnectFlag) {
  networks = {MakeNetwork("Cafe", "00-0F-00-00-00-02")};
  Build();
  session->Connect(MakeRecord("Cafe", AuthMode::kOpen, CipherMode::kNone), true);
  EXPECT_EQ(driver.Sets(OID_WLAN_WPS_CONNECT).at(0).U32(), 1u);
}

TEST_F(ConnectTest, AccessPointPickedInTheSurveyUsesDiscoveryWithItsBssid) {
  struct Row {
    const char* name;
    sim::ScenarioNetwork network;
    ConnectionSettings record;
    DWORD mode;
  };
  const Dot11MacAddress bssid = {0x00, 0x0F, 0x00, 0x00, 0x00, 0x07};
  std::vector<Row> rows = {
      {"open", MakeNetwork("Cafe", "00-0F-00-00-00-07"), MakeRecord("Cafe", AuthMode::kOpen, CipherMode::kNone),
       kWlanConnectionModeDiscoveryUnsecure},
      {"secured", WepNetwork({"0102030405"}, 0), WepRecord("Attic", 0, {1, 2, 3, 4, 5}),
       kWlanConnectionModeDiscoverySecure},
  };
  rows[1].network.bssid = test::Mac("00-0F-00-00-00-07");
  for (auto& row : rows) {
    networks = {row.network};
    Build();
    driver.requests.clear();
    row.record.byBssid = 1;
    row.record.bssid = bssid;
    session->Connect(row.record, false);
    Run(kConnectMs + 100);
    ASSERT_FALSE(service->ConnectCalls().empty()) << row.name;
    const auto& call = service->ConnectCalls().back();
    EXPECT_EQ(call.connectionMode, row.mode) << row.name;
    EXPECT_TRUE(call.profile.empty()) << row.name;
    EXPECT_TRUE(call.hasSsid) << row.name;
    EXPECT_EQ(call.desiredBssids, std::vector<Dot11MacAddress>{bssid}) << row.name;
    EXPECT_TRUE(ProfileNames().empty()) << row.name << ": no profile is written";
    const auto desired = driver.Sets(OID_DOT11_DESIRED_BSSID_LIST);
    ASSERT_EQ(desired.size(), 1u) << row.name;
    const std::vector<std::uint8_t> expected = {0x80, 1, 20, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0x00, 0x0F, 0, 0, 0, 7, 0, 0};
    EXPECT_EQ(desired[0].bytes, expected) << row.name;
    EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kConnectionComplete}) << row.name;
  }
}

TEST_F(ConnectTest, AdHocChannelGoesIntoTheStationConfiguration) {
  auto adhoc = MakeNetwork("Party", "02-0F-00-00-00-08");
  adhoc.bssType = sim::BssKind::Independent;
  adhoc.channel = 11;
  networks = {adhoc};
  Build();
  ConnectionSettings record = MakeRecord("Party", AuthMode::kOpen, CipherMode::kNone);
  record.networkType = NetworkType::kAdhoc;
  record.channel = 11;
  record.preamble = 0;

  // Without an answer from the driver the record is not written back (it would wipe the driver's words).
  session->Connect(record, false);
  EXPECT_TRUE(driver.Sets(OID_WLAN_STA_CONFIG).empty());
  EXPECT_EQ(driver.Sets(OID_WLAN_PREAMBLE).at(0).U32(), 0u) << "ad hoc keeps its own preamble";

  std::vector<std::uint8_t> config(32);
  for (std::size_t i = 0; i < config.size(); ++i) config[i] = static_cast<std::uint8_t>(i + 1);
  driver.answers[OID_WLAN_STA_CONFIG] = config;
  session->Connect(record, false);
  const auto sets = driver.Sets(OID_WLAN_STA_CONFIG);
  ASSERT_EQ(sets.size(), 1u);
  auto expected = config;
  StoreLe32(expected.data() + 12, 2462000);  // channel 11 as its centre frequency
  EXPECT_EQ(sets[0].bytes, expected);

  // J8 goes out as 5040 MHz; a channel the table lacks leaves the driver's words alone.
  for (const auto& [channel, written] : {std::pair{208, 5040000u}, std::pair{99, 0u}, std::pair{0, 0u}}) {
    RecordingDriver rowDriver;
    rowDriver.answers[OID_WLAN_STA_CONFIG] = config;
    WlanSession rowSession(*service, loop, rowDriver);
    ConnectionSettings row = record;
    row.channel = channel;
    rowSession.Connect(row, false);
    const auto rowSets = rowDriver.Sets(OID_WLAN_STA_CONFIG);
    if (written == 0) {
      EXPECT_TRUE(rowSets.empty()) << "channel " << channel;
    } else {
      ASSERT_EQ(rowSets.size(), 1u) << "channel " << channel;
      EXPECT_EQ(LoadLe32(rowSets[0].bytes.data() + 12), written) << "channel " << channel;
    }
  }

  Run(kConnectMs + 100);
  EXPECT_TRUE(association.connected);
  session->ApplyDeferredSettings();
  EXPECT_TRUE(driver.Sets(OID_DOT11_POWER_MGMT_REQUEST).empty()) << "no power saving in ad hoc";
}

// --- 802.1X and the platform's editor ---------------------------------------------------------

TEST_F(ConnectTest, OneXProfileRunsTheEditorAndIgnoresASecondRequestWhileItIsOpen) {
  networks = {MakeNetwork("Corp", "00-0F-00-00-00-09", sim::AuthKind::Wpa2, sim::CipherKind::Aes)};
  Build();
  ConnectionSettings record = MakeRecord("Corp", AuthMode::kWpa2, CipherMode::kAes);
  record.use8021X = 1;

  bool busyInside = false;
  service->SetEditorHook([&] {
    busyInside = session->EditorBusy();
    // The user presses Apply again while the dialog is open.
    EXPECT_EQ(session->Connect(record, false), ProfileConnectPath::kEditorAlreadyOpen);
  });
  ASSERT_EQ(session->Connect(record, false), ProfileConnectPath::kInteractiveEditor);
  EXPECT_TRUE(session->EditorBusy());
  EXPECT_TRUE(service->ConnectCalls().empty()) << "the connect waits for the dialog";
  // And once more before the worker even started.
  EXPECT_EQ(session->Connect(record, false), ProfileConnectPath::kEditorAlreadyOpen);

  loop.DrainMessages();
  EXPECT_TRUE(busyInside);
  EXPECT_FALSE(session->EditorBusy());
  ASSERT_EQ(service->EditorCalls().size(), 1u);
  EXPECT_EQ(service->EditorCalls()[0].name, "Corp");
  EXPECT_EQ(service->EditorCalls()[0].startPage, 1u);
  EXPECT_EQ(service->EditorCalls()[0].owner, window);
  ASSERT_EQ(owner.messages.size(), 2u);
  EXPECT_EQ(owner.messages[0].message, wlan_msg::kEditorState);
  EXPECT_EQ(owner.messages[0].wParam, 0u);
  EXPECT_EQ(owner.messages[1].message, wlan_msg::kEditorState);
  EXPECT_EQ(owner.messages[1].wParam, 1u);
  ASSERT_EQ(service->ConnectCalls().size(), 1u);
  const auto& call = service->ConnectCalls()[0];
  EXPECT_EQ(call.connectionMode, kWlanConnectionModeProfile);
  EXPECT_EQ(call.profile, "Corp");
  EXPECT_FALSE(call.hasSsid);
  EXPECT_EQ(call.bssType, kDot11BssTypeInfrastructure);

  Run(kConnectMs + 100);
  EXPECT_EQ(owner.Count(wlan_msg::kConnectionComplete), 1);
  int oneX = 0;
  session->CurrentOneXEnabled(oneX);
  EXPECT_EQ(oneX, 1);

  // With the dialog closed, the next request opens it again.
  service->SetEditorHook({});
  session->Connect(record, false);
  loop.DrainMessages();
  EXPECT_EQ(service->EditorCalls().size(), 2u);
}

TEST_F(ConnectTest, ConnectFromAWorkerThreadStartsItsTimersOnTheLoopThread) {
  networks = {MakeNetwork("Cafe", "00-0F-00-00-00-02")};
  Build();
  session->Connect(MakeRecord("Cafe", AuthMode::kOpen, CipherMode::kNone), false);
  Run(kConnectMs + 100);
  session->Disconnect();
  loop.DrainMessages();
  owner.messages.clear();
  ASSERT_EQ(loop.ActiveTimerCount(), 0u);

  // What the editor's worker does after the dialog: a profile-mode connect from its own thread.
  DWORD result = 1;
  std::thread worker([&] {
    WlanConnectionParameters parameters;
    parameters.profile = "Cafe";
    result = service->Connect(session->ClientHandle(), kInterfaceGuid, parameters);
  });
  worker.join();
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(loop.ActiveTimerCount(), 0u) << "no timer was started from the worker";
  loop.DrainMessages();
  EXPECT_EQ(loop.ActiveTimerCount(), 2u);
  Run(kConnectMs + 100);
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kConnectionComplete});
}

// --- radio, disconnection, access point leaving -------------------------------------------------

class LinkTest : public ConnectTest {
 protected:
  void ConnectHome() {
    networks = {
        MakeNetwork("Home", "00-11-22-33-44-55", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "correct horse")};
    Build();
    session->Connect(MakeRecord("Home", AuthMode::kWpa2Psk, CipherMode::kAes, "correct horse"), false);
    Run(kConnectMs + 100);
    ASSERT_TRUE(association.connected);
    owner.messages.clear();
  }
};

TEST_F(LinkTest, RadioOffDisconnectsAndRadioOnReconnects) {
  ConnectHome();
  ASSERT_EQ(session->SetRadio(false), 0u);
  loop.DrainMessages();
  // One radio-state change per PHY, then the link drops.
  EXPECT_EQ(owner.Count(wlan_msg::kRadioOff), 4);
  EXPECT_EQ(owner.Count(wlan_msg::kDisconnected), 1);
  EXPECT_EQ(owner.Count(wlan_msg::kRadioOn), 0);
  int radioOn = -1, hardwareOn = -1;
  EXPECT_EQ(session->RadioState(radioOn, hardwareOn), 0u);
  EXPECT_EQ(radioOn, 0);
  EXPECT_EQ(hardwareOn, 1);
  EXPECT_FALSE(association.connected);
  EXPECT_TRUE(association.softwareRadioOff);

  owner.messages.clear();
  ASSERT_EQ(session->SetRadio(true), 0u);
  loop.DrainMessages();
  EXPECT_EQ(owner.Count(wlan_msg::kRadioOn), 4);
  session->RadioState(radioOn, hardwareOn);
  EXPECT_EQ(radioOn, 1);
  // Like the real service, it goes back to the first profile in range.
  Run(sim::SimWlanService::kConnectStartDelayMs + kConnectMs + 100);
  EXPECT_EQ(owner.Count(wlan_msg::kConnectionComplete), 1);
  EXPECT_TRUE(association.connected);
}

TEST_F(LinkTest, HardwareSwitchOffShowsInTheRadioState) {
  ConnectHome();
  service->SetHardwareRadio(kInterfaceGuid, false);
  loop.DrainMessages();
  int radioOn = -1, hardwareOn = -1;
  session->RadioState(radioOn, hardwareOn);
  EXPECT_EQ(radioOn, 0);
  EXPECT_EQ(hardwareOn, 0);
  EXPECT_EQ(owner.Count(wlan_msg::kDisconnected), 1);
  EXPECT_EQ(owner.Count(wlan_msg::kRadioOff), 0) << "the software state did not change";
}

TEST_F(LinkTest, DisconnectNotifiesDisconnected) {
  ConnectHome();
  EXPECT_EQ(session->Disconnect(), 0u);
  loop.DrainMessages();
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kDisconnected});
  SsidRecord ssid;
  ssid.fill(0x5A);
  EXPECT_NE(session->CurrentSsid(ssid), 0u);
  EXPECT_EQ(ssid[0], 0x5A);
}

TEST_F(LinkTest, AccessPointLeavingDropsTheLink) {
  ConnectHome();
  networks.clear();
  service->NetworksChanged();
  loop.DrainMessages();
  EXPECT_EQ(owner.Sequence(), std::vector<UINT>{wlan_msg::kDisconnected});
  EXPECT_FALSE(association.connected);
  int connected = 1;
  session->IsConnected(connected);
  EXPECT_EQ(connected, 0);
}

TEST_F(LinkTest, DisconnectWhileConnectingCancelsTheAttempt) {
  networks = {MakeNetwork("Cafe", "00-0F-00-00-00-02")};
  Build();
  session->Connect(MakeRecord("Cafe", AuthMode::kOpen, CipherMode::kNone), false);
  Run(kConnectMs / 2);
  session->Disconnect();
  Run(kConnectMs + 100);
  EXPECT_EQ(owner.Count(wlan_msg::kConnectionComplete), 0);
  EXPECT_FALSE(association.connected);
}

// --- the simulated world: auto-connect at start and the persisted profile list --------------

sim::Scenario WorldScenario() {
  sim::Scenario scenario;
  scenario.adapters.push_back(sim::ScenarioAdapter{});
  scenario.networks = {
      MakeNetwork("Home", "00-11-22-33-44-55", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "correct horse"),
      MakeNetwork("Cafe", "00-0F-00-00-00-02")};
  return scenario;
}

class WorldTest : public ::testing::Test {
 protected:
  void SetUp() override { options.stateDirectory = MakeTempDirectory().string(); }
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(options.stateDirectory, error);
  }
  std::unique_ptr<sim::SimWorld> Create(const sim::Scenario& scenario) {
    std::string error;
    auto world = sim::SimWorld::Create(scenario, loop, options, error);
    EXPECT_TRUE(world) << error;
    return world;
  }
  VirtualEventLoop loop;
  sim::SimOptions options;
};

TEST_F(WorldTest, ServiceConnectsToTheFirstListedProfileInRangeAtStart) {
  auto scenario = WorldScenario();
  scenario.platformProfiles = {{"Gone", std::nullopt, 0}, {"Home", std::nullopt, 0}, {"Cafe", std::nullopt, 0}};
  auto world = Create(scenario);
  ASSERT_TRUE(world);
  EXPECT_FALSE(world->association(0).connected);
  loop.AdvanceBy(sim::SimWlanService::kConnectDelayMs + 10);
  ASSERT_TRUE(world->association(0).connected);
  EXPECT_EQ(std::string(world->association(0).ssid.begin(), world->association(0).ssid.end()), "Home");

  // The session of the utility finds it connected.
  RecordingDriver driver;
  RecordingWindow owner(loop);
  WlanSession session(world->wlan(), loop, driver);
  ASSERT_EQ(session.Open(), 0u);
  ASSERT_EQ(session.Start(world->adapter(0).friendlyName, loop.CreateWindow(owner), false), 0u);
  int connected = 0;
  EXPECT_EQ(session.IsConnected(connected), 0u);
  EXPECT_EQ(connected, 1);
}

TEST_F(WorldTest, ProfileListSurvivesARestartOfTheMachine) {
  auto scenario = WorldScenario();
  scenario.platformProfiles = {{"Home", std::nullopt, 0}};
  {
    auto world = Create(scenario);
    ASSERT_TRUE(world);
    WlanHandle handle = 0;
    DWORD version = 0;
    ASSERT_EQ(world->wlan().OpenHandle(2, version, handle), 0u);
    const Guid guid = *Guid::Parse(world->adapter(0).instanceId);
    ASSERT_EQ(world->wlan().DeleteProfile(handle, guid, "Home"), 0u);
    DWORD reason = 0;
    sim::ScenarioNetwork cafe = MakeNetwork("Cafe", "00-0F-00-00-00-02");
    ASSERT_EQ(world->wlan().SetProfile(handle, guid, 2, sim::SimWlanProfileXml(cafe), true, reason), 0u);
  }
  // The scenario's seed is not applied again: the persisted list wins.
  auto world = Create(scenario);
  ASSERT_TRUE(world);
  loop.AdvanceBy(sim::SimWlanService::kConnectDelayMs + 10);
  ASSERT_TRUE(world->association(0).connected);
  EXPECT_EQ(std::string(world->association(0).ssid.begin(), world->association(0).ssid.end()), "Cafe");
}

TEST_F(WorldTest, ServiceSwitchedOffByTheScenario) {
  auto scenario = WorldScenario();
  scenario.wlanServiceRunning = false;
  scenario.platformProfiles = {{"Home", std::nullopt, 0}};
  auto world = Create(scenario);
  ASSERT_TRUE(world);
  loop.AdvanceBy(5000);
  EXPECT_FALSE(world->association(0).connected);
  RecordingDriver driver;
  WlanSession session(world->wlan(), loop, driver);
  EXPECT_EQ(session.Open(), static_cast<DWORD>(kErrorServiceNotActive));
  session.Start(world->adapter(0).friendlyName, 0, false);
  EXPECT_FALSE(session.ServiceAvailable());
}

TEST_F(WorldTest, UnplugRemovesTheInterfaceAndRemoveNetworkEventDropsTheLink) {
  auto scenario = WorldScenario();
  scenario.platformProfiles = {{"Cafe", std::nullopt, 0}};
  sim::ScenarioEvent leave;
  leave.at = 3;
  leave.action = sim::EventAction::RemoveNetwork;
  leave.bssid = test::Mac("00-0F-00-00-00-02");
  scenario.events = {leave};
  auto world = Create(scenario);
  ASSERT_TRUE(world);
  RecordingDriver driver;
  RecordingWindow owner(loop);
  WlanSession session(world->wlan(), loop, driver);
  session.Open();
  session.Start(world->adapter(0).friendlyName, loop.CreateWindow(owner), false);
  loop.AdvanceBy(2000);
  EXPECT_TRUE(world->association(0).connected);
  loop.AdvanceBy(1500);
  EXPECT_FALSE(world->association(0).connected);
  EXPECT_EQ(owner.Count(wlan_msg::kDisconnected), 1);

  world->Unplug(0);
  std::vector<WlanInterfaceInfo> interfaces;
  world->wlan().EnumInterfaces(session.ClientHandle(), interfaces);
  EXPECT_TRUE(interfaces.empty());
  world->Plug(0);
  loop.DrainMessages();
  world->wlan().EnumInterfaces(session.ClientHandle(), interfaces);
  EXPECT_EQ(interfaces.size(), 1u);
  EXPECT_EQ(owner.Count(wlan_msg::kInterfaceArrival), 1);
}

TEST_F(WorldTest, DefaultScenarioStartsConnectedInABusyNeighbourhood) {
  const auto loaded = sim::ScenarioLoader::LoadEmbedded();
  ASSERT_TRUE(loaded.ok) << loaded.error;
  auto world = Create(loaded.scenario);
  ASSERT_TRUE(world);
  RecordingDriver driver;
  RecordingWindow owner(loop);
  WlanSession session(world->wlan(), loop, driver);
  ASSERT_EQ(session.Open(), 0u);
  ASSERT_EQ(session.Start(world->adapter(0).friendlyName, loop.CreateWindow(owner), false), 0u);
  loop.AdvanceBy(sim::SimWlanService::kConnectDelayMs + 10);
  int connected = 0;
  session.IsConnected(connected);
  EXPECT_EQ(connected, 1);
  DWORD auth = 0;
  session.CurrentAuthAlgorithm(auth);
  EXPECT_EQ(auth, kDot11AuthRsnaPsk);

  session.Scan();
  loop.AdvanceBy(sim::SimWlanService::kScanDelayMs);
  std::vector<std::uint8_t> buffer(bssid_ex::kScanBufferSize);
  ASSERT_EQ(session.BuildScanList(buffer), 0u);
  const std::uint32_t count = LoadLe32(buffer.data());
  EXPECT_EQ(count, loaded.scenario.networks.size()) << "every access point once, the hidden one included";
  // Walk the entries: each length covers its elements, and the J8 and HT40 ones carry their frequency.
  std::size_t offset = 4;
  bool sawJ8 = false, saw5GHz = false, sawHidden = false, sawIbss = false;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* e = buffer.data() + offset;
    const std::uint32_t length = LoadLe32(e);
    ASSERT_EQ(length, 116u + LoadLe32(e + bssid_ex::kIeLength));
    const std::uint32_t frequency = LoadLe32(e + bssid_ex::kDsConfig);
    sawJ8 |= frequency == 5040000;
    saw5GHz |= frequency == 5180000;
    sawHidden |= LoadLe32(e + bssid_ex::kSsidLength) == 0;
    sawIbss |= LoadLe32(e + bssid_ex::kInfrastructureMode) == bssid_ex::kModeIbss;
    offset += length;
  }
  EXPECT_TRUE(sawJ8 && saw5GHz && sawHidden && sawIbss);
}

}  // namespace
}  // namespace nxui::testing
