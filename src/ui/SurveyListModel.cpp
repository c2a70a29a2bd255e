#include "ui/SurveyListModel.h"

#include <QColor>
#include <QIcon>
#include <QPixmap>

#include "widgets/SurveyIcons.h"

namespace nxui {
namespace {

bool SameCells(const SurveyRowCells& a, const SurveyRowCells& b) {
  return a.connectedIcon == b.connectedIcon && a.ssid == b.ssid && a.networkTypeIcon == b.networkTypeIcon &&
         a.channel == b.channel && a.aIcon == b.aIcon && a.bIcon == b.bIcon && a.gIcon == b.gIcon &&
         a.nIcon == b.nIcon && a.securityIcon == b.securityIcon && a.signalText == b.signalText &&
         a.barPercent == b.barPercent && a.barColour == b.barColour;
}

int IconOf(const SurveyRowCells& row, int column) {
  switch (column) {
    case 0:
      return row.connectedIcon;
    case 2:
      return row.networkTypeIcon;
    case 4:
      return row.aIcon;
    case 5:
      return row.bIcon;
    case 6:
      return row.gIcon;
    case 7:
      return row.nIcon;
    case 8:
      return row.securityIcon;
    default:
      return survey_icon::kNone;
  }
}

}  // namespace

SurveyListModel::SurveyListModel(QObject* parent) : QAbstractTableModel(parent) {}

bool SurveyListModel::IsIconColumn(int column) { return column == 0 || column == 2 || (column >= 4 && column <= 8); }

bool SurveyListModel::Update(const SiteSurveyState& state) {
  bool headersChanged = state.columns.size() != columns_.size();
  for (std::size_t i = 0; !headersChanged && i < columns_.size(); ++i) {
    headersChanged = columns_[i].header != state.columns[i].header;
  }
  if (headersChanged) {
    columns_ = state.columns;
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
  }
  if (state.rows.size() == rows_.size()) {
    // Same rows: only the cells that changed (connected marks, dBm texts) are redrawn.
    for (std::size_t r = 0; r < rows_.size(); ++r) {
      if (SameCells(rows_[r], state.rows[r])) continue;
      rows_[r] = state.rows[r];
      const int row = static_cast<int>(r);
      emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
    }
    return false;
  }
  beginResetModel();
  rows_ = state.rows;
  endResetModel();
  return true;
}

int SurveyListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SurveyListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant SurveyListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  const SurveyRowCells& row = rows_[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      if (column == 1) return QString::fromStdString(row.ssid);
      if (column == 3) return QString::fromStdString(row.channel);
      if (column == 9) return QString::fromStdString(row.signalText);
      return {};
    case Qt::DecorationRole: {
      const int icon = IconOf(row, column);
      return icon == survey_icon::kNone ? QVariant() : QVariant(SurveyIconSet(icon));
    }
    case Qt::TextAlignmentRole: {
      const bool left = column < static_cast<int>(columns_.size()) &&
                        columns_[static_cast<std::size_t>(column)].alignment == ColumnAlignment::Left;
      return QVariant::fromValue(Qt::Alignment(left ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter));
    }
    case kPercentRole:
      return column == kSignalBarColumn ? QVariant(row.barPercent) : QVariant();
    case kBarColourRole:
      return column == kSignalBarColumn ? QVariant(QColor(row.barColour.red, row.barColour.green, row.barColour.blue))
                                        : QVariant();
    default:
      return {};
  }
}

QVariant SurveyListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns_.size())) return {};
  const std::string& header = columns_[static_cast<std::size_t>(section)].header;
  // Icon columns are too narrow for their names: the name becomes the header's tooltip.
  const bool iconColumn = IsIconColumn(section);
  if (role == Qt::DisplayRole) return iconColumn ? QString() : QString::fromStdString(header);
  if (role == Qt::ToolTipRole || role == Qt::AccessibleTextRole) return QString::fromStdString(header);
  return {};
}

}  // namespace nxui
