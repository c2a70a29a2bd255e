// The interactive program in real time on the offscreen platform: it opens its window, ends with
// "Exit", honours "-s", and a second launch hands over to the first.
#include <QApplication>
#include <QDateTime>
#include <QTimer>

#include <gtest/gtest.h>

#include "shell/CHideDlg.h"
#include "shell/ShellIds.h"
#include "sim/SimMachine.h"
#include "ui/GuiApp.h"
#include "ui/GuiCore.h"
#include "ui/QtSingleInstance.h"

namespace nxui {
namespace {

GuiOptions ScopedOptions(const std::string& scenarioFile = "") {
  GuiOptions options;
  options.machine = sim::SimMachineFactory(scenarioFile, sim::SimOptions{"", true});
  options.instanceScope = QStringLiteral("-run-%1-%2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(QDateTime::currentMSecsSinceEpoch())
                              .toStdString();
  return options;
}

void PostToHidden(GuiCore& core, UINT message, WPARAM wParam, LPARAM lParam) {
  core.Loop().PostMessage(core.Hide()->Window(), message, wParam, lParam);
}

// Ends the run after `ms` whatever happened, so a broken exit fails instead of hanging. The timer
// goes with `context`, so it cannot fire into a later test.
void Failsafe(QObject& context, GuiCore& core, int ms, bool& fired) {
  QTimer::singleShot(ms, &context, [&core, &fired] {
    fired = true;
    PostToHidden(core, shell::kMsgCommand, shell::kCmdExit, 0);
  });
}

struct StartCase {
  const char* name;
  const char* commandLine;
  bool windowAtStart;
};

TEST(GuiRun, OpensAsTheCommandLineSaysAndEndsWithExit) {
  const StartCase cases[] = {
      {"no arguments", "", true}, {"-s", "-s", false}, {"-S", "-S", false}, {"-s x is not the switch", "-s x", true}};
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    GuiOptions options = ScopedOptions();
    options.commandLine = c.commandLine;
    bool started = false;
    bool windowAtStart = false;
    bool windowAfterDoubleClick = false;
    bool failsafe = false;
    QObject context;
    const int result = RunGuiOn(*qApp, options, [&](GuiCore& core) {
      started = true;
      windowAtStart = core.Hide()->MainWindow() != nullptr;
      // A double click on the tray icon opens the window; then "Exit" from the tray menu.
      PostToHidden(core, shell::kMsgTrayCallback, 0, shell::kTrayLeftDoubleClick);
      QTimer::singleShot(300, &context, [&core, &windowAfterDoubleClick] {
        windowAfterDoubleClick = core.Hide()->MainWindow() != nullptr;
        PostToHidden(core, shell::kMsgCommand, shell::kCmdExit, 0);
      });
      Failsafe(context, core, 10000, failsafe);
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(started);
    EXPECT_FALSE(failsafe);
    EXPECT_EQ(windowAtStart, c.windowAtStart);
    EXPECT_TRUE(windowAfterDoubleClick);
  }
}

TEST(GuiRun, SecondLaunchHandsOverAndEndsAtOnce) {
  const GuiOptions options = ScopedOptions();
  int openRequests = 0;
  QtSingleInstance first([&openRequests] { ++openRequests; }, QString::fromStdString(options.instanceScope));
  ASSERT_FALSE(first.CreateAndCheckExisting("TERN"));
  bool started = false;
  EXPECT_EQ(RunGuiOn(*qApp, options, [&started](GuiCore&) { started = true; }), 0);
  EXPECT_FALSE(started);
  for (int i = 0; i < 100 && openRequests == 0; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(openRequests, 1);
}

TEST(GuiRun, BadScenarioEndsWithOne) { EXPECT_EQ(RunGuiOn(*qApp, ScopedOptions("no-such-folder/world.json")), 1); }

}  // namespace
}  // namespace nxui
