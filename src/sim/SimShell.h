#pragma once

#include <string>
#include <vector>

#include "platform/IShell.h"

namespace nxui::sim {

class SimFaults;

// Records what the program shows in the notification area and what it opens or runs.
class SimShell final : public IShell {
 public:
  explicit SimShell(SimFaults& faults) : faults_(faults) {}
  bool NotifyIcon(NotifyIconAction action, const NotifyIconData& data) override;
  bool Open(std::string_view fileOrUrl) override;
  bool RunMinimised(std::string_view commandLine) override;

  bool iconPresent() const { return iconPresent_; }
  int iconNumber() const { return iconNumber_; }
  const std::string& tip() const { return tip_; }
  int iconUpdates() const { return iconUpdates_; }
  const std::vector<std::string>& opened() const { return opened_; }
  const std::vector<std::string>& commandLines() const { return commandLines_; }

 private:
  SimFaults& faults_;
  bool iconPresent_ = false;
  int iconNumber_ = 0;
  std::string tip_;
  int iconUpdates_ = 0;
  std::vector<std::string> opened_;
  std::vector<std::string> commandLines_;
};

}  // namespace nxui::sim
