#include "adapter/Units.h"

#include <array>
#include <cstdio>

namespace nxui {

namespace {

struct CckRate {
  int key;
  double mbps;
};
// Keys 8-11 are the short-preamble forms of 0-3.
constexpr std::array<CckRate, 8> kCckRates = {
    {{0, 1.0}, {1, 2.0}, {2, 5.5}, {3, 11.0}, {8, 1.0}, {9, 2.0}, {10, 5.5}, {11, 11.0}}};
constexpr std::array<double, 8> kOfdmRates = {6, 9, 12, 18, 24, 36, 48, 54};
constexpr std::array<double, 12> kLegacyRates = {1, 2, 5.5, 11, 6, 9, 12, 18, 24, 36, 48, 54};

}  // namespace

std::int32_t RssiToPercent(std::int32_t dbm) {
  if (dbm >= -50) return 100;
  if (dbm >= -80) return static_cast<std::int32_t>((dbm + 80) * 2.6 + 24);
  if (dbm >= -90) return static_cast<std::int32_t>((dbm + 90) * 2.6);
  return 0;
}

bool IsLegacyRateInUse(std::uint32_t transmitSetting) {
  const unsigned mode = (transmitSetting >> 14) & 0x3;
  return mode == 0 || mode == 1;
}

bool LookupHtRate(const CHTTable& table, int bandwidth40, int shortGi, int mcs, double& rateMbps) {
  if (bandwidth40 == 0 && mcs == 32) return false;
  return table.Find(CHTTable::MakeKey(bandwidth40, shortGi, mcs), rateMbps);
}

bool CckRateMbps(int key, double& rateMbps) {
  for (const CckRate& rate : kCckRates) {
    if (rate.key == key) {
      rateMbps = rate.mbps;
      return true;
    }
  }
  return false;
}

bool OfdmRateMbps(int index, double& rateMbps) {
  if (index < 0 || index >= static_cast<int>(kOfdmRates.size())) return false;
  rateMbps = kOfdmRates[static_cast<std::size_t>(index)];
  return true;
}

double DecodeHtTransmitSetting(const CHTTable& table, std::uint32_t transmitSetting) {
  const std::uint32_t word = transmitSetting & 0xFFFF;
  const unsigned mode = (word >> 14) & 0x3;
  const int mcs = static_cast<int>(word & 0x7F);
  double rate = 0;
  bool found = false;
  if (mode == 0) {
    found = CckRateMbps(mcs, rate);
  } else if (mode == 1) {
    found = OfdmRateMbps(mcs, rate);
  } else {
    const int bandwidth40 = static_cast<int>((word >> 7) & 1);
    const int shortGi = static_cast<int>((word >> 8) & 1);
    found = LookupHtRate(table, bandwidth40, shortGi, mcs, rate);
  }
  return found ? rate : 0.0;
}

double DecodeHtTransmitSetting(std::uint32_t transmitSetting) {
  static const CHTTable table = [] {
    CHTTable filled;
    filled.Fill();
    return filled;
  }();
  return DecodeHtTransmitSetting(table, transmitSetting);
}

double LegacyRateIndexToMbps(std::uint32_t index) {
  if (index < kLegacyRates.size()) return kLegacyRates[index];
  return 1.0;
}

std::string FormatThroughput(double mbps) {
  char text[64];
  if (mbps >= 1.0) {
    std::snprintf(text, sizeof text, "%.3f Mbps", mbps);
  } else {
    std::snprintf(text, sizeof text, "%.3f Kbps", mbps * 1000);
  }
  return text;
}

std::string FormatRate(double mbps) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f Mbps", mbps);
  return text;
}

}  // namespace nxui
