#pragma once

#include "platform/IIpHelper.h"

namespace nxui::sim {

class SimWorld;

// Present adapters with the associated network's IP settings; 0.0.0.0 while disconnected.
class SimIpHelper final : public IIpHelper {
 public:
  explicit SimIpHelper(SimWorld& world) : world_(world) {}
  bool GetAdaptersInfo(std::vector<IpAdapterInfo>& adapters) override;

 private:
  SimWorld& world_;
};

}  // namespace nxui::sim
