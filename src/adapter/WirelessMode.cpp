#include "adapter/WirelessMode.h"

namespace nxui {

int NormaliseWirelessMode(int mode, bool supports5GHz, bool is11n) {
  if (mode == 7) mode = kModeGOnly;
  if (mode == 8 || mode == 10) mode = kModeAOnly;
  if (!supports5GHz) {
    if (mode == kModeAOnly || mode == kModeAbgMixed) mode = kModeBgMixed;
    if (mode == kModeAbgnMixed) mode = kModeBgnMixed;
  }
  if (!is11n) {
    if (mode == kModeAbgnMixed) mode = kModeAbgMixed;
    if (mode == kModeNOnly || mode == kModeBgnMixed) mode = kModeBgMixed;
  }
  return mode;
}

}  // namespace nxui
