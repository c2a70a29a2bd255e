#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nxui {

// One present device of a setup class, with the properties discovery reads
// (SetupDiGetDeviceRegistryProperty: SPDRP_HARDWAREID, FRIENDLYNAME, DEVICEDESC,
// LOCATION_INFORMATION, MFG, DRIVER).
struct DeviceInfo {
  std::string hardwareId;    // first string of the hardware-ID multi-string
  std::string friendlyName;  // may be empty
  std::string deviceDescription;
  std::string location;
  std::string manufacturer;
  std::string driverKey;  // "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007"
};

// Device setup enumeration (SetupAPI).
class IDeviceSetup {
 public:
  virtual ~IDeviceSetup() = default;

  // SetupDiClassGuidsFromName + SetupDiGetClassDevs(DIGCF_PRESENT): a snapshot of the present
  // devices of the class, in enumeration order (the index is the device index). False when the
  // class or the set cannot be had.
  virtual bool GetPresentDevices(std::string_view className, std::vector<DeviceInfo>& devices) = 0;

  // SetupDiOpenDevRegKey(DICS_FLAG_GLOBAL, DIREG_DRV, KEY_READ) + RegQueryValueEx of a text value.
  // False when the key or the value is missing.
  virtual bool ReadDriverKeyValue(const DeviceInfo& device, std::string_view valueName, std::string& value) = 0;
};

}  // namespace nxui
