#include "ui/QtEventLoop.h"

#include <QMetaObject>
#include <QRunnable>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace nxui {

void QtEventLoop::TimerDeleter::operator()(QTimer* timer) const {
  timer->stop();
  timer->deleteLater();
}

QtEventLoop::QtEventLoop() {
  clock_.start();
  workers_.setMaxThreadCount(2);
}

QtEventLoop::~QtEventLoop() {
  // Workers may still post to us; let them finish before the queue goes away.
  workers_.waitForDone();
  timers_.clear();
}

HWND QtEventLoop::CreateWindow(IMessageTarget& target) {
  const HWND h = nextWindow_++;
  windows_[h] = &target;
  return h;
}

void QtEventLoop::DestroyWindow(HWND window) {
  if (windows_.erase(window) == 0) return;
  for (auto it = timers_.begin(); it != timers_.end();) {
    it = it->first.window == window ? timers_.erase(it) : std::next(it);
  }
  // Handles are never reused, so delivery would drop these anyway; removing them now keeps the
  // queue short and PendingMessageCount truthful.
  std::lock_guard lock(queueMutex_);
  queue_.erase(std::remove_if(queue_.begin(), queue_.end(), [window](const Posted& p) { return p.window == window; }),
               queue_.end());
}

bool QtEventLoop::IsWindow(HWND window) const { return windows_.count(window) != 0; }

QTimer* QtEventLoop::StartTimer(TimerKey key, UINT periodMs) {
  TimerPtr& slot = timers_[key];
  if (!slot) {
    slot.reset(new QTimer(this));
    slot->setTimerType(Qt::PreciseTimer);
    connect(slot.get(), &QTimer::timeout, this, [this, key] { OnTimeout(key); });
  }
  // QTimer::start on a running timer restarts it, which is the window-timer semantics. QTimer
  // takes an int: longer periods are cut to about 24 days rather than wrapping negative.
  const UINT limit = static_cast<UINT>(std::numeric_limits<int>::max());
  slot->start(static_cast<int>(std::clamp<UINT>(periodMs, 1, limit)));
  return slot.get();
}

bool QtEventLoop::SetTimer(HWND window, UINT_PTR timerId, UINT periodMs) {
  if (!IsWindow(window)) return false;
  StartTimer(TimerKey{window, timerId}, periodMs);
  return true;
}

bool QtEventLoop::KillTimer(HWND window, UINT_PTR timerId) { return timers_.erase(TimerKey{window, timerId}) != 0; }

UINT_PTR QtEventLoop::SetSystemTimer(UINT periodMs, TimerProc proc) {
  const UINT_PTR id = nextSystemTimer_++;
  systemProcs_[id] = std::move(proc);
  StartTimer(TimerKey{0, id}, periodMs);
  return id;
}

bool QtEventLoop::KillSystemTimer(UINT_PTR timerId) {
  systemProcs_.erase(timerId);
  return timers_.erase(TimerKey{0, timerId}) != 0;
}

void QtEventLoop::OnTimeout(TimerKey key) {
  // A timeout already queued for a timer killed meanwhile must not fire.
  if (timers_.count(key) == 0) return;
  if (key.window == 0) {
    auto it = systemProcs_.find(key.id);
    if (it == systemProcs_.end()) return;
    TimerProc proc = it->second;  // copy: the handler may kill its own timer
    proc(key.id);
  } else if (auto w = windows_.find(key.window); w != windows_.end()) {
    w->second->OnTimer(key.id);
  } else {
    return;
  }
  Dispatched();
}

void QtEventLoop::Dispatched() const {
  if (!observer_) return;
  const std::function<void()> observer = observer_;  // copy: the observer may replace itself
  observer();
}

bool QtEventLoop::PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  {
    std::lock_guard lock(queueMutex_);
    queue_.push_back(Posted{window, message, wParam, lParam});
  }
  // One queued call per message; each takes the oldest message, so order follows the queue even
  // when several threads post at once.
  QMetaObject::invokeMethod(
      this, [this] { DeliverOne(); }, Qt::QueuedConnection);
  return true;
}

void QtEventLoop::BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  std::vector<HWND> handles;
  handles.reserve(windows_.size());
  for (const auto& window : windows_) handles.push_back(window.first);
  std::sort(handles.begin(), handles.end());  // handles grow: oldest window first
  for (HWND window : handles) PostMessage(window, message, wParam, lParam);
}

void QtEventLoop::DeliverOne() {
  Posted p{};
  {
    std::lock_guard lock(queueMutex_);
    if (queue_.empty()) return;  // its message was dropped by DestroyWindow
    p = queue_.front();
    queue_.pop_front();
  }
  if (auto it = windows_.find(p.window); it != windows_.end()) {
    it->second->OnMessage(p.message, p.wParam, p.lParam);
    Dispatched();
  }
}

LRESULT QtEventLoop::SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  return it->second->OnMessage(message, wParam, lParam);
}

std::uint64_t QtEventLoop::TickCount() const { return static_cast<std::uint64_t>(clock_.elapsed()); }

void QtEventLoop::RunOnWorker(std::function<void()> work) { workers_.start(QRunnable::create(std::move(work))); }

bool QtEventLoop::HasTimer(HWND window, UINT_PTR timerId) const {
  auto it = timers_.find(TimerKey{window, timerId});
  return it != timers_.end() && it->second->isActive();
}

UINT QtEventLoop::TimerPeriod(HWND window, UINT_PTR timerId) const {
  if (!HasTimer(window, timerId)) return 0;
  return static_cast<UINT>(timers_.at(TimerKey{window, timerId})->interval());
}

std::size_t QtEventLoop::PendingMessageCount() const {
  std::lock_guard lock(queueMutex_);
  return queue_.size();
}

}  // namespace nxui
