#include "shell/ShellProfileEditorWindow.h"

#include "profiles/CProfileEditorDlg.h"
#include "shell/CHideDlg.h"
#include "shell/CInfoWnd.h"

namespace nxui::shell {

namespace {
HWND Parent(CHideDlg& hidden) {
  CNxUI2007Dlg* window = hidden.MainWindow();
  return window != nullptr ? window->Window() : 0;
}
}  // namespace

int ShellProfileEditorWindow::ShowMessage(const std::string& text) {
  return hidden_.Messages().ShowMessage(text, Parent(hidden_));
}

bool ShellProfileEditorWindow::Confirm(const std::string& text) {
  return hidden_.Messages().Ask(text, Parent(hidden_));
}

void ShellProfileEditorWindow::ShowHint(EditorField field, const std::string& text) {
  focused_ = field;
  if (hint_ != nullptr) hint_->Show(ControlOf(field), text);
}

void ShellProfileEditorWindow::ShowEditorPanel() {
  CNxUI2007Dlg* window = hidden_.MainWindow();
  if (window == nullptr) return;
  // The lower frame, where the editor lives, shows only in the enlarged layout.
  hidden_.MutableState().expanded = true;
  window->RefreshMoreLess();
  window->ShowPanel(CProfileEditorDlg::kPanel);
}

void ShellProfileEditorWindow::CloseEditorPanel(bool saved) {
  if (hint_ != nullptr) hint_->Hide();
  if (CNxUI2007Dlg* window = hidden_.MainWindow()) {
    window->ShowPanel(kPanelLinkStatus);
    window->OnPageButton(PageId::Profile);
  }
  if (closed_) closed_(saved);
}

}  // namespace nxui::shell
