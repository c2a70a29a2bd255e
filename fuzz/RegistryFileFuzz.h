// The simulated registry's file reader on any text, and its writer after it: a tree that was read
// is saved whole (nothing read is lost by the save) and the saved text reads back to the same text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "platform/IRegistry.h"
#include "sim/SimFaults.h"
#include "sim/SimRegistry.h"

namespace nxui::fuzz {

// Every key and value below both roots, in enumeration order, as the registry calls see them.
inline std::vector<std::string> RegistryTree(sim::SimRegistry& registry) {
  std::vector<std::string> tree;
  for (const auto& [root, rootName] : {std::pair{kHkeyLocalMachine, "HKLM"}, std::pair{kHkeyCurrentUser, "HKCU"}}) {
    std::vector<std::string> pending = {""};  // key paths below the root still to visit
    while (!pending.empty()) {
      const std::string path = std::move(pending.back());
      pending.pop_back();
      HKEY key = root;
      if (!path.empty()) {
        NXUI_FUZZ_REQUIRE(registry.OpenKey(root, path, kKeyRead, key) == kErrorSuccess);
      }
      tree.push_back(std::string(rootName) + "\\" + path);
      std::string name;
      DWORD type = 0;
      std::vector<std::uint8_t> data;
      for (DWORD index = 0; registry.EnumValue(key, index, name, type, data) == kErrorSuccess; ++index) {
        tree.push_back("  " + name + " " + std::to_string(type) + " " + std::string(data.begin(), data.end()));
      }
      std::vector<std::string> children;
      for (DWORD index = 0; registry.EnumKey(key, index, name) == kErrorSuccess; ++index) {
        children.push_back(path.empty() ? name : path + "\\" + name);
      }
      pending.insert(pending.end(), children.rbegin(), children.rend());
      if (key != root) registry.CloseKey(key);
    }
  }
  return tree;
}

inline void RegistryFileOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sim::SimFaults faults;
  sim::SimRegistry registry(faults, true);
  std::string error;
  if (!registry.ParseRegText(text, "fuzz.reg", error)) {
    NXUI_FUZZ_REQUIRE(error.rfind("fuzz.reg:", 0) == 0);
    return;
  }
  const std::string saved = registry.ToRegText();
  sim::SimRegistry reread(faults, true);
  NXUI_FUZZ_REQUIRE(reread.ParseRegText(saved, "saved.reg", error));
  NXUI_FUZZ_REQUIRE(reread.ToRegText() == saved);
  NXUI_FUZZ_REQUIRE(RegistryTree(reread) == RegistryTree(registry));
}

}  // namespace nxui::fuzz
