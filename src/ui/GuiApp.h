// The two ways the front end runs: the interactive program (tray and main window on the machine the
// program chose, in real time) and the headless rendering of every window into PNG files.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/GuiOptions.h"

class QApplication;

namespace nxui {

class GuiCore;

// Runs until "Exit". A second launch hands over to the first and returns 0 at once. Returns 1
// when the machine cannot be made (the reason goes to stderr).
int RunGuiApplication(int argc, char** argv, const GuiOptions& options);

// The same on an existing application object; `started` runs once the hidden window is up.
int RunGuiOn(QApplication& app, const GuiOptions& options, const std::function<void(GuiCore&)>& started = {});

// The machines the headless rendering draws, each from a fresh state.
struct RenderWorlds {
  // The main window expanded and collapsed, every page and panel, the survey sorted and the AP
  // details of "HomeNet" and "OldRouter".
  MachineFactory full;
  // One picture each, "scenario-<name>": the main window expanded, or without one the message the
  // user got when asking for it, and the tray icon.
  std::vector<std::pair<std::string, MachineFactory>> scenarios;
  // Drawn once more in the other language, as "scenario-<name>-<language>".
  std::pair<std::string, MachineFactory> otherLanguage;
};

// Renders the worlds, the message box, the hint window, the tray menu and the icons into
// `folder`, under virtual time after each world has settled. Creates a QApplication on the
// offscreen platform when none exists. Returns 0 on success, 1 on failure (reason in `error`).
int RenderAllViews(const std::string& folder, const GuiOptions& options, const RenderWorlds& worlds,
                   std::vector<std::string>* written = nullptr, std::string* error = nullptr);

}  // namespace nxui
