#include "platform/SystemRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <fstream>

namespace nxui {

bool SystemRandom::GenRandom(std::uint8_t* buffer, DWORD length) {
  std::size_t filled = 0;
  while (filled < length) {
    const ssize_t got = getrandom(buffer + filled, length - filled, 0);
    if (got > 0) {
      filled += static_cast<std::size_t>(got);
    } else if (got < 0 && errno != EINTR) {
      break;
    }
  }
  if (filled == length) return true;
  // Kernels without the call still have the device.
  std::ifstream device("/dev/urandom", std::ios::binary);
  return device.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(length)).good();
}

bool SeededRandom::GenRandom(std::uint8_t* buffer, DWORD length) {
  std::uint64_t word = 0;
  for (DWORD i = 0; i < length; ++i) {
    if (i % 8 == 0) {
      state_ += 0x9E3779B97F4A7C15ull;
      word = state_;
      word = (word ^ (word >> 30)) * 0xBF58476D1CE4E5B9ull;
      word = (word ^ (word >> 27)) * 0x94D049BB133111EBull;
      word ^= word >> 31;
    }
    buffer[i] = static_cast<std::uint8_t>(word >> (8 * (i % 8)));
  }
  return true;
}

}  // namespace nxui
