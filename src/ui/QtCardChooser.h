// The adapter selection dialog ("Select a Wireless LAN card") shown when several supported
// adapters are present.
#pragma once

#include "adapter/ICardChooser.h"

namespace nxui {

class QtCardChooser final : public ICardChooser {
 public:
  void RunModal(CSelCardDlg& dialog) override;
};

}  // namespace nxui
