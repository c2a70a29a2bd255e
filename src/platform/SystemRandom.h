#pragma once

#include "platform/IRandom.h"

namespace nxui {

// The operating system's generator (getrandom, else /dev/urandom).
class SystemRandom final : public IRandom {
 public:
  bool GenRandom(std::uint8_t* buffer, DWORD length) override;
};

// A fixed sequence from a seed (SplitMix64), the same on every run: for renderings and tests only,
// never for what a user is given.
class SeededRandom final : public IRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
  bool GenRandom(std::uint8_t* buffer, DWORD length) override;

 private:
  std::uint64_t state_;
};

}  // namespace nxui
