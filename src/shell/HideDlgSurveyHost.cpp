#include "shell/HideDlgSurveyHost.h"

#include "platform/ISystemInfo.h"
#include "platform/Platform.h"
#include "shell/CHideDlg.h"
#include "survey/CAPDetailInfoDlg.h"

namespace nxui {

std::span<std::uint8_t> HideDlgSurveyHost::SessionScanBuffer() { return hidden_.ScanBuffer(0); }
std::span<std::uint8_t> HideDlgSurveyHost::PagesScanBuffer() { return hidden_.ScanBuffer(1); }
bool HideDlgSurveyHost::ScanInProgress() const { return hidden_.ScanPending(); }
bool HideDlgSurveyHost::RadioOn() const { return hidden_.State().radioOn; }

void HideDlgSurveyHost::RadioChanged(bool on) {
  hidden_.MutableState().radioOn = on;
  if (auto* window = hidden_.MainWindow()) window->RefreshRadioButton();
}

std::array<std::uint8_t, 6> HideDlgSurveyHost::CurrentBssid() const {
  std::array<std::uint8_t, 6> bssid{};
  const auto& current = hidden_.CurrentBssid();
  std::copy(current.begin(), current.end(), bssid.begin());
  return bssid;
}

void HideDlgSurveyHost::QueueScan() {
  if (hidden_.Queue().QueueAction(ActionType::Scan)) hidden_.Queue().RunQueue();
}

void HideDlgSurveyHost::ShowMessage(const std::string& text) { hidden_.Messages().ShowMessage(text); }

void HideDlgSurveyHost::ShowApDetails(std::span<const std::uint8_t> entry) {
  if (details_ == nullptr) return;
  details_->ShowEntry(entry);
  if (auto* window = hidden_.MainWindow()) window->ShowPanel(CAPDetailInfoDlg::kPanel);
}

void HideDlgSurveyHost::SetPageWindow(HWND window) {
  if (auto* main = hidden_.MainWindow()) main->SetPageWindow(shell::PageId::Network, window);
}

std::uint64_t HideDlgSurveyHost::SystemTimeAsFileTime() { return platform_.systemInfo.GetSystemTimeAsFileTime(); }

}  // namespace nxui
