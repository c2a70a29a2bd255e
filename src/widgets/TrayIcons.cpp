#include "widgets/TrayIcons.h"

#include "widgets/IconCache.h"
#include "widgets/IconCanvas.h"

namespace nxui {

namespace {

constexpr int kGrid = 16;
const QColor kUnlit(150, 150, 150, 190);

// Four rising bars, the first `lit` of them in `color`.
void DrawBars(IconCanvas& c, int lit, const QColor& color) {
  static constexpr qreal kHeights[4] = {5.0, 8.0, 11.0, 15.0};
  for (int i = 0; i < 4; ++i) {
    const qreal h = kHeights[i];
    const QColor fill = i < lit ? color : kUnlit;
    c.Box(QRectF(i * 4.0, 16.0 - h, 3.0, h), fill);
  }
}

void DrawRedCross(IconCanvas& c) {
  const QColor red(215, 35, 35);
  c.HaloLine(QPointF(8.5, 8.5), QPointF(14.5, 14.5), red, 2.2);
  c.HaloLine(QPointF(14.5, 8.5), QPointF(8.5, 14.5), red, 2.2);
}

void DrawMissing(IconCanvas& c) {
  // A plug-in adapter, greyed, under a "no" sign.
  c.Box(QRectF(2.5, 5.5, 7.0, 10.0), QColor(120, 126, 138), QColor(60, 62, 72), 1.2);
  c.Box(QRectF(3.5, 0.5, 5.0, 5.0), QColor(200, 200, 205), QColor(110, 110, 120));
  c.Box(QRectF(4.5, 2.0, 1.0, 1.5), QColor(90, 90, 90));
  c.Box(QRectF(6.5, 2.0, 1.0, 1.5), QColor(90, 90, 90));
  const QColor red(215, 35, 35);
  c.Disc(QPointF(11.0, 11.0), 4.3, QColor(255, 255, 255, 220), Qt::transparent);
  QPainter& p = c.Painter();
  p.setPen(QPen(red, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(11.0, 11.0), 3.6, 3.6);
  c.Line(QPointF(8.6, 13.4), QPointF(13.4, 8.6), red, 1.6);
}

void DrawWepError(IconCanvas& c) {
  // The connection is there but the key is wrong: a key with a warning mark.
  c.Key(QPointF(4.5, 4.5), QPointF(14.0, 14.0), 3.6, QColor(235, 180, 30));
  c.Disc(QPointF(4.0, 12.0), 3.8, QColor(215, 35, 35), QColor(255, 255, 255, 220));
  c.Line(QPointF(4.0, 9.9), QPointF(4.0, 12.4), Qt::white, 1.4);
  c.Disc(QPointF(4.0, 14.2), 0.75, Qt::white, Qt::transparent);
}

void DrawApp(IconCanvas& c) {
  c.Box(QRectF(0.5, 0.5, 15.0, 15.0), QColor(30, 95, 170), QColor(15, 60, 120), 3.0);
  static constexpr qreal kHeights[4] = {3.0, 5.5, 8.0, 10.5};
  for (int i = 0; i < 4; ++i) {
    c.Box(QRectF(3.0 + i * 2.75, 13.0 - kHeights[i], 1.75, kHeights[i]), Qt::white);
  }
}

}  // namespace

QPixmap TrayIconPixmap(int iconNumber, int size, qreal devicePixelRatio) {
  if (size <= 0) return QPixmap();
  switch (iconNumber) {
    case kTrayIconGood:
    case kTrayIconDisconnected:
    case kTrayIconNormal:
    case kTrayIconWeak:
    case kTrayIconMissing:
    case kTrayIconWepError:
    case kAppIconNumber:
      break;
    default:
      return QPixmap();
  }
  IconCanvas c(size, kGrid, devicePixelRatio);
  switch (iconNumber) {
    case kTrayIconGood:
      DrawBars(c, 4, QColor(35, 175, 60));
      break;
    case kTrayIconNormal:
      DrawBars(c, 3, QColor(235, 175, 0));
      break;
    case kTrayIconWeak:
      DrawBars(c, 1, QColor(225, 75, 35));
      break;
    case kTrayIconDisconnected:
      DrawBars(c, 0, kUnlit);
      DrawRedCross(c);
      break;
    case kTrayIconMissing:
      DrawMissing(c);
      break;
    case kTrayIconWepError:
      DrawWepError(c);
      break;
    case kAppIconNumber:
      DrawApp(c);
      break;
    default:
      break;
  }
  return c.Finish();
}

QIcon TrayIcon(int iconNumber) {
  return CachedIcon(IconFamily::Tray, iconNumber, [iconNumber] {
    if (TrayIconPixmap(iconNumber, 16).isNull()) return QIcon();
    // The notification area asks for one size; a window's icon is handed over at every size.
    return LazySizedIcon({16, 22, 24, 32, 48, 64}, [iconNumber](int size) { return TrayIconPixmap(iconNumber, size); });
  });
}

}  // namespace nxui
