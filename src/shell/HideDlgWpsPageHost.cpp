#include "shell/HideDlgWpsPageHost.h"

#include "shell/CHideDlg.h"
#include "survey/CAPDetailInfoDlg.h"

namespace nxui::shell {

namespace {
HWND Parent(CHideDlg& hidden) {
  CNxUI2007Dlg* window = hidden.MainWindow();
  return window != nullptr ? window->Window() : 0;
}
}  // namespace

std::span<std::uint8_t> HideDlgWpsPageHost::ScanBuffer() { return hidden_.ScanBuffer(0); }

void HideDlgWpsPageHost::QueueScan() {
  if (hidden_.Queue().QueueAction(ActionType::Scan)) hidden_.Queue().RunQueue();
}

void HideDlgWpsPageHost::ShowMessage(const std::string& text) { hidden_.Messages().ShowMessage(text, Parent(hidden_)); }

bool HideDlgWpsPageHost::Confirm(const std::string& text) { return hidden_.Messages().Ask(text, Parent(hidden_)); }

void HideDlgWpsPageHost::ShowApDetails(std::span<const std::uint8_t> entry) {
  if (details_ == nullptr) return;
  details_->ShowEntry(entry);
  ShowPanel(CAPDetailInfoDlg::kPanel);
}

void HideDlgWpsPageHost::ShowPanel(int n) {
  CNxUI2007Dlg* window = hidden_.MainWindow();
  if (window == nullptr) return;
  // The panels other than the link status are seen only in the enlarged layout.
  if (n != kPanelLinkStatus && !hidden_.State().expanded) {
    hidden_.MutableState().expanded = true;
    window->RefreshMoreLess();
  }
  window->ShowPanel(n);
}

int HideDlgWpsPageHost::VisiblePanel() const {
  CNxUI2007Dlg* window = hidden_.MainWindow();
  return window != nullptr ? window->State().visiblePanel : kPanelLinkStatus;
}

void HideDlgWpsPageHost::SetPageWindow(HWND window) {
  if (CNxUI2007Dlg* main = hidden_.MainWindow()) main->SetPageWindow(PageId::Wps, window);
}

}  // namespace nxui::shell
