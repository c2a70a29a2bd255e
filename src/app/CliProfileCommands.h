// `profile` and its actions: each action is one factory, so adding one (add, edit) is a function
// and a line in ProfileActions().
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/CliCommand.h"

namespace nxui {
class CPageProfileDlg;
}

namespace nxui::cli {

std::vector<CliAction> ProfileActions();

CliAction ProfileListAction();
CliAction ProfileShowAction();
// The profile editor's Add and Edit (CliProfileEditCommands.cpp).
CliAction ProfileAddAction();
CliAction ProfileEditAction();
CliAction ProfileDeleteAction();
CliAction ProfileApplyAction();
CliAction ProfileExportAction();

// The row of the profile page named `name` (exactly, else without regard to case); -1 after telling
// the user on `c.err` that there is none.
int FindProfileRow(CliContext& c, const CPageProfileDlg& page, const std::string& name);

}  // namespace nxui::cli
