// The program's message box as a Qt dialog: caption "ZELU", the text, one OK button. OK ends the
// box with 1, closing the window with 2.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>

#include "shell/CMessageBoxDlg.h"

namespace nxui {

class QtMessageBoxView final : public shell::IMessageBoxView {
 public:
  // `parentWindow` gives the window to centre over (null: the desktop).
  explicit QtMessageBoxView(std::function<QWidget*()> parentWindow = {}) : parentWindow_(std::move(parentWindow)) {}

  void RunModal(shell::CMessageBoxDlg& box) override;

  // The dialog for a box; accepting it is OK. Also used by the headless rendering and tests.
  static std::unique_ptr<QDialog> BuildDialog(shell::CMessageBoxDlg& box, QWidget* parent);

  // The same box without waiting for it: for what the front end itself has to say (a help
  // document that cannot be opened). It deletes itself when closed; the dialog is returned.
  static QDialog* ShowNotice(const std::string& text, const std::string& okCaption, QWidget* parent);

  // Runs before the dialog's own loop (tests close the box through it).
  std::function<void(QDialog&)> beforeExec;

 private:
  std::function<QWidget*()> parentWindow_;
};

}  // namespace nxui
