#include "adapter/DriverValueMaps.h"

#include <array>

namespace nxui {

std::int32_t TxPowerSetValue(int powerIndex) {
  constexpr std::array<std::int32_t, 7> kValues = {-1, 100, 75, 50, 25, 10, 6};
  if (powerIndex < 0 || static_cast<std::size_t>(powerIndex) >= kValues.size()) return -1;
  return kValues[static_cast<std::size_t>(powerIndex)];
}

std::uint32_t PowerSaveLevel(int choice) {
  switch (choice) {
    case 1:
      return 16;
    case 2:
      return 8;
    case 3:
      return 24;
    default:
      return 0;
  }
}

std::string_view LastEventText(std::uint32_t code) {
  constexpr std::array<std::string_view, 11> kTexts = {
      "Link is Up",
      "Link is Down",
      "Hardware radio off",
      "Software radio off",
      "Open authentication fail",
      "Shared authentication fail",
      "Association failed",
      "Deauthencation because MIC failure",
      "Deauthencation on 4-way handshake timeout",
      "Deauthencation on group key handshake timeout",
      "EAP succeed",
  };
  return code < kTexts.size() ? kTexts[code] : std::string_view();
}

}  // namespace nxui
