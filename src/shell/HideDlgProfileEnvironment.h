// The profile editor's view of the adapter, through the hidden window: the Windows generation, the
// adapter-ready state, the ad hoc RSNA-PSK/CCMP query, the normalised wireless mode, the pages'
// scan list and the adapter key's "CCX2Control".
#pragma once

#include "profiles/IProfileEditorEnvironment.h"

namespace nxui {
struct Platform;
}

namespace nxui::shell {

class CHideDlg;

class HideDlgProfileEnvironment final : public IProfileEditorEnvironment {
 public:
  HideDlgProfileEnvironment(CHideDlg& hidden, Platform& platform) : hidden_(hidden), platform_(platform) {}

  OsGeneration Os() const override;
  bool AdapterReady() const override;
  bool AdhocSupportsRsnaPskCcmp() override;
  int WirelessMode() override;
  std::span<const std::uint8_t> LastScan() override;
  bool ReadCcx2Control(std::uint32_t& value) override;

 private:
  CHideDlg& hidden_;
  Platform& platform_;
};

}  // namespace nxui::shell
