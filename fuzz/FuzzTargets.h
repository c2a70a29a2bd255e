// Every fuzz target by name: the libFuzzer entry points and the corpus replay test share this table.
// A target's committed corpus is the folder fuzz/corpus/<name>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace nxui::fuzz {

struct FuzzTarget {
  const char* name;
  void (*run)(const std::uint8_t* data, std::size_t size);
};

std::span<const FuzzTarget> FuzzTargets();
// Nullptr for an unknown name.
const FuzzTarget* FindFuzzTarget(std::string_view name);

}  // namespace nxui::fuzz
