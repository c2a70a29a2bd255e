#include <CLI/CLI.hpp>

#include "app/CliCommand.h"
#include "app/CliRun.h"
#include "app/CliStatusReport.h"

namespace nxui::cli {

CliCommand RadioCommand() {
  auto wanted = std::make_shared<std::string>();
  CliCommand command;
  command.name = "radio";
  command.description = "Switch the radio on or off as the main window's radio button does";
  command.configure = [wanted](CLI::App& app) {
    app.add_option("state", *wanted, "on or off")->required()->check(CLI::IsMember({"on", "off"}));
  };
  command.run = [wanted](CliContext& c) {
    shell::CHideDlg& hidden = c.run->Hidden();
    const bool on = *wanted == "on";
    // The button toggles; pressing it only when the state differs makes the command idempotent.
    const bool changed = hidden.State().radioOn != on;
    if (changed) hidden.ToggleRadio();
    const CLinkStatusDlg& page = ShowLinkStatus(*c.run, 1);
    const bool nowOn = hidden.State().radioOn;
    c.report.Text("radio", "radio", nowOn ? "on" : "off")
        .Value("changed", "changed", changed, changed ? "yes" : "no")
        .Text("Status", page.State().labels.status, page.State().texts.status);
    if (nowOn != on) {
      c.err << "nxui: the radio could not be switched " << *wanted << '\n';
      return kExitFailure;
    }
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
