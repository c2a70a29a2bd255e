// A connect worked off by the hidden window's queue programs the driver from the wireless mode as
// channel validation normalised it, never from the raw registry value.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

#include "adapter/Oids.h"
#include "shell/ShellFixture.h"

namespace nxui::shell::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kOfdmDesired = {108, 96, 72, 48, 36, 24, 18, 12};
const Bytes kMixedDesired = {108, 96, 72, 48, 22, 11, 4, 2};

struct ModeRow {
  const char* name;
  bool is11n;
  bool fiveGHz;
  const char* registryMode;
  int normalised;
  Bytes desired;
  std::uint8_t rateCount;      // byte 0 of the supported-rate set
  std::uint8_t extendedCount;  // byte 13
  std::uint32_t bgProtection;  // word 2 of the PHY configuration sent
};

void PrintTo(const ModeRow& row, std::ostream* os) { *os << row.name; }

class QueueRadioParametersTest : public ShellFixture, public ::testing::WithParamInterface<ModeRow> {};

TEST_P(QueueRadioParametersTest, DefaultRadioFollowsTheNormalisedMode) {
  const ModeRow& row = GetParam();
  sim::Scenario scenario = EmbeddedScenario();
  sim::ScenarioAdapter& adapter = scenario.adapters.at(0);
  if (!row.is11n) {
    // The family's 802.11g USB part: discovery says it is not an 802.11n adapter.
    adapter.hardwareId = "USB\\VID_2F19&PID_1004&REV_0001";
    adapter.driver.is11n = false;
  }
  adapter.bands = sim::ScenarioBands{true, row.fiveGHz};
  adapter.registry = {{"WirelessMode", row.registryMode}, {"BGProtection", "1"}, {"TXBurst", "1"}};
  Build(scenario);
  Start(false);
  ASSERT_EQ(dlg->Context().is11n, row.is11n);
  EXPECT_EQ(dlg->NormalisedWirelessMode(), row.normalised);

  auto record = std::make_unique<ConnectionSettings>();
  record->ssidLength = 4;
  std::memcpy(record->ssid.data(), "Home", 4);
  if (dlg->Queue().QueueAction(ActionType::Connect, std::move(record))) dlg->Queue().RunQueue();

  const sim::SimDriver& driver = world->driver(0);
  EXPECT_EQ(driver.Stored(OID_802_11_DESIRED_RATES), row.desired);
  const Bytes rateSet = driver.Stored(OID_WLAN_SUPPORTEDRATES);
  ASSERT_EQ(rateSet.size(), 26u);
  EXPECT_EQ(rateSet[0], row.rateCount);
  EXPECT_EQ(rateSet[13], row.extendedCount);
  EXPECT_EQ(driver.StoredWord(OID_WLAN_PHY_CONFIG, 0), 1u);
  EXPECT_EQ(driver.StoredWord(OID_WLAN_PHY_CONFIG, 2), row.bgProtection);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, QueueRadioParametersTest,
    ::testing::Values(ModeRow{"gOnly7", true, true, "7", 4, kOfdmDesired, 8, 0, 0},
                      ModeRow{"aOnly8", true, true, "8", 2, kOfdmDesired, 8, 0, 0},
                      ModeRow{"aOnly10", true, true, "10", 2, kOfdmDesired, 8, 0, 0},
                      // 5 asks for one HT rate; without 802.11n it is A/B/G mixed and sends them all.
                      ModeRow{"abgn5Without11n", false, true, "5", 3, kMixedDesired, 8, 4, 1},
                      ModeRow{"abgn5Without11nOr5GHz", false, false, "5", 0, kMixedDesired, 8, 4, 1},
                      ModeRow{"aOnly2Without5GHz", true, false, "2", 0, kMixedDesired, 8, 4, 1},
                      ModeRow{"abgMixed3Unchanged", true, true, "3", 3, kMixedDesired, 8, 4, 1}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace nxui::shell::test
