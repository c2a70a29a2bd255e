// Panel 7: the card, profile and message of a refused authentication, and the identity,
// password and domain fields the protocol asks for, with OK and Cancel.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nxui {

class CInvalidIDPW;

class InvalidIdPwView final : public QWidget {
  Q_OBJECT

 public:
  explicit InvalidIdPwView(CInvalidIDPW& panel, QWidget* parent = nullptr);

  void Render();

 private:
  CInvalidIDPW& panel_;
  QLabel* labels_[6];  // card, profile, message, identity, password, domain
  QLabel* values_[3];  // card, profile, message
  QLineEdit* identity_;
  QLineEdit* password_;
  QLineEdit* domain_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace nxui
