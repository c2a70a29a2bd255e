// The whole core on the simulated machine under virtual time, with the profile page built as the
// main window builds it: the hidden window (and its adapter-ready restore), the store in the
// user's settings directory of the state folder, the page with a recording editor.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "platform/VirtualEventLoop.h"
#include "profiles/CPageProfileDlg.h"
#include "profiles/IProfileEditorHost.h"
#include "shell/HeadlessViews.h"
#include "shell/HideDlgProfileHost.h"
#include "shell/NxCore.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWorld.h"

namespace nxui::test {

class RecordingEditor final : public IProfileEditorHost {
 public:
  void OpenForNewProfile() override { opened.push_back("<new>"); }
  void OpenForProfile(const std::string& name) override { opened.push_back(name); }
  bool Visible() const override { return visible; }
  void Close() override {
    visible = false;
    ++closed;
  }
  std::vector<std::string> opened;
  bool visible = false;
  int closed = 0;
};

inline sim::ScenarioNetwork Network(const std::string& ssid, std::string_view bssid, sim::AuthKind auth,
                                    sim::CipherKind cipher, const std::string& passphrase, int rssi = -50) {
  sim::ScenarioNetwork n;
  n.ssid = ssid;
  n.bssid = sim::ParseMac(bssid).value_or(sim::MacAddress{});
  n.rssi = rssi;
  n.security.auth = auth;
  n.security.cipher = cipher;
  n.security.passphrase = passphrase;
  return n;
}

// The embedded adapter with a WPA2-PSK, an open and an ad hoc network in range and no platform
// profile, so that nothing connects unless the utility asks.
inline sim::Scenario ProfileScenario() {
  // The embedded scenario always loads (its own tests say so); only its networks are replaced.
  sim::Scenario s = sim::ScenarioLoader::LoadEmbedded().scenario;
  s.networks = {
      Network("Norvix-Home", "00-1D-7E-42-10-01", sim::AuthKind::Wpa2Psk, sim::CipherKind::Aes, "sunflower-42", -48),
      Network("CoffeeCorner", "00-14-BF-33-20-02", sim::AuthKind::Open, sim::CipherKind::None, "", -67)};
  sim::ScenarioNetwork adhoc =
      Network("LAN-Party", "02-1F-3C-99-70-07", sim::AuthKind::Open, sim::CipherKind::None, "", -70);
  adhoc.bssType = sim::BssKind::Independent;
  adhoc.channel = 10;
  s.networks.push_back(adhoc);
  s.platformProfiles.clear();
  return s;
}

class ProfileWorld {
 public:
  // `stateDirectory` empty: a fresh one removed with the world.
  explicit ProfileWorld(const sim::Scenario& scenario, const std::string& stateDirectory = "") {
    sim::SimOptions options{stateDirectory, stateDirectory.empty()};
    world = sim::SimWorld::Create(scenario, loop, options, error);
    if (!world) return;
    platform = std::make_unique<Platform>(Platform{world->deviceSetup(), world->deviceIo(), world->registry(),
                                                   world->systemInfo(), world->shell(), world->ipHelper(),
                                                   world->driverEvents(), loop, world->wlan(), world->random()});
    const std::filesystem::path state = world->stateDirectory();
    shell::HideDlgOptions hide;
    hide.settings.path = (state / sim::kLocalAppDataDirName).string() + "/";
    hide.programIni = state / "NxUI.ini";
    hide.adapterListFile = state / "NxUI.INI";
    hide.traceFile = state / "trace.txt";
    shell::HideDlgPorts ports{views, views, views, &views};
    core = std::make_unique<shell::NxCore>(*platform, Language::kEnglish, ports, hide);
  }

  // The hidden window's initialisation (adapter-ready: the station restored), then the page.
  void Start() {
    core->Start();
    loop.DrainMessages();
    host = std::make_unique<shell::HideDlgProfileHost>(core->HiddenWindow(), world->registry(), strings());
    page = std::make_unique<CPageProfileDlg>(loop, core->HiddenWindow().Session(), core->Profiles(), core->Station(),
                                             strings(), *host, editor);
    page->OnInitDialog();
  }

  // Long enough for a connection attempt to end and the tray to follow.
  void Settle(std::uint64_t ms = 4000) {
    loop.AdvanceBy(ms);
    loop.DrainMessages();
  }

  const StringTable& strings() const { return core->Strings(); }
  ProfileStore& store() { return core->Profiles(); }
  shell::CHideDlg& hidden() { return core->HiddenWindow(); }
  std::filesystem::path Settings() const { return std::filesystem::path(world->stateDirectory()) / "LocalAppData"; }

  int Row(const std::string& name) const {
    const auto& rows = page->State().rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].texts.name == name) return static_cast<int>(i);
    }
    return -1;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& row : page->State().rows) names.push_back(row.texts.name);
    return names;
  }
  // The SSID the platform reports as connected, "" when none.
  std::string ConnectedSsid() {
    int connected = 0;
    SsidRecord ssid{};
    WlanSession& session = hidden().Session();
    if (session.IsConnected(connected) != kErrorSuccess || connected == 0) return {};
    if (session.CurrentSsid(ssid) != kErrorSuccess) return {};
    return std::string(reinterpret_cast<const char*>(ssid.data() + 4), std::min<std::uint32_t>(ssid[0], 32));
  }

  VirtualEventLoop loop;
  std::string error;
  std::unique_ptr<sim::SimWorld> world;
  std::unique_ptr<Platform> platform;
  shell::HeadlessViews views;
  std::unique_ptr<shell::NxCore> core;
  RecordingEditor editor;
  std::unique_ptr<shell::HideDlgProfileHost> host;
  std::unique_ptr<CPageProfileDlg> page;
};

// A WPA2-PSK profile; `psk` as the user typed it.
inline ProfileRecord PskProfile(const std::string& name, const std::string& ssid, const std::string& psk) {
  ProfileRecord r;
  r.name = name;
  r.ssid = ssid;
  r.networkType = "1";
  r.authMode = "7";
  r.cipherMode = "6";
  r.wpaPsk = psk;
  r.channel = "1";
  r.txPower = "0";
  r.psMode = "0";
  r.use8021X = "0";
  r.useRts = "0";
  r.rtsThresh = "2347";
  r.useFrag = "0";
  r.fragThresh = "2346";
  r.wepKeyUse = "1";
  return r;
}

inline ProfileRecord OpenProfile(const std::string& name, const std::string& ssid) {
  ProfileRecord r = PskProfile(name, ssid, "");
  r.authMode = "0";
  r.cipherMode = "1";
  return r;
}

}  // namespace nxui::test
