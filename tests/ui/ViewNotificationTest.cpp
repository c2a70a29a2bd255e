// How the main window learns that something changed: after each dispatch of the core's loop and
// each input the user gives the window, never from a timer of its own; and when nothing changed,
// a sync paints nothing.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "GuiTestWorld.h"
#include "shell/ShellIds.h"
#include "survey/CAPDetailInfoDlg.h"
#include "ui/LinkStatusView.h"

namespace nxui {
namespace {

using test::GuiTestWorld;
using test::WorldSetup;

// Counts the paint events of the widgets inside one window.
class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget& window) : window_(window) { QCoreApplication::instance()->installEventFilter(this); }
  ~PaintCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
  int Count(const QWidget* widget) const {
    const auto it = paints_.find(widget);
    return it == paints_.end() ? 0 : it->second;
  }
  int Total() const {
    int total = 0;
    for (const auto& [widget, n] : paints_) total += n;
    return total;
  }
  void Reset() { paints_.clear(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      if (widget == &window_ || window_.isAncestorOf(widget)) ++paints_[widget];
    }
    return false;
  }

 private:
  QWidget& window_;
  std::map<const QWidget*, int> paints_;
};

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

TEST(ViewNotification, ChangesInTheCoreReachTheWindowWithoutAnyoneSyncing) {
  WorldSetup setup;
  // The network the adapter is connected to leaves at 12 s.
  setup.events = R"({"at": 12.0, "do": "remove-network", "bssid": "00-1D-7E-4A-21-90"})";
  GuiTestWorld world(setup);
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  Settle();
  const QLabel* status = view->LinkStatus()->Value("status");
  ASSERT_TRUE(status->text().startsWith(QLatin1String("HomeNet"))) << status->text().toStdString();
  EXPECT_FALSE(world.host->SyncScheduled());

  // Only the loop runs: no SyncNow, and no Qt event either. The window follows in the same turn
  // as the timer that saw the change; nothing is left for a later one.
  world.loop.AdvanceBy(6000);
  EXPECT_FALSE(world.host->SyncScheduled());
  EXPECT_FALSE(status->text().startsWith(QLatin1String("HomeNet"))) << status->text().toStdString();
}

TEST(ViewNotification, AfterTheWindowClosesTheLoopNoLongerSyncsIt) {
  GuiTestWorld world(WorldSetup{});
  ASSERT_NE(world.View(), nullptr);
  Settle();
  world.View()->close();
  world.loop.AdvanceBy(2500);
  EXPECT_FALSE(world.host->SyncScheduled());
  EXPECT_EQ(world.View(), nullptr);  // the hidden window forgot it on its next message
}

struct InputCase {
  const char* name;
  QEvent::Type type;
  bool insideWindow;
  bool syncs;
};

TEST(ViewNotification, UserInputOnTheWindowSyncsItAfterItsHandler) {
  const InputCase cases[] = {
      {"mouse release on the window", QEvent::MouseButtonRelease, true, true},
      {"double click on the window", QEvent::MouseButtonDblClick, true, true},
      {"key press on the window", QEvent::KeyPress, true, true},
      {"mouse move: no input that acts", QEvent::MouseMove, true, false},
      {"key press on another window", QEvent::KeyPress, false, false},
  };
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.name);
    GuiTestWorld world(WorldSetup{});
    MainWindowView* view = world.View();
    ASSERT_NE(view, nullptr);
    Settle();
    QWidget elsewhere;
    // A page changes the model behind the window's back: the AP details open in the lower frame.
    world.Model()->ShowPanel(CAPDetailInfoDlg::kPanel);
    QWidget* target = c.insideWindow ? view->PageArea() : &elsewhere;
    if (c.type == QEvent::KeyPress) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
      QCoreApplication::sendEvent(target, &key);
    } else {
      QMouseEvent mouse(c.type, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(target, &mouse);
    }
    EXPECT_EQ(world.host->SyncScheduled(), c.syncs);
    Settle();
    EXPECT_EQ(view->LowerFrame()->currentIndex() == CAPDetailInfoDlg::kPanel, c.syncs);
    // The detail view opened is what the user asked to see: the window expands for it.
    EXPECT_EQ(world.Model()->State().expanded, c.syncs);
    EXPECT_EQ(world.host->Pages()->Shown(shell::PageKey::Panel(CAPDetailInfoDlg::kPanel)), c.syncs);
  }
}

TEST(ViewNotification, SyncsWithNothingChangedPaintNothing) {
  WorldSetup setup;
  setup.shown = true;
  GuiTestWorld world(setup);
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  view->MoreLessButton()->click();
  for (int i = 0; i < 20; ++i) Settle();
  PaintCounter paints(*view);
  for (int i = 0; i < 10; ++i) {
    world.host->SyncNow();
    Settle();
  }
  EXPECT_EQ(paints.Total(), 0);

  // The radio's picture changes: its button repaints, the other strip buttons do not.
  view->StripButton(shell::kCtlRadio)->click();
  Settle();
  EXPECT_GT(paints.Count(view->StripButton(shell::kCtlRadio)), 0);
  EXPECT_EQ(paints.Count(view->StripButton(shell::kCtlPageNetwork)), 0);
  EXPECT_EQ(paints.Count(view->MoreLessButton()), 0);
}

}  // namespace
}  // namespace nxui
