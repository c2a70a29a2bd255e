#include "sim/SimDeviceIo.h"
#include "base/AsciiCase.h"

#include "adapter/Oids.h"
#include "base/ByteReader.h"
#include "sim/SimFaults.h"
#include "sim/SimWorld.h"

namespace nxui::sim {
namespace {

bool SameText(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

}  // namespace

DeviceHandle SimDeviceIo::Open(std::string_view devicePath) {
  if (world_.faults().Take(fault::kDeviceOpen)) return kInvalidDeviceHandle;
  constexpr std::string_view kPrefix = "\\\\.\\";
  if (devicePath.substr(0, kPrefix.size()) != kPrefix) return kInvalidDeviceHandle;
  const std::string_view name = devicePath.substr(kPrefix.size());
  for (int i = 0; i < world_.adapterCount(); ++i) {
    if (world_.isPresent(i) && SameText(world_.adapter(i).instanceId, name)) {
      const DeviceHandle h = next_++;
      handles_[h] = Entry{i, world_.plugGeneration(i)};
      return h;
    }
  }
  return kInvalidDeviceHandle;
}

bool SimDeviceIo::Control(DeviceHandle handle, DWORD ioControlCode, std::span<const std::uint8_t> input,
                          std::span<std::uint8_t> output, DWORD& bytesReturned) {
  bytesReturned = 0;
  auto it = handles_.find(handle);
  if (it == handles_.end()) return false;
  const int adapter = it->second.adapter;
  // A surprise removal invalidates every handle of the old device.
  if (!world_.isPresent(adapter) || world_.plugGeneration(adapter) != it->second.plugGeneration) return false;
  if (ioControlCode != kIoctlNdisQueryGlobalStats || world_.faults().Take(fault::kDeviceControl)) return false;
  ByteReader reader(input);
  std::uint32_t oid = 0;
  if (!reader.le32(oid)) return false;
  return world_.driver(adapter).Request(oid, output, bytesReturned);
}

void SimDeviceIo::Close(DeviceHandle handle) { handles_.erase(handle); }

}  // namespace nxui::sim
