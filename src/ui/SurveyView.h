// The site survey page: "AP List >>" over the virtual list of networks, the sort radios, "Show dBm"
// and the buttons. The page decides; this view renders its state and forwards the user's actions.
#pragma once

#include <QWidget>

#include <array>

#include "survey/ScanListSort.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace nxui {

class CPageSiteSurveyDlg;
class SurveyListModel;

class SurveyView final : public QWidget {
  Q_OBJECT

 public:
  explicit SurveyView(CPageSiteSurveyDlg& page, QWidget* parent = nullptr);

  void Render();

  QTableView* List() const { return list_; }
  SurveyListModel* Model() const { return model_; }
  QRadioButton* SortButton(SortMode mode) const { return sort_[static_cast<std::size_t>(mode)]; }
  QCheckBox* ShowDbm() const { return showDbm_; }
  QPushButton* Rescan() const { return rescan_; }
  QPushButton* AddToProfile() const { return addToProfile_; }
  QPushButton* Connect() const { return connect_; }

  // The smallest widths the columns get whatever the page's fractions say.
  static constexpr int kIconColumnMin = 24;
  static constexpr int kSsidColumnMin = 120;
  static constexpr int kTextColumnMin = 52;
  static constexpr int kSignalBarMin = 60;
  // Room for the widest signal text ("-100 dBm") in the list's font.
  int SignalTextColumnMin() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The page's fractions of the list's visible width; the signal bar takes what is left.
  void ApplyColumnWidths();
  void SelectRow(int row);

  CPageSiteSurveyDlg& page_;
  QLabel* apList_;
  QTableView* list_;
  SurveyListModel* model_;
  QGroupBox* sortGroup_;
  std::array<QRadioButton*, 3> sort_{};
  QCheckBox* showDbm_;
  QPushButton* rescan_;
  QPushButton* addToProfile_;
  QPushButton* connect_;
  bool rendering_ = false;
};

}  // namespace nxui
