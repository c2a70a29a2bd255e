// The AP details panel (panel 4 of the main window): four tabs filled from one scan entry each
// time it is shown; "OK" brings the link status panel back.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "survey/CPage80211nDlg.h"
#include "survey/CPageCCXDlg.h"
#include "survey/CPageGeneralDlg.h"
#include "survey/CPageWPSStatusDlg.h"

namespace nxui {

class StringTable;

struct ApDetailTab {
  std::string caption;
  bool visible = true;

  bool operator==(const ApDetailTab&) const = default;
};

struct ApDetailState {
  std::array<ApDetailTab, 4> tabs;
  std::string tabFont;
  int tabFontHeight = 0;
  int selectedTab = 0;
  std::string okLabel;

  bool operator==(const ApDetailState&) const = default;
};

class CAPDetailInfoDlg {
 public:
  static constexpr int kPanel = 4;
  static constexpr int kTabGeneral = 0;
  static constexpr int kTabWps = 1;
  static constexpr int kTabCcx = 2;
  static constexpr int kTab80211n = 3;

  // showPanel: the main window's ShowPanel.
  CAPDetailInfoDlg(const StringTable& strings, std::function<void(int)> showPanel);

  // Fills the four tabs from the entry (its bytes from the Length field) and selects the first.
  void ShowEntry(std::span<const std::uint8_t> entry);
  void OnTabSelected(int tab);
  void OnOk();

  const ApDetailState& State() const { return state_; }
  const CPageGeneralDlg& General() const { return general_; }
  const CPageWPSStatusDlg& Wps() const { return wps_; }
  const CPageCCXDlg& Ccx() const { return ccx_; }
  const CPage80211nDlg& Ht() const { return ht_; }
  const std::vector<std::uint8_t>& Entry() const { return entry_; }

 private:
  std::function<void(int)> showPanel_;
  ApDetailState state_;
  // A copy: the survey may rebuild its list while the panel is shown.
  std::vector<std::uint8_t> entry_;
  CPageGeneralDlg general_;
  CPageWPSStatusDlg wps_;
  CPageCCXDlg ccx_;
  CPage80211nDlg ht_;
};

}  // namespace nxui
