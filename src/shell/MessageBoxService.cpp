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

bool MessageBoxService::Ask(const std::string& text, HWND parent) {
  auto text_of = [this](std::uint32_t id, const char* fallback) {
    return strings_ ? strings_(id) : std::string(fallback);
  };
  CMessageBoxDlg box(text, text_of(string_id::kOk, "OK"), parent, text_of(string_id::kCancel, "Cancel"));
  ++shown_;
  view_.RunModal(box);
  return box.Result() == CMessageBoxDlg::kResultOk;
}

}  // namespace nxui::shell
