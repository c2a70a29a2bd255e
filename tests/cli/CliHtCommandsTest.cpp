// The 802.11n page and its Block Ack sessions through the real executable: settings applied and
// kept in the state directory's registry, and a manual session added, listed and deleted with the
// access point the simulated platform connects to.
#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

const char* const kAp = "00-11-22-33-44-55";

json Record(std::initializer_list<int> bytes) { return json(std::vector<int>(bytes)); }

struct SetCase {
  const char* name;
  std::vector<std::string> options;
  const char* word;  // "BACapability" after the run
  json record;       // OID_WLAN_HT_CONFIG the page sent
};

class HtSet : public CliTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(HtSet, AppliesAndTheNextRunShowsTheSameValues) {
  const std::string file = Scenario(ConnectedScenario());
  const json before = Run({"--scenario", file, "--json", "ht", "show"}).Json();
  EXPECT_TRUE(before["BACapability"].is_null()) << "nothing saved yet";
  EXPECT_EQ(before["record"], Record({32, 32, 1, 0, 1, 0, 3, 1})) << "the defaults are sent on showing";

  std::vector<std::string> args{"--scenario", file, "--json", "ht", "set"};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  const CliResult set = Run(args);
  ASSERT_EQ(set.code, 0) << set.err;
  const json applied = set.Json();
  EXPECT_EQ(applied["BACapability"], GetParam().word);
  EXPECT_EQ(applied["record"], GetParam().record);

  // A later run reads "BACapability" back into the page and sends the same record.
  const json again = Run({"--scenario", file, "--json", "ht", "show"}).Json();
  for (const char* key : {"MPDU Aggregation", "MPDU density", "Block Ack", "A-MSDU", "A-MSDU size",
                          "Spatial Multiplexing Power Save", "BACapability", "record"}) {
    EXPECT_EQ(again[key], applied[key]) << key;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Options, HtSet,
    ::testing::Values(SetCase{"defaults", {}, "0x03432020", Record({32, 32, 1, 0, 1, 0, 3, 1})},
                      SetCase{"static_smps", {"--smps", "static"}, "0x00432020", Record({32, 32, 1, 0, 1, 0, 0, 1})},
                      SetCase{"dynamic_smps", {"--smps", "dynamic"}, "0x01432020", Record({32, 32, 1, 0, 1, 0, 1, 1})},
                      SetCase{"aggregation_off", {"--ampdu", "off"}, "0x03452020", Record({32, 32, 2, 0, 1, 0, 3, 1})},
                      SetCase{"density_7_manual",
                              {"--density", "7", "--ba", "manual"},
                              "0x037A2020",
                              Record({32, 32, 1, 7, 1, 0, 3, 0})},
                      SetCase{"amsdu_off", {"--amsdu", "off"}, "0x03032020", Record({32, 32, 1, 0, 0, 0, 3, 1})},
                      SetCase{"amsdu_7935", {"--amsdu-size", "7935"}, "0x03C32020", Record({32, 32, 1, 0, 1, 1, 3, 1})},
                      // The check box is taken before the controls it enables, whatever the order given.
                      SetCase{"aggregation_back_on_with_density",
                              {"--density", "2", "--ampdu", "on"},
                              "0x03532020",
                              Record({32, 32, 1, 2, 1, 0, 3, 1})}),
    [](const auto& p) { return std::string(p.param.name); });

struct RefusedCase {
  const char* name;
  std::vector<std::string> args;
  int code;
  const char* error;  // part of stderr
};

class HtRefused : public CliTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(HtRefused, NothingIsApplied) {
  const std::string file = Scenario(ConnectedScenario());
  std::vector<std::string> args{"--scenario", file};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const CliResult r = Run(args);
  EXPECT_EQ(r.code, GetParam().code) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_NE(r.err.find(GetParam().error), std::string::npos) << r.err;
  const json after = Run({"--scenario", file, "--json", "ht", "show"}).Json();
  EXPECT_TRUE(after["BACapability"].is_null()) << after.dump();
}

INSTANTIATE_TEST_SUITE_P(
    Options, HtRefused,
    ::testing::Values(
        RefusedCase{"density_without_aggregation",
                    {"ht", "set", "--ampdu", "off", "--density", "3"},
                    1,
                    "while MPDU aggregation is off"},
        RefusedCase{"mode_without_aggregation", {"ht", "set", "--ampdu", "off", "--ba", "manual"}, 1, "--ampdu on"},
        RefusedCase{"size_without_amsdu", {"ht", "set", "--amsdu", "off", "--amsdu-size", "7935"}, 1, "A-MSDU is off"},
        RefusedCase{"density_out_of_range", {"ht", "set", "--density", "8"}, 2, "--density"},
        RefusedCase{"size_not_offered", {"ht", "set", "--amsdu-size", "4095"}, 2, "--amsdu-size"},
        RefusedCase{"unknown_smps", {"ht", "set", "--smps", "off"}, 2, "--smps"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CliTest, AdapterWithout80211nHasNoPage) {
  json scenario = ConnectedScenario();
  scenario["adapters"][0]["hardwareId"] = "USB\\VID_2F19&PID_1001&REV_0001";
  const std::string file = Scenario(scenario);
  for (const auto& args : std::vector<std::vector<std::string>>{{"ht", "show"}, {"ba", "list"}}) {
    std::vector<std::string> all{"--scenario", file};
    all.insert(all.end(), args.begin(), args.end());
    const CliResult r = Run(all);
    EXPECT_EQ(r.code, 1) << args[0];
    EXPECT_NE(r.err.find("not an 802.11n adapter"), std::string::npos) << r.err;
  }
}

// The row of `peer` in a list; null when it has none.
json Row(const json& list, const std::string& peer) {
  for (const auto& row : list) {
    if (row["peer"] == peer) return row;
  }
  return nullptr;
}

TEST_F(CliTest, ManualSessionAddedListedInALaterRunAndDeleted) {
  const std::string file = Scenario(ConnectedScenario());
  // Automatic setup: the TID 0 sessions each way, and the buttons disabled.
  const json automatic = Run({"--scenario", file, "--json", "ba", "list"}).Json();
  const json expectedAutomatic = {
      {{"peer", kAp}, {"tids", {"32", "-", "-", "-", "-", "-", "-", "-"}}},
  };
  EXPECT_EQ(automatic["Originator of"], expectedAutomatic);
  EXPECT_EQ(automatic["Recipient of"], expectedAutomatic);
  const CliResult refused = Run({"--scenario", file, "ba", "add", kAp, "5", "64"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("--ba manual"), std::string::npos) << refused.err;

  ASSERT_EQ(Run({"--scenario", file, "ht", "set", "--ba", "manual"}).code, 0);
  // Colons and lower case name the same peer; 300 is sent as its low 8 bits.
  const CliResult added = Run({"--scenario", file, "--json", "ba", "add", "00:11:22:33:44:55", "5", "300"});
  ASSERT_EQ(added.code, 0) << added.err;
  EXPECT_EQ(Row(added.Json()["Originator of"], kAp)["tids"], json({"32", "-", "-", "-", "-", "44", "-", "-"}));

  // The driver outlives the run: the next one lists the session.
  const json listed = Run({"--scenario", file, "--json", "ba", "list"}).Json();
  EXPECT_EQ(Row(listed["Originator of"], kAp)["tids"][5], "44");
  EXPECT_EQ(Row(listed["Recipient of"], kAp)["tids"][5], "-") << "an add makes an originator session only";

  const CliResult deleted = Run({"--scenario", file, "--json", "ba", "delete", kAp, "5"});
  ASSERT_EQ(deleted.code, 0) << deleted.err;
  EXPECT_EQ(Row(deleted.Json()["Originator of"], kAp)["tids"], expectedAutomatic[0]["tids"]);

  // The recipient list's "-": its only session goes, and with it the row.
  const CliResult recipient =
      Run({"--scenario", file, "--json", "ba", "delete", "00-11-22-33-44-55", "0", "--recipient"});
  ASSERT_EQ(recipient.code, 0) << recipient.err;
  const json after = recipient.Json();
  EXPECT_TRUE(after["Recipient of"].empty()) << after.dump();
  EXPECT_EQ(after["Originator of"], expectedAutomatic);

  // Deleting what is not there sends the request and finds nothing listed.
  EXPECT_EQ(Run({"--scenario", file, "ba", "delete", kAp, "3"}).code, 0);
}

struct BaErrorCase {
  const char* name;
  std::vector<std::string> args;
  int code;
  std::vector<const char*> errors;  // parts of stderr
};

class BaErrors : public CliTest, public ::testing::WithParamInterface<BaErrorCase> {};

TEST_P(BaErrors, RefusedWithoutSession) {
  const std::string file = Scenario(ConnectedScenario());
  ASSERT_EQ(Run({"--scenario", file, "ht", "set", "--ba", "manual"}).code, 0);
  std::vector<std::string> args{"--scenario", file, "ba"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const CliResult r = Run(args);
  EXPECT_EQ(r.code, GetParam().code) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
  for (const char* error : GetParam().errors) EXPECT_NE(r.err.find(error), std::string::npos) << r.err;
  // Nothing but the automatic TID 0 session each way.
  const json lists = Run({"--scenario", file, "--json", "ba", "list"}).Json();
  for (const char* side : {"Originator of", "Recipient of"}) {
    ASSERT_EQ(lists[side].size(), 1u) << side;
    EXPECT_EQ(lists[side][0]["tids"], json({"32", "-", "-", "-", "-", "-", "-", "-"})) << side;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, BaErrors,
    ::testing::Values(
        BaErrorCase{"not_a_number",
                    {"add", kAp, "1", "abc"},
                    2,
                    {"refused", "nxui: message: Please enter a positive integer."}},
        BaErrorCase{"negative_window", {"add", kAp, "1", "-4"}, 2, {"Please enter a positive integer."}},
        BaErrorCase{"window_past_32_bits", {"add", kAp, "1", "4294967296"}, 2, {"Please enter a positive integer."}},
        BaErrorCase{"tid_8", {"add", kAp, "8", "64"}, 2, {"TID"}},
        BaErrorCase{"malformed_peer", {"add", "00-11-22-33-44", "1", "64"}, 2, {"not a peer address"}},
        BaErrorCase{"bad_hex_digit", {"delete", "00-11-22-33-44-5G", "0"}, 2, {"not a peer"}},
        BaErrorCase{"peer_not_connected", {"add", "00-11-22-33-44-56", "1", "64"}, 1, {"not a connected peer", kAp}},
        BaErrorCase{"recipient_peer_not_connected",
                    {"delete", "00-11-22-33-44-56", "0", "--recipient"},
                    1,
                    {"not a connected peer"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CliTest, BlockAckWithoutAggregationOrConnection) {
  json scenario = ConnectedScenario();
  const std::string file = Scenario(scenario);
  // Aggregation off: no sessions at all, and the buttons are disabled whatever the mode.
  ASSERT_EQ(Run({"--scenario", file, "ht", "set", "--ampdu", "off"}).code, 0);
  const json none = Run({"--scenario", file, "--json", "ba", "list"}).Json();
  EXPECT_TRUE(none["Originator of"].empty()) << none.dump();
  EXPECT_TRUE(none["Recipient of"].empty()) << none.dump();
  const CliResult off = Run({"--scenario", file, "ba", "delete", kAp, "0"});
  EXPECT_EQ(off.code, 1);
  EXPECT_NE(off.err.find("MPDU aggregation"), std::string::npos) << off.err;

  // Not connected (another state directory: the first one's WLAN service kept its profile): manual
  // setup on, but there is no peer to choose.
  scenario["platformProfiles"] = json::array();
  const std::vector<std::string> alone{"--state", (dir.path() / "alone").string(), "--scenario",
                                       Scenario(scenario, "alone.json")};
  auto runAlone = [&](std::vector<std::string> args) {
    args.insert(args.begin(), alone.begin(), alone.end());
    return Run(args, false);
  };
  ASSERT_EQ(runAlone({"ht", "set", "--ba", "manual"}).code, 0);
  const json empty = runAlone({"--json", "ba", "list"}).Json();
  EXPECT_TRUE(empty["Originator of"].empty()) << empty.dump();
  const CliResult noPeer = runAlone({"ba", "add", kAp, "1", "64"});
  EXPECT_EQ(noPeer.code, 1);
  EXPECT_NE(noPeer.err.find("not a connected peer"), std::string::npos) << noPeer.err;
  EXPECT_EQ(noPeer.err.find("(connected:"), std::string::npos) << "no peers to name: " << noPeer.err;
}

TEST_F(CliTest, HtHumanOutputShowsThePageTexts) {
  const std::string file = Scenario(ConnectedScenario());
  ASSERT_EQ(Run({"--scenario", file, "ht", "set", "--smps", "static"}).code, 0);
  const CliResult r = Run({"--scenario", file, "ht", "show"});
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* text : {"MPDU density >>", "Static SMPS", "Max: 3839", "0x00432020", "32 32 1 0 1 0 0 1"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << " in\n" << r.out;
  }
  const CliResult list = Run({"--scenario", file, "ba", "list"});
  ASSERT_EQ(list.code, 0) << list.err;
  for (const char* text : {"Originator of", "Recipient of", "MAC地址", "00-11-22-33-44-55  32  -"}) {
    EXPECT_NE(list.out.find(text), std::string::npos) << text << " in\n" << list.out;
  }
}

}  // namespace
}  // namespace nxui::cli::test
