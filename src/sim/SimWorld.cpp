#include "sim/SimWorld.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "sim/CaptureNetworks.h"
#include "sim/IeBuilder.h"
#include "sim/ScenarioLoader.h"

namespace nxui::sim {

namespace fs = std::filesystem;

namespace {

// "{6F2A...}" without its braces, for file names.
std::string BareGuid(const std::string& braced) {
  if (braced.size() >= 2 && braced.front() == '{' && braced.back() == '}') return braced.substr(1, braced.size() - 2);
  return braced;
}

}  // namespace

SimWorld::SimWorld(const Scenario& scenario, IEventLoop& loop)
    : scenario_(scenario),
      loop_(loop),
      registry_(faults_, scenario.os.admin),
      driverEvents_(faults_),
      deviceSetup_(*this),
      deviceIo_(*this),
      systemInfo_(*this),
      shell_(faults_),
      ipHelper_(*this),
      networks_(scenario.networks),
      statePumpWindow_(loop.CreateWindow(statePump_)) {
  for (std::size_t i = 0; i < scenario_.adapters.size(); ++i) {
    const ScenarioAdapter& a = scenario_.adapters[i];
    auto slot = std::make_unique<AdapterSlot>();
    slot->driver = std::make_unique<SimDriver>(a, static_cast<int>(i), loop_, registry_, slot->association,
                                               driverEvents_, faults_);
    slot->wps = std::make_unique<SimWps>(loop_, networks_);
    slot->driver->AttachWps(slot->wps.get());
    adapters_.push_back(std::move(slot));
    for (Oid oid : a.driver.failingOids) faults_.ArmStanding(fault::DriverRequest(oid, static_cast<int>(i)));
  }
}

SimWorld::~SimWorld() {
  for (UINT_PTR id : eventTimers_) loop_.KillSystemTimer(id);
  // What the last events changed (the core's goodbye snapshot) is not lost.
  registry_.Flush();
  loop_.DestroyWindow(statePumpWindow_);
  if (removeStateDirectory_) {
    std::error_code ec;
    fs::remove_all(stateDirectory_, ec);
  }
}

std::unique_ptr<SimWorld> SimWorld::Create(const Scenario& scenario, IEventLoop& loop, const SimOptions& options,
                                           std::string& error) {
  std::unique_ptr<SimWorld> world(new SimWorld(scenario, loop));
  if (!world->Initialise(options, error)) return nullptr;
  return world;
}

bool SimWorld::Initialise(const SimOptions& options, std::string& error) {
  std::error_code ec;
  if (!options.stateDirectory.empty() && !options.temporaryState) {
    stateDirectory_ = options.stateDirectory;
    std::string why;
    if (!EnsurePrivateFolder(stateDirectory_, why)) {
      error = stateDirectory_ + ":0: cannot create the state directory (" + why + ")";
      return false;
    }
    const auto busy = [&options, this] {
      if (options.onStateBusy) options.onStateBusy(stateDirectory_);
    };
    if (!stateLock_.Acquire(stateDirectory_, options.stateLockWaitMs, busy, why)) {
      error = why;
      return false;
    }
  } else {
    std::string pattern = (fs::temp_directory_path(ec) / "nxui-sim-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      error = pattern + ":0: cannot create a temporary state directory";
      return false;
    }
    stateDirectory_ = pattern;
    removeStateDirectory_ = true;
  }
  // A stored profile list the service cannot read ends the start and stays as it is.
  const SimProfileStore profileFiles{fs::path(stateDirectory_)};
  for (const ScenarioAdapter& a : scenario_.adapters) {
    const auto guid = Guid::Parse(a.instanceId);
    std::vector<StoredProfile> profiles;
    if (guid && profileFiles.Load(*guid, profiles, error) == SimProfileStore::LoadResult::Unreadable) return false;
  }
  const std::string regFile = (fs::path(stateDirectory_) / kRegistryFileName).string();
  // The registry's write failures are the run's to report; its saves run after the events that
  // changed it.
  registry_.SetWriteFailureListener([this](const std::string& failure) { ReportWriteFailure(failure); });
  registry_.SetSaveScheduler([this] { loop_.PostMessage(statePumpWindow_, StatePump::kSaveRegistry, 0, 0); });
  if (fs::exists(fs::symlink_status(regFile, ec))) {
    // A corrupt file ends the start and stays as it is.
    if (!registry_.LoadFile(regFile, error)) return false;
  } else {
    Seed();
    registry_.AttachFile(regFile);
  }
  std::string why;
  if (!EnsurePrivateFolder(localAppDataDirectory(), why)) {
    error = localAppDataDirectory() + ":0: cannot create the folder (" + why + ")";
    return false;
  }
  // The program's own directory, where its ini files lie beside the executable.
  const std::string module = NativePath(SimSystemInfo::kModuleFileName);
  fs::create_directories(fs::path(module).parent_path(), ec);

  for (std::size_t i = 0; i < adapters_.size(); ++i) {
    if (scenario_.adapters[i].present) {
      adapters_[i]->present = true;
      adapters_[i]->plugGeneration = 1;
      adapters_[i]->driver->Start();
    }
    // Block Ack sessions an earlier run left with the driver.
    adapters_[i]->driver->htBlockAck().AttachStateFile(
        fs::path(stateDirectory_) / ("driver-blockack-" + BareGuid(adapter(static_cast<int>(i)).instanceId) + ".json"));
  }
  if (!LoadCaptureNetworks(scenario_, networks_, error)) return false;
  StartWlanService();
  ScheduleEvents();
  return true;
}

void SimWorld::StartWlanService() {
  wlan_ = std::make_unique<SimWlanService>(loop_, networks_, fs::path(stateDirectory_), faults_);
  wlan_->SetRunning(scenario_.wlanServiceRunning);
  wlan_->SetWriteFailureListener([this](const std::string& failure) { ReportWriteFailure(failure); });
  wlan_->SetAssociationListener([this](const Guid& guid) {
    const int index = AdapterOfInterface(guid);
    if (index >= 0) AssociationChanged(index);
  });
  for (int i = 0; i < adapterCount(); ++i) {
    if (isPresent(i)) AddWlanInterface(i);
  }
  AddPresenceListener([this](int index, bool present) {
    if (present) {
      AddWlanInterface(index);
    } else if (const auto guid = Guid::Parse(adapter(index).instanceId)) {
      wlan_->RemoveInterface(*guid);
    }
  });
}

void SimWorld::AddWlanInterface(int index) {
  const ScenarioAdapter& a = adapter(index);
  const auto guid = Guid::Parse(a.instanceId);
  if (!guid) return;
  std::vector<DWORD> phyTypes = {kDot11PhyTypeHrDsss, kDot11PhyTypeErp};
  if (a.bands.ghz5) phyTypes.push_back(kDot11PhyTypeOfdm);
  // Only the 802.11n parts report an HT PHY.
  if (a.driver.is11n) phyTypes.push_back(kDot11PhyTypeHt);
  wlan_->AddInterface(*guid, a.friendlyName.empty() ? a.deviceDescription : a.friendlyName, phyTypes,
                      association(index));
  std::vector<ScenarioPlatformProfile> profiles;
  for (const auto& profile : scenario_.platformProfiles) {
    if (profile.adapter == index) profiles.push_back(profile);
  }
  wlan_->SeedProfiles(*guid, profiles);
  wlan_->AutoConnect(*guid);
}

int SimWorld::AdapterOfInterface(const Guid& guid) const {
  for (int i = 0; i < adapterCount(); ++i) {
    if (Guid::Parse(adapter(i).instanceId) == guid) return i;
  }
  return -1;
}

std::string SimWorld::localAppDataDirectory() const {
  return (fs::path(stateDirectory_) / kLocalAppDataDirName).string();
}

std::string SimWorld::NativePath(std::string_view windowsPath) const {
  if (windowsPath.size() < 3 || (windowsPath[0] != 'C' && windowsPath[0] != 'c') || windowsPath[1] != ':' ||
      windowsPath[2] != '\\') {
    return {};
  }
  std::string relative(windowsPath.substr(3));
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  return (fs::path(stateDirectory_) / kDriveCDirName / relative).string();
}

void SimWorld::Seed() {
  for (int i = 0; i < adapterCount(); ++i) {
    const ScenarioAdapter& a = adapter(i);
    const std::string key = classKeyPath(i);
    registry_.WriteTextDirect(kHkeyLocalMachine, key, "NetCfgInstanceId", a.instanceId);
    registry_.WriteTextDirect(kHkeyLocalMachine, key, "DriverDesc", a.deviceDescription);
    for (const auto& [name, value] : a.registry) registry_.WriteTextDirect(kHkeyLocalMachine, key, name, value);
  }
  registry_.WriteTextDirect(kHkeyCurrentUser, "Volatile Environment", "LOCALAPPDATA", localAppDataDirectory());
}

void SimWorld::ScheduleEvents() {
  for (std::size_t i = 0; i < scenario_.events.size(); ++i) {
    const auto ms = static_cast<UINT>(scenario_.events[i].at * 1000.0 + 0.5);
    // One-shot: the timer kills itself before the event runs.
    const UINT_PTR id = loop_.SetSystemTimer(ms == 0 ? 1 : ms, [this, i](UINT_PTR timerId) {
      loop_.KillSystemTimer(timerId);
      std::erase(eventTimers_, timerId);
      RunEvent(scenario_.events[i]);
    });
    eventTimers_.push_back(id);
  }
}

bool SimWorld::isPresent(int index) const {
  return index >= 0 && index < adapterCount() && adapters_[static_cast<std::size_t>(index)]->present;
}

int SimWorld::plugGeneration(int index) const { return adapters_[static_cast<std::size_t>(index)]->plugGeneration; }

SimDriver& SimWorld::driver(int index) { return *adapters_[static_cast<std::size_t>(index)]->driver; }

SimAssociation& SimWorld::association(int index) { return adapters_[static_cast<std::size_t>(index)]->association; }

SimWps& SimWorld::wps(int index) { return *adapters_[static_cast<std::size_t>(index)]->wps; }

void SimWorld::Plug(int index) {
  if (index < 0 || index >= adapterCount() || isPresent(index)) return;
  auto& slot = *adapters_[static_cast<std::size_t>(index)];
  slot.present = true;
  ++slot.plugGeneration;
  slot.driver->Start();  // reads its parameters from the class key, as at boot
  for (auto& l : presenceListeners_) l(index, true);
  loop_.BroadcastMessage(kWmDeviceChange, kDbtDevNodesChanged, 0);
}

void SimWorld::Unplug(int index) {
  if (!isPresent(index)) return;
  auto& slot = *adapters_[static_cast<std::size_t>(index)];
  slot.present = false;
  slot.driver->Stop();
  const bool wasConnected = slot.association.connected;
  slot.association.connected = false;
  slot.association.network.reset();
  if (wasConnected) driverEvents_.Raise(kMediaConnectEventClass);
  for (auto& l : presenceListeners_) l(index, false);
  loop_.BroadcastMessage(kWmDeviceChange, kDbtDevNodesChanged, 0);
}

void SimWorld::ReportWriteFailure(const std::string& failure) {
  {
    const std::lock_guard lock(failureMutex_);
    writeFailures_.push_back(failure);
    untold_.push_back(failure);
  }
  // Told from the loop, not from inside the registry or service call that failed (which may run
  // on the profile editor's worker): the listener may show a modal message box, whose loop must
  // not run into a half-finished call.
  loop_.PostMessage(statePumpWindow_, StatePump::kTellFailures, 0, 0);
}

bool SimWorld::SaveState() { return registry_.Flush(); }

std::vector<std::string> SimWorld::WriteFailures() const {
  const std::lock_guard lock(failureMutex_);
  return writeFailures_;
}

LRESULT SimWorld::StatePump::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message == kSaveRegistry) {
    world.registry_.Flush();
    return 0;
  }
  if (message != kTellFailures) return 0;
  std::vector<std::string> failures;
  {
    const std::lock_guard lock(world.failureMutex_);
    failures.swap(world.untold_);
  }
  for (const std::string& failure : failures) {
    if (world.writeFailureListener_) world.writeFailureListener_(failure);
  }
  return 0;
}

void SimWorld::AddPresenceListener(std::function<void(int, bool)> listener) {
  presenceListeners_.push_back(std::move(listener));
}

void SimWorld::AssociationChanged(int index) {
  if (index >= 0 && index < adapterCount()) driver(index).htBlockAck().AssociationChanged();
  driverEvents_.Raise(kMediaConnectEventClass);
}

void SimWorld::SetIcvError(int index, bool error) {
  if (index >= 0 && index < adapterCount()) driver(index).SetIcvError(error);
}

bool SimWorld::RunEvent(const ScenarioEvent& event) {
  ++eventsRun_;
  switch (event.action) {
    case EventAction::Unplug:
      Unplug(event.adapter);
      break;
    case EventAction::Plug:
      Plug(event.adapter);
      break;
    case EventAction::IcvError:
      SetIcvError(event.adapter, true);
      break;
    case EventAction::IcvClear:
      SetIcvError(event.adapter, false);
      break;
    case EventAction::AddNetwork:
      if (!event.network) return false;
      networks_.push_back(*event.network);
      break;
    case EventAction::RemoveNetwork:
      std::erase_if(networks_, [&](const ScenarioNetwork& n) { return n.bssid == event.bssid; });
      break;
    case EventAction::PressWpsButton:
      if (!isPresent(event.adapter)) return false;
      wps(event.adapter).PressButton();
      return true;
  }
  if (wlan_) wlan_->NetworksChanged();
  return true;
}

}  // namespace nxui::sim
