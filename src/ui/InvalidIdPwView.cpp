#include "ui/InvalidIdPwView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "monitor/CInvalidIDPW.h"
#include "ui/ViewHelpers.h"

namespace nxui {

InvalidIdPwView::InvalidIdPwView(CInvalidIDPW& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
  setObjectName(QStringLiteral("invalidIdPassword"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(12, 10, 12, 8);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  for (auto*& label : labels_) label = new QLabel(this);
  for (auto*& value : values_) value = new QLabel(this);
  identity_ = new QLineEdit(this);
  password_ = new QLineEdit(this);
  password_->setEchoMode(QLineEdit::Password);
  domain_ = new QLineEdit(this);
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(labels_[i], i, 0);
    grid->addWidget(values_[i], i, 1);
  }
  QLineEdit* edits[] = {identity_, password_, domain_};
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(labels_[3 + i], 3 + i, 0);
    grid->addWidget(edits[i], 3 + i, 1);
  }
  grid->setColumnMinimumWidth(1, 240);
  grid->setColumnStretch(2, 1);
  root->addLayout(grid);
  root->addStretch(1);
  const FootButtons foot = AddFootButtons(this, root, true);
  ok_ = foot.ok;
  cancel_ = foot.cancel;
  connect(identity_, &QLineEdit::textEdited, this, [this](const QString& t) { panel_.SetIdentity(t.toStdString()); });
  connect(password_, &QLineEdit::textEdited, this, [this](const QString& t) { panel_.SetPassword(t.toStdString()); });
  connect(domain_, &QLineEdit::textEdited, this, [this](const QString& t) { panel_.SetDomain(t.toStdString()); });
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

void InvalidIdPwView::Render() {
  const InvalidIdPwState& s = panel_.State();
  const std::string* labels[] = {&s.cardLabel,     &s.profileLabel,  &s.messageLabel,
                                 &s.identityLabel, &s.passwordLabel, &s.domainLabel};
  for (int i = 0; i < 6; ++i) SetLabelText(labels_[i], *labels[i]);
  SetLabelText(values_[0], s.card);
  SetLabelText(values_[1], s.profile);
  SetLabelText(values_[2], s.message);
  const std::string* fields[] = {&s.fields.identity, &s.fields.password, &s.fields.domain};
  QLineEdit* edits[] = {identity_, password_, domain_};
  const bool visible[] = {s.identityVisible, s.passwordVisible, s.domainVisible};
  for (int i = 0; i < 3; ++i) {
    if (edits[i]->text() != ToQt(*fields[i])) edits[i]->setText(ToQt(*fields[i]));
    edits[i]->setVisible(visible[i]);
    labels_[3 + i]->setVisible(visible[i]);
  }
  if (ok_->text() != ToQt(s.okLabel)) ok_->setText(ToQt(s.okLabel));
  if (cancel_->text() != ToQt(s.cancelLabel)) cancel_->setText(ToQt(s.cancelLabel));
}

}  // namespace nxui
