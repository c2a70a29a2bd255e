#include "sim/SimMachine.h"

#include <algorithm>

#include "sim/ScenarioLoader.h"

namespace nxui::sim {

std::unique_ptr<SimMachine> SimMachine::Create(const Scenario& scenario, IEventLoop& loop, const SimOptions& options,
                                               std::string& error) {
  std::unique_ptr<SimMachine> machine(new SimMachine());
  machine->world_ = SimWorld::Create(scenario, loop, options, error);
  if (!machine->world_) return nullptr;
  SimWorld& w = *machine->world_;
  machine->ports_.emplace(Platform{w.deviceSetup(), w.deviceIo(), w.registry(), w.systemInfo(), w.shell(), w.ipHelper(),
                                   w.driverEvents(), w.loop(), w.wlan(), w.random()});
  return machine;
}

std::filesystem::path SimMachine::LocalPath(std::string_view machinePath) const {
  // The program builds sibling paths with slashes; the machine names them with backslashes.
  std::string windows(machinePath);
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return world_->NativePath(windows);
}

namespace {

MachineFactory FactoryOf(std::function<ScenarioLoadResult()> load, SimOptions options) {
  return [load = std::move(load), options](IEventLoop& loop, std::string& error) -> std::unique_ptr<IMachine> {
    const ScenarioLoadResult loaded = load();
    if (!loaded.ok) {
      error = loaded.error;
      return nullptr;
    }
    return SimMachine::Create(loaded.scenario, loop, options, error);
  };
}

}  // namespace

MachineFactory SimMachineFactory(std::string scenarioFile, SimOptions options) {
  return FactoryOf(
      [file = std::move(scenarioFile)] {
        return file.empty() ? ScenarioLoader::LoadEmbedded() : ScenarioLoader::LoadFile(file);
      },
      std::move(options));
}

MachineFactory SimMachineFactoryFromText(std::string json, std::string sourceName, SimOptions options) {
  return FactoryOf(
      [json = std::move(json), name = std::move(sourceName)] { return ScenarioLoader::LoadText(json, name); },
      std::move(options));
}

}  // namespace nxui::sim
