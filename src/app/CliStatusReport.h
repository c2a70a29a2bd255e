// The link status panel as a report: shared by `status`, `radio` and `monitor`.
#pragma once

#include "app/CliReport.h"

namespace nxui {
class CLinkStatusDlg;
}

namespace nxui::cli {

class CliRun;

// The page's current state with the tray's.
void BuildStatusReport(CliRun& run, const CLinkStatusDlg& page, CliReport& report);

// The same for people on one screen (the monitor's view): related values share a line.
void BuildCompactStatus(CliRun& run, const CLinkStatusDlg& page, CliReport& report);

// The link status page shown and refreshed `ticks` times, 2 s apart.
CLinkStatusDlg& ShowLinkStatus(CliRun& run, int ticks);

}  // namespace nxui::cli
