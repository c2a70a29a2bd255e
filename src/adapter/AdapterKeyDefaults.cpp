#include "adapter/AdapterKeyDefaults.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

#include "adapter/DriverChannel.h"
#include "adapter/DriverNames.h"
#include "adapter/WirelessMode.h"
#include "platform/IRegistry.h"

namespace nxui {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct ApDefault {
  std::string_view name;
  std::string_view text;  // REG_SZ unless multiString
  bool multiString = false;
};

// Order matters to anyone comparing key dumps; "TXPower" really is written twice.
constexpr ApDefault kApDefaultsAfterMode[] = {
    {reg_value::kTransRate, "0"},
    {reg_value::kTurboRate, "0"},
    {reg_value::kBgProtection, "0"},
    {reg_value::kShortSlot, "1"},
    {reg_value::kChannel, "1"},
    {"PreambleType", "0"},
    {"TXPower", "0"},
    {"RtsThresh", "2347"},
    {"FragThresh", "0"},
    {"AuthMode", "1"},
    {"CipherMode", "0"},
    {"WPAPSK", ""},
    {"WEPKey1Type", "0"},
    {"WEPKey2Type", "0"},
    {"WEPKey3Type", "0"},
    {"WEPKey4Type", "0"},
    {"WEPKeyUse", "1"},
    {"WEPKey1", ""},
    {"WEPKey2", ""},
    {"WEPKey3", ""},
    {"WEPKey4", ""},
    {"RekeyInterval", "60"},
    {"RekeyMethod", "0"},
    {"TXPower", "0"},
    {"RadiusIP", ""},
    {"RadiusPort", ""},
    {"RadiusKey", ""},
    {"AccessControlPolicy", "0"},
    {"AccessControlList", "", true},
    {"WdsEnable", "1"},
    {"WdsList", "", true},
    {"AutoChannelSelect", "0"},
    {"NoForwarding", "0"},
    {"HideSSID", "0"},
    {"BeaconPeriod", "100"},
};

}  // namespace

void SnapshotDefaults(IRegistry& registry, const std::string& classKeyPath) {
  HKEY source = 0;
  if (registry.OpenKey(kHkeyLocalMachine, classKeyPath, kKeyQueryValue, source) != kErrorSuccess) return;
  HKEY target = 0;
  if (registry.OpenKey(kHkeyLocalMachine, classKeyPath + "\\Default", kKeyAllAccess, target) != kErrorSuccess) {
    registry.CloseKey(source);
    return;
  }
  std::string name;
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  for (DWORD index = 0; registry.EnumValue(source, index, name, type, data) == kErrorSuccess; ++index) {
    if (registry.SetValue(target, name, type, data) != kErrorSuccess) break;
  }
  registry.CloseKey(target);
  registry.CloseKey(source);
}

bool EnsureApDefaults(DriverChannel& driver, IRegistry& registry, const AdapterContext& context, bool supports5GHz) {
  const std::string path = context.classKeyPath + "\\ApDefault";
  HKEY key = 0;
  if (registry.OpenKey(kHkeyLocalMachine, path, kKeyQueryValue, key) == kErrorSuccess) {
    registry.CloseKey(key);
    return false;
  }
  if (registry.CreateKey(kHkeyLocalMachine, path, kKeyAllAccess, key) != kErrorSuccess) return false;

  std::array<std::uint8_t, 6> mac{};
  DWORD bytesReturned = 0;
  driver.QueryDriver(OID_WLAN_MAC_ADDRESS, mac, bytesReturned);
  char ssid[16];
  std::snprintf(ssid, sizeof ssid, "SoftAP-%02X", mac[5]);
  const std::string mode = std::to_string(NormaliseWirelessMode(kModeBgnMixed, supports5GHz, context.is11n));

  registry.SetValue(key, "SSID", kRegSz, Bytes(ssid));
  registry.SetValue(key, reg_value::kWirelessMode, kRegSz, Bytes(mode));
  const std::array<std::uint8_t, 1> emptyMultiString = {0};
  for (const ApDefault& value : kApDefaultsAfterMode) {
    if (value.multiString) {
      registry.SetValue(key, value.name, kRegMultiSz, emptyMultiString);
    } else {
      registry.SetValue(key, value.name, kRegSz, Bytes(value.text));
    }
  }
  registry.CloseKey(key);
  return true;
}

}  // namespace nxui
