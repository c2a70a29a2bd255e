#include "ui/ProfileEditorView.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "profiles/CProfileEditorDlg.h"
#include "shell/ProfileEditorPanel.h"
#include "shell/ShellProfileEditorWindow.h"
#include "ui/QtInfoWnd.h"
#include "ui/ViewHelpers.h"
#include "widgets/CTabDialog.h"

namespace nxui {
namespace {

// Masked edits show "*" for each character, as the page's texts say.
constexpr auto kMaskStyle = "lineedit-password-character: 42";

// The network-type menu lists infrastructure first.
constexpr NetworkType kNetworkTypeOfItem[2] = {NetworkType::kInfrastructure, NetworkType::kAdhoc};

void SetEditText(QLineEdit* edit, const std::string& text) {
  const QString value = ToQt(text);
  if (edit->text() != value) edit->setText(value);
}

void SetButtonText(QAbstractButton* button, const std::string& text) {
  const QString value = ToQt(text);
  if (button->text() != value) button->setText(value);
}

void SetMasked(QLineEdit* edit, bool masked) { edit->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal); }

QLabel* NewLabel(QWidget* parent) { return new QLabel(parent); }

int IntOf(const QString& text, int fallback) {
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok ? value : fallback;
}

}  // namespace

ProfileEditorView::ProfileEditorView(shell::ProfileEditorPanel& panel, QWidget* parent)
    : QWidget(parent), panel_(panel), editor_(panel.Get()) {
  setObjectName(QStringLiteral("profileEditor"));
  hint_ = new QtInfoWnd(this);
  panel_.AttachHintView(this);
  hint_->SetModel(panel_.Hint());

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(8, 6, 8, 6);
  root->setSpacing(6);
  tabs_ = new CTabDialog(this);
  const ProfileEditorState& state = editor_.State();
  tabs_->AddPage(ToQt(state.systemTabCaption), BuildSystemTab());
  tabs_->AddPage(ToQt(state.securityTabCaption), BuildSecurityTab());
  root->addWidget(tabs_, 1);
  connect(tabs_, &CTabDialog::CurrentChanged, this, [this](int tab) {
    if (rendering_) return;
    Act([this, tab] { editor_.OnTab(static_cast<EditorTab>(tab)); });
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  ok_ = new QPushButton(this);
  cancel_ = new QPushButton(this);
  ok_->setObjectName(QStringLiteral("ok"));
  cancel_->setObjectName(QStringLiteral("cancel"));
  for (QPushButton* b : {ok_, cancel_}) {
    b->setMinimumWidth(80);
    buttons->addWidget(b);
  }
  root->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, [this] {
    Act([this] { editor_.OnOk(); });
    // A refusal with a hint leaves the focus in the edit it points at.
    if (editor_.Visible() && panel_.Hint() != nullptr && panel_.Hint()->Visible()) {
      if (QWidget* field = FieldWidget(panel_.FocusedField())) field->setFocus(Qt::OtherFocusReason);
    }
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { Act([this] { editor_.OnCancel(); }); });
  Render();
}

ProfileEditorView::~ProfileEditorView() { panel_.AttachHintView(nullptr); }

ProfileEditorView::MenuButton ProfileEditorView::MakeMenuButton(QWidget* parent, int count,
                                                                std::function<void()> opening,
                                                                std::function<void(int)> chosen) {
  MenuButton m;
  m.label = NewLabel(parent);
  m.button = new QPushButton(parent);
  m.menu = new QMenu(m.button);
  for (int i = 0; i < count; ++i) {
    QAction* action = m.menu->addAction(QString());
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, chosen, i] { Act([&chosen, i] { chosen(i); }); });
  }
  connect(m.menu, &QMenu::aboutToShow, this, [this, opening] { Act(opening); });
  m.button->setMenu(m.menu);
  m.button->setMinimumWidth(140);
  return m;
}

void ProfileEditorView::Anchor(EditorField field, QWidget* widget) { fields_[field] = widget; }

QWidget* ProfileEditorView::FieldWidget(EditorField field) const {
  const auto it = fields_.find(field);
  return it == fields_.end() ? nullptr : it->second;
}

QWidget* ProfileEditorView::BuildSystemTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  grid->setContentsMargins(10, 8, 10, 8);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(5);
  int row = 0;

  profileNameLabel_ = NewLabel(tab);
  profileName_ = new QLineEdit(tab);
  profileName_->setObjectName(QStringLiteral("profileName"));
  profileName_->setMaxLength(static_cast<int>(kProfileNameMaxChars));
  connect(profileName_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Act([&] { editor_.SystemConfig().SetProfileName(text.toStdString()); }); });
  grid->addWidget(profileNameLabel_, row, 0);
  grid->addWidget(profileName_, row++, 1, 1, 3);
  Anchor(EditorField::ProfileName, profileName_);

  ssidLabel_ = NewLabel(tab);
  ssid_ = new QComboBox(tab);
  ssid_->setObjectName(QStringLiteral("ssid"));
  ssid_->setEditable(true);
  ssid_->setInsertPolicy(QComboBox::NoInsert);
  connect(ssid_, &QComboBox::activated, this,
          [this](int item) { Act([&] { editor_.SystemConfig().OnSsidSelected(item); }); });
  connect(ssid_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { Act([&] { editor_.SystemConfig().SetSsid(text.toStdString()); }); });
  grid->addWidget(ssidLabel_, row, 0);
  grid->addWidget(ssid_, row++, 1, 1, 3);
  Anchor(EditorField::Ssid, ssid_);

  networkType_ = MakeMenuButton(
      tab, 2, [] {}, [this](int item) { editor_.SystemConfig().OnNetworkTypeSelected(kNetworkTypeOfItem[item]); });
  networkType_.button->setObjectName(QStringLiteral("networkType"));
  preamble_ = MakeMenuButton(
      tab, 2, [] {}, [this](int item) { editor_.SystemConfig().OnPreambleSelected(item); });
  preamble_.button->setObjectName(QStringLiteral("preamble"));
  txPower_ = MakeMenuButton(
      tab, kTxPowerCount, [] {}, [this](int item) { editor_.SystemConfig().OnTxPowerSelected(item); });
  txPower_.button->setObjectName(QStringLiteral("txPower"));
  for (MenuButton* m : {&networkType_, &preamble_, &txPower_}) {
    grid->addWidget(m->label, row, 0);
    grid->addWidget(m->button, row++, 1);
  }

  powerSaveLabel_ = NewLabel(tab);
  cam_ = new QRadioButton(tab);
  psm_ = new QRadioButton(tab);
  cam_->setObjectName(QStringLiteral("cam"));
  psm_->setObjectName(QStringLiteral("psm"));
  connect(cam_, &QRadioButton::clicked, this, [this] { Act([&] { editor_.SystemConfig().OnPowerSave(0); }); });
  connect(psm_, &QRadioButton::clicked, this, [this] { Act([&] { editor_.SystemConfig().OnPowerSave(1); }); });
  auto* powerRow = new QHBoxLayout;
  powerRow->addWidget(cam_);
  powerRow->addWidget(psm_);
  powerRow->addStretch(1);
  grid->addWidget(powerSaveLabel_, row, 0);
  grid->addLayout(powerRow, row++, 1, 1, 3);

  // A threshold: check box, slider and edit. The edit is taken when the user leaves it, so that a
  // value can be typed digit by digit before the clamps apply.
  auto threshold = [&](QCheckBox*& check, QSlider*& slider, QLineEdit*& edit, int minimum, int maximum,
                       void (CPageSystemConfigDlg::*onCheck)(bool), void (CPageSystemConfigDlg::*onSlider)(int),
                       void (CPageSystemConfigDlg::*onEdit)(int), const char* name) {
    check = new QCheckBox(tab);
    check->setObjectName(QStringLiteral("use%1").arg(QLatin1String(name)));
    slider = new QSlider(Qt::Horizontal, tab);
    slider->setObjectName(QStringLiteral("%1Slider").arg(QLatin1String(name)));
    slider->setRange(minimum, maximum);
    edit = new QLineEdit(tab);
    edit->setObjectName(QStringLiteral("%1Edit").arg(QLatin1String(name)));
    edit->setValidator(new QIntValidator(0, 99999, edit));
    edit->setMaximumWidth(70);
    connect(check, &QCheckBox::clicked, this,
            [this, onCheck](bool on) { Act([&] { (editor_.SystemConfig().*onCheck)(on); }); });
    connect(slider, &QSlider::valueChanged, this, [this, onSlider](int value) {
      if (!rendering_) Act([&] { (editor_.SystemConfig().*onSlider)(value); });
    });
    QLineEdit* e = edit;
    connect(edit, &QLineEdit::editingFinished, this, [this, onEdit, e] {
      const int fallback = onEdit == &CPageSystemConfigDlg::OnRtsEdited ? editor_.SystemConfig().Values().rtsThreshold
                                                                        : editor_.SystemConfig().Values().fragThreshold;
      Act([&] { (editor_.SystemConfig().*onEdit)(IntOf(e->text(), fallback)); });
    });
    grid->addWidget(check, row, 0);
    grid->addWidget(slider, row, 1, 1, 2);
    grid->addWidget(edit, row++, 3);
  };
  threshold(useRts_, rtsSlider_, rtsEdit_, 0, kRtsMax, &CPageSystemConfigDlg::OnUseRts,
            &CPageSystemConfigDlg::OnRtsSlider, &CPageSystemConfigDlg::OnRtsEdited, "Rts");
  threshold(useFrag_, fragSlider_, fragEdit_, kFragMin, kFragMax, &CPageSystemConfigDlg::OnUseFrag,
            &CPageSystemConfigDlg::OnFragSlider, &CPageSystemConfigDlg::OnFragEdited, "Frag");
  Anchor(EditorField::RtsThreshold, rtsEdit_);
  Anchor(EditorField::FragThreshold, fragEdit_);

  channelLabel_ = NewLabel(tab);
  channel_ = new QComboBox(tab);
  channel_->setObjectName(QStringLiteral("channel"));
  connect(channel_, &QComboBox::activated, this, [this](int item) {
    const std::string text = channel_->itemText(item).toStdString();
    Act([&] { editor_.SystemConfig().OnChannelSelected(text); });
  });
  grid->addWidget(channelLabel_, row, 0);
  grid->addWidget(channel_, row++, 1);
  Anchor(EditorField::Channel, channel_);

  grid->setColumnStretch(2, 1);
  grid->setRowStretch(row, 1);
  return tab;
}

QWidget* ProfileEditorView::BuildSecurityTab() {
  auto* tab = new QWidget;
  auto* columns = new QHBoxLayout(tab);
  columns->setContentsMargins(10, 8, 10, 8);
  columns->setSpacing(14);

  auto* left = new QGridLayout;
  left->setHorizontalSpacing(10);
  left->setVerticalSpacing(5);
  int row = 0;
  auth_ = MakeMenuButton(
      tab, kAuthCount, [this] { editor_.AuthEncry().OnAuthMenuOpen(); },
      [this](int item) { editor_.AuthEncry().OnAuthSelected(item); });
  auth_.button->setObjectName(QStringLiteral("authentication"));
  enc_ = MakeMenuButton(
      tab, kEncCount, [this] { editor_.AuthEncry().OnEncMenuOpen(); },
      [this](int item) { editor_.AuthEncry().OnEncSelected(item); });
  enc_.button->setObjectName(QStringLiteral("encryption"));
  for (MenuButton* m : {&auth_, &enc_}) {
    left->addWidget(m->label, row, 0);
    left->addWidget(m->button, row++, 1, Qt::AlignLeft);
  }
  box8021X_ = new QCheckBox(tab);
  box8021X_->setObjectName(QStringLiteral("use8021x"));
  connect(box8021X_, &QCheckBox::clicked, this, [this](bool on) { Act([&] { editor_.AuthEncry().On8021X(on); }); });
  left->addWidget(box8021X_, row++, 1);

  pskLabel_ = NewLabel(tab);
  psk_ = new QLineEdit(tab);
  psk_->setObjectName(QStringLiteral("preSharedKey"));
  psk_->setMaxLength(static_cast<int>(kPreSharedKeyMaxLength));
  psk_->setStyleSheet(QLatin1String(kMaskStyle));
  connect(psk_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Act([&] { editor_.AuthEncry().SetPreSharedKey(text.toStdString()); }); });
  left->addWidget(pskLabel_, row, 0);
  left->addWidget(psk_, row++, 1);
  Anchor(EditorField::PreSharedKey, psk_);

  keysBox_ = new QGroupBox(tab);
  auto* keyGrid = new QGridLayout(keysBox_);
  keyGrid->setVerticalSpacing(4);
  keyGroup_ = new QButtonGroup(this);
  for (int k = 0; k < 4; ++k) {
    KeyRow& key = keys_[static_cast<std::size_t>(k)];
    key.use = new QRadioButton(keysBox_);
    key.use->setObjectName(QStringLiteral("key%1Use").arg(k + 1));
    keyGroup_->addButton(key.use, k);
    connect(key.use, &QRadioButton::clicked, this, [this, k] { Act([&] { editor_.AuthEncry().OnDefaultKey(k); }); });
    key.type = new QPushButton(keysBox_);
    key.type->setObjectName(QStringLiteral("key%1Type").arg(k + 1));
    key.typeMenu = new QMenu(key.type);
    for (int type = 0; type < 2; ++type) {
      QAction* action = key.typeMenu->addAction(QString());
      action->setCheckable(true);
      connect(action, &QAction::triggered, this,
              [this, k, type] { Act([&] { editor_.AuthEncry().OnKeyTypeSelected(k, type); }); });
    }
    key.type->setMenu(key.typeMenu);
    key.edit = new QLineEdit(keysBox_);
    key.edit->setObjectName(QStringLiteral("key%1").arg(k + 1));
    key.edit->setStyleSheet(QLatin1String(kMaskStyle));
    connect(key.edit, &QLineEdit::textEdited, this,
            [this, k](const QString& text) { Act([&] { editor_.AuthEncry().SetKeyText(k, text.toStdString()); }); });
    keyGrid->addWidget(key.use, k, 0);
    keyGrid->addWidget(key.type, k, 1);
    keyGrid->addWidget(key.edit, k, 2);
    Anchor(WepKeyField(k), key.edit);
  }
  keyGrid->setColumnStretch(2, 1);
  left->addWidget(keysBox_, row++, 0, 1, 2);
  showPassword_ = new QCheckBox(tab);
  showPassword_->setObjectName(QStringLiteral("showPassword"));
  connect(showPassword_, &QCheckBox::clicked, this,
          [this](bool on) { Act([&] { editor_.AuthEncry().OnShowPassword(on); }); });
  left->addWidget(showPassword_, row++, 0, 1, 2);
  left->setColumnStretch(1, 1);
  left->setRowStretch(row, 1);
  columns->addLayout(left, 3);

  leapBox_ = new QGroupBox(QStringLiteral("LEAP"), tab);
  leapBox_->setObjectName(QStringLiteral("leap"));
  auto* leapGrid = new QGridLayout(leapBox_);
  leapGrid->setVerticalSpacing(4);
  auto leapEdit = [&](QLabel*& label, QLineEdit*& edit, const char* name, int at,
                      void (CPageAuthEncryDlg::*set)(const std::string&)) {
    label = NewLabel(leapBox_);
    edit = new QLineEdit(leapBox_);
    edit->setObjectName(QLatin1String(name));
    connect(edit, &QLineEdit::textEdited, this,
            [this, set](const QString& text) { Act([&] { (editor_.AuthEncry().*set)(text.toStdString()); }); });
    leapGrid->addWidget(label, at, 0);
    leapGrid->addWidget(edit, at, 1);
  };
  leapEdit(identityLabel_, identity_, "leapIdentity", 0, &CPageAuthEncryDlg::SetLeapIdentity);
  leapEdit(passwordLabel_, password_, "leapPassword", 1, &CPageAuthEncryDlg::SetLeapPassword);
  leapEdit(domainLabel_, domain_, "leapDomain", 2, &CPageAuthEncryDlg::SetLeapDomain);
  password_->setStyleSheet(QLatin1String(kMaskStyle));
  Anchor(EditorField::LeapIdentity, identity_);
  Anchor(EditorField::LeapPassword, password_);
  Anchor(EditorField::LeapDomain, domain_);
  auto* leapGroup = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(leapBox_);
    radio->setObjectName(QStringLiteral("leapEncryption%1").arg(i));
    leapGroup->addButton(radio, i);
    connect(radio, &QRadioButton::clicked, this, [this, i] { Act([&] { editor_.AuthEncry().OnLeapEncryption(i); }); });
    leapGrid->addWidget(radio, 3 + i, 0, 1, 2);
    leapEncryption_[static_cast<std::size_t>(i)] = radio;
  }
  leapGrid->setRowStretch(6, 1);
  columns->addWidget(leapBox_, 2, Qt::AlignTop);
  return tab;
}

void ProfileEditorView::Act(const std::function<void()>& handler) {
  if (rendering_) return;
  handler();
  Render();
}

void ProfileEditorView::RenderMenu(QMenu* menu, const MenuItemState* items, std::size_t count) {
  const QList<QAction*> actions = menu->actions();
  for (std::size_t i = 0; i < count && i < static_cast<std::size_t>(actions.size()); ++i) {
    QAction* action = actions[static_cast<qsizetype>(i)];
    action->setText(ToQt(items[i].text));
    action->setEnabled(items[i].enabled);
    action->setChecked(items[i].checked);
  }
}

void ProfileEditorView::Render() {
  rendering_ = true;
  const ProfileEditorState& state = editor_.State();
  for (int i = 0; i < 2; ++i) {
    SetButtonText(tabs_->Button(i), i == 0 ? state.systemTabCaption : state.securityTabCaption);
  }
  if (tabs_->Current() != static_cast<int>(state.tab)) tabs_->SetCurrent(static_cast<int>(state.tab));
  SetButtonText(ok_, state.okLabel);
  SetButtonText(cancel_, state.cancelLabel);
  RenderSystemTab();
  RenderSecurityTab();
  rendering_ = false;
}

void ProfileEditorView::RenderSystemTab() {
  const SystemConfigState& s = editor_.SystemConfig().State();
  const SystemConfigValues& v = s.values;
  SetLabelText(profileNameLabel_, s.profileNameLabel);
  SetEditText(profileName_, v.profileName);

  SetLabelText(ssidLabel_, s.ssidLabel);
  bool itemsChanged = ssid_->count() != static_cast<int>(s.ssidItems.size());
  for (int i = 0; !itemsChanged && i < ssid_->count(); ++i) {
    itemsChanged = ssid_->itemText(i) != ToQt(s.ssidItems[static_cast<std::size_t>(i)].ssid);
  }
  if (itemsChanged) {
    ssid_->clear();
    for (const SsidListItem& item : s.ssidItems) ssid_->addItem(ToQt(item.ssid), ToQt(item.bssid));
  }
  if (ssid_->currentIndex() != s.ssidSelected) ssid_->setCurrentIndex(s.ssidSelected);
  SetEditText(ssid_->lineEdit(), v.ssid);

  SetLabelText(networkType_.label, s.networkTypeLabel);
  SetButtonText(networkType_.button, s.networkTypeButtonText);
  RenderMenu(networkType_.menu, s.networkTypeMenu.data(), s.networkTypeMenu.size());
  SetLabelText(preamble_.label, s.preambleLabel);
  SetButtonText(preamble_.button, s.preambleButtonText);
  RenderMenu(preamble_.menu, s.preambleMenu.data(), s.preambleMenu.size());
  preamble_.label->setEnabled(s.preambleEnabled);
  preamble_.button->setEnabled(s.preambleEnabled);
  SetLabelText(txPower_.label, s.txPowerLabel);
  SetButtonText(txPower_.button, s.txPowerButtonText);
  RenderMenu(txPower_.menu, s.txPowerMenu.data(), s.txPowerMenu.size());

  SetLabelText(powerSaveLabel_, s.powerSaveLabel);
  SetButtonText(cam_, s.camLabel);
  SetButtonText(psm_, s.psmLabel);
  cam_->setChecked(v.powerSave == 0);
  psm_->setChecked(v.powerSave == 1);
  for (QWidget* w : std::initializer_list<QWidget*>{powerSaveLabel_, cam_, psm_}) w->setEnabled(s.powerSaveEnabled);

  SetButtonText(useRts_, s.useRtsLabel);
  useRts_->setChecked(v.useRts == 1);
  rtsSlider_->setValue(v.rtsThreshold);
  SetEditText(rtsEdit_, std::to_string(v.rtsThreshold));
  rtsSlider_->setEnabled(s.rtsEnabled);
  rtsEdit_->setEnabled(s.rtsEnabled);
  SetButtonText(useFrag_, s.useFragLabel);
  useFrag_->setChecked(v.useFrag == 1);
  fragSlider_->setValue(v.fragThreshold);
  SetEditText(fragEdit_, std::to_string(v.fragThreshold));
  fragSlider_->setEnabled(s.fragEnabled);
  fragEdit_->setEnabled(s.fragEnabled);

  SetLabelText(channelLabel_, s.channelLabel);
  bool channelsChanged = channel_->count() != static_cast<int>(s.channelItems.size());
  for (int i = 0; !channelsChanged && i < channel_->count(); ++i) {
    channelsChanged = channel_->itemText(i) != ToQt(s.channelItems[static_cast<std::size_t>(i)]);
  }
  if (channelsChanged) {
    channel_->clear();
    for (const std::string& item : s.channelItems) channel_->addItem(ToQt(item));
  }
  if (channel_->currentIndex() != s.channelSelected) channel_->setCurrentIndex(s.channelSelected);
  channelLabel_->setVisible(s.channelVisible);
  channel_->setVisible(s.channelVisible);
}

void ProfileEditorView::RenderSecurityTab() {
  const CPageAuthEncryDlg& page = editor_.AuthEncry();
  const AuthEncryState& s = page.State();
  const AuthEncryValues& v = s.values;
  SetLabelText(auth_.label, s.authLabel);
  SetButtonText(auth_.button, s.authButtonText);
  RenderMenu(auth_.menu, s.authMenu.data(), s.authMenu.size());
  SetLabelText(enc_.label, s.encLabel);
  SetButtonText(enc_.button, s.encButtonText);
  RenderMenu(enc_.menu, s.encMenu.data(), s.encMenu.size());

  SetButtonText(box8021X_, s.box8021XLabel);
  box8021X_->setVisible(s.box8021XVisible);
  box8021X_->setEnabled(s.box8021XEnabled);
  box8021X_->setChecked(v.use8021X != 0);

  SetLabelText(pskLabel_, s.pskLabel);
  SetEditText(psk_, v.preSharedKey);
  pskLabel_->setEnabled(s.pskEnabled);
  psk_->setEnabled(s.pskEnabled);

  keysBox_->setEnabled(s.keysEnabled);
  for (std::size_t k = 0; k < 4; ++k) {
    KeyRow& key = keys_[k];
    SetButtonText(key.use, s.keyLabels[k]);
    key.use->setChecked(v.defaultKey == static_cast<int>(k));
    SetButtonText(key.type, s.keyTypeButtonText[k]);
    RenderMenu(key.typeMenu, s.keyTypeMenu.data(), s.keyTypeMenu.size());
    const QList<QAction*> types = key.typeMenu->actions();
    for (int t = 0; t < types.size(); ++t) types[t]->setChecked(v.keyType[k] == t);
    key.edit->setMaxLength(static_cast<int>(s.keyMaxLength[k]));
    SetEditText(key.edit, v.key[k]);
    key.type->setEnabled(s.keyEditEnabled[k]);
    key.edit->setEnabled(s.keyEditEnabled[k]);
  }

  leapBox_->setVisible(s.leapVisible);
  SetLabelText(identityLabel_, s.identityLabel);
  SetLabelText(passwordLabel_, s.passwordLabel);
  SetLabelText(domainLabel_, s.domainLabel);
  SetEditText(identity_, v.leapIdentity);
  SetEditText(password_, v.leapPassword);
  SetEditText(domain_, v.leapDomain);
  for (std::size_t i = 0; i < leapEncryption_.size(); ++i) {
    SetButtonText(leapEncryption_[i], s.leapEncryptionLabels[i]);
    leapEncryption_[i]->setChecked(v.leapEncryption == static_cast<int>(i));
  }

  SetButtonText(showPassword_, s.showPasswordLabel);
  showPassword_->setChecked(v.showPassword);
  for (QLineEdit* edit : {psk_, keys_[0].edit, keys_[1].edit, keys_[2].edit, keys_[3].edit, password_}) {
    SetMasked(edit, s.masked);
  }
}

void ProfileEditorView::hideEvent(QHideEvent* event) {
  // A hint outlives neither the panel nor the main window.
  panel_.Hide();
  QWidget::hideEvent(event);
}

// ---------------------------------------------------------------- hint window

bool ProfileEditorView::FocusInProgram() { return hint_->FocusInProgram(); }

shell::HintTextMetrics ProfileEditorView::MeasureText(int anchorControl, const std::string& text) {
  const QWidget* anchor = FieldWidget(static_cast<EditorField>(anchorControl - shell::kCtlEditorFieldBase));
  const QFontMetrics metrics(anchor != nullptr ? anchor->font() : font());
  shell::HintTextMetrics m;
  m.width = metrics.horizontalAdvance(ToQt(text));
  m.height = metrics.height();
  m.descent = metrics.descent();
  return m;
}

shell::HintRect ProfileEditorView::AnchorRect(int anchorControl) {
  QWidget* anchor = FieldWidget(static_cast<EditorField>(anchorControl - shell::kCtlEditorFieldBase));
  if (anchor == nullptr) return {};
  // The editor has turned to the tab that holds the edit: show it first, so that the edit has its
  // place on the screen.
  const int tab = static_cast<int>(editor_.State().tab);
  if (tabs_->Current() != tab) {
    const bool wasRendering = rendering_;
    rendering_ = true;
    tabs_->SetCurrent(tab);
    rendering_ = wasRendering;
  }
  if (QWidget* page = tabs_->Page(tab); page != nullptr && page->layout() != nullptr) page->layout()->activate();
  const QPoint topLeft = anchor->mapToGlobal(QPoint(0, 0));
  return {topLeft.x(), topLeft.y(), topLeft.x() + anchor->width(), topLeft.y() + anchor->height()};
}

void ProfileEditorView::Show(const shell::HintRect& windowRect, const std::string& text) {
  hint_->Show(windowRect, text);
}

void ProfileEditorView::Hide() { hint_->Hide(); }

}  // namespace nxui
