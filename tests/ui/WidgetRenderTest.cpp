// Renders the drawing widgets offscreen and checks the pixels they produce.
#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "ui/RenderHarness.h"
#include "ui/RenderToPng.h"
#include "widgets/CBarGraph.h"
#include "widgets/CGradientProgressBar.h"
#include "widgets/CTabDialog.h"
#include "widgets/PageButtonIcons.h"
#include "widgets/SurveyIcons.h"
#include "widgets/TrayIcons.h"

namespace nxui {
namespace {

bool Near(QColor a, QColor b, int tolerance = 12) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

std::string Describe(QColor c) {
  return "(" + std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue()) + "," +
         std::to_string(c.alpha()) + ")";
}

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

const QColor kTrough(250, 250, 250);

// ---------------------------------------------------------------- percentage bar

struct FillRow {
  const char* name;
  int position;
};

void PrintTo(const FillRow& row, std::ostream* os) { *os << row.name << " (" << row.position << ")"; }

class GradientBarFill : public ::testing::TestWithParam<FillRow> {};

TEST_P(GradientBarFill, FillCoversThePositionsShareOfTheInnerWidth) {
  CGradientProgressBar bar;
  bar.resize(202, 24);  // inner width 200: two pixels per percent
  bar.SetEndColor(QColor(255, 0, 0));
  bar.SetPos(GetParam().position);
  const QImage image = RenderWidgetToImage(bar);
  ASSERT_EQ(image.width(), 202);
  const int fill = GetParam().position * 2;
  EXPECT_EQ(bar.FillWidth(), fill);
  // Row 2 lies above the caption and is close to the end colour.
  if (fill > 0) {
    EXPECT_TRUE(Near(At(image, 1, 2), QColor(255, 0, 0), 60)) << Describe(At(image, 1, 2));
    EXPECT_FALSE(Near(At(image, fill, 2), kTrough, 3)) << "last filled column " << fill;
  }
  if (fill < 200) {
    EXPECT_TRUE(Near(At(image, fill + 1, 2), kTrough, 3)) << "first empty column " << fill + 1;
    EXPECT_TRUE(Near(At(image, 200, 2), kTrough, 3));
  }
}

INSTANTIATE_TEST_SUITE_P(Widgets, GradientBarFill,
                         ::testing::Values(FillRow{"empty", 0}, FillRow{"one", 1}, FillRow{"half", 50},
                                           FillRow{"almost", 99}, FillRow{"full", 100}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(GradientBar, GradientRunsFromTheEndColourThroughLightBlueAndBack) {
  CGradientProgressBar bar;
  bar.resize(102, 25);
  bar.SetCaption(QString());
  bar.SetEndColor(QColor(0, 200, 0));
  bar.SetPos(100);
  const QImage image = RenderWidgetToImage(bar);
  EXPECT_TRUE(Near(At(image, 50, 1), QColor(0, 200, 0), 25)) << Describe(At(image, 50, 1));
  EXPECT_TRUE(Near(At(image, 50, 12), CGradientProgressBar::MiddleColor(), 12)) << Describe(At(image, 50, 12));
  EXPECT_TRUE(Near(At(image, 50, 23), QColor(0, 200, 0), 25)) << Describe(At(image, 50, 23));
}

TEST(GradientBar, ResetGradientForgetsTheValueColour) {
  CGradientProgressBar bar;
  bar.resize(102, 24);
  bar.SetEndColor(QColor(255, 0, 0));
  bar.SetPos(100);
  bar.ResetGradient();
  EXPECT_EQ(bar.EndColor(), CGradientProgressBar::DefaultEndColor());
  const QImage image = RenderWidgetToImage(bar);
  EXPECT_FALSE(Near(At(image, 5, 1), QColor(255, 0, 0), 60)) << Describe(At(image, 5, 1));
}

TEST(GradientBar, PositionIsClampedToTheRange) {
  CGradientProgressBar bar;
  bar.SetPos(150);
  EXPECT_EQ(bar.Pos(), 100);
  bar.SetPos(-5);
  EXPECT_EQ(bar.Pos(), 0);
  bar.SetPos(70);
  bar.SetRange(50, 10);  // given the wrong way round
  EXPECT_EQ(bar.Minimum(), 10);
  EXPECT_EQ(bar.Maximum(), 50);
  EXPECT_EQ(bar.Pos(), 50);
  bar.SetRange(5, 5);
  EXPECT_EQ(bar.FillWidth(), 0);
}

struct CaptionRow {
  const char* caption;
  int position;
  const char* shown;
};

TEST(GradientBar, CaptionTemplatesAreCompletedWithThePosition) {
  const CaptionRow rows[] = {
      {"Link Quality >> %d%%", 85, "Link Quality >> 85%"},
      {"Signal Strength 1 >> %d%%", 0, "Signal Strength 1 >> 0%"},
      {"Signal Strength 1 >> -67 dBm", 40, "Signal Strength 1 >> -67 dBm"},
      {"Signal Strength2 >>", 0, "Signal Strength2 >>"},
      {"Noise Strength >> %d%%", 100, "Noise Strength >> 100%"},
      {"100%", 3, "100%"},
      {"%", 3, "%"},
      {"%x %d", 7, "%x 7"},
      {"", 50, ""},
  };
  for (const CaptionRow& row : rows) {
    CGradientProgressBar bar;
    bar.SetCaption(QString::fromUtf8(row.caption));
    bar.SetPos(row.position);
    EXPECT_EQ(bar.DisplayedCaption().toStdString(), row.shown) << row.caption;
  }
}

TEST(GradientBar, CaptionIsDrawnOverTheFill) {
  CGradientProgressBar bar;
  bar.resize(202, 24);
  bar.SetPos(100);
  bar.SetEndColor(QColor(0, 200, 0));
  bar.SetCaption(QString());
  const QImage plain = RenderWidgetToImage(bar);
  bar.SetCaption(QStringLiteral("Link Quality >> %d%%"));
  const QImage captioned = RenderWidgetToImage(bar);
  int darkPixels = 0;
  for (int x = 40; x < 160; ++x) {
    for (int y = 4; y < 20; ++y) {
      if (At(captioned, x, y).lightness() < 80 && At(plain, x, y).lightness() >= 80) ++darkPixels;
    }
  }
  EXPECT_GT(darkPixels, 40);
}

// ---------------------------------------------------------------- bar graph

// A graph with bars 50 pixels high at most: height 52 minus 2.
QImage RenderGraph(CBarGraph& graph) {
  graph.resize(50 + 40, 52);
  return RenderWidgetToImage(graph);
}

int ColumnHeight(const QImage& image, int x, QColor color) {
  int h = 0;
  for (int y = 0; y < image.height(); ++y) h += Near(At(image, x, y), color, 2) ? 1 : 0;
  return h;
}

TEST(BarGraph, NewestSampleIsTheLeftmostBarAndHeightsFollowTheMaximum) {
  CBarGraph graph;
  graph.SetBarColor(QColor(0, 255, 0));
  graph.SetMaximum(5.0);
  graph.AddSample(1.0);
  graph.AddSample(5.0);
  const QImage image = RenderGraph(graph);
  const QColor green(0, 255, 0);
  EXPECT_EQ(ColumnHeight(image, 50, green), 50);
  EXPECT_EQ(ColumnHeight(image, 51, green), 50);
  EXPECT_EQ(ColumnHeight(image, 52, green), 10);
  EXPECT_EQ(ColumnHeight(image, 53, green), 10);
  EXPECT_EQ(ColumnHeight(image, 54, green), 0);
  // Bars stand on the one-pixel bottom margin.
  EXPECT_TRUE(Near(At(image, 52, 50), green, 2));
  EXPECT_TRUE(Near(At(image, 52, 51), Qt::black, 2));
}

TEST(BarGraph, SamplesAboveTheMaximumAreCutAtFullHeight) {
  CBarGraph graph;
  graph.SetBarColor(QColor(255, 255, 0));
  graph.SetMaximum(2.0);
  graph.AddSample(1000.0);
  const QImage image = RenderGraph(graph);
  EXPECT_EQ(ColumnHeight(image, 50, QColor(255, 255, 0)), 50);
  EXPECT_TRUE(Near(At(image, 50, 0), Qt::black, 2));
  EXPECT_EQ(graph.BarHeight(1000.0), 50);
  EXPECT_EQ(graph.BarHeight(2.0), 50);
  EXPECT_EQ(graph.BarHeight(1.0), 25);
}

TEST(BarGraph, NothingIsDrawnWithoutAScaleOrForNonPositiveSamples) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* name;
    double maximum;
    double sample;
  } rows[] = {{"no maximum", 0.0, 3.0},       {"negative maximum", -1.0, 3.0}, {"zero sample", 5.0, 0.0},
              {"negative sample", 5.0, -2.0}, {"nan sample", 5.0, nan},        {"nan maximum", nan, 1.0}};
  for (const Row& row : rows) {
    CBarGraph graph;
    graph.SetMaximum(row.maximum);
    graph.AddSample(row.sample);
    const QImage image = RenderGraph(graph);
    EXPECT_EQ(ColumnHeight(image, 50, graph.BarColor()), 0) << row.name;
  }
}

TEST(BarGraph, TxAndRxColoursAndCaptionColumnStaysFreeOfBars) {
  for (QColor color : {QColor(0, 255, 0), QColor(255, 255, 0)}) {
    CBarGraph graph;
    graph.SetBarColor(color);
    graph.SetCaptionLineCount(2);
    graph.SetCaptionLine(0, QStringLiteral("Max"));
    graph.SetCaptionLine(1, QStringLiteral("12.345 Mbps"));
    graph.SetMaximum(1.0);
    for (int i = 0; i < 30; ++i) graph.AddSample(1.0);
    const QImage image = RenderGraph(graph);
    int white = 0, barInCaption = 0;
    for (int x = 0; x < 50; ++x) {
      for (int y = 0; y < image.height(); ++y) {
        white += At(image, x, y).lightness() > 200 && Near(At(image, x, y), Qt::white, 60) ? 1 : 0;
        barInCaption += Near(At(image, x, y), color, 2) ? 1 : 0;
      }
    }
    EXPECT_GT(white, 20) << "caption text";
    EXPECT_EQ(barInCaption, 0);
    EXPECT_EQ(ColumnHeight(image, 89, color), 50) << "bars reach the right edge";
  }
}

TEST(BarGraph, RingKeepsTheNewestSamplesUpToItsCapacityAndClearEmptiesIt) {
  CBarGraph graph;
  const std::size_t capacity = graph.Capacity();
  ASSERT_GT(capacity, 0u);
  for (std::size_t i = 0; i < capacity + 5; ++i) graph.AddSample(static_cast<double>(i));
  ASSERT_EQ(graph.Samples().size(), capacity);
  EXPECT_EQ(graph.Samples().front(), static_cast<double>(capacity + 4));
  EXPECT_EQ(graph.Samples().back(), 5.0);
  graph.Clear();
  EXPECT_TRUE(graph.Samples().empty());
}

// The link status hands the graph its whole history at once: the same samples and the same
// picture as adding them one by one, cut to the capacity at the oldest end.
TEST(BarGraph, SettingAllSamplesAtOnceEqualsAddingThemInTurn) {
  CBarGraph oneByOne;
  const std::size_t capacity = oneByOne.Capacity();
  for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{7}, capacity, capacity + 3}) {
    SCOPED_TRACE(count);
    std::deque<double> newestFirst;
    CBarGraph added;
    CBarGraph set;
    for (CBarGraph* graph : {&added, &set}) {
      graph->SetBarColor(QColor(0, 255, 0));
      graph->SetMaximum(static_cast<double>(count + 1));
    }
    for (std::size_t i = 0; i < count; ++i) {
      added.AddSample(static_cast<double>(i + 1));
      newestFirst.push_front(static_cast<double>(i + 1));
    }
    set.AddSample(1000.0);  // replaced, not kept
    set.SetSamples(newestFirst);
    EXPECT_EQ(set.Samples(), added.Samples());
    EXPECT_EQ(set.Samples().size(), std::min(count, capacity));
    EXPECT_EQ(RenderGraph(set), RenderGraph(added));
  }
}

TEST(BarGraph, CaptionLinesOutsideTheCountAreIgnored) {
  CBarGraph graph;
  graph.SetCaptionLineCount(2);
  graph.SetCaptionLine(2, QStringLiteral("x"));
  graph.SetCaptionLine(-1, QStringLiteral("x"));
  graph.SetCaptionLine(1, QStringLiteral("0.000 Mbps"));
  EXPECT_EQ(graph.CaptionLines(), (QStringList{QString(), QStringLiteral("0.000 Mbps")}));
  graph.SetCaptionLineCount(1);
  EXPECT_EQ(graph.CaptionLines().size(), 1);
}

// The caption column draws two lines, "Max" and the maximum with its unit, each on one line and
// inside the 50-pixel column, whatever the value's width.
TEST(BarGraph, CaptionIsTwoLinesInsideTheColumn) {
  for (const char* value : {"0.000 Kbps", "2.000 Mbps", "999.000 Kbps", "300.000 Mbps"}) {
    CBarGraph graph;
    graph.SetCaptionLineCount(2);
    graph.SetCaptionLine(0, QStringLiteral("Max"));
    graph.SetCaptionLine(1, QString::fromUtf8(value));
    graph.resize(50 + 40, 80);
    const QImage image = RenderWidgetToImage(graph);
    // Bands of rows holding caption text, top to bottom.
    int bands = 0;
    bool inBand = false;
    int rightmost = -1;
    for (int y = 0; y < image.height(); ++y) {
      bool text = false;
      for (int x = 0; x < 50; ++x) {
        if (At(image, x, y).lightness() > 120) {
          text = true;
          rightmost = std::max(rightmost, x);
        }
      }
      if (text && !inBand) ++bands;
      inBand = text;
    }
    EXPECT_EQ(bands, 2) << value;
    EXPECT_LT(rightmost, 49) << value << ": the value reaches the column's edge and is cut";
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 50; x < image.width(); ++x) ASSERT_TRUE(Near(At(image, x, y), Qt::black, 2)) << value;
    }
  }
}

// ---------------------------------------------------------------- tab container

TEST(TabDialog, ButtonsSwitchPagesAndOutOfRangeIsIgnored) {
  CTabDialog tabs;
  auto* tx = new QLabel(QStringLiteral("tx"));
  auto* rx = new QLabel(QStringLiteral("rx"));
  EXPECT_EQ(tabs.AddPage(QStringLiteral("Transmit"), tx), 0);
  EXPECT_EQ(tabs.AddPage(QStringLiteral("Receive"), rx), 1);
  tabs.show();
  int changes = 0;
  QObject::connect(&tabs, &CTabDialog::CurrentChanged, [&changes](int) { ++changes; });
  EXPECT_EQ(tabs.Current(), 0);
  EXPECT_TRUE(tabs.Button(0)->isChecked());
  EXPECT_TRUE(tx->isVisible());

  tabs.Button(1)->click();
  EXPECT_EQ(tabs.Current(), 1);
  EXPECT_TRUE(rx->isVisible());
  EXPECT_FALSE(tx->isVisible());
  EXPECT_TRUE(tabs.Button(1)->isChecked());
  EXPECT_FALSE(tabs.Button(0)->isChecked());
  tabs.Button(1)->click();  // already current
  EXPECT_EQ(changes, 1);

  for (int bad : {-1, 2, 100}) tabs.SetCurrent(bad);
  EXPECT_EQ(tabs.Current(), 1);
  EXPECT_TRUE(tabs.Button(1)->isChecked());
  tabs.SetCurrent(0);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(tabs.Button(0)->isChecked());
  EXPECT_EQ(tabs.Button(0)->text(), QStringLiteral("Transmit"));
}

// ---------------------------------------------------------------- icons

int OpaquePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y).alpha() > 128 ? 1 : 0;
  }
  return n;
}

// Pixels in strong colour (the lit signal bars), not grey, white or outline.
int VividPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      n += c.alpha() > 128 && c.hsvSaturation() > 120 ? 1 : 0;
    }
  }
  return n;
}

void ExpectDistinctVisibleIcons(const std::vector<std::pair<int, QImage>>& icons, int size) {
  for (std::size_t i = 0; i < icons.size(); ++i) {
    const QImage& a = icons[i].second;
    ASSERT_FALSE(a.isNull()) << icons[i].first;
    EXPECT_EQ(a.size(), QSize(size, size)) << icons[i].first;
    // Visible, yet not a filled square: a shape on a transparent ground.
    EXPECT_GT(OpaquePixels(a), size * size / 8) << icons[i].first;
    EXPECT_LT(OpaquePixels(a), size * size) << icons[i].first;
    for (std::size_t j = i + 1; j < icons.size(); ++j) {
      EXPECT_NE(a, icons[j].second) << icons[i].first << " looks like " << icons[j].first;
    }
  }
}

TEST(Icons, SurveyStripHasTenDistinctImagesAtEachSize) {
  for (int size : {16, 32}) {
    std::vector<std::pair<int, QImage>> icons;
    for (int i = 0; i < kSurveyIconCount; ++i) {
      icons.emplace_back(i, SurveyIconPixmap(i, size).toImage().convertToFormat(QImage::Format_ARGB32));
    }
    ExpectDistinctVisibleIcons(icons, size);
  }
  EXPECT_TRUE(SurveyIconPixmap(-1).isNull());
  EXPECT_TRUE(SurveyIconPixmap(kSurveyIconCount).isNull());
  EXPECT_TRUE(SurveyIconSet(10).isNull());
}

TEST(Icons, StripPlacesPositionNAtNTimesTheSize) {
  const QImage strip = SurveyIconStrip(16).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(strip.size(), QSize(160, 16));
  for (int i : {0, 5, 9}) {
    const QImage one = SurveyIconPixmap(i, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(strip.copy(i * 16, 0, 16, 16), one) << i;
  }
}

TEST(Icons, SixTrayStatesAreDistinctAndStrongerSignalLightsMore) {
  const int numbers[] = {kTrayIconGood, kTrayIconDisconnected, kTrayIconNormal,
                         kTrayIconWeak, kTrayIconMissing,      kTrayIconWepError};
  for (int size : {16, 32}) {
    std::vector<std::pair<int, QImage>> icons;
    for (int n : numbers) {
      icons.emplace_back(n, TrayIconPixmap(n, size).toImage().convertToFormat(QImage::Format_ARGB32));
    }
    ExpectDistinctVisibleIcons(icons, size);
    const auto vivid = [size](int n) {
      return VividPixels(TrayIconPixmap(n, size).toImage().convertToFormat(QImage::Format_ARGB32));
    };
    EXPECT_GT(vivid(kTrayIconGood), vivid(kTrayIconNormal)) << size;
    EXPECT_GT(vivid(kTrayIconNormal), vivid(kTrayIconWeak)) << size;
    EXPECT_GT(vivid(kTrayIconWeak), 0) << size;
  }
  for (int unknown : {0, 130, 133, 163}) EXPECT_TRUE(TrayIcon(unknown).isNull()) << unknown;
  EXPECT_FALSE(TrayIcon(kAppIconNumber).isNull());
  // The tray may ask for any of several sizes; each is drawn, not scaled.
  EXPECT_GE(TrayIcon(kTrayIconGood).availableSizes().size(), 4);
}

TEST(Icons, PageButtonPicturesAreDistinctAndRadioStatesDiffer) {
  std::vector<std::pair<int, QImage>> icons;
  for (const int* it = PageButtonArtBegin(); it != PageButtonArtEnd(); ++it) {
    icons.emplace_back(*it, PageButtonPixmap(*it, 32).toImage().convertToFormat(QImage::Format_ARGB32));
  }
  EXPECT_EQ(icons.size(), 15u);
  ExpectDistinctVisibleIcons(icons, 32);
  EXPECT_TRUE(PageButtonPixmap(0).isNull());
  EXPECT_TRUE(PageButtonIcon(299).isNull());
  // A high-density screen gets a picture drawn at twice the pixels.
  const QPixmap hi = PageButtonPixmap(kArtAbout, 32, 2.0);
  EXPECT_EQ(hi.size(), QSize(64, 64));
  EXPECT_EQ(hi.deviceIndependentSize(), QSizeF(32, 32));
}

// ---------------------------------------------------------------- headless rendering

TEST(Render, PngOnDiskHoldsTheWidgetsPixels) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  RenderHarness harness(dir.filePath(QStringLiteral("pictures/nested")));
  ASSERT_TRUE(harness.Ok());
  CGradientProgressBar bar;
  bar.resize(102, 24);
  bar.SetEndColor(QColor(255, 0, 0));
  bar.SetPos(30);
  const QString path = harness.Render(bar, QStringLiteral("bar"));
  ASSERT_FALSE(path.isEmpty());
  QImage back(path);
  ASSERT_EQ(back.size(), QSize(102, 24));
  EXPECT_FALSE(Near(back.pixelColor(30, 2), kTrough, 3));
  EXPECT_TRUE(Near(back.pixelColor(31, 2), kTrough, 3));
  EXPECT_EQ(harness.Written(), QStringList{path});
}

TEST(Render, FailuresAreReportedNotWrittenAsEmptyFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  CBarGraph graph;
  graph.resize(0, 0);
  EXPECT_FALSE(RenderWidgetToPng(graph, dir.filePath(QStringLiteral("empty.png"))));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("empty.png"))));
  graph.resize(80, 40);
  // The parent of this path is a file, so nothing can be created below it.
  QFile blocker(dir.filePath(QStringLiteral("file")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_FALSE(RenderWidgetToPng(graph, dir.filePath(QStringLiteral("file/graph.png"))));
  RenderHarness blocked(dir.filePath(QStringLiteral("file/sub")));
  EXPECT_FALSE(blocked.Ok());
  EXPECT_TRUE(blocked.Render(graph, QStringLiteral("g")).isEmpty());
  EXPECT_TRUE(blocked.Written().isEmpty());
}

TEST(Render, UnshownWidgetIsRenderedAtItsSizeHint) {
  CTabDialog tabs;
  tabs.AddPage(QStringLiteral("Transmit"), new QLabel(QStringLiteral("row")));
  const QImage image = RenderWidgetToImage(tabs);
  EXPECT_EQ(image.size(), tabs.sizeHint().expandedTo(tabs.minimumSizeHint()));
}

}  // namespace
}  // namespace nxui
