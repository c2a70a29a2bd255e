// The survey page's host over the hidden window: its scan buffers, scan-pending flag, radio state,
// current BSSID, action queue and message box, and the main window's radio control and panels.
// Without an AP details panel a double click shows nothing.
#pragma once

#include "survey/ISurveyHost.h"

namespace nxui {

struct Platform;
class CAPDetailInfoDlg;
namespace shell {
class CHideDlg;
}

class HideDlgSurveyHost final : public ISurveyHost {
 public:
  HideDlgSurveyHost(shell::CHideDlg& hidden, Platform& platform, CAPDetailInfoDlg* details)
      : hidden_(hidden), platform_(platform), details_(details) {}

  std::span<std::uint8_t> SessionScanBuffer() override;
  std::span<std::uint8_t> PagesScanBuffer() override;
  bool ScanInProgress() const override;
  bool RadioOn() const override;
  void RadioChanged(bool on) override;
  std::array<std::uint8_t, 6> CurrentBssid() const override;
  void QueueScan() override;
  void ShowMessage(const std::string& text) override;
  void ShowApDetails(std::span<const std::uint8_t> entry) override;
  void SetPageWindow(HWND window) override;
  std::uint64_t SystemTimeAsFileTime() override;

 private:
  shell::CHideDlg& hidden_;
  Platform& platform_;
  CAPDetailInfoDlg* details_;
};

}  // namespace nxui
