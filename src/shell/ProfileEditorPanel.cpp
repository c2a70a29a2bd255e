#include "shell/ProfileEditorPanel.h"

#include "shell/ShellProfileEditorWindow.h"

namespace nxui::shell {

ProfileEditorPanel::ProfileEditorPanel(IEventLoop& loop, std::unique_ptr<CProfileEditorDlg> editor,
                                       ShellProfileEditorWindow& window)
    : loop_(loop), editor_(editor.get()), window_(window) {
  held_ = HoldPage(std::move(editor), [](const CProfileEditorDlg& e) { return Snapshot(e); });
}

ProfileEditorPanel::~ProfileEditorPanel() { AttachHintView(nullptr); }

void ProfileEditorPanel::Hide() {
  if (hint_) hint_->Hide();
}

void ProfileEditorPanel::AttachHintView(IInfoWndView* view) {
  window_.SetHintWindow(nullptr);
  hint_.reset();
  if (view == nullptr) return;
  // Below the edit, so that a hint at the top row does not cover the tabs.
  hint_ = std::make_unique<CInfoWnd>(loop_, *view, kHintBelow);
  window_.SetHintWindow(hint_.get());
}

EditorField ProfileEditorPanel::FocusedField() const { return window_.FocusedField(); }

}  // namespace nxui::shell
