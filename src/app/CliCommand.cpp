#include "app/CliCommand.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <memory>
#include <utility>

namespace nxui::cli {

CliCommand CommandOfActions(std::string name, std::string description, std::vector<CliAction> actions) {
  struct Shared {
    std::vector<CliAction> actions;
    std::vector<CLI::App*> apps;
  };
  auto shared = std::make_shared<Shared>();
  shared->actions = std::move(actions);
  CliCommand command;
  command.name = std::move(name);
  command.description = std::move(description);
  command.configure = [shared](CLI::App& app) {
    app.require_subcommand(1, 1);
    for (CliAction& action : shared->actions) {
      CLI::App* sub = app.add_subcommand(action.name, action.description);
      if (action.configure) action.configure(*sub);
      shared->apps.push_back(sub);
    }
  };
  command.run = [shared](CliContext& c) {
    for (std::size_t i = 0; i < shared->actions.size(); ++i) {
      if (shared->apps[i]->parsed()) return shared->actions[i].run(c);
    }
    return kExitUsage;
  };
  return command;
}

std::string MacAddressArgument(const std::string& text) {
  if (text.size() != 17) return {};
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (i % 3 == 2) {
      if (c != '-' && c != ':') return {};
      result += '-';
    } else {
      if (std::isxdigit(static_cast<unsigned char>(c)) == 0) return {};
      result += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  return result;
}

}  // namespace nxui::cli
