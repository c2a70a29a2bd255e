#include "app/CliProfileCommand.h"

#include <memory>

#include <CLI/CLI.hpp>

namespace nxui::cli {

CliCommand ProfileCommand() {
  struct Group {
    std::vector<ProfileSubcommand> subcommands;
    std::vector<CLI::App*> apps;
  };
  auto group = std::make_shared<Group>();
  group->subcommands = ProfileEditorSubcommands();

  CliCommand command;
  command.name = "profile";
  command.description = "The utility's connection profiles: add and edit them as the profile editor does";
  command.configure = [group](CLI::App& app) {
    app.require_subcommand(1);
    for (ProfileSubcommand& sub : group->subcommands) {
      CLI::App* subApp = app.add_subcommand(sub.name, sub.description);
      if (sub.configure) sub.configure(*subApp);
      group->apps.push_back(subApp);
    }
  };
  command.run = [group](CliContext& c) {
    for (std::size_t i = 0; i < group->apps.size(); ++i) {
      if (group->apps[i]->parsed()) return group->subcommands[i].run(c);
    }
    return kExitUsage;
  };
  return command;
}

}  // namespace nxui::cli
