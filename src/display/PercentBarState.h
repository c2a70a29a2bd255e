// What a percentage bar shows: its position, the caption as stored (possibly a "%d%%" template
// the bar completes with its position) and as drawn, and its three-stop colour gradient.
#pragma once

#include <string>

#include "display/DisplayColour.h"

namespace nxui {

struct PercentBarState {
  int position = 0;          // 0..100
  std::string caption;       // as set by the page; may hold one "%d%%"
  std::string drawnCaption;  // the caption with the template completed
  // False: the bar draws its default gradient (after a reset).
  bool hasGradient = false;
  DisplayColour startColour;
  DisplayColour middleColour = colour::kLightBlue;
  DisplayColour endColour;
  bool visible = true;
  // Slot in the bar stack, 0 at the top: a hidden bar frees its slot for the noise bar.
  int slot = 0;

  void SetColour(DisplayColour c) {
    hasGradient = true;
    startColour = c;
    endColour = c;
  }
  void ResetGradient() {
    hasGradient = false;
    startColour = {};
    endColour = {};
  }
  void SetCaption(std::string text);
  void SetPosition(int value);

  bool operator==(const PercentBarState&) const = default;
};

// Completes the first "%d%%" of a caption template with a position: "Q >> %d%%" -> "Q >> 85%".
// Other text is copied; "%%" alone becomes "%".
std::string CompleteBarCaption(const std::string& caption, int position);

}  // namespace nxui
