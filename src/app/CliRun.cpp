#include "app/CliRun.h"

#include <filesystem>
#include <ostream>

#include "adapter/AdapterDiscovery.h"
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
  sim::SimOptions simOptions;
  simOptions.stateDirectory = options.stateDirectory;
  simOptions.temporaryState = options.stateDirectory.empty();
  if (notes != nullptr) {
    simOptions.onStateBusy = [notes](const std::string& directory) {
      *notes << "nxui: waiting for " << directory << ", which another run of nxui is using\n";
      notes->flush();
    };
  }
  run->world_ = sim::SimWorld::Create(loaded.scenario, run->loop_, simOptions, error);
  if (!run->world_) return nullptr;

  sim::SimWorld& world = *run->world_;
  run->platform_ = std::make_unique<Platform>(Platform{world.deviceSetup(), world.deviceIo(), world.registry(),
                                                       world.systemInfo(), world.shell(), world.ipHelper(),
                                                       world.driverEvents(), run->loop_, world.wlan()});
  // The application object chooses the hidden window's options as it does for the GUI (settings
  // directory, program directory, main window shown); the program's ini file lies in the state
  // directory as the GUI keeps it.
  NoInstanceRule instance;
  shell::CNxUI2007 application(world.registry(), world.systemInfo(), instance);
  shell::HideDlgOptions initial;
  initial.programIni = std::filesystem::path(world.stateDirectory()) / "NxUI.ini";
  shell::HideDlgOptions hide;
  application.InitInstance(
      "", [&hide](const shell::HideDlgOptions& chosen) { hide = chosen; }, initial);
  application.ExitInstance();

  run->views_.cardChoice = options.card;
  shell::HideDlgPorts ports{run->views_, run->views_, run->views_, &run->views_};
  // The survey page, once built, hears of the radio and of stale lists.
  shell::HideDlgHooks hooks;
  CliRun* self = run.get();
  hooks.resetSurveyScanState = [self] {
    if (self->survey_) self->survey_->ResetScanState();
  };
  hooks.markSurveyStale = [self] {
    if (self->survey_) self->survey_->MarkStale();
  };
  run->core_ = std::make_unique<shell::NxCore>(*run->platform_, options.language, ports, hide, std::move(hooks));
  run->driverPort_ = std::make_unique<DriverChannelPort>(run->core_->HiddenWindow().Driver());
  run->linkHost_ = std::make_unique<ShellLinkStatusHost>(
      run->core_->HiddenWindow().State(), [self] { return self->surveyShared_.ShowDbm(); },
      [self] { return self->surveyShared_.ConnectedRowIs11n(); });
  return run;
}

CliRun::~CliRun() = default;

void CliRun::Start(bool settle) {
  core_->Start();
  if (Hidden().MainWindow() != nullptr) OpenPages();
  if (!settle) return;
  const double ms = options_.settleSeconds * 1000.0;
  if (ms > 0) loop_.AdvanceBy(static_cast<std::uint64_t>(ms + 0.5));
  loop_.DrainMessages();
}

void CliRun::OpenPages() {
  Survey();
  LinkStatus();
  Statistics();
  About();
  if (auto* window = Hidden().MainWindow()) window->SetPageWindow(shell::PageId::Statistics, statistics_->Window());
  linkStatus_->OnShow();
}

bool CliRun::AdapterReady() {
  const AdapterContext& context = Hidden().Context();
  return context.deviceOpen && !context.devicePath.empty() && IsAdapterPresent(world_->deviceIo(), context);
}

CLinkStatusDlg& CliRun::LinkStatus() {
  if (!linkStatus_) {
    linkStatus_ = std::make_unique<CLinkStatusDlg>(*platform_, Hidden().Context(), *driverPort_, Hidden().Session(),
                                                   Strings(), *linkHost_);
    linkStatus_->OnInitDialog();
  }
  return *linkStatus_;
}

CPageStatisticsDlg& CliRun::Statistics() {
  if (!statistics_) {
    statistics_ =
        std::make_unique<CPageStatisticsDlg>(loop_, *driverPort_, Hidden().Session(), Strings(), linkStatus_.get());
    statistics_->OnInitDialog();
  }
  return *statistics_;
}

CPageAboutDlg& CliRun::About() {
  if (!about_) {
    about_ =
        std::make_unique<CPageAboutDlg>(*platform_, Hidden().Context(), *driverPort_, Strings(), ThisProgramVersion());
    about_->OnInitDialog();
  }
  return *about_;
}

CAPDetailInfoDlg& CliRun::ApDetails() {
  if (!apDetails_) {
    apDetails_ = std::make_unique<CAPDetailInfoDlg>(Strings(), [this](int panel) {
      if (auto* window = Hidden().MainWindow()) window->ShowPanel(panel);
    });
  }
  return *apDetails_;
}

CPageSiteSurveyDlg& CliRun::Survey() {
  if (!survey_) {
    surveyHost_ = std::make_unique<HideDlgSurveyHost>(Hidden(), *platform_, ApDetails());
    survey_ = std::make_unique<CPageSiteSurveyDlg>(loop_, Hidden().Session(), Strings(), *surveyHost_, surveyShared_,
                                                   surveySelection_);
    survey_->OnInitDialog();
  }
  return *survey_;
}

}  // namespace nxui::cli
