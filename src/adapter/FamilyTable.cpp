#include "adapter/FamilyTable.h"

namespace nxui {
namespace {

constexpr std::array<FamilyRow, kFamilyCount> kFamilies = {{
    {"LARK", false, {"lark9x.sys", "lark.sys", "lark.sys", "lark.sys", "lark.sys"}},
    {"LARKU", true, {"larku98.sys", "larkusb.sys", "larkusb.sys", "ndlarku.sys", "ndlarku64.sys"}},
    {"WREN", false, {"wren9x.sys", "wren.sys", "wren.sys", "ndwren.sys", "ndwren64.sys"}},
    {"WRENU", true, {"wrenu98.sys", "wrenusb.sys", "wrenusb.sys", "ndwrenusb.sys", "ndwrenusb64.sys"}},
    {"TERN", false, {"tern9x.sys", "tern.sys", "tern.sys", "ndtern.sys", "ndtern64.sys"}},
    {"TERNU", true, {"ternu98.sys", "ternu.sys", "ternu.sys", "ndternu.sys", "ndternu64.sys"}},
    {"HERON_A", false, {"heron9x.sys", "heron.sys", "heron.sys", "ndheron_a.sys", "ndheron_a64.sys"}},
    {"HERON", false, {"heron9x.sys", "heron.sys", "heron.sys", "ndheron.sys", "ndheronx.sys"}},
    {"HERONU", true, {"", "heronu.sys", "heronu.sys", "ndheronu.sys", "ndheronux.sys"}},
}};

}  // namespace

const FamilyRow* FindFamily(ChipFamily family) {
  if (family < 0 || static_cast<std::size_t>(family) >= kFamilies.size()) return nullptr;
  return &kFamilies[static_cast<std::size_t>(family)];
}

std::string_view DriverImageName(ChipFamily family, OsGeneration os, bool wow64) {
  const FamilyRow* row = FindFamily(family);
  if (row == nullptr || os == kOsUnknown) return {};
  DriverImageColumn column = DriverImageColumn::Win9xNt4;
  if (os == kOsWin2000) {
    column = DriverImageColumn::Win2000;
  } else if (os >= kOsWinXp && os <= kOsXp64) {
    column = DriverImageColumn::XpServer2003;
  } else if (os >= kOsVista) {
    column = wow64 ? DriverImageColumn::Vista64 : DriverImageColumn::Vista32;
  }
  return row->driverImages[static_cast<std::size_t>(column)];
}

}  // namespace nxui
