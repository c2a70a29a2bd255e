// The profile editor's window in the GUI: messages and the duplicate-name question through the
// program's message box, validation hints through the hint window anchored at the offending edit,
// and the editor shown as panel 2 of the enlarged main window, left for the profile page.
#pragma once

#include <functional>
#include <string>

#include "profiles/IProfileEditorWindow.h"

namespace nxui::shell {

class CHideDlg;
class CInfoWnd;

// Control ids of the editor's edits, the anchors of its hints.
inline constexpr int kCtlEditorFieldBase = 7100;

class ShellProfileEditorWindow final : public IProfileEditorWindow {
 public:
  static int ControlOf(EditorField field) { return kCtlEditorFieldBase + static_cast<int>(field); }

  // `hint` may be null while no view shows the editor; `closed` refreshes the profile page.
  ShellProfileEditorWindow(CHideDlg& hidden, CInfoWnd* hint, std::function<void(bool saved)> closed)
      : hidden_(hidden), hint_(hint), closed_(std::move(closed)) {}

  void SetHintWindow(CInfoWnd* hint) { hint_ = hint; }
  // The field of the last hint, which the view gives the focus.
  EditorField FocusedField() const { return focused_; }

  int ShowMessage(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void ShowHint(EditorField field, const std::string& text) override;
  void ShowEditorPanel() override;
  void CloseEditorPanel(bool saved) override;

 private:
  CHideDlg& hidden_;
  CInfoWnd* hint_;
  std::function<void(bool)> closed_;
  EditorField focused_ = EditorField::ProfileName;
};

}  // namespace nxui::shell
