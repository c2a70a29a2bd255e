#include "ui/GuiCore.h"

#include <cstdlib>
#include <filesystem>

#include "sim/ScenarioLoader.h"
#include "sim/SimOptions.h"

namespace nxui {
namespace {

std::string SystemLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace

FileVersion ParseFileVersion(const std::string& text) {
  std::uint16_t parts[4] = {};
  std::size_t index = 0;
  unsigned value = 0;
  bool any = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      value = value * 10 + static_cast<unsigned>(c - '0');
      if (value > 0xFFFF) value = 0xFFFF;
      any = true;
    } else if (c == '.' && any && index < 3) {
      parts[index++] = static_cast<std::uint16_t>(value);
      value = 0;
      any = false;
    } else {
      break;
    }
  }
  if (any) parts[index] = static_cast<std::uint16_t>(value);
  return FileVersion{parts[0], parts[1], parts[2], parts[3]};
}

GuiCore::GuiCore(IEventLoop& loop, const GuiOptions& options)
    : loop_(loop), options_(options), strings_(StringTable::ChooseLanguage(options.language, SystemLocale())) {}

GuiCore::~GuiCore() { Stop(); }

std::unique_ptr<GuiCore> GuiCore::Create(IEventLoop& loop, const GuiOptions& options, std::string& error) {
  const sim::ScenarioLoadResult loaded = options.scenarioFile.empty()
                                             ? sim::ScenarioLoader::LoadEmbedded()
                                             : sim::ScenarioLoader::LoadFile(options.scenarioFile);
  if (!loaded.ok) {
    error = loaded.error;
    return nullptr;
  }
  return Create(loop, loaded.scenario, options, error);
}

std::unique_ptr<GuiCore> GuiCore::Create(IEventLoop& loop, const sim::Scenario& scenario, const GuiOptions& options,
                                         std::string& error) {
  std::unique_ptr<GuiCore> core(new GuiCore(loop, options));
  sim::SimOptions simOptions;
  simOptions.stateDirectory = options.stateDirectory;
  simOptions.temporaryState = options.stateDirectory.empty();
  core->world_ = sim::SimWorld::Create(scenario, loop, simOptions, error);
  if (!core->world_) return nullptr;
  return core;
}

shell::StringLookup GuiCore::Lookup() const {
  return [this](std::uint32_t id) { return Strings().LoadString(id); };
}

std::optional<ProgramVersionResource> GuiCore::ProgramVersion() const {
  ProgramVersionResource resource;
  resource.fileVersion = ParseFileVersion(options_.version);
  resource.legalCopyright = options_.legalCopyright;
  return resource;
}

shell::HideDlgOptions GuiCore::DefaultHideOptions() const {
  shell::HideDlgOptions hide;
  if (!options_.programIni.empty()) {
    hide.programIni = options_.programIni;
  } else if (!options_.stateDirectory.empty()) {
    hide.programIni = std::filesystem::path(options_.stateDirectory) / "NxUI.ini";
  }
  return hide;
}

void GuiCore::Start(const Ports& ports, shell::HideDlgOptions hideOptions) {
  Stop();
  sim::SimWorld& w = *world_;
  IShell& shellPort = ports.shell != nullptr ? *ports.shell : static_cast<IShell&>(w.shell());
  platform_.emplace(Platform{w.deviceSetup(), w.deviceIo(), w.registry(), w.systemInfo(), shellPort, w.ipHelper(),
                             w.driverEvents(), loop_, w.wlan()});
  // A program ini that does not exist must not fall back to a path of the simulated machine
  // resolved against the working directory.
  if (hideOptions.programIni.empty()) {
    hideOptions.programIni = std::filesystem::path(w.stateDirectory()) / "NxUI.ini";
  }
  shell::HideDlgPorts hidePorts{*ports.messageBox, *ports.trayMenu, *ports.cardChooser, ports.mainWindowView};
  shell::HideDlgHooks hooks;
  hooks.resetSurveyScanState = [this] {
    if (surveyPage_ != nullptr) surveyPage_->ResetScanState();
  };
  hooks.markSurveyStale = [this] {
    if (surveyPage_ != nullptr) surveyPage_->MarkStale();
  };
  core_ = std::make_unique<shell::NxCore>(*platform_, strings_.language(), hidePorts, std::move(hideOptions),
                                          std::move(hooks));
  // What the simulated machine could not save reaches the user as the core's other messages do.
  w.SetWriteFailureListener([this](const std::string& failure) {
    if (core_) core_->HiddenWindow().Messages().ShowMessage("Could not save " + failure);
  });
  core_->Start();
}

void GuiCore::Stop() {
  if (world_) world_->SetWriteFailureListener(nullptr);
  core_.reset();
  platform_.reset();
}

}  // namespace nxui
