#pragma once

#include <span>
#include <string_view>

#include "adapter/AdapterContext.h"
#include "adapter/AdapterListFile.h"

namespace nxui {

// Compares the first 21 characters of `hardwareId` (already upper-cased) with the adapter list
// when it holds any entry, otherwise with the built-in USB table and then the PCI table. The first
// match sets family, isUsb, tableIndex (row, or the key number n of the list) and exactly one of
// usbMatched / pciMatched, and returns true. Without a match the context is left as it was.
bool MatchHardwareId(std::string_view hardwareId, std::span<const AdapterListEntry> adapterList,
                     AdapterContext& context);

}  // namespace nxui
