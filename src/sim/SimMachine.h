// The simulated machine as a run sees it: the world's ports on its loop and drive C below the
// state folder.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/IMachine.h"
#include "sim/Scenario.h"
#include "sim/SimOptions.h"
#include "sim/SimWorld.h"

namespace nxui::sim {

class SimMachine final : public IMachine {
 public:
  // Null with `error` naming the file and line when the state cannot be used.
  static std::unique_ptr<SimMachine> Create(const Scenario& scenario, IEventLoop& loop, const SimOptions& options,
                                            std::string& error);

  Platform& Ports() override { return *ports_; }
  std::filesystem::path LocalPath(std::string_view machinePath) const override;
  void SetWriteFailureListener(std::function<void(const std::string& failure)> listener) override {
    world_->SetWriteFailureListener(std::move(listener));
  }

  SimWorld& World() { return *world_; }

 private:
  SimMachine() = default;

  std::unique_ptr<SimWorld> world_;
  std::optional<Platform> ports_;
};

// Machines from a scenario file (empty: the scenario compiled into the program), read anew for
// each machine, with their state in `options`.
MachineFactory SimMachineFactory(std::string scenarioFile, SimOptions options);
// Machines from a scenario given as JSON text; `sourceName` names it in messages.
MachineFactory SimMachineFactoryFromText(std::string json, std::string sourceName, SimOptions options);

}  // namespace nxui::sim
