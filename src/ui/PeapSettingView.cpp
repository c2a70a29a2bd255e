#include "ui/PeapSettingView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "profiles/CPeapSettingDlg.h"
#include "ui/ViewHelpers.h"

namespace nxui {

PeapSettingView::PeapSettingView(CPeapSettingDlg& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
  setObjectName(QStringLiteral("peapSettings"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(12, 10, 12, 8);
  root->setSpacing(8);
  caption_ = new QLabel(this);
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  description_ = new QLabel(this);
  root->addWidget(caption_);
  root->addWidget(description_);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  identityLabel_ = new QLabel(this);
  identity_ = new QLineEdit(this);
  identity_->setObjectName(QStringLiteral("identity"));
  passwordLabel_ = new QLabel(this);
  password_ = new QLineEdit(this);
  password_->setObjectName(QStringLiteral("password"));
  password_->setEchoMode(QLineEdit::Password);
  password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
  grid->addWidget(identityLabel_, 0, 0);
  grid->addWidget(identity_, 0, 1);
  grid->addWidget(passwordLabel_, 1, 0);
  grid->addWidget(password_, 1, 1);
  grid->setColumnStretch(2, 1);
  grid->setColumnMinimumWidth(1, 240);
  root->addLayout(grid);
  root->addStretch(1);

  ok_ = AddFootButtons(this, root, false).ok;

  connect(identity_, &QLineEdit::textEdited, this,
          [this](const QString& text) { panel_.SetIdentity(text.toStdString()); });
  connect(password_, &QLineEdit::textEdited, this,
          [this](const QString& text) { panel_.SetPassword(text.toStdString()); });
  connect(ok_, &QPushButton::clicked, this, [this] {
    panel_.OnOk();
    Render();
  });
  Render();
}

void PeapSettingView::Render() {
  const PeapSettingState& s = panel_.State();
  SetLabelText(caption_, s.caption);
  SetLabelText(description_, s.description);
  SetLabelText(identityLabel_, s.identityLabel);
  SetLabelText(passwordLabel_, s.passwordLabel);
  if (identity_->text() != ToQt(s.identity)) identity_->setText(ToQt(s.identity));
  if (password_->text() != ToQt(s.password)) password_->setText(ToQt(s.password));
  identity_->setEnabled(s.identityEnabled);
  passwordLabel_->setEnabled(s.passwordEnabled);
  password_->setEnabled(s.passwordEnabled);
  ok_->setText(ToQt(s.okLabel));
}

}  // namespace nxui
