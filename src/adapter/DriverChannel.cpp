#include "adapter/DriverChannel.h"

#include <array>

#include "base/ByteReader.h"
#include "platform/IDeviceIo.h"
#include "platform/IEventLoop.h"

namespace nxui {
namespace {

std::array<std::uint8_t, 4> OidInput(Oid oid) {
  std::array<std::uint8_t, 4> input{};
  StoreLe32(input.data(), oid);
  return input;
}

}  // namespace

DriverChannel::DriverChannel(IDeviceIo& deviceIo, IEventLoop& loop, const AdapterContext& context)
    : deviceIo_(deviceIo), loop_(loop), context_(context) {}

DriverChannel::~DriverChannel() {
  for (const SetInformationData& entry : pending_) loop_.KillSystemTimer(entry.TimerId);
}

bool DriverChannel::QueryDriver(Oid oid, std::span<std::uint8_t> buffer, DWORD& bytesReturned) {
  bytesReturned = 0;
  DeviceHandle handle = deviceIo_.Open(context_.devicePath);
  if (handle == kInvalidDeviceHandle) return false;
  const auto input = OidInput(oid);
  bool ok = deviceIo_.Control(handle, kIoctlNdisQueryGlobalStats, input, buffer, bytesReturned);
  deviceIo_.Close(handle);
  return ok;
}

bool DriverChannel::SetDriver(Oid oid, std::span<std::uint8_t> buffer, DWORD& bytesReturned, int retries) {
  DeviceHandle handle = deviceIo_.Open(context_.devicePath);
  if (handle == kInvalidDeviceHandle) return false;
  const Oid wire = oid | SET_INFORMATION_BIT;
  --retries;
  bytesReturned = 0;
  const auto input = OidInput(wire);
  bool ok = false;
  if (context_.osGeneration == kOsXp64) {
    std::vector<std::uint8_t> copy(buffer.begin(), buffer.end());
    ok = deviceIo_.Control(handle, kIoctlNdisQueryGlobalStats, input, copy, bytesReturned);
  } else {
    ok = deviceIo_.Control(handle, kIoctlNdisQueryGlobalStats, input, buffer, bytesReturned);
  }
  deviceIo_.Close(handle);
  if (ok) return true;
  if (retries <= 0) return false;

  SetInformationData entry;
  entry.Oid = wire;
  entry.Buffer.assign(buffer.begin(), buffer.end());
  entry.Length = static_cast<DWORD>(buffer.size());
  entry.BytesReturned = bytesReturned;
  entry.RetriesLeft = retries;
  entry.TimerId = loop_.SetSystemTimer(kSetRetryPeriodMs, [this](UINT_PTR timerId) { OnRetryTimer(timerId); });
  pending_.push_back(std::move(entry));
  return false;
}

bool DriverChannel::QueryDriverDword(Oid oid, std::uint32_t& value) {
  std::array<std::uint8_t, 4> record{};
  StoreLe32(record.data(), value);
  DWORD bytesReturned = 0;
  if (!QueryDriver(oid, record, bytesReturned)) return false;
  value = LoadLe32(record.data());
  return true;
}

bool DriverChannel::SetDriverDword(Oid oid, std::uint32_t value, int retries) {
  std::array<std::uint8_t, 4> record{};
  StoreLe32(record.data(), value);
  DWORD bytesReturned = 0;
  return SetDriver(oid, record, bytesReturned, retries);
}

void DriverChannel::Remove(std::size_t index) {
  loop_.KillSystemTimer(pending_[index].TimerId);
  pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(index));
}

void DriverChannel::OnRetryTimer(UINT_PTR timerId) {
  if (pending_.empty()) {
    loop_.KillSystemTimer(timerId);
    return;
  }
  std::size_t index = 0;
  while (index < pending_.size() && pending_[index].TimerId != timerId) ++index;
  if (index == pending_.size()) {
    loop_.KillSystemTimer(timerId);
    return;
  }
  if (pending_[index].RetriesLeft <= 0) {
    Remove(index);
    return;
  }
  DeviceHandle handle = deviceIo_.Open(context_.devicePath);
  if (handle == kInvalidDeviceHandle) {
    // The adapter is gone: nothing pending can reach it any more.
    while (!pending_.empty()) Remove(0);
    return;
  }
  SetInformationData& entry = pending_[index];
  const auto input = OidInput(entry.Oid);
  bool ok = deviceIo_.Control(handle, kIoctlNdisQueryGlobalStats, input, entry.Buffer, entry.BytesReturned);
  if (!ok) --entry.RetriesLeft;
  if (ok || entry.RetriesLeft <= 0) Remove(index);
  deviceIo_.Close(handle);
}

}  // namespace nxui
