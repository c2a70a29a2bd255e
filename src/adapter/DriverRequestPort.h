// The driver request channel as the WLAN session and the action queue use it: a query that fills
// the caller's record (false leaves the caller's defaults in place) and a set that the channel
// retries on its own. The hidden window hands in its QueryDriver/SetDriver channel.
#pragma once

#include <cstdint>
#include <span>

#include "adapter/Oids.h"

namespace nxui {

class DriverRequestPort {
 public:
  virtual ~DriverRequestPort() = default;
  virtual bool Query(Oid oid, std::span<std::uint8_t> record) = 0;
  virtual bool Set(Oid oid, std::span<const std::uint8_t> record) = 0;
  // A query that also tells how many bytes the driver wrote (0 when it failed). Ports that cannot
  // tell count a successful query as the whole record.
  virtual bool QueryCounted(Oid oid, std::span<std::uint8_t> record, std::uint32_t& bytesReturned) {
    const bool ok = Query(oid, record);
    bytesReturned = ok ? static_cast<std::uint32_t>(record.size()) : 0;
    return ok;
  }

  bool SetU32(Oid oid, std::uint32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return Set(oid, bytes);
  }
};

}  // namespace nxui
