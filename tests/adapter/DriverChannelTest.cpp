#include "adapter/DriverChannel.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "adapter/DriverValueMaps.h"
#include "adapter/fakes/FakeDeviceIo.h"
#include "platform/VirtualEventLoop.h"

namespace nxui {
namespace {

using test::FakeDeviceIo;

constexpr const char* kPath = "\\\\.\\{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}";

struct Bench {
  FakeDeviceIo io;
  VirtualEventLoop loop;
  AdapterContext ctx;
  Bench() {
    ctx.devicePath = kPath;
    ctx.osGeneration = kOsVista;
    io.openable.insert(kPath);
  }
};

std::vector<std::uint8_t> Le32(std::uint32_t v) {
  std::vector<std::uint8_t> b(4);
  StoreLe32(b.data(), v);
  return b;
}

TEST(DriverChannel, QuerySendsOidAndClosesHandle) {
  Bench b;
  b.io.handlers[OID_WLAN_NOISE] = [](std::uint32_t, std::span<std::uint8_t> out, DWORD& n) {
    StoreLe32(out.data(), static_cast<std::uint32_t>(-92));
    n = 4;
    return true;
  };
  DriverChannel channel(b.io, b.loop, b.ctx);
  std::array<std::uint8_t, 4> record{};
  DWORD bytes = 77;
  ASSERT_TRUE(channel.QueryDriver(OID_WLAN_NOISE, record, bytes));
  EXPECT_EQ(static_cast<std::int32_t>(LoadLe32(record.data())), -92);
  EXPECT_EQ(bytes, 4u);
  ASSERT_EQ(b.io.requests.size(), 1u);
  EXPECT_EQ(b.io.requests[0].path, kPath);
  EXPECT_EQ(b.io.requests[0].code, 0x170002u);
  EXPECT_EQ(b.io.requests[0].oid, OID_WLAN_NOISE);
  EXPECT_EQ(b.io.OpenHandles(), 0u);
}

TEST(DriverChannel, QueryWithoutAdapterLeavesRecordAlone) {
  Bench b;
  b.io.openable.clear();
  DriverChannel channel(b.io, b.loop, b.ctx);
  std::array<std::uint8_t, 6> record = {1, 2, 3, 4, 5, 6};
  DWORD bytes = 9;
  EXPECT_FALSE(channel.QueryDriver(OID_802_3_CURRENT_ADDRESS, record, bytes));
  EXPECT_EQ(record, (std::array<std::uint8_t, 6>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(bytes, 0u);
  EXPECT_TRUE(b.io.requests.empty());

  std::uint32_t value = 1234;
  EXPECT_FALSE(channel.QueryDriverDword(OID_WLAN_TX_POWER, value));
  EXPECT_EQ(value, 1234u);
}

TEST(DriverChannel, RefusedQueryIsFalseAndNotRetried) {
  Bench b;
  b.io.failNext[OID_WLAN_RSSI2] = 1;
  DriverChannel channel(b.io, b.loop, b.ctx);
  std::uint32_t value = 0;
  EXPECT_FALSE(channel.QueryDriverDword(OID_WLAN_RSSI2, value));
  b.loop.AdvanceBy(2000);
  EXPECT_EQ(b.io.requests.size(), 1u);
}

TEST(DriverChannel, SetBitAddedWhetherOrNotGiven) {
  const std::pair<Oid, Oid> rows[] = {{OID_802_11_SSID, 0xFF810102},
                                      {OID_WLAN_WPS_START, 0xFF8C002A},
                                      {0xFF8C002A, 0xFF8C002A},
                                      {OID_DOT11_DISCONNECT_REQUEST, 0xFF81018E}};
  for (const auto& [oid, wire] : rows) {
    Bench b;
    DriverChannel channel(b.io, b.loop, b.ctx);
    EXPECT_TRUE(channel.SetDriverDword(oid, 0));
    ASSERT_EQ(b.io.requests.size(), 1u);
    EXPECT_EQ(b.io.requests[0].oid, wire) << std::hex << oid;
  }
}

TEST(DriverChannel, SetFailingOnceSucceedsOnRetry) {
  Bench b;
  const Oid wire = WireCodeForSet(OID_WLAN_TX_POWER);
  b.io.failNext[wire] = 1;
  DriverChannel channel(b.io, b.loop, b.ctx);
  std::vector<std::uint8_t> record = Le32(75);
  DWORD bytes = 0;
  EXPECT_FALSE(channel.SetDriver(OID_WLAN_TX_POWER, record, bytes));
  ASSERT_EQ(channel.PendingSets().size(), 1u);
  EXPECT_EQ(channel.PendingSets()[0].RetriesLeft, 2);
  // The caller's record may change at once; the retry sends the value of the original request.
  record = Le32(10);
  b.loop.AdvanceBy(499);
  EXPECT_EQ(b.io.requests.size(), 1u);
  b.loop.AdvanceBy(1);
  ASSERT_EQ(b.io.requests.size(), 2u);
  EXPECT_EQ(b.io.requests[1].oid, wire);
  EXPECT_EQ(b.io.requests[1].output, Le32(75));
  EXPECT_TRUE(channel.PendingSets().empty());
  EXPECT_EQ(b.loop.ActiveTimerCount(), 0u);
  EXPECT_EQ(b.io.OpenHandles(), 0u);
}

TEST(DriverChannel, AttemptsAreBoundedByRetries) {
  struct Row {
    int retries;
    std::size_t attempts;
    std::uint64_t lastAttemptMs;
  };
  const Row rows[] = {{3, 3, 1000}, {2, 2, 500}, {1, 1, 0}, {0, 1, 0}, {-1, 1, 0}};
  for (const Row& r : rows) {
    Bench b;
    const Oid wire = WireCodeForSet(OID_WLAN_OP_MODE);
    b.io.failNext[wire] = 100;
    std::vector<std::uint64_t> times;
    b.io.handlers[wire] = [](std::uint32_t, std::span<std::uint8_t>, DWORD&) { return true; };
    DriverChannel channel(b.io, b.loop, b.ctx);
    EXPECT_FALSE(channel.SetDriverDword(OID_WLAN_OP_MODE, 0, r.retries));
    // With 0 or 1 retries the one attempt is all: nothing is queued and no timer is started.
    EXPECT_EQ(channel.PendingSets().size(), r.retries > 1 ? 1u : 0u) << r.retries;
    EXPECT_EQ(b.loop.ActiveTimerCount(), r.retries > 1 ? 1u : 0u) << r.retries;
    for (int step = 0; step < 10; ++step) {
      std::size_t before = b.io.requests.size();
      b.loop.AdvanceBy(250);
      if (b.io.requests.size() != before) times.push_back(b.loop.TickCount());
    }
    EXPECT_EQ(b.io.requests.size(), r.attempts) << r.retries;
    EXPECT_EQ(times.empty() ? 0 : times.back(), r.lastAttemptMs) << r.retries;
    EXPECT_TRUE(channel.PendingSets().empty()) << r.retries;
    EXPECT_EQ(b.loop.ActiveTimerCount(), 0u) << r.retries;
  }
}

TEST(DriverChannel, ZeroLengthSetQueuesNoBlockAndIsRetried) {
  Bench b;
  const Oid wire = WireCodeForSet(OID_WLAN_RESET_COUNTERS);
  b.io.failNext[wire] = 1;
  DriverChannel channel(b.io, b.loop, b.ctx);
  DWORD bytes = 0;
  EXPECT_FALSE(channel.SetDriver(OID_WLAN_RESET_COUNTERS, {}, bytes));
  ASSERT_EQ(channel.PendingSets().size(), 1u);
  EXPECT_EQ(channel.PendingSets()[0].Length, 0u);
  EXPECT_TRUE(channel.PendingSets()[0].Buffer.empty());
  b.loop.AdvanceBy(500);
  EXPECT_EQ(b.io.CountRequests(wire), 2u);
  EXPECT_TRUE(b.io.requests[1].output.empty());
  EXPECT_TRUE(channel.PendingSets().empty());
}

TEST(DriverChannel, SetWithoutAdapterIsNotQueued) {
  Bench b;
  b.io.openable.clear();
  DriverChannel channel(b.io, b.loop, b.ctx);
  EXPECT_FALSE(channel.SetDriverDword(OID_WLAN_TX_POWER, 100));
  EXPECT_TRUE(channel.PendingSets().empty());
  EXPECT_EQ(b.loop.ActiveTimerCount(), 0u);
}

TEST(DriverChannel, UnplugWhilePendingDropsEverySetAndTimer) {
  Bench b;
  b.io.failNext[WireCodeForSet(OID_WLAN_TX_POWER)] = 5;
  b.io.failNext[WireCodeForSet(OID_WLAN_PREAMBLE)] = 5;
  DriverChannel channel(b.io, b.loop, b.ctx);
  EXPECT_FALSE(channel.SetDriverDword(OID_WLAN_TX_POWER, 100));
  b.loop.AdvanceBy(100);
  EXPECT_FALSE(channel.SetDriverDword(OID_WLAN_PREAMBLE, 2));
  ASSERT_EQ(channel.PendingSets().size(), 2u);
  EXPECT_EQ(b.loop.ActiveTimerCount(), 2u);
  b.io.openable.clear();
  b.loop.AdvanceBy(400);  // the first entry's timer finds the device gone
  EXPECT_TRUE(channel.PendingSets().empty());
  EXPECT_EQ(b.loop.ActiveTimerCount(), 0u);
  b.io.openable.insert(kPath);
  b.loop.AdvanceBy(2000);
  EXPECT_EQ(b.io.requests.size(), 2u);
}

TEST(DriverChannel, PendingSetsCompleteIndependently) {
  Bench b;
  b.io.failNext[WireCodeForSet(OID_WLAN_TX_POWER)] = 1;
  b.io.failNext[WireCodeForSet(OID_WLAN_PREAMBLE)] = 10;
  DriverChannel channel(b.io, b.loop, b.ctx);
  channel.SetDriverDword(OID_WLAN_PREAMBLE, 2);
  channel.SetDriverDword(OID_WLAN_TX_POWER, 100);
  b.loop.AdvanceBy(500);
  ASSERT_EQ(channel.PendingSets().size(), 1u);
  EXPECT_EQ(channel.PendingSets()[0].Oid, WireCodeForSet(OID_WLAN_PREAMBLE));
  EXPECT_EQ(channel.PendingSets()[0].RetriesLeft, 1);
  b.loop.AdvanceBy(500);
  EXPECT_TRUE(channel.PendingSets().empty());
  EXPECT_EQ(b.io.CountRequests(WireCodeForSet(OID_WLAN_PREAMBLE)), 3u);
}

TEST(DriverChannel, Generation10DriverCannotChangeCallersRecord) {
  for (OsGeneration os : {kOsXp64, kOsVista}) {
    Bench b;
    b.ctx.osGeneration = os;
    const Oid wire = WireCodeForSet(OID_WLAN_STA_CONFIG);
    b.io.handlers[wire] = [](std::uint32_t, std::span<std::uint8_t> out, DWORD& n) {
      std::fill(out.begin(), out.end(), std::uint8_t{0xEE});
      n = static_cast<DWORD>(out.size());
      return true;
    };
    DriverChannel channel(b.io, b.loop, b.ctx);
    std::vector<std::uint8_t> record(32, 0x11);
    DWORD bytes = 0;
    ASSERT_TRUE(channel.SetDriver(OID_WLAN_STA_CONFIG, record, bytes));
    EXPECT_EQ(b.io.requests[0].output, std::vector<std::uint8_t>(32, 0x11));
    EXPECT_EQ(bytes, 32u);
    if (os == kOsXp64) {
      EXPECT_EQ(record, std::vector<std::uint8_t>(32, 0x11));
      EXPECT_NE(b.io.outputAddresses[0], record.data());
    } else {
      EXPECT_EQ(b.io.outputAddresses[0], record.data());
    }
  }
}

TEST(DriverChannel, DestroyedChannelLeavesNoTimer) {
  Bench b;
  b.io.failNext[WireCodeForSet(OID_WLAN_TX_POWER)] = 5;
  {
    DriverChannel channel(b.io, b.loop, b.ctx);
    channel.SetDriverDword(OID_WLAN_TX_POWER, 100);
    EXPECT_EQ(b.loop.ActiveTimerCount(), 1u);
  }
  EXPECT_EQ(b.loop.ActiveTimerCount(), 0u);
  b.loop.AdvanceBy(1000);
  EXPECT_EQ(b.io.requests.size(), 1u);
}

TEST(DriverValueMaps, TxPowerPowerSaveAndLastEvent) {
  const std::pair<int, std::int32_t> power[] = {{-1, -1}, {0, -1}, {1, 100}, {2, 75}, {3, 50},
                                                {4, 25},  {5, 10}, {6, 6},   {7, -1}};
  for (const auto& [index, value] : power) EXPECT_EQ(TxPowerSetValue(index), value) << index;
  const std::pair<int, std::uint32_t> save[] = {{0, 0}, {1, 16}, {2, 8}, {3, 24}, {4, 0}, {-1, 0}};
  for (const auto& [choice, level] : save) EXPECT_EQ(PowerSaveLevel(choice), level) << choice;
  EXPECT_EQ(LastEventText(0), "Link is Up");
  EXPECT_EQ(LastEventText(7), "Deauthencation because MIC failure");
  EXPECT_EQ(LastEventText(10), "EAP succeed");
  EXPECT_EQ(LastEventText(11), "");
  EXPECT_EQ(LastEventText(0xFFFFFFFF), "");
}

}  // namespace
}  // namespace nxui
