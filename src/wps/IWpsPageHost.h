// What the WPS page and its credential detail view ask of the windows around them: the hidden
// window's scan buffer and action queue, the message box, and the main window's panels (the AP
// details and the detail view are panels of its lower frame).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/IEventLoop.h"

namespace nxui {

class IWpsPageHost {
 public:
  virtual ~IWpsPageHost() = default;

  // The buffer the WLAN session builds the scan list into (64 KiB).
  virtual std::span<std::uint8_t> ScanBuffer() = 0;
  // Queue a scan request in the connection action queue and start it; the results arrive as
  // WM_USER + 4 (or WM_USER + 6 when the scan failed).
  virtual void QueueScan() = 0;
  virtual void ShowMessage(const std::string& text) = 0;
  // OK / Cancel with the question icon; true for OK.
  virtual bool Confirm(const std::string& text) = 0;
  // The AP details panel for one scan entry (its bytes from the length field).
  virtual void ShowApDetails(std::span<const std::uint8_t> entry) = 0;
  // The main window's lower frame: show panel n; the panel shown now (0 without a main window).
  virtual void ShowPanel(int n) = 0;
  virtual int VisiblePanel() const = 0;
  // The page's window, so that scan notifications are relayed to it (0 when it goes).
  virtual void SetPageWindow(HWND window) = 0;
};

}  // namespace nxui
