// `profile`: one command whose subcommands come from separate files: the editor's `add` and `edit`
// (CliProfileEditCommands.cpp) and the page's list, show, delete, apply and export
// (CliProfileStoreCommands.cpp). Each file gives its subcommands here; the group only parses and
// dispatches.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/CliCommand.h"

namespace nxui::cli {

struct ProfileSubcommand {
  std::string name;
  std::string description;
  std::function<void(CLI::App&)> configure;
  std::function<int(CliContext&)> run;
};

std::vector<ProfileSubcommand> ProfileEditorSubcommands();
// list, show, delete, apply and export (CliProfileStoreCommands.cpp).
std::vector<ProfileSubcommand> ProfileStoreSubcommands();

}  // namespace nxui::cli
