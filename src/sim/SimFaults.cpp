#include "sim/SimFaults.h"

namespace nxui::sim {

void SimFaults::Arm(std::string_view point, int times) {
  auto it = entries_.find(point);
  if (it == entries_.end()) it = entries_.emplace(std::string(point), Entry{}).first;
  it->second.remaining = times;
}

void SimFaults::Disarm(std::string_view point) {
  auto it = entries_.find(point);
  if (it != entries_.end()) it->second.remaining = 0;
}

bool SimFaults::Take(std::string_view point) {
  auto it = entries_.find(point);
  if (it == entries_.end() || it->second.remaining == 0) return false;
  if (it->second.remaining > 0) --it->second.remaining;
  ++it->second.fired;
  return true;
}

int SimFaults::Fired(std::string_view point) const {
  auto it = entries_.find(point);
  return it == entries_.end() ? 0 : it->second.fired;
}

}  // namespace nxui::sim
