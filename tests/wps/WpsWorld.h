// The whole core on the simulated machine under virtual time, with a stand-in for the WPS page: it
// lists the scan entries that carry a WPS element, keeps the credential rows and their marks, the
// status line and the progress, and forwards its timers to the engine as the page does.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "base/ByteReader.h"
#include "platform/Platform.h"
#include "platform/VirtualEventLoop.h"
#include "scan/ScanEntryRecord.h"
#include "shell/HeadlessViews.h"
#include "shell/NxCore.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWorld.h"
#include "wps/WpsEngine.h"

namespace nxui::test {

class FakeWpsPage final : public IWpsPage, public IMessageTarget {
 public:
  FakeWpsPage(IEventLoop& loop, WpsEngine& engine, WlanSession& session)
      : loop_(loop), engine_(engine), session_(session), window_(loop.CreateWindow(*this)) {}
  ~FakeWpsPage() override { loop_.DestroyWindow(window_); }

  // Creation as the page does it: hand-over, then its timers.
  void Create() {
    engine_.AttachPage(*this);
    RebuildCredentialList();
    engine_.StartPageTimers();
  }
  void Destroy() { engine_.DetachPage(); }

  void OnTimer(UINT_PTR id) override { engine_.OnPageTimer(id); }
  LRESULT OnMessage(UINT, WPARAM, LPARAM) override { return 0; }

  HWND Window() const override { return window_; }
  void SetStatusText(const std::string& text) override { status = text; }
  void SetProgress(int percent) override { progress = percent; }
  int Progress() const override { return progress; }
  void EnableRescan(bool enabled) override { rescanEnabled = enabled; }
  void EnablePbc(bool enabled) override { pbcEnabled = enabled; }
  void RefillApList() override {
    std::vector<std::uint8_t> buffer(65536);
    entries.clear();
    if (session_.BuildScanList(buffer) != 0) return;
    ByteReader r(buffer);
    std::uint32_t count = 0;
    r.le32(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::size_t at = r.position();
      std::uint32_t length = 0;
      if (!r.le32(length) || length < 4 || !r.skip(length - 4)) break;
      std::vector<std::uint8_t> entry(buffer.begin() + static_cast<std::ptrdiff_t>(at),
                                      buffer.begin() + static_cast<std::ptrdiff_t>(at + length));
      static const std::uint8_t kWpsOui[] = {0x00, 0x50, 0xF2, 0x04};
      if (std::search(entry.begin(), entry.end(), kWpsOui, kWpsOui + 4) != entry.end()) entries.push_back(entry);
    }
    if (selected >= static_cast<int>(entries.size())) selected = -1;
  }
  int ApRowCount() const override { return static_cast<int>(entries.size()); }
  int SelectedApRow() const override { return selected; }
  std::span<const std::uint8_t> ApScanEntry(int row) const override {
    if (row < 0 || row >= ApRowCount()) return {};
    return entries[static_cast<std::size_t>(row)];
  }
  void ClearCredentialList() override { marks.clear(); }
  void RebuildCredentialList() override {
    engine_.MutableState().currentCredential = 0;
    engine_.MutableState().nextCredential = 0;
    marks.assign(engine_.State().table.count, kCredentialUnmarked);
  }
  void MarkCredential(int row, int mark) override {
    for (int& m : marks) m = kCredentialUnmarked;
    if (row >= 0 && row < static_cast<int>(marks.size())) marks[static_cast<std::size_t>(row)] = mark;
  }
  void RefreshButtons() override { ++buttonRefreshes; }
  bool AssocIeChecked() const override { return assocIe; }
  bool ProbeIeChecked() const override { return probeIe; }
  std::string PinText() const override { return pinText; }
  void ShowPinTip(const std::string& text) override { tips.push_back(text); }
  void ShowPinMessage(const std::string& text) override { messages.push_back(text); }

  // Selects the listed access point of that name (refilling the list first).
  bool Select(const std::string& ssid) {
    RefillApList();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      ScanEntryRecord record;
      if (ReadScanEntry(entries[i], record) && record.SsidText() == ssid) {
        selected = static_cast<int>(i);
        return true;
      }
    }
    return false;
  }

  std::string status = "WPS status is not used";
  int progress = 0;
  bool rescanEnabled = true;
  bool pbcEnabled = true;
  int buttonRefreshes = 0;
  bool assocIe = true;
  bool probeIe = true;
  std::string pinText = "12345670";
  std::vector<std::string> tips;
  std::vector<std::string> messages;
  std::vector<int> marks;
  std::vector<std::vector<std::uint8_t>> entries;
  int selected = -1;

 private:
  IEventLoop& loop_;
  WpsEngine& engine_;
  WlanSession& session_;
  HWND window_;
};

// The embedded world, without a platform profile so nothing connects unless asked.
inline sim::Scenario WpsScenario() {
  sim::Scenario s = sim::ScenarioLoader::LoadEmbedded().scenario;
  s.platformProfiles.clear();
  return s;
}

inline sim::ScenarioNetwork& NetworkNamed(sim::Scenario& s, const std::string& ssid) {
  for (auto& n : s.networks) {
    if (n.ssid == ssid) return n;
  }
  return s.networks.front();
}

class WpsWorld {
 public:
  // `stateDirectory` empty: a fresh one removed with the world.
  explicit WpsWorld(const sim::Scenario& scenario, const std::string& stateDirectory = "") {
    sim::SimOptions options{stateDirectory, stateDirectory.empty()};
    world = sim::SimWorld::Create(scenario, loop, options, error);
    if (!world) return;
    platform = std::make_unique<Platform>(Platform{world->deviceSetup(), world->deviceIo(), world->registry(),
                                                   world->systemInfo(), world->shell(), world->ipHelper(),
                                                   world->driverEvents(), loop, world->wlan(), world->random()});
    const std::filesystem::path state = world->stateDirectory();
    shell::HideDlgOptions hide;
    hide.showOnStart = false;
    hide.settings.path = (state / sim::kLocalAppDataDirName).string() + "/";
    hide.programIni = state / "NxUI.ini";
    hide.adapterListFile = state / "NxUI.INI";
    hide.traceFile = state / "trace.txt";
    shell::HideDlgPorts ports{views, views, views, &views};
    core = std::make_unique<shell::NxCore>(*platform, Language::kEnglish, ports, hide);
  }
  ~WpsWorld() {
    page.reset();
    core.reset();
  }

  // The hidden window's initialisation and the first scan; `withPage` also creates the page.
  void Start(bool withPage = true) {
    core->Start();
    Settle(6000);
    if (withPage) {
      page = std::make_unique<FakeWpsPage>(loop, engine(), hidden().Session());
      page->Create();
    }
  }
  void Settle(std::uint64_t ms) {
    loop.AdvanceBy(ms);
    loop.DrainMessages();
  }

  WpsEngine& engine() { return core->Wps(); }
  const WpsEngineState& state() { return engine().State(); }
  shell::CHideDlg& hidden() { return core->HiddenWindow(); }
  ProfileStore& store() { return core->Profiles(); }
  sim::SimDriver& driver() { return world->driver(0); }
  sim::SimWps& simWps() { return world->wps(0); }

  // The SSID the platform reports as connected, "" when none.
  std::string ConnectedSsid() {
    int connected = 0;
    SsidRecord ssid{};
    if (hidden().Session().IsConnected(connected) != 0 || connected == 0) return "";
    if (hidden().Session().CurrentSsid(ssid) != 0) return "";
    return std::string(reinterpret_cast<const char*>(ssid.data() + 4),
                       std::min<std::uint32_t>(LoadLe32(ssid.data()), 32));
  }
  std::string WpsFileText() {
    std::ifstream in(store().FilePath(StoreFileKind::Wps), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool HiddenTimer(UINT_PTR id) { return loop.TimerPeriod(hidden().Window(), id) != 0; }
  bool PageTimer(UINT_PTR id) { return page && loop.TimerPeriod(page->Window(), id) != 0; }

  VirtualEventLoop loop;
  std::string error;
  std::unique_ptr<sim::SimWorld> world;
  std::unique_ptr<Platform> platform;
  shell::HeadlessViews views;
  std::unique_ptr<shell::NxCore> core;
  std::unique_ptr<FakeWpsPage> page;
};

}  // namespace nxui::test
