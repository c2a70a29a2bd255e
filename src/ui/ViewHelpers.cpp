#include "ui/ViewHelpers.h"

namespace nxui {

QString LabelText(const std::string& label) { return ToQt(label).trimmed(); }

FootButtons AddFootButtons(QWidget* parent, QBoxLayout* root, bool withCancel) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  FootButtons buttons;
  buttons.ok = new QPushButton(parent);
  buttons.ok->setObjectName(QStringLiteral("ok"));
  if (withCancel) {
    buttons.cancel = new QPushButton(parent);
    buttons.cancel->setObjectName(QStringLiteral("cancel"));
  }
  for (QPushButton* button : {buttons.ok, buttons.cancel}) {
    if (button == nullptr) continue;
    button->setMinimumWidth(80);
    row->addWidget(button);
  }
  root->addLayout(row);
  return buttons;
}

}  // namespace nxui
