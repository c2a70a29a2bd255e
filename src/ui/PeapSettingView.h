// The credential panel: a caption, its description, identity and (masked) password, and OK.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nxui {

class CPeapSettingDlg;

class PeapSettingView final : public QWidget {
  Q_OBJECT

 public:
  explicit PeapSettingView(CPeapSettingDlg& panel, QWidget* parent = nullptr);

  void Render();

  QLineEdit* Identity() const { return identity_; }
  QLineEdit* Password() const { return password_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  CPeapSettingDlg& panel_;
  QLabel* caption_;
  QLabel* description_;
  QLabel* identityLabel_;
  QLineEdit* identity_;
  QLabel* passwordLabel_;
  QLineEdit* password_;
  QPushButton* ok_;
};

}  // namespace nxui
