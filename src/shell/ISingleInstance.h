#pragma once

#include <string_view>

namespace nxui::shell {

// The one-instance rule: a named object the first instance creates (a named mutex on the original
// platform, a per-user local socket in the Qt front end), and the hand-over by which a second
// instance asks the first to open its main window.
class ISingleInstance {
 public:
  virtual ~ISingleInstance() = default;
  // Creates the named object; true when it already existed (another instance runs).
  virtual bool CreateAndCheckExisting(std::string_view name) = 0;
  // Stands for posting WM_COMMAND 32771 to the top-level window titled "NxUI".
  virtual void SignalFirstInstance() = 0;
  virtual void Release() = 0;
};

}  // namespace nxui::shell
