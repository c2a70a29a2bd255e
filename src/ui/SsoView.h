// The single sign-on page: the feature's check box, the three credential sources, the list of LEAP
// and EAP-FAST profiles with the selected one's name, SSID and method, and Apply.
#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace nxui {

class CPageSSODlg;

class SsoView final : public QWidget {
  Q_OBJECT

 public:
  explicit SsoView(CPageSSODlg& page, QWidget* parent = nullptr);

  void Render();

  QCheckBox* EnableBox() const { return enable_; }
  QComboBox* ProfileList() const { return list_; }
  QPushButton* ApplyButton() const { return apply_; }

 private:
  CPageSSODlg& page_;
  QCheckBox* enable_;
  QRadioButton* radios_[3];
  QButtonGroup* radioGroup_;
  QGroupBox* profileGroup_;
  QLabel* selectLabel_;
  QComboBox* list_;
  QGroupBox* infoGroup_;
  QLabel* nameLabel_;
  QLabel* name_;
  QLabel* ssidLabel_;
  QLabel* ssid_;
  QLabel* authLabel_;
  QLabel* auth_;
  QPushButton* apply_;
};

}  // namespace nxui
