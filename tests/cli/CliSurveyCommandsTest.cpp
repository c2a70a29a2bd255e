// The command line end to end: the site survey in its three orders and the AP details.
#include <algorithm>

#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

// RSN for WPA2-PSK with CCMP, then a vendor element whose length runs past the end.
constexpr const char* kRawIes =
    "00 06 52 61 77 4E 65 74 03 01 03 "
    "30 14 01 00 00 0F AC 04 01 00 00 0F AC 04 01 00 00 0F AC 02 00 00 "
    "dd 10 00 40 96";

json SurveyScenario() {
  json secured = Network("alpha", "00-11-22-33-44-66", 11, -70);
  secured["security"] = json{{"auth", "wpa2-psk"}, {"cipher", "aes"}, {"passphrase", "12345678"}};
  json legacy = Network("Zulu", "00-11-22-33-44-77", 1, -80);
  legacy["phy"] = "b";
  json raw = Network("RawNet", "00-AA-BB-CC-DD-EE", 3, -60);
  raw["ies"] = kRawIes;
  return json{{"adapters", json::array({Adapter()})},
              {"networks", json::array({Network("HomeNet", "00-11-22-33-44-55", 6, -50), secured, legacy, raw})},
              {"platformProfiles", json::array({json{{"ssid", "HomeNet"}}})}};
}

struct SortCase {
  const char* sort;
  std::vector<std::string> order;
};

class SurveySort : public CliTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SurveySort, RowsInPageOrderWithDbm) {
  const CliResult r =
      Run({"--scenario", Scenario(SurveyScenario()), "--json", "survey", "--sort", GetParam().sort, "--dbm"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json rows = r.Json();
  ASSERT_TRUE(rows.is_array());
  std::vector<std::string> order;
  for (const auto& row : rows) order.push_back(row["ssid"]);
  EXPECT_EQ(order, GetParam().order);
  for (const auto& row : rows) {
    EXPECT_EQ(row["signalText"], std::to_string(row["signal"].get<int>()) + " dBm") << row["ssid"];
    EXPECT_EQ(row["connected"], row["ssid"] == "HomeNet") << row["ssid"];
  }
}

INSTANTIATE_TEST_SUITE_P(Cli, SurveySort,
                         ::testing::Values(SortCase{"ssid",
                                                    {"alpha", "HomeNet", "RawNet", "Zulu"}},  // without regard to case
                                           SortCase{"channel", {"Zulu", "RawNet", "HomeNet", "alpha"}},
                                           SortCase{"signal", {"HomeNet", "RawNet", "alpha", "Zulu"}}),
                         [](const auto& p) { return std::string(p.param.sort); });

TEST_F(CliTest, SurveyRowMembers) {
  const json rows = Run({"--scenario", Scenario(SurveyScenario()), "--json", "survey"}).Json();
  ASSERT_EQ(rows.size(), 4u);
  const std::vector<std::string> keys = {
      "connected", "ssid",    "bssid", "bssType", "channel",    "networkType",   "a",        "b",        "g",
      "n",         "secured", "wps",   "signal",  "signalText", "signalPercent", "barColor", "security", "authCode"};
  std::vector<std::string> got;
  for (const auto& item : rows[0].items()) got.push_back(item.key());
  EXPECT_EQ(got, keys);
  for (const auto& row : rows) {
    if (row["ssid"] == "alpha") {
      EXPECT_EQ(row["security"], "WPA2-PSK;AES");
      EXPECT_EQ(row["authCode"], 5);
      EXPECT_EQ(row["secured"], true);
      EXPECT_EQ(row["signalText"], std::to_string(row["signalPercent"].get<int>()) + "%") << "percent without --dbm";
    }
    if (row["ssid"] == "Zulu") {
      EXPECT_EQ(row["b"], true);
      EXPECT_EQ(row["g"], false);
      EXPECT_EQ(row["secured"], false);
      EXPECT_EQ(row["authCode"], 0);
    }
    if (row["ssid"] == "HomeNet") {
      EXPECT_EQ(row["bssType"], "infrastructure");
      EXPECT_EQ(row["channel"], "6");
      EXPECT_EQ(row["barColor"].size(), 3u);
    }
  }
}

TEST_F(CliTest, SurveyWithNothingInRangeIsAnEmptyArray) {
  json scenario = SurveyScenario();
  scenario["networks"] = json::array();
  scenario["platformProfiles"] = json::array();
  const CliResult r = Run({"--scenario", Scenario(scenario), "--json", "survey"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.Json(), json::array());
}

// A name is untrusted bytes: in text output its control characters must not reach the terminal
// (here an escape sequence that would clear the screen); JSON escapes them.
TEST_F(CliTest, SurveyTextOutputDefusesControlCharactersInNames) {
  json scenario = SurveyScenario();
  json hostile = Network("", "00-AA-00-00-00-09", 6, -40);
  hostile.erase("ssid");
  hostile["ssidHex"] = "1B5B324A0A41";  // ESC [ 2 J, line feed, A
  scenario["networks"].push_back(hostile);
  const std::string file = Scenario(scenario);
  const CliResult text = Run({"--scenario", file, "survey"});
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_EQ(text.out.find('\x1b'), std::string::npos);
  EXPECT_NE(text.out.find("?[2J?A"), std::string::npos) << text.out;
  EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), 6) << "header and five rows, one line each";

  const json rows = Run({"--scenario", file, "--json", "survey"}).Json();
  bool found = false;
  for (const auto& row : rows) found = found || row["ssid"] == "\x1b[2J\nA";
  EXPECT_TRUE(found);
}

// The same access point whatever the spelling of its address.
class ApSpelling : public CliTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ApSpelling, DetailsOfARawElementsNetwork) {
  const CliResult r = Run({"--scenario", Scenario(SurveyScenario()), "--json", "ap", GetParam()});
  ASSERT_EQ(r.code, 0) << r.err;
  const json ap = r.Json();
  const json& g = ap["General"];
  EXPECT_EQ(g["SSID"], "RawNet");
  EXPECT_EQ(g["MAC Address"], "00-AA-BB-CC-DD-EE");
  EXPECT_EQ(g["Authentication Type"], "WPA2-PSK");
  EXPECT_EQ(g["Encryption Type"], "AES");
  EXPECT_EQ(g["Channel"], "3 <--> 2422 MHz");
  for (const char* key : {"Network Type", "Beacon Interval", "Signal Strength", "Supported Rates"}) {
    EXPECT_TRUE(g.contains(key)) << key;
  }
  EXPECT_EQ(ap["WPS"].size(), 10u);
  EXPECT_EQ(ap["CCX"]["CCKM"], "FALSE") << "the cut vendor element is skipped";
  EXPECT_EQ(ap["802.11n"]["shown"], false);
  ASSERT_FALSE(ap["802.11n"]["rows"].empty());
  EXPECT_EQ(ap["802.11n"]["rows"][0]["kind"], "group");
}

INSTANTIATE_TEST_SUITE_P(Cli, ApSpelling,
                         ::testing::Values("00-AA-BB-CC-DD-EE", "00:aa:bb:cc:dd:ee", "00-aA-Bb-cC-dD-eE"),
                         [](const auto& p) { return std::to_string(p.index); });

TEST_F(CliTest, ApOfAnHtNetworkShowsItsTab) {
  json scenario = SurveyScenario();
  json ht = Network("Fast", "00-AA-00-00-00-01", 36, -50);
  ht["phy"] = "n";
  ht["ht"] = json{{"width", 40}, {"secondaryOffset", 1}};
  scenario["networks"].push_back(ht);
  const json ap = Run({"--scenario", Scenario(scenario), "--json", "ap", "00-aa-00-00-00-01"}).Json();
  EXPECT_EQ(ap["General"]["Channel"], "36 <--> 5180 MHz");
  EXPECT_EQ(ap["802.11n"]["shown"], true);
  bool widthFound = false;
  for (const auto& row : ap["802.11n"]["rows"]) {
    if (row["property"] == "STA Channel Width") {
      widthFound = true;
      EXPECT_EQ(row["value"], "1");
    }
  }
  EXPECT_TRUE(widthFound);
}

struct ApErrorCase {
  const char* name;
  const char* bssid;
  int code;
  const char* errorPart;
};

class ApError : public CliTest, public ::testing::WithParamInterface<ApErrorCase> {};

TEST_P(ApError, ExitCodeAndSentence) {
  const CliResult r = Run({"--scenario", Scenario(SurveyScenario()), "--json", "ap", GetParam().bssid});
  EXPECT_EQ(r.code, GetParam().code);
  EXPECT_NE(r.err.find(GetParam().errorPart), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

INSTANTIATE_TEST_SUITE_P(Cli, ApError,
                         ::testing::Values(ApErrorCase{"not_in_range", "00-AA-BB-CC-DD-EF", 1, "00-AA-BB-CC-DD-EF"},
                                           ApErrorCase{"one_digit_short", "00:aa:bb:cc:dd:e", 2, "not a BSSID"},
                                           ApErrorCase{"bad_hex_digit", "00-aa-bb-cc-dd-eg", 2, "not a BSSID"},
                                           ApErrorCase{"one_digit_long", "00-aa-bb-cc-dd-eee", 2, "not a BSSID"}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace nxui::cli::test
