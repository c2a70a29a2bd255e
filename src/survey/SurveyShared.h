// Values of the site survey that live as long as the process and are read by more than one page:
// the "Show dBm" option (the link status page formats its signal captions by it), the last-seen
// time of each entry of the pages' scan list, and whether the survey's connected row is an
// 802.11n network. The owner of the hidden window holds one; tests make their own.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "scan/BssidEx.h"

namespace nxui {

class SurveyShared {
 public:
  bool ShowDbm() const { return showDbm_; }
  void SetShowDbm(bool on) { showDbm_ = on; }

  // One 64-bit file time per entry of the pages' scan list, reordered with it by the sort.
  std::span<std::uint64_t> LastSeen() { return lastSeen_; }
  std::span<const std::uint64_t> LastSeen() const { return lastSeen_; }

  // The first survey row marked as connected is also marked as 802.11n (false without such a row
  // or without a survey page).
  bool ConnectedRowIs11n() const { return connectedRowIs11n_; }
  void SetConnectedRowIs11n(bool value) { connectedRowIs11n_ = value; }

 private:
  bool showDbm_ = false;
  bool connectedRowIs11n_ = false;
  std::array<std::uint64_t, bssid_ex::kMaxLastSeen> lastSeen_{};
};

}  // namespace nxui
