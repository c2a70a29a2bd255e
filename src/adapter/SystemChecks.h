// What start-up learns about the running system before it looks for the adapter.
#pragma once

#include "adapter/AdapterContext.h"

namespace nxui {

class ISystemInfo;

// Classifies the version record (the extended record first, the basic one when that fails);
// kOsUnknown when neither can be had.
OsGeneration ClassifyOs(ISystemInfo& system);

// True when the 32-bit program runs on a 64-bit system. Asked only above NT 5.2 server
// (generation 10 and later) and only when the system offers the question.
bool DetectWow64(ISystemInfo& system, OsGeneration os);

// True when the process token holds the built-in Administrators group; always true on systems
// without that concept (generation 6 and below). Any failure reads as false.
bool CheckAdministrator(ISystemInfo& system, OsGeneration os);

// Fills osGeneration, isWow64 and isAdmin of the context, in that order.
void ClassifySystem(ISystemInfo& system, AdapterContext& context);

}  // namespace nxui
