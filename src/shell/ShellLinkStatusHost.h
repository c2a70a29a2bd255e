// The link status page's host over the process-wide values the hidden window keeps; the survey
// page's "Show dBm" option and its connected row come through functions (see SurveyShared).
#pragma once

#include <functional>
#include <utility>

#include "monitor/ILinkStatusHost.h"
#include "shell/CNxUI2007Dlg.h"

namespace nxui {

class ShellLinkStatusHost final : public ILinkStatusHost {
 public:
  ShellLinkStatusHost(const shell::ShellState& state, std::function<bool()> showDbm,
                      std::function<bool()> connectedSurveyRowIs11n = {})
      : state_(state), showDbm_(std::move(showDbm)), connectedSurveyRowIs11n_(std::move(connectedSurveyRowIs11n)) {}

  bool RadioOn() const override { return state_.radioOn; }
  bool IcvError() const override { return state_.icvError; }
  bool ShowDbm() const override { return showDbm_ && showDbm_(); }
  bool ConnectedSurveyRowIs11n() const override { return connectedSurveyRowIs11n_ && connectedSurveyRowIs11n_(); }

 private:
  const shell::ShellState& state_;
  std::function<bool()> showDbm_;
  std::function<bool()> connectedSurveyRowIs11n_;
};

}  // namespace nxui
