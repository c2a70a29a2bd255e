// The profile editor's window in a command-line run: the panels switch in the main window as in
// the GUI (and a save refreshes the profile page); messages, questions and hints go to the command
// that drives the editor while one does, else to the headless message box.
#pragma once

#include "profiles/IProfileEditorWindow.h"
#include "shell/ShellProfileEditorWindow.h"

namespace nxui::cli {

class CliProfileEditorWindow final : public IProfileEditorWindow {
 public:
  explicit CliProfileEditorWindow(shell::ShellProfileEditorWindow& shell) : shell_(shell) {}

  void SetAnswers(IProfileEditorWindow* answers) { answers_ = answers; }

  int ShowMessage(const std::string& text) override {
    return answers_ ? answers_->ShowMessage(text) : shell_.ShowMessage(text);
  }
  bool Confirm(const std::string& text) override { return answers_ ? answers_->Confirm(text) : shell_.Confirm(text); }
  void ShowHint(EditorField field, const std::string& text) override {
    if (answers_) {
      answers_->ShowHint(field, text);
    } else {
      shell_.ShowHint(field, text);
    }
  }
  void ShowEditorPanel() override { shell_.ShowEditorPanel(); }
  void CloseEditorPanel(bool saved) override { shell_.CloseEditorPanel(saved); }

 private:
  shell::ShellProfileEditorWindow& shell_;
  IProfileEditorWindow* answers_ = nullptr;
};

}  // namespace nxui::cli
