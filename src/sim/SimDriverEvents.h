// Driver and platform events of the simulated world. Callbacks run synchronously when the world
// raises an event; subscribers only post messages, so that is as good as another thread.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "adapter/DriverNames.h"
#include "platform/IDriverEvents.h"

namespace nxui::sim {

class SimFaults;

class SimDriverEvents final : public IDriverEvents {
 public:
  explicit SimDriverEvents(SimFaults& faults) : faults_(faults) {}

  EventSubscription Subscribe(std::string_view eventClass, std::function<void()> callback) override;
  void Unsubscribe(EventSubscription subscription) override;

  // Delivers an event of `eventClass` to its subscribers; returns how many got it.
  int Raise(std::string_view eventClass);
  std::size_t SubscriptionCount() const { return subscriptions_.size(); }

 private:
  struct Entry {
    std::string eventClass;
    std::function<void()> callback;
  };
  SimFaults& faults_;
  std::map<EventSubscription, Entry> subscriptions_;
  EventSubscription next_ = 1;
};

}  // namespace nxui::sim
