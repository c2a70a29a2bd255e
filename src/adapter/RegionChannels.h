// The channels a country region allows, as channel validation checks them.
#pragma once

#include <vector>

#include "adapter/AdapterContext.h"

namespace nxui {

// 2.4 GHz channels of a region byte (bit 7 already cleared) for a family; families 2 and 3 have
// none. The region numbering differs between families 0/1 and the later ones.
std::vector<int> RegionChannels24GHz(ChipFamily family, int region);

// 5 GHz channels of a region byte (bit 7 already cleared); unknown regions as region 0.
std::vector<int> RegionChannels5GHz(int region);

}  // namespace nxui
