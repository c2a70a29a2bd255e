#pragma once

#include <string>
#include <string_view>

#include "platform/WinTypes.h"

namespace nxui {

enum class NotifyIconAction { Add, Modify, Delete };

// NOTIFYICONDATA as the tray code fills it.
struct NotifyIconData {
  UINT id = 0;
  UINT callbackMessage = 0;
  int iconNumber = 0;  // resource number of the icon
  std::string tip;     // tooltip text
};

// Shell: tray icon, opening documents and links, running a command line.
class IShell {
 public:
  virtual ~IShell() = default;

  // Shell_NotifyIcon. False when the notification area refused (e.g. the shell is not running).
  virtual bool NotifyIcon(NotifyIconAction action, const NotifyIconData& data) = 0;
  // ShellExecute("open", target).
  virtual bool Open(std::string_view fileOrUrl) = 0;
  // WinExec(commandLine, SW_SHOWMINIMIZED).
  virtual bool RunMinimised(std::string_view commandLine) = 0;
};

}  // namespace nxui
