// One command of the command line: its name, its own options and what it does. A command's
// options live in state its factory shares between `configure` and `run`, so adding a command is
// one factory function and one line in the table (CliCommandTable.cpp).
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/CliOptions.h"
#include "app/CliReport.h"

namespace CLI {
class App;
}

namespace nxui::cli {

class CliRun;

// Exit codes of the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoAdapter = 3;

struct CliContext {
  const CliOptions& options;
  CliRun* run;        // null for commands that do not need the simulated machine
  CliReport& report;  // printed after `run` returned 0
  std::ostream& out;  // for commands that print as they go (monitor)
  std::ostream& err;
  // The program's arguments, for commands that hand over to another front end.
  int argc;
  char** argv;
};

struct CliCommand {
  std::string name;
  std::string description;
  // The core is started (and the world settled) before `run`; false: `run` gets no CliRun.
  bool needsCore = true;
  // The world runs the settle time under virtual time before `run`.
  bool settles = true;
  // Without an adapter the command ends with "NIC or driver not ready" and exit code 3.
  bool needsAdapter = true;
  std::function<void(CLI::App&)> configure;
  std::function<int(CliContext&)> run;
};

// One action of a command that has several (`profile list`, `wps pin`, ...): a sub-command.
struct CliAction {
  std::string name;
  std::string description;
  std::function<void(CLI::App&)> configure;
  std::function<int(CliContext&)> run;
};

// A command that runs exactly one of its actions, named as its sub-command.
CliCommand CommandOfActions(std::string name, std::string description, std::vector<CliAction> actions);

// "00-11-22-33-44-55" from a MAC address argument written with dashes or colons in either case;
// empty when it is not one.
std::string MacAddressArgument(const std::string& text);

// The commands in the order `--help` lists them.
std::vector<CliCommand> CliCommandTable();

// Commands, one factory each.
CliCommand AdapterCommand();
CliCommand StatusCommand();
CliCommand StatsCommand();
CliCommand AboutCommand();
CliCommand SurveyCommand();
CliCommand ApCommand();
CliCommand RadioCommand();
CliCommand HtCommand();
CliCommand BaCommand();
CliCommand MonitorCommand();
CliCommand WpsCommand();
CliCommand RenderCommand();
CliCommand ProfileCommand();

}  // namespace nxui::cli
