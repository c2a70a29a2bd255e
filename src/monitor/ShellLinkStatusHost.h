// The link status page's host over the process-wide values the hidden window keeps; the survey
// page's "Show dBm" option comes through a function until that page exists.
#pragma once

#include <functional>
#include <utility>

#include "monitor/ILinkStatusHost.h"
#include "shell/CNxUI2007Dlg.h"

namespace nxui {

class ShellLinkStatusHost final : public ILinkStatusHost {
 public:
  ShellLinkStatusHost(const shell::ShellState& state, std::function<bool()> showDbm)
      : state_(state), showDbm_(std::move(showDbm)) {}

  bool RadioOn() const override { return state_.radioOn; }
  bool IcvError() const override { return state_.icvError; }
  bool ShowDbm() const override { return showDbm_ && showDbm_(); }

 private:
  const shell::ShellState& state_;
  std::function<bool()> showDbm_;
};

}  // namespace nxui
