// Draws the survey list's signal column: a bar of the row's percentage in the row's colour.
#pragma once

#include <QStyledItemDelegate>

namespace nxui {

class SignalBarDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace nxui
