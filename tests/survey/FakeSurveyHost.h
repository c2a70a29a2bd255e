// A survey host with its own scan buffers that records what the page asks of it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scan/BssidEx.h"
#include "survey/ISurveyHost.h"

namespace nxui::testing {

class FakeSurveyHost final : public ISurveyHost {
 public:
  std::span<std::uint8_t> SessionScanBuffer() override { return sessionBuffer; }
  std::span<std::uint8_t> PagesScanBuffer() override { return pagesBuffer; }
  bool ScanInProgress() const override { return scanInProgress; }
  bool RadioOn() const override { return radioOn; }
  void RadioChanged(bool on) override {
    radioOn = on;
    radioChanges.push_back(on);
  }
  std::array<std::uint8_t, 6> CurrentBssid() const override { return bssid; }
  void QueueScan() override { ++scansQueued; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowApDetails(std::span<const std::uint8_t> entry) override { details.emplace_back(entry.begin(), entry.end()); }
  void SetPageWindow(HWND handle) override { window = handle; }
  std::uint64_t SystemTimeAsFileTime() override { return now; }

  // Puts a scan list into the pages' buffer (zero-padded to its size).
  void SetPagesList(const std::vector<std::uint8_t>& list) {
    pagesBuffer.assign(bssid_ex::kScanBufferSize, 0);
    std::copy(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(std::min(list.size(), pagesBuffer.size())),
              pagesBuffer.begin());
  }

  std::vector<std::uint8_t> sessionBuffer = std::vector<std::uint8_t>(bssid_ex::kScanBufferSize, 0);
  std::vector<std::uint8_t> pagesBuffer = std::vector<std::uint8_t>(bssid_ex::kScanBufferSize, 0);
  bool scanInProgress = false;
  bool radioOn = true;
  std::array<std::uint8_t, 6> bssid{};
  std::uint64_t now = 0x01D0000000000000ull;
  int scansQueued = 0;
  std::vector<bool> radioChanges;
  std::vector<std::string> messages;
  std::vector<std::vector<std::uint8_t>> details;
  HWND window = 0;
};

}  // namespace nxui::testing
