#include "sim/SimFaults.h"

#include <cstdio>

namespace nxui::sim {

std::string ToString(const FaultPoint& point) {
  std::string text(point.site);
  if (point.oid != 0) {
    const char* name = OidName(point.oid);
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", point.oid);
    text += " " + std::string(name != nullptr ? name : code) + " of adapter " + std::to_string(point.adapter);
  }
  return text;
}

namespace fault {
FaultPoint DriverRequest(Oid oid, int adapter) {
  const Oid set = OidFromSetWireCode(oid);
  return FaultPoint{"driver-request", adapter, set != 0 ? set : oid};
}
}  // namespace fault

void SimFaults::Arm(const FaultPoint& point, int times) {
  Entry& entry = entries_[point];
  entry.remaining = times < 0 ? kForGood : times;
  entry.expected = true;
}

void SimFaults::ArmStanding(const FaultPoint& point) { entries_[point].remaining = kForGood; }

void SimFaults::Disarm(const FaultPoint& point) {
  auto it = entries_.find(point);
  if (it != entries_.end()) it->second.remaining = 0;
}

bool SimFaults::Take(const FaultPoint& point) {
  if (entries_.empty()) return false;
  auto it = entries_.find(point);
  if (it == entries_.end() || it->second.remaining == 0) return false;
  if (it->second.remaining > 0) --it->second.remaining;
  ++it->second.fired;
  return true;
}

int SimFaults::Fired(const FaultPoint& point) const {
  auto it = entries_.find(point);
  return it == entries_.end() ? 0 : it->second.fired;
}

std::vector<FaultPoint> SimFaults::ArmedButNeverFired() const {
  std::vector<FaultPoint> points;
  for (const auto& [point, entry] : entries_) {
    if (entry.expected && entry.fired == 0) points.push_back(point);
  }
  return points;
}

}  // namespace nxui::sim
