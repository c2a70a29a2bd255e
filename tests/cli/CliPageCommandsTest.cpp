// The command line end to end: statistics, About, the radio switch and the real-time monitor.
#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

long long Count(const json& rows, std::size_t index) { return std::stoll(rows.at(index)["value"].get<std::string>()); }

TEST_F(CliTest, StatsBeforeAndAfterReset) {
  const std::string file = Scenario(ConnectedScenario());
  const json before = Run({"--scenario", file, "--json", "stats"}).Json();
  ASSERT_EQ(before["Transmit"].size(), 6u);
  ASSERT_EQ(before["Receive"].size(), 4u);
  EXPECT_EQ(before["Transmit"][0]["label"], "Frames Transmitted Successfully ") << "trailing blank kept";
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(before["Transmit"][i]["hidden"], false) << i;
  EXPECT_EQ(before["Transmit"][5]["hidden"], true) << "the without-retry row is never shown";
  const long long txBefore = Count(before["Transmit"], 0);
  const long long rxBefore = Count(before["Receive"], 0);
  EXPECT_GT(txBefore, 0);
  EXPECT_GT(rxBefore, 0);

  const json after = Run({"--scenario", file, "--json", "stats", "--reset"}).Json();
  // The reset restarts the driver's counters: what follows is one refresh period of traffic.
  const long long txAfter = Count(after["Transmit"], 0);
  EXPECT_GT(txAfter, 0);
  EXPECT_LT(txAfter * 3, txBefore);
  EXPECT_LT(Count(after["Receive"], 0) * 3, rxBefore);
  EXPECT_EQ(after["Transmit"][0]["label"], before["Transmit"][0]["label"]);
}

TEST_F(CliTest, StatsWithoutConnectionAreZero) {
  json scenario = ConnectedScenario();
  scenario["platformProfiles"] = json::array();
  const json stats = Run({"--scenario", Scenario(scenario), "--json", "stats"}).Json();
  for (const char* side : {"Transmit", "Receive"}) {
    for (const auto& row : stats[side]) EXPECT_EQ(row["value"], "0") << row["label"];
  }
}

TEST_F(CliTest, StatsHumanOutputHidesTheHiddenRow) {
  const CliResult r = Run({"--scenario", Scenario(ConnectedScenario()), "stats"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Frames Transmitted Successfully "), std::string::npos);
  EXPECT_EQ(r.out.find("Without Retry"), std::string::npos);
  EXPECT_NE(r.out.find("Frames Received With CRC Error"), std::string::npos);
}

struct AboutCase {
  const char* name;
  const char* hardwareId;
  json driver;
  const char* eeprom;    // nullptr: the line is hidden
  const char* firmware;  // nullptr: the line is hidden
};

class About : public CliTest, public ::testing::WithParamInterface<AboutCase> {};

TEST_P(About, VersionLinesShownOrAbsent) {
  json scenario = ConnectedScenario();
  scenario["adapters"][0]["hardwareId"] = GetParam().hardwareId;
  scenario["adapters"][0]["driver"] = GetParam().driver;
  const CliResult r = Run({"--scenario", Scenario(scenario), "--json", "about"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json a = r.Json();
  EXPECT_EQ(a["Driver Version"], "2.1.2.0") << "no line break in the value";
  EXPECT_EQ(a["Driver Date"], "05-06-2008");
  EXPECT_EQ(a["Phy_Address"], "00-0C-43-30-72-81");
  EXPECT_FALSE(a["Utility Version"].get<std::string>().empty());
  EXPECT_FALSE(a["Legal"].get<std::string>().empty());
  if (GetParam().eeprom != nullptr) {
    EXPECT_EQ(a["EEPROM Version"], GetParam().eeprom);
  } else {
    EXPECT_FALSE(a.contains("EEPROM Version"));
  }
  if (GetParam().firmware != nullptr) {
    EXPECT_EQ(a["Firmware Version"], GetParam().firmware);
  } else {
    EXPECT_FALSE(a.contains("Firmware Version"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, About,
    ::testing::Values(AboutCase{"both_answer", "USB\\VID_1B75&PID_3072&REV_0101", json::object(), "1.2", "3.4"},
                      AboutCase{"neither_answers", "USB\\VID_1B75&PID_3072&REV_0101",
                                json{{"eepromVersion", nullptr}, {"firmwareVersion", nullptr}}, nullptr, nullptr},
                      AboutCase{"firmware_bytes_swapped", "USB\\VID_1B75&PID_3072&REV_0101",
                                json{{"eepromVersion", json::array({2, 0})}, {"firmwareVersion", json::array({9, 7})}},
                                "2.0", "9.7"},
                      // A family-1 part has no firmware query at all.
                      AboutCase{"family_without_firmware", "USB\\VID_2F19&PID_1001&REV_0001", json{{"is11n", false}},
                                "1.2", nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CliTest, RadioOffThenOn) {
  const std::string file = Scenario(ConnectedScenario());
  const CliResult off = Run({"--scenario", file, "--json", "radio", "off"});
  ASSERT_EQ(off.code, 0) << off.err;
  const json o = off.Json();
  EXPECT_EQ(o["radio"], "off");
  EXPECT_EQ(o["changed"], true);
  EXPECT_EQ(o["Status"], "RF OFF");
  // An administrator's switch is remembered in the adapter key.
  EXPECT_NE(nxui::test::TempDir::Read(dir / "state" / "registry.reg").find("\"Radio\"=\"1\""), std::string::npos);

  const CliResult on = Run({"--scenario", file, "--json", "radio", "on"});
  ASSERT_EQ(on.code, 0) << on.err;
  const json n = on.Json();
  EXPECT_EQ(n["radio"], "on");
  EXPECT_EQ(n["Status"], "HomeNet <--> 00-11-22-33-44-55 [192.168.1.1]");
}

// The platform keeps its radio state: a later run on the same state starts with it.
TEST_F(CliTest, RadioStateIsKeptBetweenRunsOnTheSameState) {
  const std::string file = Scenario(ConnectedScenario());
  ASSERT_EQ(Run({"--scenario", file, "radio", "off"}).code, 0);
  const CliResult status = Run({"--scenario", file, "--json", "status"});
  ASSERT_EQ(status.code, 0) << status.err;
  EXPECT_EQ(status.Json()["Status"], "RF OFF");
  EXPECT_EQ(status.Json()["tray"]["state"], "disconnected");
  const json again = Run({"--scenario", file, "--json", "radio", "off"}).Json();
  EXPECT_EQ(again["changed"], false) << "already off";

  const json on = Run({"--scenario", file, "--json", "radio", "on"}).Json();
  EXPECT_EQ(on["changed"], true);
  EXPECT_EQ(Run({"--scenario", file, "--json", "status"}).Json()["Status"],
            "HomeNet <--> 00-11-22-33-44-55 [192.168.1.1]");

  // Without a state directory every run starts from the scenario, radio on.
  ASSERT_EQ(Run({"--scenario", file, "radio", "off"}, false).code, 0);
  EXPECT_EQ(Run({"--scenario", file, "--json", "status"}, false).Json()["Status"],
            "HomeNet <--> 00-11-22-33-44-55 [192.168.1.1]");
}

TEST_F(CliTest, RadioOffWithoutAdministratorLeavesTheKeyAlone) {
  json scenario = ConnectedScenario();
  scenario["os"] = json{{"admin", false}};
  const CliResult off = Run({"--scenario", Scenario(scenario), "--json", "radio", "off"});
  ASSERT_EQ(off.code, 0) << off.err;
  EXPECT_EQ(off.Json()["radio"], "off");
  EXPECT_EQ(nxui::test::TempDir::Read(dir / "state" / "registry.reg").find("\"Radio\""), std::string::npos);
  EXPECT_NE(off.err.find("nxui: message: You have no 'Administrator' privilege"), std::string::npos) << off.err;
}

TEST_F(CliTest, RadioOnWhenAlreadyOnChangesNothing) {
  const json on = Run({"--scenario", Scenario(ConnectedScenario()), "--json", "radio", "on"}).Json();
  EXPECT_EQ(on["radio"], "on");
  EXPECT_EQ(on["changed"], false);
}

TEST_F(CliTest, MonitorPrintsOneJsonLinePerTick) {
  const CliResult r = Run({"--scenario", Scenario(ConnectedScenario()), "--json", "monitor", "--ticks", "2"});
  ASSERT_EQ(r.code, 0) << r.err;
  std::vector<json> lines;
  std::size_t start = 0;
  while (start < r.out.size()) {
    const std::size_t end = r.out.find('\n', start);
    ASSERT_NE(end, std::string::npos) << "every line ends";
    lines.push_back(json::parse(r.out.substr(start, end - start)));
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]["Transmit"]["Throughput"], "") << "the first tick only takes the counters";
  EXPECT_EQ(lines[1]["Transmit"]["Throughput"], "2.000 Mbps");
  EXPECT_EQ(lines[1]["tray"]["state"], "good");
}

}  // namespace
}  // namespace nxui::cli::test
