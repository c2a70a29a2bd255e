// Colours as the pages hand them to their views: red, green, blue, each 0..255.
#pragma once

#include <cstdint>

namespace nxui {

struct DisplayColour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const DisplayColour&, const DisplayColour&) = default;
};

namespace colour {
inline constexpr DisplayColour kRed{255, 0, 0};
inline constexpr DisplayColour kYellow{250, 230, 50};
inline constexpr DisplayColour kGreen{0, 255, 0};
// The middle stop of every percentage bar's gradient.
inline constexpr DisplayColour kLightBlue{166, 202, 240};
inline constexpr DisplayColour kWhite{255, 255, 255};
inline constexpr DisplayColour kBlack{0, 0, 0};
// The receive graph's bars: pure red + green.
inline constexpr DisplayColour kGraphYellow{255, 255, 0};
}  // namespace colour

}  // namespace nxui
