#pragma once

#include <cstdint>
#include <functional>

#include "platform/WinTypes.h"

namespace nxui {

// A window handle of the event loop; 0 is no window.
using HWND = std::uint32_t;

// What a window does with its timers and messages.
class IMessageTarget {
 public:
  virtual ~IMessageTarget() = default;
  virtual void OnTimer(UINT_PTR timerId) = 0;
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

using TimerProc = std::function<void(UINT_PTR timerId)>;

// The user-interface thread's message loop with window-style timers and posted messages.
// Everything except PostMessage and RunOnWorker must be called on the UI thread.
class IEventLoop {
 public:
  virtual ~IEventLoop() = default;

  // Windows: a target gets a handle; destroying it kills its timers and drops its queued messages.
  virtual HWND CreateWindow(IMessageTarget& target) = 0;
  virtual void DestroyWindow(HWND window) = 0;
  virtual bool IsWindow(HWND window) const = 0;

  // SetTimer(hwnd, id, period): starting a running id restarts it with the new period.
  virtual bool SetTimer(HWND window, UINT_PTR timerId, UINT periodMs) = 0;
  virtual bool KillTimer(HWND window, UINT_PTR timerId) = 0;

  // SetTimer(NULL, 0, period, proc): a window-less timer with a fresh non-zero id.
  virtual UINT_PTR SetSystemTimer(UINT periodMs, TimerProc proc) = 0;
  virtual bool KillSystemTimer(UINT_PTR timerId) = 0;

  // Thread-safe. Delivered in order on the UI thread; dropped when the window is gone by then.
  virtual bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // PostMessage(HWND_BROADCAST): posts to every window that exists now, oldest first. UI thread
  // only. The system announces device arrival and removal this way.
  virtual void BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Synchronous delivery on the UI thread. Returns 0 when the window does not exist.
  virtual LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  // Milliseconds since the loop started (GetTickCount).
  virtual std::uint64_t TickCount() const = 0;

  // Runs `work` off the UI thread (a worker thread on a real loop). The work may only post
  // messages back and use values copied before it started.
  virtual void RunOnWorker(std::function<void()> work) = 0;

  // Called on the UI thread after every timer tick, posted message and scheduled action the loop
  // has handled. Nothing in the core changes between two of them, so whoever shows the core's
  // state looks then whether it moved, instead of polling. One observer; empty removes it.
  virtual void SetDispatchObserver(std::function<void()> observer) = 0;
};

}  // namespace nxui
