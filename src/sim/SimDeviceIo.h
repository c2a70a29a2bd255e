#pragma once

#include <map>

#include "platform/IDeviceIo.h"

namespace nxui::sim {

class SimWorld;

// Device paths "\\.\{instance GUID}" of present adapters. A handle stays tied to the plug-in it
// was opened in: after an unplug it fails even if the adapter comes back.
class SimDeviceIo final : public IDeviceIo {
 public:
  explicit SimDeviceIo(SimWorld& world) : world_(world) {}
  DeviceHandle Open(std::string_view devicePath) override;
  bool Control(DeviceHandle handle, DWORD ioControlCode, std::span<const std::uint8_t> input,
               std::span<std::uint8_t> output, DWORD& bytesReturned) override;
  void Close(DeviceHandle handle) override;

  std::size_t OpenHandleCount() const { return handles_.size(); }

 private:
  struct Entry {
    int adapter;
    int plugGeneration;
  };
  SimWorld& world_;
  std::map<DeviceHandle, Entry> handles_;
  DeviceHandle next_ = 0x100;
};

}  // namespace nxui::sim
