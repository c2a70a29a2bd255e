// "?" opens the help document shipped beside the program with the desktop's handler, and says so
// when the document is missing or nothing can open it: the opener, the shell port's routing of the
// help file, and the interactive program wired together.
#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

#include "shell/CHideDlg.h"
#include "shell/ShellIds.h"
#include "sim/SimFaults.h"
#include "sim/SimMachine.h"
#include "sim/SimShell.h"
#include "ui/DesktopOpener.h"
#include "ui/GuiApp.h"
#include "ui/GuiCore.h"
#include "ui/QtTrayShell.h"

namespace nxui {
namespace {

// A launcher that writes the document it was given into "args" and ends with `exitCode`.
QString FakeLauncher(const QTemporaryDir& dir, int exitCode) {
  const QString path = dir.filePath(QStringLiteral("launcher-%1").arg(exitCode));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\nexit %2\n")
                 .arg(dir.filePath(QStringLiteral("args")))
                 .arg(exitCode)
                 .toUtf8());
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return path;
}

QString ReadArgs(const QTemporaryDir& dir) {
  QFile file(dir.filePath(QStringLiteral("args")));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).trimmed();
}

// Lets the launcher run (it ends by itself) until `done` or five seconds passed.
template <class Done>
void WaitFor(Done done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

struct OpenCase {
  const char* name;
  bool documentExists;
  std::optional<int> launcherExit;  // none: the launcher does not exist
  bool openedAtOnce;
  bool reportsMissing;
  bool reportsNoHandler;
};

TEST(DesktopOpener, OpensTheDocumentOrSaysWhyNot) {
  const OpenCase cases[] = {
      {"the desktop opens it", true, 0, true, false, false},
      {"no handler for HTML (xdg-open's 3)", true, 3, true, false, true},
      {"the handler failed (xdg-open's 4)", true, 4, true, false, true},
      {"no launcher at all", true, std::nullopt, true, false, true},
      {"document missing", false, 0, false, true, false},
  };
  for (const OpenCase& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("index.html"));
    if (c.documentExists) {
      QFile file(document);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write("<html></html>");
    }
    const QString launcher =
        c.launcherExit ? FakeLauncher(dir, *c.launcherExit) : dir.filePath(QStringLiteral("no-such-launcher"));
    std::vector<QString> reports;
    DesktopOpener opener(
        Language::kEnglish, [&reports](const QString& text) { reports.push_back(text); }, launcher);
    EXPECT_EQ(opener.Open(document), c.openedAtOnce);
    WaitFor([&] { return !reports.empty() || !ReadArgs(dir).isEmpty(); });
    // A failing launcher reports only when it ended.
    WaitFor([&] { return !reports.empty() || !c.reportsNoHandler; });
    if (c.launcherExit && c.documentExists) {
      EXPECT_EQ(ReadArgs(dir), document);
    }
    const QString expected = c.reportsMissing     ? DesktopOpener::MissingText(Language::kEnglish).arg(document)
                             : c.reportsNoHandler ? DesktopOpener::NoHandlerText(Language::kEnglish).arg(document)
                                                  : QString();
    if (expected.isEmpty()) {
      EXPECT_TRUE(reports.empty()) << reports.front().toStdString();
    } else {
      ASSERT_EQ(reports.size(), 1u);
      EXPECT_EQ(reports.front(), expected);
    }
  }
}

TEST(DesktopOpener, ChineseRunReportsInChinese) {
  std::vector<QString> reports;
  DesktopOpener opener(Language::kChinese, [&reports](const QString& text) { reports.push_back(text); });
  EXPECT_FALSE(opener.Open(QStringLiteral("/no/such/help/index.html")));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_TRUE(reports.front().startsWith(QStringLiteral("找不到帮助文档"))) << reports.front().toStdString();
}

struct RouteCase {
  const char* target;
  bool help;
};

TEST(TrayShell, OnlyTheHelpFileGoesToTheHelpDocument) {
  const RouteCase cases[] = {
      {"C:\\Program Files\\VQ-MA310X\\VIROZUREDED.UDA", true},
      {"C:/Program Files/VQ-MA310X/viroZUREDED.uda", true},
      {"VIROZUREDED.UDA", true},
      {"C:\\Program Files\\VQ-MA310X\\VIROZUREDED.UDA.txt", false},
      {"C:\\VIROZUREDED\\other.txt", false},
  };
  for (const RouteCase& c : cases) {
    SCOPED_TRACE(c.target);
    sim::SimFaults faults;
    sim::SimShell inner(faults);
    QtTrayShell shell(inner, {});
    int helpOpened = 0;
    shell.SetHelp(shell::kHelpFile, [&helpOpened] {
      ++helpOpened;
      return true;
    });
    shell.Open(c.target);
    EXPECT_EQ(helpOpened, c.help ? 1 : 0);
    // The machine's shell hears of every call.
    ASSERT_EQ(inner.opened().size(), 1u);
    EXPECT_EQ(inner.opened().front(), c.target);
  }
}

// The program as it runs: the help button's action reaches the launcher with the document.
TEST(GuiRun, HelpOpensTheShippedDocument) {
  QTemporaryDir dir;
  const QString document = dir.filePath(QStringLiteral("index.html"));
  QFile file(document);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<html></html>");
  file.close();
  GuiOptions options;
  options.machine = sim::SimMachineFactory("", sim::SimOptions{"", true});
  options.instanceScope = QStringLiteral("-help-%1-%2")
                              .arg(QCoreApplication::applicationPid())
                              .arg(QDateTime::currentMSecsSinceEpoch())
                              .toStdString();
  options.commandLine = "-s";
  options.helpDocument = document.toStdString();
  options.helpLauncher = FakeLauncher(dir, 0).toStdString();
  QObject context;
  const int result = RunGuiOn(*qApp, options, [&](GuiCore& core) {
    core.Hide()->OpenHelp();
    QTimer* poll = new QTimer(&context);
    QObject::connect(poll, &QTimer::timeout, &context, [&core, &dir] {
      if (!ReadArgs(dir).isEmpty())
        core.Loop().PostMessage(core.Hide()->Window(), shell::kMsgCommand, shell::kCmdExit, 0);
    });
    poll->start(20);
    // Ends the run whatever happened, so a broken wiring fails instead of hanging.
    QTimer::singleShot(5000, &context, [&core] {
      core.Loop().PostMessage(core.Hide()->Window(), shell::kMsgCommand, shell::kCmdExit, 0);
    });
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadArgs(dir), document);
}

}  // namespace
}  // namespace nxui
