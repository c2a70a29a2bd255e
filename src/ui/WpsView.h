// The WPS page: the access point list with Rescan and Information, the PIN field with Renew,
// "Config Mode", PIN and PBC with the two check boxes, the credential list with its buttons, the
// progress bar and the status line. The page decides; this view renders its state and forwards
// the user's actions.
#pragma once

#include <QWidget>

#include <vector>

#include "wps/WpsPageState.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace nxui {

class CGradientProgressBar;
class CPageWPSDlg;

class WpsView final : public QWidget {
  Q_OBJECT

 public:
  explicit WpsView(CPageWPSDlg& page, QWidget* parent = nullptr);

  void Render();

  QTableWidget* ApList() const { return apList_; }
  QTableWidget* CredentialList() const { return credentials_; }
  QLineEdit* PinField() const { return pinField_; }
  QComboBox* ConfigMode() const { return configMode_; }
  CGradientProgressBar* ProgressBar() const { return progress_; }
  QLabel* StatusLine() const { return status_; }
  // Buttons and check boxes by object name ("rescan", "pin", "assocIe", ...).
  QPushButton* Button(const char* name) const;
  QCheckBox* CheckBox(const char* name) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* AddButton(const char* name, void (CPageWPSDlg::*action)());
  void RenderApRows(const WpsPageState& s);
  void RenderCredentialRows(const WpsPageState& s);
  static void SelectRow(QTableWidget* list, int row);
  static void ApplyWidths(QTableWidget* list, const std::vector<WpsColumn>& columns);

  CPageWPSDlg& page_;
  QLabel* apLabel_;
  QTableWidget* apList_;
  QLabel* pinLabel_;
  QLineEdit* pinField_;
  QLabel* modeLabel_;
  QComboBox* configMode_;
  QLabel* credentialLabel_;
  QTableWidget* credentials_;
  std::vector<QPushButton*> buttons_;
  QCheckBox* assocIe_;
  QCheckBox* probeIe_;
  QCheckBox* autoSelect_;
  CGradientProgressBar* progress_;
  QLabel* status_;
  // What the lists show, so that they are rebuilt only when it changed.
  std::vector<WpsApRow> shownAps_;
  std::vector<WpsCredentialRow> shownCredentials_;
  bool listsFilled_ = false;
  std::string shownTip_;
  bool rendering_ = false;
};

}  // namespace nxui
