// Every driver request that does not go through the WLAN service: one I/O control code on the
// adapter's device path, opened and closed per request. Sets the driver refuses are copied into
// the pending array and retried from their own 500 ms window-less timers until they succeed, run
// out of attempts, or the device stops opening (then every pending set is dropped).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "adapter/AdapterContext.h"
#include "adapter/Oids.h"
#include "platform/WinTypes.h"

namespace nxui {

class IDeviceIo;
class IEventLoop;

// One pending set (the platform's `_SET_INFORMATION_DATA` record, renamed: names that begin with an
// underscore and a capital are reserved in C++). Records are copied by value.
struct SetInformationData {
  nxui::Oid Oid = 0;                 // wire code, set bit already OR-ed in
  std::vector<std::uint8_t> Buffer;  // private copy of the record; empty when Length is 0
  DWORD Length = 0;
  DWORD BytesReturned = 0;  // of the last attempt
  std::int32_t RetriesLeft = 0;
  UINT_PTR TimerId = 0;
};

inline constexpr UINT kSetRetryPeriodMs = 500;
inline constexpr int kDefaultSetRetries = 3;

class DriverChannel {
 public:
  // `context` supplies devicePath and osGeneration at the time of each request.
  DriverChannel(IDeviceIo& deviceIo, IEventLoop& loop, const AdapterContext& context);
  // Kills the timers of the sets still pending, so that none fires into a destroyed channel.
  ~DriverChannel();
  DriverChannel(const DriverChannel&) = delete;
  DriverChannel& operator=(const DriverChannel&) = delete;

  // Reads the record of `oid` into `buffer`. False at once when the device does not open (the
  // buffer is then untouched) or when the driver refuses. `bytesReturned` is set to 0 first.
  bool QueryDriver(Oid oid, std::span<std::uint8_t> buffer, DWORD& bytesReturned);

  // Writes `buffer` to `oid` (the set bit is added whether or not the caller gave it). True when
  // the first attempt succeeded. A refused set with attempts left is queued for retry; a set is
  // never queued when the device does not open. On generation 10 the driver gets a copy, so it
  // cannot change the caller's record; elsewhere it sees the caller's buffer, as on the platform.
  bool SetDriver(Oid oid, std::span<std::uint8_t> buffer, DWORD& bytesReturned, int retries = kDefaultSetRetries);

  // Convenience for the many 4-byte records.
  bool QueryDriverDword(Oid oid, std::uint32_t& value);
  bool SetDriverDword(Oid oid, std::uint32_t value, int retries = kDefaultSetRetries);

  const std::vector<SetInformationData>& PendingSets() const { return pending_; }

 private:
  void OnRetryTimer(UINT_PTR timerId);
  void Remove(std::size_t index);

  IDeviceIo& deviceIo_;
  IEventLoop& loop_;
  const AdapterContext& context_;
  std::vector<SetInformationData> pending_;
};

}  // namespace nxui
