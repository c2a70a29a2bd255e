#include "shell/TrayIcon.h"

#include "display/StringTable.h"
#include "shell/ShellIds.h"

namespace nxui::shell {

TrayAppearance AppearanceOf(TrayState state) {
  switch (state) {
    case TrayState::Good:
      return {131, string_id::kTrayGood};
    case TrayState::Disconnected:
      return {132, string_id::kTrayDisconnected};
    case TrayState::Normal:
      return {159, string_id::kTrayNormal};
    case TrayState::Weak:
      return {160, string_id::kTrayWeak};
    case TrayState::Missing:
      return {161, string_id::kTrayNotExist};
    case TrayState::WepError:
      return {162, string_id::kTrayWepError};
  }
  return {161, string_id::kTrayNotExist};
}

std::string TrayIcon::TipFor(TrayState state, std::span<const std::uint8_t> ssid) const {
  const std::string format = strings_ ? strings_(AppearanceOf(state).stringId) : std::string();
  std::string tip;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
      tip.append(reinterpret_cast<const char*>(ssid.data()), ssid.size());
      ++i;
    } else {
      tip.push_back(format[i]);
    }
  }
  if (tip.size() > kTrayTipMax) tip.resize(kTrayTipMax);
  return tip;
}

void TrayIcon::Fill(TrayState state, std::span<const std::uint8_t> ssid) {
  state_ = state;
  data_.id = kTrayIconId;
  data_.callbackMessage = kMsgTrayCallback;
  data_.iconNumber = AppearanceOf(state).icon;
  data_.tip = TipFor(state, ssid);
}

bool TrayIcon::Add(bool adapterOpen) {
  Fill(adapterOpen ? TrayState::Disconnected : TrayState::Missing, {});
  if (shell_.NotifyIcon(NotifyIconAction::Add, data_)) added_ = true;
  return added_;
}

void TrayIcon::SetState(TrayState state, std::span<const std::uint8_t> ssid) {
  Fill(state, ssid);
  if (shell_.NotifyIcon(NotifyIconAction::Modify, data_)) return;
  shell_.NotifyIcon(NotifyIconAction::Delete, data_);
  added_ = shell_.NotifyIcon(NotifyIconAction::Add, data_);
}

bool TrayIcon::Remove() {
  if (!shell_.NotifyIcon(NotifyIconAction::Delete, data_)) return false;
  added_ = false;
  return true;
}

}  // namespace nxui::shell
