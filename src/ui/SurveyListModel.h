// The site survey list as a virtual table model: the page keeps the rows, the model answers for
// the cells (texts, the 16-pixel icons, and the signal bar's percentage and colour for the
// delegate that draws it).
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "survey/CPageSiteSurveyDlg.h"

namespace nxui {

class SurveyListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 11;
  static constexpr int kSignalBarColumn = 10;
  // Data roles of the signal bar column.
  static constexpr int kPercentRole = Qt::UserRole + 1;
  static constexpr int kBarColourRole = Qt::UserRole + 2;

  explicit SurveyListModel(QObject* parent = nullptr);

  // Columns whose cells are icons.
  static bool IsIconColumn(int column);

  // Takes the page's state; resets only when the rows or headers changed. True when it did.
  bool Update(const SiteSurveyState& state);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<SurveyRowCells> rows_;
  std::vector<SurveyColumn> columns_;
};

}  // namespace nxui
