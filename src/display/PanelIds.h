// The main window shows one panel at a time and the code below the shell asks for one by number;
// each panel class names its own (`kPanel`). The link-status panel, the one every dialog returns
// to, is named here so that the layers which cannot see its class can ask for it too.
#pragma once

namespace nxui {

inline constexpr int kPanelLinkStatus = 0;

}  // namespace nxui
