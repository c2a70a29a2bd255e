// The hidden window's subscription to the driver's events. "NxWLANMessageEvent" posts 0x8001 to
// the window (which then asks the driver for its ICV state); "MSNdis_StatusMediaConnect" is
// subscribed to but causes nothing. Callbacks arrive on another thread and only post.
#pragma once

#include "adapter/DriverNames.h"
#include "platform/IDriverEvents.h"
#include "platform/IEventLoop.h"

namespace nxui::shell {

class TraceLog;

class DriverEventSink {
 public:
  DriverEventSink(IDriverEvents& events, IEventLoop& loop, const TraceLog& trace)
      : events_(events), loop_(loop), trace_(trace) {}
  ~DriverEventSink() { Teardown(); }
  DriverEventSink(const DriverEventSink&) = delete;
  DriverEventSink& operator=(const DriverEventSink&) = delete;

  // Subscribes both classes for `window`, tracing each step. True when at least one subscription
  // took; a failure is never shown.
  bool Register(HWND window);
  // Cancels what was registered.
  void Teardown();

  bool MessageEventRegistered() const { return messageSubscription_ != 0; }
  bool MediaConnectRegistered() const { return mediaSubscription_ != 0; }

 private:
  IDriverEvents& events_;
  IEventLoop& loop_;
  const TraceLog& trace_;
  EventSubscription messageSubscription_ = 0;
  EventSubscription mediaSubscription_ = 0;
};

}  // namespace nxui::shell
