#include <gtest/gtest.h>

#include "shell/HeadlessViews.h"
#include "shell/NxCore.h"
#include "shell/ShellFixture.h"

namespace nxui::shell::test {
namespace {

class NxCoreTest : public ShellFixture {
 protected:
  std::unique_ptr<NxCore> MakeCore(Language language, bool showOnStart) {
    HideDlgPorts ports{views, views, views, &views};
    return std::make_unique<NxCore>(*platform, language, ports, Options(showOnStart));
  }
  HeadlessViews views;
};

TEST_F(NxCoreTest, TrayOnlyRunConnectsOpensOnRequestAndExits) {
  Build(ConnectedScenario(-50));
  auto core = MakeCore(Language::kEnglish, false);
  core->Start();
  loop.AdvanceBy(6000);
  EXPECT_EQ(world->shell().iconNumber(), 131);
  EXPECT_FALSE(views.mainWindowOpen);

  views.menuChoice = kCmdLaunchConfig;
  loop.PostMessage(core->HiddenWindow().Window(), kMsgTrayCallback, 0, kTrayRightButtonDown);
  loop.AdvanceBy(10);
  EXPECT_TRUE(views.mainWindowOpen);

  views.menuChoice = kCmdExit;
  loop.PostMessage(core->HiddenWindow().Window(), kMsgTrayCallback, 0, kTrayRightButtonDown);
  loop.AdvanceBy(10);
  EXPECT_TRUE(core->Ended());
  EXPECT_FALSE(views.mainWindowOpen);
  EXPECT_FALSE(world->shell().iconPresent());
  EXPECT_TRUE(views.messages.empty());
}

TEST_F(NxCoreTest, ChineseRunShowsChineseTextsAndKeepsTheBuiltInOnes) {
  sim::Scenario s = EmbeddedScenario();
  s.os.admin = false;
  Build(s);
  auto core = MakeCore(Language::kChinese, true);
  core->Start();
  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0], core->Strings().LoadString(string_id::kNoAdministratorPrivilege));
  EXPECT_NE(views.messages[0].find("管理员"), std::string::npos);
  CNxUI2007Dlg* window = core->HiddenWindow().MainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->State().buttons[6].caption, "开启/关闭");
}

}  // namespace
}  // namespace nxui::shell::test
