// What the site survey page reads and asks of the windows around it: the hidden window's two scan
// buffers and flags, the main window's radio control and panels, the action queue, the message box.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/IEventLoop.h"

namespace nxui {

class ISurveyHost {
 public:
  virtual ~ISurveyHost() = default;

  // The WLAN session's scan buffer and the copy the pages read (64 KiB each).
  virtual std::span<std::uint8_t> SessionScanBuffer() = 0;
  virtual std::span<std::uint8_t> PagesScanBuffer() = 0;
  // A scan queued by the main window has not completed yet.
  virtual bool ScanInProgress() const = 0;

  // The software radio state the program keeps, and a change of it seen by the page (the main
  // window's radio control follows).
  virtual bool RadioOn() const = 0;
  virtual void RadioChanged(bool on) = 0;

  // BSSID of the current connection as the main window keeps it (all zero when none).
  virtual std::array<std::uint8_t, 6> CurrentBssid() const = 0;

  // Queue a scan request in the connection action queue and start it.
  virtual void QueueScan() = 0;
  virtual void ShowMessage(const std::string& text) = 0;
  // Show the AP details panel for one scan entry.
  virtual void ShowApDetails(std::span<const std::uint8_t> entry) = 0;
  // The page's window, so that scan notifications are relayed to it (0 when it goes).
  virtual void SetPageWindow(HWND window) = 0;
  // 100 ns units since 1601 (last-seen stamps).
  virtual std::uint64_t SystemTimeAsFileTime() = 0;
};

}  // namespace nxui
