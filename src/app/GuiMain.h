// The command line's two graphical entries: the program with tray and main window, and the
// headless rendering of every window into a folder.
#pragma once

#include <string>

#include "ui/GuiOptions.h"

namespace nxui {

// The interactive program on the options' machine. 0 after "Exit" or after handing over to a
// running instance; 1 when the machine cannot be made or the build has no GUI.
int RunGui(int argc, char** argv, const GuiOptions& options);

// PNG pictures of every window into `dir` (created when missing): every page and panel on the
// scenario file's world (empty: the connected demonstration world), then the demonstration worlds,
// each from a fresh temporary state. 0 on success, 1 on failure with the reason on stderr.
int RenderAll(const std::string& dir, const GuiOptions& options, const std::string& scenarioFile);

}  // namespace nxui
