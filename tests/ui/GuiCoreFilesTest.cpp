// The files the graphical front end's core reads on the simulated machine, found where the
// program finds them when nothing is injected.
#include <gtest/gtest.h>

#include <filesystem>

#include "adapter/fakes/TempDir.h"
#include "platform/VirtualEventLoop.h"
#include "shell/HeadlessViews.h"
#include "sim/SimMachine.h"
#include "ui/GuiCore.h"

namespace nxui {
namespace {

constexpr const char* kForeignAdapter =
    R"({"version": 1, "adapters": [{"hardwareId": "USB\\VID_9999&PID_0001&REV_0001"}]})";

struct ListRow {
  const char* name;
  const char* listText;  // nullptr: no file
  bool found;
  ChipFamily family;
};

TEST(GuiCoreFiles, AdapterListFileBesideTheSimulatedProgram) {
  const ListRow rows[] = {
      {"no list: the built-in tables do not know the part", nullptr, false, -1},
      {"listed as a USB 802.11n part", "[HERONU]\r\nDeviceID_1=USB\\VID_9999&PID_0001\r\n", true, kFamilyHeronU},
      {"listed as a PCI 802.11g part", "[LARK]\r\nDeviceID_1=USB\\VID_9999&PID_0001\r\n", true, kFamilyLark},
      {"a list naming another part", "[HERONU]\r\nDeviceID_1=USB\\VID_1B75&PID_3072\r\n", false, -1},
  };
  for (const ListRow& row : rows) {
    nxui::test::TempDir state;
    if (row.listText != nullptr) {
      const auto file = state / "drive_c/Program Files/VQ-MA310X/NxUI.INI";
      std::filesystem::create_directories(file.parent_path());
      nxui::test::TempDir::Write(file, row.listText);
    }
    VirtualEventLoop loop;
    GuiOptions options;
    options.machine =
        sim::SimMachineFactoryFromText(kForeignAdapter, "foreign.json", sim::SimOptions{state.path().string(), false});
    std::string error;
    auto core = GuiCore::Create(loop, options, error);
    ASSERT_TRUE(core) << row.name << ": " << error;
    shell::HeadlessViews views;
    GuiCore::Ports ports;
    ports.messageBox = &views;
    ports.trayMenu = &views;
    ports.cardChooser = &views;
    core->Start(ports, core->DefaultHideOptions());
    const AdapterContext& context = core->Hide()->Context();
    EXPECT_EQ(context.deviceOpen, row.found) << row.name;
    if (row.found) {
      EXPECT_EQ(context.family, row.family) << row.name;
    }
    core->Stop();
  }
}

}  // namespace
}  // namespace nxui
