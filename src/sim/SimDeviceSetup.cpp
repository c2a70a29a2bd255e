#include "sim/SimDeviceSetup.h"
#include "base/AsciiCase.h"

#include "sim/SimFaults.h"
#include "sim/SimWorld.h"

namespace nxui::sim {
namespace {

bool SameText(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

}  // namespace

bool SimDeviceSetup::GetPresentDevices(std::string_view className, std::vector<DeviceInfo>& devices) {
  devices.clear();
  if (!SameText(className, "Net") || world_.faults().Take(fault::kDeviceSetup)) return false;
  for (int i = 0; i < world_.adapterCount(); ++i) {
    if (!world_.isPresent(i)) continue;
    const ScenarioAdapter& a = world_.adapter(i);
    devices.push_back({a.hardwareId, a.friendlyName, a.deviceDescription, a.location, a.manufacturer, a.driverKey});
  }
  return true;
}

bool SimDeviceSetup::ReadDriverKeyValue(const DeviceInfo& device, std::string_view valueName, std::string& value) {
  for (int i = 0; i < world_.adapterCount(); ++i) {
    if (!world_.isPresent(i) || !SameText(world_.adapter(i).driverKey, device.driverKey)) continue;
    return world_.registry().ReadTextDirect(kHkeyLocalMachine, world_.classKeyPath(i), valueName, value);
  }
  return false;
}

}  // namespace nxui::sim
