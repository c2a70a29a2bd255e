#include "ui/AuthenStatusView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "monitor/CAuthenStatusDlg.h"
#include "ui/ViewHelpers.h"

namespace nxui {

AuthenStatusView::AuthenStatusView(CAuthenStatusDlg& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
  setObjectName(QStringLiteral("authenStatus"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(12, 8, 12, 8);
  root->setSpacing(4);
  caption_ = new QLabel(this);
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  card_ = new QLabel(this);
  profile_ = new QLabel(this);
  root->addWidget(caption_);
  root->addWidget(card_);
  root->addWidget(profile_);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("authenLog"));
  list_->setRootIsDecorated(false);
  list_->setColumnCount(2);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->header()->setStretchLastSection(true);
  root->addWidget(list_, 1);
  const FootButtons foot = AddFootButtons(this, root, true);
  ok_ = foot.ok;
  cancel_ = foot.cancel;
  connect(ok_, &QPushButton::clicked, this, [this] {
    panel_.OnOk();
    Render();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    panel_.OnCancel();
    Render();
  });
  Render();
}

void AuthenStatusView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // "时间" takes 30 % of the width, "描述" the rest.
  list_->setColumnWidth(0, list_->viewport()->width() * 3 / 10);
}

void AuthenStatusView::Render() {
  const AuthenStatusState& s = panel_.State();
  SetLabelText(caption_, s.caption);
  SetLabelText(card_, s.cardText);
  SetLabelText(profile_, s.profileText);
  const QStringList headers{ToQt(s.timeHeader), ToQt(s.descriptionHeader)};
  if (list_->headerItem()->text(0) != headers[0] || list_->headerItem()->text(1) != headers[1]) {
    list_->setHeaderLabels(headers);
    list_->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
  }
  // Rows are only appended between clears; a shorter list means it was cleared.
  if (static_cast<std::size_t>(list_->topLevelItemCount()) > s.rows.size()) list_->clear();
  const bool grew = static_cast<std::size_t>(list_->topLevelItemCount()) < s.rows.size();
  for (auto i = static_cast<std::size_t>(list_->topLevelItemCount()); i < s.rows.size(); ++i) {
    auto* item = new QTreeWidgetItem({ToQt(s.rows[i].time), ToQt(s.rows[i].message)});
    item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    list_->addTopLevelItem(item);
  }
  if (grew) list_->scrollToBottom();
  if (ok_->text() != ToQt(s.okLabel)) ok_->setText(ToQt(s.okLabel));
  if (cancel_->text() != ToQt(s.cancelLabel)) cancel_->setText(ToQt(s.cancelLabel));
}

}  // namespace nxui
