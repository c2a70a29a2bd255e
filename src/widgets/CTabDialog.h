#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QStackedWidget;

namespace nxui {

// A row of switch buttons over a stack of sub-pages, one button per page (the statistics page uses
// "Transmit" and "Receive"). Exactly one page is shown; the first page added is shown first.
class CTabDialog : public QWidget {
  Q_OBJECT

 public:
  explicit CTabDialog(QWidget* parent = nullptr);

  // Takes ownership of `page`. Returns the page's index.
  int AddPage(const QString& caption, QWidget* page);
  QWidget* Page(int index) const;
  QAbstractButton* Button(int index) const;

  // Indices outside the pages are ignored.
  void SetCurrent(int index);
  int Current() const;

 signals:
  void CurrentChanged(int index);

 private:
  QHBoxLayout* buttonRow_;
  QButtonGroup* buttons_;
  QStackedWidget* stack_;
};

}  // namespace nxui
