// The credential detail view (panel 6): SSID, BSSID, authentication, encryption, key length, key
// index and key, each as read-only text or, for the registrar's own credential, as an edit or a
// drop-down list; "Show Password", "ASCII Format", OK and Cancel.
#pragma once

#include <QWidget>

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace nxui {

class CPageWPSProfile;
struct WpsDropList;

class WpsProfileView final : public QWidget {
  Q_OBJECT

 public:
  // The four fields that are text or a list.
  enum Choice { kAuth = 0, kEnc, kKeyLength, kKeyIndex, kChoiceCount };

  explicit WpsProfileView(CPageWPSProfile& panel, QWidget* parent = nullptr);

  void Render();

  QLineEdit* SsidField() const { return ssid_; }
  QLineEdit* KeyField() const { return key_; }
  QComboBox* ChoiceList(Choice c) const { return lists_[c]; }
  QCheckBox* ShowPassword() const { return showPassword_; }
  QPushButton* Ok() const { return ok_; }
  QPushButton* Cancel() const { return cancel_; }

 private:
  void RenderList(QComboBox* list, const WpsDropList& state, bool visible);

  CPageWPSProfile& panel_;
  std::array<QLabel*, 7> labels_{};
  QLineEdit* ssid_;
  QLabel* bssid_;
  std::array<QLabel*, kChoiceCount> texts_{};
  std::array<QComboBox*, kChoiceCount> lists_{};
  QLineEdit* key_;
  QCheckBox* showPassword_;
  QCheckBox* ascii_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::string shownTip_;
  bool rendering_ = false;
};

}  // namespace nxui
