#include <gtest/gtest.h>

#include "display/StringTable.h"
#include "monitor/AuthenticationLog.h"
#include "platform/VirtualEventLoop.h"
#include "shell/CInfoWnd.h"
#include "shell/MessageBoxService.h"
#include "shell/ShellFixture.h"

namespace nxui::shell::test {
namespace {

TEST(MessageBoxTest, OkGivesOneClosingGivesTwo) {
  StringTable table(Language::kEnglish);
  RecordingMessageBox view;
  MessageBoxService service(view, [&](std::uint32_t id) { return table.LoadString(id); });
  EXPECT_EQ(service.ShowMessage("Hello", 7), 1);
  view.pressOk = false;
  EXPECT_EQ(service.ShowMessage("Again"), 2);
  EXPECT_EQ(view.texts, (std::vector<std::string>{"Hello", "Again"}));
  EXPECT_EQ(view.captions, (std::vector<std::string>{"ZELU", "ZELU"}));
  EXPECT_EQ(view.okCaptions[0], "OK");
  EXPECT_EQ(service.ShownCount(), 2);
}

TEST(MessageBoxTest, BoxDismissedWithoutAChoiceCountsAsClosed) {
  CMessageBoxDlg box("text", "OK", 0);
  EXPECT_EQ(box.Result(), CMessageBoxDlg::kResultClosed);
  EXPECT_EQ(box.Parent(), 0u);
}

class FakeHintView final : public IInfoWndView {
 public:
  bool FocusInProgram() override { return focus; }
  HintTextMetrics MeasureText(int, const std::string& text) override {
    return {static_cast<int>(text.size()) * 6, 12, 1, 3};
  }
  HintRect AnchorRect(int) override { return anchor; }
  void Show(const HintRect& rect, const std::string& text) override { shows.push_back({rect, text}); }
  void Hide() override { ++hides; }

  bool focus = true;
  HintRect anchor{100, 50, 200, 70};
  std::vector<std::pair<HintRect, std::string>> shows;
  int hides = 0;
};

class HintTest : public ::testing::Test {
 protected:
  VirtualEventLoop loop;
  FakeHintView view;
};

TEST_F(HintTest, TextIsPaddedAndMeasuredWithTheAnchorsFont) {
  CInfoWnd hint(loop, view, kHintBelow);
  hint.Show(1, "Bad key");
  ASSERT_EQ(view.shows.size(), 1u);
  EXPECT_EQ(view.shows[0].second, " Bad key ");
  // 9 characters: width 54 + overhang 1 + 2, height 12 + descent 3 + 2; below the anchor with the
  // 2-pixel gap, widened 3 to the left and 1 upwards.
  EXPECT_EQ(view.shows[0].first, (HintRect{97, 71, 157, 89}));
}

TEST_F(HintTest, Placements) {
  const HintRect anchor{100, 50, 200, 70};
  struct Case {
    const char* name;
    int placement;
    HintRect text;
  };
  const Case cases[] = {
      {"below", kHintBelow, {100, 72, 130, 82}},
      {"right", kHintRight, {202, 50, 232, 60}},
      {"left", kHintLeft, {68, 50, 98, 60}},
      {"above", 0, {100, 38, 130, 48}},
      {"below is the value 1, not a bit: 9 is right", kHintBelow | kHintRight, {202, 50, 232, 60}},
      {"below is the value 1, not a bit: 3 is left", kHintBelow | kHintLeft, {68, 50, 98, 60}},
      {"right wins over left", kHintRight | kHintLeft, {202, 50, 232, 60}},
      {"other bits alone: above", 4, {100, 38, 130, 48}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CInfoWnd::TextRect(anchor, 30, 10, c.placement, 2, 2), c.text) << c.name;
  }
}

TEST_F(HintTest, OneHintAtATimeAndNoneWithoutFocus) {
  CInfoWnd hint(loop, view);
  view.focus = false;
  hint.Show(1, "first");
  EXPECT_FALSE(hint.Visible());
  view.focus = true;
  hint.Show(1, "first");
  hint.Show(1, "second");  // ignored while the first is up
  ASSERT_EQ(view.shows.size(), 1u);
  EXPECT_EQ(hint.ShownText(), " first ");
}

TEST_F(HintTest, HiddenFourSecondsAfterShowing) {
  CInfoWnd hint(loop, view);
  hint.Show(1, "x");
  loop.AdvanceBy(3999);
  EXPECT_TRUE(hint.Visible());
  loop.AdvanceBy(1);
  EXPECT_FALSE(hint.Visible());
  EXPECT_EQ(view.hides, 1);
  loop.AdvanceBy(8000);  // the timer went with it
  EXPECT_EQ(view.hides, 1);
  hint.Show(1, "y");  // a new hint may follow
  EXPECT_EQ(view.shows.size(), 2u);
}

TEST_F(HintTest, MouseActivityHidesAndStopsTheTimer) {
  CInfoWnd hint(loop, view);
  hint.Show(1, "x");
  loop.AdvanceBy(1000);
  hint.OnMouseActivity();
  EXPECT_FALSE(hint.Visible());
  hint.Show(1, "y");
  loop.AdvanceBy(3500);  // the first hint's timer must not cut the second one short
  EXPECT_TRUE(hint.Visible());
  loop.AdvanceBy(500);
  EXPECT_FALSE(hint.Visible());
  hint.OnMouseActivity();  // hiding a hidden hint does nothing
  EXPECT_EQ(view.hides, 2);
}

TEST(AuthenticationLogTest, RingKeepsTheLastTwoHundredAndCutsLongTexts) {
  AuthenticationLog log;
  for (int i = 0; i < 201; ++i) log.Append(std::to_string(i));
  ASSERT_EQ(log.Count(), 200u);
  const auto entries = log.Entries();
  EXPECT_EQ(entries.front(), "1");
  EXPECT_EQ(entries.back(), "200");
  log.Append(std::string(300, 'a'));
  EXPECT_EQ(log.Entries().back().size(), 255u);
  log.Clear();
  EXPECT_EQ(log.Count(), 0u);
  log.Append("after");
  EXPECT_EQ(log.Entries(), std::vector<std::string>{"after"});
}

}  // namespace
}  // namespace nxui::shell::test
