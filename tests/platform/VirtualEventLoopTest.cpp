#include "platform/VirtualEventLoop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace nxui {
namespace {

struct Recorder : IMessageTarget {
  std::vector<std::string>* log;
  std::string name;
  Recorder(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
  void OnTimer(UINT_PTR id) override { log->push_back(name + ":t" + std::to_string(id)); }
  LRESULT OnMessage(UINT m, WPARAM, LPARAM) override {
    log->push_back(name + ":m" + std::to_string(m));
    return 0;
  }
};

TEST(VirtualEventLoop, TimersFireInDueOrderAndTiesByStartOrder) {
  VirtualEventLoop loop;
  std::vector<std::string> log;
  Recorder a(&log, "a"), b(&log, "b");
  HWND ha = loop.CreateWindow(a), hb = loop.CreateWindow(b);
  loop.SetTimer(hb, 1, 1000);
  loop.SetTimer(ha, 2, 1000);
  loop.SetTimer(ha, 3, 500);
  loop.AdvanceBy(1000);
  EXPECT_EQ(log, (std::vector<std::string>{"a:t3", "b:t1", "a:t2", "a:t3"}));
  EXPECT_EQ(loop.TickCount(), 1000u);
}

TEST(VirtualEventLoop, TiesKeepTheStartOrderAcrossPeriodsAndRestarts) {
  struct Row {
    const char* name;
    bool restartFast;  // SetTimer again on the fast timer at 250 ms, due at 1000 ms
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      // The fast timer started first, so at 1000 ms it still fires first although it fired at 500.
      {"started first", false, {"a:t1", "a:t1", "b:t2"}},
      // Restarting it is a new start: it now comes after the slow one.
      {"restarted", true, {"b:t2", "a:t1"}},
  };
  for (const Row& row : rows) {
    VirtualEventLoop loop;
    std::vector<std::string> log;
    Recorder a(&log, "a"), b(&log, "b");
    HWND ha = loop.CreateWindow(a), hb = loop.CreateWindow(b);
    loop.SetTimer(ha, 1, 500);
    loop.SetTimer(hb, 2, 1000);
    if (row.restartFast) {
      loop.AdvanceBy(250);
      loop.SetTimer(ha, 1, 750);
    }
    loop.AdvanceBy(1000 - loop.TickCount());
    EXPECT_EQ(log, row.expected) << row.name;
  }
}

TEST(VirtualEventLoop, SetTimerOnRunningIdRestartsIt) {
  VirtualEventLoop loop;
  std::vector<std::string> log;
  Recorder a(&log, "a");
  HWND h = loop.CreateWindow(a);
  loop.SetTimer(h, 1, 1000);
  loop.AdvanceBy(900);
  loop.SetTimer(h, 1, 1000);
  loop.AdvanceBy(900);
  EXPECT_TRUE(log.empty());
  loop.AdvanceBy(100);
  EXPECT_EQ(log.size(), 1u);
}

TEST(VirtualEventLoop, DestroyWindowKillsTimersAndDropsQueuedMessages) {
  VirtualEventLoop loop;
  std::vector<std::string> log;
  Recorder a(&log, "a");
  HWND h = loop.CreateWindow(a);
  loop.SetTimer(h, 1, 10);
  loop.PostMessage(h, 0x401, 0, 0);
  loop.DestroyWindow(h);
  loop.AdvanceBy(100);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(loop.IsWindow(h));
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);
}

TEST(VirtualEventLoop, PostedMessagesRunBeforeTheNextTimerInPostOrder) {
  VirtualEventLoop loop;
  std::vector<std::string> log;
  Recorder a(&log, "a");
  HWND h = loop.CreateWindow(a);
  loop.SetTimer(h, 1, 10);
  loop.PostMessage(h, 1, 0, 0);
  loop.PostMessage(h, 2, 0, 0);
  loop.AdvanceBy(10);
  EXPECT_EQ(log, (std::vector<std::string>{"a:m1", "a:m2", "a:t1"}));
}

TEST(VirtualEventLoop, BroadcastReachesTheWindowsAliveAtTheCallOldestFirst) {
  VirtualEventLoop loop;
  std::vector<std::string> log;
  Recorder a(&log, "a"), b(&log, "b"), c(&log, "c"), d(&log, "d");
  loop.CreateWindow(a);
  const HWND hb = loop.CreateWindow(b);
  loop.CreateWindow(c);
  loop.DestroyWindow(hb);
  loop.BroadcastMessage(0x219, 7, 0);
  const HWND hd = loop.CreateWindow(d);  // too late for it
  loop.PostMessage(hd, 1, 0, 0);
  loop.DrainMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"a:m537", "c:m537", "d:m1"}));
}

TEST(VirtualEventLoop, SystemTimerCanKillItselfFromItsProc) {
  VirtualEventLoop loop;
  int fired = 0;
  UINT_PTR id = loop.SetSystemTimer(500, [&](UINT_PTR tid) {
    ++fired;
    if (fired == 2) loop.KillSystemTimer(tid);
  });
  EXPECT_NE(id, 0u);
  loop.AdvanceBy(5000);
  EXPECT_EQ(fired, 2);
  EXPECT_FALSE(loop.HasSystemTimer(id));
}

TEST(VirtualEventLoop, ScheduledActionRunsOnceAtItsTime) {
  VirtualEventLoop loop;
  std::vector<std::uint64_t> at;
  loop.ScheduleAt(30000, [&] { at.push_back(loop.TickCount()); });
  loop.AdvanceBy(29999);
  EXPECT_TRUE(at.empty());
  loop.AdvanceBy(10000);
  EXPECT_EQ(at, (std::vector<std::uint64_t>{30000}));
}

// The observer sees the loop after each thing it handled, and only then: a view that follows it
// never misses a change and never looks for nothing.
TEST(VirtualEventLoop, ObserverRunsAfterEachTimerMessageJobAndScheduledAction) {
  struct Row {
    const char* name;
    std::function<void(VirtualEventLoop&, HWND)> act;
    std::uint64_t advanceMs;
    int expected;
  };
  const Row rows[] = {
      {"nothing due", [](VirtualEventLoop&, HWND) {}, 5000, 0},
      {"a timer, three ticks", [](VirtualEventLoop& l, HWND w) { l.SetTimer(w, 1, 1000); }, 3000, 3},
      {"one tick short", [](VirtualEventLoop& l, HWND w) { l.SetTimer(w, 1, 1000); }, 999, 0},
      {"two posted messages",
       [](VirtualEventLoop& l, HWND w) {
         l.PostMessage(w, 7, 0, 0);
         l.PostMessage(w, 8, 0, 0);
       },
       0, 2},
      {"a message to a window gone", [](VirtualEventLoop& l, HWND) { l.PostMessage(999, 7, 0, 0); }, 0, 0},
      {"a worker job", [](VirtualEventLoop& l, HWND) { l.RunOnWorker([] {}); }, 0, 1},
      {"a scheduled action", [](VirtualEventLoop& l, HWND) { l.ScheduleAt(100, [] {}); }, 100, 1},
      {"sent, not posted: the caller is running already",
       [](VirtualEventLoop& l, HWND w) { l.SendMessage(w, 7, 0, 0); }, 1000, 0},
  };
  for (const Row& row : rows) {
    VirtualEventLoop loop;
    std::vector<std::string> log;
    Recorder target(&log, "a");
    const HWND window = loop.CreateWindow(target);
    int seen = 0;
    std::size_t handledWhenSeen = 0;
    loop.SetDispatchObserver([&] {
      ++seen;
      handledWhenSeen = log.size();
    });
    row.act(loop, window);
    const std::size_t sent = log.size();
    loop.AdvanceBy(row.advanceMs);
    EXPECT_EQ(seen, row.expected) << row.name;
    // Called after the handler, not before it.
    if (seen > 0 && !log.empty()) {
      EXPECT_EQ(handledWhenSeen, log.size()) << row.name;
    }
    EXPECT_GE(log.size(), sent) << row.name;
  }
}

TEST(VirtualEventLoop, ObserverCanBeRemovedOrReplacedFromWithinItself) {
  VirtualEventLoop loop;
  std::vector<std::string> log;
  Recorder target(&log, "a");
  const HWND window = loop.CreateWindow(target);
  loop.SetTimer(window, 1, 100);
  int first = 0;
  int second = 0;
  loop.SetDispatchObserver([&] {
    ++first;
    loop.SetDispatchObserver([&] { ++second; });
  });
  loop.AdvanceBy(300);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);
  loop.SetDispatchObserver({});
  loop.AdvanceBy(300);
  EXPECT_EQ(second, 2);
}

}  // namespace
}  // namespace nxui
