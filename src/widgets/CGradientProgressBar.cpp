#include "widgets/CGradientProgressBar.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

#include "widgets/TrebuchetFont.h"

namespace nxui {

namespace {
constexpr int kCaptionCellHeight = 16;
}

QString CompleteCaptionTemplate(const QString& caption, int value) {
  QString out;
  out.reserve(caption.size() + 4);
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar c = caption[i];
    if (c == u'%' && i + 1 < caption.size()) {
      const QChar next = caption[i + 1];
      if (next == u'%') {
        out += u'%';
        ++i;
        continue;
      }
      if (next == u'd') {
        out += QString::number(value);
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

CGradientProgressBar::CGradientProgressBar(QWidget* parent) : QWidget(parent) {
  ResetGradient();
  setFont(TrebuchetFont(kCaptionCellHeight));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  // The trough covers the whole widget: what lies behind need not be drawn on each new value.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CGradientProgressBar::SetRange(int minimum, int maximum) {
  if (maximum < minimum) std::swap(minimum, maximum);
  minimum_ = minimum;
  maximum_ = maximum;
  SetPos(position_);
}

void CGradientProgressBar::SetPos(int position) {
  const int clamped = std::clamp(position, minimum_, maximum_);
  if (clamped == position_) return;
  position_ = clamped;
  update();
}

void CGradientProgressBar::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  update();
}

QString CGradientProgressBar::DisplayedCaption() const { return CompleteCaptionTemplate(caption_, position_); }

void CGradientProgressBar::SetEndColor(const QColor& end) { SetGradient(end, MiddleColor(), end); }

void CGradientProgressBar::SetGradient(const QColor& start, const QColor& middle, const QColor& end) {
  start_ = start;
  middle_ = middle;
  end_ = end;
  update();
}

void CGradientProgressBar::ResetGradient() { SetEndColor(DefaultEndColor()); }

QRect CGradientProgressBar::InnerRect() const { return rect().adjusted(1, 1, -1, -1); }

int CGradientProgressBar::FillWidth() const {
  const int span = maximum_ - minimum_;
  if (span <= 0) return 0;
  const long long inner = std::max(InnerRect().width(), 0);
  return static_cast<int>(inner * (position_ - minimum_) / span);
}

QSize CGradientProgressBar::sizeHint() const {
  const QFontMetrics fm(font());
  return QSize(std::max(160, fm.horizontalAdvance(DisplayedCaption()) + 16), fm.height() + 8);
}

QSize CGradientProgressBar::minimumSizeHint() const {
  const QFontMetrics fm(font());
  return QSize(40, fm.height() + 4);
}

void CGradientProgressBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect outer = rect();
  const QRect inner = InnerRect();

  // Sunken trough.
  p.fillRect(outer, QColor(128, 128, 128));
  p.fillRect(inner, QColor(250, 250, 250));

  const int fill = FillWidth();
  if (fill > 0) {
    QLinearGradient gradient(inner.topLeft(), inner.bottomLeft());
    gradient.setColorAt(0.0, start_);
    gradient.setColorAt(0.5, middle_);
    gradient.setColorAt(1.0, end_);
    p.fillRect(QRect(inner.left(), inner.top(), fill, inner.height()), gradient);
  }

  const QString text = DisplayedCaption();
  if (!text.isEmpty()) {
    p.setFont(font());
    p.setPen(QColor(0, 0, 0));
    p.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, text);
  }
}

}  // namespace nxui
