// The WPS engine's state: one per process, owned by the hidden window and shared by the WPS page
// while it exists. The connect action reads `wscConnect` and `wpsBssid` from here.
#pragma once

#include <array>
#include <cstdint>

#include "adapter/DriverRecords.h"

namespace nxui {

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
