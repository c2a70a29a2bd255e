// The monitor pages end to end on the simulated machine: a connection, the access point leaving,
// the radio switched off.
#include <gtest/gtest.h>

#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "monitor/MonitorWorld.h"
#include "shell/CPageAboutDlg.h"

namespace nxui::test {
namespace {

using Tx = CPageStatisticsTXDlg;
using Rx = CPageStatisticsRXDlg;

class MonitorOnSimWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m.Ready()) << m.error;
    link = std::make_unique<CLinkStatusDlg>(*m.platform, m.context, *m.driver, *m.session, m.strings, m.host);
    link->OnInitDialog();
    stats = std::make_unique<CPageStatisticsDlg>(m.loop, *m.driver, *m.session, m.strings, link.get());
    stats->OnInitDialog();
  }
  MonitorWorld m;
  std::unique_ptr<CLinkStatusDlg> link;
  std::unique_ptr<CPageStatisticsDlg> stats;
};

TEST_F(MonitorOnSimWorld, ConnectedThenApGoneThenRadioOff) {
  ASSERT_TRUE(m.context.is11n);
  m.ConnectTo("Home");
  ASSERT_TRUE(m.world->association(0).connected);
  link->OnShow();
  m.loop.AdvanceBy(2000);
  m.loop.AdvanceBy(2000);

  const auto& s = link->State();
  EXPECT_EQ(s.texts.status, "Home <--> 00-11-22-33-44-55 [192.168.1.1]");
  EXPECT_EQ(s.texts.extraInfo, "Link is Up [传输功率:100%]");
  EXPECT_EQ(s.texts.channel, "6 <--> 2437 MHz");
  EXPECT_EQ(s.texts.authentication, "Open");
  EXPECT_EQ(s.texts.encryption, "无");
  EXPECT_EQ(s.texts.networkType, "基础模式");
  EXPECT_EQ(s.texts.ipAddress, "192.168.1.23");
  EXPECT_EQ(s.texts.subMask, "255.255.255.0");
  EXPECT_EQ(s.texts.gateway, "192.168.1.1");
  EXPECT_EQ(s.texts.txRate, "300.0 Mbps");  // HT40, short GI, MCS 15
  EXPECT_EQ(s.ht.bandwidth, "40");
  EXPECT_EQ(s.ht.guardInterval, "短");
  EXPECT_EQ(s.ht.mcs, "15");
  EXPECT_EQ(s.ht.snr0, "30");
  EXPECT_EQ(s.ht.snr1, "28");
  // The scenario's traffic: 250 kB/s out, 1 MB/s in, over the 2-second period.
  EXPECT_EQ(s.texts.txThroughput, "2.000 Mbps");
  EXPECT_EQ(s.texts.rxThroughput, "8.000 Mbps");
  EXPECT_EQ(s.rxGraph.captionLine2, "8.000 Mbps");
  EXPECT_EQ(s.bars[kQualityBar].position, 100);
  EXPECT_GT(s.bars[kSignal1Bar].position, 70);
  EXPECT_EQ(s.bars[kSignal3Bar].drawnCaption, "Signal Strength3 >>") << "a two-chain adapter";
  EXPECT_EQ(s.bars[kNoiseBar].position, 26);  // strong signal: -92 dBm floor

  m.world->networksInRange().clear();
  m.world->wlan().NetworksChanged();
  m.loop.AdvanceBy(2000);
  EXPECT_EQ(s.texts.status, "Disconnected");
  EXPECT_EQ(s.texts.extraInfo, "");
  EXPECT_EQ(s.texts.ipAddress, "");
  EXPECT_EQ(s.bars[kQualityBar].position, 0);
  EXPECT_EQ(s.rxGraph.samples.front(), 0.0);
  EXPECT_EQ(s.rxGraph.captionLine2, "8.000 Mbps") << "the peak stays in the history";

  ASSERT_EQ(m.session->SetRadio(false), 0u);
  m.shellState.radioOn = false;
  m.loop.AdvanceBy(2000);
  EXPECT_EQ(s.texts.status, "RF OFF");
}

TEST_F(MonitorOnSimWorld, UnpluggedAdapterIsNotReady) {
  link->OnShow();
  m.world->Unplug(0);
  m.loop.AdvanceBy(2000);
  EXPECT_EQ(link->State().texts.status, "NIC or driver not ready");
}

TEST_F(MonitorOnSimWorld, StatisticsGrowResetAndSurviveDisconnection) {
  m.ConnectTo("Home");
  link->OnShow();
  stats->OnShow();
  m.loop.AdvanceBy(60000);
  const auto frames = [&] { return std::stoll(stats->TxPage().Rows()[Tx::kTransmittedOk].value); };
  const long long before = frames();
  EXPECT_GT(before, 0);
  m.loop.AdvanceBy(2000);
  EXPECT_GT(frames(), before);
  const std::string dropped = stats->RxPage().Rows()[Rx::kDroppedNoBuffer].value;
  EXPECT_NE(dropped, "0");

  stats->OnResetCounter();
  EXPECT_EQ(stats->TxPage().Rows()[Tx::kTransmittedOk].value, "0");
  m.loop.AdvanceBy(2000);
  EXPECT_LT(frames(), before) << "the driver restarted its counters";
  EXPECT_EQ(link->State().texts.txThroughput, "2.000 Mbps") << "no jump on the link page";

  m.world->networksInRange().clear();
  m.world->wlan().NetworksChanged();
  m.loop.AdvanceBy(2000);
  for (const auto& row : stats->TxPage().Rows()) EXPECT_EQ(row.value, "0") << row.label;
  EXPECT_EQ(stats->RxPage().Rows()[Rx::kReceivedOk].value, "0");
  EXPECT_EQ(stats->RxPage().Rows()[Rx::kDroppedNoBuffer].value, "0") << "counts restarted by the reset";
  EXPECT_GT(m.world->driver(0).CountRequests(OID_GEN_RCV_NO_BUFFER, false), 0u);
}

TEST_F(MonitorOnSimWorld, AboutPageReadsTheSimulatedDriverImage) {
  CPageAboutDlg about(*m.platform, m.context, *m.driver, m.strings, ProgramVersionResource{{1, 0, 0, 0}, "(C)"});
  about.OnInitDialog();
  about.OnShow();
  const auto& s = about.State();
  EXPECT_EQ(s.driverVersion.value, "2.1.2.0\n");
  EXPECT_EQ(s.driverDate.value, "05-06-2008");
  EXPECT_EQ(s.eepromVersion.value, "1.2\n");
  EXPECT_TRUE(s.firmwareVersion.visible);
  EXPECT_EQ(s.macAddress.value, "00-0C-43-30-72-81");
}

}  // namespace
}  // namespace nxui::test
