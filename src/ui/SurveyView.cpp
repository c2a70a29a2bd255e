#include "ui/SurveyView.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "survey/CPageSiteSurveyDlg.h"
#include "ui/SignalBarDelegate.h"
#include "ui/SurveyListModel.h"
#include "ui/ViewHelpers.h"

namespace nxui {

SurveyView::SurveyView(CPageSiteSurveyDlg& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName(QStringLiteral("survey"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(8, 6, 8, 6);
  root->setSpacing(6);

  apList_ = new QLabel(this);
  root->addWidget(apList_);

  model_ = new SurveyListModel(this);
  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("apList"));
  list_->setModel(model_);
  list_->setItemDelegateForColumn(SurveyListModel::kSignalBarColumn, new SignalBarDelegate(list_));
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(false);
  list_->setAlternatingRowColors(true);
  list_->setIconSize(QSize(16, 16));
  list_->setWordWrap(false);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(22);
  list_->horizontalHeader()->setSectionsMovable(true);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->horizontalHeader()->setMinimumSectionSize(16);
  // Only when the list is narrower than the columns' smallest widths.
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The widths follow the list's own visible area, which is resized after this view.
  list_->viewport()->installEventFilter(this);
  // Return opens the details as a double click does.
  list_->installEventFilter(this);
  root->addWidget(list_, 1);

  auto* controls = new QHBoxLayout;
  controls->setSpacing(10);
  sortGroup_ = new QGroupBox(this);
  auto* sortRow = new QHBoxLayout(sortGroup_);
  sortRow->setContentsMargins(8, 2, 8, 4);
  for (std::size_t i = 0; i < sort_.size(); ++i) {
    sort_[i] = new QRadioButton(sortGroup_);
    sortRow->addWidget(sort_[i]);
    const SortMode mode = static_cast<SortMode>(i);
    connect(sort_[i], &QRadioButton::toggled, this, [this, mode](bool on) {
      if (!on || rendering_) return;
      page_.OnSortChanged(mode);
      Render();
    });
  }
  controls->addWidget(sortGroup_);
  showDbm_ = new QCheckBox(this);
  showDbm_->setObjectName(QStringLiteral("showDbm"));
  controls->addWidget(showDbm_);
  controls->addStretch(1);
  rescan_ = new QPushButton(this);
  rescan_->setObjectName(QStringLiteral("rescan"));
  addToProfile_ = new QPushButton(this);
  addToProfile_->setObjectName(QStringLiteral("addToProfile"));
  connect_ = new QPushButton(this);
  connect_->setObjectName(QStringLiteral("connect"));
  controls->addWidget(rescan_, 0, Qt::AlignBottom);
  controls->addWidget(addToProfile_, 0, Qt::AlignBottom);
  controls->addWidget(connect_, 0, Qt::AlignBottom);
  root->addLayout(controls);

  connect(showDbm_, &QCheckBox::toggled, this, [this](bool on) {
    if (rendering_) return;
    page_.OnShowDbmChanged(on);
    Render();
  });
  connect(rescan_, &QPushButton::clicked, this, [this] {
    page_.OnRescan();
    Render();
  });
  connect(addToProfile_, &QPushButton::clicked, this, [this] {
    page_.OnAddToProfile();
    Render();
  });
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    if (rendering_) return;
    page_.OnRowClicked(current.isValid() ? current.row() : -1);
    Render();
  });
  connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) page_.OnRowDoubleClicked(index.row());
  });
  Render();
}

void SurveyView::Render() {
  rendering_ = true;
  const SiteSurveyState& s = page_.State();
  SetLabelText(apList_, s.apListLabel);
  sortGroup_->setTitle(ToQt(s.sortLabel));
  const std::string* sortLabels[] = {&s.sortSsidLabel, &s.sortChannelLabel, &s.sortSignalLabel};
  for (std::size_t i = 0; i < sort_.size(); ++i) {
    sort_[i]->setText(ToQt(*sortLabels[i]));
    sort_[i]->setChecked(static_cast<std::size_t>(s.sortMode) == i);
    sort_[i]->setEnabled(s.sortEnabled);
  }
  showDbm_->setText(ToQt(s.showDbmLabel));
  showDbm_->setChecked(s.showDbm);
  showDbm_->setEnabled(s.showDbmEnabled);
  rescan_->setText(ToQt(s.rescanLabel));
  rescan_->setEnabled(s.rescanEnabled);
  addToProfile_->setText(ToQt(s.addToProfileLabel));
  addToProfile_->setEnabled(s.addToProfileEnabled);
  connect_->setText(ToQt(s.connectLabel));
  connect_->setVisible(s.connectVisible);

  const bool reset = model_->Update(s);
  if (reset) ApplyColumnWidths();
  const int selected = list_->selectionModel()->currentIndex().isValid() ? list_->currentIndex().row() : -1;
  if (reset || selected != s.selectedRow) SelectRow(s.selectedRow);
  rendering_ = false;
}

void SurveyView::SelectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) {
    list_->selectionModel()->clearSelection();
    list_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return;
  }
  list_->selectionModel()->setCurrentIndex(model_->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int SurveyView::SignalTextColumnMin() const {
  const QFontMetrics metrics(list_->font());
  // The cell's text margins on both sides.
  return std::max(kTextColumnMin, metrics.horizontalAdvance(QStringLiteral("-100 dBm")) + 16);
}

void SurveyView::ApplyColumnWidths() {
  const std::vector<SurveyColumn>& columns = page_.State().columns;
  if (columns.empty()) return;
  const int width = list_->viewport()->width();
  if (width <= 0) return;
  const int last = static_cast<int>(std::min<std::size_t>(columns.size(), SurveyListModel::kColumnCount)) - 1;
  std::vector<int> widths(static_cast<std::size_t>(last), 0);
  int used = 0;
  for (int i = 0; i < last; ++i) {
    const int minimum = SurveyListModel::IsIconColumn(i) ? kIconColumnMin
                        : i == 1                         ? kSsidColumnMin
                        : i == 9                         ? SignalTextColumnMin()
                                                         : kTextColumnMin;
    widths[static_cast<std::size_t>(i)] =
        std::max(static_cast<int>(columns[static_cast<std::size_t>(i)].widthFraction * width), minimum);
    used += widths[static_cast<std::size_t>(i)];
  }
  // The bar keeps its smallest width as long as the name can give it up.
  if (const int missing = kSignalBarMin - (width - used); missing > 0) {
    int& ssid = widths[1];
    const int given = std::min(missing, ssid - kSsidColumnMin);
    if (given > 0) ssid -= given;
  }
  int given = 0;
  for (int i = 0; i < last; ++i) {
    list_->setColumnWidth(i, widths[static_cast<std::size_t>(i)]);
    given += widths[static_cast<std::size_t>(i)];
  }
  list_->setColumnWidth(last, std::max(width - given, kSignalBarMin));
}

bool SurveyView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::Resize) {
    ApplyColumnWidths();
  } else if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && list_->currentIndex().isValid()) {
      page_.OnRowDoubleClicked(list_->currentIndex().row());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace nxui
