// Device I/O with a scripted driver: paths that open, a handler per OID, failures on request, and a
// log of every request with the bytes the driver saw.
#pragma once

#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "adapter/Oids.h"
#include "base/ByteReader.h"
#include "platform/IDeviceIo.h"

namespace nxui::test {

class FakeDeviceIo : public IDeviceIo {
 public:
  struct Request {
    std::string path;
    DWORD code;
    std::uint32_t oid;                 // as sent (set bit included)
    std::vector<std::uint8_t> output;  // the output buffer as the driver received it
  };
  using Handler = std::function<bool(std::uint32_t oid, std::span<std::uint8_t> output, DWORD& bytesReturned)>;

  std::set<std::string> openable;
  // Answers by wire code; an OID without handler succeeds and reports the buffer length.
  std::map<std::uint32_t, Handler> handlers;
  // The next N requests of a wire code fail.
  std::map<std::uint32_t, int> failNext;

  DeviceHandle Open(std::string_view path) override {
    ++opens;
    if (openable.count(std::string(path)) == 0) return kInvalidDeviceHandle;
    DeviceHandle h = nextHandle_++;
    handles_[h] = std::string(path);
    return h;
  }
  bool Control(DeviceHandle handle, DWORD code, std::span<const std::uint8_t> input, std::span<std::uint8_t> output,
               DWORD& bytesReturned) override {
    auto it = handles_.find(handle);
    if (it == handles_.end() || input.size() != 4) return false;
    std::uint32_t oid = LoadLe32(input.data());
    requests.push_back({it->second, code, oid, {output.begin(), output.end()}});
    outputAddresses.push_back(output.data());
    if (auto f = failNext.find(oid); f != failNext.end() && f->second > 0) {
      --f->second;
      return false;
    }
    if (auto h = handlers.find(oid); h != handlers.end()) return h->second(oid, output, bytesReturned);
    bytesReturned = static_cast<DWORD>(output.size());
    return true;
  }
  void Close(DeviceHandle handle) override {
    if (handles_.erase(handle) != 0) ++closes;
  }

  std::size_t OpenHandles() const { return handles_.size(); }
  std::size_t CountRequests(std::uint32_t oid) const {
    std::size_t n = 0;
    for (const Request& r : requests) n += r.oid == oid ? 1 : 0;
    return n;
  }

  std::vector<Request> requests;
  std::vector<const std::uint8_t*> outputAddresses;
  int opens = 0;
  int closes = 0;

 private:
  std::map<DeviceHandle, std::string> handles_;
  DeviceHandle nextHandle_ = 1;
};

}  // namespace nxui::test
