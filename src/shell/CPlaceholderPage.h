// Stands in for a page or panel this version does not have yet: a title and a short note, so the
// user sees that nothing is missing by accident. Its row in the page table is what a new page
// replaces.
#pragma once

#include <string>

namespace nxui::shell {

struct PlaceholderState {
  std::string title;
  std::string note;

  bool operator==(const PlaceholderState&) const = default;
};

class CPlaceholderPage {
 public:
  explicit CPlaceholderPage(PlaceholderState state) : state_(std::move(state)) {}
  const PlaceholderState& State() const { return state_; }

 private:
  PlaceholderState state_;
};

}  // namespace nxui::shell
