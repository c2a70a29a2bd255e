// Walks the elements of a scan entry. The stop rules live here and nowhere else: the walk ends
// when the bytes consumed + 3 reach the element list's length, when an element after the first
// has a length byte of 0 (the first element is always read), or when an element's body would run
// past the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "scan/InfoElement.h"

namespace nxui {

class ElementWalker {
 public:
  explicit ElementWalker(std::span<const std::uint8_t> elements) : elements_(elements) {}

  bool Next(InfoElement& element);
  std::size_t consumed() const { return consumed_; }

 private:
  std::span<const std::uint8_t> elements_;
  std::size_t consumed_ = 0;
  bool done_ = false;
};

}  // namespace nxui
