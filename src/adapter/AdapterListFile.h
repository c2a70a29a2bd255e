// The optional adapter-list file beside the executable. When it lists at least one hardware ID it
// replaces the built-in tables entirely.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/AdapterContext.h"

namespace nxui {

struct AdapterListEntry {
  std::string section;  // "LARK", "LARKUSB", "TERN", "TERNU", "HERON", "HERONU"
  int number = 0;       // n of the key "DeviceID_n"
  std::string id;       // upper-cased
  ChipFamily family = -1;
  bool usb = false;
};

// The executable's path with everything after the last dot of its file name replaced by "INI"
// ("/opt/x/NxUI.exe" -> "/opt/x/NxUI.INI"). A file name without a dot gets ".INI" appended, so
// that the file still lies beside the executable with its base name.
std::filesystem::path AdapterListFilePath(std::string_view executablePath);

// Same rule with another extension (the program's own ini file uses "ini").
std::filesystem::path SiblingFilePath(std::string_view executablePath, std::string_view extension);

// Every listed ID in search order: sections in the order above, DeviceID_1, DeviceID_2, ... of each
// up to the first empty or missing value. Empty when the file is missing or lists nothing.
std::vector<AdapterListEntry> ReadAdapterList(const std::filesystem::path& file);

}  // namespace nxui
