#include "ui/BlockAckDialogView.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "advanced/CAddBlockAckDlg.h"
#include "advanced/CDeleteBlockAckDlg.h"
#include "ui/ViewHelpers.h"

namespace nxui {

BlockAckDialogView::BlockAckDialogView(CAddBlockAckDlg& dialog, QWidget* parent)
    : BlockAckDialogView(
          dialog, [&dialog] { return dialog.OnOk(); },
          [&dialog](std::string text) { dialog.SetWindowSizeText(std::move(text)); }, parent) {
  setObjectName(QStringLiteral("addBlockAck"));
}

BlockAckDialogView::BlockAckDialogView(CDeleteBlockAckDlg& dialog, QWidget* parent)
    : BlockAckDialogView(
          dialog, [&dialog] { return dialog.OnOk(); }, nullptr, parent) {
  setObjectName(QStringLiteral("deleteBlockAck"));
}

BlockAckDialogView::BlockAckDialogView(BlockAckDialogBase& dialog, std::function<bool()> ok,
                                       std::function<void(std::string)> setWindowSize, QWidget* parent)
    : QWidget(parent), dialog_(dialog), okAction_(std::move(ok)), setWindowSize_(std::move(setWindowSize)) {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(10, 8, 10, 8);
  root->setSpacing(6);

  auto* heading = new QHBoxLayout;
  title_ = new QLabel(this);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  direction_ = new QLabel(this);
  direction_->setObjectName(QStringLiteral("direction"));
  heading->addWidget(title_);
  heading->addWidget(direction_);
  heading->addStretch(1);
  root->addLayout(heading);

  peersLabel_ = new QLabel(this);
  root->addWidget(peersLabel_);
  peers_ = new QTreeWidget(this);
  peers_->setObjectName(QStringLiteral("peers"));
  peers_->setColumnCount(1);
  peers_->setRootIsDecorated(false);
  peers_->setSelectionMode(QAbstractItemView::SingleSelection);
  peers_->header()->setStretchLastSection(false);
  peers_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  peers_->viewport()->installEventFilter(this);
  root->addWidget(peers_, 1);

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(12);
  tidLabel_ = new QLabel(this);
  tids_ = new QComboBox(this);
  tids_->setObjectName(QStringLiteral("tid"));
  fields->addWidget(tidLabel_, 0, 0);
  fields->addWidget(tids_, 0, 1);
  windowSizeLabel_ = new QLabel(this);
  windowSize_ = new QLineEdit(this);
  windowSize_->setObjectName(QStringLiteral("windowSize"));
  windowSize_->setMaximumWidth(120);
  fields->addWidget(windowSizeLabel_, 1, 0);
  fields->addWidget(windowSize_, 1, 1);
  fields->setColumnStretch(2, 1);
  root->addLayout(fields);

  const FootButtons foot = AddFootButtons(this, root, true);
  ok_ = foot.ok;
  cancel_ = foot.cancel;

  connect(peers_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    dialog_.SelectPeer(item != nullptr ? peers_->indexOfTopLevelItem(item) : -1);
  });
  connect(tids_, &QComboBox::activated, this, [this](int tid) { dialog_.SelectTid(tid); });
  connect(windowSize_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (setWindowSize_) setWindowSize_(text.toStdString());
  });
  connect(ok_, &QPushButton::clicked, this, [this] {
    okAction_();
    Render();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { dialog_.OnCancel(); });
  Render();
}

void BlockAckDialogView::Render() {
  const BlockAckDialogState& s = dialog_.State();
  SetLabelText(title_, s.title);
  SetLabelText(direction_, s.directionCaption.empty() ? std::string() : "(" + s.directionCaption + ")");
  SetLabelText(peersLabel_, s.peersLabel);
  peers_->setHeaderLabels({ToQt(s.peerColumn)});
  {
    const QSignalBlocker block(peers_);
    const int rows = static_cast<int>(s.peers.size());
    while (peers_->topLevelItemCount() > rows) delete peers_->takeTopLevelItem(peers_->topLevelItemCount() - 1);
    for (int r = 0; r < rows; ++r) {
      QTreeWidgetItem* item = peers_->topLevelItem(r);
      if (item == nullptr) item = new QTreeWidgetItem(peers_);
      const QString text = ToQt(s.peers[static_cast<std::size_t>(r)]);
      if (item->text(0) != text) item->setText(0, text);
    }
    QTreeWidgetItem* selected = s.selectedPeer >= 0 ? peers_->topLevelItem(s.selectedPeer) : nullptr;
    if (peers_->currentItem() != selected) peers_->setCurrentItem(selected);
    if (selected == nullptr) peers_->clearSelection();
  }
  SetLabelText(tidLabel_, s.tidLabel);
  if (tids_->count() != static_cast<int>(s.tids.size())) {
    const QSignalBlocker block(tids_);
    tids_->clear();
    for (const std::string& tid : s.tids) tids_->addItem(ToQt(tid));
  }
  if (tids_->currentIndex() != s.selectedTid) {
    const QSignalBlocker block(tids_);
    tids_->setCurrentIndex(s.selectedTid);
  }
  windowSizeLabel_->setVisible(s.windowSizeVisible);
  windowSize_->setVisible(s.windowSizeVisible);
  SetLabelText(windowSizeLabel_, s.windowSizeLabel);
  if (windowSize_->text() != ToQt(s.windowSizeText)) windowSize_->setText(ToQt(s.windowSizeText));
  ok_->setText(ToQt(s.okLabel));
  cancel_->setText(ToQt(s.cancelLabel));
}

void BlockAckDialogView::SizeColumn() {
  peers_->setColumnWidth(0, peers_->viewport()->width() * BlockAckDialogBase::kPeerColumnPercent / 100);
}

bool BlockAckDialogView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == peers_->viewport() && event->type() == QEvent::Resize) SizeColumn();
  return QWidget::eventFilter(watched, event);
}

}  // namespace nxui
