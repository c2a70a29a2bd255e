#include "shell/DriverEventSink.h"

#include "shell/ShellIds.h"
#include "shell/TraceLog.h"

namespace nxui::shell {

bool DriverEventSink::Register(HWND window) {
  trace_.Write("Start to set window handle\n");
  trace_.Write("End to set window handle\nStart to set message string\n");
  trace_.Write("End to set message string\nStart to register event\n");
  // The port joins the event service in one call; the lines keep the trace's familiar shape.
  trace_.Write("Start to coinitializeEx\n");
  trace_.Write("End to coinitializeEx\nStart to Coinitializesecurity\n");
  trace_.Write("End to Coinitializesecurity\n");
  trace_.Write("Start to CoCreateInstance\n");
  trace_.Write("End to CoCreateInstance\n");
  trace_.Write("Start to ConnectServer\n");
  trace_.Write("End to ConnectServer\n");
  trace_.Write("Start to ExecuteQuery\n");
  IEventLoop& loop = loop_;
  if (loop_.IsWindow(window)) {
    messageSubscription_ = events_.Subscribe(kDriverMessageEventClass,
                                             [&loop, window] { loop.PostMessage(window, kMsgDriverEvent, 0, 0); });
    mediaSubscription_ = events_.Subscribe(kMediaConnectEventClass, [] {});
  }
  const bool registered = messageSubscription_ != 0 || mediaSubscription_ != 0;
  if (registered) trace_.Write("End to ExecuteQuery\n");
  trace_.Write("End to register event\n");
  return registered;
}

void DriverEventSink::Teardown() {
  if (messageSubscription_ != 0) events_.Unsubscribe(messageSubscription_);
  if (mediaSubscription_ != 0) events_.Unsubscribe(mediaSubscription_);
  messageSubscription_ = 0;
  mediaSubscription_ = 0;
}

}  // namespace nxui::shell
