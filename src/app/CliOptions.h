// The global options of the command line.
#pragma once

#include <string>

#include "display/StringTable.h"

namespace nxui::cli {

struct CliOptions {
  std::string scenarioFile;    // empty: the embedded scenario
  std::string stateDirectory;  // empty: a fresh temporary one, removed at the end
  Language language = Language::kEnglish;
  bool json = false;
  double settleSeconds = 10.0;
  int card = 0;  // the candidate the adapter selection picks when several adapters are supported
};

}  // namespace nxui::cli
