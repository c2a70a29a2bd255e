// What the profile page reads from and asks of the windows around it: the adapter-ready and radio
// state the hidden window keeps, its message box, and the main window's relay of messages.
#pragma once

#include <string>

#include "profiles/ProfileRecord.h"

#include "platform/IEventLoop.h"

namespace nxui {

class IProfilePageHost {
 public:
  virtual ~IProfilePageHost() = default;
  // Set by the adapter-ready sequence; the buttons do nothing without it.
  virtual bool AdapterReady() const = 0;
  // The platform's software radio state as the main window keeps it.
  virtual bool RadioOn() const = 0;
  // The program's message box (answered with OK).
  virtual void ShowMessage(const std::string& text) = 0;
  // The page's window, so that the hidden window relays 0x407 to it (0 when it goes).
  virtual void SetPageWindow(HWND window) = 0;
  // Apply made `record` the station profile (after the station file was written).
  virtual void ProfileApplied(const ProfileRecord& record) { (void)record; }
};

}  // namespace nxui
