// What the scrolling bar graph draws: its samples newest first (as many as the screen is wide in
// pixels), the scale, and the two caption lines of its left column. Every change bumps
// `revision`, which is the graph's repaint.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "display/DisplayColour.h"

namespace nxui {

struct BarGraphState {
  static constexpr int kCaptionColumnWidth = 50;
  static constexpr int kCaptionLines = 2;
  static constexpr int kBarWidth = 2;

  std::string name;            // "Tx" or "Rx"
  std::deque<double> samples;  // [0] is the newest
  std::size_t capacity = 1920;
  double maximum = 0.0;
  std::string captionLine1 = "Max";
  std::string captionLine2;  // the maximum as text
  DisplayColour barColour = colour::kGreen;
  std::uint64_t revision = 0;

  void AddSample(double value) {
    samples.push_front(value);
    if (samples.size() > capacity) samples.resize(capacity);
    ++revision;
  }
  void SetMaximum(double value) {
    maximum = value;
    ++revision;
  }
  void Clear() {
    samples.clear();
    ++revision;
  }
  void SetCapacity(std::size_t pixels) {
    capacity = pixels == 0 ? 1 : pixels;
    if (samples.size() > capacity) samples.resize(capacity);
  }

  bool operator==(const BarGraphState&) const = default;
};

}  // namespace nxui
