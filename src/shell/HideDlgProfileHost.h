// The profile page's host over the hidden window: adapter-ready and radio state, the message box,
// and the main window's page window for the 0x407 relay.
#pragma once

#include "profiles/IProfilePageHost.h"

namespace nxui {
class IRegistry;
class StringTable;
}  // namespace nxui

namespace nxui::shell {

class CHideDlg;

class HideDlgProfileHost final : public IProfilePageHost {
 public:
  HideDlgProfileHost(CHideDlg& hidden, IRegistry& registry, const StringTable& strings)
      : hidden_(hidden), registry_(registry), strings_(strings) {}

  bool AdapterReady() const override;
  bool RadioOn() const override;
  void ShowMessage(const std::string& text) override;
  void SetPageWindow(HWND window) override;
  // A LEAP or 802.1X profile is also kept below the adapter key, where the SSO page lists it.
  void ProfileApplied(const ProfileRecord& record) override;

 private:
  CHideDlg& hidden_;
  IRegistry& registry_;
  const StringTable& strings_;
};

}  // namespace nxui::shell
