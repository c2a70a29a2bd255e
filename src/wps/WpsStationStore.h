// The WPS store as the profile code's ApplyStation reads it: loads the store and the WSC flag into
// the engine and connects with the next credential when asked.
#pragma once

#include "profiles/StationApplier.h"
#include "wps/WpsEngine.h"

namespace nxui {

class WpsStationStore final : public IWpsStationStore {
 public:
  explicit WpsStationStore(WpsEngine& engine) : engine_(engine) {}

  Loaded Load() override;
  void ConnectWithCredential() override { engine_.ConnectWithCredential(); }

 private:
  WpsEngine& engine_;
};

}  // namespace nxui
