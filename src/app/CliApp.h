// The command line: global options and the command table parsed with CLI11, the core run for the
// chosen command, its report printed as JSON or aligned text, and the exit code.
#pragma once

#include <ostream>

namespace nxui::cli {

class CliApp {
 public:
  int Run(int argc, char** argv, std::ostream& out, std::ostream& err);
};

}  // namespace nxui::cli
