// What the simulated WLAN service reports about a network in range, derived from its scenario
// description: one place for the values every list, query and connection shares.
#pragma once

#include <cstdint>

#include "platform/IWlanApi.h"
#include "sim/Scenario.h"

namespace nxui::sim {

struct SimWlanProfile;

// The privacy bit: as given, else from the cipher.
bool NetworkPrivacy(const ScenarioNetwork& network);
DWORD NetworkBssType(const ScenarioNetwork& network);
// Centre frequency in kHz: as given, else from the channel (channel 1 when it has none).
// A channel's centre frequency in kHz from the channel plan; a channel outside the plan reads as
// channel 1's, so every simulated record names a real frequency.
inline constexpr std::uint32_t kFallbackFrequencyKhz = 2412000;
std::uint32_t ChannelFrequencyKhz(int channel);
std::uint32_t NetworkFrequency(const ScenarioNetwork& network);
DWORD NetworkPhyType(const ScenarioNetwork& network);
// The rate the service reports for a connection, in kbit/s.
ULONG NetworkRateKbps(const ScenarioNetwork& network);
// The algorithms of a connection; with a profile, a mixed network uses the one it names.
DWORD NetworkAuthAlgorithm(const ScenarioNetwork& network, const SimWlanProfile* profile);
DWORD NetworkCipherAlgorithm(const ScenarioNetwork& network, const SimWlanProfile* profile);

}  // namespace nxui::sim
