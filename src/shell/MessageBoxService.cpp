#include "shell/MessageBoxService.h"

#include "display/StringTable.h"
#include "shell/ShellIds.h"

namespace nxui::shell {

int MessageBoxService::ShowMessage(const std::string& text, HWND parent) {
  CMessageBoxDlg box(text, strings_ ? strings_(string_id::kOk) : std::string("OK"), parent);
  ++shown_;
  view_.RunModal(box);
  return box.Result();
}

}  // namespace nxui::shell
