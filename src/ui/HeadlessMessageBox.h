// The message box where nobody can answer (headless rendering): every box is noted and ends as
// if OK had been pressed.
#pragma once

#include <string>
#include <vector>

#include "shell/CMessageBoxDlg.h"

namespace nxui {

class HeadlessMessageBox final : public shell::IMessageBoxView {
 public:
  void RunModal(shell::CMessageBoxDlg& box) override {
    texts.push_back(box.Text());
    box.OnOk();
  }
  std::vector<std::string> texts;
};

}  // namespace nxui
