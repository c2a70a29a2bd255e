#include "app/GuiMain.h"

#include <cstdio>
#include <vector>

#ifdef NXUI_HAVE_GUI
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

int RenderAll(const std::string& dir, const GuiOptions& options) {
  std::vector<std::string> written;
  std::string error;
  const int result = RenderAllViews(dir, WithBuildVersion(options), &written, &error);
  if (result != 0) {
    std::fprintf(stderr, "nxui: %s\n", error.c_str());
    return result;
  }
  std::printf("%zu pictures written to %s\n", written.size(), dir.c_str());
  return 0;
}

#else

int RunGui(int, char**, const GuiOptions&) {
  std::fprintf(stderr, "This build has no graphical front end; use one of the commands (see --help).\n");
  return 1;
}

int RenderAll(const std::string&, const GuiOptions&) {
  std::fprintf(stderr, "This build has no graphical front end, so it cannot render.\n");
  return 1;
}

#endif

}  // namespace nxui
