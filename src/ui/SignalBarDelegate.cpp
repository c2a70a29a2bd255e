#include "ui/SignalBarDelegate.h"

#include <QPainter>

#include <algorithm>

#include "ui/SurveyListModel.h"

namespace nxui {

void SignalBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  // Background and selection as the view draws them.
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  background.text.clear();
  QStyledItemDelegate::paint(painter, background, index);

  const int percent = std::clamp(index.data(SurveyListModel::kPercentRole).toInt(), 0, 100);
  const QColor colour = index.data(SurveyListModel::kBarColourRole).value<QColor>();
  const QRect frame = option.rect.adjusted(3, 3, -3, -3);
  if (frame.width() <= 2 || frame.height() <= 2) return;
  painter->save();
  painter->setPen(QColor(150, 150, 150));
  painter->setBrush(QColor(250, 250, 250));
  painter->drawRect(frame.adjusted(0, 0, -1, -1));
  const int fill = (frame.width() - 2) * percent / 100;
  if (fill > 0) painter->fillRect(QRect(frame.left() + 1, frame.top() + 1, fill, frame.height() - 2), colour);
  painter->restore();
}

}  // namespace nxui
