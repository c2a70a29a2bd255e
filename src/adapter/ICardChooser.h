#pragma once

#include "adapter/CSelCardDlg.h"

namespace nxui {

// Runs the selection modally (the owner marks the dialog as open meanwhile so that its timers do
// nothing) and returns once the user pressed OK.
class ICardChooser {
 public:
  virtual ~ICardChooser() = default;
  virtual void RunModal(CSelCardDlg& dialog) = 0;
};

}  // namespace nxui
