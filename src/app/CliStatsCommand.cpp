#include <CLI/CLI.hpp>

#include "app/CliCommand.h"
#include "app/CliRun.h"

namespace nxui::cli {

namespace {

template <typename Rows>
void AddRows(CliReport& report, const std::string& key, const std::string& label, const Rows& rows) {
  Json array = Json::array();
  for (const StatisticsRow& row : rows) {
    array.push_back(Json{{"label", row.label}, {"value", row.value}, {"hidden", !row.visible}});
  }
  report.Hidden(key, std::move(array));
  CliReport& shown = report.Section("", label);
  for (const StatisticsRow& row : rows) {
    if (row.visible) shown.Text("", row.label, row.value);
  }
}

}  // namespace

CliCommand StatsCommand() {
  auto reset = std::make_shared<bool>(false);
  CliCommand command;
  command.name = "stats";
  command.description = "Transmit and receive counters of the statistics page";
  command.configure = [reset](CLI::App& app) {
    app.add_flag("--reset", *reset, "Press \"Reset Counter\", then show the counters of the next refresh");
  };
  command.run = [reset](CliContext& c) {
    CPageStatisticsDlg& page = c.run->Statistics();
    page.OnShow();
    c.run->Advance(CPageStatisticsDlg::kRefreshPeriodMs);
    if (*reset) {
      page.OnResetCounter();
      c.run->Advance(CPageStatisticsDlg::kRefreshPeriodMs);
    }
    AddRows(c.report, "Transmit", page.State().transmitButton, page.TxPage().Rows());
    AddRows(c.report, "Receive", page.State().receiveButton, page.RxPage().Rows());
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
