// ShowMessage as the pages and the hidden window call it.
#pragma once

#include <string>

#include "shell/CMessageBoxDlg.h"
#include "shell/ShellStrings.h"

namespace nxui::shell {

class MessageBoxService {
 public:
  MessageBoxService(IMessageBoxView& view, StringLookup strings) : view_(view), strings_(std::move(strings)) {}

  // 1 after OK, 2 after closing the window.
  int ShowMessage(const std::string& text, HWND parent = 0);
  // The same box with OK and Cancel: true only after OK.
  bool Ask(const std::string& text, HWND parent = 0);

  // The boxes shown so far (for the owner's bookkeeping and the command line).
  int ShownCount() const { return shown_; }

 private:
  IMessageBoxView& view_;
  StringLookup strings_;
  int shown_ = 0;
};

}  // namespace nxui::shell
