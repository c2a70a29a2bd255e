#include "ui/QtMainWindowHost.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

// Input after which a page or the window model may have changed: the views call the page classes
// from the handlers of these events.
bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
      return true;
    default:
      return false;
  }
}

// Whether `widget` is `window` or lies inside it, pop-ups of its controls (a combo box's list)
// included.
bool Inside(const QWidget* widget, const QWidget* window) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    if (widget == window) return true;
  }
  return false;
}

}  // namespace

QtMainWindowHost::QtMainWindowHost(GuiCore& core, bool showWindows) : core_(core), showWindows_(showWindows) {}

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
    StopFollowing();
    if (shell::CHideDlg* h = core_.Hide()) core_.Loop().PostMessage(h->Window(), kNudgeMessage, 0, 0);
  });
  // The loop calls this once a timer's or a message's handler has returned: the window follows at
  // once, in the same turn of the event loop. Posting the sync instead cost every idle timer (the
  // More/Less refresh five times a second) a second turn.
  core_.Loop().SetDispatchObserver([this] { SyncNow(); });
  QCoreApplication::instance()->installEventFilter(this);
  following_ = true;
}

void QtMainWindowHost::StopFollowing() {
  if (!following_) return;
  following_ = false;
  core_.Loop().SetDispatchObserver({});
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

void QtMainWindowHost::Closed() {
  StopFollowing();
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
  syncScheduled_ = false;
  if (!view_ || !pages_) return;
  pages_->Sync();
  view_->Sync();
}

void QtMainWindowHost::ScheduleSync() {
  if (syncScheduled_ || !view_) return;
  syncScheduled_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (syncScheduled_) SyncNow();
      },
      Qt::QueuedConnection);
}

bool QtMainWindowHost::eventFilter(QObject* watched, QEvent* event) {
  // Looked at before the widget handles the event; the sync runs after its handler.
  if (following_ && IsUserInput(event->type()) && watched->isWidgetType() &&
      Inside(static_cast<QWidget*>(watched), view_.get())) {
    ScheduleSync();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace nxui
