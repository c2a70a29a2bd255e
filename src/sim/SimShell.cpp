#include "sim/SimShell.h"

#include "sim/SimFaults.h"

namespace nxui::sim {

bool SimShell::NotifyIcon(NotifyIconAction action, const NotifyIconData& data) {
  if (faults_.Take(fault::kNotifyIcon)) return false;
  switch (action) {
    case NotifyIconAction::Add:
      if (iconPresent_) return false;  // the platform refuses a second add of the same id
      iconPresent_ = true;
      break;
    case NotifyIconAction::Modify:
      if (!iconPresent_) return false;
      break;
    case NotifyIconAction::Delete:
      if (!iconPresent_) return false;
      iconPresent_ = false;
      ++iconUpdates_;
      return true;
  }
  iconNumber_ = data.iconNumber;
  tip_ = data.tip;
  ++iconUpdates_;
  return true;
}

bool SimShell::Open(std::string_view fileOrUrl) {
  opened_.emplace_back(fileOrUrl);
  return true;
}

bool SimShell::RunMinimised(std::string_view commandLine) {
  commandLines_.emplace_back(commandLine);
  return true;
}

}  // namespace nxui::sim
