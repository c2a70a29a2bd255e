// An icon that draws its pictures on demand must look exactly like one holding every picture, and
// draw only what was asked for.
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <vector>

#include "widgets/IconCache.h"
#include "widgets/PageButtonIcons.h"
#include "widgets/TrayIcons.h"

namespace nxui {
namespace {

// A picture that differs at every size, so a wrong choice shows.
QPixmap Art(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(20 + size * 3, 200 - size * 2, 90));
  painter.drawEllipse(QRectF(1, 1, size - 2, size / 2.0));
  return pixmap;
}

QIcon Eager(const std::vector<int>& sizes) {
  QIcon icon;
  for (const int size : sizes) icon.addPixmap(Art(size));
  return icon;
}

QImage Painted(const QIcon& icon, const QRect& rect, QIcon::Mode mode, QIcon::State state, qreal ratio) {
  QImage image(QSize(80, 80) * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  icon.paint(&painter, rect, Qt::AlignCenter, mode, state);
  return image;
}

TEST(LazySizedIcon, ShowsWhatAnIconWithEveryPictureShows) {
  const std::vector<int> sizes = {16, 24, 32, 48};
  // Below, between, at and above the sizes held; square and not.
  const QSize asked[] = {{1, 1},   {15, 15}, {16, 16}, {17, 17}, {20, 20}, {24, 24}, {25, 25},
                         {32, 32}, {33, 33}, {48, 48}, {64, 64}, {20, 40}, {40, 12}};
  const QIcon::Mode modes[] = {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected};
  const qreal ratios[] = {1.0, 1.5, 2.0};
  for (const qreal ratio : ratios) {
    for (const QSize& size : asked) {
      for (const QIcon::Mode mode : modes) {
        for (const QIcon::State state : {QIcon::Off, QIcon::On}) {
          SCOPED_TRACE(testing::Message() << "ratio " << ratio << ", " << size.width() << "x" << size.height()
                                          << ", mode " << mode << ", state " << state);
          // Each case on fresh icons: what an earlier case drew must not decide this one.
          const QIcon eager = Eager(sizes);
          const QIcon lazy = LazySizedIcon(sizes, Art);
          EXPECT_EQ(lazy.actualSize(size, mode, state), eager.actualSize(size, mode, state));
          const QPixmap expected = eager.pixmap(size, ratio, mode, state);
          const QPixmap got = lazy.pixmap(size, ratio, mode, state);
          EXPECT_EQ(got.devicePixelRatio(), expected.devicePixelRatio());
          EXPECT_EQ(got.toImage(), expected.toImage());
          const QRect rect(QPoint(3, 5), size);
          EXPECT_EQ(Painted(Eager(sizes), rect, mode, state, ratio),
                    Painted(LazySizedIcon(sizes, Art), rect, mode, state, ratio));
        }
      }
    }
  }
  const QIcon eager = Eager(sizes);
  const QIcon lazy = LazySizedIcon({48, 16, 32, 24, 24}, Art);
  for (const QIcon::Mode mode : modes) EXPECT_EQ(lazy.availableSizes(mode), eager.availableSizes(mode)) << mode;
  EXPECT_FALSE(lazy.isNull());
  EXPECT_TRUE(LazySizedIcon({}, Art).isNull());
}

TEST(LazySizedIcon, DrawsOnlyThePicturesAskedForOnce) {
  std::vector<int> drawn;
  const QIcon icon = LazySizedIcon({16, 24, 32, 48}, [&drawn](int size) {
    drawn.push_back(size);
    return Art(size);
  });
  EXPECT_TRUE(drawn.empty());
  EXPECT_EQ(icon.actualSize(QSize(20, 20)), QSize(20, 20));
  EXPECT_TRUE(drawn.empty()) << "a size needs no picture";
  icon.pixmap(32);
  icon.pixmap(32, QIcon::Disabled);
  icon.pixmap(20);
  EXPECT_EQ(drawn, (std::vector<int>{32, 24}));
  // A copy shares what was drawn so far.
  QIcon copy = icon;
  copy.pixmap(32);
  EXPECT_EQ(drawn, (std::vector<int>{32, 24}));
  EXPECT_EQ(copy.availableSizes().size(), 4);
  EXPECT_EQ(drawn.size(), 2U) << "listing the sizes draws nothing";
}

// The program's own icons: the same pictures as drawing every size at once gave.
TEST(LazySizedIcon, ProgramIconsMatchTheirPictures) {
  struct Case {
    const char* name;
    QIcon icon;
    std::vector<int> sizes;
    std::function<QPixmap(int)> draw;
  };
  const Case cases[] = {
      {"strip button", PageButtonIcon(kArtWps), {16, 24, 32, 48}, [](int s) { return PageButtonPixmap(kArtWps, s); }},
      {"More", PageButtonIcon(kArtMore), {16, 24, 32, 48}, [](int s) { return PageButtonPixmap(kArtMore, s); }},
      {"application",
       TrayIcon(kAppIconNumber),
       {16, 22, 24, 32, 48, 64},
       [](int s) { return TrayIconPixmap(kAppIconNumber, s); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QIcon eager;
    for (const int size : c.sizes) eager.addPixmap(c.draw(size));
    for (const int asked : {12, 16, 20, 22, 32, 40, 64, 80}) {
      for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
        EXPECT_EQ(c.icon.pixmap(asked, mode).toImage(), eager.pixmap(asked, mode).toImage()) << asked << " " << mode;
      }
    }
    EXPECT_EQ(c.icon.availableSizes(), eager.availableSizes());
  }
  EXPECT_TRUE(PageButtonIcon(12345).isNull());
  EXPECT_TRUE(TrayIcon(12345).isNull());
}

}  // namespace
}  // namespace nxui
