// The front end's side of the main-window model: when the hidden window opens the model, the
// pages are built and the window is shown; when the model goes, both go. While open, the window
// follows the models whenever they may have changed: after each timer tick or message the core's
// event loop handled, and after each input the user gave the window. Nothing polls.
#pragma once

#include <QObject>

#include <memory>

#include "shell/IMainWindowView.h"
#include "shell/PageSet.h"

namespace nxui {

class GuiCore;
class MainWindowView;

class QtMainWindowHost final : public QObject, public shell::IMainWindowView {
  Q_OBJECT

 public:
  // `showWindows` false: the window is built and kept up to date but never shown (headless).
  explicit QtMainWindowHost(GuiCore& core, bool showWindows = true);
  ~QtMainWindowHost() override;

  void Opened(shell::CNxUI2007Dlg& window) override;
  void Closed() override;
  void BringToFront() override;

  MainWindowView* View() const { return view_.get(); }
  shell::PageSet* Pages() const { return pages_.get(); }
  shell::CNxUI2007Dlg* Model() const { return model_; }
  // Pages follow the model, then the window renders what changed.
  void SyncNow();
  // A sync once the events being handled now are done; several requests make one sync.
  void ScheduleSync();
  bool SyncScheduled() const { return syncScheduled_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StopFollowing();

  GuiCore& core_;
  bool showWindows_;
  shell::CNxUI2007Dlg* model_ = nullptr;
  std::unique_ptr<shell::PageSet> pages_;
  std::unique_ptr<MainWindowView> view_;
  bool following_ = false;
  bool syncScheduled_ = false;
};

}  // namespace nxui
