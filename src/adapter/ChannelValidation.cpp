#include "adapter/ChannelValidation.h"

#include <algorithm>
#include <array>
#include <string>

#include "adapter/AdapterRegistry.h"
#include "adapter/DriverChannel.h"
#include "adapter/DriverNames.h"
#include "adapter/RegionChannels.h"
#include "adapter/WirelessMode.h"
#include "platform/IRegistry.h"

namespace nxui {

std::vector<int> AllowedChannels(ChipFamily family, int normalisedMode, std::uint16_t regionWord) {
  std::vector<int> channels;
  if (normalisedMode != kModeAOnly) channels = RegionChannels24GHz(family, regionWord & 0x7F);
  if (normalisedMode == kModeAOnly || normalisedMode == kModeAbgMixed || normalisedMode == kModeAbgnMixed) {
    std::vector<int> upper = RegionChannels5GHz((regionWord >> 8) & 0x7F);
    channels.insert(channels.end(), upper.begin(), upper.end());
  }
  return channels;
}

bool ValidateChannel(DriverChannel& driver, IRegistry& registry, const AdapterContext& context, bool supports5GHz,
                     int& wirelessMode, CountryRegionState& region) {
  // Not configured unless the driver says otherwise: a failed query must not make the connection
  // code send region 0 back to the driver.
  std::array<std::uint8_t, 4> record = {0x80, 0x80, 0, 0};
  DWORD bytesReturned = 0;
  if (!driver.QueryDriver(OID_WLAN_COUNTRY_REGION, record, bytesReturned)) record = {0x80, 0x80, 0, 0};
  region.configured24GHz = (record[0] & 0x80) == 0;
  region.configured5GHz = (record[1] & 0x80) == 0;
  region.regionWord = static_cast<std::uint16_t>((record[0] & 0x7F) | ((record[1] & 0x7F) << 8));

  HKEY key = 0;
  if (registry.OpenKey(kHkeyLocalMachine, context.classKeyPath, kKeyAllAccess, key) != kErrorSuccess) return false;
  AdapterRegistry adapterKey(registry, context.classKeyPath);

  int mode = wirelessMode;
  adapterKey.ReadDecimal(reg_value::kWirelessMode, mode);
  mode = NormaliseWirelessMode(mode, supports5GHz, context.is11n);
  wirelessMode = mode;

  const std::vector<int> allowed = AllowedChannels(context.family, mode, region.regionWord);
  if (!allowed.empty()) {
    std::string text;
    int channel = 0;
    bool present = adapterKey.ReadText(reg_value::kChannel, text);
    if (present) channel = ChannelNumberFromText(text);
    if (!present || std::find(allowed.begin(), allowed.end(), channel) == allowed.end()) {
      channel = allowed.front();
      adapterKey.WriteDecimal(reg_value::kChannel, channel);
    }
    AdapterRegistry(registry, context.classKeyPath + "\\Default").WriteDecimal(reg_value::kChannel, channel);
  }
  registry.CloseKey(key);
  return true;
}

}  // namespace nxui
