#include "profiles/StationProfileKey.h"

#include <vector>

#include "adapter/AdapterRegistry.h"
#include "adapter/ConnectionSettings.h"
#include "platform/IRegistry.h"
#include "profiles/ProfileRecord.h"

namespace nxui {

std::string StationProfilesKeyPath(std::string_view adapterKeyPath) {
  return std::string(adapterKeyPath) + "\\Profile\\Station";
}

std::string StationProfileKeyPath(std::string_view adapterKeyPath, std::string_view name) {
  return StationProfilesKeyPath(adapterKeyPath) + "\\" + std::string(name);
}

bool UsesLeapOr8021X(const ProfileRecord& record) {
  const int authMode = ParseDecimal(record.authMode);
  return ParseDecimal(record.leapEnabled) == 1 || ParseDecimal(record.use8021X) != 0 ||
         authMode == CodeOf(AuthMode::kWpa) || authMode == CodeOf(AuthMode::kWpa2);
}

LONG WriteStationProfileKey(IRegistry& registry, std::string_view adapterKeyPath, const ProfileRecord& record) {
  HKEY key = 0;
  const LONG opened =
      registry.CreateKey(kHkeyLocalMachine, StationProfileKeyPath(adapterKeyPath, record.name), kKeyAllAccess, key);
  if (opened != kErrorSuccess) return opened;
  LONG result = kErrorSuccess;
  for (const ProfileKeyInfo& info : kProfileKeys) {
    const std::string& text = record.*info.member;
    const std::vector<std::uint8_t> data(text.begin(), text.end());
    const LONG set = registry.SetValue(key, info.key, kRegSz, data);
    if (set != kErrorSuccess && result == kErrorSuccess) result = set;
  }
  registry.CloseKey(key);
  return result;
}

}  // namespace nxui
