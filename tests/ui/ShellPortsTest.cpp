// The shell's ports as Qt widgets: message box, hint window, tray icon, tray menu, single instance.
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "adapter/fakes/TempDir.h"

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

// A local socket bound at `path`; listening when asked (then it accepts and never answers).
int BindLocalSocket(const std::string& path, bool listen) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << path;
  if (listen) ::listen(fd, 8);
  return fd;
}

int ConnectLocalSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
  ::close(fd);
  return -1;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 3000) {
  QElapsedTimer clock;
  clock.start();
  while (!condition() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return condition();
}

// Each test gets a private runtime folder of its own through the real entry point, the environment.
class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = qgetenv("XDG_RUNTIME_DIR");
    hadValue_ = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    ::chmod(runtime_.path().c_str(), 0700);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime_.path().string()));
  }
  void TearDown() override {
    if (hadValue_) {
      qputenv("XDG_RUNTIME_DIR", saved_);
    } else {
      qunsetenv("XDG_RUNTIME_DIR");
    }
  }
  std::string Runtime() const { return runtime_.path().string(); }

  test::TempDir runtime_;
  QByteArray saved_;
  bool hadValue_ = false;
};

// A first instance, then a second that must hand over to it.
void ExpectSecondHandsOverToFirst(const QString& scope) {
  int openRequests = 0;
  QtSingleInstance first([&openRequests] { ++openRequests; }, scope);
  EXPECT_FALSE(first.CreateAndCheckExisting("TERN")) << "something planted was taken for the first instance";
  EXPECT_TRUE(first.Listening()) << "the guard was turned off: " << first.GuardProblem().toStdString();
  QtSingleInstance second([] { ADD_FAILURE() << "the second instance was asked to open"; }, scope);
  EXPECT_TRUE(second.CreateAndCheckExisting("TERN"));
  second.SignalFirstInstance();
  EXPECT_TRUE(WaitFor([&openRequests] { return openRequests == 1; })) << "the start request was lost";
}

TEST_F(SingleInstance, SecondInstanceHandsOverToTheFirst) {
  const QString scope = UniqueScope();
  int openRequests = 0;
  QtSingleInstance first([&openRequests] { ++openRequests; }, scope);
  EXPECT_FALSE(first.CreateAndCheckExisting("TERN"));
  EXPECT_TRUE(first.Listening());
  EXPECT_EQ(first.Name().toStdString(), Runtime() + "/TERN" + scope.toStdString());

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

TEST_F(SingleInstance, OtherScopesAndStrayConnectionsDoNotOpen) {
  const QString scope = UniqueScope();
  int openRequests = 0;
  QtSingleInstance first([&openRequests] { ++openRequests; }, scope);
  ASSERT_FALSE(first.CreateAndCheckExisting("TERN"));
  QtSingleInstance elsewhere([] {}, scope + QStringLiteral("-other"));
  EXPECT_FALSE(elsewhere.CreateAndCheckExisting("TERN"));

  // Clients that connect and say something else, or too much without a line end, are no launch;
  // the guard still answers the next launch.
  for (const std::string& said : {std::string("hello\n"), std::string("open"), std::string(200, 'x') + "\nopen\n"}) {
    const int stray = ConnectLocalSocket(first.Name().toStdString());
    ASSERT_GE(stray, 0);
    EXPECT_EQ(::send(stray, said.data(), said.size(), MSG_NOSIGNAL), static_cast<ssize_t>(said.size()));
    ::close(stray);
  }
  WaitFor([] { return false; }, 300);
  EXPECT_EQ(openRequests, 0);
  QtSingleInstance second([] {}, scope);
  EXPECT_TRUE(second.CreateAndCheckExisting("TERN"));
  second.SignalFirstInstance();
  EXPECT_TRUE(WaitFor([&openRequests] { return openRequests == 1; }));
}

TEST_F(SingleInstance, WhatIsFoundAtTheNameIsNotTakenForTheFirstInstance) {
  struct Row {
    const char* name;
    bool needsRoot;
    std::function<int(const std::string& path)> plant;  // returns a descriptor to close, or -1
  };
  const Row rows[] = {
      {"a file", false,
       [](const std::string& path) {
         test::TempDir::Write(path, "planted");
         return -1;
       }},
      {"a socket nobody answers", false,
       [](const std::string& path) {
         const int fd = BindLocalSocket(path, false);
         ::close(fd);
         return -1;
       }},
      {"another user's socket that accepts everything", true,
       [](const std::string& path) {
         const int fd = BindLocalSocket(path, true);
         EXPECT_EQ(::lchown(path.c_str(), 4242, 4242), 0);
         return fd;
       }},
      {"a link to the user's own socket elsewhere", false,
       [this](const std::string& path) {
         const int fd = BindLocalSocket(Runtime() + "/elsewhere", true);
         std::filesystem::create_symlink(Runtime() + "/elsewhere", path);
         return fd;
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.needsRoot && ::geteuid() != 0) continue;
    const QString scope = UniqueScope() + QString::number(&row - rows);
    const int planted = row.plant(Runtime() + "/TERN" + scope.toStdString());
    ExpectSecondHandsOverToFirst(scope);
    if (planted >= 0) ::close(planted);
    std::filesystem::remove(Runtime() + "/elsewhere");
  }
}

TEST_F(SingleInstance, ARuntimeFolderOthersCanWriteIsPassedOver) {
  ::chmod(Runtime().c_str(), 0777);
  const QString scope = UniqueScope();
  QtSingleInstance first([] {}, scope);
  EXPECT_FALSE(first.CreateAndCheckExisting("TERN"));
  EXPECT_TRUE(first.Listening());
  EXPECT_FALSE(first.Name().startsWith(QString::fromStdString(Runtime()))) << first.Name().toStdString();
  EXPECT_FALSE(first.Name().isEmpty());
  ExpectSecondHandsOverToFirst(UniqueScope() + QStringLiteral("-b"));
}

}  // namespace
}  // namespace nxui
