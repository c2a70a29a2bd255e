#include "profiles/StationApplier.h"

#include <gtest/gtest.h>

#include "adapter/AdapterRegistry.h"
#include "platform/IRegistry.h"
#include "profiles/ProfileWorld.h"

namespace nxui {
namespace {

using test::ProfileWorld;

class StationApplierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(w.world, nullptr) << w.error;
    w.Start();
  }
  AdapterRegistry Key() { return AdapterRegistry(w.world->registry(), w.hidden().Context().classKeyPath); }
  void SetCcx2Control(std::uint32_t word) {
    HKEY key = 0;
    ASSERT_EQ(w.world->registry().OpenKey(kHkeyLocalMachine, w.hidden().Context().classKeyPath, kKeyAllAccess, key),
              kErrorSuccess);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8), 0, 0};
    ASSERT_EQ(w.world->registry().SetValue(key, "CCX2Control", kRegBinary, bytes), kErrorSuccess);
    w.world->registry().CloseKey(key);
  }
  const ConnectionSettings& Last() { return *w.core->Station().LastRecord(); }

  ProfileWorld w{test::ProfileScenario()};
};

TEST_F(StationApplierTest, StartUpRecordCarriesTheAdapterKeysRadio) {
  ASSERT_TRUE(Key().WriteDecimal("WirelessMode", 0));
  ASSERT_TRUE(Key().WriteDecimal("TXBurst", 1));
  ASSERT_TRUE(Key().WriteDecimal("BGProtection", 2));
  ASSERT_TRUE(Key().WriteDecimal("ShortSlot", 1));
  SetCcx2Control(0x0520);
  w.core->Station().ApplyStation(1, 0, 7);
  const ConnectionSettings& r = Last();
  EXPECT_EQ(r.useRegistryRadio, 1);
  EXPECT_EQ(r.keepWirelessMode, 7);
  EXPECT_EQ(r.wirelessMode, 0);
  EXPECT_EQ(r.regionWord, 5u + 256u * 7u);
  EXPECT_EQ(r.phyConfig[0], 1u);
  EXPECT_EQ(r.phyConfig[2], 2u) << "B/G protection kept in mode 0";
  EXPECT_EQ(r.phyConfig[3], 1u);
  EXPECT_EQ(r.ccxControl, 0x0520u);
  EXPECT_EQ(r.desiredRates, (std::array<std::uint8_t, 8>{108, 96, 72, 48, 22, 11, 4, 2}));
  int ofdm = -1;
  EXPECT_TRUE(Key().ReadDecimal("AdhocOfdm", ofdm));
  EXPECT_EQ(ofdm, 1);

  ASSERT_TRUE(Key().WriteDecimal("WirelessMode", 7));
  w.core->Station().ApplyStation(1, 0, 0);
  EXPECT_EQ(Last().wirelessMode, 7) << "sent as the key holds it";
  EXPECT_EQ(Last().phyConfig[2], 0u) << "forced off outside modes 0 and 3 (7 is used as 4)";
  EXPECT_TRUE(Key().ReadDecimal("AdhocOfdm", ofdm));
  EXPECT_EQ(ofdm, 2);

  ASSERT_TRUE(Key().WriteDecimal("WirelessMode", 1));
  w.core->Station().ApplyStation(0, 1, 0);
  EXPECT_EQ(Last().useRegistryRadio, 0);
  EXPECT_EQ(Last().ccxControl, 0x0520u) << "the CCX word is read always";
  EXPECT_TRUE(Key().ReadDecimal("AdhocOfdm", ofdm));
  EXPECT_EQ(ofdm, 0) << "written on every apply";
}

TEST_F(StationApplierTest, AdhocOfdmModes) {
  const std::vector<std::pair<int, int>> rows = {{0, 1}, {1, 0}, {2, 3}, {3, 4}, {4, 2}, {5, 5}, {6, 6}, {9, 9}};
  for (const auto& [mode, ofdm] : rows) EXPECT_EQ(AdhocOfdmMode(mode), ofdm) << mode;
}

TEST_F(StationApplierTest, LeapRunsOverWepUnlessTheCcxWordAllowsItsCipher) {
  struct Row {
    std::uint32_t ccx;
    const char* cipher;
    std::int32_t expected;
  };
  const std::vector<Row> rows = {{0, "4", 0}, {1, "4", 4}, {1, "6", 6}, {1, "0", 0},
                                 {1, "1", 0}, {2, "6", 0}, {3, "6", 6}};
  ProfileRecord leap = test::OpenProfile("leap", "CorpNet");
  leap.leapEnabled = "1";
  leap.leapUserName = "bob";
  for (const Row& row : rows) {
    SetCcx2Control(row.ccx);
    leap.cipherMode = row.cipher;
    ASSERT_TRUE(w.store().SaveProfile(leap));
    ASSERT_TRUE(w.store().ActivateProfile("leap"));
    w.core->Station().ApplyStation(0, 1, 0);
    EXPECT_EQ(CodeOf(Last().cipherMode), row.expected) << "CCX " << row.ccx << " cipher " << row.cipher;
    EXPECT_EQ(TextOf(Last().leapUserName), "bob");
  }
}

TEST_F(StationApplierTest, EmptyWpsStoreLeavesTheStationInCharge) {
  w.hidden().Wps().wscConnect = true;
  w.core->Station().ApplyStation(0, 1, 0);
  EXPECT_FALSE(w.hidden().Wps().wscConnect) << "no WSC in the station file: no credential in force";
  EXPECT_TRUE(w.core->Station().ProfileDriven());
  EXPECT_EQ(Last().fromProfile, 1);
  EXPECT_EQ(w.hidden().Queue().CurrentConnection()->fromProfile, 1) << "the record reached the queue";
}

}  // namespace
}  // namespace nxui
