#include "shell/HideDlgProfileHost.h"

#include "adapter/AdapterRegistry.h"
#include "display/StringTable.h"
#include "profiles/StationProfileKey.h"
#include "shell/CHideDlg.h"

namespace nxui::shell {

bool HideDlgProfileHost::AdapterReady() const { return hidden_.Context().deviceOpen; }
bool HideDlgProfileHost::RadioOn() const { return hidden_.State().radioOn; }
void HideDlgProfileHost::ShowMessage(const std::string& text) { hidden_.Messages().ShowMessage(text); }

void HideDlgProfileHost::SetPageWindow(HWND window) {
  if (auto* main = hidden_.MainWindow()) main->SetPageWindow(PageId::Profile, window);
}

void HideDlgProfileHost::ProfileApplied(const ProfileRecord& record) {
  // The authentication status panel names the profile in force from the adapter key.
  AdapterRegistry(registry_, hidden_.Context().classKeyPath).WriteText("CurProfile", record.name);
  if (!UsesLeapOr8021X(record)) return;
  // The profile is applied all the same; only the SSO page would not list it. Only an
  // administrator reaches the profile page, so a refusal here is a fault of the registry.
  if (WriteStationProfileKey(registry_, hidden_.Context().classKeyPath, record) != kErrorSuccess) {
    hidden_.Messages().ShowMessage(strings_.LoadString(string_id::kSsoNotSaved));
  }
}

}  // namespace nxui::shell
