#include "widgets/CTabDialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "widgets/TrebuchetFont.h"

namespace nxui {

namespace {
constexpr int kButtonCellHeight = 20;
}

CTabDialog::CTabDialog(QWidget* parent)
    : QWidget(parent), buttonRow_(new QHBoxLayout), buttons_(new QButtonGroup(this)), stack_(new QStackedWidget(this)) {
  buttons_->setExclusive(true);
  buttonRow_->setSpacing(4);
  buttonRow_->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addLayout(buttonRow_);
  layout->addWidget(stack_, 1);

  connect(buttons_, &QButtonGroup::idClicked, this, &CTabDialog::SetCurrent);
}

int CTabDialog::AddPage(const QString& caption, QWidget* page) {
  const int index = stack_->addWidget(page);
  auto* button = new QPushButton(caption, this);
  button->setCheckable(true);
  button->setFont(TrebuchetFont(kButtonCellHeight));
  button->setMinimumWidth(110);
  // The checked look of push buttons is faint in several styles; bold marks the page shown.
  connect(button, &QPushButton::toggled, button, [button](bool checked) {
    QFont f = button->font();
    f.setBold(checked);
    button->setFont(f);
  });
  buttons_->addButton(button, index);
  // Buttons stay packed at the left, before the stretch.
  buttonRow_->insertWidget(buttonRow_->count() - 1, button);
  if (index == 0) button->setChecked(true);
  return index;
}

QWidget* CTabDialog::Page(int index) const { return stack_->widget(index); }

QAbstractButton* CTabDialog::Button(int index) const { return buttons_->button(index); }

void CTabDialog::SetCurrent(int index) {
  if (index < 0 || index >= stack_->count()) return;
  if (QAbstractButton* b = buttons_->button(index)) b->setChecked(true);
  if (index == stack_->currentIndex()) return;
  stack_->setCurrentIndex(index);
  emit CurrentChanged(index);
}

int CTabDialog::Current() const { return stack_->currentIndex(); }

}  // namespace nxui
