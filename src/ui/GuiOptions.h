// What the command line hands the graphical front end and the headless rendering.
#pragma once

#include <string>

namespace nxui {

struct GuiOptions {
  std::string scenarioFile;    // empty: the scenario compiled into the program
  std::string stateDirectory;  // empty: a fresh temporary state, removed at the end
  std::string language;        // "en", "zh"; empty: the system locale decides
  // The command line after the program name; exactly "-s" (any case) starts in the tray only.
  std::string commandLine;
  // The program's ini file ([Advance], [Page]); empty: beside the simulated executable, in the
  // state directory's drive C.
  std::string programIni;
  // Appended to the single-instance name; instances with different scopes run side by side.
  std::string instanceScope;
  // Virtual seconds the world runs before the headless rendering takes its pictures.
  double settleSeconds = 10.0;
  // The program's own version resource, as the build states it.
  std::string version = "1.0.0.0";
  std::string legalCopyright = "Copyright (C) Norvix. All rights reserved.";
};

}  // namespace nxui
