// The counters the statistics page shows, taken from the driver's 184-byte statistics record.
#pragma once

#include <cstdint>
#include <span>

namespace nxui {

struct StatisticsCounters {
  std::int64_t transmittedOk = 0;       // offset 8
  std::int64_t failedNoAck = 0;         // 24
  std::int64_t retransmittedOk = 0;     // 32
  std::int64_t rtsCtsOk = 0;            // 48
  std::int64_t rtsCtsFailed = 0;        // 56
  std::int64_t duplicatesReceived = 0;  // 72
  std::int64_t crcErrors = 0;           // 96
  std::int64_t receivedOk = 0;          // 176

  // Reads the fields it has room for; a short record leaves the rest at 0.
  static StatisticsCounters FromRecord(std::span<const std::uint8_t> record);
};

}  // namespace nxui
