// The WPS engine's view of the hidden window: its window (timers 4, 5 and 6), the connection
// action queue and the message box for a store file that could not be written.
#pragma once

#include "display/StringTable.h"
#include "wps/WpsEngine.h"

namespace nxui::shell {

class CHideDlg;

class HideDlgWpsHost final : public IWpsHost {
 public:
  HideDlgWpsHost(CHideDlg& hidden, const StringTable& strings) : hidden_(hidden), strings_(strings) {}

  HWND HiddenWindow() const override;
  void QueueConnect(std::unique_ptr<ConnectionSettings> record) override;
  void ReportStoreFailure(const StoreResult& result) override;

 private:
  CHideDlg& hidden_;
  const StringTable& strings_;
};

}  // namespace nxui::shell
