// The application object: one instance only, the settings directory, the program directory, the
// "-s" switch, then the hidden window run modally. The process ends when that window's loop ends.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "adapter/SettingsDirectory.h"
#include "shell/CHideDlg.h"
#include "shell/ISingleInstance.h"

namespace nxui::shell {

inline constexpr const char* kInstanceName = "TERN";
inline constexpr const char* kMainWindowTitle = "NxUI";

// True only when the whole command line is "-s", in any case.
bool IsTrayOnlyCommandLine(std::string_view commandLine);

// The directory part of a path, up to and including its last separator ("\" or "/").
std::string DirectoryOf(std::string_view path);

class CNxUI2007 {
 public:
  // Builds and runs the hidden window modally with the options start-up chose.
  using RunHiddenWindow = std::function<void(const HideDlgOptions& options)>;

  CNxUI2007(IRegistry& registry, ISystemInfo& system, ISingleInstance& instance,
            std::filesystem::path settingsSelector = "setting")
      : registry_(registry), system_(system), instance_(instance), selector_(std::move(settingsSelector)) {}

  // Always false: the process ends with the hidden window (or at once for a second instance).
  bool InitInstance(std::string_view commandLine, const RunHiddenWindow& run, HideDlgOptions options = {});
  void ExitInstance();

  bool HandedOver() const { return handedOver_; }
  const SettingsDirectory& Settings() const { return settings_; }
  const std::string& ProgramDirectory() const { return programDirectory_; }

 private:
  IRegistry& registry_;
  ISystemInfo& system_;
  ISingleInstance& instance_;
  std::filesystem::path selector_;
  bool handedOver_ = false;
  bool owned_ = false;
  SettingsDirectory settings_;
  std::string programDirectory_;
};

}  // namespace nxui::shell
