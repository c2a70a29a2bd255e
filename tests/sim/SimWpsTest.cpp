#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "adapter/DriverRecords.h"
#include "adapter/Oids.h"
#include "base/ByteReader.h"
#include "platform/VirtualEventLoop.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimWorld.h"

namespace nxui::sim {
namespace {

constexpr const char* kPath = "\\\\.\\{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}";
constexpr std::uint8_t kRouterWps[6] = {0x00, 0x22, 0x75, 0xC4, 0xB0, 0x0B};
constexpr std::uint8_t kNewAp[6] = {0x00, 0x18, 0xE7, 0x10, 0xC0, 0x0C};
constexpr std::uint8_t kNobody[6] = {0x02, 0x00, 0x00, 0x00, 0x00, 0x01};

Scenario DefaultScenario() {
  auto r = ScenarioLoader::LoadEmbedded();
  EXPECT_TRUE(r.ok) << r.error;
  r.scenario.platformProfiles.clear();
  return r.scenario;
}

ScenarioWps& WpsOf(Scenario& s, const std::string& ssid) {
  for (auto& n : s.networks) {
    if (n.ssid == ssid) return *n.wps;
  }
  ADD_FAILURE() << "no network " << ssid;
  return *s.networks.front().wps;
}

class SimWpsTest : public ::testing::Test {
 protected:
  void Build(const Scenario& s) {
    std::string error;
    world = SimWorld::Create(s, loop, SimOptions{"", true}, error);
    ASSERT_NE(world, nullptr) << error;
  }
  void SetUp() override { Build(DefaultScenario()); }

  bool Send(Oid wire, std::vector<std::uint8_t>& record) {
    IDeviceIo& io = world->deviceIo();
    const DeviceHandle h = io.Open(kPath);
    if (h == kInvalidDeviceHandle) return false;
    std::uint8_t in[4];
    StoreLe32(in, wire);
    DWORD n = 0;
    const bool ok = io.Control(h, kIoctlNdisQueryGlobalStats, in, record, n);
    io.Close(h);
    return ok;
  }
  std::uint32_t Word(Oid oid) {
    std::vector<std::uint8_t> r(4);
    EXPECT_TRUE(Send(oid, r));
    return LoadLe32(r.data());
  }
  WpsCredentialTable Credentials() {
    std::vector<std::uint8_t> r(sizeof(WpsCredentialTable));
    EXPECT_TRUE(Send(OID_WLAN_WPS_CREDENTIAL, r));
    WpsCredentialTable t;
    std::memcpy(&t, r.data(), sizeof t);
    return t;
  }
  bool Start(std::uint32_t method, const char* pin, const std::uint8_t* bssid, std::uint8_t role) {
    WpsStartRequest request{};
    request.method = method;
    if (pin != nullptr) std::memcpy(request.pin, pin, 8);
    if (bssid != nullptr) std::memcpy(request.bssid, bssid, 6);
    request.role = role;
    std::vector<std::uint8_t> record(sizeof request);
    std::memcpy(record.data(), &request, sizeof request);
    return Send(WireCodeForSet(OID_WLAN_WPS_START), record);
  }
  // Polls every 100 ms until the run stops; the codes seen, in order, without repeats.
  std::vector<std::uint32_t> Walk(std::uint64_t limitMs = 10000) {
    std::vector<std::uint32_t> seen;
    for (std::uint64_t t = 0; t <= limitMs; t += 100) {
      const std::uint32_t word = Word(OID_WLAN_WPS_STATUS);
      if (seen.empty() || seen.back() != word) seen.push_back(word);
      if (!world->wps(0).Running()) break;
      loop.AdvanceBy(100);
    }
    return seen;
  }

  VirtualEventLoop loop;
  std::unique_ptr<SimWorld> world;
};

TEST_F(SimWpsTest, EnrolleePinRunWalksTheExchangeAndHandsOutTheNetworksCredential) {
  EXPECT_EQ(Word(OID_WLAN_WPS_STATUS), wps_status::kIdle);
  ASSERT_TRUE(Start(kWpsMethodPin, "12345670", kRouterWps, 1));
  EXPECT_EQ(Credentials().count, 0u) << "nothing before the run ends";
  const std::vector<std::uint32_t> seen = Walk();
  std::vector<std::uint32_t> expected;
  for (std::uint32_t code : {2, 3, 4, 5, 6, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 15}) {
    expected.push_back(kWpsStatusPinBit | code);
  }
  EXPECT_EQ(seen, expected);
  const WpsCredentialTable t = Credentials();
  ASSERT_EQ(t.count, 1u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.credentials[0].ssid), t.credentials[0].ssidLength),
            "Router-WPS");
  EXPECT_EQ(t.credentials[0].authType, 32u);
  EXPECT_EQ(t.credentials[0].encrType, 8u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.credentials[0].key), t.credentials[0].keyLength),
            "push-the-button");
  EXPECT_TRUE(std::equal(kRouterWps, kRouterWps + 6, t.credentials[0].mac));
}

TEST_F(SimWpsTest, PushButtonRunFindsTheOnePressedAccessPoint) {
  ASSERT_TRUE(Start(kWpsMethodPbc, nullptr, nullptr, 1));
  const std::vector<std::uint32_t> seen = Walk();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 2u) << "bit 28 clear for a push-button run";
  EXPECT_EQ(seen.back(), 15u);
  EXPECT_EQ(Credentials().count, 1u);
}

struct OutcomeCase {
  const char* name;
  std::function<void(Scenario&)> arrange;
  std::uint32_t method;
  const char* pin;
  const std::uint8_t* bssid;
  std::uint32_t endCode;
  std::uint64_t limitMs;
};

void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.name; }

class SimWpsOutcomes : public SimWpsTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(SimWpsOutcomes, RunEndsOnItsCode) {
  const OutcomeCase& c = GetParam();
  Scenario s = DefaultScenario();
  c.arrange(s);
  Build(s);
  ASSERT_TRUE(Start(c.method, c.pin, c.bssid, 1));
  const std::vector<std::uint32_t> seen = Walk(c.limitMs);
  const std::uint32_t prefix = c.method == kWpsMethodPin ? kWpsStatusPinBit : 0u;
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), prefix | c.endCode);
  EXPECT_FALSE(world->wps(0).Running());
  EXPECT_EQ(Credentials().count, 0u) << "a failed run hands out nothing";
}

const OutcomeCase kOutcomes[] = {
    {"checksum_digit_wrong_any_pin", [](Scenario&) {}, kWpsMethodPin, "12345671", kRouterWps, 262, 10000},
    {"pin_not_the_access_points", [](Scenario& s) { WpsOf(s, "Router-WPS").pin = "00000000"; }, kWpsMethodPin,
     "12345670", kRouterWps, 262, 10000},
    {"eap_fail", [](Scenario& s) { WpsOf(s, "Router-WPS").failAt = 259; }, kWpsMethodPin, "12345670", kRouterWps, 259,
     10000},
    {"process_failure", [](Scenario& s) { WpsOf(s, "Router-WPS").failAt = 516; }, kWpsMethodPbc, nullptr, nullptr, 516,
     10000},
    {"two_pressed_buttons", [](Scenario& s) { WpsOf(s, "NewAP-Setup").pushButton = true; }, kWpsMethodPbc, nullptr,
     nullptr, 257, 10000},
    {"no_pressed_button_after_walk_time", [](Scenario& s) { WpsOf(s, "Router-WPS").pushButton = false; }, kWpsMethodPbc,
     nullptr, nullptr, 258, SimWps::kWalkTimeMs + 1000},
    {"button_released_before_the_run",
     [](Scenario& s) {
       WpsOf(s, "Router-WPS").pushButtonAt = 0;
       WpsOf(s, "Router-WPS").pushButtonFor = 0.0;
     },
     kWpsMethodPbc, nullptr, nullptr, 258, SimWps::kWalkTimeMs + 1000},
    {"no_wps_access_point_at_the_address", [](Scenario&) {}, kWpsMethodPin, "12345670", kNobody, 513, 10000},
};

INSTANTIATE_TEST_SUITE_P(Cases, SimWpsOutcomes, ::testing::ValuesIn(kOutcomes),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(SimWpsTest, NoPressedButtonKeepsScanningUntilTheWalkTimeEnds) {
  Scenario s = DefaultScenario();
  WpsOf(s, "Router-WPS").pushButton = false;
  WpsOf(s, "NewAP-Setup").pushButton = true;
  WpsOf(s, "NewAP-Setup").pushButtonAt = 60;  // pressed a minute into the walk
  Build(s);
  ASSERT_TRUE(Start(kWpsMethodPbc, nullptr, nullptr, 1));
  loop.AdvanceBy(59000);
  EXPECT_EQ(Word(OID_WLAN_WPS_STATUS), 2u);
  const std::vector<std::uint32_t> seen = Walk();
  EXPECT_EQ(seen.back(), 15u);
  const WpsCredentialTable t = Credentials();
  ASSERT_EQ(t.count, 1u);
  EXPECT_EQ(t.credentials[0].authType, 1u);  // its open network
  EXPECT_EQ(t.credentials[0].encrType, 1u);
  EXPECT_EQ(t.credentials[0].keyLength, 0u);
}

TEST_F(SimWpsTest, RegistrarRunHandsTheUtilitysCredentialToTheDevice) {
  ASSERT_TRUE(Start(kWpsMethodPin, "12345670", kNewAp, 2));
  WpsCredentialTable own{};
  own.count = 1;
  std::memcpy(own.credentials[0].ssid, "ExRegNW307281", 13);
  own.credentials[0].ssidLength = 13;
  own.credentials[0].authType = 32;
  own.credentials[0].encrType = 8;
  std::vector<std::uint8_t> record(sizeof own);
  std::memcpy(record.data(), &own, sizeof own);
  ASSERT_TRUE(Send(WireCodeForSet(OID_WLAN_WPS_SET_CREDENTIALS), record));
  const std::vector<std::uint32_t> seen = Walk();
  std::vector<std::uint32_t> expected;
  for (std::uint32_t code : {2, 34, 35, 37, 38, 39, 40, 41, 42, 43, 15}) expected.push_back(kWpsStatusPinBit | code);
  EXPECT_EQ(seen, expected);
  ASSERT_EQ(world->wps(0).Handovers().size(), 1u);
  const auto& handover = world->wps(0).Handovers()[0];
  EXPECT_TRUE(std::equal(kNewAp, kNewAp + 6, handover.device.begin()));
  EXPECT_EQ(std::memcmp(&handover.table, &own, sizeof own), 0);
  EXPECT_EQ(Credentials().count, 1u) << "the driver holds the credential it handed out";
}

TEST_F(SimWpsTest, AdaptersButtonStartsAPushButtonRunAndIsReportedOnce) {
  ScenarioEvent press;
  press.action = EventAction::PressWpsButton;
  ASSERT_TRUE(world->RunEvent(press));
  EXPECT_NE(Word(OID_WLAN_WPS_PBC_STARTED), 0u);
  EXPECT_EQ(Word(OID_WLAN_WPS_PBC_STARTED), 0u) << "reported once, not for the whole run";
  EXPECT_EQ(Walk().back(), 15u);
  EXPECT_EQ(Credentials().count, 1u);
}

TEST_F(SimWpsTest, UnpluggingEndsTheRun) {
  ASSERT_TRUE(Start(kWpsMethodPbc, nullptr, nullptr, 1));
  loop.AdvanceBy(1000);
  world->Unplug(0);
  EXPECT_FALSE(world->wps(0).Running());
  world->Plug(0);
  EXPECT_EQ(Word(OID_WLAN_WPS_STATUS), wps_status::kIdle);
}

TEST_F(SimWpsTest, MalformedStartRequestsFail) {
  EXPECT_FALSE(Start(0x30000000, nullptr, nullptr, 1)) << "unknown method";
  EXPECT_FALSE(Start(kWpsMethodPbc, nullptr, nullptr, 0)) << "no role";
  EXPECT_FALSE(Start(kWpsMethodPbc, nullptr, nullptr, 3));
  EXPECT_EQ(world->wps(0).RunsStarted(), 0);
}

TEST(SimWpsScenario, RunBlockIsRead) {
  const auto r = ScenarioLoader::LoadText(R"({"networks": [{"bssid": "00-11-22-33-44-55", "wps": {
      "pin": "12345670", "pushButton": {"at": 5, "for": 30}, "failAt": 262,
      "credentials": [{"ssid": "A", "auth": "wpa-psk+wpa2-psk", "cipher": "tkip+aes", "key": "k", "keyIndex": 2,
                       "mac": "00-00-00-00-00-01"}]}}]})",
                                          "t.json");
  ASSERT_TRUE(r.ok) << r.error;
  const ScenarioWps& wps = *r.scenario.networks[0].wps;
  EXPECT_EQ(wps.pin, "12345670");
  EXPECT_TRUE(wps.pushButton);
  EXPECT_EQ(wps.pushButtonAt, 5);
  EXPECT_EQ(wps.pushButtonFor, 30);
  EXPECT_EQ(wps.failAt, 262);
  ASSERT_TRUE(wps.credentials);
  EXPECT_EQ(WpsAuthTypeOf((*wps.credentials)[0].auth), 34u);
  EXPECT_EQ(WpsEncrTypeOf((*wps.credentials)[0].cipher), 12u);
}

TEST(SimWpsScenario, BadRunBlocksNameTheLine) {
  const char* bad[] = {
      R"({"networks": [{"bssid": "00-11-22-33-44-55",
"wps": {"pin": "1234"}}]})",
      R"({"networks": [{"bssid": "00-11-22-33-44-55",
"wps": {"pushButton": "yes"}}]})",
      R"({"networks": [{"bssid": "00-11-22-33-44-55",
"wps": {"credentials": [{"ssid": "123456789012345678901234567890123"}]}}]})",
      R"({"networks": [{"bssid": "00-11-22-33-44-55",
"wps": {"credentials": [{"auth": "wpa-none"}]}}]})",
  };
  for (const char* text : bad) {
    const auto r = ScenarioLoader::LoadText(text, "w.json");
    EXPECT_FALSE(r.ok) << text;
    EXPECT_EQ(r.error.rfind("w.json:2:", 0), 0u) << r.error;
  }
}

}  // namespace
}  // namespace nxui::sim
