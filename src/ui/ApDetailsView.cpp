#include "ui/ApDetailsView.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "survey/CAPDetailInfoDlg.h"
#include "ui/ViewHelpers.h"
#include "widgets/CGradientProgressBar.h"
#include "widgets/CTabDialog.h"
#include "widgets/SurveyIcons.h"

namespace nxui {
namespace {

void Show(QLabel* label, QLabel* value, const std::string& labelText, const std::string& valueText) {
  SetLabelText(label, labelText);
  SetLabelText(value, valueText);
}

}  // namespace

ApDetailsView::ApDetailsView(CAPDetailInfoDlg& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
  setObjectName(QStringLiteral("apDetails"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(8, 6, 8, 6);
  root->setSpacing(6);

  tabs_ = new CTabDialog(this);
  const ApDetailState& state = panel_.State();

  auto* generalExtra = new QWidget;
  auto* extraLayout = new QVBoxLayout(generalExtra);
  extraLayout->setContentsMargins(0, 0, 0, 0);
  signal_ = new CGradientProgressBar(generalExtra);
  signal_->setObjectName(QStringLiteral("signal"));
  signal_->setMinimumHeight(22);
  extraLayout->addWidget(signal_);
  rates_ = new QGroupBox(generalExtra);
  auto* ratesLayout = new QVBoxLayout(rates_);
  ratesText_ = new QLabel(rates_);
  ratesText_->setObjectName(QStringLiteral("supportedRates"));
  ratesText_->setWordWrap(true);
  ratesLayout->addWidget(ratesText_);
  extraLayout->addWidget(rates_);
  tabs_->AddPage(
      ToQt(state.tabs[0].caption),
      BuildPairs(general_, {"ssid", "mac", "authentication", "encryption", "channel", "networkType", "beaconInterval"},
                 generalExtra));
  tabs_->AddPage(ToQt(state.tabs[1].caption),
                 BuildPairs(wps_, {"wpsAuthentication", "wpsEncryption", "configMethods", "devicePasswordId",
                                   "selectedRegistrar", "state", "version", "apSetupLocked", "uuidE", "rfBands"}));
  tabs_->AddPage(ToQt(state.tabs[2].caption), BuildPairs(ccx_, {"cckm", "cmic", "ckip"}));

  htList_ = new QTreeWidget;
  htList_->setObjectName(QStringLiteral("htList"));
  htList_->setColumnCount(2);
  htList_->setRootIsDecorated(false);
  htList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  htList_->setAlternatingRowColors(true);
  htList_->setIconSize(QSize(16, 16));
  tabs_->AddPage(ToQt(state.tabs[3].caption), htList_);
  root->addWidget(tabs_, 1);
  connect(tabs_, &CTabDialog::CurrentChanged, this, [this](int tab) { panel_.OnTabSelected(tab); });

  ok_ = AddFootButtons(this, root, false).ok;
  connect(ok_, &QPushButton::clicked, this, [this] { panel_.OnOk(); });
  Render();
}

QWidget* ApDetailsView::BuildPairs(std::vector<Pair>& pairs, const std::vector<const char*>& names, QWidget* extra) {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->setSpacing(16);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(5);
  for (std::size_t i = 0; i < names.size(); ++i) {
    Pair pair{new QLabel(page), new QLabel(page)};
    pair.value->setObjectName(QLatin1String(names[i]));
    pair.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = pair.value->font();
    bold.setBold(true);
    pair.value->setFont(bold);
    grid->addWidget(pair.label, static_cast<int>(i), 0);
    grid->addWidget(pair.value, static_cast<int>(i), 1);
    pairs.push_back(pair);
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(static_cast<int>(names.size()), 1);
  layout->addLayout(grid, 3);
  if (extra != nullptr) layout->addWidget(extra, 2, Qt::AlignTop);
  return page;
}

void ApDetailsView::Render() {
  const ApDetailState& state = panel_.State();
  for (std::size_t i = 0; i < state.tabs.size(); ++i) {
    if (QAbstractButton* b = tabs_->Button(static_cast<int>(i))) {
      b->setText(ToQt(state.tabs[i].caption));
      b->setVisible(state.tabs[i].visible);
    }
  }
  if (tabs_->Current() != state.selectedTab) tabs_->SetCurrent(state.selectedTab);
  ok_->setText(ToQt(state.okLabel));

  const GeneralTabState& g = panel_.General().State();
  const std::pair<const std::string*, const std::string*> general[] = {{&g.ssidLabel, &g.ssid},
                                                                       {&g.macLabel, &g.mac},
                                                                       {&g.authLabel, &g.authentication},
                                                                       {&g.cipherLabel, &g.encryption},
                                                                       {&g.channelLabel, &g.channel},
                                                                       {&g.networkTypeLabel, &g.networkType},
                                                                       {&g.beaconLabel, &g.beaconInterval}};
  for (std::size_t i = 0; i < general_.size(); ++i)
    Show(general_[i].label, general_[i].value, *general[i].first, *general[i].second);
  signal_->SetCaption(ToQt(g.signal.caption));
  signal_->SetPos(g.signal.position);
  if (g.signal.hasGradient) {
    signal_->SetGradient(ToQt(g.signal.startColour), ToQt(g.signal.middleColour), ToQt(g.signal.endColour));
  } else {
    signal_->ResetGradient();
  }
  rates_->setTitle(ToQt(g.ratesLabel));
  SetLabelText(ratesText_, g.supportedRates);

  const WpsTabState& w = panel_.Wps().State();
  const std::pair<const std::string*, const std::string*> wps[] = {{&w.authLabel, &w.authentication},
                                                                   {&w.cipherLabel, &w.encryption},
                                                                   {&w.configMethodsLabel, &w.configMethods},
                                                                   {&w.devicePasswordIdLabel, &w.devicePasswordId},
                                                                   {&w.selectedRegistrarLabel, &w.selectedRegistrar},
                                                                   {&w.stateLabel, &w.state},
                                                                   {&w.versionLabel, &w.version},
                                                                   {&w.apSetupLockedLabel, &w.apSetupLocked},
                                                                   {&w.uuidELabel, &w.uuidE},
                                                                   {&w.rfBandsLabel, &w.rfBands}};
  for (std::size_t i = 0; i < wps_.size(); ++i) Show(wps_[i].label, wps_[i].value, *wps[i].first, *wps[i].second);

  const CcxTabState& c = panel_.Ccx().State();
  const std::pair<const std::string*, const std::string*> ccx[] = {
      {&c.cckmLabel, &c.cckm}, {&c.cmicLabel, &c.cmic}, {&c.ckipLabel, &c.ckip}};
  for (std::size_t i = 0; i < ccx_.size(); ++i) Show(ccx_[i].label, ccx_[i].value, *ccx[i].first, *ccx[i].second);

  // The property list is rebuilt only when another entry is shown.
  if (filled_ && shownEntry_ == panel_.Entry()) return;
  filled_ = true;
  shownEntry_ = panel_.Entry();
  const HtTabState& ht = panel_.Ht().State();
  htList_->setHeaderLabels({ToQt(ht.propertyHeader), ToQt(ht.valueHeader)});
  htList_->clear();
  QFont groupFont = htList_->font();
  groupFont.setBold(true);
  for (const HtListRow& row : ht.rows) {
    auto* item = new QTreeWidgetItem(htList_, {ToQt(row.property), ToQt(row.value)});
    const bool group = row.kind == HtListRow::Kind::GroupHeader;
    // Group headers and items take different pictures from the survey strip.
    item->setIcon(0, SurveyIconSet(group ? kSurveyIconInfrastructure : kSurveyIconN));
    if (group) {
      item->setFont(0, groupFont);
      item->setFirstColumnSpanned(true);
    }
  }
  const int width = std::max(htList_->viewport()->width(), 360);
  htList_->setColumnWidth(0, static_cast<int>(width * ht.propertyWidth));
}

QLabel* ApDetailsView::Value(const char* objectName) const { return findChild<QLabel*>(QLatin1String(objectName)); }

}  // namespace nxui
