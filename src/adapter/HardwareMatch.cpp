#include "adapter/HardwareMatch.h"

#include "adapter/SupportedHardwareTable.h"

namespace nxui {
namespace {

bool SamePrefix(std::string_view a, std::string_view b) {
  return a.substr(0, kHardwareIdLength) == b.substr(0, kHardwareIdLength);
}

void SetMatch(AdapterContext& context, ChipFamily family, bool usb, int index) {
  context.family = family;
  context.isUsb = usb ? 1 : 0;
  context.tableIndex = index;
  context.usbMatched = usb;
  context.pciMatched = !usb;
}

}  // namespace

bool MatchHardwareId(std::string_view hardwareId, std::span<const AdapterListEntry> adapterList,
                     AdapterContext& context) {
  if (!adapterList.empty()) {
    for (const AdapterListEntry& entry : adapterList) {
      if (SamePrefix(hardwareId, entry.id)) {
        SetMatch(context, entry.family, entry.usb, entry.number);
        return true;
      }
    }
    return false;
  }
  const std::span<const HardwareRow> tables[] = {UsbHardwareTable(), PciHardwareTable()};
  for (int t = 0; t < 2; ++t) {
    const std::span<const HardwareRow> rows = tables[t];
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (SamePrefix(hardwareId, rows[i].id)) {
        SetMatch(context, rows[i].family, t == 0, static_cast<int>(i));
        return true;
      }
    }
  }
  return false;
}

}  // namespace nxui
