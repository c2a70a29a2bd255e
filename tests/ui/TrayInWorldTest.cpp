// The Qt tray icon driven by the hidden window on the simulated world: every state reachable from
// a scenario, the re-add after the shell restarted, and the icon's double click.
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include "GuiTestWorld.h"
#include "shell/ShellIds.h"
#include "widgets/TrayIcons.h"

namespace nxui {
namespace {

using test::GuiTestWorld;
using test::WorldSetup;

struct TrayCase {
  const char* name;
  WorldSetup setup;
  int icon;
  const char* tipEnd;
};

TEST(TrayInWorld, EveryStateIsReachedFromAScenario) {
  auto with = [](auto change) {
    WorldSetup setup;
    setup.qtTray = true;
    change(setup);
    return setup;
  };
  const TrayCase cases[] = {
      {"strong signal", with([](WorldSetup& s) { s.homeRssi = -40; }), kTrayIconGood, "Status : Good (HomeNet)"},
      {"middle signal", with([](WorldSetup& s) { s.homeRssi = -70; }), kTrayIconNormal, "status : Normal (HomeNet)"},
      {"weak signal", with([](WorldSetup& s) { s.homeRssi = -86; }), kTrayIconWeak, "Status : Weak (HomeNet)"},
      {"not connected", with([](WorldSetup& s) { s.connected = false; }), kTrayIconDisconnected, "Disconnected"},
      {"no adapter", with([](WorldSetup& s) { s.present = false; }), kTrayIconMissing, "Not exist"},
      {"WEP integrity errors",
       with([](WorldSetup& s) { s.events = R"({"at": 3.0, "do": "icv-error", "adapter": 0})"; }), kTrayIconWepError,
       "Status : WEP Error"},
  };
  for (const TrayCase& c : cases) {
    SCOPED_TRACE(c.name);
    GuiTestWorld world(c.setup);
    QtTrayShell* tray = world.trayShell.get();
    ASSERT_NE(tray->Icon(), nullptr);
    EXPECT_EQ(tray->IconNumber(), c.icon);
    EXPECT_TRUE(tray->Icon()->toolTip().startsWith(QLatin1String("VQ-MA310X 11N Wireless Adapter\n")));
    EXPECT_TRUE(tray->Icon()->toolTip().endsWith(QLatin1String(c.tipEnd))) << tray->Icon()->toolTip().toStdString();
  }
}

TEST(TrayInWorld, IconComesBackAfterTheShellRestartsAndStillOpensTheWindow) {
  WorldSetup setup;
  setup.qtTray = true;
  GuiTestWorld world(setup);
  ASSERT_NE(world.View(), nullptr);
  world.View()->close();
  world.loop.DrainMessages();
  ASSERT_EQ(world.View(), nullptr);

  world.loop.PostMessage(world.Hide().Window(), shell::kMsgTaskbarCreated, 0, 0);
  world.loop.DrainMessages();
  ASSERT_NE(world.trayShell->Icon(), nullptr);
  EXPECT_TRUE(world.Hide().Tray().Added());

  emit world.trayShell->Icon()->activated(QSystemTrayIcon::DoubleClick);
  world.loop.DrainMessages();
  EXPECT_NE(world.View(), nullptr);
}

}  // namespace
}  // namespace nxui
