// The "802.11n" tab of the AP details: a two-column property list of the entry's HT fields, in
// groups. Without an HT Information element every item reads "n/a".
#pragma once

#include <string>
#include <vector>

namespace nxui {

struct HtDecode;

struct HtListRow {
  enum class Kind { GroupHeader, Item };
  Kind kind = Kind::Item;
  std::string property;
  std::string value;  // empty for a group header
  int image = 0;      // 0 group header, 1 item

  bool operator==(const HtListRow&) const = default;
};

struct HtTabState {
  std::string propertyHeader, valueHeader;
  double propertyWidth = 5.0 / 9.0;  // of the list's width
  double valueWidth = 3.0 / 9.0;
  std::vector<HtListRow> rows;
  bool htInformationPresent = false;

  bool operator==(const HtTabState&) const = default;
};

class CPage80211nDlg {
 public:
  static constexpr int kGroupImage = 0;
  static constexpr int kItemImage = 1;

  CPage80211nDlg();

  void Fill(const HtDecode& ht);
  const HtTabState& State() const { return state_; }

 private:
  HtTabState state_;
};

}  // namespace nxui
