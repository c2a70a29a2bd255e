// The tray menu where nobody can choose (headless rendering): the menu is dismissed.
#pragma once

#include "shell/ITrayMenu.h"

namespace nxui {

class HeadlessTrayMenu final : public shell::ITrayMenu {
 public:
  UINT TrackPopup(const std::vector<shell::TrayMenuItem>&) override { return 0; }
};

}  // namespace nxui
