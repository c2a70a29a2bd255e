#pragma once

#include "platform/IDeviceSetup.h"

namespace nxui::sim {

class SimWorld;

// The scenario's present adapters as devices of class "Net".
class SimDeviceSetup final : public IDeviceSetup {
 public:
  explicit SimDeviceSetup(SimWorld& world) : world_(world) {}
  bool GetPresentDevices(std::string_view className, std::vector<DeviceInfo>& devices) override;
  bool ReadDriverKeyValue(const DeviceInfo& device, std::string_view valueName, std::string& value) override;

 private:
  SimWorld& world_;
};

}  // namespace nxui::sim
