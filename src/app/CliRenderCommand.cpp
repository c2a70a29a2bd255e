#include <CLI/CLI.hpp>

#include "app/CliCommand.h"
#include "app/CliGui.h"

namespace nxui::cli {

CliCommand RenderCommand() {
  auto directory = std::make_shared<std::string>();
  CliCommand command;
  command.name = "render";
  command.description = "Pictures (PNG) of every window into DIR, rendered without a display";
  command.needsCore = false;
  command.needsAdapter = false;
  command.configure = [directory](CLI::App& app) {
    app.add_option("DIR", *directory, "Folder for the pictures (created when missing)")->required();
  };
  command.run = [directory](CliContext& c) { return RenderWindows(c.options, *directory, c.err); };
  return command;
}

}  // namespace nxui::cli
