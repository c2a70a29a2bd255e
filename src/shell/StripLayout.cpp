#include "shell/StripLayout.h"

#include <algorithm>

namespace nxui::shell {

std::size_t MaxStripShift(std::size_t visibleButtons) {
  return visibleButtons > kStripSlots ? visibleButtons - kStripSlots : 0;
}

StripLayout ComputeStripLayout(std::size_t visibleButtons, std::size_t shift) {
  StripLayout layout;
  layout.shift = std::min(shift, MaxStripShift(visibleButtons));
  layout.arrowsShown = visibleButtons > kStripSlots;
  layout.buttons.resize(visibleButtons);
  const int slotsStart = kArrowSlotWidth;
  const int rightArrowX = slotsStart + static_cast<int>(kStripSlots) * kButtonSlotWidth;
  for (std::size_t i = 0; i < visibleButtons; ++i) {
    if (i < layout.shift || i >= layout.shift + kStripSlots) continue;  // scrolled out
    const int slot = static_cast<int>(i - layout.shift);
    layout.buttons[i] = {true, slotsStart + slot * kButtonSlotWidth, kButtonSlotWidth};
  }
  if (layout.arrowsShown) {
    layout.leftArrow = {true, 0, kArrowSlotWidth};
    layout.rightArrow = {true, rightArrowX, kArrowSlotWidth};
  } else {
    const int end = slotsStart + static_cast<int>(visibleButtons) * kButtonSlotWidth;
    layout.leftFiller = {true, 0, kArrowSlotWidth};
    layout.rightFiller = {true, end, kStripWidth - end};
  }
  return layout;
}

}  // namespace nxui::shell
