#include "ui/WpsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/ViewHelpers.h"
#include "widgets/CGradientProgressBar.h"
#include "widgets/SurveyIcons.h"
#include "widgets/TrebuchetFont.h"
#include "widgets/WpsIcons.h"
#include "wps/CPageWPSDlg.h"

namespace nxui {

namespace {

QTableWidget* MakeList(QWidget* parent, const char* name) {
  auto* list = new QTableWidget(parent);
  list->setObjectName(QLatin1String(name));
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setShowGrid(false);
  list->setIconSize(QSize(16, 16));
  list->setWordWrap(false);
  list->verticalHeader()->hide();
  list->verticalHeader()->setDefaultSectionSize(20);
  list->horizontalHeader()->setHighlightSections(false);
  list->horizontalHeader()->setMinimumSectionSize(16);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setMinimumHeight(44);
  return list;
}

QTableWidgetItem* TextItem(const std::string& text) { return new QTableWidgetItem(ToQt(text)); }

QTableWidgetItem* IconItem(const QIcon& icon) {
  auto* item = new QTableWidgetItem;
  if (!icon.isNull()) item->setIcon(icon);
  return item;
}

void SetHeaders(QTableWidget* list, const std::vector<WpsColumn>& columns) {
  QStringList headers;
  for (const WpsColumn& c : columns) headers << ToQt(c.header);
  if (list->columnCount() != headers.size()) list->setColumnCount(static_cast<int>(headers.size()));
  list->setHorizontalHeaderLabels(headers);
}

}  // namespace

WpsView::WpsView(CPageWPSDlg& page, QWidget* parent) : QWidget(parent), page_(page) {
  setObjectName(QStringLiteral("wps"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(8, 6, 8, 6);
  root->setSpacing(4);

  // Upper half: the access points on the left, the run's controls on the right.
  auto* upper = new QHBoxLayout;
  auto* apColumn = new QVBoxLayout;
  apLabel_ = new QLabel(this);
  apColumn->addWidget(apLabel_);
  apList_ = MakeList(this, "apList");
  apColumn->addWidget(apList_, 1);
  auto* apButtons = new QHBoxLayout;
  apButtons->addStretch(1);
  apButtons->addWidget(AddButton("rescan", &CPageWPSDlg::OnRescan));
  apButtons->addWidget(AddButton("information", &CPageWPSDlg::OnInformation));
  apColumn->addLayout(apButtons);
  upper->addLayout(apColumn, 1);

  // The run's controls in compact rows, so that the page needs no more height than the others.
  auto* runColumn = new QGridLayout;
  runColumn->setVerticalSpacing(4);
  pinLabel_ = new QLabel(this);
  runColumn->addWidget(pinLabel_, 0, 0);
  pinField_ = new QLineEdit(this);
  pinField_->setObjectName(QStringLiteral("pinCode"));
  pinField_->setMaxLength(8);
  pinField_->setMinimumWidth(pinField_->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 16);
  runColumn->addWidget(pinField_, 0, 1);
  runColumn->addWidget(AddButton("renew", &CPageWPSDlg::OnRenew), 0, 2);
  modeLabel_ = new QLabel(this);
  runColumn->addWidget(modeLabel_, 1, 0);
  configMode_ = new QComboBox(this);
  configMode_->setObjectName(QStringLiteral("configMode"));
  runColumn->addWidget(configMode_, 1, 1, 1, 2);
  runColumn->addWidget(AddButton("pin", &CPageWPSDlg::OnPin), 2, 1);
  runColumn->addWidget(AddButton("pbc", &CPageWPSDlg::OnPbc), 2, 2);
  assocIe_ = new QCheckBox(this);
  assocIe_->setObjectName(QStringLiteral("assocIe"));
  probeIe_ = new QCheckBox(this);
  probeIe_->setObjectName(QStringLiteral("probeIe"));
  autoSelect_ = new QCheckBox(this);
  autoSelect_->setObjectName(QStringLiteral("autoSelectAp"));
  auto* boxRow = new QHBoxLayout;
  boxRow->addWidget(assocIe_);
  boxRow->addWidget(probeIe_);
  boxRow->addWidget(autoSelect_);
  runColumn->addLayout(boxRow, 3, 0, 1, 3);
  runColumn->setRowStretch(4, 1);
  upper->addLayout(runColumn);
  root->addLayout(upper, 1);

  // Lower half: the credentials and what can be done with them.
  credentialLabel_ = new QLabel(this);
  root->addWidget(credentialLabel_);
  auto* lower = new QHBoxLayout;
  credentials_ = MakeList(this, "credentialList");
  lower->addWidget(credentials_, 1);
  auto* credentialButtons = new QGridLayout;
  const std::pair<const char*, void (CPageWPSDlg::*)()> actions[] = {
      {"detail", &CPageWPSDlg::OnDetail}, {"connect", &CPageWPSDlg::OnConnect},
      {"rotate", &CPageWPSDlg::OnRotate}, {"disconnect", &CPageWPSDlg::OnDisconnect},
      {"delete", &CPageWPSDlg::OnDelete}, {"exportProfile", &CPageWPSDlg::OnExportProfile}};
  for (std::size_t i = 0; i < std::size(actions); ++i) {
    credentialButtons->addWidget(AddButton(actions[i].first, actions[i].second), static_cast<int>(i / 3),
                                 static_cast<int>(i % 3));
  }
  credentialButtons->setRowStretch(2, 1);
  lower->addLayout(credentialButtons);
  root->addLayout(lower, 1);

  progress_ = new CGradientProgressBar(this);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setMinimumHeight(20);
  root->addWidget(progress_);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  root->addWidget(status_);

  connect(pinField_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (rendering_) return;
    page_.OnPinEdited(text.toStdString());
    Render();
  });
  connect(configMode_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (rendering_) return;
    page_.OnConfigModeChanged(index);
    Render();
  });
  const std::pair<QCheckBox*, void (CPageWPSDlg::*)(bool)> boxes[] = {{assocIe_, &CPageWPSDlg::OnAssocIeChanged},
                                                                      {probeIe_, &CPageWPSDlg::OnProbeIeChanged},
                                                                      {autoSelect_, &CPageWPSDlg::OnAutoSelectChanged}};
  for (const auto& [box, handler] : boxes) {
    connect(box, &QCheckBox::toggled, this, [this, handler = handler](bool on) {
      if (rendering_) return;
      (page_.*handler)(on);
      Render();
    });
  }
  connect(apList_, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (rendering_) return;
    page_.OnApRowClicked(row);
    Render();
  });
  connect(credentials_, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (rendering_) return;
    page_.OnCredentialRowClicked(row);
    Render();
  });
  apList_->viewport()->installEventFilter(this);
  credentials_->viewport()->installEventFilter(this);
  Render();
}

QPushButton* WpsView::AddButton(const char* name, void (CPageWPSDlg::*action)()) {
  auto* button = new QPushButton(this);
  button->setObjectName(QLatin1String(name));
  connect(button, &QPushButton::clicked, this, [this, action] {
    (page_.*action)();
    Render();
  });
  buttons_.push_back(button);
  return button;
}

QPushButton* WpsView::Button(const char* name) const {
  for (QPushButton* button : buttons_) {
    if (button->objectName() == QLatin1String(name)) return button;
  }
  return nullptr;
}

QCheckBox* WpsView::CheckBox(const char* name) const {
  for (QCheckBox* box : {assocIe_, probeIe_, autoSelect_}) {
    if (box->objectName() == QLatin1String(name)) return box;
  }
  return nullptr;
}

void WpsView::Render() {
  rendering_ = true;
  const WpsPageState& s = page_.State();
  const WpsPageLabels& l = s.labels;
  SetLabelText(apLabel_, l.apList);
  SetLabelText(credentialLabel_, l.profileList);
  SetLabelText(pinLabel_, l.pinCodeGroup);
  SetLabelText(modeLabel_, l.configModeGroup);

  const struct {
    const char* name;
    const std::string& caption;
    bool enabled;
    bool visible;
  } buttons[] = {{"rescan", l.rescan, s.rescanEnabled, true},
                 {"information", l.information, s.informationEnabled, true},
                 {"renew", l.renew, s.renewEnabled, true},
                 {"pin", l.pin, s.pinEnabled, true},
                 {"pbc", l.pbc, s.pbcEnabled, true},
                 {"detail", l.detail, s.detailEnabled, true},
                 {"connect", l.connect, s.connectEnabled, true},
                 {"rotate", l.rotate, s.rotateEnabled, true},
                 {"disconnect", l.disconnect, s.disconnectEnabled, true},
                 {"delete", l.remove, s.deleteEnabled, s.deleteVisible},
                 {"exportProfile", l.exportProfile, s.exportEnabled, true}};
  for (const auto& b : buttons) {
    QPushButton* button = Button(b.name);
    button->setText(ToQt(b.caption));
    button->setEnabled(b.enabled);
    button->setVisible(b.visible);
  }

  if (pinField_->text() != ToQt(s.pinText)) pinField_->setText(ToQt(s.pinText));
  pinField_->setReadOnly(s.pinReadOnly);
  pinField_->setMaxLength(s.pinMaxLength);
  if (s.pinFocused) pinField_->setFocus();
  if (s.pinTip != shownTip_) {
    shownTip_ = s.pinTip;
    if (s.pinTip.empty()) {
      QToolTip::hideText();
    } else if (pinField_->isVisible()) {
      QToolTip::showText(pinField_->mapToGlobal(QPoint(0, pinField_->height())), ToQt(s.pinTip), pinField_);
    }
  }

  if (configMode_->count() != static_cast<int>(l.configModes.size())) {
    configMode_->clear();
    for (const std::string& mode : l.configModes) configMode_->addItem(ToQt(mode));
  }
  configMode_->setCurrentIndex(s.configMode);

  const std::pair<QCheckBox*, std::pair<const std::string&, bool>> boxes[] = {
      {assocIe_, {l.assocIe, s.assocIeChecked}},
      {probeIe_, {l.probeIe, s.probeIeChecked}},
      {autoSelect_, {l.autoSelectAp, s.autoSelectChecked}}};
  for (const auto& [box, look] : boxes) {
    box->setText(ToQt(look.first));
    box->setChecked(look.second);
  }
  autoSelect_->setVisible(s.autoSelectVisible);

  RenderApRows(s);
  RenderCredentialRows(s);

  const PercentBarState& bar = s.progress;
  progress_->SetCaption(ToQt(bar.caption));
  progress_->SetPos(bar.position);
  if (bar.hasGradient) {
    progress_->SetGradient(ToQt(bar.startColour), ToQt(bar.middleColour), ToQt(bar.endColour));
  } else {
    progress_->ResetGradient();
  }
  QFont font = TrebuchetFont(s.progressFontHeight > 0 ? s.progressFontHeight : 16);
  if (progress_->font() != font) progress_->setFont(font);
  SetLabelText(status_, s.statusText);
  rendering_ = false;
}

void WpsView::RenderApRows(const WpsPageState& s) {
  if (!listsFilled_ || shownAps_ != s.apRows) {
    SetHeaders(apList_, s.apColumns);
    apList_->setRowCount(static_cast<int>(s.apRows.size()));
    const QIcon lock = SurveyIconSet(kSurveyIconLock);
    for (std::size_t i = 0; i < s.apRows.size(); ++i) {
      const WpsApRow& row = s.apRows[i];
      const int r = static_cast<int>(i);
      apList_->setItem(r, 0, TextItem("ID : " + row.id));
      apList_->setItem(r, 1, TextItem(row.ssid));
      apList_->setItem(r, 2, TextItem(row.bssid));
      apList_->setItem(r, 3, TextItem(row.channel));
      apList_->setItem(r, CPageWPSDlg::kApLockColumn, IconItem(row.isProtected ? lock : QIcon()));
    }
    shownAps_ = s.apRows;
    ApplyWidths(apList_, s.apColumns);
  }
  SelectRow(apList_, s.selectedAp);
}

void WpsView::RenderCredentialRows(const WpsPageState& s) {
  if (!listsFilled_ || shownCredentials_ != s.credentialRows) {
    SetHeaders(credentials_, s.credentialColumns);
    credentials_->setRowCount(static_cast<int>(s.credentialRows.size()));
    const QIcon lock = SurveyIconSet(kSurveyIconLock);
    const QIcon connected = SurveyIconSet(kSurveyIconConnected);
    const QIcon trying = WpsTryingIcon();
    for (std::size_t i = 0; i < s.credentialRows.size(); ++i) {
      const WpsCredentialRow& row = s.credentialRows[i];
      const int r = static_cast<int>(i);
      const QIcon mark = row.mark == 0 ? connected : row.mark == 1 ? trying : QIcon();
      credentials_->setItem(r, CPageWPSDlg::kCredentialMarkColumn, IconItem(mark));
      credentials_->setItem(r, 1, TextItem(row.ssid));
      credentials_->setItem(r, 2, TextItem(row.bssid));
      credentials_->setItem(r, CPageWPSDlg::kCredentialLockColumn, IconItem(row.locked ? lock : QIcon()));
    }
    shownCredentials_ = s.credentialRows;
    ApplyWidths(credentials_, s.credentialColumns);
  }
  listsFilled_ = true;
  SelectRow(credentials_, s.selectedCredential);
}

void WpsView::SelectRow(QTableWidget* list, int row) {
  if (row < 0 || row >= list->rowCount()) {
    list->clearSelection();
    list->setCurrentCell(-1, -1, QItemSelectionModel::Clear);
    return;
  }
  if (list->currentRow() != row)
    list->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void WpsView::ApplyWidths(QTableWidget* list, const std::vector<WpsColumn>& columns) {
  const int width = list->viewport()->width();
  if (width <= 0) return;
  for (std::size_t i = 0; i < columns.size() && static_cast<int>(i) < list->columnCount(); ++i) {
    list->setColumnWidth(static_cast<int>(i), std::max(20, static_cast<int>(columns[i].widthFraction * width)));
  }
}

bool WpsView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    if (watched == apList_->viewport()) ApplyWidths(apList_, page_.State().apColumns);
    if (watched == credentials_->viewport()) ApplyWidths(credentials_, page_.State().credentialColumns);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace nxui
