#include "sim/SimWorld.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "sim/CaptureNetworks.h"
#include "sim/IeBuilder.h"
#include "sim/ScenarioLoader.h"

namespace nxui::sim {

namespace fs = std::filesystem;

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
      networks_(scenario.networks) {
  for (const auto& a : scenario_.adapters) {
    auto slot = std::make_unique<AdapterSlot>();
    slot->driver = std::make_unique<SimDriver>(a, loop_, registry_, slot->association, driverEvents_);
    slot->wps = std::make_unique<SimWps>(loop_, networks_);
    slot->driver->AttachWps(slot->wps.get());
    adapters_.push_back(std::move(slot));
  }
}

SimWorld::~SimWorld() {
  for (UINT_PTR id : eventTimers_) loop_.KillSystemTimer(id);
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
    fs::create_directories(stateDirectory_, ec);
    if (!fs::is_directory(stateDirectory_)) {
      error = stateDirectory_ + ":0: cannot create the state directory";
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
  const std::string regFile = (fs::path(stateDirectory_) / kRegistryFileName).string();
  if (fs::exists(regFile)) {
    // A corrupt file ends the start and stays as it is.
    if (!registry_.LoadFile(regFile, error)) return false;
  } else {
    Seed();
    if (!registry_.AttachFile(regFile, error)) return false;
  }
  fs::create_directories(localAppDataDirectory(), ec);
  // The program's own directory, where its ini files lie beside the executable.
  const std::string module = NativePath(SimSystemInfo::kModuleFileName);
  fs::create_directories(fs::path(module).parent_path(), ec);

  for (std::size_t i = 0; i < adapters_.size(); ++i) {
    if (scenario_.adapters[i].present) {
      adapters_[i]->present = true;
      adapters_[i]->plugGeneration = 1;
      adapters_[i]->driver->Start();
    }
  }
  if (!LoadCaptureNetworks(scenario_, networks_, error)) return false;
  StartWlanService();
  ScheduleEvents();
  return true;
}

void SimWorld::StartWlanService() {
  wlan_ = std::make_unique<SimWlanService>(loop_, networks_, fs::path(stateDirectory_),
                                           [](const ScenarioNetwork& network) { return BuildNetworkIes(network); });
  wlan_->SetRunning(scenario_.wlanServiceRunning);
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
  if (std::find(a.bands.begin(), a.bands.end(), "5GHz") != a.bands.end()) phyTypes.push_back(kDot11PhyTypeOfdm);
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

void SimWorld::AddPresenceListener(std::function<void(int, bool)> listener) {
  presenceListeners_.push_back(std::move(listener));
}

void SimWorld::AssociationChanged(int) { driverEvents_.Raise(kMediaConnectEventClass); }

void SimWorld::SetIcvError(int index, bool error) {
  if (index >= 0 && index < adapterCount()) driver(index).SetIcvError(error);
}

bool SimWorld::RunEvent(const ScenarioEvent& event) {
  ++eventsRun_;
  if (event.action == "unplug") {
    Unplug(event.adapter);
  } else if (event.action == "plug") {
    Plug(event.adapter);
  } else if (event.action == "icv-error") {
    SetIcvError(event.adapter, true);
  } else if (event.action == "icv-clear") {
    SetIcvError(event.adapter, false);
  } else if (event.action == "press-wps-button") {
    if (!isPresent(event.adapter)) return false;
    wps(event.adapter).PressButton();
    return true;
  } else if (event.action == "add-network" && event.network) {
    networks_.push_back(*event.network);
  } else if (event.action == "remove-network") {
    std::uint8_t target[6];
    std::uint8_t mac[6];
    if (!ParseMacText(event.bssid, target)) return false;
    std::erase_if(networks_, [&](const ScenarioNetwork& n) {
      return ParseMacText(n.bssid, mac) && std::equal(mac, mac + 6, target);
    });
  } else {
    return extraEventHandler && extraEventHandler(event);
  }
  if (wlan_) wlan_->NetworksChanged();
  if (extraEventHandler && (event.action == "add-network" || event.action == "remove-network")) {
    extraEventHandler(event);  // the WLAN service reacts to the changed neighbourhood
  }
  return true;
}

}  // namespace nxui::sim
