// The driver request channel lent to the WLAN session and the action queue.
#pragma once

#include <vector>

#include "adapter/DriverChannel.h"
#include "adapter/DriverRequestPort.h"

namespace nxui {

class DriverChannelPort final : public DriverRequestPort {
 public:
  explicit DriverChannelPort(DriverChannel& channel) : channel_(channel) {}

  bool Query(Oid oid, std::span<std::uint8_t> record) override {
    DWORD bytesReturned = 0;
    return channel_.QueryDriver(oid, record, bytesReturned);
  }
  bool QueryCounted(Oid oid, std::span<std::uint8_t> record, std::uint32_t& bytesReturned) override {
    DWORD count = 0;
    const bool ok = channel_.QueryDriver(oid, record, count);
    bytesReturned = ok ? count : 0;
    return ok;
  }
  bool Set(Oid oid, std::span<const std::uint8_t> record) override {
    // The channel may hand the caller's buffer to the driver; give it a copy.
    std::vector<std::uint8_t> copy(record.begin(), record.end());
    DWORD bytesReturned = 0;
    return channel_.SetDriver(oid, copy, bytesReturned);
  }

 private:
  DriverChannel& channel_;
};

}  // namespace nxui
