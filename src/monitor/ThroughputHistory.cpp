#include "monitor/ThroughputHistory.h"

#include <algorithm>

namespace nxui {

void ThroughputHistory::Push(double mbps) {
  std::shift_left(samples_.begin(), samples_.end(), 1);
  samples_.back() = mbps;
  maximum_ = 0.0;
  for (double sample : samples_) {
    if (sample > maximum_) maximum_ = sample;
  }
}

void ThroughputHistory::Clear() {
  samples_.fill(0.0);
  maximum_ = 0.0;
}

}  // namespace nxui
