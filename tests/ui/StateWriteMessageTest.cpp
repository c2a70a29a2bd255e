// The front end tells the user when the simulated machine could not save a change, through the
// core's message boxes like every other message.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/AtomicFile.h"
#include "sim/SimMachine.h"
#include "ui/GuiTestWorld.h"

namespace nxui::test {
namespace {

TEST(StateWriteMessage, ARadioSwitchThatCannotBeSavedIsShownInAMessageBox) {
  GuiTestWorld w(WorldSetup{});
  ASSERT_TRUE(w.core);
  ASSERT_TRUE(w.views.messages.empty());
  // A radio switch first writes the WLAN service's radio state file.
  const std::string radioFile =
      (std::filesystem::path(w.sim->World().stateDirectory()) / "wlan-radio-6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11.json")
          .string();
  ArmAtomicWriteFault(AtomicWriteStep::Write, ENOSPC);
  w.Hide().ToggleRadio();
  EXPECT_TRUE(ClearAtomicWriteFault()) << "the radio switch wrote nothing";
  EXPECT_TRUE(w.views.messages.empty()) << "not from inside the failing write";
  w.Advance(0.1);
  ASSERT_EQ(w.views.messages.size(), 1u);
  EXPECT_EQ(w.views.messages[0], "Could not save " + radioFile + ": " + std::strerror(ENOSPC));
}

}  // namespace
}  // namespace nxui::test
