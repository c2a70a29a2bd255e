#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

namespace nxui {

// The system's cryptographically secure generator (RtlGenRandom/BCryptGenRandom): fills `length`
// bytes at `buffer`; false when it has none to give. A port so that renderings and tests can run
// on a fixed sequence; whatever a user sees comes from the system's.
class IRandom {
 public:
  virtual ~IRandom() = default;
  virtual bool GenRandom(std::uint8_t* buffer, DWORD length) = 0;
};

}  // namespace nxui
