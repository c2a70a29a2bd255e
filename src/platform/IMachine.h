// The machine a run is built on: every port of the platform, on the event loop the machine was
// made for, and where the machine's own paths lie in this process's file system. The program
// chooses the machine (the simulated one, a scenario and a state folder); the front end and the
// core only see this.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace nxui {

class IEventLoop;

class IMachine {
 public:
  virtual ~IMachine() = default;

  virtual Platform& Ports() = 0;
  // This process's path for an absolute path of the machine ("C:\\Program Files\\..." or with
  // slashes); empty when the machine keeps no such place.
  virtual std::filesystem::path LocalPath(std::string_view machinePath) const = 0;
  // Told on the loop, "file: reason", each time the machine could not keep a change in what it
  // persists (the port call that made it failed); null stops telling.
  virtual void SetWriteFailureListener(std::function<void(const std::string& failure)> listener) = 0;
};

// Makes a machine on the loop; null with `error` naming the file (and line) that could not be used.
using MachineFactory = std::function<std::unique_ptr<IMachine>(IEventLoop& loop, std::string& error)>;

}  // namespace nxui
