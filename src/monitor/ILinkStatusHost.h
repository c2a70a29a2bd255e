// What the link status page reads from the windows around it: process-wide values the main
// window keeps, the site survey page's "Show dBm" option and its connected row.
#pragma once

namespace nxui {

class ILinkStatusHost {
 public:
  virtual ~ILinkStatusHost() = default;

  // Software radio state kept by the main window (initially on).
  virtual bool RadioOn() const = 0;
  // The driver's WEP integrity-failure indication kept by the main window.
  virtual bool IcvError() const = 0;
  // The site survey page's "Show dBm" option.
  virtual bool ShowDbm() const = 0;

  // Central-channel hook: true when the survey list's first row marked as the connected network
  // is also marked as an 802.11n network. Until the survey page provides its rows there is no
  // such row, so no central-channel suffix is shown.
  virtual bool ConnectedSurveyRowIs11n() const { return false; }
};

}  // namespace nxui
