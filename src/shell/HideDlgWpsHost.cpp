#include "shell/HideDlgWpsHost.h"

#include "shell/CHideDlg.h"

namespace nxui::shell {

HWND HideDlgWpsHost::HiddenWindow() const { return hidden_.Window(); }

void HideDlgWpsHost::QueueConnect(std::unique_ptr<ConnectionSettings> record) {
  // A credential's connect is worked off at once, whatever the queue's own answer.
  hidden_.Queue().QueueAction(ActionType::Connect, std::move(record));
  hidden_.Queue().RunQueue();
}

void HideDlgWpsHost::ReportStoreFailure(const StoreResult& result) {
  hidden_.Messages().ShowMessage(StoreFailureText(result, strings_));
}

}  // namespace nxui::shell
