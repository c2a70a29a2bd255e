#include "sim/SimDriverEvents.h"

#include <vector>

#include "sim/SimFaults.h"

namespace nxui::sim {

EventSubscription SimDriverEvents::Subscribe(std::string_view eventClass, std::function<void()> callback) {
  // Only the two classes the system raises exist; a query for another class fails like WMI does.
  if (eventClass != kDriverMessageEventClass && eventClass != kMediaConnectEventClass) return 0;
  if (!callback || faults_.Take(fault::kSubscribe)) return 0;
  const EventSubscription id = next_++;
  subscriptions_[id] = Entry{std::string(eventClass), std::move(callback)};
  return id;
}

void SimDriverEvents::Unsubscribe(EventSubscription subscription) { subscriptions_.erase(subscription); }

int SimDriverEvents::Raise(std::string_view eventClass) {
  // Copy first: a callback may unsubscribe.
  std::vector<std::function<void()>> targets;
  for (const auto& [id, entry] : subscriptions_) {
    if (entry.eventClass == eventClass) targets.push_back(entry.callback);
  }
  for (auto& t : targets) t();
  return static_cast<int>(targets.size());
}

}  // namespace nxui::sim
