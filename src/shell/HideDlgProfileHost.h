// The profile page's host over the hidden window: adapter-ready and radio state, the message box,
// and the main window's page window for the 0x407 relay.
#pragma once

#include "profiles/IProfilePageHost.h"

namespace nxui::shell {

class CHideDlg;

class HideDlgProfileHost final : public IProfilePageHost {
 public:
  explicit HideDlgProfileHost(CHideDlg& hidden) : hidden_(hidden) {}

  bool AdapterReady() const override;
  bool RadioOn() const override;
  void ShowMessage(const std::string& text) override;
  void SetPageWindow(HWND window) override;

 private:
  CHideDlg& hidden_;
};

}  // namespace nxui::shell
