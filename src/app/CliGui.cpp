#include "app/CliGui.h"

#include "app/CliCommand.h"

#if defined(NXUI_HAVE_GUI) && __has_include("app/GuiMain.h")
#define NXUI_CLI_HAS_GUI 1
#include "app/GuiMain.h"
#include "sim/SimMachine.h"
#endif

#ifndef NXUI_VERSION
#define NXUI_VERSION "0.0.0"
#endif

namespace nxui::cli {

namespace {

constexpr const char* kNoGui =
    "nxui: this build has no graphical interface (configure with -DNXUI_BUILD_GUI=ON); "
    "run a command instead, see 'nxui --help'\n";

#ifdef NXUI_CLI_HAS_GUI
GuiOptions ToGuiOptions(const CliOptions& options, bool trayOnly) {
  GuiOptions gui;
  // The simulated machine is the only one this program knows.
  gui.machine = sim::SimMachineFactory(options.scenarioFile,
                                       sim::SimOptions{options.stateDirectory, options.stateDirectory.empty()});
  gui.language = options.language == Language::kChinese ? "zh" : "en";
  gui.commandLine = trayOnly ? "-s" : "";
  gui.settleSeconds = options.settleSeconds;
  gui.version = std::string(NXUI_VERSION) + ".0";
  return gui;
}
#endif

}  // namespace

#ifdef NXUI_CLI_HAS_GUI
bool GuiBuiltIn() { return true; }

int StartGui(const CliOptions& options, bool trayOnly, int argc, char** argv, std::ostream&) {
  return RunGui(argc, argv, ToGuiOptions(options, trayOnly));
}

int RenderWindows(const CliOptions& options, const std::string& directory, std::ostream&) {
  return RenderAll(directory, ToGuiOptions(options, false), options.scenarioFile);
}
#else
bool GuiBuiltIn() { return false; }

int StartGui(const CliOptions&, bool, int, char**, std::ostream& err) {
  err << kNoGui;
  return kExitFailure;
}

int RenderWindows(const CliOptions&, const std::string&, std::ostream& err) {
  err << kNoGui;
  return kExitFailure;
}
#endif

}  // namespace nxui::cli
