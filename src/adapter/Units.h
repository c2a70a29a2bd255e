// Conversions of the driver's raw radio values into the numbers and texts the pages show.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/HtRateTable.h"

namespace nxui {

// Signal level in dBm -> 0..100.
std::int32_t RssiToPercent(std::int32_t dbm);

// HtTransmitSetting word: MCS bits 0-6, BW bit 7, ShortGI bit 8, STBC bits 9-10, MODE bits 14-15.
bool IsLegacyRateInUse(std::uint32_t transmitSetting);
bool LookupHtRate(const CHTTable& table, int bandwidth40, int shortGi, int mcs, double& rateMbps);
// 0 when the word names no known rate.
double DecodeHtTransmitSetting(const CHTTable& table, std::uint32_t transmitSetting);
// Same, against a filled table of its own.
double DecodeHtTransmitSetting(std::uint32_t transmitSetting);

bool CckRateMbps(int key, double& rateMbps);
bool OfdmRateMbps(int index, double& rateMbps);
double LegacyRateIndexToMbps(std::uint32_t index);

// "%.3f Mbps" from 1.0 up, else "%.3f Kbps" of the value in kbit/s.
std::string FormatThroughput(double mbps);
// "%.1f Mbps", the callers' rate text.
std::string FormatRate(double mbps);

}  // namespace nxui
