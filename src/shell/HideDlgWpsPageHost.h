// The WPS page's host over the hidden window: its scan buffer, action queue and message box, and
// the main window's panels, where "Information" opens the AP details and "Detail" the credential
// detail view. Both panels live in the lower frame, which is enlarged to show them.
#pragma once

#include "wps/IWpsPageHost.h"

namespace nxui {
class CAPDetailInfoDlg;
}

namespace nxui::shell {

class CHideDlg;

class HideDlgWpsPageHost final : public IWpsPageHost {
 public:
  // Without an AP details panel "Information" shows nothing.
  HideDlgWpsPageHost(CHideDlg& hidden, CAPDetailInfoDlg* details) : hidden_(hidden), details_(details) {}

  std::span<std::uint8_t> ScanBuffer() override;
  void QueueScan() override;
  void ShowMessage(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void ShowApDetails(std::span<const std::uint8_t> entry) override;
  void ShowPanel(int n) override;
  int VisiblePanel() const override;
  void SetPageWindow(HWND window) override;

 private:
  CHideDlg& hidden_;
  CAPDetailInfoDlg* details_;
};

}  // namespace nxui::shell
