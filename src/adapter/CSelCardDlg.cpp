#include "adapter/CSelCardDlg.h"

namespace nxui {

CSelCardDlg::CSelCardDlg(const std::vector<DeviceInfo>& devices, std::vector<int> candidates)
    : devices_(devices), candidates_(std::move(candidates)) {
  for (int index : candidates_) {
    const DeviceInfo& device = devices_.at(static_cast<std::size_t>(index));
    names_.push_back(device.friendlyName.empty() ? device.deviceDescription : device.friendlyName);
  }
  Refresh();
}

void CSelCardDlg::SelectCandidate(int listIndex) {
  if (listIndex < 0 || static_cast<std::size_t>(listIndex) >= candidates_.size()) return;
  selection_ = listIndex;
  Refresh();
}

void CSelCardDlg::Refresh() {
  if (candidates_.empty()) return;
  const DeviceInfo& device = devices_.at(static_cast<std::size_t>(candidates_[static_cast<std::size_t>(selection_)]));
  description_ = device.deviceDescription;
  hardwareId_ = device.hardwareId;
  location_ = device.location;
  manufacturer_ = device.manufacturer;
}

int CSelCardDlg::OnOk() const { return candidates_.empty() ? -1 : candidates_[static_cast<std::size_t>(selection_)]; }

}  // namespace nxui
