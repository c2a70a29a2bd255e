// The profile editor as panel 2 of the main window: the editor with the window it talks through,
// and the hint window its validation texts appear in once a view shows the panel. The view
// attaches what draws the hint; without a view (the command line) hints go wherever the editor's
// window sends them.
#pragma once

#include <memory>
#include <tuple>

#include "profiles/CProfileEditorDlg.h"
#include "profiles/EditorField.h"
#include "shell/CInfoWnd.h"
#include "shell/IPage.h"

namespace nxui::shell {

class ShellProfileEditorWindow;

class ProfileEditorPanel final : public TypedPage<CProfileEditorDlg> {
 public:
  // `window` is the editor's window in the GUI (its hints go to the hint window attached here).
  ProfileEditorPanel(IEventLoop& loop, std::unique_ptr<CProfileEditorDlg> editor, ShellProfileEditorWindow& window);
  ~ProfileEditorPanel() override;

  CProfileEditorDlg& Get() override { return *editor_; }
  const CProfileEditorDlg& Get() const override { return *editor_; }
  void Show() override {}
  void Hide() override;
  HWND Window() const override { return 0; }
  std::uint64_t Revision() const override { return held_->Revision(); }

  // The view's hint drawing; null detaches it (the view goes).
  void AttachHintView(IInfoWndView* view);
  // The hint window while a view is attached.
  CInfoWnd* Hint() const { return hint_.get(); }
  // The edit the last hint pointed at, which the view gives the focus.
  EditorField FocusedField() const;

  // Everything the editor's view draws.
  static auto Snapshot(const CProfileEditorDlg& editor) {
    return std::make_tuple(editor.State(), editor.SystemConfig().State(), editor.AuthEncry().State());
  }

 private:
  IEventLoop& loop_;
  CProfileEditorDlg* editor_;
  std::unique_ptr<IPage> held_;  // owns the editor and counts its revisions
  ShellProfileEditorWindow& window_;
  std::unique_ptr<CInfoWnd> hint_;
};

}  // namespace nxui::shell
