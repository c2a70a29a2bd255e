#include "app/GuiMain.h"

#include <cstdio>
#include <vector>

#ifdef NXUI_HAVE_GUI
#include "app/DemoScenarios.h"
#include "sim/SimMachine.h"
#include "ui/GuiApp.h"
#endif

namespace nxui {

#ifdef NXUI_HAVE_GUI

namespace {

GuiOptions WithBuildVersion(GuiOptions options) {
#ifdef NXUI_VERSION
  // The build states three parts; the version resource has four.
  if (options.version == GuiOptions{}.version) options.version = std::string(NXUI_VERSION) + ".0";
#endif
  return options;
}

}  // namespace

int RunGui(int argc, char** argv, const GuiOptions& options) {
  return RunGuiApplication(argc, argv, WithBuildVersion(options));
}

int RenderAll(const std::string& dir, const GuiOptions& options, const std::string& scenarioFile) {
  // Each world starts from a fresh state, so the pictures do not depend on earlier runs.
  const sim::SimOptions fresh{"", true};
  RenderWorlds worlds;
  worlds.full = scenarioFile.empty() ? sim::SimMachineFactoryFromText(DemoConnectedScenario(), "connected", fresh)
                                     : sim::SimMachineFactory(scenarioFile, fresh);
  for (auto& [name, json] : DemoScenarios()) {
    worlds.scenarios.emplace_back(name, sim::SimMachineFactoryFromText(json, name, fresh));
  }
  worlds.otherLanguage = {"connected", sim::SimMachineFactoryFromText(DemoConnectedScenario(), "connected", fresh)};
  std::vector<std::string> written;
  std::string error;
  const int result = RenderAllViews(dir, WithBuildVersion(options), worlds, &written, &error);
  if (result != 0) {
    std::fprintf(stderr, "nxui: %s\n", error.c_str());
    return result;
  }
  std::printf("%zu pictures written to %s\n", written.size(), dir.c_str());
  return 0;
}

#else

int RunGui(int, char**, const GuiOptions&) {
  std::fprintf(stderr, "nxui: this build has no graphical front end; use one of the commands (see --help)\n");
  return 1;
}

int RenderAll(const std::string&, const GuiOptions&, const std::string&) {
  std::fprintf(stderr, "nxui: this build has no graphical front end, so it cannot render\n");
  return 1;
}

#endif

}  // namespace nxui
