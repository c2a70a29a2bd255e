#include "ui/ProfileView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "profiles/CPageProfileDlg.h"
#include "ui/ViewHelpers.h"
#include "widgets/SurveyIcons.h"

namespace nxui {
namespace {

constexpr int kStateColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kSsidColumn = 2;
constexpr int kSecuredColumn = 3;
constexpr int kTypeColumn = 4;
constexpr int kIconColumnMin = 22;

// Column 0: the connected image for the connected active profile, the same image greyed for the
// active one that is not connected.
QIcon StateIcon(int state) {
  if (state == profile_state::kConnected) return SurveyIconSet(kSurveyIconConnected);
  if (state == profile_state::kActive) {
    return QIcon(SurveyIconSet(kSurveyIconConnected).pixmap(16, QIcon::Disabled));
  }
  return {};
}

}  // namespace

ProfileView::ProfileView(CPageProfileDlg& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName(QStringLiteral("profile"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(8, 6, 8, 6);
  root->setSpacing(6);

  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("profileList"));
  root->addWidget(title_);

  auto* body = new QHBoxLayout;
  list_ = new QTableWidget(this);
  list_->setObjectName(QStringLiteral("profiles"));
  list_->setColumnCount(5);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setSectionsMovable(true);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->setShowGrid(false);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  body->addWidget(list_, 3);

  auto* detailBox = new QGridLayout;
  detailBox->setHorizontalSpacing(8);
  detailBox->setVerticalSpacing(3);
  for (int i = 0; i < kDetailCount; ++i) {
    Detail& d = details_[static_cast<std::size_t>(i)];
    d.label = new QLabel(this);
    d.value = new QLabel(this);
    d.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = d.value->font();
    bold.setBold(true);
    d.value->setFont(bold);
    detailBox->addWidget(d.label, i, 0);
    detailBox->addWidget(d.value, i, 1);
  }
  detailBox->setRowStretch(kDetailCount, 1);
  body->addLayout(detailBox, 2);
  root->addLayout(body, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  add_ = new QPushButton(this);
  edit_ = new QPushButton(this);
  delete_ = new QPushButton(this);
  apply_ = new QPushButton(this);
  add_->setObjectName(QStringLiteral("add"));
  edit_->setObjectName(QStringLiteral("edit"));
  delete_->setObjectName(QStringLiteral("delete"));
  apply_->setObjectName(QStringLiteral("apply"));
  for (QPushButton* button : {add_, edit_, delete_, apply_}) buttons->addWidget(button);
  root->addLayout(buttons);

  connect(add_, &QPushButton::clicked, this, [this] { Press(&CPageProfileDlg::OnAdd); });
  connect(edit_, &QPushButton::clicked, this, [this] { Press(&CPageProfileDlg::OnEdit); });
  connect(delete_, &QPushButton::clicked, this, [this] { Press(&CPageProfileDlg::OnDelete); });
  connect(apply_, &QPushButton::clicked, this, [this] { Press(&CPageProfileDlg::OnApply); });
  connect(list_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (rendering_) return;
    page_.OnRowClicked(row);
    Render();
  });
  Render();
}

void ProfileView::Press(void (CPageProfileDlg::*handler)()) {
  (page_.*handler)();
  Render();
}

void ProfileView::FillRows(const ProfilePageState& s) {
  list_->setRowCount(static_cast<int>(s.rows.size()));
  for (std::size_t i = 0; i < s.rows.size(); ++i) {
    const ProfileRow& row = s.rows[i];
    const int r = static_cast<int>(i);
    auto* state = new QTableWidgetItem;
    state->setIcon(StateIcon(row.state));
    list_->setItem(r, kStateColumn, state);
    list_->setItem(r, kNameColumn, new QTableWidgetItem(ToQt(row.texts.name)));
    list_->setItem(r, kSsidColumn, new QTableWidgetItem(ToQt(row.texts.ssid)));
    auto* secured = new QTableWidgetItem;
    if (row.secured) secured->setIcon(SurveyIconSet(kSurveyIconLock));
    list_->setItem(r, kSecuredColumn, secured);
    auto* type = new QTableWidgetItem;
    type->setIcon(SurveyIconSet(row.infrastructure ? kSurveyIconInfrastructure : kSurveyIconAdHoc));
    list_->setItem(r, kTypeColumn, type);
  }
}

void ProfileView::Render() {
  rendering_ = true;
  const ProfilePageState& s = page_.State();
  SetLabelText(title_, s.labels.title);
  if (s.columns != shownColumns_) {
    QStringList headers;
    for (const ProfileColumn& column : s.columns) headers << ToQt(column.header);
    list_->setHorizontalHeaderLabels(headers);
    shownColumns_ = s.columns;
    ApplyColumnWidths();
  }
  // Rows are rebuilt only when they changed, so a refresh keeps the user's scroll position.
  if (s.rows != shownRows_) {
    FillRows(s);
    shownRows_ = s.rows;
  }
  if (list_->currentRow() != s.selectedRow) {
    if (s.selectedRow < 0) {
      list_->clearSelection();
      list_->setCurrentCell(-1, -1);
    } else {
      list_->setCurrentCell(s.selectedRow, kNameColumn);
    }
  }

  const ProfilePageLabels& l = s.labels;
  const ProfileTexts& d = s.details;
  const std::array<std::pair<const std::string*, const std::string*>, kDetailCount> lines = {{
      {&l.profileName, &d.name},
      {&l.ssid, &d.ssid},
      {&l.networkType, &d.networkType},
      {&l.authentication, &d.authentication},
      {&l.encryption, &d.encryption},
      {&l.use8021X, &d.use8021X},
      {&l.txPower, &d.txPower},
      {&l.channel, &d.channel},
      {&l.powerSave, &d.powerSave},
      {&l.rtsThreshold, &d.rtsThreshold},
      {&l.fragThreshold, &d.fragThreshold},
  }};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SetLabelText(details_[i].label, *lines[i].first);
    SetLabelText(details_[i].value, *lines[i].second);
  }

  add_->setText(ToQt(l.add));
  edit_->setText(ToQt(l.edit));
  delete_->setText(ToQt(l.remove));
  apply_->setText(ToQt(l.apply));
  add_->setEnabled(s.addEnabled);
  edit_->setEnabled(s.editEnabled);
  delete_->setEnabled(s.deleteEnabled);
  apply_->setEnabled(s.applyEnabled);
  rendering_ = false;
}

void ProfileView::ApplyColumnWidths() {
  const int width = list_->viewport()->width();
  for (std::size_t i = 0; i < shownColumns_.size(); ++i) {
    const int wanted = static_cast<int>(shownColumns_[i].widthFraction * width);
    const bool icon = i == kStateColumn || i == kSecuredColumn || i == kTypeColumn;
    list_->setColumnWidth(static_cast<int>(i), icon ? std::max(wanted, kIconColumnMin) : wanted);
  }
}

void ProfileView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyColumnWidths();
}

}  // namespace nxui
