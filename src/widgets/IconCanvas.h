#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace nxui {

// A transparent square pixmap with a painter whose coordinates run over a fixed design grid
// (16 or 32 units), so one drawing serves every pixel size and stays sharp: at the design size
// and its multiples the shapes fall on whole pixels.
class IconCanvas {
 public:
  IconCanvas(int pixelSize, int gridUnits, qreal devicePixelRatio = 1.0);
  IconCanvas(const IconCanvas&) = delete;
  IconCanvas& operator=(const IconCanvas&) = delete;

  QPainter& Painter() { return painter_; }
  // Ends painting and hands out the picture.
  QPixmap Finish();

  // Shapes shared by the icon families, in grid units.
  void Disc(QPointF centre, qreal radius, const QColor& fill, const QColor& outline);
  void Line(QPointF from, QPointF to, const QColor& color, qreal width);
  void Box(const QRectF& box, const QColor& fill, const QColor& outline = Qt::transparent, qreal radius = 0.0);
  // Bold text centred in `box`, `pixelSize` in grid units.
  void Text(const QRectF& box, const QString& text, const QColor& color, int pixelSize);
  // A line with a light halo under it, so marks stay visible on dark and light backgrounds.
  void HaloLine(QPointF from, QPointF to, const QColor& color, qreal width);
  // A padlock filling a 16-unit box at `origin`.
  void Padlock(QPointF origin, qreal scale, const QColor& body, bool open);
  // Two-thirds of a circle ending in an arrow head (the protected-setup mark), white.
  void CircleArrow(QPointF centre, qreal radius, qreal width);
  // A key from the ring at `ring` running down-right to `tip`.
  void Key(QPointF ring, QPointF tip, qreal ringRadius, const QColor& color);

 private:
  QPixmap pixmap_;
  QPainter painter_;
};

}  // namespace nxui
