// The built-in lists of supported hardware: (hardware ID, family) pairs, the USB table searched
// before the PCI table, first match wins. Every ID is exactly kHardwareIdLength characters
// ("USB\VID_xxxx&PID_xxxx", "PCI\VEN_xxxx&DEV_xxxx"), upper case.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "adapter/AdapterContext.h"

namespace nxui {

inline constexpr std::size_t kHardwareIdLength = 21;
inline constexpr std::size_t kUsbHardwareRows = 77;
inline constexpr std::size_t kPciHardwareRows = 9;

struct HardwareRow {
  std::string_view id;
  ChipFamily family;
};

std::span<const HardwareRow> UsbHardwareTable();
std::span<const HardwareRow> PciHardwareTable();

}  // namespace nxui
