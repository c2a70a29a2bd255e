// Panel 5: the adapter and profile, the time-stamped authentication log in two columns, OK and
// Cancel.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace nxui {

class CAuthenStatusDlg;

class AuthenStatusView final : public QWidget {
  Q_OBJECT

 public:
  explicit AuthenStatusView(CAuthenStatusDlg& panel, QWidget* parent = nullptr);

  void Render();

  QTreeWidget* List() const { return list_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  CAuthenStatusDlg& panel_;
  QLabel* caption_;
  QLabel* card_;
  QLabel* profile_;
  QTreeWidget* list_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace nxui
