// The AP details panel: four tabs ("概要", "WPS", "CCX", "802.11n") of label/value pairs, the signal
// bar, the supported rates and the 802.11n property list, and "OK" back to the link status.
#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace nxui {

class CAPDetailInfoDlg;
class CGradientProgressBar;
class CTabDialog;

class ApDetailsView final : public QWidget {
  Q_OBJECT

 public:
  explicit ApDetailsView(CAPDetailInfoDlg& panel, QWidget* parent = nullptr);

  void Render();

  CTabDialog* Tabs() const { return tabs_; }
  QPushButton* OkButton() const { return ok_; }
  QLabel* Value(const char* objectName) const;

 private:
  struct Pair {
    QLabel* label;
    QLabel* value;
  };
  QWidget* BuildPairs(std::vector<Pair>& pairs, const std::vector<const char*>& names, QWidget* extra = nullptr);

  CAPDetailInfoDlg& panel_;
  CTabDialog* tabs_;
  std::vector<Pair> general_, wps_, ccx_;
  CGradientProgressBar* signal_;
  QGroupBox* rates_;
  QLabel* ratesText_;
  QTreeWidget* htList_;
  QPushButton* ok_;
  std::vector<std::uint8_t> shownEntry_;
  bool filled_ = false;
};

}  // namespace nxui
