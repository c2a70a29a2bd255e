#include "shell/HideDlgProfileEnvironment.h"

#include "adapter/AdapterRegistry.h"
#include "adapter/DriverNames.h"
#include "shell/CHideDlg.h"

namespace nxui::shell {

OsGeneration HideDlgProfileEnvironment::Os() const { return hidden_.Context().osGeneration; }

bool HideDlgProfileEnvironment::AdapterReady() const { return hidden_.Context().deviceOpen; }

bool HideDlgProfileEnvironment::AdhocSupportsRsnaPskCcmp() {
  int supported = 0;
  return hidden_.Session().SupportsWpa2PskCcmp(supported) == kErrorSuccess && supported != 0;
}

int HideDlgProfileEnvironment::WirelessMode() { return hidden_.NormalisedWirelessMode(); }

std::span<const std::uint8_t> HideDlgProfileEnvironment::LastScan() { return hidden_.ScanBuffer(1); }

bool HideDlgProfileEnvironment::ReadCcx2Control(std::uint32_t& value) {
  return AdapterRegistry(platform_.registry, hidden_.Context().classKeyPath).ReadRaw32(reg_value::kCcx2Control, value);
}

}  // namespace nxui::shell
