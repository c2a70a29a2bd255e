#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nxui {

// IP_ADAPTER_INFO reduced to what the link page reads. Addresses are dotted text.
struct IpAdapterInfo {
  std::string adapterName;  // the adapter's instance GUID text
  std::string description;
  std::vector<std::uint8_t> hardwareAddress;
  std::vector<std::string> ipAddresses;  // parallel to ipMasks
  std::vector<std::string> ipMasks;
  std::vector<std::string> gateways;
};

// IP helper: GetAdaptersInfo.
class IIpHelper {
 public:
  virtual ~IIpHelper() = default;
  virtual bool GetAdaptersInfo(std::vector<IpAdapterInfo>& adapters) = 0;
};

}  // namespace nxui
