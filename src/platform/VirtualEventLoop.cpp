#include "platform/VirtualEventLoop.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace nxui {

VirtualEventLoop::VirtualEventLoop() = default;
VirtualEventLoop::~VirtualEventLoop() = default;

HWND VirtualEventLoop::CreateWindow(IMessageTarget& target) {
  const HWND h = nextWindow_++;
  windows_[h] = &target;
  return h;
}

void VirtualEventLoop::DestroyWindow(HWND window) {
  if (windows_.erase(window) == 0) return;
  for (auto it = timers_.begin(); it != timers_.end();) {
    it = it->first.window == window ? timers_.erase(it) : std::next(it);
  }
  std::lock_guard lock(queueMutex_);
  for (auto it = queue_.begin(); it != queue_.end();) {
    it = it->window == window ? queue_.erase(it) : std::next(it);
  }
}

bool VirtualEventLoop::IsWindow(HWND window) const { return windows_.count(window) != 0; }

bool VirtualEventLoop::SetTimer(HWND window, UINT_PTR timerId, UINT periodMs) {
  if (!IsWindow(window)) return false;
  Timer& t = timers_[TimerKey{window, timerId}];
  t.periodMs = periodMs == 0 ? 1 : periodMs;
  t.due = now_ + t.periodMs;
  t.order = nextOrder_++;
  return true;
}

bool VirtualEventLoop::KillTimer(HWND window, UINT_PTR timerId) {
  return timers_.erase(TimerKey{window, timerId}) != 0;
}

UINT_PTR VirtualEventLoop::SetSystemTimer(UINT periodMs, TimerProc proc) {
  const UINT_PTR id = nextSystemTimer_++;
  Timer& t = timers_[TimerKey{0, id}];
  t.periodMs = periodMs == 0 ? 1 : periodMs;
  t.due = now_ + t.periodMs;
  t.order = nextOrder_++;
  t.proc = std::move(proc);
  return id;
}

bool VirtualEventLoop::KillSystemTimer(UINT_PTR timerId) { return timers_.erase(TimerKey{0, timerId}) != 0; }

void VirtualEventLoop::ScheduleAt(std::uint64_t atMs, std::function<void()> action) {
  const UINT_PTR id = nextSystemTimer_++;
  Timer& t = timers_[TimerKey{0, id}];
  t.periodMs = 0;
  t.due = atMs < now_ ? now_ : atMs;
  t.order = nextOrder_++;
  t.action = std::move(action);
}

bool VirtualEventLoop::PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::lock_guard lock(queueMutex_);
  queue_.push_back(Posted{window, message, wParam, lParam, {}});
  return true;
}

void VirtualEventLoop::BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  std::vector<HWND> handles;
  handles.reserve(windows_.size());
  for (const auto& window : windows_) handles.push_back(window.first);
  std::sort(handles.begin(), handles.end());  // handles grow: oldest window first
  for (HWND window : handles) PostMessage(window, message, wParam, lParam);
}

LRESULT VirtualEventLoop::SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  return it->second->OnMessage(message, wParam, lParam);
}

void VirtualEventLoop::RunOnWorker(std::function<void()> work) {
  std::lock_guard lock(queueMutex_);
  queue_.push_back(Posted{0, 0, 0, 0, std::move(work)});
}

bool VirtualEventLoop::HasTimer(HWND window, UINT_PTR timerId) const {
  return timers_.count(TimerKey{window, timerId}) != 0;
}

bool VirtualEventLoop::HasSystemTimer(UINT_PTR timerId) const { return timers_.count(TimerKey{0, timerId}) != 0; }

UINT VirtualEventLoop::TimerPeriod(HWND window, UINT_PTR timerId) const {
  auto it = timers_.find(TimerKey{window, timerId});
  return it == timers_.end() ? 0 : it->second.periodMs;
}

bool VirtualEventLoop::DeliverOne() {
  Posted p;
  {
    std::lock_guard lock(queueMutex_);
    if (queue_.empty()) return false;
    p = std::move(queue_.front());
    queue_.pop_front();
  }
  if (p.job) {
    p.job();
  } else if (auto it = windows_.find(p.window); it != windows_.end()) {
    it->second->OnMessage(p.message, p.wParam, p.lParam);
  } else {
    return true;  // its window went: nothing was handled
  }
  Dispatched();
  return true;
}

void VirtualEventLoop::Dispatched() const {
  if (!observer_) return;
  const std::function<void()> observer = observer_;  // copy: the observer may replace itself
  observer();
}

void VirtualEventLoop::DrainMessages() {
  while (DeliverOne()) {
  }
}

bool VirtualEventLoop::FireNextDue(std::uint64_t limit) {
  auto best = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.due > limit) continue;
    if (best == timers_.end() || it->second.due < best->second.due ||
        (it->second.due == best->second.due && it->second.order < best->second.order)) {
      best = it;
    }
  }
  if (best == timers_.end()) return false;
  const TimerKey key = best->first;
  now_ = best->second.due;
  if (best->second.action) {
    auto action = std::move(best->second.action);
    timers_.erase(best);
    action();
    Dispatched();
    return true;
  }
  // Reschedule before firing so that the handler may kill or restart the timer. A timer keeps
  // its start order while it runs: only SetTimer (a start or restart) gives it a new place.
  best->second.due = now_ + best->second.periodMs;
  if (key.window == 0) {
    TimerProc proc = best->second.proc;  // copy: the handler may kill the timer
    proc(key.id);
  } else if (auto w = windows_.find(key.window); w != windows_.end()) {
    w->second->OnTimer(key.id);
  }
  Dispatched();
  return true;
}

void VirtualEventLoop::AdvanceBy(std::uint64_t ms) {
  const std::uint64_t target = now_ + ms;
  DrainMessages();
  while (FireNextDue(target)) {
    DrainMessages();
  }
  now_ = target;
}

}  // namespace nxui
