// The 802.1X exchange end to end through the real executable: a WPA2 network whose server takes
// one identity and password; a profile applied with the right password connects with the log of
// panel 5, a wrong one brings up panel 7 with the card, profile and message, answered or not, and
// a server asking for a one-time password brings up panel 8.
#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

json EapScenario(const json& eap) {
  json network = Network("CorpNet", "00-11-22-33-44-77", 6, -50);
  network["security"] = json{{"auth", "wpa2"}, {"cipher", "aes"}, {"eap", eap}};
  return json{{"version", 1}, {"adapters", json::array({Adapter()})}, {"networks", json::array({network})}};
}

std::vector<std::string> Messages(const json& result) {
  std::vector<std::string> out;
  for (const json& line : result["lines"]) out.push_back(line["message"].get<std::string>());
  return out;
}

class CliAuthlog : public CliTest {
 protected:
  // A WPA2 profile for CorpNet with the stored identity and password.
  void AddProfile(const std::string& file) {
    const CliResult added = Run({"--scenario", file, "profile", "add", "--name", "Corp", "--ssid", "CorpNet", "--auth",
                                 "wpa2", "--cipher", "aes"});
    ASSERT_EQ(added.code, 0) << added.err;
  }
};

TEST_F(CliAuthlog, RightCredentialsFromThePromptConnect) {
  const std::string file = Scenario(EapScenario({{"identity", "jdoe"}, {"password", "secret"}}));
  AddProfile(file);
  const CliResult r =
      Run({"--scenario", file, "--json", "authlog", "Corp", "--identity", "jdoe", "--password", "secret"});
  ASSERT_EQ(r.code, 0) << r.out << r.err;
  const json result = r.Json();
  EXPECT_EQ(result["connected"], true);
  const std::vector<std::string> messages = Messages(result);
  for (const char* step : {"Authentication started", "Identity sent: jdoe", "EAP method negotiated: PEAP",
                           "Server certificate verified", "Authentication succeeded"}) {
    EXPECT_NE(std::find(messages.begin(), messages.end(), step), messages.end()) << step;
  }
}

TEST_F(CliAuthlog, WrongCredentialsShowPanel7AndFail) {
  const std::string file = Scenario(EapScenario({{"identity", "jdoe"}, {"password", "secret"}, {"attempts", 2}}));
  AddProfile(file);
  const CliResult r = Run({"--scenario", file, "authlog", "Corp", "--identity", "jdoe", "--password", "wrong"});
  EXPECT_EQ(r.code, 1) << r.out << r.err;
  for (const char* text : {"Card Name >> VQ-MA310X 11N Wireless Adapter", "Profile Name >> Corp",
                           "Message >> The user name or password is not correct.", "Identity or password refused",
                           "Authentication cancelled", "connected: no"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
  }
}

TEST_F(CliAuthlog, OneTimePasswordIsAskedOnPanel8) {
  const std::string file = Scenario(EapScenario({{"ask", "one-time-password"}, {"oneTimePassword", "424242"}}));
  AddProfile(file);
  const CliResult right = Run(
      {"--scenario", file, "--json", "authlog", "Corp", "--identity", "jdoe", "--password", "x", "--otp", "424242"});
  ASSERT_EQ(right.code, 0) << right.out << right.err;
  const json result = right.Json();
  bool panel8 = false;
  for (const json& prompt : result["prompts"]) panel8 = panel8 || prompt["panel"] == 8;
  EXPECT_TRUE(panel8) << result.dump();
  const CliResult wrong =
      Run({"--scenario", file, "authlog", "Corp", "--identity", "jdoe", "--password", "x", "--otp", "000000"});
  EXPECT_EQ(wrong.code, 1);
  EXPECT_NE(wrong.out.find("one-time password refused"), std::string::npos) << wrong.out;
}

}  // namespace
}  // namespace nxui::cli::test
