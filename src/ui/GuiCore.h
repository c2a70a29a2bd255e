// The whole program on one machine, as the graphical front end and the headless rendering run it:
// the machine the program chose, the platform the core sees (with the front end's tray in place
// of the machine's shell) and the core with its hidden window.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "adapter/ICardChooser.h"
#include "display/StringTable.h"
#include "platform/IMachine.h"
#include "platform/Platform.h"
#include "shell/CHideDlg.h"
#include "shell/CMessageBoxDlg.h"
#include "shell/CPageAboutDlg.h"
#include "shell/IMainWindowView.h"
#include "shell/ITrayMenu.h"
#include "shell/NxCore.h"
#include "ui/GuiOptions.h"

namespace nxui {

class GuiCore {
 public:
  struct Ports {
    shell::IMessageBoxView* messageBox = nullptr;
    shell::ITrayMenu* trayMenu = nullptr;
    ICardChooser* cardChooser = nullptr;
    shell::IMainWindowView* mainWindowView = nullptr;
    IShell* shell = nullptr;    // null: the machine's own shell
    IRandom* random = nullptr;  // null: the machine's own generator
    // Called once when "Exit" ends the hidden window's modal loop.
    std::function<void()> ended;
  };

  // Makes the options' machine on the loop; null with `error` naming file and line.
  static std::unique_ptr<GuiCore> Create(IEventLoop& loop, const GuiOptions& options, std::string& error);
  GuiCore(IEventLoop& loop, std::unique_ptr<IMachine> machine, const GuiOptions& options);
  ~GuiCore();
  GuiCore(const GuiCore&) = delete;
  GuiCore& operator=(const GuiCore&) = delete;

  // Builds the hidden window on the ports and runs its initialisation. Every port must be set
  // except the main-window view and the shell.
  void Start(const Ports& ports, shell::HideDlgOptions hideOptions);
  // Destroys the hidden window (its destruction snapshots the adapter key).
  void Stop();

  // Options for the hidden window from the program's options (ini file, "-s").
  shell::HideDlgOptions DefaultHideOptions() const;
  // The program's ini file: the options' one, else beside the machine's executable.
  std::filesystem::path ProgramIni() const;

  IMachine& Machine() { return *machine_; }
  IEventLoop& Loop() { return loop_; }
  // Valid after Start.
  shell::CHideDlg* Hide() { return core_ ? &core_->HiddenWindow() : nullptr; }
  const StringTable& Strings() const { return core_ ? core_->Strings() : strings_; }
  shell::StringLookup Lookup() const;
  const GuiOptions& Options() const { return options_; }
  std::optional<ProgramVersionResource> ProgramVersion() const;

  // Valid after Start: the core with its survey values and the pages it builds.
  shell::NxCore* Core() { return core_.get(); }

 private:
  IEventLoop& loop_;
  GuiOptions options_;
  StringTable strings_;
  std::unique_ptr<IMachine> machine_;
  std::optional<Platform> platform_;
  std::unique_ptr<shell::NxCore> core_;
};

// Parses "1.2.3.4" (missing parts are 0, extra text ignored).
FileVersion ParseFileVersion(const std::string& text);

}  // namespace nxui
