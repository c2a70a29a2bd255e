// The two ways the front end runs: the interactive program (tray and main window on the simulated
// machine, in real time) and the headless rendering of every window into PNG files.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/GuiOptions.h"

class QApplication;

namespace nxui {

class GuiCore;

// Runs until "Exit". A second launch hands over to the first and returns 0 at once. Returns 1
// when the scenario or the state cannot be used (the reason goes to stderr).
int RunGuiApplication(int argc, char** argv, const GuiOptions& options);

// The same on an existing application object; `started` runs once the hidden window is up.
int RunGuiOn(QApplication& app, const GuiOptions& options, const std::function<void(GuiCore&)>& started = {});

// Renders the main window (expanded and collapsed), every page and every panel, the message box,
// the hint window, the tray menu and icons, and the scenarios worth looking at (connected,
// disconnected, no adapter, an adapter without 802.11n, one receive chain, failing signal
// queries, WLAN service off)
// into `folder`, under virtual time after the world has settled. Creates a QApplication on the
// offscreen platform when none exists. Returns 0 on success, 1 on failure (reason in `error`).
int RenderAllViews(const std::string& folder, const GuiOptions& options, std::vector<std::string>* written = nullptr,
                   std::string* error = nullptr);

}  // namespace nxui
