#include <gtest/gtest.h>

#include "monitor/CLinkStatusDlg.h"
#include "monitor/MonitorFakes.h"

namespace nxui::test {
namespace {

constexpr std::uint32_t kHtWord20Mcs7 = 0x8007;       // HT, 20 MHz, long GI, MCS 7: 65.0
constexpr std::uint32_t kHtWord40ShortStbc = 0x8787;  // HT, 40 MHz, short GI, STBC, MCS 7: 150.0
constexpr std::uint32_t kOfdm54 = 0x4007;

class LinkStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& d = w.driver;
    d.Bytes(OID_802_3_CURRENT_ADDRESS, {0x00, 0x0C, 0x43, 0x30, 0x72, 0x81});
    d.Word(OID_WLAN_RSSI0, -60);
    d.Word(OID_WLAN_RSSI1, -62);
    d.Word(OID_WLAN_RSSI2, -200);
    d.Word(OID_WLAN_SNR0, 30);
    d.Word(OID_WLAN_SNR1, 28);
    d.Word(OID_WLAN_NOISE, 51);
    d.Word(OID_WLAN_TX_HTRATE, kHtWord20Mcs7);
    d.Word(OID_WLAN_RXRATE, kHtWord20Mcs7);
    d.Word(OID_WLAN_LAST_EVENT, 0);
    d.Word(OID_WLAN_TX_POWER, 100);
    d.Bytes(OID_WLAN_AP_IP_ADDRESS, {192, 168, 1, 1});
    d.LinkStatus(108, 50, 1000, 2000, 8);

    auto& c = w.wlan.connection;
    c.ssid = Dot11Ssid::FromText("Home");
    c.bssid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    c.bssType = kDot11BssTypeInfrastructure;
    c.authAlgorithm = kDot11AuthRsnaPsk;
    c.cipherAlgorithm = kDot11CipherCcmp;

    IpAdapterInfo ip;
    ip.hardwareAddress = {0x00, 0x0C, 0x43, 0x30, 0x72, 0x81};
    ip.ipAddresses = {"192.168.1.23"};
    ip.ipMasks = {"255.255.255.0"};
    ip.gateways = {"192.168.1.1"};
    w.ipHelper.adapters = {ip};
  }

  CLinkStatusDlg& Page() {
    if (!page) {
      page = std::make_unique<CLinkStatusDlg>(w.platform, w.context, w.driver, w.session, w.strings, w.host);
      page->OnInitDialog();
      page->OnShow();
    }
    return *page;
  }
  const LinkStatusState& Tick() {
    Page().Refresh();
    return page->State();
  }
  void SetCounters(std::uint32_t tx, std::uint32_t rx) { w.driver.LinkStatus(108, 50, tx, rx, 8); }

  FakeWorld w;
  std::unique_ptr<CLinkStatusDlg> page;
};

TEST_F(LinkStatusTest, ConnectedRefreshFillsEveryField) {
  const auto& s = Tick();
  EXPECT_EQ(s.texts.status, "Home <--> 00-11-22-33-44-55 [192.168.1.1]");
  EXPECT_EQ(s.texts.extraInfo, "Link is Up [传输功率:100%]");
  EXPECT_EQ(s.texts.channel, "6 <--> 2437 MHz");
  EXPECT_EQ(s.texts.authentication, "WPA2-PSK");
  EXPECT_EQ(s.texts.encryption, "AES");
  EXPECT_EQ(s.texts.networkType, "基础模式");
  EXPECT_EQ(s.texts.ipAddress, "192.168.1.23");
  EXPECT_EQ(s.texts.subMask, "255.255.255.0");
  EXPECT_EQ(s.texts.gateway, "192.168.1.1");
  EXPECT_EQ(s.texts.txRate, "65.0 Mbps");
  EXPECT_EQ(s.texts.rxRate, "65.0 Mbps");
  EXPECT_EQ(s.texts.txThroughput, "") << "the first sample only remembers the counters";
  EXPECT_EQ(s.ht.bandwidth, "20");
  EXPECT_EQ(s.ht.guardInterval, "长");
  EXPECT_EQ(s.ht.stbc, "无");
  EXPECT_EQ(s.ht.mcs, "7");
  EXPECT_EQ(s.ht.snr0, "30");
  EXPECT_EQ(s.ht.snr1, "28");
  EXPECT_TRUE(s.ht.visible);
  EXPECT_FALSE(s.ht.stbcVisible);
  EXPECT_EQ(s.labels.status, "Status >>");
  EXPECT_EQ(s.labels.channel, "Channel >>");
  EXPECT_EQ(s.txGraph.barColour, colour::kGreen);
  EXPECT_EQ(s.rxGraph.barColour, colour::kGraphYellow);
}

TEST_F(LinkStatusTest, HtWordFlagsFillTheHtGroup) {
  w.driver.Word(OID_WLAN_TX_HTRATE, kHtWord40ShortStbc);
  const auto& s = Tick();
  EXPECT_EQ(s.texts.txRate, "150.0 Mbps");
  EXPECT_EQ(s.ht.bandwidth, "40");
  EXPECT_EQ(s.ht.guardInterval, "短");
  EXPECT_EQ(s.ht.stbc, "已使用");
  EXPECT_EQ(s.ht.mcs, "7");
}

TEST_F(LinkStatusTest, ApAddressOfZerosOrFailedKeepsThePlainStatus) {
  w.driver.Bytes(OID_WLAN_AP_IP_ADDRESS, {0, 0, 0, 0});
  EXPECT_EQ(Tick().texts.status, "Home <--> 00-11-22-33-44-55");
  w.driver.failing.insert(OID_WLAN_AP_IP_ADDRESS);
  EXPECT_EQ(Tick().texts.status, "Home <--> 00-11-22-33-44-55");
}

struct ThroughputCase {
  const char* name;
  std::uint32_t previous;
  std::uint32_t current;
  const char* text;
};

class ThroughputTest : public LinkStatusTest, public ::testing::WithParamInterface<ThroughputCase> {};

TEST_P(ThroughputTest, DeltaOverOneTick) {
  const auto& c = GetParam();
  SetCounters(c.previous, c.previous);
  Tick();
  SetCounters(c.current, c.current);
  const auto& s = Tick();
  EXPECT_EQ(s.texts.txThroughput, c.text);
  EXPECT_EQ(s.texts.rxThroughput, c.text);
}

INSTANTIATE_TEST_SUITE_P(Texts, ThroughputTest,
                         ::testing::Values(ThroughputCase{"halfMegabyte", 1000, 501000, "2.000 Mbps"},
                                           ThroughputCase{"tenthOfThat", 0, 100000, "400.000 Kbps"},
                                           ThroughputCase{"idle", 777, 777, "0.000 Kbps"},
                                           ThroughputCase{"counterWraps", 0xFFFFFFF0u, 500000 - 16, "2.000 Mbps"},
                                           ThroughputCase{"justBelowOneMbps", 0, 249999, "999.996 Kbps"},
                                           ThroughputCase{"exactlyOneMbps", 0, 250000, "1.000 Mbps"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(LinkStatusTest, PeakLeavesTheMaximumTwentyNineTicksLater) {
  std::uint32_t counter = 0;
  SetCounters(counter, counter);
  Tick();
  counter += 2500000;  // 10 Mbps
  SetCounters(counter, counter);
  Tick();
  EXPECT_EQ(page->State().txGraph.captionLine2, "10.000 Mbps");
  for (int i = 0; i < 28; ++i) {
    counter += 250000;  // 1 Mbps
    SetCounters(counter, counter);
    Tick();
  }
  EXPECT_DOUBLE_EQ(page->TxHistory().Maximum(), 10.0) << "still inside the 29 samples";
  counter += 250000;
  SetCounters(counter, counter);
  const auto& s = Tick();
  EXPECT_DOUBLE_EQ(page->TxHistory().Maximum(), 1.0);
  EXPECT_DOUBLE_EQ(s.txGraph.maximum, 1.0);
  EXPECT_EQ(s.txGraph.captionLine2, "1.000 Mbps");
  // The graph keeps older samples (drawn cut at full height) and the newest is first.
  ASSERT_EQ(s.txGraph.samples.size(), 30u);
  EXPECT_DOUBLE_EQ(s.txGraph.samples.back(), 10.0);
  EXPECT_DOUBLE_EQ(s.txGraph.samples.front(), 1.0);
}

TEST_F(LinkStatusTest, GraphRingKeepsAsManySamplesAsPixels) {
  Page().SetGraphCapacity(3);
  for (std::uint32_t i = 0; i < 6; ++i) {
    SetCounters(i * 250000, 0);
    Tick();
  }
  EXPECT_EQ(page->State().txGraph.samples.size(), 3u);
}

TEST_F(LinkStatusTest, LinkQualityIsSmoothedWithTheRoundedMean) {
  w.driver.LinkStatus(108, 75, 0, 0);
  auto bar = Tick().bars[kQualityBar];
  EXPECT_EQ(bar.position, 100);
  EXPECT_EQ(bar.drawnCaption, "Link Quality >> 100%");
  EXPECT_EQ(bar.startColour, colour::kGreen);
  w.driver.LinkStatus(108, 50, 0, 0);
  bar = Tick().bars[kQualityBar];
  EXPECT_EQ(bar.position, 85);  // (100 + 70) * 0.5 + 0.5
  w.driver.LinkStatus(108, 0, 0, 0);
  bar = Tick().bars[kQualityBar];
  EXPECT_EQ(bar.position, 48);  // (85 + 10) * 0.5 + 0.5
  EXPECT_EQ(bar.startColour, colour::kYellow);
  EXPECT_EQ(bar.middleColour, colour::kLightBlue);
}

TEST_F(LinkStatusTest, WildChannelQualityIsCappedAtFullBar) {
  w.driver.LinkStatus(108, 0xFFFFFFFFu, 0, 0);
  EXPECT_EQ(Tick().bars[kQualityBar].position, 100);
}

TEST_F(LinkStatusTest, AbsentChainShowsCaptionWithoutValueAndEmptyBar) {
  w.driver.Word(OID_WLAN_RSSI1, -200);
  const auto& s = Tick();
  EXPECT_EQ(s.bars[kSignal2Bar].drawnCaption, "Signal Strength2 >>");
  EXPECT_EQ(s.bars[kSignal2Bar].position, 0);
  EXPECT_EQ(s.bars[kSignal3Bar].drawnCaption, "Signal Strength3 >>");
  EXPECT_EQ(s.bars[kSignal1Bar].drawnCaption, "Signal Strength 1 >> 76%");  // -60 dBm
  EXPECT_EQ(s.bars[kSignal1Bar].startColour, colour::kGreen);
}

TEST_F(LinkStatusTest, SignalOneIsSmoothedAndShownInDbmWhenAsked) {
  Tick();
  w.driver.Word(OID_WLAN_RSSI0, -80);  // 24 %
  w.host.showDbm = true;
  const auto& s = Tick();
  EXPECT_EQ(s.bars[kSignal1Bar].position, 50);  // (76 + 24) * 0.5 + 0.5
  EXPECT_EQ(s.bars[kSignal1Bar].drawnCaption, "Signal Strength 1 >> -80 dBm");
  EXPECT_EQ(s.bars[kSignal2Bar].drawnCaption, "Signal Strength 2 >> -62 dBm");
  EXPECT_EQ(s.bars[kSignal1Bar].startColour, colour::kYellow);
}

TEST_F(LinkStatusTest, HtToLegacyShowsNotAvailableOnceAndKeepsIt) {
  Tick();
  EXPECT_EQ(page->State().ht.mcs, "7");
  w.driver.Word(OID_WLAN_TX_HTRATE, kOfdm54);
  auto ht = Tick().ht;
  EXPECT_EQ(page->LegacyRateFlag(), 1);
  for (const std::string* value : {&ht.bandwidth, &ht.guardInterval, &ht.stbc, &ht.mcs, &ht.snr0, &ht.snr1}) {
    EXPECT_EQ(*value, "N/A");
  }
  EXPECT_EQ(page->State().texts.txRate, "54.0 Mbps");
  // Still legacy: nothing refills the group, SNR values are not touched.
  Tick();
  EXPECT_EQ(page->State().ht.mcs, "N/A");
  EXPECT_EQ(page->State().ht.snr0, "N/A");
  w.driver.Word(OID_WLAN_TX_HTRATE, kHtWord40ShortStbc);
  ht = Tick().ht;
  EXPECT_EQ(page->LegacyRateFlag(), 0);
  EXPECT_EQ(ht.bandwidth, "40");
  EXPECT_EQ(ht.snr0, "30");
}

TEST_F(LinkStatusTest, SnrNotAvailableOrFailedShowsNotAvailable) {
  w.driver.Word(OID_WLAN_SNR0, 44);
  w.driver.failing.insert(OID_WLAN_SNR1);
  const auto& s = Tick();
  EXPECT_EQ(s.ht.snr0, "N/A");
  EXPECT_EQ(s.ht.snr1, "N/A");
}

struct AttributeCase {
  const char* name;
  DWORD bssType, auth, cipher;
  const char* networkType;
  const char* authentication;
  const char* encryption;
};

class AttributeTest : public LinkStatusTest, public ::testing::WithParamInterface<AttributeCase> {};

// The first tick sets known texts (infrastructure, WPA2-PSK, AES); the second shows the case.
TEST_P(AttributeTest, ConnectionAttributesToTexts) {
  const auto& c = GetParam();
  Tick();
  w.wlan.connection.bssType = c.bssType;
  w.wlan.connection.authAlgorithm = c.auth;
  w.wlan.connection.cipherAlgorithm = c.cipher;
  const auto& s = Tick();
  EXPECT_EQ(s.texts.networkType, c.networkType);
  EXPECT_EQ(s.texts.authentication, c.authentication);
  EXPECT_EQ(s.texts.encryption, c.encryption);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AttributeTest,
    ::testing::Values(AttributeCase{"bssTypeAnyIsInfrastructure", 3, 1, 0, "基础模式", "Open", "无"},
                      AttributeCase{"adHocSharedWep", 2, 2, 0x101, "IBSS", "Shared", "WEP"},
                      AttributeCase{"wep40LeavesText", 1, 3, 1, "基础模式", "WPA", "AES"},
                      AttributeCase{"wep104LeavesText", 1, 4, 5, "基础模式", "WPA-PSK", "AES"},
                      AttributeCase{"tkip", 1, 6, 2, "基础模式", "WPA2", "TKIP"},
                      AttributeCase{"unknownValuesLeaveTexts", 9, 99, 0x100, "基础模式", "WPA2-PSK", "AES"},
                      AttributeCase{"wpaNone", 2, 5, 0, "IBSS", "WPA-NONE", "无"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LinkStatusTest, FailedAttributeQueriesUseTheDefaults) {
  w.wlan.connection.authAlgorithm = kDot11AuthRsnaPsk;
  w.wlan.connectionResult = kErrorInvalidState;
  const auto& s = Tick();
  // No BSSID either: that is the disconnected display.
  EXPECT_EQ(s.texts.status, "Disconnected");
}

TEST(LinkStatusSignalLayout, FailingChainsGiveTheirPlaceToTheNoiseBar) {
  struct Case {
    const char* name;
    bool rssi1Fails, rssi2Fails;
    bool bar2Visible, bar3Visible;
    int noiseSlot;
  };
  const Case cases[] = {{"allChains", false, false, true, true, 4},
                        {"oneChain", true, false, false, false, 2},
                        {"twoChains", false, true, true, false, 3}};
  for (const Case& c : cases) {
    FakeWorld w;
    w.driver.Word(OID_WLAN_RSSI1, -60);
    w.driver.Word(OID_WLAN_RSSI2, -60);
    if (c.rssi1Fails) w.driver.failing.insert(OID_WLAN_RSSI1);
    if (c.rssi2Fails) w.driver.failing.insert(OID_WLAN_RSSI2);
    CLinkStatusDlg page(w.platform, w.context, w.driver, w.session, w.strings, w.host);
    page.OnInitDialog();
    page.OnShow();
    const auto& bars = page.State().bars;
    EXPECT_TRUE(bars[kSignal1Bar].visible) << c.name;
    EXPECT_EQ(bars[kSignal1Bar].slot, 1) << c.name;
    EXPECT_EQ(bars[kSignal2Bar].visible, c.bar2Visible) << c.name;
    EXPECT_EQ(bars[kSignal3Bar].visible, c.bar3Visible) << c.name;
    EXPECT_EQ(bars[kNoiseBar].slot, c.noiseSlot) << c.name;
  }
}

TEST_F(LinkStatusTest, ChainThatStartsAnsweringGetsItsBarBackOnTheNextShow) {
  w.driver.failing.insert(OID_WLAN_RSSI1);
  Page();
  EXPECT_FALSE(page->State().bars[kSignal2Bar].visible);
  page->OnHide();
  w.driver.failing.clear();
  page->OnShow();
  EXPECT_TRUE(page->State().bars[kSignal2Bar].visible);
  EXPECT_EQ(page->State().bars[kNoiseBar].slot, 4);
}

struct NoiseCase {
  const char* name;
  bool is11n;
  std::int32_t rssi0, rssi1;
  std::uint32_t snr0, snr1;
  std::uint32_t raw;
  int position;
  DisplayColour colour;
  int dbm;
};

class NoiseTest : public LinkStatusTest, public ::testing::WithParamInterface<NoiseCase> {};

TEST_P(NoiseTest, NoiseLevelAndReversedColour) {
  const auto& c = GetParam();
  w.context.is11n = c.is11n;
  w.host.showDbm = true;
  w.driver.Word(OID_WLAN_RSSI0, c.rssi0);
  w.driver.Word(OID_WLAN_RSSI1, c.rssi1);
  w.driver.Word(OID_WLAN_SNR0, c.snr0);
  w.driver.Word(OID_WLAN_SNR1, c.snr1);
  w.driver.Word(OID_WLAN_NOISE, c.raw);
  const auto& bar = Tick().bars[kNoiseBar];
  EXPECT_EQ(bar.position, c.position);
  EXPECT_EQ(bar.startColour, c.colour);
  EXPECT_EQ(bar.drawnCaption, "Noise Strength >> " + std::to_string(c.dbm) + " dBm");
}

INSTANTIATE_TEST_SUITE_P(
    Levels, NoiseTest,
    ::testing::Values(NoiseCase{"strongSignalMeansQuietFloor", true, -60, -75, 30, 28, 0, 26, colour::kGreen, -92},
                      NoiseCase{"weakSignalMinusSmallerSnr", true, -85, -80, 30, 10, 0, 33, colour::kGreen, -90},
                      // Exactly -70 is "strong": the floor, not -70 - 10.
                      NoiseCase{"bestAtMinus70MeansQuietFloor", true, -75, -70, 10, 12, 0, 26, colour::kGreen, -92},
                      NoiseCase{"bestAtMinus71MinusSnr", true, -75, -71, 10, 12, 0, 63, colour::kYellow, -81},
                      NoiseCase{"snrNotAvailableCounts", true, -85, -80, 44, 44, 0, 0, colour::kGreen, -124},
                      NoiseCase{"legacyMinus143", false, -60, -60, 0, 0, 63, 66, colour::kYellow, -80},
                      NoiseCase{"legacyAtMinus70IsRed", false, -60, -60, 0, 0, 73, 100, colour::kRed, -70},
                      NoiseCase{"legacyAboveFullIsRed", false, -60, -60, 0, 0, 200, 100, colour::kRed, 57}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LinkStatusTest, LegacyAdapterRates) {
  w.context.is11n = false;
  w.driver.LinkStatus(108, 50, 0, 0);
  w.driver.Word(OID_WLAN_RXRATE, 3);
  auto s = Tick();
  EXPECT_EQ(s.texts.txRate, "54.0 Mbps");
  EXPECT_EQ(s.texts.rxRate, "11.0 Mbps");
  EXPECT_EQ(s.texts.channel, "6 <--> 2437 MHz") << "no central-channel suffix for other adapters";
  w.driver.failing.insert(OID_WLAN_RXRATE);
  EXPECT_EQ(Tick().texts.rxRate, "1.0 Mbps");
  EXPECT_EQ(w.driver.QueryCount(OID_WLAN_SNR0), 0u);
}

TEST_F(LinkStatusTest, ChannelTextAndCentralChannelHook) {
  EXPECT_EQ(Tick().texts.channel, "6 <--> 2437 MHz");
  w.host.surveyRowIs11n = true;
  EXPECT_EQ(Tick().texts.channel, "6 <--> 2437 MHz; Central channel : 8");
  w.wlan.channelResult = kErrorInvalidState;
  EXPECT_EQ(Tick().texts.channel, "") << "no channel: no suffix either";
  w.wlan.channelResult = kErrorSuccess;
  w.wlan.channel = 208;
  w.host.surveyRowIs11n = false;
  EXPECT_EQ(Tick().texts.channel, "J8 <--> 5040 MHz");
}

// Every caption the string table has comes from it: a Chinese window has Chinese captions.
TEST_F(LinkStatusTest, CaptionsFollowTheLanguage) {
  struct Row {
    Language language;
    bool showDbm;
    const char* signal1;
    const char* signal2;
    const char* signal3;
    const char* noise;
    const char* channel;
  };
  const Row rows[] = {
      {Language::kEnglish, true, "Signal Strength 1 >> -60 dBm", "Signal Strength 2 >> -62 dBm", "Signal Strength3 >>",
       "Noise Strength >> -92 dBm", "6 <--> 2437 MHz; Central channel : 8"},
      {Language::kChinese, true, "信号强度 1 >> -60 dBm", "信号强度 2 >> -62 dBm", "信号强度3 >>",
       "噪声强度 >> -92 dBm", "6 <--> 2437 MHz; 中心信道 : 8"},
      {Language::kChinese, false, "信号强度 1 >> 76%", "信号强度 2 >> 70%", "信号强度3 >>", "噪声强度 >> 26%",
       "6 <--> 2437 MHz; 中心信道 : 8"},
  };
  for (const Row& row : rows) {
    w.strings.SetLanguage(row.language);
    w.host.showDbm = row.showDbm;
    w.host.surveyRowIs11n = true;
    page.reset();
    const auto& s = Tick();
    EXPECT_EQ(s.bars[kSignal1Bar].drawnCaption, row.signal1);
    EXPECT_EQ(s.bars[kSignal2Bar].drawnCaption, row.signal2);
    EXPECT_EQ(s.bars[kSignal3Bar].drawnCaption, row.signal3);
    EXPECT_EQ(s.bars[kNoiseBar].drawnCaption, row.noise);
    EXPECT_EQ(s.texts.channel, row.channel);
  }
  // A third chain that answers gets its dBm caption from the table too.
  w.driver.Word(OID_WLAN_RSSI2, -64);
  w.host.showDbm = true;
  EXPECT_EQ(Tick().bars[kSignal3Bar].drawnCaption, "信号强度 3 >> -64 dBm");
}

TEST_F(LinkStatusTest, FailedLinkRecordLeavesRatesAndThroughputAlone) {
  Tick();
  w.driver.failing.insert(OID_WLAN_LINK_STATUS);
  SetCounters(999999, 999999);
  const auto& s = Tick();
  EXPECT_EQ(s.texts.txRate, "65.0 Mbps");
  EXPECT_EQ(s.texts.txThroughput, "");
  EXPECT_EQ(page->PreviousTxBytes(), 1000u);
}

struct ExtraInfoCase {
  const char* name;
  std::optional<std::int64_t> lastEvent;  // nullopt: the query fails
  std::int64_t txPower;
  bool icvError;
  const char* text;
};

class ExtraInfoTest : public LinkStatusTest, public ::testing::WithParamInterface<ExtraInfoCase> {};

TEST_P(ExtraInfoTest, EventIcvAndTransmitPower) {
  const auto& c = GetParam();
  if (c.lastEvent) {
    w.driver.Word(OID_WLAN_LAST_EVENT, *c.lastEvent);
  } else {
    w.driver.failing.insert(OID_WLAN_LAST_EVENT);
  }
  w.driver.Word(OID_WLAN_TX_POWER, c.txPower);
  w.host.icvError = c.icvError;
  EXPECT_EQ(Tick().texts.extraInfo, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExtraInfoTest,
    ::testing::Values(ExtraInfoCase{"autoPower", 0, -1, false, "Link is Up [传输功率:100%]"},
                      ExtraInfoCase{"lowestAtZero", 10, 0, false, "EAP succeed [传输功率:最低]"},
                      ExtraInfoCase{"lowestAtSix", 7, 6, false, "Deauthencation because MIC failure [传输功率:最低]"},
                      ExtraInfoCase{"percentAboveSix", 0, 7, false, "Link is Up [传输功率:7%]"},
                      ExtraInfoCase{"unknownEventIsEmpty", 11, 50, false, " [传输功率:50%]"},
                      ExtraInfoCase{"failedEventIsEmpty", std::nullopt, 100, false, " [传输功率:100%]"},
                      ExtraInfoCase{"icvError", 0, 100, true, "Link is Up -- ICV Error  [传输功率:100%]"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(LinkStatusTest, IpSettingsComeFromTheEntryWithTheAdaptersAddress) {
  IpAdapterInfo other;
  other.hardwareAddress = {0x00, 0x0C, 0x43, 0x30, 0x72};  // 5 bytes: never matches
  other.ipAddresses = {"10.0.0.1"};
  IpAdapterInfo later = w.ipHelper.adapters[0];
  later.ipAddresses = {"192.168.1.99", "192.168.1.100"};
  later.ipMasks = {"255.255.0.0", "255.0.0.0"};
  later.gateways = {};
  w.ipHelper.adapters.insert(w.ipHelper.adapters.begin(), other);
  w.ipHelper.adapters.push_back(later);
  auto s = Tick();
  EXPECT_EQ(s.texts.ipAddress, "192.168.1.99");
  EXPECT_EQ(s.texts.subMask, "255.255.0.0");
  EXPECT_EQ(s.texts.gateway, "");
  w.ipHelper.succeeds = false;
  s = Tick();
  EXPECT_EQ(s.texts.ipAddress, "");
  EXPECT_EQ(s.texts.subMask, "");
}

TEST_F(LinkStatusTest, NotReadyAndDisconnectedDisplays) {
  struct Case {
    const char* name;
    DWORD stateResult;
    DWORD state;
    bool zeroBssid;
    bool radioOn;
    const char* status;
  };
  const Case cases[] = {
      {"stateQueryFails", kErrorInvalidState, kWlanInterfaceConnected, false, true, "NIC or driver not ready"},
      {"notConnected", kErrorSuccess, kWlanInterfaceDisconnected, false, true, "Disconnected"},
      {"zeroBssid", kErrorSuccess, kWlanInterfaceConnected, true, true, "Disconnected"},
      {"radioOff", kErrorSuccess, kWlanInterfaceDisconnected, false, false, "RF OFF"},
  };
  for (const Case& c : cases) {
    SetUp();
    Tick();
    w.wlan.stateResult = c.stateResult;
    w.wlan.state = c.state;
    if (c.zeroBssid) w.wlan.connection.bssid = {};
    w.host.radioOn = c.radioOn;
    const auto& s = Tick();
    EXPECT_EQ(s.texts.status, c.status) << c.name;
    EXPECT_EQ(s.texts.extraInfo, "") << c.name;
    EXPECT_EQ(s.texts.channel, "") << c.name;
    EXPECT_EQ(s.texts.ipAddress, "") << c.name;
    EXPECT_EQ(s.texts.txRate, "") << c.name;
    for (std::size_t i = 0; i < kLinkBarCount; ++i) EXPECT_EQ(s.bars[i].position, 0) << c.name << " bar " << i;
    for (std::size_t i = 0; i < kNoiseBar; ++i) EXPECT_FALSE(s.bars[i].hasGradient) << c.name << " bar " << i;
    EXPECT_EQ(s.ht.mcs, "N/A") << c.name << ": HT rate in use";
    EXPECT_EQ(s.txGraph.samples.front(), 0.0) << c.name;
    page.reset();
    w.wlan.stateResult = kErrorSuccess;
    w.wlan.state = kWlanInterfaceConnected;
    w.host.radioOn = true;
  }
}

TEST(LinkStatusNotReady, MissingWlanServiceSaysAutoConfigIsDisabled) {
  FakeWorld w;
  w.wlan.serviceRunning = false;
  w.session.Start("Adapter", 0, false);
  w.wlan.stateResult = kErrorServiceNotActive;
  CLinkStatusDlg page(w.platform, w.context, w.driver, w.session, w.strings, w.host);
  page.OnInitDialog();
  page.OnShow();
  page.Refresh();
  EXPECT_EQ(page.State().texts.status, "AutoConfig service is disable");
}

TEST_F(LinkStatusTest, DisconnectedWithLegacyRateKeepsHtValuesOnceFlagged) {
  w.driver.Word(OID_WLAN_TX_HTRATE, kOfdm54);
  Tick();  // connected, legacy: flag 1, values N/A
  EXPECT_EQ(page->LegacyRateFlag(), 1);
  w.wlan.state = kWlanInterfaceDisconnected;
  Tick();
  EXPECT_EQ(page->State().ht.bandwidth, "N/A");
  EXPECT_EQ(page->LegacyRateFlag(), 1) << "the idle display does not change the flag";
}

TEST_F(LinkStatusTest, IdleTicksPushZeroSamplesAndKeepTheCounters) {
  SetCounters(1000, 1000);
  Tick();
  SetCounters(501000, 501000);
  Tick();
  w.wlan.state = kWlanInterfaceDisconnected;
  const auto& s = Tick();
  EXPECT_EQ(s.txGraph.samples.front(), 0.0);
  EXPECT_EQ(s.txGraph.captionLine2, "2.000 Mbps") << "the earlier peak is still in the history";
  EXPECT_EQ(page->PreviousTxBytes(), 501000u);
}

TEST_F(LinkStatusTest, TimerRunsOnlyWhileShownAndFirstSampleSurvivesHiding) {
  Page();
  EXPECT_TRUE(w.loop.HasTimer(page->Window(), CLinkStatusDlg::kRefreshTimerId));
  EXPECT_EQ(w.loop.TimerPeriod(page->Window(), CLinkStatusDlg::kRefreshTimerId), 2000u);
  SetCounters(1000, 1000);
  w.loop.AdvanceBy(2000);
  EXPECT_FALSE(page->FirstSample());
  EXPECT_EQ(page->State().texts.status, "Home <--> 00-11-22-33-44-55 [192.168.1.1]");
  SetCounters(501000, 1000);
  w.loop.AdvanceBy(2000);
  ASSERT_EQ(page->TxHistory().Maximum(), 2.0);
  page->OnHide();
  EXPECT_FALSE(w.loop.HasTimer(page->Window(), CLinkStatusDlg::kRefreshTimerId));
  const auto queries = w.driver.queries.size();
  w.loop.AdvanceBy(10000);
  EXPECT_EQ(w.driver.queries.size(), queries) << "no refresh while hidden";

  page->OnShow();
  EXPECT_EQ(page->State().texts.status, "") << "showing empties the texts";
  EXPECT_EQ(page->State().txGraph.captionLine2, "0.000 Mbps");
  EXPECT_EQ(page->TxHistory().Maximum(), 0.0);
  EXPECT_TRUE(page->State().txGraph.samples.empty());
  SetCounters(1001000, 1000);
  w.loop.AdvanceBy(2000);
  EXPECT_EQ(page->State().texts.txThroughput, "2.000 Mbps") << "computed from the counters last seen";
}

TEST_F(LinkStatusTest, ResetByteCountersMakesTheNextValueCountFromZero) {
  SetCounters(123456789, 123456789);
  Tick();
  Page().ResetByteCounters();
  SetCounters(500000, 100000);  // the driver restarted its counters
  const auto& s = Tick();
  EXPECT_EQ(s.texts.txThroughput, "2.000 Mbps");
  EXPECT_EQ(s.texts.rxThroughput, "400.000 Kbps");
}

TEST(PercentBarCaption, TemplatesAreCompletedWithThePosition) {
  EXPECT_EQ(CompleteBarCaption("Link Quality >> %d%%", 85), "Link Quality >> 85%");
  EXPECT_EQ(CompleteBarCaption("Signal Strength1 >>", 0), "Signal Strength1 >>");
  EXPECT_EQ(CompleteBarCaption("%d %d%%", 7), "7 %d%");
  EXPECT_EQ(CompleteBarCaption("trailing %", 7), "trailing %");
}

}  // namespace
}  // namespace nxui::test
