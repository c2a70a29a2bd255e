#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/IEventLoop.h"

class QTimer;

namespace nxui {

// The real-time event loop on Qt: window timers are QTimers owned by the loop, posted messages go
// through one locked queue that the UI thread drains in order, workers run on a private thread pool.
// Create and use it on the thread that runs the Qt event loop (the GUI thread).
class QtEventLoop final : public QObject, public IEventLoop {
  Q_OBJECT

 public:
  QtEventLoop();
  ~QtEventLoop() override;

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
  std::uint64_t TickCount() const override;
  void RunOnWorker(std::function<void()> work) override;
  void SetDispatchObserver(std::function<void()> observer) override { observer_ = std::move(observer); }

  // For tests and shutdown: messages posted but not yet delivered, timers running.
  std::size_t PendingMessageCount() const;
  std::size_t ActiveTimerCount() const { return timers_.size(); }
  // Whether the timer is set and counting; its period in ms (0 when not running).
  bool HasTimer(HWND window, UINT_PTR timerId) const;
  UINT TimerPeriod(HWND window, UINT_PTR timerId) const;

 private:
  struct TimerKey {
    HWND window;  // 0 for system timers
    UINT_PTR id;
    bool operator<(const TimerKey& o) const { return window != o.window ? window < o.window : id < o.id; }
  };
  struct Posted {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  // deleteLater: a handler may kill the very timer whose timeout is being delivered.
  struct TimerDeleter {
    void operator()(QTimer* timer) const;
  };
  using TimerPtr = std::unique_ptr<QTimer, TimerDeleter>;

  QTimer* StartTimer(TimerKey key, UINT periodMs);
  void OnTimeout(TimerKey key);
  void DeliverOne();
  void Dispatched() const;

  std::unordered_map<HWND, IMessageTarget*> windows_;
  HWND nextWindow_ = 1;
  std::map<TimerKey, TimerPtr> timers_;
  std::map<UINT_PTR, TimerProc> systemProcs_;
  UINT_PTR nextSystemTimer_ = 0x7000;
  QElapsedTimer clock_;

  mutable std::mutex queueMutex_;
  std::deque<Posted> queue_;

  QThreadPool workers_;
  std::function<void()> observer_;
};

}  // namespace nxui
