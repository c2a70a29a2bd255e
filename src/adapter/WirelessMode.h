// Wireless mode codes as the driver keeps them in "WirelessMode".
#pragma once

namespace nxui {

enum WirelessModeCode : int {
  kModeBgMixed = 0,
  kModeBOnly = 1,
  kModeAOnly = 2,
  kModeAbgMixed = 3,
  kModeGOnly = 4,
  kModeAbgnMixed = 5,
  kModeNOnly = 6,
  kModeBgnMixed = 9,
};

// The code the adapter can use: 7 -> 4, 8 and 10 -> 2; without the 5 GHz band 2 and 3 -> 0 and
// 5 -> 9; without 802.11n 5 -> 3, 6 and 9 -> 0. The steps run in that order.
int NormaliseWirelessMode(int mode, bool supports5GHz, bool is11n);

}  // namespace nxui
