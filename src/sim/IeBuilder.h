// Builds the information elements of a simulated access point. Each builder writes exactly what
// the matching decoder in survey/ reads, so generated beacons decode back to their description.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "scan/HtElements.h"
#include "scan/KeySuites.h"
#include "scan/WpsFields.h"
#include "sim/Scenario.h"

namespace nxui::sim {

using Bytes = std::vector<std::uint8_t>;

// Appends id, length, body. A body longer than 255 bytes cannot be one element: nothing is
// appended and false is returned.
bool AppendElement(Bytes& out, std::uint8_t id, std::span<const std::uint8_t> body);

Bytes BuildSsidElement(std::span<const std::uint8_t> ssid);
// Supported rates (first 8) and, when there are more, extended supported rates.
Bytes BuildRateElements(std::span<const std::uint8_t> rates);
Bytes BuildDsParameterSet(std::uint8_t channel);
Bytes BuildRsnElement(const KeySuites& suites);
// Vendor element with suites.vendorOui/vendorType in front: WPA (00-50-F2 type 1) or CCX.
Bytes BuildWpaStyleElement(const KeySuites& suites);
Bytes BuildWpsElement(const WpsFields& fields);
Bytes BuildHtCapabilitiesElement(const HtCapabilities& caps);
Bytes BuildHtOperationElement(const HtOperation& op);
// 00-40-96 element laid out like WPA, carrying the CCX flags as the CCX decode reads them.
Bytes BuildCcxElement(bool cckm, bool cmic, bool ckip);

// Rates in 500 kbit/s units with the basic-rate bit (0x80) set on the mandatory ones.
Bytes NetworkRateSet(const ScenarioNetwork& network);
KeySuites NetworkRsnSuites(const ScenarioNetwork& network, bool& present);
KeySuites NetworkWpaSuites(const ScenarioNetwork& network, bool& present);

// The element list of a network: its raw "ies" verbatim when given, otherwise generated from its
// description.
Bytes BuildNetworkIes(const ScenarioNetwork& network);

}  // namespace nxui::sim
