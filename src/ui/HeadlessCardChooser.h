// The adapter chooser where nobody can choose (headless rendering): the first candidate stays.
#pragma once

#include "adapter/ICardChooser.h"

namespace nxui {

class HeadlessCardChooser final : public ICardChooser {
 public:
  void RunModal(CSelCardDlg&) override {}
};

}  // namespace nxui
