#include "app/CliCommand.h"

namespace nxui::cli {

std::vector<CliCommand> CliCommandTable() {
  return {
      AdapterCommand(), StatusCommand(), StatsCommand(), AboutCommand(),
      RadioCommand(),   MonitorCommand(), RenderCommand(),
  };
}

}  // namespace nxui::cli
