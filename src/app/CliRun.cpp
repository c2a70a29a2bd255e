#include "app/CliRun.h"

#include <filesystem>
#include <ostream>

#include "adapter/AdapterDiscovery.h"
#include "adapter/AdapterListFile.h"
#include "platform/ISystemInfo.h"
#include "shell/CNxUI2007.h"
#include "sim/ScenarioLoader.h"

#ifndef NXUI_VERSION
#define NXUI_VERSION "0.0.0"
#endif

namespace nxui::cli {

namespace {

// The single-instance rule applies to the GUI only: command-line runs never meet another instance.
class NoInstanceRule final : public shell::ISingleInstance {
 public:
  bool CreateAndCheckExisting(std::string_view) override { return false; }
  void SignalFirstInstance() override {}
  void Release() override {}
};

FileVersion ParseVersion(const std::string& text) {
  int parts[4] = {0, 0, 0, 0};
  std::size_t part = 0;
  for (char c : text) {
    if (c == '.') {
      if (++part == 4) break;
    } else if (c >= '0' && c <= '9') {
      parts[part] = parts[part] * 10 + (c - '0');
    }
  }
  FileVersion version;
  version.major = static_cast<std::uint16_t>(parts[0]);
  version.minor = static_cast<std::uint16_t>(parts[1]);
  version.build = static_cast<std::uint16_t>(parts[2]);
  version.revision = static_cast<std::uint16_t>(parts[3]);
  return version;
}

}  // namespace

ProgramVersionResource ThisProgramVersion() {
  return ProgramVersionResource{ParseVersion(NXUI_VERSION), "Copyright (C) Norvix. All rights reserved."};
}

std::unique_ptr<CliRun> CliRun::Create(const CliOptions& options, std::string& error, std::ostream* notes) {
  const sim::ScenarioLoadResult loaded = options.scenarioFile.empty()
                                             ? sim::ScenarioLoader::LoadEmbedded()
                                             : sim::ScenarioLoader::LoadFile(options.scenarioFile);
  if (!loaded.ok) {
    error = loaded.error;
    return nullptr;
  }
  std::unique_ptr<CliRun> run(new CliRun(options));
  sim::SimOptions simOptions{options.stateDirectory, options.stateDirectory.empty()};
  if (notes != nullptr) {
    simOptions.onStateBusy = [notes](const std::string& directory) {
      *notes << "nxui: waiting for " << directory << ", which another run of nxui is using\n";
      notes->flush();
    };
  }
  run->machine_ = sim::SimMachine::Create(loaded.scenario, run->loop_, simOptions, error);
  if (!run->machine_) return nullptr;

  Platform& ports = run->machine_->Ports();
  // The application object chooses the hidden window's options as it does for the GUI (settings
  // directory, program directory, main window shown); the program's ini file lies beside the
  // machine's executable as the GUI reads it.
  NoInstanceRule instance;
  shell::CNxUI2007 application(ports.registry, ports.systemInfo, instance);
  shell::HideDlgOptions initial;
  initial.programIni = run->machine_->LocalPath(shell::ProgramIniPath(ports.systemInfo.GetModuleFileName()).string());
  // Beside the simulated executable, in the state's drive C, not relative to the working directory.
  initial.adapterListFile =
      AdapterListFilePath(run->machine_->LocalPath(ports.systemInfo.GetModuleFileName()).string());
  shell::HideDlgOptions hide;
  application.InitInstance(
      "", [&hide](const shell::HideDlgOptions& chosen) { hide = chosen; }, initial);
  application.ExitInstance();

  run->views_.cardChoice = options.card;
  shell::HideDlgPorts views{run->views_, run->views_, run->views_, &run->views_};
  run->core_ = std::make_unique<shell::NxCore>(ports, options.language, views, hide);
  run->pages_ = run->core_->MakePages(ThisProgramVersion());
  return run;
}

CliRun::~CliRun() {
  // The pages go before the core they read.
  pages_.reset();
}

void CliRun::Start(bool settle) {
  core_->Start();
  // What the GUI does when the main window opens: every page built, the shown ones shown.
  if (Hidden().MainWindow() != nullptr) {
    pages_->BuildAll();
    pages_->Sync();
  }
  if (!settle) return;
  const double ms = options_.settleSeconds * 1000.0;
  if (ms > 0) loop_.AdvanceBy(static_cast<std::uint64_t>(ms + 0.5));
  loop_.DrainMessages();
}

bool CliRun::AdapterReady() {
  const AdapterContext& context = Hidden().Context();
  return context.deviceOpen && !context.devicePath.empty() && IsAdapterPresent(machine_->Ports().deviceIo, context);
}

template <class Page>
Page& CliRun::PageAt(shell::PageKey key) {
  // The page table builds these classes at these keys.
  return *pages_->As<Page>(key);
}

CPageProfileDlg& CliRun::Profiles() { return PageAt<CPageProfileDlg>(shell::PageKey::Page(shell::PageId::Profile)); }
CProfileEditorDlg& CliRun::ProfileEditor() {
  return PageAt<CProfileEditorDlg>(shell::PageKey::Panel(CProfileEditorDlg::kPanel));
}
CLinkStatusDlg& CliRun::LinkStatus() { return PageAt<CLinkStatusDlg>(shell::PageKey::Panel(kPanelLinkStatus)); }
CPageStatisticsDlg& CliRun::Statistics() {
  return PageAt<CPageStatisticsDlg>(shell::PageKey::Page(shell::PageId::Statistics));
}
CPageAboutDlg& CliRun::About() { return PageAt<CPageAboutDlg>(shell::PageKey::Page(shell::PageId::About)); }
CAPDetailInfoDlg& CliRun::ApDetails() {
  return PageAt<CAPDetailInfoDlg>(shell::PageKey::Panel(CAPDetailInfoDlg::kPanel));
}
CPageSiteSurveyDlg& CliRun::Survey() {
  return PageAt<CPageSiteSurveyDlg>(shell::PageKey::Page(shell::PageId::Network));
}

CAuthenStatusDlg& CliRun::AuthenStatus() {
  return PageAt<CAuthenStatusDlg>(shell::PageKey::Panel(CAuthenStatusDlg::kPanel));
}
CInvalidIDPW& CliRun::InvalidIdPw() { return PageAt<CInvalidIDPW>(shell::PageKey::Panel(CInvalidIDPW::kPanel)); }
CPeapSettingDlg& CliRun::PeapSettings() {
  return PageAt<CPeapSettingDlg>(shell::PageKey::Panel(CPeapSettingDlg::kPanel));
}
CPageSSODlg& CliRun::Sso() { return PageAt<CPageSSODlg>(shell::PageKey::Page(shell::PageId::Sso)); }
CPage80211nSettingDlg& CliRun::HtSettings() {
  return PageAt<CPage80211nSettingDlg>(shell::PageKey::Page(shell::PageId::Dot11n));
}
CAddBlockAckDlg& CliRun::AddBlockAck() {
  return PageAt<CAddBlockAckDlg>(shell::PageKey::Panel(CAddBlockAckDlg::kPanel));
}
CDeleteBlockAckDlg& CliRun::DeleteBlockAck() {
  return PageAt<CDeleteBlockAckDlg>(shell::PageKey::Panel(CDeleteBlockAckDlg::kPanel));
}
CPageWPSDlg& CliRun::Wps() { return PageAt<CPageWPSDlg>(shell::PageKey::Page(shell::PageId::Wps)); }
CPageWPSProfile& CliRun::WpsProfile() {
  return PageAt<CPageWPSProfile>(shell::PageKey::Panel(CPageWPSProfile::kPanel));
}

}  // namespace nxui::cli
