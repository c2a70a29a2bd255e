#include "ui/GuiCore.h"

#include <cstdlib>
#include <filesystem>

#include "adapter/AdapterListFile.h"
#include "platform/ISystemInfo.h"

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

GuiCore::GuiCore(IEventLoop& loop, std::unique_ptr<IMachine> machine, const GuiOptions& options)
    : loop_(loop),
      options_(options),
      strings_(StringTable::ChooseLanguage(options.language, SystemLocale())),
      machine_(std::move(machine)) {}

GuiCore::~GuiCore() { Stop(); }

std::unique_ptr<GuiCore> GuiCore::Create(IEventLoop& loop, const GuiOptions& options, std::string& error) {
  if (!options.machine) {
    error = "no machine to run on";
    return nullptr;
  }
  std::unique_ptr<IMachine> machine = options.machine(loop, error);
  if (!machine) return nullptr;
  return std::make_unique<GuiCore>(loop, std::move(machine), options);
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

std::filesystem::path GuiCore::ProgramIni() const {
  if (!options_.programIni.empty()) return options_.programIni;
  // Beside the machine's executable, not resolved against the working directory.
  return machine_->LocalPath(shell::ProgramIniPath(machine_->Ports().systemInfo.GetModuleFileName()).string());
}

shell::HideDlgOptions GuiCore::DefaultHideOptions() const {
  shell::HideDlgOptions hide;
  hide.programIni = ProgramIni();
  return hide;
}

void GuiCore::Start(const Ports& ports, shell::HideDlgOptions hideOptions) {
  Stop();
  const Platform& m = machine_->Ports();
  IShell& shellPort = ports.shell != nullptr ? *ports.shell : m.shell;
  IRandom& random = ports.random != nullptr ? *ports.random : m.random;
  platform_.emplace(Platform{m.deviceSetup, m.deviceIo, m.registry, m.systemInfo, shellPort, m.ipHelper, m.driverEvents,
                             loop_, m.wlan, random});
  if (hideOptions.programIni.empty()) hideOptions.programIni = ProgramIni();
  // The adapter-list file lies beside the machine's executable too, not below the working directory.
  if (hideOptions.adapterListFile.empty()) {
    const std::filesystem::path executable = machine_->LocalPath(m.systemInfo.GetModuleFileName());
    if (!executable.empty()) hideOptions.adapterListFile = AdapterListFilePath(executable.string());
  }
  shell::HideDlgPorts hidePorts{*ports.messageBox, *ports.trayMenu, *ports.cardChooser, ports.mainWindowView};
  shell::HideDlgHooks hooks;
  hooks.ended = ports.ended;
  core_ = std::make_unique<shell::NxCore>(*platform_, strings_.language(), hidePorts, std::move(hideOptions),
                                          std::move(hooks));
  // What the machine could not save reaches the user as the core's other messages do.
  machine_->SetWriteFailureListener([this](const std::string& failure) {
    if (core_) core_->HiddenWindow().Messages().ShowMessage("Could not save " + failure);
  });
  core_->Start();
}

void GuiCore::Stop() {
  machine_->SetWriteFailureListener(nullptr);
  core_.reset();
  platform_.reset();
}

}  // namespace nxui
