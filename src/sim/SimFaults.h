// Armed faults of the simulated world: a named point fails the next N times it is reached.
// Tests arm a point and then assert that it fired.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace nxui::sim {

namespace fault {
inline constexpr std::string_view kDeviceOpen = "device-open";        // SimDeviceIo::Open
inline constexpr std::string_view kDeviceControl = "device-control";  // SimDeviceIo::Control
inline constexpr std::string_view kDeviceSetup = "device-setup";      // GetPresentDevices
inline constexpr std::string_view kRegistryWrite = "registry-write";  // SetValue/CreateKey/Delete*
inline constexpr std::string_view kRegistryRead = "registry-read";    // QueryValue
inline constexpr std::string_view kIpHelper = "ip-helper";            // GetAdaptersInfo
inline constexpr std::string_view kSubscribe = "subscribe";           // driver event subscription
inline constexpr std::string_view kNotifyIcon = "notify-icon";        // tray icon
inline constexpr std::string_view kTokenGroups = "token-groups";      // GetTokenGroupSids
}  // namespace fault

class SimFaults {
 public:
  // Fails the next `times` passes of `point`; a negative count fails it for good.
  void Arm(std::string_view point, int times);
  void Disarm(std::string_view point);
  // Called at the point: true when it must fail now.
  bool Take(std::string_view point);
  // How often the point failed so far.
  int Fired(std::string_view point) const;

 private:
  struct Entry {
    int remaining = 0;
    int fired = 0;
  };
  std::map<std::string, Entry, std::less<>> entries_;
};

}  // namespace nxui::sim
