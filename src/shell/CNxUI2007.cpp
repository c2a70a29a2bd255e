#include "shell/CNxUI2007.h"

#include <cctype>

#include "platform/ISystemInfo.h"

namespace nxui::shell {

bool IsTrayOnlyCommandLine(std::string_view commandLine) {
  return commandLine.size() == 2 && commandLine[0] == '-' &&
         std::tolower(static_cast<unsigned char>(commandLine[1])) == 's';
}

std::string DirectoryOf(std::string_view path) {
  const std::size_t last = path.find_last_of("\\/");
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

bool CNxUI2007::InitInstance(std::string_view commandLine, const RunHiddenWindow& run, HideDlgOptions options) {
  if (instance_.CreateAndCheckExisting(kInstanceName)) {
    instance_.SignalFirstInstance();
    handedOver_ = true;
    return false;
  }
  owned_ = true;
  settings_ = ResolveSettingsDirectory(registry_, selector_);
  programDirectory_ = DirectoryOf(system_.GetModuleFileName());

  options.showOnStart = !IsTrayOnlyCommandLine(commandLine);
  options.settings = settings_;
  options.programDirectory = programDirectory_;
  if (run) run(options);
  return false;
}

void CNxUI2007::ExitInstance() {
  if (owned_) instance_.Release();
  owned_ = false;
}

}  // namespace nxui::shell
