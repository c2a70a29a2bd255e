// The shell port of the front end: the tray icon is a QSystemTrayIcon showing the six state
// pictures and the tooltip, its double click and context request go to the hidden window as the
// tray callback message. Opening a web address uses the desktop's browser, opening the help file
// opens the help document shipped beside the program with the desktop's handler; every call also
// goes to the machine's own shell, which sees every tray call so that its faults still apply.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/IShell.h"

namespace nxui {

class QtTrayShell final : public QObject, public IShell {
  Q_OBJECT

 public:
  // `callback` receives the tray events as the shell reports them (515 double click, 516 right
  // button down) with the icon's callback message.
  using Callback = std::function<void(UINT callbackMessage, LPARAM event)>;

  QtTrayShell(IShell& inner, Callback callback);
  ~QtTrayShell() override;

  bool NotifyIcon(NotifyIconAction action, const NotifyIconData& data) override;
  bool Open(std::string_view fileOrUrl) override;
  bool RunMinimised(std::string_view commandLine) override { return inner_.RunMinimised(commandLine); }

  // Opening a file named `helpFileName` (in any folder, any case) opens the help document instead.
  using HelpOpener = std::function<bool()>;
  void SetHelp(std::string helpFileName, HelpOpener open) {
    helpFileName_ = std::move(helpFileName);
    openHelp_ = std::move(open);
  }

  // Tests and desktops without a notification area: forces the answer of the availability check.
  void SetTrayAvailable(std::optional<bool> available) { available_ = available; }
  bool TrayAvailable() const;

  // The icon while it is added (null otherwise), and the state it shows.
  QSystemTrayIcon* Icon() const { return icon_.get(); }
  int IconNumber() const { return data_.iconNumber; }

  // What the icon's activation means to the hidden window (0: nothing).
  static LPARAM EventFor(QSystemTrayIcon::ActivationReason reason);

 private:
  IShell& inner_;
  Callback callback_;
  std::optional<bool> available_;
  std::unique_ptr<QSystemTrayIcon> icon_;
  NotifyIconData data_;
  std::string helpFileName_;
  HelpOpener openHelp_;
};

}  // namespace nxui
