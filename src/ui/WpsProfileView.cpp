#include "ui/WpsProfileView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "ui/ViewHelpers.h"
#include "wps/CPageWPSProfile.h"

namespace nxui {

WpsProfileView::WpsProfileView(CPageWPSProfile& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
  setObjectName(QStringLiteral("wpsProfile"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(12, 8, 12, 8);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(4);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i] = new QLabel(this);
    grid->addWidget(labels_[i], static_cast<int>(i), 0);
  }
  ssid_ = new QLineEdit(this);
  ssid_->setObjectName(QStringLiteral("ssid"));
  grid->addWidget(ssid_, 0, 1);
  bssid_ = new QLabel(this);
  bssid_->setObjectName(QStringLiteral("bssid"));
  grid->addWidget(bssid_, 1, 1);
  const char* names[kChoiceCount] = {"authentication", "encryption", "keyLength", "keyIndex"};
  for (int c = 0; c < kChoiceCount; ++c) {
    auto* cell = new QHBoxLayout;
    texts_[c] = new QLabel(this);
    texts_[c]->setObjectName(QLatin1String(names[c]));
    lists_[c] = new QComboBox(this);
    lists_[c]->setObjectName(QLatin1String(names[c]) + QStringLiteral("List"));
    cell->addWidget(texts_[c]);
    cell->addWidget(lists_[c]);
    cell->addStretch(1);
    grid->addLayout(cell, 2 + c, 1);
  }
  auto* keyRow = new QHBoxLayout;
  key_ = new QLineEdit(this);
  key_->setObjectName(QStringLiteral("key"));
  // Masked with "*", whatever the style's own password character.
  key_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
  keyRow->addWidget(key_, 1);
  showPassword_ = new QCheckBox(this);
  showPassword_->setObjectName(QStringLiteral("showPassword"));
  keyRow->addWidget(showPassword_);
  ascii_ = new QCheckBox(this);
  ascii_->setObjectName(QStringLiteral("asciiFormat"));
  keyRow->addWidget(ascii_);
  grid->addLayout(keyRow, 6, 1);
  grid->setColumnStretch(1, 1);
  root->addLayout(grid);
  root->addStretch(1);
  const FootButtons foot = AddFootButtons(this, root, true);
  ok_ = foot.ok;
  cancel_ = foot.cancel;

  connect(ssid_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (rendering_) return;
    panel_.OnSsidEdited(text.toStdString());
    Render();
  });
  connect(key_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (rendering_) return;
    panel_.OnKeyEdited(text.toStdString());
    Render();
  });
  void (CPageWPSProfile::*choices[kChoiceCount])(int) = {
      &CPageWPSProfile::OnAuthChanged, &CPageWPSProfile::OnEncChanged, &CPageWPSProfile::OnKeyLengthChanged,
      &CPageWPSProfile::OnKeyIndexChanged};
  for (int c = 0; c < kChoiceCount; ++c) {
    connect(lists_[c], &QComboBox::currentIndexChanged, this, [this, handler = choices[c]](int index) {
      if (rendering_) return;
      (panel_.*handler)(index);
      Render();
    });
  }
  connect(showPassword_, &QCheckBox::toggled, this, [this](bool on) {
    if (rendering_) return;
    panel_.OnShowPasswordChanged(on);
    Render();
  });
  connect(ascii_, &QCheckBox::toggled, this, [this](bool on) {
    if (rendering_) return;
    panel_.OnAsciiFormatChanged(on);
    Render();
  });
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

void WpsProfileView::RenderList(QComboBox* list, const WpsDropList& state, bool visible) {
  bool same = list->count() == static_cast<int>(state.items.size());
  for (int i = 0; same && i < list->count(); ++i)
    same = list->itemText(i) == ToQt(state.items[static_cast<std::size_t>(i)]);
  if (!same) {
    list->clear();
    for (const std::string& item : state.items) list->addItem(ToQt(item));
  }
  list->setCurrentIndex(state.selected);
  list->setEnabled(state.enabled);
  list->setVisible(visible);
}

void WpsProfileView::Render() {
  rendering_ = true;
  const WpsProfileState& s = panel_.State();
  const WpsProfileLabels& l = s.labels;
  const std::string* labels[] = {&l.ssid,      &l.bssid,    &l.authentication, &l.encryption,
                                 &l.keyLength, &l.keyIndex, &l.keyMaterial};
  for (std::size_t i = 0; i < labels_.size(); ++i) labels_[i]->setText(LabelText(*labels[i]));

  if (ssid_->text() != ToQt(s.ssid)) ssid_->setText(ToQt(s.ssid));
  ssid_->setReadOnly(!s.editable);
  ssid_->setMaxLength(s.ssidMaxLength);
  SetLabelText(bssid_, s.bssid);

  const std::string* texts[kChoiceCount] = {&s.authText, &s.encText, &s.keyLengthText, &s.keyIndexText};
  const WpsDropList* lists[kChoiceCount] = {&s.authList, &s.encList, &s.keyLengthList, &s.keyIndexList};
  for (int c = 0; c < kChoiceCount; ++c) {
    SetLabelText(texts_[c], *texts[c]);
    texts_[c]->setVisible(!s.editable);
    RenderList(lists_[c], *lists[c], s.editable);
  }

  key_->setEchoMode(s.showPassword ? QLineEdit::Normal : QLineEdit::Password);
  if (key_->text() != ToQt(s.key)) key_->setText(ToQt(s.key));
  key_->setMaxLength(s.keyLimit);
  key_->setReadOnly(s.keyReadOnly);
  showPassword_->setText(ToQt(l.showPassword));
  showPassword_->setChecked(s.showPassword);
  ascii_->setText(ToQt(l.asciiFormat));
  ascii_->setChecked(s.asciiChecked);
  ascii_->setVisible(s.asciiVisible);
  ok_->setText(ToQt(l.ok));
  cancel_->setText(ToQt(l.cancel));

  if (s.keyTip != shownTip_) {
    shownTip_ = s.keyTip;
    if (s.keyTip.empty()) {
      QToolTip::hideText();
    } else {
      key_->setFocus();
      if (key_->isVisible()) QToolTip::showText(key_->mapToGlobal(QPoint(0, key_->height())), ToQt(s.keyTip), key_);
    }
  }
  rendering_ = false;
}

}  // namespace nxui
