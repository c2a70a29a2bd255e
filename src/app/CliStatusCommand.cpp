#include <CLI/CLI.hpp>

#include "app/CliCommand.h"
#include "app/CliRun.h"
#include "app/CliStatusReport.h"

namespace nxui::cli {

CliCommand StatusCommand() {
  auto dbm = std::make_shared<bool>(false);
  CliCommand command;
  command.name = "status";
  command.description = "The link status panel after two refresh ticks";
  command.configure = [dbm](CLI::App& app) {
    app.add_flag("--dbm", *dbm, "Signal and noise captions in dBm (the site survey's \"Show dBm\")");
  };
  command.run = [dbm](CliContext& c) {
    c.run->SetShowDbm(*dbm);
    BuildStatusReport(*c.run, ShowLinkStatus(*c.run, 2), c.report);
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
