#pragma once

namespace nxui::shell {

class CNxUI2007Dlg;

// The front end's side of the main window: shown when the model is created, dropped before the
// model goes away, raised when it is asked for again.
class IMainWindowView {
 public:
  virtual ~IMainWindowView() = default;
  virtual void Opened(CNxUI2007Dlg& window) = 0;
  virtual void Closed() = 0;
  virtual void BringToFront() = 0;
};

}  // namespace nxui::shell
