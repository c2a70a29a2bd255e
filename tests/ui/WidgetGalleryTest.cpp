// Renders every widget with sample values the way the pages use them, so the pictures can be
// looked at (set NXUI_RENDER_DIR to keep them) and checked for the values they show.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ui/RenderHarness.h"
#include "widgets/CBarGraph.h"
#include "widgets/CGradientProgressBar.h"
#include "widgets/CTabDialog.h"
#include "widgets/PageButtonIcons.h"
#include "widgets/TrebuchetFont.h"

namespace nxui {
namespace {

class Gallery : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString keep = qEnvironmentVariable("NXUI_RENDER_DIR");
    if (keep.isEmpty()) {
      temp_ = std::make_unique<QTemporaryDir>();
      ASSERT_TRUE(temp_->isValid());
      harness_ = std::make_unique<RenderHarness>(temp_->path());
    } else {
      harness_ = std::make_unique<RenderHarness>(keep);
    }
    ASSERT_TRUE(harness_->Ok());
  }

  std::unique_ptr<QTemporaryDir> temp_;
  std::unique_ptr<RenderHarness> harness_;
};

struct BarSample {
  const char* caption;
  int position;
  QColor color;
};

TEST_F(Gallery, StackedBarsShowTheirValuesInTheirColours) {
  const QColor red(255, 0, 0), yellow(250, 230, 50), green(0, 255, 0);
  const BarSample samples[] = {
      {"Link Quality >> %d%%", 85, green},       {"Signal Strength 1 >> %d%%", 62, yellow},
      {"Signal Strength 2 >> -84 dBm", 20, red}, {"Signal Strength3 >>", 0, CGradientProgressBar::DefaultEndColor()},
      {"Noise Strength >> %d%%", 26, green},
  };
  QWidget panel;
  auto* layout = new QVBoxLayout(&panel);
  std::vector<CGradientProgressBar*> bars;
  for (const BarSample& s : samples) {
    auto* bar = new CGradientProgressBar;
    bar->SetCaption(QString::fromUtf8(s.caption));
    bar->SetEndColor(s.color);
    bar->SetPos(s.position);
    layout->addWidget(bar);
    bars.push_back(bar);
  }
  panel.resize(360, 180);
  const QString path = harness_->Render(panel, QStringLiteral("bars"));
  ASSERT_FALSE(path.isEmpty());
  const QImage image(path);
  ASSERT_EQ(image.size(), QSize(360, 180));
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const QRect r = bars[i]->geometry();
    const int inner = r.width() - 2;
    const int fill = inner * samples[i].position / 100;
    // The top row of each bar carries its end colour exactly as far as its value.
    const QColor first = image.pixelColor(r.left() + 1, r.top() + 1);
    const QColor beyond = image.pixelColor(r.left() + 1 + fill + 1, r.top() + 1);
    if (fill > 0) {
      const int d = std::abs(first.hue() - samples[i].color.hue());
      EXPECT_LT(std::min(d, 360 - d), 12) << samples[i].caption;
    } else {
      EXPECT_EQ(first, QColor(250, 250, 250)) << samples[i].caption;
    }
    EXPECT_EQ(beyond, QColor(250, 250, 250)) << samples[i].caption;
  }
}

TEST_F(Gallery, TxAndRxGraphsSideBySide) {
  QWidget panel;
  auto* layout = new QGridLayout(&panel);
  auto* tx = new CBarGraph;
  auto* rx = new CBarGraph;
  const double txSamples[] = {0.2, 0.8, 1.6, 2.0, 2.4, 1.1, 0.6, 3.2, 2.9, 2.2, 1.0, 0.4};
  const double rxSamples[] = {4.0, 3.1, 5.5, 8.0, 7.2, 6.6, 2.0, 1.5, 0.9, 0.0, 0.0, 0.3};
  for (auto [graph, color, data, max, text] : {std::tuple{tx, QColor(0, 255, 0), txSamples, 3.2, "3.200 Mbps"},
                                               std::tuple{rx, QColor(255, 255, 0), rxSamples, 8.0, "8.000 Mbps"}}) {
    graph->SetBarColor(color);
    graph->SetCaptionLineCount(2);
    graph->SetCaptionLine(0, QStringLiteral("Max"));
    graph->SetCaptionLine(1, QString::fromUtf8(text));
    graph->SetMaximum(max);
    for (int i = 11; i >= 0; --i) graph->AddSample(data[i]);  // data[0] is the newest
  }
  layout->addWidget(new QLabel(QStringLiteral("Transmit")), 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("Receive")), 0, 1);
  layout->addWidget(tx, 1, 0);
  layout->addWidget(rx, 1, 1);
  panel.resize(420, 110);
  const QString path = harness_->Render(panel, QStringLiteral("graphs"));
  ASSERT_FALSE(path.isEmpty());
  const QImage image(path);
  // Rx: the fourth-newest sample is the maximum (8.0), so the bar at x = 50 + 3 * 2 is full.
  const QRect r = rx->geometry();
  const int full = r.height() - 2;
  int lit = 0;
  for (int y = r.top(); y <= r.bottom(); ++y) {
    lit += image.pixelColor(r.left() + 50 + 3 * 2, y) == QColor(255, 255, 0) ? 1 : 0;
  }
  EXPECT_EQ(lit, full);
  // Tx newest sample 0.2 of 3.2: a short bar in the first column only.
  const QRect t = tx->geometry();
  lit = 0;
  for (int y = t.top(); y <= t.bottom(); ++y) {
    lit += image.pixelColor(t.left() + 50, y) == QColor(0, 255, 0) ? 1 : 0;
  }
  EXPECT_EQ(lit, static_cast<int>((t.height() - 2) * 0.2 / 3.2));
}

TEST_F(Gallery, StatisticsTabsAndIconSheet) {
  CTabDialog tabs;
  for (const char* caption : {"Transmit", "Receive"}) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Frames Transmitted Successfully ")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("=")), 0, 1);
    auto* value = new QLabel(QStringLiteral("4294967296"));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->setRowStretch(1, 1);
    grid->addWidget(value, 0, 2);
    tabs.AddPage(QString::fromUtf8(caption), page);
  }
  tabs.resize(420, 160);
  EXPECT_FALSE(harness_->Render(tabs, QStringLiteral("tabs")).isEmpty());
  tabs.SetCurrent(1);
  EXPECT_FALSE(harness_->Render(tabs, QStringLiteral("tabs-receive")).isEmpty());
  const QString sheet = harness_->RenderIconSheet();
  ASSERT_FALSE(sheet.isEmpty());
  EXPECT_FALSE(QImage(sheet).isNull());
  EXPECT_EQ(harness_->Written().size(), 3);
}

TEST_F(Gallery, PageButtonStripShowsEachPictureOnItsButton) {
  struct Item {
    const char* caption;
    int art;
  } items[] = {{"Profile", kArtProfile}, {"Network", kArtNetwork}, {"Statistics", kArtStatistics},
               {"WPS", kArtWps},         {"802.11n", kArtDot11n},  {"开启/关闭", kArtRadioOn},
               {"About", kArtAbout}};
  QWidget strip;
  auto* row = new QHBoxLayout(&strip);
  std::vector<QToolButton*> buttons;
  auto* left = new QToolButton;
  left->setIcon(PageButtonIcon(kArtLeftArrow));
  row->addWidget(left);
  for (const Item& item : items) {
    auto* b = new QToolButton;
    b->setText(QString::fromUtf8(item.caption));
    b->setIcon(PageButtonIcon(item.art));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFont(TrebuchetFont(20));
    b->setMinimumWidth(72);
    row->addWidget(b);
    buttons.push_back(b);
  }
  auto* right = new QToolButton;
  right->setIcon(PageButtonIcon(kArtRightArrow));
  row->addWidget(right);
  strip.resize(strip.sizeHint());
  const QString path = harness_->Render(strip, QStringLiteral("page-buttons"));
  ASSERT_FALSE(path.isEmpty());
  const QImage image(path);
  for (QToolButton* b : buttons) {
    // The upper half of each button holds its picture: pixels far from the button's face.
    const QRect r = b->geometry();
    const QColor face = image.pixelColor(r.left() + 5, r.top() + 5);
    int vivid = 0;
    for (int y = r.top(); y < r.top() + r.height() / 2; ++y) {
      for (int x = r.left() + 3; x <= r.right() - 3; ++x) {
        const QColor c = image.pixelColor(x, y);
        const int distance =
            std::abs(c.red() - face.red()) + std::abs(c.green() - face.green()) + std::abs(c.blue() - face.blue());
        vivid += distance > 150 ? 1 : 0;
      }
    }
    EXPECT_GT(vivid, 60) << b->text().toStdString();
  }
}

}  // namespace
}  // namespace nxui
