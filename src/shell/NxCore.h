// The whole core for one run, built from a platform: the string table in the chosen language and
// the hidden window with everything it owns. The command line and the GUI build the same thing;
// only the views and the event loop differ.
#pragma once

#include <memory>

#include "display/StringTable.h"
#include "platform/Platform.h"
#include "shell/CHideDlg.h"

namespace nxui::shell {

class NxCore {
 public:
  NxCore(Platform& platform, Language language, HideDlgPorts ports, HideDlgOptions options, HideDlgHooks hooks = {});

  // Dialog initialisation of the hidden window.
  void Start() { hidden_->OnInitDialog(); }
  bool Ended() const { return hidden_->Ended(); }

  CHideDlg& HiddenWindow() { return *hidden_; }
  const StringTable& Strings() const { return strings_; }
  StringLookup Lookup() const;

 private:
  StringTable strings_;
  std::unique_ptr<CHideDlg> hidden_;
};

}  // namespace nxui::shell
