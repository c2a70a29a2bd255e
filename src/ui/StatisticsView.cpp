#include "ui/StatisticsView.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "monitor/CPageStatisticsDlg.h"
#include "ui/ViewHelpers.h"
#include "widgets/CTabDialog.h"
#include "widgets/TrebuchetFont.h"

namespace nxui {

StatisticsView::StatisticsView(CPageStatisticsDlg& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName(QStringLiteral("statistics"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(10, 8, 10, 8);
  root->setSpacing(8);

  tabs_ = new CTabDialog(this);
  const StatisticsPageState& state = page_.State();
  tabs_->AddPage(ToQt(state.transmitButton), BuildTable(CPageStatisticsTXDlg::kRowCount, txRows_, "tx"));
  tabs_->AddPage(ToQt(state.receiveButton), BuildTable(CPageStatisticsRXDlg::kRowCount, rxRows_, "rx"));
  root->addWidget(tabs_, 1);
  connect(tabs_, &CTabDialog::CurrentChanged, this, [this](int index) {
    page_.SelectSubPage(index);
    Render();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  reset_ = new QPushButton(ToQt(state.resetButton), this);
  reset_->setObjectName(QStringLiteral("resetCounter"));
  buttons->addWidget(reset_);
  root->addLayout(buttons);
  connect(reset_, &QPushButton::clicked, this, [this] {
    page_.OnResetCounter();
    Render();
  });
  Render();
}

QWidget* StatisticsView::BuildTable(std::size_t rows, std::vector<RowWidgets>& out, const char* prefix) {
  auto* table = new QFrame;
  table->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(table);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(8);
  for (std::size_t i = 0; i < rows; ++i) {
    const int row = static_cast<int>(i);
    RowWidgets w{new QLabel(table), new QLabel(QStringLiteral("="), table), new QLabel(table)};
    w.value->setObjectName(QStringLiteral("%1Value%2").arg(QLatin1String(prefix)).arg(i));
    w.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.value->setMinimumWidth(150);
    w.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = w.value->font();
    bold.setBold(true);
    w.value->setFont(bold);
    grid->addWidget(w.label, row, 0);
    grid->addWidget(w.separator, row, 1);
    grid->addWidget(w.value, row, 2);
    out.push_back(w);
  }
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(static_cast<int>(rows), 1);
  return table;
}

void StatisticsView::RenderRows(const StatisticsRow* rows, std::size_t count, std::vector<RowWidgets>& widgets) {
  for (std::size_t i = 0; i < count && i < widgets.size(); ++i) {
    // Labels keep their trailing spaces in the model; the view aligns them in a column.
    SetLabelText(widgets[i].label, rows[i].label);
    SetLabelText(widgets[i].separator, rows[i].separator);
    SetLabelText(widgets[i].value, rows[i].value);
    widgets[i].label->setVisible(rows[i].visible);
    widgets[i].separator->setVisible(rows[i].visible);
    widgets[i].value->setVisible(rows[i].visible);
  }
}

void StatisticsView::Render() {
  const auto& tx = page_.TxPage().Rows();
  const auto& rx = page_.RxPage().Rows();
  RenderRows(tx.data(), tx.size(), txRows_);
  RenderRows(rx.data(), rx.size(), rxRows_);
  if (tabs_->Current() != page_.State().selectedSubPage) tabs_->SetCurrent(page_.State().selectedSubPage);
}

QLabel* StatisticsView::ValueLabel(int subPage, std::size_t row) const {
  const std::vector<RowWidgets>& rows = subPage == 0 ? txRows_ : rxRows_;
  return row < rows.size() ? rows[row].value : nullptr;
}

}  // namespace nxui
