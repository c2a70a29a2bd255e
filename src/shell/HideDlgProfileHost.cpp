#include "shell/HideDlgProfileHost.h"

#include "shell/CHideDlg.h"

namespace nxui::shell {

bool HideDlgProfileHost::AdapterReady() const { return hidden_.Context().deviceOpen; }
bool HideDlgProfileHost::RadioOn() const { return hidden_.State().radioOn; }
void HideDlgProfileHost::ShowMessage(const std::string& text) { hidden_.Messages().ShowMessage(text); }

void HideDlgProfileHost::SetPageWindow(HWND window) {
  if (auto* main = hidden_.MainWindow()) main->SetPageWindow(PageId::Profile, window);
}

}  // namespace nxui::shell
