#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/IDeviceSetup.h"

namespace nxui::test {

// Present devices of class "Net" and the NetCfgInstanceId of their driver keys.
class FakeDeviceSetup : public IDeviceSetup {
 public:
  std::vector<DeviceInfo> devices;
  std::map<std::string, std::string> instanceIdByDriverKey;
  bool enumerationFails = false;
  std::vector<std::string> classNamesAsked;

  bool GetPresentDevices(std::string_view className, std::vector<DeviceInfo>& out) override {
    classNamesAsked.emplace_back(className);
    if (enumerationFails) return false;
    out = devices;
    return true;
  }
  bool ReadDriverKeyValue(const DeviceInfo& device, std::string_view valueName, std::string& value) override {
    if (valueName != "NetCfgInstanceId") return false;
    auto it = instanceIdByDriverKey.find(device.driverKey);
    if (it == instanceIdByDriverKey.end()) return false;
    value = it->second;
    return true;
  }
};

}  // namespace nxui::test
