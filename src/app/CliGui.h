// The graphical entries of the command line: the program with tray and main window (no command)
// and the headless rendering of every window (`render DIR`). Both need the Qt front end; a build
// without it says so.
#pragma once

#include <ostream>
#include <string>

#include "app/CliOptions.h"

namespace nxui::cli {

// True when this build has the graphical front end.
bool GuiBuiltIn();
// `trayOnly`: started with "-s".
int StartGui(const CliOptions& options, bool trayOnly, int argc, char** argv, std::ostream& err);
int RenderWindows(const CliOptions& options, const std::string& directory, std::ostream& err);

}  // namespace nxui::cli
