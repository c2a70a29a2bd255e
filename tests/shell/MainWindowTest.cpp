#include <gtest/gtest.h>

#include "display/StringTable.h"
#include "platform/VirtualEventLoop.h"
#include "shell/CNxUI2007Dlg.h"
#include "shell/ShellFixture.h"
#include "shell/ShellIds.h"
#include "shell/StripLayout.h"

namespace nxui::shell::test {
namespace {

class MainWindowModel : public ::testing::Test {
 protected:
  std::unique_ptr<CNxUI2007Dlg> Make(const StripConditions& conditions, Language language = Language::kEnglish) {
    table = std::make_unique<StringTable>(language);
    return std::make_unique<CNxUI2007Dlg>(
        loop, [this](std::uint32_t id) { return table->LoadString(id); }, state, conditions, MainWindowActions{});
  }
  static const PageButtonState& Button(const CNxUI2007Dlg& w, int controlId) {
    for (const auto& b : w.State().buttons) {
      if (b.controlId == controlId) return b;
    }
    throw std::logic_error("no such button");
  }
  VirtualEventLoop loop;
  ShellState state;
  std::unique_ptr<StringTable> table;
};

constexpr int kProfile = kCtlPageProfile, kWps = kCtlPageWps, kSso = kCtlPageSso, k11n = kCtlPage80211n,
              kAbout = kCtlPageAbout;

TEST_F(MainWindowModel, ButtonConditions) {
  struct Case {
    const char* name;
    StripConditions in;
    bool profileEnabled, wpsEnabled, ssoVisible, n11Visible, n11Enabled;
  };
  const Case cases[] = {
      {"administrator, all installed", {true, true, true, true, false}, true, true, true, true, true},
      {"user: profile off, no SSO", {false, true, true, true, false}, false, true, false, true, true},
      {"SSO not installed", {true, false, true, true, false}, true, true, false, true, true},
      {"11n button off in the ini", {true, true, false, true, false}, true, true, true, false, true},
      {"not an 11n adapter", {true, true, true, false, false}, true, true, true, true, false},
      {"legacy G part", {true, true, true, false, true}, true, false, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto w = Make(c.in);
    EXPECT_EQ(Button(*w, kProfile).enabled, c.profileEnabled);
    EXPECT_TRUE(Button(*w, kProfile).visible);
    EXPECT_EQ(Button(*w, kWps).enabled, c.wpsEnabled);
    EXPECT_EQ(Button(*w, kSso).visible, c.ssoVisible);
    EXPECT_EQ(Button(*w, k11n).visible, c.n11Visible);
    EXPECT_EQ(Button(*w, k11n).enabled, c.n11Enabled);
  }
}

TEST_F(MainWindowModel, WpsButtonIsRecheckedEachTick) {
  auto w = Make({true, false, false, false, false});
  w->RefreshWpsButton(true);
  EXPECT_FALSE(Button(*w, kWps).enabled);
  w->RefreshWpsButton(false);
  EXPECT_TRUE(Button(*w, kWps).enabled);
}

TEST_F(MainWindowModel, FullStripHasNoArrowsAndFillersCloseIt) {
  auto w = Make({true, true, true, true, false});
  const MainWindowState& s = w->State();
  EXPECT_FALSE(s.arrowsShown);
  EXPECT_FALSE(s.leftArrow.visible);
  for (std::size_t i = 0; i < s.buttons.size(); ++i) {
    EXPECT_EQ(s.buttons[i].slot, (StripSlot{true, 25 + 60 * static_cast<int>(i), 60})) << i;
  }
  EXPECT_EQ(s.leftFiller, (StripSlot{true, 0, 25}));
  EXPECT_EQ(s.rightFiller, (StripSlot{true, 505, 25}));
}

TEST_F(MainWindowModel, HiddenButtonsFreeTheirSlots) {
  // No SSO, no 802.11n button: the radio and About buttons move two slots left.
  auto w = Make({true, false, false, true, false});
  EXPECT_EQ(Button(*w, k11n).slot, StripSlot{});
  EXPECT_EQ(Button(*w, kCtlRadio).slot, (StripSlot{true, 25 + 60 * 4, 60}));
  EXPECT_EQ(Button(*w, kAbout).slot, (StripSlot{true, 25 + 60 * 5, 60}));
  EXPECT_EQ(w->State().rightFiller, (StripSlot{true, 385, 145}));
  // Only the 802.11n button missing: About takes the seventh slot.
  auto w2 = Make({true, true, false, true, false});
  EXPECT_EQ(Button(*w2, kAbout).slot.x, 25 + 60 * 6);
  // The arrows cannot move a strip that fits.
  w2->OnRightArrow();
  EXPECT_EQ(w2->State().stripShift, 0u);
}

TEST(StripLayoutTest, MoreThanEightButtonsShowArrowsAndShift) {
  StripLayout l = ComputeStripLayout(10, 0);
  EXPECT_TRUE(l.arrowsShown);
  EXPECT_EQ(l.leftArrow, (StripSlot{true, 0, 25}));
  EXPECT_EQ(l.rightArrow, (StripSlot{true, 505, 25}));
  EXPECT_FALSE(l.leftFiller.visible);
  EXPECT_FALSE(l.rightFiller.visible);
  EXPECT_TRUE(l.buttons[7].visible);
  EXPECT_FALSE(l.buttons[8].visible);

  l = ComputeStripLayout(10, 2);
  EXPECT_FALSE(l.buttons[1].visible);
  EXPECT_EQ(l.buttons[2], (StripSlot{true, 25, 60}));
  EXPECT_EQ(l.buttons[9], (StripSlot{true, 445, 60}));

  EXPECT_EQ(ComputeStripLayout(10, 7).shift, 2u);  // clamped to the last position
  EXPECT_EQ(ComputeStripLayout(9, 1).shift, 1u);
  EXPECT_FALSE(ComputeStripLayout(8, 3).arrowsShown);
  EXPECT_EQ(ComputeStripLayout(8, 3).shift, 0u);
  EXPECT_EQ(ComputeStripLayout(0, 0).rightFiller, (StripSlot{true, 25, 505 - 25 + 25}));
}

TEST_F(MainWindowModel, ShowPanelAcceptsOnlyTheElevenPanels) {
  auto w = Make({true, true, true, true, false});
  EXPECT_EQ(w->State().visiblePanel, 0);
  struct Case {
    int n;
    int expected;
  };
  for (const Case c : {Case{4, 4}, Case{11, 4}, Case{-1, 4}, Case{10, 10}, Case{0, 0}}) {
    w->ShowPanel(c.n);
    EXPECT_EQ(w->State().visiblePanel, c.expected) << c.n;
  }
  EXPECT_STREQ(kPanels[9].className, "CAddBlockAckDlg");
  EXPECT_EQ(kPanels[9].dialog, 3242);
}

TEST_F(MainWindowModel, MoreLessTogglesTheSharedFlagAndItsButton) {
  auto w = Make({true, true, true, true, false});
  EXPECT_EQ(w->State().moreLessCaption, "More");
  w->OnMoreLess();
  EXPECT_TRUE(state.expanded);
  EXPECT_EQ(w->State().moreLessCaption, "Less");
  EXPECT_EQ(w->State().moreLessBitmap, 300);
  w->OnMoreLess();
  EXPECT_FALSE(state.expanded);
  EXPECT_EQ(w->State().moreLessBitmap, 301);
}

TEST_F(MainWindowModel, PageAreaOpensOnTheFirstUsablePage) {
  auto admin = Make({true, false, false, true, false});
  EXPECT_EQ(admin->State().selectedPage, PageId::Profile);
  auto user = Make({false, false, false, true, false});
  EXPECT_EQ(user->State().selectedPage, PageId::Network);
  user->OnPageButton(PageId::Profile);  // disabled: nothing happens
  EXPECT_EQ(user->State().selectedPage, PageId::Network);
  user->OnPageButton(PageId::Dot11n);  // hidden
  EXPECT_EQ(user->State().selectedPage, PageId::Network);
  user->OnPageButton(PageId::About);
  EXPECT_EQ(user->State().selectedPage, PageId::About);
}

TEST_F(MainWindowModel, CaptionsComeFromTheChosenTable) {
  auto en = Make({true, true, true, true, false});
  EXPECT_EQ(en->State().caption, "VQ-MA310X Wireless Utility");
  EXPECT_EQ(Button(*en, kProfile).caption, "Profile");
  EXPECT_EQ(Button(*en, kCtlRadio).caption, "开启/关闭");
  auto zh = Make({true, true, true, true, false}, Language::kChinese);
  EXPECT_EQ(Button(*zh, kCtlRadio).caption, "开启/关闭");
  EXPECT_NE(Button(*zh, kProfile).caption, "Profile");
}

TEST_F(MainWindowModel, PageWindowsThatWentAwayReadAsAbsent) {
  auto w = Make({true, true, true, true, false});
  EXPECT_EQ(w->PageWindow(PageId::Wps), 0u);
  VirtualEventLoop& l = loop;
  struct Nothing final : IMessageTarget {
    void OnTimer(UINT_PTR) override {}
    LRESULT OnMessage(UINT, WPARAM, LPARAM) override { return 0; }
  } page;
  const HWND h = l.CreateWindow(page);
  w->SetPageWindow(PageId::Wps, h);
  EXPECT_EQ(w->PageWindow(PageId::Wps), h);
  l.DestroyWindow(h);
  EXPECT_EQ(w->PageWindow(PageId::Wps), 0u);
}

// ---- the conditions as the hidden window reads them ----

class StripFromSettingsTest : public ShellFixture {
 protected:
  void SetSso(const std::string& value) {
    world->registry().WriteTextDirect(kHkeyLocalMachine, kSsoKey, "SSOInstall", value);
  }
};

TEST_F(StripFromSettingsTest, ElevenNButtonFollowsTheIniAndSsoTheRegistry) {
  struct Case {
    const char* ini;
    const char* sso;
    bool admin;
    bool n11Visible, ssoVisible;
  };
  const Case cases[] = {
      {"[Page]\n11n Setting=1\n", "1", true, true, true},
      {"", "1", true, false, true},
      {"[Page]\n11n Setting=0\n", "0", true, false, false},
      {"[Page]\n11n Setting=1\n", "1", false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    dlg.reset();
    WriteIni(c.ini);
    sim::Scenario s = EmbeddedScenario();
    s.os.admin = c.admin;
    Build(s);
    SetSso(c.sso);
    Start();
    ASSERT_NE(dlg->MainWindow(), nullptr);
    for (const auto& b : dlg->MainWindow()->State().buttons) {
      if (b.controlId == k11n) {
        EXPECT_EQ(b.visible, c.n11Visible);
        EXPECT_TRUE(b.enabled);  // the simulated adapter is 802.11n
      }
      if (b.controlId == kSso) {
        EXPECT_EQ(b.visible, c.ssoVisible);
      }
    }
  }
}

}  // namespace
}  // namespace nxui::shell::test
