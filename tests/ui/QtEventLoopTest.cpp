#include "ui/QtEventLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <thread>
#include <vector>

namespace nxui {
namespace {

struct Event {
  bool timer;
  UINT_PTR idOrMessage;
  WPARAM wParam;
  LPARAM lParam;
  std::uint64_t tick;
  bool onUiThread;
};

class Recorder : public IMessageTarget {
 public:
  explicit Recorder(const QtEventLoop& loop) : loop_(loop) {}
  void OnTimer(UINT_PTR id) override {
    events.push_back({true, id, 0, 0, loop_.TickCount(), IsUi()});
    if (onTimer) onTimer(id);
  }
  LRESULT OnMessage(UINT message, WPARAM w, LPARAM l) override {
    events.push_back({false, message, w, l, loop_.TickCount(), IsUi()});
    return static_cast<LRESULT>(message) * 10;
  }
  std::size_t Count(bool timer, UINT_PTR id) const {
    std::size_t n = 0;
    for (const auto& e : events) n += (e.timer == timer && e.idOrMessage == id) ? 1 : 0;
    return n;
  }
  std::vector<Event> events;
  std::function<void(UINT_PTR)> onTimer;

 private:
  static bool IsUi() { return QThread::currentThread() == QCoreApplication::instance()->thread(); }
  const QtEventLoop& loop_;
};

// Runs the Qt event loop until `done` holds or `timeoutMs` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < timeoutMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
  return done();
}

void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

TEST(QtEventLoop, SettingARunningTimerRestartsItFromNow) {
  QtEventLoop loop;
  Recorder r(loop);
  const HWND h = loop.CreateWindow(r);
  ASSERT_TRUE(loop.SetTimer(h, 1, 300));
  PumpFor(150);
  const std::uint64_t restarted = loop.TickCount();
  ASSERT_TRUE(loop.SetTimer(h, 1, 300));
  ASSERT_TRUE(PumpUntil([&] { return r.Count(true, 1) >= 1; }, 3000));
  // Had the restart been ignored the first tick would have come about 150 ms earlier.
  EXPECT_GE(r.events.front().tick + 5, restarted + 300);
  EXPECT_EQ(loop.ActiveTimerCount(), 1u);
}

TEST(QtEventLoop, RestartWithAShorterPeriodTakesTheNewPeriod) {
  QtEventLoop loop;
  Recorder r(loop);
  const HWND h = loop.CreateWindow(r);
  loop.SetTimer(h, 4, 10000);
  loop.SetTimer(h, 4, 30);
  EXPECT_TRUE(PumpUntil([&] { return r.Count(true, 4) >= 2; }, 3000));
}

TEST(QtEventLoop, ExtremePeriodsNeitherStallNorFireEarly) {
  QtEventLoop loop;
  Recorder r(loop);
  const HWND h = loop.CreateWindow(r);
  loop.SetTimer(h, 1, 0xFFFFFFFFu);  // would be negative as a plain int
  loop.SetTimer(h, 2, 0x80000000u);
  loop.SetTimer(h, 3, 0);  // treated as the shortest period
  ASSERT_TRUE(PumpUntil([&] { return r.Count(true, 3) >= 3; }, 3000));
  EXPECT_EQ(r.Count(true, 1), 0u);
  EXPECT_EQ(r.Count(true, 2), 0u);
  EXPECT_TRUE(loop.HasTimer(h, 1));
  EXPECT_TRUE(loop.HasTimer(h, 2));
  EXPECT_EQ(loop.TimerPeriod(h, 1), 0x7FFFFFFFu);
  EXPECT_EQ(loop.TimerPeriod(h, 2), 0x7FFFFFFFu);
  EXPECT_EQ(loop.TimerPeriod(h, 3), 1u);
  EXPECT_EQ(loop.TimerPeriod(h, 4), 0u);
}

TEST(QtEventLoop, SameTimerIdOnTwoWindowsAreTwoTimers) {
  QtEventLoop loop;
  Recorder a(loop), b(loop);
  const HWND ha = loop.CreateWindow(a), hb = loop.CreateWindow(b);
  loop.SetTimer(ha, 1, 20);
  loop.SetTimer(hb, 1, 20);
  EXPECT_EQ(loop.ActiveTimerCount(), 2u);
  EXPECT_TRUE(loop.KillTimer(ha, 1));
  EXPECT_FALSE(loop.KillTimer(ha, 1));
  ASSERT_TRUE(PumpUntil([&] { return b.Count(true, 1) >= 3; }, 3000));
  EXPECT_EQ(a.Count(true, 1), 0u);
}

TEST(QtEventLoop, HandlerMayKillOrRestartItsOwnTimer) {
  QtEventLoop loop;
  Recorder r(loop);
  const HWND h = loop.CreateWindow(r);
  int fired = 0;
  r.onTimer = [&](UINT_PTR id) {
    ++fired;
    if (id == 8) loop.KillTimer(h, 8);  // one-shot, as the rescan timer is used
    if (id == 9 && fired < 10) loop.SetTimer(h, 9, 15);
  };
  loop.SetTimer(h, 8, 10);
  loop.SetTimer(h, 9, 15);
  PumpFor(200);
  EXPECT_EQ(r.Count(true, 8), 1u);
  EXPECT_GE(r.Count(true, 9), 3u);
  EXPECT_FALSE(loop.KillTimer(h, 8));
}

TEST(QtEventLoop, DestroyWindowDropsItsTimersAndQueuedMessagesOnly) {
  QtEventLoop loop;
  Recorder gone(loop), kept(loop);
  const HWND hg = loop.CreateWindow(gone), hk = loop.CreateWindow(kept);
  loop.SetTimer(hg, 1, 10);
  loop.PostMessage(hg, 0x404, 1, 2);
  loop.PostMessage(hk, 0x405, 3, 4);
  loop.PostMessage(hg, 0x406, 5, 6);
  EXPECT_EQ(loop.PendingMessageCount(), 3u);
  loop.DestroyWindow(hg);
  EXPECT_EQ(loop.PendingMessageCount(), 1u);
  EXPECT_FALSE(loop.IsWindow(hg));
  EXPECT_FALSE(loop.SetTimer(hg, 1, 10));
  EXPECT_EQ(loop.SendMessage(hg, 1, 0, 0), 0);
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);
  PumpFor(80);
  EXPECT_TRUE(gone.events.empty());
  ASSERT_EQ(kept.events.size(), 1u);
  EXPECT_EQ(kept.events[0].idOrMessage, 0x405u);
  // A handle is never handed out again.
  Recorder later(loop);
  EXPECT_NE(loop.CreateWindow(later), hg);
}

TEST(QtEventLoop, BroadcastIsPostedToTheWindowsAliveAtTheCall) {
  QtEventLoop loop;
  Recorder a(loop), gone(loop), b(loop), late(loop);
  loop.CreateWindow(a);
  const HWND hg = loop.CreateWindow(gone);
  loop.CreateWindow(b);
  loop.DestroyWindow(hg);
  loop.BroadcastMessage(0x219, 7, 0);
  loop.CreateWindow(late);
  EXPECT_TRUE(a.events.empty());  // posted, not sent
  EXPECT_EQ(loop.PendingMessageCount(), 2u);
  ASSERT_TRUE(PumpUntil([&] { return a.events.size() == 1 && b.events.size() == 1; }, 3000));
  EXPECT_EQ(a.events[0].idOrMessage, 0x219u);
  EXPECT_EQ(b.events[0].wParam, 7u);
  EXPECT_TRUE(gone.events.empty());
  EXPECT_TRUE(late.events.empty());
}

TEST(QtEventLoop, PostedMessagesArriveLaterInOrderAndSendIsImmediate) {
  QtEventLoop loop;
  Recorder r(loop);
  const HWND h = loop.CreateWindow(r);
  for (UINT m = 0x401; m <= 0x40B; ++m) loop.PostMessage(h, m, m, -static_cast<LPARAM>(m));
  EXPECT_TRUE(r.events.empty());
  EXPECT_EQ(loop.SendMessage(h, 7, 0, 0), 70);
  ASSERT_EQ(r.events.size(), 1u);
  ASSERT_TRUE(PumpUntil([&] { return r.events.size() == 12; }, 3000));
  for (UINT m = 0x401; m <= 0x40B; ++m) {
    const Event& e = r.events[m - 0x401 + 1];
    EXPECT_EQ(e.idOrMessage, m);
    EXPECT_EQ(e.wParam, m);
    EXPECT_EQ(e.lParam, -static_cast<LPARAM>(m));
  }
}

TEST(QtEventLoop, PostsFromManyThreadsKeepEachThreadsOrderAndRunOnTheUiThread) {
  QtEventLoop loop;
  Recorder r(loop);
  const HWND h = loop.CreateWindow(r);
  constexpr int kThreads = 4;
  constexpr int kEach = 400;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&loop, h, t] {
      for (int i = 0; i < kEach; ++i) {
        loop.PostMessage(h, 0x8001, static_cast<WPARAM>(t), i);
      }
    });
  }
  for (auto& t : threads) t.join();
  ASSERT_TRUE(PumpUntil([&] { return r.events.size() == kThreads * kEach; }, 5000));
  std::map<WPARAM, LPARAM> last;
  for (const Event& e : r.events) {
    EXPECT_TRUE(e.onUiThread);
    auto it = last.find(e.wParam);
    if (it != last.end()) {
      EXPECT_EQ(e.lParam, it->second + 1) << "thread " << e.wParam;
    }
    last[e.wParam] = e.lParam;
  }
  EXPECT_EQ(last.size(), static_cast<std::size_t>(kThreads));
}

TEST(QtEventLoop, SystemTimersHaveFreshIdsAndSurviveWindowDestruction) {
  QtEventLoop loop;
  Recorder r(loop);
  const HWND h = loop.CreateWindow(r);
  std::vector<UINT_PTR> seen;
  const UINT_PTR a = loop.SetSystemTimer(20, [&](UINT_PTR id) { seen.push_back(id); });
  const UINT_PTR b = loop.SetSystemTimer(20, [&](UINT_PTR id) {
    seen.push_back(id);
    loop.KillSystemTimer(id);
  });
  EXPECT_NE(a, 0u);
  EXPECT_NE(a, b);
  loop.DestroyWindow(h);
  ASSERT_TRUE(PumpUntil([&] { return std::count(seen.begin(), seen.end(), a) >= 3; }, 3000));
  EXPECT_EQ(std::count(seen.begin(), seen.end(), b), 1);
  EXPECT_TRUE(loop.KillSystemTimer(a));
  EXPECT_FALSE(loop.KillSystemTimer(a));
  const std::size_t before = seen.size();
  PumpFor(80);
  EXPECT_EQ(seen.size(), before);
}

TEST(QtEventLoop, WorkerRunsOffTheUiThreadAndPostsBack) {
  QtEventLoop loop;
  Recorder r(loop);
  const HWND h = loop.CreateWindow(r);
  std::atomic<bool> workerOnUi{true};
  const QThread* ui = QCoreApplication::instance()->thread();
  loop.RunOnWorker([&loop, &workerOnUi, h, ui] {
    workerOnUi = QThread::currentThread() == ui;
    loop.PostMessage(h, 0x40A, 1, 2);
  });
  ASSERT_TRUE(PumpUntil([&] { return !r.events.empty(); }, 3000));
  EXPECT_FALSE(workerOnUi.load());
  EXPECT_TRUE(r.events[0].onUiThread);
  EXPECT_EQ(r.events[0].idOrMessage, 0x40Au);
}

TEST(QtEventLoop, TickCountIsMonotonicAndFollowsRealTime) {
  QtEventLoop loop;
  const std::uint64_t start = loop.TickCount();
  QElapsedTimer t;
  t.start();
  std::uint64_t previous = start;
  while (t.elapsed() < 60) {
    const std::uint64_t now = loop.TickCount();
    ASSERT_GE(now, previous);
    previous = now;
  }
  EXPECT_GE(loop.TickCount() - start, 55u);
}

// In real time too the observer follows each timer tick and posted message, on the UI thread, and
// is quiet while nothing is due.
TEST(QtEventLoop, ObserverFollowsTimerTicksAndMessagesOnly) {
  QtEventLoop loop;
  Recorder target(loop);
  const HWND window = loop.CreateWindow(target);
  std::atomic<int> seen{0};
  std::size_t handledWhenSeen = 0;
  bool onUiThread = true;
  loop.SetDispatchObserver([&] {
    ++seen;
    handledWhenSeen = target.events.size();
    onUiThread = onUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
  });
  PumpFor(60);
  EXPECT_EQ(seen.load(), 0);

  loop.PostMessage(window, 5, 0, 0);
  loop.SendMessage(window, 6, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return seen.load() >= 1; }, 2000));
  PumpFor(30);
  EXPECT_EQ(seen.load(), 1);
  EXPECT_EQ(handledWhenSeen, target.events.size());

  loop.SetTimer(window, 1, 20);
  ASSERT_TRUE(PumpUntil([&] { return target.Count(true, 1) >= 3; }, 3000));
  loop.KillTimer(window, 1);
  PumpFor(30);
  EXPECT_EQ(static_cast<std::size_t>(seen.load()), 1 + target.Count(true, 1));
  EXPECT_TRUE(onUiThread);

  loop.SetDispatchObserver({});
  loop.PostMessage(window, 5, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return target.Count(false, 5) == 2; }, 2000));
  EXPECT_EQ(static_cast<std::size_t>(seen.load()), 1 + target.Count(true, 1));
}

}  // namespace
}  // namespace nxui
