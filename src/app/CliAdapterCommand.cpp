#include "app/CliCommand.h"
#include "app/CliRun.h"

namespace nxui::cli {

CliCommand AdapterCommand() {
  CliCommand command;
  command.name = "adapter";
  command.description = "The adapter discovery chose (its AdapterContext)";
  command.run = [](CliContext& c) {
    const AdapterContext& a = c.run->Hidden().Context();
    auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
    c.report.Text("devicePath", "devicePath", a.devicePath)
        .Text("instanceId", "instanceId", a.instanceId)
        .Text("classKeyPath", "classKeyPath", a.classKeyPath)
        .Text("displayName", "displayName", a.displayName)
        .Text("hardwareId", "hardwareId", a.hardwareId)
        .Value("family", "family", a.family, std::to_string(a.family))
        .Value("isUsb", "isUsb", a.isUsb, std::to_string(a.isUsb))
        .Value("legacyG", "legacyG", a.legacyG, flag(a.legacyG))
        .Value("is11n", "is11n", a.is11n, flag(a.is11n))
        .Value("n11Kind", "n11Kind", a.n11Kind, std::to_string(a.n11Kind))
        .Value("osGeneration", "osGeneration", a.osGeneration, std::to_string(a.osGeneration))
        .Value("isWow64", "isWow64", a.isWow64, flag(a.isWow64))
        .Value("isAdmin", "isAdmin", a.isAdmin, flag(a.isAdmin));
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
