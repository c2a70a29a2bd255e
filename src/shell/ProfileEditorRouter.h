// The profile editor's window as the core hands it out: the shell's window (message box, hint
// window, main-window panels) unless a command takes the messages, questions and hints over
// (`SetAnswers`); showing and closing the panel always go to the shell's window.
#pragma once

#include "profiles/IProfileEditorWindow.h"

namespace nxui::shell {

class ProfileEditorRouter final : public IProfileEditorWindow {
 public:
  // The window of the editor panel that is built; null while none is.
  void SetShellWindow(IProfileEditorWindow* shell) { shell_ = shell; }
  void SetAnswers(IProfileEditorWindow* answers) { answers_ = answers; }

  int ShowMessage(const std::string& text) override {
    IProfileEditorWindow* to = Talker();
    return to != nullptr ? to->ShowMessage(text) : 1;
  }
  bool Confirm(const std::string& text) override {
    IProfileEditorWindow* to = Talker();
    return to != nullptr && to->Confirm(text);
  }
  void ShowHint(EditorField field, const std::string& text) override {
    if (IProfileEditorWindow* to = Talker()) to->ShowHint(field, text);
  }
  void ShowEditorPanel() override {
    if (shell_ != nullptr) shell_->ShowEditorPanel();
  }
  void CloseEditorPanel(bool saved) override {
    if (shell_ != nullptr) shell_->CloseEditorPanel(saved);
  }

 private:
  IProfileEditorWindow* Talker() const { return answers_ != nullptr ? answers_ : shell_; }

  IProfileEditorWindow* shell_ = nullptr;
  IProfileEditorWindow* answers_ = nullptr;
};

}  // namespace nxui::shell
