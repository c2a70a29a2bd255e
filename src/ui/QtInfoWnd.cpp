#include "ui/QtInfoWnd.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace nxui {

QtInfoWnd::QtInfoWnd(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("infoWnd"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setMouseTracking(true);
  setCursor(Qt::ArrowCursor);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(255, 255, 225));
  p.setColor(QPalette::WindowText, Qt::black);
  setPalette(p);
}

void QtInfoWnd::RegisterAnchor(int controlId, QWidget* anchor) { anchors_[controlId] = anchor; }

QWidget* QtInfoWnd::Anchor(int controlId) const {
  const auto it = anchors_.find(controlId);
  return it == anchors_.end() ? nullptr : it->second.data();
}

bool QtInfoWnd::FocusInProgram() {
  if (focusOverride_) return *focusOverride_;
  return QApplication::activeWindow() != nullptr;
}

shell::HintTextMetrics QtInfoWnd::MeasureText(int anchorControl, const std::string& text) {
  const QWidget* anchor = Anchor(anchorControl);
  const QFontMetrics metrics(anchor != nullptr ? anchor->font() : font());
  shell::HintTextMetrics m;
  m.width = metrics.horizontalAdvance(QString::fromStdString(text));
  m.height = metrics.height();
  m.overhang = 0;
  m.descent = metrics.descent();
  return m;
}

shell::HintRect QtInfoWnd::AnchorRect(int anchorControl) {
  const QWidget* anchor = Anchor(anchorControl);
  if (anchor == nullptr) return {};
  const QPoint topLeft = anchor->mapToGlobal(QPoint(0, 0));
  return {topLeft.x(), topLeft.y(), topLeft.x() + anchor->width(), topLeft.y() + anchor->height()};
}

void QtInfoWnd::Show(const shell::HintRect& windowRect, const std::string& text) {
  text_ = QString::fromStdString(text);
  setGeometry(windowRect.left, windowRect.top, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top);
  show();
  update();
}

void QtInfoWnd::Hide() { hide(); }

void QtInfoWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QColor(118, 118, 118));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(palette().color(QPalette::WindowText));
  // The window is the text rectangle widened by 3 pixels to the left and 1 upwards.
  painter.drawText(rect().adjusted(3, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
}

void QtInfoWnd::mouseMoveEvent(QMouseEvent*) {
  if (model_ != nullptr) model_->OnMouseActivity();
}

void QtInfoWnd::mousePressEvent(QMouseEvent*) {
  if (model_ != nullptr) model_->OnMouseActivity();
}

}  // namespace nxui
