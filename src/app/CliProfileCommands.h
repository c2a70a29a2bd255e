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

struct ProfileAction {
  std::string name;
  std::string description;
  std::function<void(CLI::App&)> configure;
  std::function<int(CliContext&)> run;
};

std::vector<ProfileAction> ProfileActions();

ProfileAction ProfileListAction();
ProfileAction ProfileShowAction();
// The profile editor's Add and Edit (CliProfileEditCommands.cpp).
ProfileAction ProfileAddAction();
ProfileAction ProfileEditAction();
ProfileAction ProfileDeleteAction();
ProfileAction ProfileApplyAction();
ProfileAction ProfileExportAction();

// The row of the profile page named `name` (exactly, else without regard to case); -1 after telling
// the user on `c.err` that there is none.
int FindProfileRow(CliContext& c, const CPageProfileDlg& page, const std::string& name);

}  // namespace nxui::cli
