#include "wps/WpsStationStore.h"

namespace nxui {

IWpsStationStore::Loaded WpsStationStore::Load() {
  engine_.Store().LoadWpsStore();
  const WpsEngineState& state = engine_.State();
  return Loaded{state.wscConnect, state.table.count};
}

}  // namespace nxui
