#include "shell/NxCore.h"

namespace nxui::shell {

NxCore::NxCore(Platform& platform, Language language, HideDlgPorts ports, HideDlgOptions options, HideDlgHooks hooks)
    : strings_(language) {
  hidden_ = std::make_unique<CHideDlg>(platform, ports, std::move(options), Lookup(), std::move(hooks));
}

StringLookup NxCore::Lookup() const {
  const StringTable* table = &strings_;
  return [table](std::uint32_t id) { return table->LoadString(id); };
}

}  // namespace nxui::shell
