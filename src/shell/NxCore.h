// The whole core for one run, built from a platform: the string table in the chosen language, the
// hidden window with everything it owns, and the profile store with ApplyStation, which the hidden
// window's adapter-ready step and timer 9 use. The command line and the GUI build the same thing;
// only the views and the event loop differ.
#pragma once

#include <memory>

#include "adapter/DriverChannelPort.h"
#include "display/StringTable.h"
#include "platform/Platform.h"
#include "profiles/ProfileStore.h"
#include "profiles/StationApplier.h"
#include "shell/CHideDlg.h"
#include "shell/HideDlgStationHost.h"

namespace nxui::shell {

class NxCore {
 public:
  // Hooks for the profile code left empty are filled in here: the adapter-ready step restores the
  // active profile (ApplyStation(1, 0, <5 GHz result>)), timer 9 applies it again.
  NxCore(Platform& platform, Language language, HideDlgPorts ports, HideDlgOptions options, HideDlgHooks hooks = {});
  ~NxCore();

  // Dialog initialisation of the hidden window.
  void Start() { hidden_->OnInitDialog(); }
  bool Ended() const { return hidden_->Ended(); }

  CHideDlg& HiddenWindow() { return *hidden_; }
  const StringTable& Strings() const { return strings_; }
  StringLookup Lookup() const;

  ProfileStore& Profiles() { return *store_; }
  StationApplier& Station() { return *applier_; }
  DriverRequestPort& Driver() { return *driverPort_; }

 private:
  StringTable strings_;
  std::unique_ptr<CHideDlg> hidden_;
  std::unique_ptr<DriverChannelPort> driverPort_;
  std::unique_ptr<ProfileStore> store_;
  std::unique_ptr<HideDlgStationHost> stationHost_;
  // The WPS credential store reads as empty until the WPS work provides it.
  EmptyWpsStationStore wpsStore_;
  std::unique_ptr<StationApplier> applier_;
};

}  // namespace nxui::shell
