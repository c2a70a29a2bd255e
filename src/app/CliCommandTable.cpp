#include "app/CliCommand.h"

namespace nxui::cli {

std::vector<CliCommand> CliCommandTable() {
  return {
      AdapterCommand(), StatusCommand(),  StatsCommand(),   AboutCommand(),   SurveyCommand(),
      ApCommand(),      ProfileCommand(), WpsCommand(),     RadioCommand(),   HtCommand(),
      BaCommand(),      SsoCommand(),     AuthlogCommand(), MonitorCommand(), RenderCommand(),
  };
}

}  // namespace nxui::cli
