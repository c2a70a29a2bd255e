// The notification-area icon of the hidden window: six states, each an icon number and a tooltip
// from the string table ("%s" standing for the SSID of the current connection).
#pragma once

#include <span>
#include <string>

#include "platform/IShell.h"
#include "shell/ShellStrings.h"

namespace nxui::shell {

enum class TrayState { Good, Disconnected, Normal, Weak, Missing, WepError };

struct TrayAppearance {
  int icon;
  std::uint32_t stringId;
};

TrayAppearance AppearanceOf(TrayState state);

// NOTIFYICONDATA's tooltip holds 128 characters with its terminator.
inline constexpr std::size_t kTrayTipMax = 127;

class TrayIcon {
 public:
  TrayIcon(IShell& shell, StringLookup strings) : shell_(shell), strings_(std::move(strings)) {}

  // AddTrayIcon: the disconnected state with an adapter open, the missing state without.
  bool Add(bool adapterOpen);
  // SetTrayState: modifies the icon; when that fails (the icon is gone) it is deleted and added
  // again in the requested state. `ssid` is the current SSID's bytes.
  void SetState(TrayState state, std::span<const std::uint8_t> ssid = {});
  // RemoveTrayIcon.
  bool Remove();

  bool Added() const { return added_; }
  TrayState State() const { return state_; }
  const NotifyIconData& Data() const { return data_; }

  // The tooltip of a state: the string with "%s" replaced by the SSID bytes, cut to the tip size.
  std::string TipFor(TrayState state, std::span<const std::uint8_t> ssid) const;

 private:
  void Fill(TrayState state, std::span<const std::uint8_t> ssid);

  IShell& shell_;
  StringLookup strings_;
  NotifyIconData data_;
  TrayState state_ = TrayState::Missing;
  bool added_ = false;
};

}  // namespace nxui::shell
