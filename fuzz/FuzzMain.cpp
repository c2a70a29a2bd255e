// The libFuzzer entry point of one target, chosen at build time (NXUI_FUZZ_TARGET).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzTargets.h"

namespace {

const nxui::fuzz::FuzzTarget& Target() {
  static const nxui::fuzz::FuzzTarget* target = [] {
    const nxui::fuzz::FuzzTarget* found = nxui::fuzz::FindFuzzTarget(NXUI_FUZZ_TARGET);
    if (found == nullptr) {
      std::fprintf(stderr, "no fuzz target named %s\n", NXUI_FUZZ_TARGET);
      std::abort();
    }
    return found;
  }();
  return *target;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Target().run(data, size);
  return 0;
}
