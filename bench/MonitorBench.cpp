// One refresh tick of the link status page and of the statistics page on the simulated machine,
// with every driver, WLAN service and IP helper request they make.
#include <benchmark/benchmark.h>

#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "monitor/MonitorWorld.h"

namespace {

using nxui::test::MonitorWorld;

void BM_LinkStatusRefreshTick(benchmark::State& state) {
  MonitorWorld m;
  if (!m.Ready()) {
    state.SkipWithError(m.error.c_str());
    return;
  }
  m.ConnectTo("Home");
  nxui::CLinkStatusDlg page(*m.platform, m.context, *m.driver, *m.session, m.strings, m.host);
  page.OnInitDialog();
  page.OnShow();
  for (auto _ : state) {
    page.Refresh();
    benchmark::DoNotOptimize(page.State().texts.status.data());
  }
  if (page.State().texts.status.find("Home") == std::string::npos) state.SkipWithError("not connected");
}
BENCHMARK(BM_LinkStatusRefreshTick);

void BM_StatisticsRefreshTick(benchmark::State& state) {
  MonitorWorld m;
  if (!m.Ready()) {
    state.SkipWithError(m.error.c_str());
    return;
  }
  m.ConnectTo("Home");
  m.loop.AdvanceBy(10000);
  nxui::CPageStatisticsDlg page(m.loop, *m.driver, *m.session, m.strings, nullptr);
  page.OnInitDialog();
  for (auto _ : state) {
    page.Refresh();
    benchmark::DoNotOptimize(page.TxPage().Rows()[0].value.data());
  }
  if (page.TxPage().Rows()[0].value == "0") state.SkipWithError("no counters");
}
BENCHMARK(BM_StatisticsRefreshTick);

}  // namespace
