#include "adapter/SupportedHardwareTable.h"

#include <array>

namespace nxui {
namespace {

constexpr std::array<HardwareRow, kUsbHardwareRows> kUsbRows = {{
    {"USB\\VID_2F19&PID_1001", 1}, {"USB\\VID_2F19&PID_1002", 1}, {"USB\\VID_2F19&PID_1003", 1},
    {"USB\\VID_2F19&PID_1004", 1}, {"USB\\VID_2F19&PID_1005", 1}, {"USB\\VID_2F19&PID_1006", 1},
    {"USB\\VID_2F19&PID_1007", 1}, {"USB\\VID_2F19&PID_1008", 1}, {"USB\\VID_2F19&PID_1009", 1},
    {"USB\\VID_2F19&PID_100A", 1}, {"USB\\VID_2F19&PID_100B", 1}, {"USB\\VID_2F19&PID_100C", 1},
    {"USB\\VID_2F19&PID_100D", 1}, {"USB\\VID_2F19&PID_100E", 1}, {"USB\\VID_2F19&PID_100F", 1},
    {"USB\\VID_2F19&PID_1010", 1}, {"USB\\VID_2F19&PID_1011", 1}, {"USB\\VID_2F19&PID_1012", 1},
    {"USB\\VID_2F19&PID_1013", 1}, {"USB\\VID_2F19&PID_1014", 1}, {"USB\\VID_2F19&PID_1015", 1},
    {"USB\\VID_2F19&PID_1016", 1}, {"USB\\VID_2F19&PID_1017", 1}, {"USB\\VID_2F19&PID_1018", 1},
    {"USB\\VID_2F19&PID_2001", 5}, {"USB\\VID_2F19&PID_2002", 5}, {"USB\\VID_2F19&PID_2003", 5},
    {"USB\\VID_2F19&PID_2004", 5}, {"USB\\VID_2F19&PID_2005", 5}, {"USB\\VID_2F19&PID_2006", 5},
    {"USB\\VID_2F19&PID_2007", 5}, {"USB\\VID_2F19&PID_2008", 5}, {"USB\\VID_2F19&PID_2009", 5},
    {"USB\\VID_2F19&PID_200A", 5}, {"USB\\VID_2F19&PID_200B", 5}, {"USB\\VID_2F19&PID_200C", 5},
    {"USB\\VID_2F19&PID_200D", 5}, {"USB\\VID_2F19&PID_200E", 5}, {"USB\\VID_2F19&PID_200F", 5},
    {"USB\\VID_2F19&PID_2010", 5}, {"USB\\VID_2F19&PID_2011", 5}, {"USB\\VID_2F19&PID_2012", 5},
    {"USB\\VID_2F19&PID_2013", 5}, {"USB\\VID_2F19&PID_2014", 5}, {"USB\\VID_2F19&PID_2015", 5},
    {"USB\\VID_2F19&PID_2016", 5}, {"USB\\VID_2F19&PID_2017", 5}, {"USB\\VID_2F19&PID_2018", 5},
    {"USB\\VID_2F19&PID_2019", 5}, {"USB\\VID_2F19&PID_201A", 5}, {"USB\\VID_2F19&PID_201B", 5},
    {"USB\\VID_2F19&PID_201C", 5}, {"USB\\VID_2F19&PID_201D", 5}, {"USB\\VID_1B75&PID_3060", 8},
    {"USB\\VID_1B75&PID_3061", 8}, {"USB\\VID_1B75&PID_3062", 8}, {"USB\\VID_1B75&PID_3063", 8},
    {"USB\\VID_1B75&PID_3064", 8}, {"USB\\VID_1B75&PID_3065", 8}, {"USB\\VID_1B75&PID_3066", 8},
    {"USB\\VID_1B75&PID_3067", 8}, {"USB\\VID_1B75&PID_3068", 8}, {"USB\\VID_1B75&PID_3069", 8},
    {"USB\\VID_1B75&PID_306A", 8}, {"USB\\VID_1B75&PID_306B", 8}, {"USB\\VID_1B75&PID_306C", 8},
    {"USB\\VID_1B75&PID_306D", 8}, {"USB\\VID_1B75&PID_306E", 8}, {"USB\\VID_1B75&PID_306F", 8},
    {"USB\\VID_1B75&PID_3070", 8}, {"USB\\VID_1B75&PID_3071", 8}, {"USB\\VID_1B75&PID_3072", 8},
    {"USB\\VID_1B75&PID_3073", 8}, {"USB\\VID_1B75&PID_3074", 8}, {"USB\\VID_1B75&PID_3075", 8},
    {"USB\\VID_1B75&PID_3076", 8}, {"USB\\VID_1B75&PID_3077", 8},
}};

constexpr std::array<HardwareRow, kPciHardwareRows> kPciRows = {{
    {"PCI\\VEN_1F3D&DEV_0101", 0},
    {"PCI\\VEN_1F3D&DEV_0201", 4},
    {"PCI\\VEN_1F3D&DEV_0202", 4},
    {"PCI\\VEN_1F3D&DEV_0203", 4},
    {"PCI\\VEN_1F3D&DEV_0301", 6},
    {"PCI\\VEN_1F3D&DEV_0311", 7},
    {"PCI\\VEN_1F3D&DEV_0312", 7},
    {"PCI\\VEN_1F3D&DEV_0313", 7},
    {"PCI\\VEN_1F3D&DEV_0314", 7},
}};

template <std::size_t N>
constexpr bool AllIdsHaveFullLength(const std::array<HardwareRow, N>& rows) {
  for (const HardwareRow& row : rows) {
    if (row.id.size() != kHardwareIdLength) return false;
  }
  return true;
}
static_assert(AllIdsHaveFullLength(kUsbRows));
static_assert(AllIdsHaveFullLength(kPciRows));

}  // namespace

std::span<const HardwareRow> UsbHardwareTable() { return kUsbRows; }
std::span<const HardwareRow> PciHardwareTable() { return kPciRows; }

}  // namespace nxui
