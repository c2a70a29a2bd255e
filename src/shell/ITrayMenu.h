#pragma once

#include <string>
#include <vector>

#include "platform/WinTypes.h"

namespace nxui::shell {

struct TrayMenuItem {
  UINT command;
  std::string text;
};

// The tray's pop-up menu at the cursor (right-button tracking). The view shows the items and
// returns the chosen command, 0 when the menu was dismissed.
class ITrayMenu {
 public:
  virtual ~ITrayMenu() = default;
  virtual UINT TrackPopup(const std::vector<TrayMenuItem>& items) = 0;
};

}  // namespace nxui::shell
