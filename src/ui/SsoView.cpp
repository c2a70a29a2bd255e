#include "ui/SsoView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "advanced/CPageSSODlg.h"
#include "ui/ViewHelpers.h"

namespace nxui {

SsoView::SsoView(CPageSSODlg& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName(QStringLiteral("ssoPage"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(10, 8, 10, 8);
  root->setSpacing(4);

  enable_ = new QCheckBox(this);
  enable_->setObjectName(QStringLiteral("enableSso"));
  root->addWidget(enable_);
  radioGroup_ = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    radios_[i] = new QRadioButton(this);
    radioGroup_->addButton(radios_[i], i);
    auto* indent = new QHBoxLayout;
    indent->addSpacing(18);
    indent->addWidget(radios_[i]);
    root->addLayout(indent);
  }

  profileGroup_ = new QGroupBox(this);
  auto* groupLayout = new QVBoxLayout(profileGroup_);
  groupLayout->setContentsMargins(8, 4, 8, 6);
  auto* selectRow = new QHBoxLayout;
  selectLabel_ = new QLabel(profileGroup_);
  list_ = new QComboBox(profileGroup_);
  list_->setObjectName(QStringLiteral("ssoProfiles"));
  list_->setMinimumWidth(200);
  selectRow->addWidget(selectLabel_);
  selectRow->addWidget(list_);
  selectRow->addStretch(1);
  groupLayout->addLayout(selectRow);

  infoGroup_ = new QGroupBox(profileGroup_);
  auto* grid = new QGridLayout(infoGroup_);
  grid->setContentsMargins(8, 2, 8, 4);
  grid->setVerticalSpacing(2);
  nameLabel_ = new QLabel(infoGroup_);
  name_ = new QLabel(infoGroup_);
  ssidLabel_ = new QLabel(infoGroup_);
  ssid_ = new QLabel(infoGroup_);
  authLabel_ = new QLabel(infoGroup_);
  auth_ = new QLabel(infoGroup_);
  grid->addWidget(nameLabel_, 0, 0);
  grid->addWidget(name_, 0, 1);
  grid->addWidget(ssidLabel_, 1, 0);
  grid->addWidget(ssid_, 1, 1);
  grid->addWidget(authLabel_, 2, 0);
  grid->addWidget(auth_, 2, 1);
  grid->setColumnStretch(1, 1);
  groupLayout->addWidget(infoGroup_);
  root->addWidget(profileGroup_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  apply_ = new QPushButton(this);
  apply_->setObjectName(QStringLiteral("apply"));
  apply_->setMinimumWidth(80);
  buttons->addWidget(apply_);
  root->addLayout(buttons);
  root->addStretch(1);

  connect(enable_, &QCheckBox::clicked, this, [this](bool checked) {
    page_.OnEnableClicked(checked);
    Render();
  });
  connect(radioGroup_, &QButtonGroup::idClicked, this, [this](int id) {
    page_.OnCredentialsChosen(static_cast<SsoCredentials>(id));
    Render();
  });
  connect(list_, &QComboBox::activated, this, [this](int index) {
    page_.OnProfileSelected(index);
    Render();
  });
  connect(apply_, &QPushButton::clicked, this, [this] {
    page_.OnApply();
    Render();
  });
  Render();
}

void SsoView::Render() {
  const SsoPageState& s = page_.State();
  if (enable_->text() != ToQt(s.enableLabel)) enable_->setText(ToQt(s.enableLabel));
  enable_->setChecked(s.ssoEnabled);
  enable_->setEnabled(s.enableBoxEnabled);
  const std::string* labels[] = {&s.winlogonLabel, &s.profileCredentialsLabel, &s.promptLabel};
  for (int i = 0; i < 3; ++i) {
    if (radios_[i]->text() != ToQt(*labels[i])) radios_[i]->setText(ToQt(*labels[i]));
    radios_[i]->setEnabled(s.radiosEnabled);
  }
  if (radioGroup_->checkedId() != static_cast<int>(s.credentials)) {
    radios_[static_cast<int>(s.credentials)]->setChecked(true);
  }
  if (profileGroup_->title() != ToQt(s.profileGroupLabel)) profileGroup_->setTitle(ToQt(s.profileGroupLabel));
  profileGroup_->setEnabled(s.profileGroupEnabled);
  SetLabelText(selectLabel_, s.selectProfileLabel);
  selectLabel_->setEnabled(s.listEnabled);

  QStringList items;
  for (const std::string& name : s.profiles) items << ToQt(name);
  QStringList shown;
  for (int i = 0; i < list_->count(); ++i) shown << list_->itemText(i);
  {
    const QSignalBlocker block(list_);
    if (shown != items) {
      list_->clear();
      list_->addItems(items);
    }
    if (list_->currentIndex() != s.selected) list_->setCurrentIndex(s.selected);
  }
  list_->setEnabled(s.listEnabled);

  if (infoGroup_->title() != ToQt(s.selectedGroupLabel)) infoGroup_->setTitle(ToQt(s.selectedGroupLabel));
  SetLabelText(nameLabel_, s.profileNameLabel);
  SetLabelText(name_, s.profileName);
  SetLabelText(ssidLabel_, s.ssidLabel);
  SetLabelText(ssid_, s.ssid);
  SetLabelText(authLabel_, s.authenticationLabel);
  SetLabelText(auth_, s.authentication);
  for (QLabel* label : {nameLabel_, name_, ssidLabel_, ssid_, authLabel_, auth_}) label->setEnabled(s.infoEnabled);
  if (apply_->text() != ToQt(s.applyLabel)) apply_->setText(ToQt(s.applyLabel));
  apply_->setEnabled(s.applyEnabled);
}

}  // namespace nxui
