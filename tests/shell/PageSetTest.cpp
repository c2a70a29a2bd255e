// The page table and the page set: revisions that follow the drawn state, pages built on demand
// after what they depend on, shown and hidden as the main window says, and the real table on the
// simulated world.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "shell/CPlaceholderPage.h"
#include "shell/HeadlessViews.h"
#include "shell/NxCore.h"
#include "shell/PageSet.h"
#include "shell/ShellFixture.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"

namespace nxui::shell::test {
namespace {

// ---- revisions

struct FakeState {
  int value = 0;
  std::string text;
  bool operator==(const FakeState&) const = default;
};

class FakePage {
 public:
  FakePage(std::vector<std::string>* log = nullptr, std::string name = {}) : log_(log), name_(std::move(name)) {}
  ~FakePage() { Note("destroy"); }
  void OnShow() { Note("show"); }
  void OnHide() { Note("hide"); }
  HWND Window() const { return window; }
  const FakeState& State() const { return state; }
  const std::vector<int>& Extra() const { return extra; }

  FakeState state;
  std::vector<int> extra;
  HWND window = 0;

 private:
  void Note(const char* what) {
    if (log_ != nullptr) log_->push_back(std::string(what) + " " + name_);
  }
  std::vector<std::string>* log_;
  std::string name_;
};

// A page class without show, hide or window: the holder does nothing for them.
class StillPage {
 public:
  const FakeState& State() const { return state; }
  FakeState state;
};

struct RevisionCase {
  const char* name;
  std::function<void(FakePage&)> change;  // empty: nothing changes
  bool moves;
};

TEST(PageRevision, MovesExactlyWhenTheDrawnStateChanges) {
  const RevisionCase cases[] = {
      {"nothing changed", {}, false},
      {"a number", [](FakePage& p) { p.state.value = 7; }, true},
      {"a text", [](FakePage& p) { p.state.text = "x"; }, true},
      {"set to what it was", [](FakePage& p) { p.state.value = 0; }, false},
      {"outside the snapshot", [](FakePage& p) { p.window = 9; }, false},
      {"in the snapshot's extra part", [](FakePage& p) { p.extra.push_back(1); }, true},
  };
  for (const RevisionCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto raw = std::make_unique<FakePage>();
    FakePage& page = *raw;
    const auto holder =
        HoldPage(std::move(raw), [](const FakePage& p) { return std::make_tuple(p.State(), p.Extra()); });
    const std::uint64_t first = holder->Revision();
    EXPECT_EQ(holder->Revision(), first) << "asking again is not a change";
    if (c.change) c.change(page);
    EXPECT_EQ(holder->Revision() != first, c.moves);
  }
}

TEST(PageRevision, ChangeAndChangeBackAreTwoChanges) {
  auto raw = std::make_unique<FakePage>();
  FakePage& page = *raw;
  const auto holder = HoldPage(std::move(raw));
  const std::uint64_t first = holder->Revision();
  page.state.value = 1;
  const std::uint64_t second = holder->Revision();
  page.state.value = 0;
  const std::uint64_t third = holder->Revision();
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
}

TEST(PageHolder, PagesWithoutShowHideOrWindowAreLeftAlone) {
  const auto holder = HoldPage(std::make_unique<StillPage>());
  holder->Show();
  holder->Hide();
  EXPECT_EQ(holder->Window(), 0u);
}

// ---- building on demand

class PageSetOnTable : public ShellFixture {
 protected:
  void SetUp() override { Start(); }

  PageSet Make(std::vector<PageRow> table) {
    return PageSet(PageEnvironment{*platform, *dlg, strings, survey, selection, std::nullopt, 0}, table);
  }
  PageRow Row(PageKey key, const char* name, std::vector<PageKey> needs = {}) {
    return {key, name, [this, name, needs](PageSet& pages) -> std::unique_ptr<IPage> {
              for (PageKey need : needs) used.push_back(pages.Get(need));
              log.push_back(std::string("build ") + name);
              return HoldPage(std::make_unique<FakePage>(&log, name));
            }};
  }

  std::vector<std::string> log;
  std::vector<IPage*> used;
  SurveyShared survey;
  LastSurveySelection selection;
};

const PageKey kA = PageKey::Page(PageId::Network);
const PageKey kB = PageKey::Page(PageId::Statistics);
const PageKey kPanel = PageKey::Panel(4);

TEST_F(PageSetOnTable, DependenciesAreBuiltFirstAndOnlyOnce) {
  PageSet pages = Make({Row(kB, "b", {kPanel}), Row(kA, "a", {kB, kPanel}), Row(kPanel, "panel")});
  ASSERT_NE(pages.Get(kA), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"build panel", "build b", "build a"}));
  pages.BuildAll();
  EXPECT_EQ(log.size(), 3u) << "BuildAll builds nothing twice";
  EXPECT_EQ(used[0], used[2]) << "both asked for the same panel";
  EXPECT_NE(used[0], nullptr);
}

TEST_F(PageSetOnTable, MissingRowsCyclesAndOtherClassesGiveNothing) {
  std::vector<PageRow> table = {Row(kA, "a", {kB}), Row(kB, "b", {kA})};
  table.push_back({kPanel, "empty", [](PageSet&) { return std::unique_ptr<IPage>(); }});
  PageSet pages = Make(table);
  EXPECT_EQ(pages.Get(PageKey::Panel(7)), nullptr);
  EXPECT_EQ(pages.Get(kPanel), nullptr);
  EXPECT_EQ(pages.IfBuilt(kPanel), nullptr);
  // a needs b needs a: b gets nothing for a, and both are still built once.
  EXPECT_NE(pages.Get(kA), nullptr);
  EXPECT_EQ(used, (std::vector<IPage*>{nullptr, pages.IfBuilt(kB)}));
  EXPECT_NE(pages.As<FakePage>(kA), nullptr);
  EXPECT_EQ(pages.As<StillPage>(kA), nullptr);
  EXPECT_EQ(pages.AsIfBuilt<FakePage>(PageKey::Page(PageId::About)), nullptr);
}

TEST_F(PageSetOnTable, FollowsTheWindowAndUndoesItAllWhenDestroyed) {
  CNxUI2007Dlg* window = dlg->MainWindow();
  ASSERT_NE(window, nullptr);
  {
    PageSet pages =
        Make({Row(kA, "a"), Row(kB, "b"), Row(PageKey::Panel(kPanelLinkStatus), "link"), Row(kPanel, "panel")});
    pages.BuildAll();
    pages.As<FakePage>(kB)->window = 77;
    log.clear();
    window->OnPageButton(PageId::Network);
    window->ShowPanel(kPanelLinkStatus);
    pages.Sync();
    EXPECT_EQ(log, (std::vector<std::string>{"show a", "show link"}));
    EXPECT_EQ(window->PageWindow(PageId::Statistics), 0u) << "77 is no window of the loop";
    EXPECT_TRUE(pages.Shown(kA));

    log.clear();
    window->OnPageButton(PageId::Statistics);
    window->ShowPanel(4);
    pages.Sync();
    EXPECT_EQ(log, (std::vector<std::string>{"hide a", "hide link", "show b", "show panel"}));
    log.clear();
    pages.Sync();
    EXPECT_TRUE(log.empty()) << "no change, no calls";
    log.clear();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"hide b", "hide panel", "destroy panel", "destroy link", "destroy b",
                                           "destroy a"}));
}

TEST_F(PageSetOnTable, WithoutAMainWindowSyncChangesNothing) {
  Post(kMsgCommand, kCmdExit);
  ASSERT_EQ(dlg->MainWindow(), nullptr);
  PageSet pages = Make({Row(kA, "a")});
  pages.BuildAll();
  log.clear();
  pages.Sync();
  EXPECT_TRUE(log.empty());
}

// ---- the real table

TEST(PageTable, HasOneRowForEveryPageAndEveryPanel) {
  std::set<PageKey> keys;
  std::set<std::string> names;
  for (const PageRow& row : PageTable()) {
    EXPECT_TRUE(keys.insert(row.key).second) << row.name;
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
    EXPECT_TRUE(row.build) << row.name;
  }
  for (std::size_t id = 0; id < kPageCount; ++id) {
    EXPECT_EQ(keys.count(PageKey::Page(static_cast<PageId>(id))), 1u) << "page " << id;
  }
  for (std::size_t n = 0; n < kPanelCount; ++n) {
    EXPECT_EQ(keys.count(PageKey::Panel(static_cast<int>(n))), 1u) << "panel " << n;
  }
  EXPECT_EQ(keys.size(), kPageCount + kPanelCount);
}

class RealPages : public ShellFixture {
 protected:
  std::unique_ptr<NxCore> MakeCore(Language language) {
    if (!world) Build(ConnectedScenario());
    HideDlgPorts ports{views, views, views, &views};
    auto core = std::make_unique<NxCore>(*platform, language, ports, Options(true));
    core->Start();
    return core;
  }
  HeadlessViews views;
};

TEST_F(RealPages, WindowSelectsWhichPagesRun) {
  auto core = MakeCore(Language::kEnglish);
  CNxUI2007Dlg* window = core->HiddenWindow().MainWindow();
  ASSERT_NE(window, nullptr);
  auto pages = core->MakePages(std::nullopt);
  pages->BuildAll();
  pages->Sync();
  auto* link = pages->AsIfBuilt<CLinkStatusDlg>(PageKey::Panel(kPanelLinkStatus));
  auto* statistics = pages->AsIfBuilt<CPageStatisticsDlg>(PageKey::Page(PageId::Statistics));
  ASSERT_NE(link, nullptr);
  ASSERT_NE(statistics, nullptr);
  EXPECT_TRUE(link->State().timerRunning);
  EXPECT_FALSE(statistics->State().timerRunning);
  // The hidden window relays to the statistics page through the window it registered.
  EXPECT_EQ(window->PageWindow(PageId::Statistics), statistics->Window());

  window->OnPageButton(PageId::Statistics);
  window->ShowPanel(CAPDetailInfoDlg::kPanel);
  pages->Sync();
  EXPECT_TRUE(statistics->State().timerRunning);
  EXPECT_FALSE(link->State().timerRunning);

  const std::uint64_t before = pages->Get(PageKey::Page(PageId::Statistics))->Revision();
  loop.AdvanceBy(CPageStatisticsDlg::kRefreshPeriodMs);
  EXPECT_NE(pages->Get(PageKey::Page(PageId::Statistics))->Revision(), before) << "the refresh filled the counters";

  pages.reset();
  EXPECT_EQ(window->PageWindow(PageId::Statistics), 0u);
}

TEST_F(RealPages, RadioSwitchReachesTheSurveyOfTheLivingSetOnly) {
  auto core = MakeCore(Language::kEnglish);
  auto pages = core->MakePages(std::nullopt);
  auto* survey = pages->As<CPageSiteSurveyDlg>(PageKey::Page(PageId::Network));
  ASSERT_NE(survey, nullptr);
  loop.AdvanceBy(10000);
  ASSERT_FALSE(survey->RefreshPending());
  core->HiddenWindow().ToggleRadio();
  EXPECT_TRUE(survey->RefreshPending());
  EXPECT_EQ(core->Pages(), pages.get());

  pages.reset();
  EXPECT_EQ(core->Pages(), nullptr);
  // Nothing left to tell; the switch still works.
  core->HiddenWindow().ToggleRadio();
  EXPECT_TRUE(core->HiddenWindow().State().radioOn);
}

struct PlaceholderCase {
  const char* name;
  Language language;
  PageKey key;
  const char* title;
};

TEST_F(RealPages, PlaceholdersSpeakTheRunsLanguage) {
  const PlaceholderCase cases[] = {
      {"English panel", Language::kEnglish, PageKey::Panel(1), "Hidden network"},
      {"Chinese panel", Language::kChinese, PageKey::Panel(1), "隐藏网络"},
      {"Chinese security editor", Language::kChinese, PageKey::Panel(3), "安全设置"},
  };
  for (const PlaceholderCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto core = MakeCore(c.language);
    auto pages = core->MakePages(std::nullopt);
    const auto* placeholder = pages->As<CPlaceholderPage>(c.key);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->State().title, c.title);
    EXPECT_FALSE(placeholder->State().note.empty());
  }
}

}  // namespace
}  // namespace nxui::shell::test
