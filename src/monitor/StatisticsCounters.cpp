#include "monitor/StatisticsCounters.h"

#include "base/ByteReader.h"

namespace nxui {

namespace {

void ReadI64At(std::span<const std::uint8_t> record, std::size_t offset, std::int64_t& out) {
  ByteReader reader(record);
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  if (!reader.skip(offset) || !reader.le32(low) || !reader.le32(high)) return;
  out = static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

}  // namespace

StatisticsCounters StatisticsCounters::FromRecord(std::span<const std::uint8_t> record) {
  StatisticsCounters c;
  ReadI64At(record, 8, c.transmittedOk);
  ReadI64At(record, 24, c.failedNoAck);
  ReadI64At(record, 32, c.retransmittedOk);
  ReadI64At(record, 48, c.rtsCtsOk);
  ReadI64At(record, 56, c.rtsCtsFailed);
  ReadI64At(record, 72, c.duplicatesReceived);
  ReadI64At(record, 96, c.crcErrors);
  ReadI64At(record, 176, c.receivedOk);
  return c;
}

}  // namespace nxui
