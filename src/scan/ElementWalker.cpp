#include "scan/ElementWalker.h"

namespace nxui {

bool ElementWalker::Next(InfoElement& element) {
  if (done_) return false;
  // consumed + 3 < size also guarantees the id and length bytes are there. The length rule looks
  // at the next element only: the first one is always read, since hidden networks start their
  // list with an empty SSID element and carry their security after it.
  if (consumed_ + 3 >= elements_.size() || (consumed_ != 0 && elements_[consumed_ + 1] == 0)) {
    done_ = true;
    return false;
  }
  const std::size_t length = elements_[consumed_ + 1];
  const std::size_t bodyStart = consumed_ + 2;
  if (length > elements_.size() - bodyStart) {
    done_ = true;
    return false;
  }
  element.id = elements_[consumed_];
  element.body = elements_.subspan(bodyStart, length);
  consumed_ = bodyStart + length;
  return true;
}

}  // namespace nxui
