#include "ui/AboutView.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/CPageAboutDlg.h"
#include "ui/ViewHelpers.h"
#include "widgets/PageButtonIcons.h"
#include "widgets/TrebuchetFont.h"

namespace nxui {

AboutView::AboutView(CPageAboutDlg& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName(QStringLiteral("about"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(16, 10, 16, 10);
  root->setSpacing(8);

  auto* heading = new QLabel(this);
  heading->setPixmap(PageButtonPixmap(kArtAbout, 32));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(14);
  grid->setVerticalSpacing(5);
  grid->addWidget(heading, 0, 0, 7, 1, Qt::AlignTop);
  // Column 0 holds the picture; the lines start at column 1.
  utilityVersion_ = AddLine(grid, 0, "utilityVersion");
  utilityDate_ = AddLine(grid, 1, "utilityDate");
  driverVersion_ = AddLine(grid, 2, "driverVersion");
  driverDate_ = AddLine(grid, 3, "driverDate");
  eeprom_ = AddLine(grid, 4, "eepromVersion");
  firmware_ = AddLine(grid, 5, "firmwareVersion");
  mac_ = AddLine(grid, 6, "macAddress");
  grid->setColumnStretch(2, 1);
  root->addLayout(grid);

  legal_ = new QLabel(this);
  legal_->setObjectName(QStringLiteral("legalNotice"));
  legal_->setWordWrap(true);
  root->addWidget(legal_);

  link_ = new QPushButton(this);
  link_->setObjectName(QStringLiteral("link"));
  link_->setFlat(true);
  link_->setCursor(Qt::PointingHandCursor);
  link_->setStyleSheet(
      QStringLiteral("QPushButton { color: #1a5fb4; text-decoration: underline; border: none; "
                     "text-align: left; padding: 2px; }"));
  root->addWidget(link_, 0, Qt::AlignLeft);
  root->addStretch(1);
  connect(link_, &QPushButton::clicked, this, [this] { page_.OnLinkClicked(); });
  Render();
}

AboutView::Line AboutView::AddLine(QGridLayout* grid, int row, const char* name) {
  Line line{new QLabel(this), new QLabel(this)};
  line.label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
  line.value->setObjectName(QLatin1String(name));
  line.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = line.value->font();
  bold.setBold(true);
  line.value->setFont(bold);
  grid->addWidget(line.label, row, 1);
  grid->addWidget(line.value, row, 2);
  return line;
}

void AboutView::RenderLine(const Line& line, const AboutLine& state) {
  SetLabelText(line.label, state.label);
  // Version texts carry the resource format's line break; one line is shown.
  SetLabelText(line.value, ToQt(state.value).trimmed().toStdString());
  line.label->setVisible(state.visible);
  line.value->setVisible(state.visible);
}

void AboutView::Render() {
  const AboutPageState& s = page_.State();
  RenderLine(utilityVersion_, s.utilityVersion);
  RenderLine(utilityDate_, s.utilityDate);
  RenderLine(driverVersion_, s.driverVersion);
  RenderLine(driverDate_, s.driverDate);
  RenderLine(eeprom_, s.eepromVersion);
  RenderLine(firmware_, s.firmwareVersion);
  RenderLine(mac_, s.macAddress);
  SetLabelText(legal_, s.legalNotice);
  legal_->setVisible(!s.legalNotice.empty());
  const QString caption = ToQt(s.linkCaption);
  if (link_->text() != caption) link_->setText(caption);
  link_->setVisible(!caption.isEmpty());
}

QLabel* AboutView::Value(const char* objectName) const { return findChild<QLabel*>(QLatin1String(objectName)); }

}  // namespace nxui
