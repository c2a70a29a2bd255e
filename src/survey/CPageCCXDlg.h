// The "CCX" tab of the AP details: CCKM, CMIC and CKIP from the entry's vendor elements.
#pragma once

#include <string>

namespace nxui {

struct CcxFlags;

struct CcxTabState {
  std::string cckmLabel, cmicLabel, ckipLabel;
  std::string cckm;
  std::string cmic;
  std::string ckip;

  bool operator==(const CcxTabState&) const = default;
};

class CPageCCXDlg {
 public:
  CPageCCXDlg();

  void Fill(const CcxFlags& flags);
  const CcxTabState& State() const { return state_; }

 private:
  CcxTabState state_;
};

}  // namespace nxui
