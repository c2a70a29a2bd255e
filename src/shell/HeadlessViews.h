// View ports for running without a window system (the command line and scripted runs): message
// boxes are answered with OK and remembered, the tray menu and the adapter choice take a preset
// answer, the main window is only counted.
#pragma once

#include <string>
#include <vector>

#include "adapter/ICardChooser.h"
#include "shell/CMessageBoxDlg.h"
#include "shell/IMainWindowView.h"
#include "shell/ITrayMenu.h"

namespace nxui::shell {

class HeadlessViews final : public IMessageBoxView, public ITrayMenu, public ICardChooser, public IMainWindowView {
 public:
  void RunModal(CMessageBoxDlg& box) override {
    messages.push_back(box.Text());
    box.OnOk();
  }
  UINT TrackPopup(const std::vector<TrayMenuItem>&) override { return menuChoice; }
  void RunModal(CSelCardDlg& dialog) override { dialog.SelectCandidate(cardChoice); }
  void Opened(CNxUI2007Dlg&) override { mainWindowOpen = true; }
  void Closed() override { mainWindowOpen = false; }
  void BringToFront() override {}

  std::vector<std::string> messages;
  UINT menuChoice = 0;
  int cardChoice = 0;
  bool mainWindowOpen = false;
};

}  // namespace nxui::shell
