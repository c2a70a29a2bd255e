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
  group->subcommands = ProfileStoreSubcommands();
  for (ProfileSubcommand& sub : ProfileEditorSubcommands()) group->subcommands.push_back(std::move(sub));

  CliCommand command;
  command.name = "profile";
  command.description = "The utility's connection profiles: list, show, add, edit, delete, apply or export one";
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
