#include "widgets/SurveyIcons.h"

#include <QPainterPath>

#include "widgets/IconCache.h"
#include "widgets/IconCanvas.h"

namespace nxui {

namespace {

constexpr int kGrid = 16;
const QColor kOutline(40, 55, 80);

void DrawAdHoc(IconCanvas& c) {
  // Two stations linked to each other, no access point between them.
  const QColor screen(80, 150, 220);
  c.Box(QRectF(0.5, 1.5, 6.0, 5.0), screen, kOutline, 0.8);
  c.Box(QRectF(9.5, 1.5, 6.0, 5.0), screen, kOutline, 0.8);
  c.Line(QPointF(3.5, 7.0), QPointF(3.5, 12.5), kOutline, 1.2);
  c.Line(QPointF(12.5, 7.0), QPointF(12.5, 12.5), kOutline, 1.2);
  c.Line(QPointF(3.5, 12.5), QPointF(12.5, 12.5), QColor(230, 120, 20), 1.6);
  c.Disc(QPointF(3.5, 12.5), 1.7, QColor(230, 120, 20), Qt::transparent);
  c.Disc(QPointF(12.5, 12.5), 1.7, QColor(230, 120, 20), Qt::transparent);
}

void DrawInfrastructure(IconCanvas& c) {
  // An access point: a box with an antenna sending waves.
  QPainter& p = c.Painter();
  c.Box(QRectF(1.5, 10.5, 13.0, 4.5), QColor(60, 90, 150), kOutline, 1.0);
  c.Disc(QPointF(4.5, 12.75), 0.9, QColor(90, 230, 90), Qt::transparent);
  c.Disc(QPointF(7.0, 12.75), 0.9, QColor(90, 230, 90), Qt::transparent);
  c.Line(QPointF(11.5, 10.5), QPointF(11.5, 4.5), kOutline, 1.4);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(40, 120, 210), 1.3, Qt::SolidLine, Qt::RoundCap));
  const QPointF top(11.5, 4.5);
  for (qreal r : {2.5, 4.8}) {
    const QRectF arc(top.x() - r, top.y() - r, 2 * r, 2 * r);
    p.drawArc(arc, 120 * 16, 80 * 16);  // left waves
    p.drawArc(arc, -20 * 16, 60 * 16);  // right waves
  }
}

void DrawBadge(IconCanvas& c, const QString& letter, const QColor& fill) {
  c.Box(QRectF(0.5, 0.5, 15.0, 15.0), fill, fill.darker(150), 3.0);
  c.Text(QRectF(0.0, -0.5, 16.0, 16.0), letter, Qt::white, 12);
}

void DrawConnected(IconCanvas& c) {
  c.Disc(QPointF(8.0, 8.0), 7.0, QColor(40, 170, 70), QColor(20, 110, 40));
  QPainterPath check;
  check.moveTo(4.3, 8.2);
  check.lineTo(7.0, 10.9);
  check.lineTo(11.8, 5.4);
  c.Painter().setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  c.Painter().setBrush(Qt::NoBrush);
  c.Painter().drawPath(check);
}

void DrawWps(IconCanvas& c) {
  c.Disc(QPointF(8.0, 8.0), 7.2, QColor(30, 110, 200), QColor(15, 70, 140));
  c.CircleArrow(QPointF(8.0, 8.0), 4.0, 1.8);
}

}  // namespace

QPixmap SurveyIconPixmap(int position, int size, qreal devicePixelRatio) {
  if (position < 0 || position >= kSurveyIconCount || size <= 0) return QPixmap();
  IconCanvas c(size, kGrid, devicePixelRatio);
  switch (position) {
    case kSurveyIconAdHoc:
      DrawAdHoc(c);
      break;
    case kSurveyIconInfrastructure:
      DrawInfrastructure(c);
      break;
    case kSurveyIconA:
      DrawBadge(c, QStringLiteral("a"), QColor(140, 70, 190));
      break;
    case kSurveyIconB:
      DrawBadge(c, QStringLiteral("b"), QColor(35, 115, 205));
      break;
    case kSurveyIconG:
      DrawBadge(c, QStringLiteral("g"), QColor(35, 150, 65));
      break;
    case kSurveyIconN:
      DrawBadge(c, QStringLiteral("n"), QColor(215, 90, 25));
      break;
    case kSurveyIconLock:
      c.Padlock(QPointF(0, 0), 1.0, QColor(235, 185, 45), false);
      break;
    case kSurveyIconOpen:
      c.Padlock(QPointF(0, 0), 1.0, QColor(185, 185, 185), true);
      break;
    case kSurveyIconConnected:
      DrawConnected(c);
      break;
    case kSurveyIconWps:
      DrawWps(c);
      break;
    default:
      break;
  }
  return c.Finish();
}

QIcon SurveyIconSet(int position) {
  if (position < 0 || position >= kSurveyIconCount) return QIcon();
  // Asked for by every cell the list paints.
  return CachedIcon(IconFamily::Survey, position, [position] {
    QIcon icon;
    for (int size : {16, 24, 32}) {
      const QPixmap pixmap = SurveyIconPixmap(position, size);
      icon.addPixmap(pixmap);
      // On the selected row the style would tint the pictures with the highlight and grey them.
      icon.addPixmap(pixmap, QIcon::Selected);
    }
    return icon;
  });
}

QPixmap SurveyIconStrip(int size) {
  QPixmap strip(size * kSurveyIconCount, size);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  for (int i = 0; i < kSurveyIconCount; ++i) p.drawPixmap(i * size, 0, SurveyIconPixmap(i, size));
  return strip;
}

}  // namespace nxui
