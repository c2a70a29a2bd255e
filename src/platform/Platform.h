#pragma once

namespace nxui {

class IDeviceSetup;
class IDeviceIo;
class IRegistry;
class ISystemInfo;
class IShell;
class IIpHelper;
class IDriverEvents;
class IEventLoop;
class IWlanApi;
class IRandom;

// Every way the logic reaches the outside world. The core is handed one of these; a simulated
// world or a native implementation provides the ports. The references outlive the core.
struct Platform {
  IDeviceSetup& deviceSetup;
  IDeviceIo& deviceIo;
  IRegistry& registry;
  ISystemInfo& systemInfo;
  IShell& shell;
  IIpHelper& ipHelper;
  IDriverEvents& driverEvents;
  IEventLoop& loop;
  IWlanApi& wlan;
  IRandom& random;
};

}  // namespace nxui
