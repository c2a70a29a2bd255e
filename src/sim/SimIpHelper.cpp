#include "sim/SimIpHelper.h"

#include "sim/SimFaults.h"
#include "sim/SimWorld.h"

namespace nxui::sim {

bool SimIpHelper::GetAdaptersInfo(std::vector<IpAdapterInfo>& adapters) {
  adapters.clear();
  if (world_.faults().Take(fault::kIpHelper)) return false;
  for (int i = 0; i < world_.adapterCount(); ++i) {
    if (!world_.isPresent(i)) continue;
    const ScenarioAdapter& a = world_.adapter(i);
    IpAdapterInfo info;
    info.adapterName = a.instanceId;
    info.description = a.deviceDescription;
    info.hardwareAddress.assign(a.mac.begin(), a.mac.end());
    const SimAssociation& link = world_.association(i);
    if (link.connected && link.network) {
      info.ipAddresses = {Ipv4Text(link.network->ip.address)};
      info.ipMasks = {Ipv4Text(link.network->ip.mask)};
      info.gateways = {Ipv4Text(link.network->ip.gateway)};
    } else {
      // No lease: the platform lists the adapter with the empty address.
      info.ipAddresses = {"0.0.0.0"};
      info.ipMasks = {"0.0.0.0"};
      info.gateways = {"0.0.0.0"};
    }
    adapters.push_back(std::move(info));
  }
  return true;
}

}  // namespace nxui::sim
