#include "display/PercentBarState.h"

#include <utility>

namespace nxui {

std::string CompleteBarCaption(const std::string& caption, int position) {
  std::string out;
  out.reserve(caption.size() + 4);
  bool completed = false;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '%' || i + 1 >= caption.size()) {
      out += caption[i];
      continue;
    }
    const char next = caption[i + 1];
    if (next == '%') {
      out += '%';
      ++i;
    } else if (next == 'd' && !completed) {
      out += std::to_string(position);
      completed = true;
      ++i;
    } else {
      out += caption[i];
    }
  }
  return out;
}

void PercentBarState::SetCaption(std::string text) {
  caption = std::move(text);
  drawnCaption = CompleteBarCaption(caption, position);
}

void PercentBarState::SetPosition(int value) {
  position = value < 0 ? 0 : (value > 100 ? 100 : value);
  drawnCaption = CompleteBarCaption(caption, position);
}

}  // namespace nxui
