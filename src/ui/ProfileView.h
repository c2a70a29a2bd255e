// The profile page: "Profile List" over the list of profiles (state icon, name, network name, lock
// and network-type icons), the detail panel of the selected profile and Add, Edit, Delete, Apply.
// The page decides; this view renders its state and forwards the user's actions.
#pragma once

#include <QWidget>

#include <array>
#include <vector>

#include "profiles/ProfilePageState.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace nxui {

class CPageProfileDlg;

class ProfileView final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDetailCount = 11;

  explicit ProfileView(CPageProfileDlg& page, QWidget* parent = nullptr);

  void Render();

  QTableWidget* List() const { return list_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* EditButton() const { return edit_; }
  QPushButton* DeleteButton() const { return delete_; }
  QPushButton* ApplyButton() const { return apply_; }
  // The value shown beside detail label n (0 "Profile Name" .. 10 "Fragment Threshold").
  QLabel* DetailValue(int n) const { return details_[static_cast<std::size_t>(n)].value; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Detail {
    QLabel* label = nullptr;
    QLabel* value = nullptr;
  };
  void FillRows(const ProfilePageState& state);
  void ApplyColumnWidths();
  // Runs a button's handler and shows what it changed.
  void Press(void (CPageProfileDlg::*handler)());

  CPageProfileDlg& page_;
  QLabel* title_;
  QTableWidget* list_;
  std::array<Detail, kDetailCount> details_{};
  QPushButton* add_;
  QPushButton* edit_;
  QPushButton* delete_;
  QPushButton* apply_;
  std::vector<ProfileRow> shownRows_;
  std::vector<ProfileColumn> shownColumns_;
  bool rendering_ = false;
};

}  // namespace nxui
