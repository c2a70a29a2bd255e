#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace nxui {

using EventSubscription = std::uint32_t;

// Driver and platform events (WMI notification queries in namespace "ROOT\\WMI").
// Callbacks arrive on another thread and must do nothing but post a message.
class IDriverEvents {
 public:
  virtual ~IDriverEvents() = default;

  // Subscribes to an event class ("NxWLANMessageEvent", "MSNdis_StatusMediaConnect").
  // Returns 0 on failure.
  virtual EventSubscription Subscribe(std::string_view eventClass, std::function<void()> callback) = 0;
  virtual void Unsubscribe(EventSubscription subscription) = 0;
};

}  // namespace nxui
