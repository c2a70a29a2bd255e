#include "widgets/CBarGraph.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace nxui {

namespace {
std::size_t ScreenWidth() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const int w = screen->geometry().width();
    if (w > 0) return static_cast<std::size_t>(w);
  }
  return 2048;
}
}  // namespace

CBarGraph::CBarGraph(QWidget* parent) : QWidget(parent), capacity_(ScreenWidth()) {
  captionLines_ << QString() << QString();
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  // Every pixel is painted: the group box behind need not be drawn first on each new sample.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CBarGraph::SetCaptionWidth(int pixels) {
  captionWidth_ = std::max(pixels, 0);
  update();
}

void CBarGraph::SetCaptionLineCount(int count) {
  count = std::max(count, 0);
  while (captionLines_.size() > count) captionLines_.removeLast();
  while (captionLines_.size() < count) captionLines_ << QString();
  update();
}

void CBarGraph::SetCaptionLine(int index, const QString& text) {
  if (index < 0 || index >= captionLines_.size()) return;
  captionLines_[index] = text;
  update();
}

void CBarGraph::SetBarColor(const QColor& color) {
  barColor_ = color;
  update();
}

// Changes schedule one paint (update, not repaint): a graph refilled with its whole history drew
// itself once per sample.
void CBarGraph::SetMaximum(double maximum) {
  maximum_ = maximum;
  update();
}

void CBarGraph::AddSample(double value) {
  samples_.push_front(value);
  if (samples_.size() > capacity_) samples_.pop_back();
  update();
}

void CBarGraph::SetSamples(const std::deque<double>& newestFirst) {
  const std::size_t kept = std::min(newestFirst.size(), capacity_);
  samples_.assign(newestFirst.begin(), newestFirst.begin() + static_cast<std::ptrdiff_t>(kept));
  update();
}

void CBarGraph::Clear() {
  samples_.clear();
  update();
}

int CBarGraph::BarHeight(double value) const {
  const int full = std::max(height() - 2, 0);
  // Also rejects NaN: a scale or sample that compares false draws nothing.
  if (!(maximum_ > 0.0) || !(value > 0.0)) return 0;
  const double h = full * value / maximum_;
  if (h >= full) return full;
  return static_cast<int>(h);
}

QSize CBarGraph::sizeHint() const { return QSize(captionWidth_ + 2 * 60, 70); }

QSize CBarGraph::minimumSizeHint() const { return QSize(captionWidth_ + 20, 32); }

void CBarGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);

  // Caption column, white on black, one line per caption line ("Max" over "12.345 Mbps"). A line
  // too wide for the column is drawn in a smaller font rather than wrapped onto a third line.
  p.setPen(Qt::white);
  const int columnWidth = std::max(captionWidth_ - 4, 0);
  const int lineHeight = QFontMetrics(font()).height();
  p.save();
  p.setClipRect(QRect(0, 0, captionWidth_, height()));
  for (int i = 0; i < captionLines_.size(); ++i) {
    QFont lineFont = font();
    const int wide = QFontMetrics(lineFont).horizontalAdvance(captionLines_[i]);
    if (wide > columnWidth) {
      const int pixels = QFontInfo(lineFont).pixelSize();
      lineFont.setPixelSize(std::max(kMinCaptionPixels, pixels * columnWidth / wide));
    }
    p.setFont(lineFont);
    const QString text = QFontMetrics(lineFont).elidedText(captionLines_[i], Qt::ElideRight, columnWidth);
    p.drawText(QRect(2, 2 + i * lineHeight, columnWidth, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
  p.restore();

  const int bottom = height() - 1;  // one pixel margin under the bars
  int x = captionWidth_;
  for (double sample : samples_) {
    if (x >= width()) break;
    const int h = BarHeight(sample);
    if (h > 0) p.fillRect(QRect(x, bottom - h, kBarWidth, h), barColor_);
    x += kBarWidth;
  }
}

}  // namespace nxui
