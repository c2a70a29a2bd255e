#pragma once

#include <cstdint>
#include <span>

namespace nxui {

// One element as the walker yields it; body never extends past the element list.
struct InfoElement {
  std::uint8_t id = 0;
  std::span<const std::uint8_t> body;
};

}  // namespace nxui
