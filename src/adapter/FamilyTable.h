// The chip families: name (also the device name on the oldest systems) and the driver image file
// per generation of the system, which the About page uses to find the driver file.
#pragma once

#include <array>
#include <string_view>

#include "adapter/AdapterContext.h"

namespace nxui {

enum class DriverImageColumn { Win9xNt4 = 0, Win2000 = 1, XpServer2003 = 2, Vista32 = 3, Vista64 = 4 };

struct FamilyRow {
  std::string_view name;
  bool usb;
  std::array<std::string_view, 5> driverImages;  // indexed by DriverImageColumn; empty: none
};

inline constexpr std::size_t kFamilyCount = 9;

// Row of a family, nullptr for -1 or any value outside the table.
const FamilyRow* FindFamily(ChipFamily family);

// The driver image file name of a family for a classified system ("" when there is none):
// 9x and NT 4 take the first column, 2000 the second, XP to NT 5.2 the third, later ones the
// Vista columns (64-bit when running under WOW64).
std::string_view DriverImageName(ChipFamily family, OsGeneration os, bool wow64);

}  // namespace nxui
