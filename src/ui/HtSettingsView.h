// The 802.11n page: "MPDU Aggregation" with its density list and the Block Ack setup radios,
// "A-MSDU" with its size, the spatial-multiplexing power-save group and "Apply" on the left; the
// "Originator of" and "Recipient of" lists with their "+" and "-" on the right. It renders the
// page's state and forwards every click to the page.
#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace nxui {

class CPage80211nSettingDlg;
struct BlockAckListState;

class HtSettingsView final : public QWidget {
  Q_OBJECT

 public:
  explicit HtSettingsView(CPage80211nSettingDlg& page, QWidget* parent = nullptr);

  void Render();

  QTreeWidget* OriginatorList() const { return lists_[0]; }
  QTreeWidget* RecipientList() const { return lists_[1]; }

 protected:
  // The column widths follow each list's own visible area, which is resized after this view.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTreeWidget* BuildList(const char* name);
  void RenderList(QLabel* caption, QTreeWidget* list, const BlockAckListState& state);
  void SizeColumns(QTreeWidget* list, const BlockAckListState& state);
  // The view followed a click: draw what the page made of it.
  void Clicked();

  CPage80211nSettingDlg& page_;
  QCheckBox* aggregation_;
  QLabel* densityLabel_;
  QComboBox* density_;
  QRadioButton* manual_;
  QRadioButton* automatic_;
  QCheckBox* amsdu_;
  QRadioButton* size3839_;
  QRadioButton* size7935_;
  QGroupBox* smpsGroup_;
  std::array<QRadioButton*, 3> smps_{};
  QPushButton* apply_;
  std::array<QLabel*, 2> captions_{};
  std::array<QTreeWidget*, 2> lists_{};
  QPushButton* addOriginator_;
  QPushButton* deleteOriginator_;
  QPushButton* deleteRecipient_;
};

}  // namespace nxui
