#include <cstddef>
#include <cstdint>

#include "BlockAckFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  volatile std::size_t sink = nxui::fuzz::BlockAckOneInput(data, size);
  (void)sink;
  return 0;
}
