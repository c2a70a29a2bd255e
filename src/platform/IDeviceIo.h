#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/WinTypes.h"

namespace nxui {

using DeviceHandle = std::uintptr_t;
inline constexpr DeviceHandle kInvalidDeviceHandle = 0;

// Device I/O: CreateFile / DeviceIoControl / CloseHandle on a device path.
class IDeviceIo {
 public:
  virtual ~IDeviceIo() = default;

  // CreateFile(path, 0 access, FILE_SHARE_READ, OPEN_EXISTING). kInvalidDeviceHandle on failure.
  virtual DeviceHandle Open(std::string_view devicePath) = 0;

  // DeviceIoControl. `output` is the caller's record (read and written by the driver).
  virtual bool Control(DeviceHandle handle, DWORD ioControlCode, std::span<const std::uint8_t> input,
                       std::span<std::uint8_t> output, DWORD& bytesReturned) = 0;

  virtual void Close(DeviceHandle handle) = 0;
};

}  // namespace nxui
