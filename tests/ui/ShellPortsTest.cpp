// The shell's ports as Qt widgets: message box, hint window, tray icon, tray menu, single instance.
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLocalSocket>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/VirtualEventLoop.h"
#include "shell/CInfoWnd.h"
#include "shell/MessageBoxService.h"
#include "shell/TrayIcon.h"
#include "sim/SimFaults.h"
#include "sim/SimShell.h"
#include "ui/QtInfoWnd.h"
#include "ui/QtMessageBoxView.h"
#include "ui/QtSingleInstance.h"
#include "ui/QtTrayMenu.h"
#include "ui/QtTrayShell.h"
#include "widgets/TrayIcons.h"

namespace nxui {
namespace {

// ---- message box

TEST(MessageBox, DialogShowsCaptionTextAndOk) {
  shell::CMessageBoxDlg box("NIC or driver not ready", "OK", 0);
  const std::unique_ptr<QDialog> dialog = QtMessageBoxView::BuildDialog(box, nullptr);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ZELU"));
  EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("text"))->text(), QStringLiteral("NIC or driver not ready"));
  EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("ok"))->text(), QStringLiteral("OK"));
  // A message offers its close button only.
  EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

struct EndCase {
  const char* name;
  bool pressOk;
  int result;
};

TEST(MessageBox, OkGivesOneClosingGivesTwo) {
  const EndCase cases[] = {{"OK", true, 1}, {"closed", false, 2}};
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.name);
    QtMessageBoxView view;
    view.beforeExec = [&c](QDialog& dialog) {
      QTimer::singleShot(0, &dialog, [&c, &dialog] {
        if (c.pressOk) {
          dialog.findChild<QPushButton*>(QStringLiteral("ok"))->click();
        } else {
          dialog.reject();
        }
      });
    };
    shell::MessageBoxService service(view, [](std::uint32_t) { return std::string("OK"); });
    EXPECT_EQ(service.ShowMessage("No selected item"), c.result);
  }
}

// ---- hint window

class HintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    anchor.setGeometry(100, 200, 150, 24);
    view.RegisterAnchor(kAnchor, &anchor);
    view.SetFocusOverride(true);
    view.SetModel(&model);
  }
  static constexpr int kAnchor = 1000;
  VirtualEventLoop loop;
  QLineEdit anchor;
  QtInfoWnd view;
  shell::CInfoWnd model{loop, view, shell::kHintBelow};
};

TEST_F(HintTest, ShowsPaddedTextBelowTheAnchorAndHidesAfterFourSeconds) {
  model.Show(kAnchor, "Invalid key");
  EXPECT_FALSE(view.isHidden());
  EXPECT_EQ(view.Text(), QStringLiteral(" Invalid key "));
  const QPoint anchorTopLeft = anchor.mapToGlobal(QPoint(0, 0));
  // Below the anchor with the 2-pixel gap; the window reaches 1 pixel above its text.
  EXPECT_EQ(view.geometry().top(), anchorTopLeft.y() + anchor.height() + 2 - 1);
  EXPECT_EQ(view.geometry().left(), anchorTopLeft.x() - 3);
  const QFontMetrics metrics(anchor.font());
  EXPECT_GE(view.width(), metrics.horizontalAdvance(QStringLiteral(" Invalid key ")));

  loop.AdvanceBy(3999);
  EXPECT_FALSE(view.isHidden());
  loop.AdvanceBy(1);
  EXPECT_TRUE(view.isHidden());
}

TEST_F(HintTest, SecondHintWhileVisibleIsIgnoredAndMouseHides) {
  model.Show(kAnchor, "first");
  model.Show(kAnchor, "second");
  EXPECT_EQ(view.Text(), QStringLiteral(" first "));
  QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&view, &move);
  EXPECT_TRUE(view.isHidden());
  EXPECT_FALSE(model.Visible());
}

TEST_F(HintTest, NothingShownWhileTheFocusIsElsewhere) {
  view.SetFocusOverride(false);
  model.Show(kAnchor, "hint");
  EXPECT_TRUE(view.isHidden());
}

// ---- tray

struct TrayFixture {
  sim::SimFaults faults;
  sim::SimShell inner{faults};
  int events = 0;
  LPARAM lastEvent = 0;
  QtTrayShell shell{inner, [this](UINT, LPARAM event) {
                      ++events;
                      lastEvent = event;
                    }};
  shell::TrayIcon tray{shell, [](std::uint32_t id) {
                         return id == 2200 ? std::string("Adapter\nDisconnected")
                                           : std::string("Adapter\nStatus : Good (%s)");
                       }};
};

TEST(TrayShell, NoNotificationAreaLeavesTheIconOutAndTheTrayRetries) {
  TrayFixture f;
  f.shell.SetTrayAvailable(false);
  EXPECT_FALSE(f.tray.Add(true));
  EXPECT_FALSE(f.tray.Added());
  EXPECT_EQ(f.shell.Icon(), nullptr);

  // The area appears: the next state change adds the icon again.
  f.shell.SetTrayAvailable(true);
  const std::uint8_t ssid[] = {'H', 'o', 'm', 'e'};
  f.tray.SetState(shell::TrayState::Good, ssid);
  ASSERT_NE(f.shell.Icon(), nullptr);
  EXPECT_EQ(f.shell.IconNumber(), kTrayIconGood);
  EXPECT_EQ(f.shell.Icon()->toolTip(), QStringLiteral("Adapter\nStatus : Good (Home)"));
}

TEST(TrayShell, StatesChangeThePictureAndRefusalsOfTheShellCount) {
  TrayFixture f;
  f.shell.SetTrayAvailable(true);
  ASSERT_TRUE(f.tray.Add(true));
  EXPECT_EQ(f.shell.IconNumber(), kTrayIconDisconnected);
  const QImage disconnected = f.shell.Icon()->icon().pixmap(16).toImage();
  f.tray.SetState(shell::TrayState::WepError);
  EXPECT_EQ(f.shell.IconNumber(), kTrayIconWepError);
  EXPECT_NE(f.shell.Icon()->icon().pixmap(16).toImage(), disconnected);

  EXPECT_TRUE(f.tray.Remove());
  EXPECT_EQ(f.shell.Icon(), nullptr);
  f.faults.Arm(sim::fault::kNotifyIcon, 1);
  EXPECT_FALSE(f.tray.Add(true));
  EXPECT_EQ(f.shell.Icon(), nullptr);
}

TEST(TrayShell, ActivationsBecomeTheShellsMouseEvents) {
  const struct {
    QSystemTrayIcon::ActivationReason reason;
    LPARAM event;
  } cases[] = {{QSystemTrayIcon::DoubleClick, 515},
               {QSystemTrayIcon::Context, 516},
               {QSystemTrayIcon::Trigger, 0},
               {QSystemTrayIcon::MiddleClick, 0}};
  for (const auto& c : cases) EXPECT_EQ(QtTrayShell::EventFor(c.reason), c.event) << c.reason;

  TrayFixture f;
  f.shell.SetTrayAvailable(true);
  ASSERT_TRUE(f.tray.Add(true));
  emit f.shell.Icon()->activated(QSystemTrayIcon::DoubleClick);
  emit f.shell.Icon()->activated(QSystemTrayIcon::Trigger);
  EXPECT_EQ(f.events, 1);
  EXPECT_EQ(f.lastEvent, 515);
}

TEST(TrayMenu, TwoItemsCarryTheirCommands) {
  const std::unique_ptr<QMenu> menu = QtTrayMenu::BuildMenu({{32771, "Launch Config Utilities"}, {32772, "Exit"}});
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 2);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("Launch Config Utilities"));
  EXPECT_EQ(actions[0]->data().toUInt(), 32771u);
  EXPECT_EQ(actions[1]->text(), QStringLiteral("Exit"));
  EXPECT_EQ(actions[1]->data().toUInt(), 32772u);
}

// ---- single instance

QString UniqueScope() {
  return QStringLiteral("-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch());
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 3000) {
  QElapsedTimer clock;
  clock.start();
  while (!condition() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return condition();
}

TEST(SingleInstance, SecondInstanceHandsOverToTheFirst) {
  const QString scope = UniqueScope();
  int openRequests = 0;
  QtSingleInstance first([&openRequests] { ++openRequests; }, scope);
  EXPECT_FALSE(first.CreateAndCheckExisting("TERN"));
  EXPECT_TRUE(first.Listening());
  EXPECT_TRUE(first.Name().startsWith(QStringLiteral("TERN-")));

  QtSingleInstance second([] { ADD_FAILURE() << "the second instance was asked to open"; }, scope);
  EXPECT_TRUE(second.CreateAndCheckExisting("TERN"));
  EXPECT_FALSE(second.Listening());
  second.SignalFirstInstance();
  EXPECT_TRUE(WaitFor([&openRequests] { return openRequests == 1; }));

  // Once the first has gone, the next launch is the first again.
  first.Release();
  QtSingleInstance third([] {}, scope);
  EXPECT_FALSE(third.CreateAndCheckExisting("TERN"));
  EXPECT_TRUE(third.Listening());
}

TEST(SingleInstance, OtherScopesAndStrayConnectionsDoNotOpen) {
  const QString scope = UniqueScope();
  int openRequests = 0;
  QtSingleInstance first([&openRequests] { ++openRequests; }, scope);
  ASSERT_FALSE(first.CreateAndCheckExisting("TERN"));
  QtSingleInstance elsewhere([] {}, scope + QStringLiteral("-other"));
  EXPECT_FALSE(elsewhere.CreateAndCheckExisting("TERN"));

  // A client that connects and says something else is not a launch.
  QLocalSocket stray;
  stray.connectToServer(first.Name());
  ASSERT_TRUE(stray.waitForConnected(1000));
  stray.write("hello\n");
  stray.waitForBytesWritten(1000);
  WaitFor([] { return false; }, 300);
  EXPECT_EQ(openRequests, 0);
}

}  // namespace
}  // namespace nxui
