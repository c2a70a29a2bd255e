// What the program hands the graphical front end and the headless rendering.
#pragma once

#include <string>

#include "platform/IMachine.h"

namespace nxui {

struct GuiOptions {
  // The machine the run is built on (the program chooses it: scenario, state folder).
  MachineFactory machine;
  std::string language;  // "en", "zh"; empty: the system locale decides
  // The command line after the program name; exactly "-s" (any case) starts in the tray only.
  std::string commandLine;
  // The program's ini file ([Advance], [Page]); empty: beside the machine's executable (for the
  // simulated machine in the state directory's drive C).
  std::string programIni;
  // The help document "?" opens; empty: "help/index.html" beside the executable. The launcher
  // opens it with the desktop's handler (a name looked up in PATH, or a path).
  std::string helpDocument;
  std::string helpLauncher = "xdg-open";
  // Appended to the single-instance name; instances with different scopes run side by side.
  std::string instanceScope;
  // Virtual seconds the world runs before the headless rendering takes its pictures.
  double settleSeconds = 10.0;
  // The program's own version resource, as the build states it.
  std::string version = "1.0.0.0";
  std::string legalCopyright = "Copyright (C) Norvix. All rights reserved.";
};

}  // namespace nxui
