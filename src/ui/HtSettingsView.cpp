#include "ui/HtSettingsView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "advanced/CPage80211nSettingDlg.h"
#include "ui/ViewHelpers.h"

namespace nxui {
namespace {

QPushButton* SmallButton(const char* name, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setFixedWidth(28);
  return button;
}

void SetChecked(QAbstractButton* button, bool checked) {
  if (button->isChecked() != checked) button->setChecked(checked);
}

}  // namespace

HtSettingsView::HtSettingsView(CPage80211nSettingDlg& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName(QStringLiteral("htSettings"));
  auto* root = new QHBoxLayout(this);
  // Compact: the page area is as tall as its tallest page, and the survey page below it must keep
  // its buttons in view when the window gives up height.
  root->setContentsMargins(10, 4, 10, 4);
  root->setSpacing(14);

  // Left: the settings.
  auto* settings = new QVBoxLayout;
  settings->setSpacing(3);
  aggregation_ = new QCheckBox(this);
  aggregation_->setObjectName(QStringLiteral("mpduAggregation"));
  settings->addWidget(aggregation_);
  auto* densityRow = new QHBoxLayout;
  densityRow->setContentsMargins(20, 0, 0, 0);
  densityLabel_ = new QLabel(this);
  density_ = new QComboBox(this);
  density_->setObjectName(QStringLiteral("mpduDensity"));
  densityRow->addWidget(densityLabel_);
  densityRow->addWidget(density_);
  densityRow->addStretch(1);
  settings->addLayout(densityRow);
  auto* modeRow = new QHBoxLayout;
  modeRow->setContentsMargins(20, 0, 0, 0);
  auto* modeGroup = new QButtonGroup(this);
  manual_ = new QRadioButton(this);
  manual_->setObjectName(QStringLiteral("manual"));
  automatic_ = new QRadioButton(this);
  automatic_->setObjectName(QStringLiteral("auto"));
  modeGroup->addButton(manual_);
  modeGroup->addButton(automatic_);
  modeRow->addWidget(manual_);
  modeRow->addWidget(automatic_);
  modeRow->addStretch(1);
  settings->addLayout(modeRow);

  amsdu_ = new QCheckBox(this);
  amsdu_->setObjectName(QStringLiteral("amsdu"));
  settings->addWidget(amsdu_);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->setContentsMargins(20, 0, 0, 0);
  auto* sizeGroup = new QButtonGroup(this);
  size3839_ = new QRadioButton(this);
  size3839_->setObjectName(QStringLiteral("amsdu3839"));
  size7935_ = new QRadioButton(this);
  size7935_->setObjectName(QStringLiteral("amsdu7935"));
  sizeGroup->addButton(size3839_);
  sizeGroup->addButton(size7935_);
  sizeRow->addWidget(size3839_);
  sizeRow->addWidget(size7935_);
  sizeRow->addStretch(1);
  settings->addLayout(sizeRow);

  smpsGroup_ = new QGroupBox(this);
  auto* smpsLayout = new QVBoxLayout(smpsGroup_);
  smpsLayout->setContentsMargins(10, 2, 10, 4);
  smpsLayout->setSpacing(2);
  auto* smpsButtons = new QButtonGroup(this);
  const char* smpsNames[] = {"smEnable", "staticSmps", "dynamicSmps"};
  for (std::size_t i = 0; i < smps_.size(); ++i) {
    smps_[i] = new QRadioButton(smpsGroup_);
    smps_[i]->setObjectName(QLatin1String(smpsNames[i]));
    smpsButtons->addButton(smps_[i]);
    smpsLayout->addWidget(smps_[i]);
    connect(smps_[i], &QRadioButton::clicked, this, [this, i] {
      page_.SelectSmps(static_cast<int>(i));
      Clicked();
    });
  }
  settings->addWidget(smpsGroup_);
  settings->addStretch(1);
  auto* applyRow = new QHBoxLayout;
  apply_ = new QPushButton(this);
  apply_->setObjectName(QStringLiteral("apply"));
  apply_->setMinimumWidth(80);
  applyRow->addWidget(apply_);
  applyRow->addStretch(1);
  settings->addLayout(applyRow);
  root->addLayout(settings);

  // Right: the two session lists.
  auto* sessions = new QVBoxLayout;
  sessions->setSpacing(4);
  addOriginator_ = SmallButton("addOriginator", this);
  deleteOriginator_ = SmallButton("deleteOriginator", this);
  deleteRecipient_ = SmallButton("deleteRecipient", this);
  const std::array<std::vector<QPushButton*>, 2> buttons = {
      std::vector<QPushButton*>{addOriginator_, deleteOriginator_}, std::vector<QPushButton*>{deleteRecipient_}};
  const char* listNames[] = {"originatorList", "recipientList"};
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    auto* header = new QHBoxLayout;
    captions_[i] = new QLabel(this);
    header->addWidget(captions_[i]);
    header->addStretch(1);
    for (QPushButton* button : buttons[i]) header->addWidget(button);
    sessions->addLayout(header);
    lists_[i] = BuildList(listNames[i]);
    sessions->addWidget(lists_[i], 1);
  }
  root->addLayout(sessions, 1);

  connect(aggregation_, &QCheckBox::clicked, this, [this](bool checked) {
    page_.OnMpduAggregationClicked(checked);
    Clicked();
  });
  connect(density_, &QComboBox::activated, this, [this](int item) {
    page_.SelectMpduDensity(item);
    Clicked();
  });
  connect(manual_, &QRadioButton::clicked, this, [this] {
    page_.OnBlockAckModeClicked(0);
    Clicked();
  });
  connect(automatic_, &QRadioButton::clicked, this, [this] {
    page_.OnBlockAckModeClicked(1);
    Clicked();
  });
  connect(amsdu_, &QCheckBox::clicked, this, [this](bool checked) {
    page_.OnAmsduClicked(checked);
    Clicked();
  });
  connect(size3839_, &QRadioButton::clicked, this, [this] {
    page_.SelectAmsduSize(0);
    Clicked();
  });
  connect(size7935_, &QRadioButton::clicked, this, [this] {
    page_.SelectAmsduSize(1);
    Clicked();
  });
  connect(apply_, &QPushButton::clicked, this, [this] {
    page_.OnApply();
    Clicked();
  });
  connect(addOriginator_, &QPushButton::clicked, this, [this] {
    page_.OnAddOriginator();
    Clicked();
  });
  connect(deleteOriginator_, &QPushButton::clicked, this, [this] {
    page_.OnDeleteOriginator();
    Clicked();
  });
  connect(deleteRecipient_, &QPushButton::clicked, this, [this] {
    page_.OnDeleteRecipient();
    Clicked();
  });
  Render();
}

QTreeWidget* HtSettingsView::BuildList(const char* name) {
  auto* list = new QTreeWidget(this);
  list->setObjectName(QLatin1String(name));
  list->setRootIsDecorated(false);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setAlternatingRowColors(true);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->header()->setSectionsMovable(false);
  list->header()->setStretchLastSection(false);
  list->setMinimumWidth(420);
  list->setMinimumHeight(60);
  list->viewport()->installEventFilter(this);
  return list;
}

void HtSettingsView::Clicked() {
  // The page may not take a click (a disabled control does not change): draw what it holds.
  Render();
}

void HtSettingsView::Render() {
  const Page80211nState& s = page_.State();
  const HtSettings& c = s.controls;

  aggregation_->setText(ToQt(s.mpduAggregationLabel));
  SetChecked(aggregation_, c.mpduAggregation);
  SetLabelText(densityLabel_, s.mpduDensityLabel);
  if (density_->count() != static_cast<int>(s.mpduDensityItems.size())) {
    const QSignalBlocker block(density_);
    density_->clear();
    for (const std::string& item : s.mpduDensityItems) density_->addItem(ToQt(item));
  }
  if (density_->currentIndex() != c.mpduDensity) {
    const QSignalBlocker block(density_);
    density_->setCurrentIndex(c.mpduDensity);
  }
  density_->setEnabled(s.mpduDensityEnabled);
  densityLabel_->setEnabled(s.mpduDensityEnabled);
  manual_->setText(ToQt(s.manualLabel));
  automatic_->setText(ToQt(s.autoLabel));
  SetChecked(manual_, c.autoBa == 0);
  SetChecked(automatic_, c.autoBa != 0);
  manual_->setEnabled(s.blockAckModeEnabled);
  automatic_->setEnabled(s.blockAckModeEnabled);

  amsdu_->setText(ToQt(s.amsduLabel));
  SetChecked(amsdu_, c.amsdu);
  size3839_->setText(ToQt(s.amsduMax3839Label));
  size7935_->setText(ToQt(s.amsduMax7935Label));
  SetChecked(size3839_, c.amsduSize == 0);
  SetChecked(size7935_, c.amsduSize == 1);
  size3839_->setEnabled(s.amsduSizeEnabled);
  size7935_->setEnabled(s.amsduSizeEnabled);
  size7935_->setVisible(s.amsduMax7935Visible);

  smpsGroup_->setTitle(ToQt(s.smpsGroupLabel));
  const std::string* smpsLabels[] = {&s.smEnableLabel, &s.staticSmpsLabel, &s.dynamicSmpsLabel};
  for (std::size_t i = 0; i < smps_.size(); ++i) {
    smps_[i]->setText(ToQt(*smpsLabels[i]));
    SetChecked(smps_[i], c.smps == static_cast<int>(i));
  }
  apply_->setText(ToQt(s.applyLabel));

  for (QPushButton* add : {addOriginator_}) add->setText(ToQt(s.addLabel));
  for (QPushButton* remove : {deleteOriginator_, deleteRecipient_}) remove->setText(ToQt(s.deleteLabel));
  addOriginator_->setEnabled(s.originatorAddEnabled);
  deleteOriginator_->setEnabled(s.originatorDeleteEnabled);
  deleteRecipient_->setEnabled(s.recipientDeleteEnabled);
  RenderList(captions_[0], lists_[0], s.originator);
  RenderList(captions_[1], lists_[1], s.recipient);
}

void HtSettingsView::RenderList(QLabel* caption, QTreeWidget* list, const BlockAckListState& state) {
  SetLabelText(caption, state.caption);
  const int columns = static_cast<int>(state.columns.size());
  if (list->columnCount() != columns) {
    list->setColumnCount(columns);
    QStringList headers;
    for (const BlockAckColumn& column : state.columns) headers << ToQt(column.header);
    list->setHeaderLabels(headers);
    for (int i = 0; i < columns; ++i) {
      if (state.columns[static_cast<std::size_t>(i)].centred) {
        list->headerItem()->setTextAlignment(i, Qt::AlignCenter);
      }
    }
    SizeColumns(list, state);
  }
  // Rows are updated in place: the lists are redrawn every second.
  const int rows = static_cast<int>(state.rows.size());
  while (list->topLevelItemCount() > rows) delete list->takeTopLevelItem(list->topLevelItemCount() - 1);
  for (int r = 0; r < rows; ++r) {
    QTreeWidgetItem* item = list->topLevelItem(r);
    if (item == nullptr) {
      item = new QTreeWidgetItem(list);
      for (int i = 0; i < columns; ++i) {
        if (state.columns[static_cast<std::size_t>(i)].centred) item->setTextAlignment(i, Qt::AlignCenter);
      }
    }
    const auto& cells = state.rows[static_cast<std::size_t>(r)];
    for (int i = 0; i < columns && i < static_cast<int>(cells.size()); ++i) {
      const QString text = ToQt(cells[static_cast<std::size_t>(i)]);
      if (item->text(i) != text) item->setText(i, text);
    }
  }
}

void HtSettingsView::SizeColumns(QTreeWidget* list, const BlockAckListState& state) {
  const int width = std::max(list->viewport()->width(), list->minimumWidth() - 4);
  for (std::size_t i = 0; i < state.columns.size(); ++i) {
    const BlockAckColumn& column = state.columns[i];
    list->setColumnWidth(static_cast<int>(i), width * column.widthNumerator / column.widthDenominator);
  }
}

bool HtSettingsView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    if (watched == lists_[0]->viewport()) SizeColumns(lists_[0], page_.State().originator);
    if (watched == lists_[1]->viewport()) SizeColumns(lists_[1], page_.State().recipient);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace nxui
