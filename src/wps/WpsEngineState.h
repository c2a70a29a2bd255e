// The WPS engine's state: one per process, owned by the hidden window and shared by the WPS page
// while it exists. The connect action reads `wscConnect` and `wpsBssid` from here.
#pragma once

#include <array>
#include <cstdint>

#include "adapter/DriverRecords.h"
#include "platform/WinTypes.h"

namespace nxui {

// Timers of the WPS page and of the hidden window that the engine starts and kills.
namespace wps_timer {
inline constexpr UINT_PTR kPageStatusPoll = 2;
inline constexpr UINT_PTR kPageMonitor = 4;
inline constexpr UINT_PTR kPagePbcPoll = 6;
inline constexpr UINT kPageStatusPollMs = 200;
inline constexpr UINT kPageMonitorMs = 2000;
inline constexpr UINT kPagePbcPollMs = 1000;

inline constexpr UINT_PTR kHiddenCredential = 4;
inline constexpr UINT_PTR kHiddenPbcPoll = 5;
inline constexpr UINT_PTR kHiddenStatusPoll = 6;
inline constexpr UINT kHiddenCredentialMs = 10000;
inline constexpr UINT kHiddenPbcPollMs = 1000;
inline constexpr UINT kHiddenStatusPollMs = 200;
}  // namespace wps_timer

enum class WpsConfigMode : int { Enrollee = 0, Registrar = 1 };
enum class WpsMethod : int { None = 0, Pin = 1, Pbc = 2 };

struct WpsEngineState {
  std::uint32_t pinCode = 0;  // 0..99999999, shown "%08d"
  WpsConfigMode configMode = WpsConfigMode::Enrollee;
  WpsMethod wpsMethod = WpsMethod::None;
  WpsCredentialTable table{};  // count 0..8, slots at and beyond count zero
  std::uint32_t currentCredential = 0;
  std::uint32_t nextCredential = 0;
  bool rotateMode = false;
  bool wscConnect = false;  // connections are made from WPS credentials (station file "WSC")
  int autoApIndex = -1;     // row of the WPS AP list the PIN run uses
  std::array<std::uint8_t, 6> wpsBssid{};

  std::uint32_t Count() const { return table.count; }
  // Zero table and wpsBssid (every enrollee start, driver-begun push-button run, mode change).
  void ClearCredentials() {
    table = WpsCredentialTable{};
    wpsBssid.fill(0);
  }
};

}  // namespace nxui
