// Geometry of the main window's page-button strip, in dialog units: the left-arrow frame is 25
// units wide at the strip's start, page buttons take 60-unit slots after it, the right arrow sits
// after the eighth slot. Only visible buttons take slots. With more than eight buttons the arrows
// show and eight buttons from the shift position fill the slots; otherwise the arrows are hidden
// and two fillers close the strip: one in the left-arrow frame, one from the last button to the end.
#pragma once

#include <cstddef>
#include <vector>

namespace nxui::shell {

inline constexpr int kArrowSlotWidth = 25;
inline constexpr int kButtonSlotWidth = 60;
inline constexpr std::size_t kStripSlots = 8;
inline constexpr int kStripWidth = 2 * kArrowSlotWidth + static_cast<int>(kStripSlots) * kButtonSlotWidth;

struct StripSlot {
  bool visible = false;
  int x = 0;
  int width = 0;
  friend bool operator==(const StripSlot&, const StripSlot&) = default;
};

struct StripLayout {
  bool arrowsShown = false;
  StripSlot leftArrow, rightArrow;
  std::vector<StripSlot> buttons;  // one per visible button, in order
  StripSlot leftFiller, rightFiller;
  std::size_t shift = 0;  // index of the first button in slot 0
};

// `shift` is clamped to what the arrows can reach.
StripLayout ComputeStripLayout(std::size_t visibleButtons, std::size_t shift);

// Largest shift the right arrow can reach.
std::size_t MaxStripShift(std::size_t visibleButtons);

}  // namespace nxui::shell
