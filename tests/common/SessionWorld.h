// A WLAN session on the simulated machine under virtual time, without the windows around it:
// discovery fills the adapter context, and the driver channel and the WLAN session run against the
// simulated driver and service. Page tests and benchmarks build their page on top of it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "adapter/AdapterDiscovery.h"
#include "adapter/DriverChannel.h"
#include "adapter/DriverChannelPort.h"
#include "adapter/ICardChooser.h"
#include "adapter/SystemChecks.h"
#include "common/SimTestHelpers.h"
#include "display/StringTable.h"
#include "platform/VirtualEventLoop.h"
#include "sim/SimWorld.h"
#include "wlan/WlanSession.h"

namespace nxui::test {

class FirstCardChooser final : public ICardChooser {
 public:
  void RunModal(CSelCardDlg&) override {}
};

class SessionWorld {
 public:
  explicit SessionWorld(const sim::Scenario& scenario) {
    world = sim::SimWorld::Create(scenario, loop, sim::SimOptions{"", true}, error);
    if (!world) return;
    ClassifySystem(world->systemInfo(), context);
    AdapterDiscovery discovery(
        world->deviceSetup(), world->deviceIo(), std::filesystem::path(world->stateDirectory()) / "NxUI.INI", chooser,
        [](const std::string&, bool) {}, false);
    discovered = discovery.DiscoverAdapter(context);
    channel = std::make_unique<DriverChannel>(world->deviceIo(), loop, context);
    driver = std::make_unique<DriverChannelPort>(*channel);
    session = std::make_unique<WlanSession>(world->wlan(), loop, *driver);
    session->Open();
    session->Start(context.displayName, 0, false);
  }

  ~SessionWorld() {
    if (world) ExpectArmedFaultsFired(world->faults());
  }

  bool Ready() const { return world != nullptr && discovered; }

  // Connects to a network in range without a profile, as a survey pick does.
  void ConnectTo(const std::string& ssid) {
    WlanConnectionParameters parameters;
    parameters.connectionMode = kWlanConnectionModeDiscoveryUnsecure;
    parameters.hasSsid = true;
    parameters.ssid = Dot11Ssid::FromText(ssid);
    world->wlan().Connect(session->ClientHandle(), session->InterfaceInfo().interfaceGuid, parameters);
    loop.AdvanceBy(sim::SimWlanService::kConnectDelayMs + 10);
  }

  VirtualEventLoop loop;
  std::string error;
  std::unique_ptr<sim::SimWorld> world;
  AdapterContext context;
  FirstCardChooser chooser;
  bool discovered = false;
  std::unique_ptr<DriverChannel> channel;
  std::unique_ptr<DriverChannelPort> driver;
  std::unique_ptr<WlanSession> session;
  StringTable strings{Language::kEnglish};
};

}  // namespace nxui::test
