#include "adapter/RegionChannels.h"

namespace nxui {
namespace {

std::vector<int> Range(int first, int last, int step = 1) {
  std::vector<int> channels;
  for (int c = first; c <= last; c += step) channels.push_back(c);
  return channels;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

std::vector<int> RegionChannels24GHz(ChipFamily family, int region) {
  if (family == kFamilyWren || family == kFamilyWrenU) return {};
  if (family == kFamilyLark || family == kFamilyLarkU) {
    switch (region) {
      case 2:
        return Range(1, 13);
      case 3:
        return Range(10, 11);
      case 4:
        return Range(10, 13);
      case 5:
        return {14};
      case 6:
        return Range(1, 14);
      case 7:
        return Range(3, 9);
      case 8:
        return Range(5, 13);
      default:
        return Range(1, 11);  // 0, 1 and unknown regions
    }
  }
  switch (region) {
    case 1:
      return Range(1, 13);
    case 2:
      return Range(10, 11);
    case 3:
      return Range(10, 13);
    case 4:
      return {14};
    case 5:
      return Range(1, 14);
    case 6:
      return Range(3, 9);
    case 7:
      return Range(5, 13);
    default:
      return Range(1, 11);  // 0, 8 and unknown regions
  }
}

std::vector<int> RegionChannels5GHz(int region) {
  const std::vector<int> upper = {149, 153, 157, 161, 165};
  switch (region) {
    case 1:
      return Join(Range(36, 64, 4), Range(100, 140, 4));
    case 2:
      return Range(36, 64, 4);
    case 3:
      return Join(Range(52, 64, 4), {149, 153, 157, 161});
    case 4:
      return upper;
    case 5:
      return {149, 153, 157, 161};
    case 6:
      return Range(36, 48, 4);
    case 7:
      return Join(Join(Range(36, 64, 4), Range(100, 140, 4)), upper);
    case 8:
      return Range(52, 64, 4);
    case 9:
      return Range(34, 46, 4);
    case 10:
      return Join(Range(34, 48, 2), Range(52, 64, 4));
    default:
      return Join(Range(36, 64, 4), upper);
  }
}

}  // namespace nxui
