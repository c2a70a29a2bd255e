// The simulated driver's Block Ack sessions across runs of the simulated machine: they come back
// with the driver when the first link is to the same access point, and a restarted driver or a
// file that cannot be used leaves none.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "adapter/fakes/TempDir.h"
#include "base/AtomicFile.h"
#include "platform/VirtualEventLoop.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWorld.h"

namespace nxui::sim {
namespace {

using Session = SimHtBlockAck::Session;
constexpr SimHtBlockAck::Mac kHome{0x00, 0x1D, 0x7E, 0x42, 0x10, 0x01};  // the embedded scenario's "Norvix-Home"
constexpr const char* kFile = "driver-blockack-6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11.json";

Scenario ConnectingTo(const char* ssid) {
  auto loaded = ScenarioLoader::LoadEmbedded();
  EXPECT_TRUE(loaded.ok) << loaded.error;
  loaded.scenario.platformProfiles = {ScenarioPlatformProfile{ssid, std::nullopt, 0}};
  return loaded.scenario;
}

std::vector<std::uint8_t> AddRequest(const SimHtBlockAck::Mac& peer, std::uint8_t tid, std::uint8_t window) {
  std::vector<std::uint8_t> r(14, 0);
  std::copy(peer.begin(), peer.end(), r.begin() + 1);
  r[7] = tid;
  r[8] = window;
  return r;
}

class BlockAckAcrossRuns : public ::testing::Test {
 protected:
  // One run of the machine on the test's state directory, connected to its profile's network.
  std::unique_ptr<SimWorld> Run(const char* ssid = "Norvix-Home") {
    // The service's own profile list would outlive the run: each run connects as its scenario says.
    std::filesystem::remove(state / "wlan-profiles-6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11.json");
    std::string error;
    auto world = SimWorld::Create(ConnectingTo(ssid), loop, SimOptions{state.path().string(), false}, error);
    EXPECT_NE(world, nullptr) << error;
    if (world) loop.AdvanceBy(SimWlanService::kConnectDelayMs + 500);
    return world;
  }
  SimHtBlockAck& BlockAck(SimWorld& world) { return world.driver(0).htBlockAck(); }

  // Manual setup, then an added originator session and the recipient one deleted.
  void LeaveManualSessions(SimWorld& world) {
    const std::uint8_t manual[8] = {32, 32, 1, 0, 1, 0, 3, 0};
    ASSERT_TRUE(BlockAck(world).SetHtConfig(manual));
    ASSERT_TRUE(BlockAck(world).SetBlockAckAdd(AddRequest(kHome, 6, 12)));
    std::vector<std::uint8_t> remove = AddRequest(kHome, 0, 0);
    remove[0] = 1;
    ASSERT_TRUE(BlockAck(world).SetBlockAckDelete(remove));
  }

  const std::vector<Session> kLeft = {{0, kHome, 0, 32, true}, {0, kHome, 6, 12, false}};

  VirtualEventLoop loop;
  nxui::test::TempDir state;
};

TEST_F(BlockAckAcrossRuns, TheNextRunFindsThemOnTheSameAccessPoint) {
  {
    auto first = Run();
    ASSERT_TRUE(first->association(0).connected);
    LeaveManualSessions(*first);
    EXPECT_EQ(BlockAck(*first).Sessions(), kLeft);
  }
  std::string error;
  auto second = SimWorld::Create(ConnectingTo("Norvix-Home"), loop, SimOptions{state.path().string(), false}, error);
  ASSERT_NE(second, nullptr) << error;
  EXPECT_TRUE(BlockAck(*second).Sessions().empty()) << "not before the link";
  loop.AdvanceBy(SimWlanService::kConnectDelayMs + 500);
  ASSERT_TRUE(second->association(0).connected);
  EXPECT_EQ(BlockAck(*second).Sessions(), kLeft) << "the automatic recipient session is not set up again";
}

TEST_F(BlockAckAcrossRuns, AFirstLinkElsewhereOrARestartedDriverForgetsThem) {
  {
    auto first = Run();
    LeaveManualSessions(*first);
  }
  {
    // "Mixed-Mode" is an 802.11n access point too: it gets its own automatic sessions only.
    auto other = Run("Mixed-Mode");
    ASSERT_TRUE(other->association(0).connected);
    for (const Session& s : BlockAck(*other).Sessions()) {
      EXPECT_NE(s.peer, kHome);
      EXPECT_TRUE(s.automatic);
    }
    EXPECT_EQ(BlockAck(*other).Sessions().size(), 2u);
  }
  {
    auto back = Run();
    EXPECT_EQ(BlockAck(*back).Sessions().size(), 2u) << "only the automatic ones of the new link";
    LeaveManualSessions(*back);
    back->Unplug(0);
    EXPECT_TRUE(BlockAck(*back).Sessions().empty());
  }
  auto last = Run();
  for (const Session& s : BlockAck(*last).Sessions()) EXPECT_TRUE(s.automatic);
}

TEST_F(BlockAckAcrossRuns, AFileThatCannotBeUsedLeavesNone) {
  const char* contents[] = {
      "not json",
      "[]",
      R"({"link": "00-1D-7E-42-10-01", "sessions": 5})",
      R"({"link": "nowhere", "sessions": []})",
      R"({"link": "00-1D-7E-42-10-01", "sessions": [{"direction": 0, "peer": "00-1D-7E-42-10-01", "tid": 9, "windowSize": 1}]})",
      R"({"link": "00-1D-7E-42-10-01", "sessions": [{"direction": "0", "peer": "00-1D-7E-42-10-01", "tid": 1, "windowSize": 1}]})",
      R"({"link": "00-1D-7E-42-10-01", "sessions": [{"direction": 1, "peer": 7, "tid": 1, "windowSize": 1}]})",
      R"({"link": "00-1D-7E-42-10-01", "sessions": [{"direction": 1, "peer": "00-1D-7E-42-10-01", "tid": 1, "windowSize": 300}]})",
  };
  for (const char* content : contents) {
    nxui::test::TempDir::Write(state / kFile, content);
    auto world = Run();
    ASSERT_TRUE(world->association(0).connected);
    // Only what the link sets up by itself.
    const auto& sessions = BlockAck(*world).Sessions();
    EXPECT_EQ(sessions.size(), 2u) << content;
    for (const Session& s : sessions) EXPECT_TRUE(s.automatic) << content;
  }
}

TEST_F(BlockAckAcrossRuns, TheFileIsWrittenOnlyWhenTheSessionsChange) {
  auto world = Run();
  const std::string before = nxui::test::TempDir::Read(state / kFile);
  ASSERT_NE(before.find("\"sessions\""), std::string::npos);
  // The table is asked for every second: asking must not write.
  ArmAtomicWriteFault(AtomicWriteStep::Create, EACCES);
  std::vector<std::uint8_t> table(sizeof(BaTable));
  DWORD written = 0;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(BlockAck(*world).QueryBlockAckTable(table, written));
  EXPECT_FALSE(ClearAtomicWriteFault());

  // A change that cannot be written is kept in memory and said.
  ArmAtomicWriteFault(AtomicWriteStep::Create, EACCES);
  ASSERT_TRUE(BlockAck(*world).SetBlockAckAdd(AddRequest(kHome, 3, 8)));
  EXPECT_TRUE(ClearAtomicWriteFault());
  EXPECT_FALSE(BlockAck(*world).LastSaveError().empty());
  EXPECT_EQ(nxui::test::TempDir::Read(state / kFile), before);
  EXPECT_EQ(BlockAck(*world).Sessions().size(), 3u);
  // The next change writes everything.
  ASSERT_TRUE(BlockAck(*world).SetBlockAckAdd(AddRequest(kHome, 4, 8)));
  EXPECT_TRUE(BlockAck(*world).LastSaveError().empty());
  EXPECT_NE(nxui::test::TempDir::Read(state / kFile).find("\"tid\": 3"), std::string::npos);
}

TEST_F(BlockAckAcrossRuns, AFreshStateFolderGetsTheFileOnlyWithALink) {
  // Nothing to keep before the first link: a missing file already says so.
  std::string error;
  auto world = SimWorld::Create(ConnectingTo("Norvix-Home"), loop, SimOptions{state.path().string(), false}, error);
  ASSERT_NE(world, nullptr) << error;
  EXPECT_FALSE(std::filesystem::exists(state / kFile));
  loop.AdvanceBy(SimWlanService::kConnectDelayMs + 500);
  const std::string content = nxui::test::TempDir::Read(state / kFile);
  EXPECT_NE(content.find("\"link\": \"00-1D-7E-42-10-01\""), std::string::npos) << content;
}

TEST_F(BlockAckAcrossRuns, RequestsTheDriverRefuses) {
  auto world = Run();
  SimHtBlockAck& ba = BlockAck(*world);
  const SimHtBlockAck::Mac stranger{0x00, 0x99, 0x99, 0x99, 0x99, 0x99};
  EXPECT_FALSE(ba.SetBlockAckAdd(AddRequest(stranger, 1, 8))) << "not a peer of the link";
  EXPECT_FALSE(ba.SetBlockAckAdd(AddRequest(kHome, 8, 8))) << "no TID 8";
  std::vector<std::uint8_t> recipientAdd = AddRequest(kHome, 1, 8);
  recipientAdd[0] = 1;
  EXPECT_FALSE(ba.SetBlockAckAdd(recipientAdd)) << "an add is always as originator";
  std::vector<std::uint8_t> badDirection = AddRequest(kHome, 1, 0);
  badDirection[0] = 2;
  EXPECT_FALSE(ba.SetBlockAckDelete(badDirection));
  const std::uint8_t noAggregation[8] = {32, 32, 2, 0, 1, 0, 3, 0};
  ASSERT_TRUE(ba.SetHtConfig(noAggregation));
  EXPECT_TRUE(ba.Sessions().empty());
  EXPECT_FALSE(ba.SetBlockAckAdd(AddRequest(kHome, 1, 8))) << "nothing to acknowledge without aggregation";
  // Byte 12 set: every session of that direction with the peer.
  const std::uint8_t manual[8] = {32, 32, 1, 0, 1, 0, 3, 0};
  ASSERT_TRUE(ba.SetHtConfig(manual));
  ASSERT_TRUE(ba.SetBlockAckAdd(AddRequest(kHome, 1, 8)));
  ASSERT_TRUE(ba.SetBlockAckAdd(AddRequest(kHome, 2, 8)));
  std::vector<std::uint8_t> all = AddRequest(kHome, 0, 0);
  all[12] = 1;
  ASSERT_TRUE(ba.SetBlockAckDelete(all));
  EXPECT_TRUE(ba.Sessions().empty());
}

}  // namespace
}  // namespace nxui::sim
