#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "monitor/MonitorFakes.h"

namespace nxui::test {
namespace {

using Tx = CPageStatisticsTXDlg;
using Rx = CPageStatisticsRXDlg;

std::vector<std::uint8_t> Record(std::initializer_list<std::pair<std::size_t, std::int64_t>> fields) {
  std::vector<std::uint8_t> bytes(184, 0);
  for (const auto& [offset, value] : fields) {
    const auto v = static_cast<std::uint64_t>(value);
    StoreLe32(bytes.data() + offset, static_cast<std::uint32_t>(v));
    StoreLe32(bytes.data() + offset + 4, static_cast<std::uint32_t>(v >> 32));
  }
  return bytes;
}

class StatisticsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.driver.Word(OID_GEN_RCV_NO_BUFFER, 17);
    page.OnInitDialog();
  }
  FakeWorld w;
  CPageStatisticsDlg page{w.loop, w.driver, w.session, w.strings, nullptr};
};

TEST_F(StatisticsTest, LabelsKeepTheirSpacesAndTheSixthRowIsHidden) {
  const auto& tx = page.TxPage().Rows();
  EXPECT_EQ(tx[Tx::kTransmittedOk].label, "Frames Transmitted Successfully ");
  EXPECT_EQ(tx[Tx::kRetransmittedOk].label, "Frames Retransmitted Successfully");
  EXPECT_EQ(tx[Tx::kFailedNoAck].label, "Frames Fail To Receive ACK After All Retries");
  EXPECT_EQ(tx[Tx::kRtsCtsOk].label, "RTS Frames Successfully Receive CTS");
  EXPECT_EQ(tx[Tx::kRtsCtsFailed].label, "RTS Frames Fail To Receive CTS");
  EXPECT_EQ(tx[Tx::kWithoutRetry].label, "Frames Transmitted Successfully  Without Retry");
  for (std::size_t i = 0; i < Tx::kRowCount; ++i) {
    EXPECT_EQ(tx[i].visible, i != Tx::kWithoutRetry) << i;
    EXPECT_EQ(tx[i].value, "0") << i;
    EXPECT_EQ(tx[i].separator, "=");
  }
  const auto& rx = page.RxPage().Rows();
  EXPECT_EQ(rx[Rx::kReceivedOk].label, "Frames Received Successfully ");
  EXPECT_EQ(rx[Rx::kCrcError].label, "Frames Received With CRC Error");
  EXPECT_EQ(rx[Rx::kDroppedNoBuffer].label, "Frames Dropped Due To Out-of-Resource");
  EXPECT_EQ(rx[Rx::kDuplicates].label, "Duplicate Frames Received");
  EXPECT_EQ(page.State().transmitButton, "Transmit");
  EXPECT_EQ(page.State().receiveButton, "Receive");
  EXPECT_EQ(page.State().resetButton, "Reset Counter");
  EXPECT_EQ(page.State().buttonFont, "Trebuchet MS");
  EXPECT_EQ(page.State().buttonFontHeight, 20);
}

TEST_F(StatisticsTest, CountersGoToTheirRowsInFull) {
  const std::int64_t big = 4294967296LL * 3 + 5;  // above 2^32
  w.driver.Bytes(OID_WLAN_STATISTICS, Record({{8, big},
                                              {24, 4294967295LL},
                                              {32, 4294967296LL},
                                              {48, 12},
                                              {56, 3},
                                              {72, 4294967297LL},
                                              {96, -1},
                                              {176, -2}}));
  page.Refresh();
  const auto& tx = page.TxPage().Rows();
  EXPECT_EQ(tx[Tx::kTransmittedOk].value, "12884901893");
  EXPECT_EQ(tx[Tx::kRetransmittedOk].value, "4294967296");
  EXPECT_EQ(tx[Tx::kFailedNoAck].value, "4294967295");
  EXPECT_EQ(tx[Tx::kRtsCtsOk].value, "12");
  EXPECT_EQ(tx[Tx::kRtsCtsFailed].value, "3");
  EXPECT_EQ(tx[Tx::kWithoutRetry].value, "8589934597");
  const auto& rx = page.RxPage().Rows();
  EXPECT_EQ(rx[Rx::kReceivedOk].value, "18446744073709551614") << "the success count is unsigned";
  EXPECT_EQ(rx[Rx::kCrcError].value, "-1") << "the others are signed";
  EXPECT_EQ(rx[Rx::kDroppedNoBuffer].value, "17");
  EXPECT_EQ(rx[Rx::kDuplicates].value, "4294967297");
}

TEST_F(StatisticsTest, HiddenRowIsTransmittedMinusRetransmitted) {
  w.driver.Bytes(OID_WLAN_STATISTICS, Record({{8, 1000}, {32, 150}}));
  page.Refresh();
  EXPECT_EQ(page.TxPage().Rows()[Tx::kWithoutRetry].value, "850");
  EXPECT_FALSE(page.TxPage().Rows()[Tx::kWithoutRetry].visible);
}

TEST_F(StatisticsTest, ZerosUnlessConnectedAndReadButDroppedFramesAlwaysRead) {
  struct Case {
    const char* name;
    DWORD stateResult;
    DWORD state;
    bool statisticsFail;
  };
  const Case cases[] = {{"disconnected", kErrorSuccess, kWlanInterfaceDisconnected, false},
                        {"stateUnknown", kErrorInvalidState, kWlanInterfaceConnected, false},
                        {"statisticsFail", kErrorSuccess, kWlanInterfaceConnected, true}};
  for (const Case& c : cases) {
    w.driver.Bytes(OID_WLAN_STATISTICS, Record({{8, 5}, {176, 6}, {72, 7}}));
    w.driver.failing.clear();
    w.wlan.stateResult = kErrorSuccess;
    w.wlan.state = kWlanInterfaceConnected;
    page.Refresh();
    ASSERT_EQ(page.TxPage().Rows()[Tx::kTransmittedOk].value, "5") << c.name;

    w.wlan.stateResult = c.stateResult;
    w.wlan.state = c.state;
    if (c.statisticsFail) w.driver.failing.insert(OID_WLAN_STATISTICS);
    const auto statisticsQueries = w.driver.QueryCount(OID_WLAN_STATISTICS);
    page.Refresh();
    for (const auto& row : page.TxPage().Rows()) EXPECT_EQ(row.value, "0") << c.name << " " << row.label;
    const auto& rx = page.RxPage().Rows();
    EXPECT_EQ(rx[Rx::kReceivedOk].value, "0") << c.name;
    EXPECT_EQ(rx[Rx::kDuplicates].value, "0") << c.name;
    EXPECT_EQ(rx[Rx::kDroppedNoBuffer].value, "17") << c.name;
    EXPECT_EQ(w.driver.QueryCount(OID_WLAN_STATISTICS), statisticsQueries + (c.statisticsFail ? 1 : 0)) << c.name;
  }
  w.driver.failing.insert(OID_GEN_RCV_NO_BUFFER);
  page.Refresh();
  EXPECT_EQ(page.RxPage().Rows()[Rx::kDroppedNoBuffer].value, "0");
}

TEST_F(StatisticsTest, TimerRunsOnlyWhileVisible) {
  w.driver.Bytes(OID_WLAN_STATISTICS, Record({{8, 42}}));
  w.loop.AdvanceBy(4000);
  EXPECT_EQ(page.TxPage().Rows()[Tx::kTransmittedOk].value, "0");
  page.OnShow();
  EXPECT_EQ(w.loop.TimerPeriod(page.Window(), CPageStatisticsDlg::kRefreshTimerId), 2000u);
  w.loop.AdvanceBy(2000);
  EXPECT_EQ(page.TxPage().Rows()[Tx::kTransmittedOk].value, "42");
  page.OnHide();
  w.driver.Bytes(OID_WLAN_STATISTICS, Record({{8, 43}}));
  w.loop.AdvanceBy(4000);
  EXPECT_EQ(page.TxPage().Rows()[Tx::kTransmittedOk].value, "42");
}

TEST_F(StatisticsTest, DestroyingTheVisiblePageStopsItsTimer) {
  auto temporary = std::make_unique<CPageStatisticsDlg>(w.loop, w.driver, w.session, w.strings, nullptr);
  temporary->OnInitDialog();
  temporary->OnShow();
  const HWND window = temporary->Window();
  temporary.reset();
  EXPECT_FALSE(w.loop.HasTimer(window, CPageStatisticsDlg::kRefreshTimerId));
  w.loop.AdvanceBy(4000);  // nothing fires into the destroyed page
}

TEST_F(StatisticsTest, SubPageSwitchIgnoresUnknownButtons) {
  page.SelectSubPage(1);
  EXPECT_EQ(page.State().selectedSubPage, 1);
  page.SelectSubPage(2);
  EXPECT_EQ(page.State().selectedSubPage, 1);
  page.SelectSubPage(0);
  EXPECT_EQ(page.State().selectedSubPage, 0);
}

TEST_F(StatisticsTest, ResetShowsZerosAtOnceSendsTheSetAndRestartsLinkThroughput) {
  // The link page has seen large counters; the driver restarts them on reset.
  w.driver.Bytes(OID_802_3_CURRENT_ADDRESS, {1, 2, 3, 4, 5, 6});
  w.wlan.connection.bssid = {1, 1, 1, 1, 1, 1};
  w.driver.LinkStatus(108, 50, 300000000, 300000000);
  CLinkStatusDlg link(w.platform, w.context, w.driver, w.session, w.strings, w.host);
  link.OnInitDialog();
  link.OnShow();
  link.Refresh();
  page.SetLinkStatusPage(&link);

  w.driver.Bytes(OID_WLAN_STATISTICS, Record({{8, 1000}, {176, 900}}));
  page.Refresh();
  ASSERT_EQ(page.TxPage().Rows()[Tx::kTransmittedOk].value, "1000");

  for (bool setFails : {false, true}) {
    if (setFails) w.driver.failing.insert(OID_WLAN_RESET_COUNTERS);
    const auto sets = w.driver.sets.size();
    page.OnResetCounter();
    for (const auto& row : page.TxPage().Rows()) EXPECT_EQ(row.value, "0") << row.label;
    for (const auto& row : page.RxPage().Rows()) EXPECT_EQ(row.value, "0") << row.label;
    ASSERT_EQ(w.driver.sets.size(), sets + 1);
    EXPECT_EQ(w.driver.sets.back(), OID_WLAN_RESET_COUNTERS);
    EXPECT_EQ(link.PreviousTxBytes(), 0u);
    EXPECT_EQ(link.PreviousRxBytes(), 0u);
  }

  w.driver.LinkStatus(108, 50, 250000, 0);
  link.Refresh();
  EXPECT_EQ(link.State().texts.txThroughput, "1.000 Mbps") << "no jump after the reset";
  EXPECT_EQ(link.State().texts.rxThroughput, "0.000 Kbps");
}

TEST(StatisticsCountersRecord, ShortRecordLeavesMissingFieldsAtZero) {
  std::vector<std::uint8_t> bytes(100, 0);
  bytes[8] = 9;
  bytes[96] = 4;  // the CRC counter needs bytes 96..103: one short
  const auto c = StatisticsCounters::FromRecord(bytes);
  EXPECT_EQ(c.transmittedOk, 9);
  EXPECT_EQ(c.crcErrors, 0);
  EXPECT_EQ(c.receivedOk, 0);
  bytes.resize(104);
  EXPECT_EQ(StatisticsCounters::FromRecord(bytes).crcErrors, 4);
}

}  // namespace
}  // namespace nxui::test
