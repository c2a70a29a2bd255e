// The whole core for one run, built from a platform: the string table in the chosen language, the
// hidden window with everything it owns, the survey values that outlive the main window, and the
// pages built from the page table. The command line and the GUI build the same thing; only the
// views and the event loop differ.
#pragma once

#include <memory>
#include <optional>

#include "display/StringTable.h"
#include "platform/Platform.h"
#include "shell/CHideDlg.h"
#include "shell/CPageAboutDlg.h"
#include "shell/PageSet.h"
#include "survey/LastSurveySelection.h"
#include "survey/SurveyShared.h"

namespace nxui::shell {

class NxCore {
 public:
  // Empty survey hooks are filled in: the radio switch and a stale list reach the survey page of
  // the current page set.
  NxCore(Platform& platform, Language language, HideDlgPorts ports, HideDlgOptions options, HideDlgHooks hooks = {});
  ~NxCore();
  NxCore(const NxCore&) = delete;
  NxCore& operator=(const NxCore&) = delete;

  // Dialog initialisation of the hidden window.
  void Start() { hidden_->OnInitDialog(); }
  bool Ended() const { return hidden_->Ended(); }

  CHideDlg& HiddenWindow() { return *hidden_; }
  const StringTable& Strings() const { return strings_; }
  StringLookup Lookup() const;

  // "Show dBm" and the last-seen times, one for the whole run.
  SurveyShared& Survey() { return surveyShared_; }
  // Where "Add to Profile" hands its selection until a profile editor exists.
  LastSurveySelection& SurveySelection() { return surveySelection_; }

  // Pages for the main window (or a command-line run), from the page table. The core's hooks
  // reach the newest set until it is destroyed.
  std::unique_ptr<PageSet> MakePages(std::optional<ProgramVersionResource> program, std::size_t graphPixels = 0);
  // The newest page set while it lives; null otherwise.
  PageSet* Pages() const { return pages_; }

 private:
  class TrackedPageSet;

  Platform& platform_;
  StringTable strings_;
  SurveyShared surveyShared_;
  LastSurveySelection surveySelection_;
  PageSet* pages_ = nullptr;
  std::unique_ptr<CHideDlg> hidden_;
};

}  // namespace nxui::shell
