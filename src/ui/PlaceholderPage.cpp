#include "ui/PlaceholderPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace nxui {

PlaceholderPage::PlaceholderPage(const QString& title, const QString& note, QWidget* parent)
    : QWidget(parent), title_(title) {
  setObjectName(QStringLiteral("placeholder"));
  auto* layout = new QVBoxLayout(this);
  layout->addStretch(1);
  auto* heading = new QLabel(title, this);
  QFont f = heading->font();
  f.setPointSizeF(f.pointSizeF() * 1.4);
  f.setBold(true);
  heading->setFont(f);
  heading->setAlignment(Qt::AlignCenter);
  heading->setStyleSheet(QStringLiteral("color: #5e5c64;"));
  auto* text = new QLabel(note, this);
  text->setAlignment(Qt::AlignCenter);
  text->setWordWrap(true);
  text->setStyleSheet(QStringLiteral("color: #77767b;"));
  layout->addWidget(heading);
  layout->addWidget(text);
  layout->addStretch(1);
}

}  // namespace nxui
