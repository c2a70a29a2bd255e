#include "widgets/PageButtonIcons.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <iterator>

#include "widgets/IconCache.h"
#include "widgets/IconCanvas.h"

namespace nxui {

namespace {

constexpr int kGrid = 32;
constexpr int kAll[] = {kArtProfile, kArtStatistics, kArtLinkStatus, kArtRadioOn, kArtRadioOff,
                        kArtWps,     kArtDot11n,     kArtNetwork,    kArtAbout,   kArtLess,
                        kArtMore,    kArtLeftArrow,  kArtRightArrow, kArtSso,     kArtHelp};
const QColor kInk(45, 60, 85);
const QColor kBlue(35, 110, 200);

void DrawProfile(IconCanvas& c) {
  // A card with a person and two text lines: one saved connection.
  c.Box(QRectF(5.5, 4.5, 21.0, 24.0), QColor(250, 250, 252), kInk, 2.0);
  c.Box(QRectF(11.5, 2.5, 9.0, 4.0), QColor(120, 135, 160), kInk, 1.0);
  c.Disc(QPointF(16.0, 12.5), 3.5, kBlue, Qt::transparent);
  QPainterPath shoulders;
  shoulders.moveTo(9.5, 21.0);
  shoulders.cubicTo(10.0, 15.5, 22.0, 15.5, 22.5, 21.0);
  shoulders.closeSubpath();
  c.Painter().setPen(Qt::NoPen);
  c.Painter().setBrush(kBlue);
  c.Painter().drawPath(shoulders);
  c.Line(QPointF(10.0, 24.5), QPointF(22.0, 24.5), QColor(150, 160, 175), 1.5);
}

void DrawNetwork(IconCanvas& c) {
  // A magnifier over radio waves: looking for networks.
  QPainter& p = c.Painter();
  c.Disc(QPointF(13.0, 13.0), 9.0, QColor(225, 240, 255), Qt::transparent);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(40, 150, 90), 1.8, Qt::SolidLine, Qt::RoundCap));
  for (qreal r : {2.5, 5.0}) {
    p.drawArc(QRectF(13.0 - r, 16.0 - r, 2 * r, 2 * r), 50 * 16, 80 * 16);
  }
  c.Disc(QPointF(13.0, 16.0), 1.4, QColor(40, 150, 90), Qt::transparent);
  p.setPen(QPen(kInk, 3.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(13.0, 13.0), 9.0, 9.0);
  c.Line(QPointF(19.8, 19.8), QPointF(28.0, 28.0), kInk, 4.5);
}

void DrawStatistics(IconCanvas& c) {
  c.Line(QPointF(4.0, 3.5), QPointF(4.0, 28.0), kInk, 2.0);
  c.Line(QPointF(4.0, 28.0), QPointF(29.0, 28.0), kInk, 2.0);
  const QColor colors[] = {QColor(35, 110, 200), QColor(40, 170, 80), QColor(35, 110, 200), QColor(40, 170, 80)};
  const qreal heights[] = {10.0, 17.0, 13.0, 21.0};
  for (int i = 0; i < 4; ++i) {
    c.Box(QRectF(7.0 + i * 5.5, 27.0 - heights[i], 4.0, heights[i]), colors[i], colors[i].darker(140));
  }
}

void DrawLinkStatus(IconCanvas& c) {
  // A screen with a live trace.
  c.Box(QRectF(3.5, 4.5, 25.0, 18.0), QColor(25, 30, 40), kInk, 2.0);
  c.Box(QRectF(12.0, 23.0, 8.0, 3.0), kInk);
  c.Box(QRectF(8.0, 26.0, 16.0, 2.5), kInk, Qt::transparent, 1.0);
  QPolygonF trace;
  trace << QPointF(6, 15) << QPointF(11, 15) << QPointF(13, 9) << QPointF(16, 19) << QPointF(18.5, 12)
        << QPointF(20.5, 15) << QPointF(26, 15);
  c.Painter().setPen(QPen(QColor(80, 230, 90), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  c.Painter().setBrush(Qt::NoBrush);
  c.Painter().drawPolyline(trace);
}

void DrawPower(IconCanvas& c, const QColor& color) {
  c.Disc(QPointF(16.0, 16.0), 14.0, color, color.darker(150));
  QPainter& p = c.Painter();
  p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(8.5, 9.0, 15.0, 15.0), 120 * 16, 300 * 16);
  c.Line(QPointF(16.0, 6.5), QPointF(16.0, 15.0), Qt::white, 3.0);
}

void DrawWps(IconCanvas& c) {
  c.Disc(QPointF(16.0, 16.0), 14.0, kBlue, kBlue.darker(150));
  c.CircleArrow(QPointF(16.0, 16.0), 10.5, 2.6);
  c.Padlock(QPointF(10.8, 9.6), 0.65, QColor(245, 200, 60), false);
}

void DrawDot11n(IconCanvas& c) {
  c.Box(QRectF(1.5, 6.5, 29.0, 19.0), QColor(215, 90, 25), QColor(150, 60, 15), 4.0);
  c.Text(QRectF(1.5, 6.0, 29.0, 19.0), QStringLiteral("11n"), Qt::white, 13);
}

void DrawAbout(IconCanvas& c) {
  c.Disc(QPointF(16.0, 16.0), 14.0, kBlue, kBlue.darker(150));
  c.Disc(QPointF(16.0, 9.0), 2.2, Qt::white, Qt::transparent);
  c.Line(QPointF(16.0, 14.0), QPointF(16.0, 24.0), Qt::white, 4.0);
}

void DrawHelp(IconCanvas& c) {
  c.Disc(QPointF(16.0, 16.0), 14.0, QColor(40, 150, 90), QColor(25, 100, 60));
  c.Text(QRectF(2.0, 1.5, 28.0, 28.0), QStringLiteral("?"), Qt::white, 20);
}

void DrawSso(IconCanvas& c) {
  // One key for the logon and the wireless login.
  c.Disc(QPointF(22.0, 9.0), 5.0, kBlue, Qt::transparent);
  QPainterPath body;
  body.moveTo(14.5, 21.5);
  body.cubicTo(15.0, 13.5, 29.0, 13.5, 29.5, 21.5);
  body.closeSubpath();
  c.Painter().setPen(Qt::NoPen);
  c.Painter().setBrush(kBlue);
  c.Painter().drawPath(body);
  c.Key(QPointF(8.0, 15.0), QPointF(25.0, 29.0), 6.0, QColor(235, 180, 30));
}

void DrawTriangle(IconCanvas& c, bool right) {
  QPolygonF tri;
  if (right) {
    tri << QPointF(10, 6) << QPointF(24, 16) << QPointF(10, 26);
  } else {
    tri << QPointF(22, 6) << QPointF(8, 16) << QPointF(22, 26);
  }
  c.Painter().setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  c.Painter().setBrush(QColor(90, 110, 140));
  c.Painter().drawPolygon(tri);
}

void DrawChevrons(IconCanvas& c, bool up) {
  QPainter& p = c.Painter();
  p.setPen(QPen(kInk, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  for (qreal top : {7.0, 16.0}) {
    QPolygonF v;
    if (up) {
      v << QPointF(7, top + 7) << QPointF(16, top) << QPointF(25, top + 7);
    } else {
      v << QPointF(7, top) << QPointF(16, top + 7) << QPointF(25, top);
    }
    p.drawPolyline(v);
  }
}

}  // namespace

const int* PageButtonArtBegin() { return std::begin(kAll); }
const int* PageButtonArtEnd() { return std::end(kAll); }

QPixmap PageButtonPixmap(int artNumber, int size, qreal devicePixelRatio) {
  if (size <= 0 || std::find(std::begin(kAll), std::end(kAll), artNumber) == std::end(kAll)) {
    return QPixmap();
  }
  IconCanvas c(size, kGrid, devicePixelRatio);
  switch (artNumber) {
    case kArtProfile:
      DrawProfile(c);
      break;
    case kArtNetwork:
      DrawNetwork(c);
      break;
    case kArtStatistics:
      DrawStatistics(c);
      break;
    case kArtLinkStatus:
      DrawLinkStatus(c);
      break;
    case kArtRadioOn:
      DrawPower(c, QColor(40, 170, 70));
      break;
    case kArtRadioOff:
      DrawPower(c, QColor(200, 50, 40));
      break;
    case kArtWps:
      DrawWps(c);
      break;
    case kArtDot11n:
      DrawDot11n(c);
      break;
    case kArtAbout:
      DrawAbout(c);
      break;
    case kArtHelp:
      DrawHelp(c);
      break;
    case kArtSso:
      DrawSso(c);
      break;
    case kArtLeftArrow:
      DrawTriangle(c, false);
      break;
    case kArtRightArrow:
      DrawTriangle(c, true);
      break;
    case kArtLess:
      DrawChevrons(c, true);
      break;
    case kArtMore:
      DrawChevrons(c, false);
      break;
    default:
      break;
  }
  return c.Finish();
}

QIcon PageButtonIcon(int artNumber) {
  return CachedIcon(IconFamily::PageButton, artNumber, [artNumber] {
    if (std::find(std::begin(kAll), std::end(kAll), artNumber) == std::end(kAll)) return QIcon();
    // The strip shows them at 32 pixels and Help and More/Less at 20: most sizes are never drawn.
    return LazySizedIcon({16, 24, 32, 48}, [artNumber](int size) { return PageButtonPixmap(artNumber, size); });
  });
}

}  // namespace nxui
