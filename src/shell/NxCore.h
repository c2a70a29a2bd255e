// The whole core for one run, built from a platform: the string table in the chosen language, the
// hidden window with everything it owns, the survey values that outlive the main window, the
// profile store with ApplyStation (which the hidden window's adapter-ready step and timer 9 use),
// and the pages built from the page table. The command line and the GUI build the same thing; only
// the views and the event loop differ.
#pragma once

#include <memory>
#include <optional>

#include "adapter/DriverChannelPort.h"
#include "display/StringTable.h"
#include "platform/Platform.h"
#include "profiles/ProfileStore.h"
#include "profiles/StationApplier.h"
#include "shell/CHideDlg.h"
#include "shell/CPageAboutDlg.h"
#include "shell/HideDlgStationHost.h"
#include "shell/HideDlgWpsHost.h"
#include "shell/PageSet.h"
#include "shell/ProfileEditorRouter.h"
#include "survey/LastSurveySelection.h"
#include "survey/SurveyShared.h"
#include "wps/WpsEngine.h"
#include "wps/WpsStationStore.h"
#include "wps/WpsStore.h"

namespace nxui::shell {

class NxCore {
 public:
  // Empty hooks are filled in: the radio switch and a stale list reach the survey page of the
  // current page set; the adapter-ready step restores the active profile
  // (ApplyStation(1, 0, <5 GHz result>)) and timer 9 applies it again; timers 4, 5 and 6 run the
  // WPS engine's hidden-window steps.
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
  // Where "Add to Profile" hands its selection when no profile editor is built.
  LastSurveySelection& SurveySelection() { return surveySelection_; }

  // The adapter's profile files, and ApplyStation over them.
  ProfileStore& Profiles() { return *store_; }
  StationApplier& Station() { return *applier_; }
  // Where the profile editor's messages, questions and hints go (a command may take them over).
  ProfileEditorRouter& EditorWindow() { return editorWindow_; }
  // The WPS engine (its state is the hidden window's) and its credential store.
  WpsEngine& Wps() { return *wps_; }

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
  ProfileEditorRouter editorWindow_;
  PageSet* pages_ = nullptr;
  std::unique_ptr<CHideDlg> hidden_;
  std::unique_ptr<DriverChannelPort> driverPort_;
  std::unique_ptr<ProfileStore> store_;
  std::unique_ptr<HideDlgStationHost> stationHost_;
  std::unique_ptr<WpsStore> wpsStore_;
  std::unique_ptr<HideDlgWpsHost> wpsHost_;
  std::unique_ptr<WpsEngine> wps_;
  std::unique_ptr<WpsStationStore> wpsStation_;
  std::unique_ptr<StationApplier> applier_;
};

}  // namespace nxui::shell
