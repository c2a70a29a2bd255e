#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "shell/CNxUI2007.h"
#include "shell/ShellFixture.h"
#include "shell/TraceLog.h"

namespace nxui::shell::test {
namespace {

TEST(CommandLine, OnlyTheWholeSwitchStartsInTheTray) {
  struct Case {
    const char* line;
    bool trayOnly;
  };
  const Case cases[] = {{"-s", true},   {"-S", true},   {"-s x", false}, {"", false}, {" -s", false},
                        {"-s ", false}, {"-sx", false}, {"/s", false},   {"s", false}};
  for (const Case& c : cases) EXPECT_EQ(IsTrayOnlyCommandLine(c.line), c.trayOnly) << '"' << c.line << '"';
}

TEST(ProgramPaths, IniBesideTheExecutable) {
  struct Case {
    const char* module;
    const char* ini;
  };
  const Case cases[] = {
      {"C:\\Program Files\\VQ-MA310X\\NxUI.exe", "C:/Program Files/VQ-MA310X/NxUI.ini"},
      {"/usr/bin/nxui", "/usr/bin/nxui.ini"},
      {"/opt/x.y/nxui", "/opt/x.y/nxui.ini"},
      {"/opt/nxui.bin.exe", "/opt/nxui.bin.ini"},
      {"NxUI.", "NxUI.ini"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgramIniPath(c.module).string(), c.ini) << c.module;
  EXPECT_EQ(DirectoryOf("C:\\Program Files\\VQ-MA310X\\NxUI.exe"), "C:\\Program Files\\VQ-MA310X\\");
  EXPECT_EQ(DirectoryOf("/usr/bin/nxui"), "/usr/bin/");
  EXPECT_EQ(DirectoryOf("nxui"), "");
}

TEST(TraceFile, LivesInTheUsersDataDirectory) {
  const char* oldData = std::getenv("XDG_DATA_HOME");
  const std::string savedData = oldData ? oldData : "";
  setenv("XDG_DATA_HOME", "/tmp/data-home", 1);
  EXPECT_EQ(TraceLog::DefaultPath(), std::filesystem::path("/tmp/data-home/nxui/NxUI_test.txt"));
  setenv("XDG_DATA_HOME", "", 1);
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') {
    EXPECT_EQ(TraceLog::DefaultPath(), std::filesystem::path(home) / ".local/share/nxui/NxUI_test.txt");
  }
  if (oldData)
    setenv("XDG_DATA_HOME", savedData.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
}

TEST(TraceFile, AppendsLineByLineAndCreatesItsDirectory) {
  nxui::test::TempDir dir;
  TraceLog trace(dir / "sub" / "t.txt");
  trace.Write("off\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "sub" / "t.txt"));
  trace.SetEnabled(true);
  trace.Write("a\n");
  trace.WriteMessage(0x8001);
  std::ifstream in(dir / "sub" / "t.txt");
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all, "a\n Message = 0x00008001\n");
}

// Named objects of one user session, shared by the "processes" of a test.
struct Session {
  std::map<std::string, bool> objects;
  std::map<std::string, std::function<void()>> windowsByTitle;
};

class SessionInstance final : public ISingleInstance {
 public:
  explicit SessionInstance(Session& session) : session_(session) {}
  bool CreateAndCheckExisting(std::string_view name) override {
    name_ = std::string(name);
    const bool existed = session_.objects[name_];
    session_.objects[name_] = true;
    return existed;
  }
  void SignalFirstInstance() override {
    ++signals;
    if (auto it = session_.windowsByTitle.find(kMainWindowTitle); it != session_.windowsByTitle.end()) it->second();
  }
  void Release() override {
    ++releases;
    session_.objects[name_] = false;
  }
  int signals = 0, releases = 0;

 private:
  Session& session_;
  std::string name_;
};

class AppStartTest : public ShellFixture {};

TEST_F(AppStartTest, FirstInstanceRunsTheHiddenWindowWithItsSettings) {
  Build(EmbeddedScenario());
  Session session;
  SessionInstance instance(session);
  CNxUI2007 app(world->registry(), world->systemInfo(), instance, dir / "setting");
  int runs = 0;
  HideDlgOptions seen;
  EXPECT_FALSE(app.InitInstance("-S", [&](const HideDlgOptions& o) {
    ++runs;
    seen = o;
  }));
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(seen.showOnStart);
  EXPECT_EQ(seen.programDirectory, "C:\\Program Files\\VQ-MA310X\\");
  EXPECT_FALSE(seen.settings.custom);
  EXPECT_EQ(seen.settings.path, world->localAppDataDirectory() + "/");
  EXPECT_TRUE(session.objects["TERN"]);
  app.ExitInstance();
  EXPECT_EQ(instance.releases, 1);
  EXPECT_FALSE(session.objects["TERN"]);
}

TEST_F(AppStartTest, CustomSettingsDirectoryFromTheSelectorFile) {
  Build(EmbeddedScenario());
  nxui::test::TempDir::Write(dir / "setting", "[config]\ntype=2\ndir=.\\profiles\n");
  Session session;
  SessionInstance instance(session);
  CNxUI2007 app(world->registry(), world->systemInfo(), instance, dir / "setting");
  HideDlgOptions seen;
  app.InitInstance("-s x", [&](const HideDlgOptions& o) { seen = o; });
  EXPECT_TRUE(seen.showOnStart);
  EXPECT_TRUE(seen.settings.custom);
  EXPECT_EQ(seen.settings.path, "./profiles/");
}

TEST_F(AppStartTest, SecondInstanceHandsOverToTheFirstAndEnds) {
  Build(EmbeddedScenario());
  Session session;

  // The first instance starts in the tray and registers its window under "NxUI".
  SessionInstance first(session);
  CNxUI2007 firstApp(world->registry(), world->systemInfo(), first, dir / "setting");
  firstApp.InitInstance("-s", [&](const HideDlgOptions& options) {
    HideDlgPorts ports{messageBox, trayMenu, chooser, &mainView};
    HideDlgOptions o = options;
    o.programIni = dir / "NxUI.ini";
    o.traceFile = dir / "trace.txt";
    dlg = std::make_unique<CHideDlg>(*platform, ports, o, [this](std::uint32_t id) { return strings.LoadString(id); });
    dlg->OnInitDialog();
  });
  ASSERT_NE(dlg, nullptr);
  const HWND firstWindow = dlg->Window();
  session.windowsByTitle[kMainWindowTitle] = [&, firstWindow] {
    loop.PostMessage(firstWindow, kMsgCommand, kCmdLaunchConfig, 0);
  };
  EXPECT_EQ(dlg->MainWindow(), nullptr);

  SessionInstance second(session);
  CNxUI2007 secondApp(world->registry(), world->systemInfo(), second, dir / "setting");
  int secondRuns = 0;
  EXPECT_FALSE(secondApp.InitInstance("", [&](const HideDlgOptions&) { ++secondRuns; }));
  EXPECT_EQ(secondRuns, 0);
  EXPECT_TRUE(secondApp.HandedOver());
  EXPECT_EQ(second.signals, 1);
  secondApp.ExitInstance();
  EXPECT_EQ(second.releases, 0);  // the object stays the first instance's
  EXPECT_TRUE(session.objects["TERN"]);

  loop.DrainMessages();
  EXPECT_NE(dlg->MainWindow(), nullptr);
  EXPECT_TRUE(messageBox.texts.empty());
}

}  // namespace
}  // namespace nxui::shell::test
