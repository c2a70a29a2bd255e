#include "widgets/IconCanvas.h"

#include <QFont>
#include <QPainterPath>
#include <QPen>

#include <cmath>

namespace nxui {

IconCanvas::IconCanvas(int pixelSize, int gridUnits, qreal devicePixelRatio)
    : pixmap_(static_cast<int>(std::lround(pixelSize * devicePixelRatio)),
              static_cast<int>(std::lround(pixelSize * devicePixelRatio))) {
  pixmap_.setDevicePixelRatio(devicePixelRatio);
  pixmap_.fill(Qt::transparent);
  painter_.begin(&pixmap_);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  const qreal scale = static_cast<qreal>(pixelSize) / gridUnits;
  painter_.scale(scale, scale);
}

QPixmap IconCanvas::Finish() {
  if (painter_.isActive()) painter_.end();
  // A pixmap keeps the paint engine that drew it, with its path buffers, as long as it lives, and
  // icons live as long as the program: a copy of the pixels has none.
  return QPixmap::fromImage(pixmap_.toImage().copy());
}

void IconCanvas::Disc(QPointF centre, qreal radius, const QColor& fill, const QColor& outline) {
  painter_.setPen(outline.alpha() == 0 ? QPen(Qt::NoPen) : QPen(outline, 1.0));
  painter_.setBrush(fill);
  painter_.drawEllipse(centre, radius, radius);
}

void IconCanvas::Line(QPointF from, QPointF to, const QColor& color, qreal width) {
  painter_.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter_.drawLine(from, to);
}

void IconCanvas::Box(const QRectF& box, const QColor& fill, const QColor& outline, qreal radius) {
  painter_.setPen(outline.alpha() == 0 ? QPen(Qt::NoPen) : QPen(outline, 1.0));
  painter_.setBrush(fill);
  if (radius > 0) {
    painter_.drawRoundedRect(box, radius, radius);
  } else {
    painter_.drawRect(box);
  }
}

void IconCanvas::Text(const QRectF& box, const QString& text, const QColor& color, int pixelSize) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(true);
  painter_.setFont(font);
  painter_.setPen(color);
  painter_.drawText(box, Qt::AlignCenter, text);
}

void IconCanvas::HaloLine(QPointF from, QPointF to, const QColor& color, qreal width) {
  Line(from, to, QColor(255, 255, 255, 220), width + 1.6);
  Line(from, to, color, width);
}

void IconCanvas::Padlock(QPointF origin, qreal scale, const QColor& body, bool open) {
  painter_.save();
  painter_.translate(origin);
  painter_.scale(scale, scale);
  QPainterPath shackle;
  const qreal lift = open ? 2.0 : 0.0;
  shackle.moveTo(4.5, 7.5 - lift);
  shackle.lineTo(4.5, 5.0 - lift);
  shackle.arcTo(QRectF(4.5, 1.5 - lift, 7.0, 7.0), 180.0, -180.0);
  shackle.lineTo(11.5, open ? 3.5 : 7.5);
  painter_.setPen(QPen(QColor(95, 95, 105), 1.8, Qt::SolidLine, Qt::FlatCap));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawPath(shackle);
  Box(QRectF(2.5, 7.5, 11.0, 8.0), body, body.darker(160), 1.5);
  Disc(QPointF(8.0, 10.5), 1.3, QColor(60, 45, 10), Qt::transparent);
  Line(QPointF(8.0, 10.5), QPointF(8.0, 13.0), QColor(60, 45, 10), 1.2);
  painter_.restore();
}

void IconCanvas::CircleArrow(QPointF centre, qreal radius, qreal width) {
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  painter_.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::FlatCap));
  painter_.setBrush(Qt::NoBrush);
  // Qt angles: 1/16 degree, counter-clockwise from three o'clock.
  painter_.drawArc(box, 60 * 16, 270 * 16);
  // Arrow head at the arc's end (330 degrees), pointing the way the arc runs.
  const qreal end = 330.0 * M_PI / 180.0;
  const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
  const QPointF along(-std::sin(end), -std::cos(end));  // counter-clockwise on screen
  const QPointF across(-along.y(), along.x());
  const qreal head = width * 1.5;
  QPainterPath arrow;
  arrow.moveTo(tip + along * head);
  arrow.lineTo(tip + across * head);
  arrow.lineTo(tip - across * head);
  arrow.closeSubpath();
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(Qt::white);
  painter_.drawPath(arrow);
}

void IconCanvas::Key(QPointF ring, QPointF tip, qreal ringRadius, const QColor& color) {
  const QColor edge = color.darker(170);
  const qreal dx = tip.x() - ring.x();
  const qreal dy = tip.y() - ring.y();
  const qreal length = std::hypot(dx, dy);
  const QPointF unit(dx / length, dy / length);
  const QPointF normal(-unit.y(), unit.x());
  const qreal shaft = ringRadius * 0.7;
  // Outline first, then the fill over it.
  for (int pass = 0; pass < 2; ++pass) {
    const QColor c = pass == 0 ? edge : color;
    const qreal grow = pass == 0 ? 1.0 : 0.0;
    Line(ring, tip, c, shaft + grow);
    const QPointF t1 = tip - unit * (ringRadius * 0.4);
    const QPointF t2 = tip - unit * (ringRadius * 1.3);
    Line(t1, t1 + normal * (ringRadius * 0.9), c, shaft * 0.8 + grow);
    Line(t2, t2 + normal * (ringRadius * 0.7), c, shaft * 0.8 + grow);
    Disc(ring, ringRadius + grow * 0.5, c, Qt::transparent);
  }
  Disc(ring, ringRadius * 0.38, QColor(255, 255, 255, 230), Qt::transparent);
}

}  // namespace nxui
