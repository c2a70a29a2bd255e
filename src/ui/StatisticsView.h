// The statistics page: "Transmit" / "Receive" switch buttons over the two counter tables (label,
// "=", right-aligned value), and "Reset Counter".
#pragma once

#include <QWidget>

#include <vector>

#include "monitor/StatisticsRow.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace nxui {

class CPageStatisticsDlg;
class CTabDialog;

class StatisticsView final : public QWidget {
  Q_OBJECT

 public:
  explicit StatisticsView(CPageStatisticsDlg& page, QWidget* parent = nullptr);

  void Render();

  CTabDialog* Tabs() const { return tabs_; }
  QPushButton* ResetButton() const { return reset_; }
  // Value label of a row of sub-page 0 (transmit) or 1 (receive).
  QLabel* ValueLabel(int subPage, std::size_t row) const;

 private:
  struct RowWidgets {
    QLabel* label;
    QLabel* separator;
    QLabel* value;
  };
  QWidget* BuildTable(std::size_t rows, std::vector<RowWidgets>& out, const char* prefix);
  static void RenderRows(const StatisticsRow* rows, std::size_t count, std::vector<RowWidgets>& widgets);

  CPageStatisticsDlg& page_;
  CTabDialog* tabs_;
  QPushButton* reset_;
  std::vector<RowWidgets> txRows_;
  std::vector<RowWidgets> rxRows_;
};

}  // namespace nxui
