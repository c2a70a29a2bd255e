#include "ui/QtMainWindowHost.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui/GuiCore.h"
#include "ui/MainWindowView.h"

namespace nxui {
namespace {

// A message the hidden window takes without doing anything (roaming end); handling any message
// makes it forget a main window the user closed, so the pages stop at once.
constexpr UINT kNudgeMessage = 0x402;

std::size_t ScreenWidth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? static_cast<std::size_t>(screen->size().width()) : 1920;
}

}  // namespace

QtMainWindowHost::QtMainWindowHost(GuiCore& core, bool showWindows) : core_(core), showWindows_(showWindows) {
  syncTimer_.setInterval(kSyncPeriodMs);
  connect(&syncTimer_, &QTimer::timeout, this, &QtMainWindowHost::SyncNow);
}

QtMainWindowHost::~QtMainWindowHost() { Closed(); }

void QtMainWindowHost::Opened(shell::CNxUI2007Dlg& window) {
  Closed();
  if (core_.Core() == nullptr) return;
  model_ = &window;
  pages_ = core_.Core()->MakePages(core_.ProgramVersion(), ScreenWidth());
  pages_->BuildAll();
  pages_->Sync();
  view_ = std::make_unique<MainWindowView>(window, *pages_);
  view_->SetFitToScreen(showWindows_);
  connect(view_.get(), &MainWindowView::UserClosed, this, [this] {
    syncTimer_.stop();
    if (shell::CHideDlg* h = core_.Hide()) core_.Loop().PostMessage(h->Window(), kNudgeMessage, 0, 0);
  });
  if (showWindows_) syncTimer_.start();
}

void QtMainWindowHost::Closed() {
  syncTimer_.stop();
  // The window shows the pages: it goes first.
  view_.reset();
  pages_.reset();
  model_ = nullptr;
}

void QtMainWindowHost::BringToFront() {
  if (!view_) return;
  SyncNow();
  if (!showWindows_) return;
  // A minimised window is brought back too: without a task bar it could not be found again.
  if (view_->isMinimized()) view_->setWindowState(view_->windowState() & ~Qt::WindowMinimized);
  view_->show();
  view_->raise();
  view_->activateWindow();
}

void QtMainWindowHost::SyncNow() {
  if (!view_ || !pages_) return;
  pages_->Sync();
  view_->Sync();
}

}  // namespace nxui
