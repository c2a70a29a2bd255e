// `wps ...` end to end through the real executable: the WPS page of a started core with its buttons
// pressed, runs followed to their end, and `--state` carrying the credentials from one run to the next.
#include <algorithm>

#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

json WpsBlock(bool pushButton) {
  return json{
      {"version", "0x10"}, {"state", 2}, {"devicePasswordId", "0x0004"}, {"pin", "any"}, {"pushButton", pushButton}};
}

json Secured(json network, const std::string& passphrase) {
  network["security"] = json{{"auth", "wpa2-psk"}, {"cipher", "aes"}, {"passphrase", passphrase}};
  return network;
}

// A WPA2-PSK access point whose button is pressed and that hands out three credentials, an open
// one waiting for a PIN that fails at code 7 (wrong PIN), a hidden one with WPS and one without.
json WpsWorld() {
  json router = Secured(Network("Router-WPS", "00-22-75-C4-B0-0B", 11, -45), "push-the-button");
  router["wps"] = WpsBlock(true);
  router["wps"]["credentials"] = json::array(
      {json{{"ssid", "Router-WPS"}, {"auth", "wpa2-psk"}, {"cipher", "aes"}, {"key", "push-the-button"}},
       json{{"ssid", "Guest-WPS"}, {"auth", "open"}, {"cipher", "none"}, {"key", ""}},
       json{{"ssid", "Old-WPS"}, {"auth", "wpa-psk"}, {"cipher", "tkip"}, {"key", "older-than-the-hills"}}});
  json setup = Network("NewAP-Setup", "00-18-E7-10-C0-0C", 4, -60);
  setup["wps"] = WpsBlock(false);
  setup["wps"]["failAt"] = 7;
  json hidden = Secured(Network("", "00-24-01-AB-80-08", 6, -70), "nobody-sees-me");
  hidden["wps"] = WpsBlock(false);
  return json{{"version", 1},
              {"adapters", json::array({Adapter()})},
              {"networks", json::array({router, setup, Network("Plain", "00-14-BF-33-20-02", 1, -50), hidden})}};
}

class WpsCli : public CliTest {
 protected:
  void SetUp() override { scenario = Scenario(WpsWorld()); }

  CliResult Wps(std::vector<std::string> args, bool json = true) {
    args.insert(args.begin(), "wps");
    if (json) args.insert(args.begin(), "--json");
    args.insert(args.begin(), {"--scenario", scenario});
    return Run(args);
  }

  std::string scenario;
};

TEST_F(WpsCli, ListShowsTheAccessPointsThatOfferWpsIncludingTheHiddenOne) {
  const CliResult r = Wps({"list"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json rows = r.Json();
  ASSERT_TRUE(rows.is_array());
  std::vector<std::string> bssids;
  for (const json& row : rows) bssids.push_back(row["bssid"]);
  EXPECT_EQ(bssids.size(), 3U);
  EXPECT_NE(std::find(bssids.begin(), bssids.end(), "00-24-01-AB-80-08"), bssids.end());
  EXPECT_EQ(std::find(bssids.begin(), bssids.end(), "00-14-BF-33-20-02"), bssids.end());
  for (const json& row : rows) {
    if (row["bssid"] == "00-22-75-C4-B0-0B") {
      EXPECT_EQ(row["id"], "0x0004");
      EXPECT_EQ(row["channel"], "11");
      EXPECT_EQ(row["protected"], true);
    }
    if (row["bssid"] == "00-18-E7-10-C0-0C") {
      EXPECT_EQ(row["protected"], false);
    }
  }
}

TEST_F(WpsCli, PushButtonRunSucceedsConnectsAndKeepsItsCredentials) {
  const CliResult r = Wps({"pbc"});
  ASSERT_EQ(r.code, 0) << r.err << r.out;
  const json doc = r.Json();
  EXPECT_EQ(doc["outcome"], "success");
  EXPECT_EQ(doc["status"], 15);
  EXPECT_EQ(doc["progress"], 100);
  EXPECT_EQ(doc["connected"], true);
  ASSERT_EQ(doc["credentials"].size(), 3U);
  EXPECT_EQ(doc["credentials"][0]["ssid"], "Router-WPS");
  EXPECT_EQ(doc["credentials"][0]["mark"], "connected");
  EXPECT_EQ(doc["credentials"][1]["ssid"], "Guest-WPS");
  EXPECT_EQ(doc["credentials"][1]["mark"], "");

  // A second invocation finds them in the store, the first still the one connected with.
  const CliResult again = Wps({"credentials"});
  ASSERT_EQ(again.code, 0) << again.err;
  const json rows = again.Json();
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_EQ(rows[2]["ssid"], "Old-WPS");
  EXPECT_EQ(rows[2]["authType"], 0x0002);
}

TEST_F(WpsCli, ProgressLinesWithoutJsonAndOneDocumentWithIt) {
  const CliResult text = Wps({"pbc"}, false);
  ASSERT_EQ(text.code, 0) << text.err;
  // Not a terminal: one line per change, the progress climbing to 100 %.
  EXPECT_NE(text.out.find("100%"), std::string::npos) << text.out;
  EXPECT_EQ(text.out.find('\r'), std::string::npos);
  EXPECT_GT(std::count(text.out.begin(), text.out.end(), '%'), 3);

  const CliResult quiet = Wps({"pbc"});
  ASSERT_EQ(quiet.code, 0) << quiet.err;
  EXPECT_EQ(quiet.out.find("100%"), std::string::npos);
  EXPECT_TRUE(quiet.Json().is_object());
}

TEST_F(WpsCli, FailedPinRunExitsOneWithItsStatusCode) {
  const CliResult r = Wps({"pin", "--bssid", "00:18:e7:10:c0:0c"});
  EXPECT_EQ(r.code, 1) << r.err << r.out;
  const json doc = r.Json();
  EXPECT_EQ(doc["outcome"], "failure");
  EXPECT_EQ(doc["status"], 7);
  EXPECT_EQ(doc["connected"], false);
  EXPECT_TRUE(doc["credentials"].empty());
}

TEST_F(WpsCli, PinRunWithTheChosenAccessPoint) {
  const CliResult r = Wps({"pin", "--bssid", "00-22-75-c4-b0-0b"});
  ASSERT_EQ(r.code, 0) << r.err << r.out;
  EXPECT_EQ(r.Json()["outcome"], "success");
  EXPECT_EQ(r.Json()["credentials"].size(), 3U);
}

TEST_F(WpsCli, RefusalsAndTheirExitCodes) {
  const struct {
    std::vector<std::string> args;
    int code;
    const char* said;
  } cases[] = {
      {{"pin", "--bssid", "00-22-75-C4-B0"}, 2, "is not a BSSID"},
      {{"pin", "--bssid", "00-22-75-C4-B0-0G"}, 2, "is not a BSSID"},
      {{"pin", "--bssid", "00-14-BF-33-20-02"}, 1, "no access point with BSSID 00-14-BF-33-20-02"},
      {{"pin", "--pin", "12345670"}, 2, "enrollee mode"},
      {{"connect", "0"}, 1, "there is no WPS credential"},
      {{"delete", "0"}, 1, "there is no WPS credential"},
      {{"detail", "0"}, 1, "there is no WPS credential"},
      {{"export", "0"}, 1, "there is no WPS credential"},
      {{"rotate"}, 1, "there is no WPS credential"},
      {{"mode", "sideways"}, 2, ""},
  };
  for (const auto& c : cases) {
    const CliResult r = Wps(c.args);
    EXPECT_EQ(r.code, c.code) << c.args.front() << ": " << r.err;
    EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
  }
}

TEST_F(WpsCli, CredentialNumbersOutsideTheListAreRefused) {
  ASSERT_EQ(Wps({"pbc"}).code, 0);
  for (const char* n : {"3", "-1"}) {
    const CliResult r = Wps({"connect", n});
    EXPECT_EQ(r.code, 1) << n;
    EXPECT_NE(r.err.find("the list holds 0 to 2"), std::string::npos) << r.err;
  }
}

TEST_F(WpsCli, ConnectDeleteAndDetailOnStoredCredentials) {
  ASSERT_EQ(Wps({"pbc"}).code, 0);

  const CliResult connect = Wps({"connect", "0"});
  ASSERT_EQ(connect.code, 0) << connect.err;
  EXPECT_EQ(connect.Json()["connected"], true);

  const CliResult detail = Wps({"detail", "2", "--show-key"});
  ASSERT_EQ(detail.code, 0) << detail.err;
  EXPECT_EQ(detail.Json()["ssid"], "Old-WPS");
  EXPECT_EQ(detail.Json()["key"], "older-than-the-hills");
  EXPECT_EQ(detail.Json()["editable"], false);
  const CliResult hidden = Wps({"detail", "2"});
  EXPECT_EQ(hidden.Json()["key"], std::string(20, '*'));

  const CliResult removed = Wps({"delete", "1"});
  ASSERT_EQ(removed.code, 0) << removed.err;
  EXPECT_EQ(removed.Json()["deleted"], "Guest-WPS");
  const CliResult left = Wps({"credentials"});
  ASSERT_EQ(left.Json().size(), 2U);
  EXPECT_EQ(left.Json()[1]["ssid"], "Old-WPS");
}

TEST_F(WpsCli, RegistrarModeHasItsOwnCredentialAndNoRenewOrDelete) {
  const CliResult mode = Wps({"mode", "registrar"});
  ASSERT_EQ(mode.code, 0) << mode.err;
  EXPECT_EQ(mode.Json()["mode"], "registrar");
  ASSERT_EQ(mode.Json()["list"].size(), 1U);

  const CliResult status = Wps({"status"});
  EXPECT_EQ(status.Json()["mode"], "registrar");
  const CliResult detail = Wps({"detail", "0"});
  ASSERT_EQ(detail.code, 0) << detail.err;
  EXPECT_EQ(detail.Json()["editable"], true);
  EXPECT_EQ(detail.Json()["authentication"], "WPA2-PSK");

  EXPECT_EQ(Wps({"renew"}).code, 1);
  const CliResult del = Wps({"delete", "0"});
  EXPECT_EQ(del.code, 1);
  EXPECT_NE(del.err.find("registrar mode"), std::string::npos) << del.err;

  // Back to enrollee: a fresh PIN, the generated credential gone.
  const CliResult back = Wps({"mode", "enrollee"});
  ASSERT_EQ(back.code, 0) << back.err;
  EXPECT_TRUE(back.Json()["list"].empty());
  EXPECT_EQ(back.Json()["pin"].get<std::string>().size(), 8U);
}

// The PIN's last digit is the checksum of the seven before it.
bool ValidPin(const std::string& pin) {
  if (pin.size() != 8 || pin.find_first_not_of("0123456789") != std::string::npos) return false;
  int sum = 0;
  for (int i = 0; i < 8; ++i) sum += (pin[static_cast<std::size_t>(i)] - '0') * (i % 2 == 0 ? 3 : 1);
  return sum % 10 == 0;
}

TEST_F(WpsCli, EnrolleePinsAreFreshValidPinsAndARunSaysItsOwn) {
  const CliResult renewed = Wps({"renew"});
  ASSERT_EQ(renewed.code, 0) << renewed.err;
  EXPECT_TRUE(ValidPin(renewed.Json()["pin"])) << renewed.out;

  const CliResult run = Wps({"pin"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_TRUE(ValidPin(run.Json()["pin"])) << run.out;
  const CliResult text = Wps({"pin"}, false);
  ASSERT_EQ(text.code, 0) << text.err;
  // Said before the progress, so that it can be entered at the access point while the run goes on.
  EXPECT_LT(text.out.find("Pin Code"), text.out.find('%')) << text.out;
  EXPECT_EQ(Wps({"pbc"}).Json().count("pin"), 0U);
}

TEST_F(WpsCli, ExportSavesTheChosenCredentialAsAProfile) {
  ASSERT_EQ(Wps({"pbc"}).code, 0);
  const CliResult exported = Wps({"export", "2"});
  ASSERT_EQ(exported.code, 0) << exported.err;
  EXPECT_EQ(exported.Json()["ssid"], "Old-WPS");
  const std::string name = exported.Json()["profile"];

  const CliResult profiles = Run({"--json", "--scenario", scenario, "profile", "list"});
  ASSERT_EQ(profiles.code, 0) << profiles.err;
  bool found = false;
  for (const json& p : profiles.Json()) found = found || (p["name"] == name && p["ssid"] == "Old-WPS");
  EXPECT_TRUE(found) << profiles.out;
}

}  // namespace
}  // namespace nxui::cli::test
