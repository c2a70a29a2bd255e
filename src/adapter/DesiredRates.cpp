#include "adapter/DesiredRates.h"

#include "adapter/AdapterRegistry.h"
#include "adapter/DriverNames.h"
#include "adapter/WirelessMode.h"

namespace nxui {
namespace {

constexpr DesiredRateSet kAllBg = {108, 96, 72, 48, 22, 11, 4, 2};
constexpr DesiredRateSet kAllB = {22, 11, 4, 2, 0, 0, 0, 0};
constexpr DesiredRateSet kAllOfdm = {108, 96, 72, 48, 36, 24, 18, 12};

DesiredRateSet Single(std::uint8_t rate) { return {rate, 0, 0, 0, 0, 0, 0, 0}; }

bool IsHtMode(int mode) { return mode == kModeAbgnMixed || mode == kModeNOnly || mode == kModeBgnMixed; }

}  // namespace

DesiredRateSet DesiredRatesFromRegistry(int mode, std::optional<int> transRate, std::uint32_t transmitSetting) {
  DesiredRateSet start = kAllBg;
  if (mode == kModeBOnly || mode == kModeAOnly || mode == kModeGOnly) start = kAllB;
  if (IsHtMode(mode)) start = DesiredRateSet{};
  if (!transRate) return start;

  int index = *transRate;
  if (IsHtMode(mode)) {
    return ((transmitSetting >> 4) & 0x7F) == 0x21 ? kAllBg : Single(108);
  }
  if (mode == kModeAOnly || mode == kModeGOnly) {
    constexpr std::uint8_t kOfdm[] = {12, 18, 24, 36, 48, 72, 96, 108};
    return (index >= 1 && index <= 8) ? Single(kOfdm[index - 1]) : kAllOfdm;
  }
  if (mode == kModeBOnly && index > 4) index = 0;
  constexpr std::uint8_t kLegacy[] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};
  if (index >= 1 && index <= 12) return Single(kLegacy[index - 1]);
  return mode == kModeBOnly ? kAllB : kAllBg;
}

DesiredRateSet DesiredRatesFromRegistry(const AdapterRegistry& adapterKey, int normalisedMode, bool is11n) {
  std::optional<int> transRate;
  int value = 0;
  if (adapterKey.ReadDecimal(reg_value::kTransRate, value)) transRate = value;
  std::uint32_t transmitSetting = 0;
  if (is11n && IsHtMode(normalisedMode)) adapterKey.ReadRaw32(reg_value::kTransmitSetting, transmitSetting);
  return DesiredRatesFromRegistry(normalisedMode, transRate, transmitSetting);
}

}  // namespace nxui
