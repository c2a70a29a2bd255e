#include "adapter/HtRateTable.h"

#include <array>
#include <cstdio>

namespace nxui {

namespace {

struct HtRateRow {
  int mcs;
  double long20;
  double short20;  // < 0: no such rate
  double long40;
  double short40;
};

// MCS 33 at 40 MHz carries the 802.11n values (81.0 / 90.0); the 20 MHz columns of MCS 32 and
// 33 do not exist.
constexpr std::array<HtRateRow, 18> kHtRates = {{
    {0, 6.5, 7.2, 13.5, 15.0},
    {1, 13.0, 14.4, 27.0, 30.0},
    {2, 19.5, 21.7, 40.5, 45.0},
    {3, 26.0, 28.9, 54.0, 60.0},
    {4, 39.0, 43.3, 81.0, 90.0},
    {5, 52.0, 57.8, 108.0, 120.0},
    {6, 58.5, 65.0, 121.5, 135.0},
    {7, 65.0, 72.2, 135.0, 150.0},
    {8, 13.0, 14.444, 27.0, 30.0},
    {9, 26.0, 28.889, 54.0, 60.0},
    {10, 39.0, 43.333, 81.0, 90.0},
    {11, 52.0, 57.778, 108.0, 120.0},
    {12, 78.0, 86.667, 162.0, 180.0},
    {13, 104.0, 115.556, 216.0, 240.0},
    {14, 117.0, 130.0, 243.0, 270.0},
    {15, 130.0, 144.444, 270.0, 300.0},
    {32, -1.0, -1.0, 6.0, 6.7},
    {33, -1.0, -1.0, 81.0, 90.0},
}};

}  // namespace

std::string CHTTable::MakeKey(int bandwidth40, int shortGi, int mcs) {
  char key[32];
  std::snprintf(key, sizeof key, "%s%s%d", bandwidth40 != 0 ? "40," : "20,", shortGi == 1 ? "400," : "800,", mcs);
  return key;
}

void CHTTable::Fill() {
  for (const HtRateRow& row : kHtRates) {
    if (row.long20 >= 0) rates_.emplace(MakeKey(0, 0, row.mcs), row.long20);
    if (row.short20 >= 0) rates_.emplace(MakeKey(0, 1, row.mcs), row.short20);
    rates_.emplace(MakeKey(1, 0, row.mcs), row.long40);
    rates_.emplace(MakeKey(1, 1, row.mcs), row.short40);
  }
}

bool CHTTable::Find(const std::string& key, double& rateMbps) const {
  auto it = rates_.find(key);
  if (it == rates_.end()) return false;
  rateMbps = it->second;
  return true;
}

}  // namespace nxui
