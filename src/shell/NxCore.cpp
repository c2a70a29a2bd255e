#include "shell/NxCore.h"

namespace nxui::shell {

NxCore::NxCore(Platform& platform, Language language, HideDlgPorts ports, HideDlgOptions options, HideDlgHooks hooks)
    : strings_(language) {
  const std::string settingsDirectory = options.settings.path;
  // The hidden window calls these from its initialisation on; the applier exists by then.
  if (!hooks.profileAdapterReady) {
    hooks.profileAdapterReady = [this](DWORD supports5GHzResult) {
      applier_->ApplyStation(1, 0, static_cast<int>(supports5GHzResult));
    };
  }
  if (!hooks.reapplyActiveProfile) hooks.reapplyActiveProfile = [this] { applier_->ApplyStation(0, 1, 0); };
  hidden_ = std::make_unique<CHideDlg>(platform, ports, std::move(options), Lookup(), std::move(hooks));
  driverPort_ = std::make_unique<DriverChannelPort>(hidden_->Driver());
  store_ = std::make_unique<ProfileStore>(hidden_->Context(), settingsDirectory, platform.systemInfo);
  stationHost_ = std::make_unique<HideDlgStationHost>(*hidden_);
  applier_ = std::make_unique<StationApplier>(*store_, platform.registry, hidden_->Context(), *driverPort_,
                                              hidden_->Session(), *stationHost_, wpsStore_);
}

NxCore::~NxCore() {
  // The hidden window goes first: its destruction may still run work that reaches the applier.
  hidden_.reset();
}

StringLookup NxCore::Lookup() const {
  const StringTable* table = &strings_;
  return [table](std::uint32_t id) { return table->LoadString(id); };
}

}  // namespace nxui::shell
