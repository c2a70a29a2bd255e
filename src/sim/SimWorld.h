// The simulated machine: built from a scenario, it implements every platform port but the WLAN
// service, runs the scenario's events on the given loop (one-shot system timers, so the virtual
// loop and a real-time loop both work) and persists its state in the state directory.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "adapter/AdapterDiscovery.h"
#include "platform/IEventLoop.h"
#include "platform/SystemRandom.h"
#include "sim/Scenario.h"
#include "sim/SimAssociation.h"
#include "sim/SimDeviceIo.h"
#include "sim/SimDeviceSetup.h"
#include "sim/SimDriver.h"
#include "sim/SimDriverEvents.h"
#include "sim/SimFaults.h"
#include "sim/SimIpHelper.h"
#include "sim/SimOptions.h"
#include "sim/SimRegistry.h"
#include "sim/SimShell.h"
#include "sim/SimSystemInfo.h"
#include "sim/SimWlanService.h"
#include "sim/SimWps.h"
#include "sim/StateFolderLock.h"

namespace nxui::sim {

inline constexpr const char* kRegistryFileName = "registry.reg";
inline constexpr const char* kLocalAppDataDirName = "LocalAppData";
inline constexpr const char* kDriveCDirName = "drive_c";

class SimWorld {
 public:
  // Nullptr with `error` naming the file and line when the state cannot be used.
  static std::unique_ptr<SimWorld> Create(const Scenario& scenario, IEventLoop& loop, const SimOptions& options,
                                          std::string& error);
  ~SimWorld();
  SimWorld(const SimWorld&) = delete;
  SimWorld& operator=(const SimWorld&) = delete;

  IEventLoop& loop() { return loop_; }
  const Scenario& scenario() const { return scenario_; }
  const std::string& stateDirectory() const { return stateDirectory_; }
  std::string localAppDataDirectory() const;
  // Where a path of the simulated machine ("C:\\Program Files\\...") lives on this one: below
  // "drive_c" of the state directory. Empty for paths that are not absolute drive-C paths.
  std::string NativePath(std::string_view windowsPath) const;

  SimDeviceSetup& deviceSetup() { return deviceSetup_; }
  SimDeviceIo& deviceIo() { return deviceIo_; }
  SimRegistry& registry() { return registry_; }
  SimSystemInfo& systemInfo() { return systemInfo_; }
  SimShell& shell() { return shell_; }
  SimIpHelper& ipHelper() { return ipHelper_; }
  SimDriverEvents& driverEvents() { return driverEvents_; }
  SimFaults& faults() { return faults_; }
  SimWlanService& wlan() { return *wlan_; }
  // The simulated machine's generator is the real one: a PIN it makes must not be guessable.
  IRandom& random() { return random_; }

  int adapterCount() const { return static_cast<int>(adapters_.size()); }
  const ScenarioAdapter& adapter(int index) const { return scenario_.adapters[static_cast<std::size_t>(index)]; }
  bool isPresent(int index) const;
  int plugGeneration(int index) const;
  SimDriver& driver(int index);
  SimAssociation& association(int index);
  SimWps& wps(int index);
  std::string classKeyPath(int index) const { return std::string(kClassKeyBase) + "\\" + adapter(index).driverKey; }

  // The networks in range now; events add and remove entries.
  std::vector<ScenarioNetwork>& networksInRange() { return networks_; }

  // Device arrival and removal (scenario events call these too); both announce the change to
  // the loop's windows as the system does.
  void Plug(int index);
  void Unplug(int index);
  // Listeners hear of every plug and unplug after the world changed (the WLAN service).
  void AddPresenceListener(std::function<void(int adapter, bool present)> listener);
  // The WLAN service calls this after it changed an association: raises the media event.
  void AssociationChanged(int index);
  void SetIcvError(int index, bool error);

  // What could not be written to the state directory during the run ("file: reason"), in order;
  // each such file was left as it was.
  std::vector<std::string> WriteFailures() const;
  // Registry changes are saved once after the events that made them (one save for a start-up's
  // dozens of changes); this saves what is still unsaved now, at the end of a command. False when
  // it could not be written, which is reported as every failure is.
  bool SaveState();
  // Told each such failure on the loop right after it happened (the program shows it).
  void SetWriteFailureListener(std::function<void(const std::string&)> listener) {
    writeFailureListener_ = std::move(listener);
  }

  // Runs one scenario event now; false for an event that lacks what it needs.
  bool RunEvent(const ScenarioEvent& event);
  int eventsRun() const { return eventsRun_; }

 private:
  SimWorld(const Scenario& scenario, IEventLoop& loop);
  bool Initialise(const SimOptions& options, std::string& error);
  void Seed();
  void ScheduleEvents();
  void StartWlanService();
  void AddWlanInterface(int index);
  int AdapterOfInterface(const Guid& guid) const;
  void ReportWriteFailure(const std::string& failure);

  struct AdapterSlot {
    bool present = false;
    int plugGeneration = 0;
    SimAssociation association;
    std::unique_ptr<SimWps> wps;
    std::unique_ptr<SimDriver> driver;
  };

  Scenario scenario_;
  IEventLoop& loop_;
  std::string stateDirectory_;
  bool removeStateDirectory_ = false;
  StateFolderLock stateLock_;
  // Runs on the loop what must not run inside the call that caused it: telling write failures,
  // saving the registry once after a batch of changes.
  struct StatePump final : IMessageTarget {
    static constexpr UINT kTellFailures = 0x8002;
    static constexpr UINT kSaveRegistry = 0x8003;
    explicit StatePump(SimWorld& owner) : world(owner) {}
    void OnTimer(UINT_PTR) override {}
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    SimWorld& world;
  };
  mutable std::mutex failureMutex_;
  std::vector<std::string> writeFailures_;
  std::vector<std::string> untold_;
  std::function<void(const std::string&)> writeFailureListener_;
  StatePump statePump_{*this};
  SimFaults faults_;
  SimRegistry registry_;
  SimDriverEvents driverEvents_;
  SimDeviceSetup deviceSetup_;
  SimDeviceIo deviceIo_;
  SimSystemInfo systemInfo_;
  SimShell shell_;
  SimIpHelper ipHelper_;
  SystemRandom random_;
  std::vector<std::unique_ptr<AdapterSlot>> adapters_;
  std::vector<ScenarioNetwork> networks_;
  HWND statePumpWindow_ = 0;
  std::vector<std::function<void(int, bool)>> presenceListeners_;
  std::vector<UINT_PTR> eventTimers_;
  int eventsRun_ = 0;
  // Last: it holds the associations and the networks above and goes first.
  std::unique_ptr<SimWlanService> wlan_;
};

}  // namespace nxui::sim
