// The tray's pop-up menu: the items the hidden window hands over, shown at the cursor.
#pragma once

#include <memory>

#include "shell/ITrayMenu.h"

class QMenu;

namespace nxui {

class QtTrayMenu final : public shell::ITrayMenu {
 public:
  UINT TrackPopup(const std::vector<shell::TrayMenuItem>& items) override;

  // The menu for the items; each action's data is its command.
  static std::unique_ptr<QMenu> BuildMenu(const std::vector<shell::TrayMenuItem>& items);
};

}  // namespace nxui
