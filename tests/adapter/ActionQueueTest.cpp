#include "adapter/ActionQueue.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../wlan/WlanFixture.h"
#include "adapter/WirelessMode.h"

namespace nxui::testing {
namespace {

class FakeHost final : public ActionQueueHost {
 public:
  std::int32_t WirelessMode() override { return wirelessMode; }
  std::int32_t UsableWirelessMode(std::int32_t mode) override { return NormaliseWirelessMode(mode, true, true); }
  bool RegionConfigured() override { return regionConfigured; }
  std::uint32_t CleanedRegionWord() override { return cleanedRegion; }
  void ValidateChannel() override { calls.push_back("validate"); }
  std::uint32_t Ccx2Control() override { return ccx2; }
  std::array<std::uint32_t, 8> DefaultPhyConfig() override { return defaultPhy; }
  std::uint32_t HtTransmitSetting() override { return htTransmit; }
  bool WpsCredentialsInForce() override { return wps; }
  Dot11MacAddress WpsTargetBssid() override { return wpsTarget; }
  void ClearAdapterChanged() override { calls.push_back("adapter-changed"); }
  void ClearIcvError() override { calls.push_back("icv"); }
  void SetScanPending() override { calls.push_back("scan-pending"); }
  DWORD StartScan() override {
    calls.push_back("scan");
    return 0;
  }
  void StartConnect(const ConnectionSettings& record, bool fromWps) override {
    calls.push_back(std::string("connect ") + static_cast<char>(record.ssid[0]) + (fromWps ? " wps" : ""));
  }

  std::int32_t wirelessMode = 3;
  bool regionConfigured = false;
  std::uint32_t cleanedRegion = 0x0105;
  std::uint32_t ccx2 = 0x0520;
  std::array<std::uint32_t, 8> defaultPhy = {1, 2, 3, 4, 5, 6, 7, 8};
  std::uint32_t htTransmit = 0;
  bool wps = false;
  Dot11MacAddress wpsTarget = {0x00, 0x50, 0xF2, 0x00, 0x00, 0x01};
  std::vector<std::string> calls;
};

std::unique_ptr<ConnectionSettings> Record(char id, std::int32_t passwordMode = 1, std::int32_t tunnel = 0) {
  auto r = std::make_unique<ConnectionSettings>(MakeRecord(std::string(1, id), AuthMode::kOpen, CipherMode::kNone));
  r->passwordMode = passwordMode;
  r->peapTunnelProtocol = tunnel;
  return r;
}

// "S" for a scan, the record's id for a connect; a connect without a record fails the test that
// asked (and reads as "?") instead of ending the whole test program.
std::string Describe(const ActionQueue& queue) {
  std::string text;
  for (std::size_t i = 0; i < queue.Size(); ++i) {
    const auto& entry = queue.At(i);
    if (!text.empty()) text += ",";
    if (entry.type == ActionType::Scan) {
      text += "S";
    } else if (entry.data == nullptr) {
      ADD_FAILURE() << "connect entry " << i << " has no record";
      text += "?";
    } else {
      text += static_cast<char>(entry.data->ssid[0]);
    }
  }
  return text;
}

class ActionQueueTest : public ::testing::Test {
 protected:
  VirtualEventLoop loop;
  FakeHost host;
  RecordingDriver driver;
  ActionQueue queue{host, driver, loop};
};

// --- merging and the decision ---------------------------------------------------------------

struct Step {
  char action;  // 'S' scan, else a connect record with that id; lower case: PasswordMode 0 + TunnelProtocol 6
  bool runNow;
  std::string queueAfter;
};

TEST_F(ActionQueueTest, MergesAndDecidesAsRequestsArrive) {
  struct Row {
    const char* name;
    std::vector<Step> steps;
  };
  const std::vector<Row> rows = {
      {"two scans in a row leave one", {{'S', true, "S"}, {'S', true, "S"}}},
      {"two connects keep the newer record", {{'A', true, "A"}, {'B', true, "B"}}},
      {"connects behind a scan at the head: only the newer survives",
       {{'S', true, "S"}, {'A', false, "S,A"}, {'B', false, "S,B"}}},
      {"scan behind a connect runs", {{'A', true, "A"}, {'S', true, "A,S"}}},
      {"scan behind an 802.1X connect without a stored password waits", {{'a', true, "a"}, {'S', false, "a,S"}}},
      {"the newest connect takes the place of the queued one",
       {{'A', true, "A"}, {'S', true, "A,S"}, {'B', true, "B,S"}}},
      {"a new scan drops the queued scan and goes last", {{'S', true, "S"}, {'A', false, "S,A"}, {'S', true, "A,S"}}},
  };
  for (const auto& row : rows) {
    VirtualEventLoop rowLoop;
    FakeHost rowHost;
    RecordingDriver rowDriver;
    ActionQueue rowQueue(rowHost, rowDriver, rowLoop);
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
      const Step& step = row.steps[i];
      bool runNow = false;
      if (step.action == 'S') {
        runNow = rowQueue.QueueAction(ActionType::Scan);
      } else {
        const bool hold = std::islower(static_cast<unsigned char>(step.action)) != 0;
        runNow = rowQueue.QueueAction(ActionType::Connect, Record(step.action, hold ? 0 : 1, hold ? 6 : 0));
      }
      EXPECT_EQ(runNow, step.runNow) << row.name << ", step " << i;
      EXPECT_EQ(Describe(rowQueue), step.queueAfter) << row.name << ", step " << i;
    }
  }
}

TEST_F(ActionQueueTest, ConnectRequestKeepsACopyAsTheCurrentConnection) {
  EXPECT_EQ(queue.CurrentConnection(), nullptr);
  queue.QueueAction(ActionType::Scan);
  EXPECT_TRUE(host.calls.empty()) << "a scan does not touch the adapter-changed flag";
  queue.QueueAction(ActionType::Connect, Record('A'));
  queue.QueueAction(ActionType::Connect, Record('B'));
  ASSERT_NE(queue.CurrentConnection(), nullptr);
  EXPECT_EQ(queue.CurrentConnection()->ssid[0], 'B');
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "adapter-changed"), 2);
  queue.RunQueue();  // runs the scan and stops; the record's memory is the entry's, the copy stays
  EXPECT_EQ(queue.CurrentConnection()->ssid[0], 'B');
}

TEST_F(ActionQueueTest, ScanAtTheHeadBlocksUntilTheNextRequest) {
  queue.QueueAction(ActionType::Scan);
  queue.QueueAction(ActionType::Connect, Record('A'));
  queue.RunQueue();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"adapter-changed", "scan-pending", "scan"}));
  EXPECT_EQ(Describe(queue), "A");
  EXPECT_TRUE(driver.requests.empty());
  host.calls.clear();
  ASSERT_TRUE(queue.QueueAction(ActionType::Scan));
  queue.RunQueue();
  EXPECT_EQ(host.calls.front(), "connect A");
  EXPECT_EQ(host.calls.back(), "scan");
  EXPECT_EQ(Describe(queue), "");
}

TEST_F(ActionQueueTest, ConnectWithoutARecordIsSkippedAndTheHelperReportsIt) {
  EXPECT_TRUE(queue.QueueAction(ActionType::Connect, nullptr));
  std::string described;
  EXPECT_NONFATAL_FAILURE(described = Describe(queue), "has no record");
  EXPECT_EQ(described, "?");
  EXPECT_EQ(queue.CurrentConnection(), nullptr);
  queue.RunQueue();
  EXPECT_EQ(queue.Size(), 0u);
  EXPECT_TRUE(driver.requests.empty()) << "an entry without a record sends nothing";
}

// --- the driver-side connect sequence -------------------------------------------------------

TEST_F(ActionQueueTest, RegistryRadioParametersThenSsidTarget) {
  auto record = Record('H');
  record->useRegistryRadio = 1;
  record->wirelessMode = 3;
  record->phyConfig = {10, 11, 12, 13, 14, 15, 16, 17};
  record->regionWord = 0x0705;
  record->ccxControl = 0x0520;
  record->desiredRates = {108, 96, 72, 48, 22, 11, 4, 2};
  host.regionConfigured = true;
  queue.QueueAction(ActionType::Connect, std::move(record));
  queue.RunQueue();

  EXPECT_EQ(driver.SetOrder(), (std::vector<Oid>{OID_WLAN_WIRELESS_MODE, OID_WLAN_PHY_CONFIG, OID_WLAN_COUNTRY_REGION,
                                                 OID_802_11_DESIRED_RATES, OID_WLAN_SUPPORTEDRATES,
                                                 OID_WLAN_CCX_CONTROL, OID_802_11_SSID, OID_WLAN_CCX_CONTROL}));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"adapter-changed", "connect H", "validate", "icv"}));
  EXPECT_EQ(driver.Sets(OID_WLAN_WIRELESS_MODE)[0].U32(), 3u);
  const auto phy = driver.Sets(OID_WLAN_PHY_CONFIG)[0].bytes;
  ASSERT_EQ(phy.size(), 32u);
  EXPECT_EQ(LoadLe32(phy.data() + 20), 15u);
  EXPECT_EQ(LoadLe32(phy.data() + 24), 0u) << "word 6 is cleared";
  EXPECT_EQ(LoadLe32(phy.data() + 28), 17u);
  EXPECT_EQ(driver.Sets(OID_WLAN_COUNTRY_REGION)[0].U32(), 0x0705u);
  EXPECT_EQ(driver.Sets(OID_802_11_DESIRED_RATES)[0].bytes, (std::vector<std::uint8_t>{108, 96, 72, 48, 22, 11, 4, 2}));
  const std::vector<std::uint8_t> rateSet = {8, 0x82, 0x84, 0x8B, 0x96, 0x12, 0x24, 0x48, 0x6C, 0, 0, 0, 0,
                                             4, 0x8C, 0x98, 0xB0, 0x60, 0,    0,    0,    0,    0, 0, 0, 0};
  EXPECT_EQ(driver.Sets(OID_WLAN_SUPPORTEDRATES)[0].bytes, rateSet);
  // Record's CCX word for an SSID target goes unchanged; so does the "CCX2Control" one.
  EXPECT_EQ(driver.Sets(OID_WLAN_CCX_CONTROL)[0].U32(), 0x0520u);
  EXPECT_EQ(driver.Sets(OID_WLAN_CCX_CONTROL)[1].U32(), 0x0520u);
  const auto ssid = driver.Sets(OID_802_11_SSID)[0].bytes;
  ASSERT_EQ(ssid.size(), 36u);
  EXPECT_EQ(LoadLe32(ssid.data()), 1u);
  EXPECT_EQ(ssid[4], 'H');
  EXPECT_TRUE(std::all_of(ssid.begin() + 5, ssid.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(ActionQueueTest, KeptWirelessModeAndModesWithoutRateSets) {
  for (std::int32_t mode : {5, 6, 9}) {
    RecordingDriver rowDriver;
    ActionQueue rowQueue(host, rowDriver, loop);
    auto record = Record('N');
    record->useRegistryRadio = 1;
    record->keepWirelessMode = 1;
    record->wirelessMode = mode;
    rowQueue.QueueAction(ActionType::Connect, std::move(record));
    rowQueue.RunQueue();
    EXPECT_EQ(rowDriver.SetOrder(),
              (std::vector<Oid>{OID_WLAN_PHY_CONFIG, OID_WLAN_CCX_CONTROL, OID_802_11_SSID, OID_WLAN_CCX_CONTROL}))
        << "mode " << mode;
  }
}

// A record's registry mode goes to the driver as it is; its rate set is the normalised mode's.
TEST_F(ActionQueueTest, RegistryRadioRateSetFollowsTheUsableMode) {
  struct Row {
    std::int32_t mode;
    std::uint8_t rates;     // byte 0 of the rate set
    std::uint8_t extended;  // byte 13
  };
  for (const Row& row : {Row{7, 8, 0}, Row{8, 8, 0}, Row{10, 8, 0}, Row{0, 8, 4}, Row{1, 4, 0}}) {
    RecordingDriver rowDriver;
    ActionQueue rowQueue(host, rowDriver, loop);
    auto record = Record('M');
    record->useRegistryRadio = 1;
    record->wirelessMode = row.mode;
    rowQueue.QueueAction(ActionType::Connect, std::move(record));
    rowQueue.RunQueue();
    EXPECT_EQ(rowDriver.Sets(OID_WLAN_WIRELESS_MODE).at(0).U32(), static_cast<std::uint32_t>(row.mode));
    const auto sets = rowDriver.Sets(OID_WLAN_SUPPORTEDRATES);
    ASSERT_EQ(sets.size(), 1u) << "mode " << row.mode;
    EXPECT_EQ(sets[0].bytes[0], row.rates) << "mode " << row.mode;
    EXPECT_EQ(sets[0].bytes[13], row.extended) << "mode " << row.mode;
  }
}

TEST_F(ActionQueueTest, DefaultRadioParametersByWirelessMode) {
  struct Row {
    std::int32_t mode;
    std::uint32_t htTransmit;
    std::vector<std::uint8_t> desired;
    bool rateSet;
  };
  const std::vector<Row> rows = {
      {1, 0, {22, 11, 4, 2, 0, 0, 0, 0}, true},
      {2, 0, {108, 96, 72, 48, 36, 24, 18, 12}, true},
      {4, 0, {108, 96, 72, 48, 36, 24, 18, 12}, true},
      {5, 0x21u << 4, {108, 96, 72, 48, 22, 11, 4, 2}, false},
      {6, (0x21u << 4) | 0x800F, {108, 96, 72, 48, 22, 11, 4, 2}, false},
      {9, 0x20u << 4, {108, 0, 0, 0, 0, 0, 0, 0}, false},
      {9, 0x61u << 4, {108, 0, 0, 0, 0, 0, 0, 0}, false},
      {0, 0, {108, 96, 72, 48, 22, 11, 4, 2}, true},
      {3, 0, {108, 96, 72, 48, 22, 11, 4, 2}, true},
  };
  for (const auto& row : rows) {
    RecordingDriver rowDriver;
    host.wirelessMode = row.mode;
    host.htTransmit = row.htTransmit;
    ActionQueue rowQueue(host, rowDriver, loop);
    rowQueue.QueueAction(ActionType::Connect, Record('D'));
    rowQueue.RunQueue();
    const auto desired = rowDriver.Sets(OID_802_11_DESIRED_RATES);
    ASSERT_EQ(desired.size(), 1u) << "mode " << row.mode;
    EXPECT_EQ(desired[0].bytes, row.desired) << "mode " << row.mode;
    EXPECT_EQ(rowDriver.Sets(OID_WLAN_SUPPORTEDRATES).size(), row.rateSet ? 1u : 0u) << "mode " << row.mode;
    const auto phy = rowDriver.Sets(OID_WLAN_PHY_CONFIG).at(0).bytes;
    EXPECT_EQ(LoadLe32(phy.data()), 1u);
    EXPECT_EQ(LoadLe32(phy.data() + 24), 0u) << "word 6 of the defaults is cleared too";
    EXPECT_TRUE(rowDriver.Sets(OID_WLAN_WIRELESS_MODE).empty());
  }
}

TEST_F(ActionQueueTest, DefaultPathSendsTheCleanedRegionWhenConfigured) {
  host.regionConfigured = true;
  queue.QueueAction(ActionType::Connect, Record('R'));
  queue.RunQueue();
  ASSERT_EQ(driver.Sets(OID_WLAN_COUNTRY_REGION).size(), 1u);
  EXPECT_EQ(driver.Sets(OID_WLAN_COUNTRY_REGION)[0].U32(), 0x0105u);
  EXPECT_NE(std::find(host.calls.begin(), host.calls.end(), "validate"), host.calls.end());
}

TEST_F(ActionQueueTest, BssidTargetWritesTheChannelAndSendsCcxWithTheFlagOff) {
  std::vector<std::uint8_t> configuration(32);
  StoreLe32(configuration.data(), 32);
  StoreLe32(configuration.data() + 4, 100);
  StoreLe32(configuration.data() + 12, 2412000);
  driver.answers[OID_802_11_CONFIGURATION] = configuration;
  auto record = Record('B');
  record->byBssid = 1;
  record->bssid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  record->channel = 11;
  record->fromProfile = 0;
  host.ccx2 = 0x0527;
  queue.QueueAction(ActionType::Connect, std::move(record));
  queue.RunQueue();

  auto expected = configuration;
  StoreLe32(expected.data() + 12, 2462000);  // channel 11 as the field's kHz
  ASSERT_EQ(driver.Sets(OID_802_11_CONFIGURATION).size(), 1u);
  EXPECT_EQ(driver.Sets(OID_802_11_CONFIGURATION)[0].bytes, expected);
  EXPECT_EQ(driver.Sets(OID_802_11_BSSID).at(0).bytes, (std::vector<std::uint8_t>{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));
  EXPECT_TRUE(driver.Sets(OID_802_11_SSID).empty());
  EXPECT_EQ(driver.Sets(OID_WLAN_CCX_CONTROL).back().U32(), (0x0527u & ~0x520u) | 0xFA00u);
  EXPECT_EQ(std::find(host.calls.begin(), host.calls.end(), "connect B"), host.calls.end())
      << "no platform connection for a record that is not a stored profile";

  // Without the driver's configuration nothing is written back.
  driver.answers.clear();
  driver.requests.clear();
  auto again = Record('B');
  again->byBssid = 1;
  queue.QueueAction(ActionType::Connect, std::move(again));
  queue.RunQueue();
  EXPECT_TRUE(driver.Sets(OID_802_11_CONFIGURATION).empty());
  EXPECT_EQ(driver.Sets(OID_802_11_BSSID).size(), 1u);
}

TEST_F(ActionQueueTest, ConfigurationChannelIsWrittenAsItsFrequency) {
  struct Row {
    std::int32_t channel;
    std::uint32_t written;  // 0: the configuration is left alone
  };
  for (const Row& row :
       {Row{1, 2412000}, Row{14, 2484000}, Row{36, 5180000}, Row{208, 5040000}, Row{0, 0}, Row{99, 0}}) {
    RecordingDriver rowDriver;
    rowDriver.answers[OID_802_11_CONFIGURATION] = std::vector<std::uint8_t>(32, 0x11);
    ActionQueue rowQueue(host, rowDriver, loop);
    auto record = Record('C');
    record->byBssid = 1;
    record->channel = row.channel;
    rowQueue.QueueAction(ActionType::Connect, std::move(record));
    rowQueue.RunQueue();
    const auto sets = rowDriver.Sets(OID_802_11_CONFIGURATION);
    if (row.written == 0) {
      EXPECT_TRUE(sets.empty()) << "channel " << row.channel;
    } else {
      ASSERT_EQ(sets.size(), 1u) << "channel " << row.channel;
      EXPECT_EQ(LoadLe32(sets[0].bytes.data() + 12), row.written) << "channel " << row.channel;
      EXPECT_EQ(LoadLe32(sets[0].bytes.data() + 4), 0x11111111u) << "other fields kept";
    }
  }
}

TEST_F(ActionQueueTest, CcxWordFlagRule) {
  struct Row {
    std::uint32_t word;
    int flag;
    std::uint32_t sent;
  };
  for (const Row& row : {Row{0x0520, 1, 0x0520}, Row{0x0520, 0, 0xFA00}, Row{0xFFFF, 0, 0xFADF}, Row{0x0000, 2, 0xFA00},
                         Row{0x10000, 0, 0x1FA00}, Row{0x0001, 1, 0x0001}}) {
    EXPECT_EQ(CcxWordToSend(row.word, row.flag), row.sent) << std::hex << row.word << " flag " << row.flag;
  }
}

TEST_F(ActionQueueTest, WpsTargetIsSetAfterItsWaitAndTheQueueResumesThen) {
  host.wps = true;
  driver.answers[OID_802_11_CONFIGURATION] = std::vector<std::uint8_t>(32, 0);
  auto record = Record('W');
  record->channel = 6;
  queue.QueueAction(ActionType::Connect, std::move(record));
  queue.RunQueue();
  EXPECT_EQ(host.calls[1], "connect W wps");
  EXPECT_EQ(driver.Sets(OID_802_11_CONFIGURATION).size(), 1u);
  EXPECT_TRUE(driver.Sets(OID_802_11_BSSID).empty());
  EXPECT_TRUE(queue.Waiting());

  // A request arriving during the wait queues up but does not overtake.
  EXPECT_TRUE(queue.QueueAction(ActionType::Scan));
  queue.RunQueue();
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "scan"), 0);

  loop.AdvanceBy(ActionQueue::kWpsBssidDelayMs - 1);
  EXPECT_TRUE(driver.Sets(OID_802_11_BSSID).empty());
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "icv"), 0);
  loop.AdvanceBy(1);
  ASSERT_EQ(driver.Sets(OID_802_11_BSSID).size(), 1u);
  EXPECT_EQ(driver.Sets(OID_802_11_BSSID)[0].bytes, (std::vector<std::uint8_t>{0x00, 0x50, 0xF2, 0x00, 0x00, 0x01}));
  EXPECT_TRUE(driver.Sets(OID_802_11_SSID).empty());
  EXPECT_EQ(driver.Sets(OID_WLAN_CCX_CONTROL).back().U32(), 0x0520u) << "flag on for the SSID case";
  EXPECT_FALSE(queue.Waiting());
  EXPECT_EQ(host.calls.back(), "scan") << "the queue went on after the wait";
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);
}

TEST_F(ActionQueueTest, PlatformConnectionOnlyForStoredProfilesWithAName) {
  auto noName = Record('X');
  noName->ssidLength = 0;
  queue.QueueAction(ActionType::Connect, std::move(noName));
  queue.RunQueue();
  auto notProfile = Record('Y');
  notProfile->fromProfile = 0;
  queue.QueueAction(ActionType::Connect, std::move(notProfile));
  queue.RunQueue();
  for (const auto& call : host.calls) EXPECT_NE(call.rfind("connect", 0), 0u) << call;
  EXPECT_EQ(driver.Sets(OID_802_11_SSID).size(), 2u) << "the driver is still targeted";
}

TEST(SupportedRateSet, ByWirelessMode) {
  for (std::int32_t mode = -1; mode <= 12; ++mode) {
    const auto set = SupportedRateSet(mode);
    if (mode == 5 || mode == 6 || mode == 9) {
      EXPECT_FALSE(set) << mode;
      continue;
    }
    ASSERT_TRUE(set) << mode;
    const std::uint8_t count = (*set)[0];
    const std::uint8_t extended = (*set)[13];
    EXPECT_EQ(count, mode == 1 ? 4 : 8) << mode;
    EXPECT_EQ(extended, (mode == 1 || mode == 2 || mode == 4) ? 0 : 4) << mode;
    for (std::size_t i = 1 + count; i < 13; ++i) EXPECT_EQ((*set)[i], 0) << mode << " byte " << i;
    for (std::size_t i = 14u + extended; i < 26; ++i) EXPECT_EQ((*set)[i], 0) << mode << " byte " << i;
  }
  const auto a = SupportedRateSet(2);
  EXPECT_EQ((*a)[1], 0x8C);
  EXPECT_EQ((*a)[8], 0x6C);
}

// --- end to end: merging while a scan is pending, on the simulated service --------------------

class SessionHost final : public ActionQueueHost {
 public:
  explicit SessionHost(WlanSession& session) : session_(session) {}
  std::int32_t WirelessMode() override { return 5; }
  std::int32_t UsableWirelessMode(std::int32_t mode) override { return mode; }
  bool RegionConfigured() override { return false; }
  std::uint32_t CleanedRegionWord() override { return 0; }
  void ValidateChannel() override {}
  std::uint32_t Ccx2Control() override { return 0; }
  std::array<std::uint32_t, 8> DefaultPhyConfig() override { return {}; }
  std::uint32_t HtTransmitSetting() override { return 0; }
  bool WpsCredentialsInForce() override { return wps; }
  Dot11MacAddress WpsTargetBssid() override { return {0x00, 0x0F, 0x00, 0x00, 0x00, 0x02}; }
  void ClearAdapterChanged() override {}
  void ClearIcvError() override {}
  void SetScanPending() override { scanPending = true; }
  DWORD StartScan() override { return session_.Scan(); }
  void StartConnect(const ConnectionSettings& record, bool fromWps) override { session_.Connect(record, fromWps); }
  bool wps = false;
  bool scanPending = false;

 private:
  WlanSession& session_;
};

class QueueOnServiceTest : public WlanFixture {};

TEST_F(QueueOnServiceTest, ConnectsQueuedBehindAPendingScanMergeToTheNewest) {
  networks = {MakeNetwork("W", "00-0F-00-00-00-02"), MakeNetwork("A", "00-0F-00-00-00-03"),
              MakeNetwork("B", "00-0F-00-00-00-04")};
  Build();
  SessionHost host(*session);
  ActionQueue actions(host, driver, loop);
  owner.handler = [&](UINT message, WPARAM) {
    if (message == wlan_msg::kScanComplete) host.scanPending = false;
  };

  // A WPS connection holds the queue for its target wait.
  host.wps = true;
  driver.answers[OID_802_11_CONFIGURATION] = std::vector<std::uint8_t>(32, 0);
  ASSERT_TRUE(actions.QueueAction(ActionType::Connect, Record('W')));
  actions.RunQueue();
  host.wps = false;
  // The survey's rescan, then two profile activations while the scan waits at the head.
  if (actions.QueueAction(ActionType::Scan)) actions.RunQueue();
  EXPECT_FALSE(actions.QueueAction(ActionType::Connect, Record('A')));
  EXPECT_FALSE(actions.QueueAction(ActionType::Connect, Record('B')));
  EXPECT_EQ(Describe(actions), "S,B");

  loop.AdvanceBy(ActionQueue::kWpsBssidDelayMs);
  EXPECT_TRUE(host.scanPending) << "the scan ran after the wait";
  EXPECT_EQ(Describe(actions), "B") << "and blocks the connect behind it";
  loop.AdvanceBy(sim::SimWlanService::kScanDelayMs);
  EXPECT_FALSE(host.scanPending);
  EXPECT_EQ(owner.Count(wlan_msg::kScanComplete), 1);

  // The next request works the queue off.
  EXPECT_TRUE(actions.QueueAction(ActionType::Scan));
  actions.RunQueue();
  loop.AdvanceBy(sim::SimWlanService::kScanDelayMs + 100);

  std::vector<std::string> profiles;
  for (const auto& call : service->ConnectCalls()) profiles.push_back(call.profile);
  EXPECT_EQ(profiles, (std::vector<std::string>{"W", "B"})) << "A never reached the platform";
  EXPECT_TRUE(association.connected);
  EXPECT_EQ(std::string(association.ssid.begin(), association.ssid.end()), "B");
  EXPECT_EQ(service->ScanCount(), 2u);
}

}  // namespace
}  // namespace nxui::testing
