#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/IEventLoop.h"

namespace nxui {

// Deterministic loop under virtual time, for tests and the command line. Nothing happens until the
// owner advances time: timers fire in due order (ties in the order they were started) and posted
// messages are delivered before the next timer, in the order they were posted. Work handed to
// RunOnWorker runs on the loop's thread at the time it was handed over, after the messages already
// queued.
class VirtualEventLoop final : public IEventLoop {
 public:
  VirtualEventLoop();
  ~VirtualEventLoop() override;

  HWND CreateWindow(IMessageTarget& target) override;
  void DestroyWindow(HWND window) override;
  bool IsWindow(HWND window) const override;
  bool SetTimer(HWND window, UINT_PTR timerId, UINT periodMs) override;
  bool KillTimer(HWND window, UINT_PTR timerId) override;
  UINT_PTR SetSystemTimer(UINT periodMs, TimerProc proc) override;
  bool KillSystemTimer(UINT_PTR timerId) override;
  bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  std::uint64_t TickCount() const override { return now_; }
  void RunOnWorker(std::function<void()> work) override;
  void SetDispatchObserver(std::function<void()> observer) override { observer_ = std::move(observer); }

  // Runs everything due up to now + ms, then sets the clock to now + ms.
  void AdvanceBy(std::uint64_t ms);
  // Delivers the queued messages and worker jobs without moving the clock.
  void DrainMessages();
  // Runs one-shot code at a virtual time (for the simulated world's scheduled events).
  void ScheduleAt(std::uint64_t atMs, std::function<void()> action);

  bool HasTimer(HWND window, UINT_PTR timerId) const;
  bool HasSystemTimer(UINT_PTR timerId) const;
  std::size_t ActiveTimerCount() const { return timers_.size(); }
  // Period of a running timer, 0 when it is not running.
  UINT TimerPeriod(HWND window, UINT_PTR timerId) const;

 private:
  struct TimerKey {
    HWND window;  // 0 for system timers and scheduled actions
    UINT_PTR id;
    bool operator<(const TimerKey& o) const { return window != o.window ? window < o.window : id < o.id; }
  };
  struct Timer {
    UINT periodMs = 0;  // 0: one-shot scheduled action
    std::uint64_t due = 0;
    std::uint64_t order = 0;       // start order, breaks ties
    TimerProc proc;                // system timers
    std::function<void()> action;  // scheduled actions
  };
  struct Posted {
    HWND window;  // 0 = worker job
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::function<void()> job;
  };

  bool DeliverOne();
  bool FireNextDue(std::uint64_t limit);
  void Dispatched() const;

  std::unordered_map<HWND, IMessageTarget*> windows_;
  HWND nextWindow_ = 1;
  std::map<TimerKey, Timer> timers_;
  UINT_PTR nextSystemTimer_ = 0x7000;
  std::uint64_t nextOrder_ = 0;
  std::uint64_t now_ = 0;

  mutable std::mutex queueMutex_;
  std::deque<Posted> queue_;

  std::function<void()> observer_;
};

}  // namespace nxui
