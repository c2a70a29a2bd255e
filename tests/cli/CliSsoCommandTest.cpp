// The single sign-on page through the real executable: a scenario that installs single sign-on and
// seeds station profiles below the adapter key; "sso apply" writes the configuration into the
// state directory's registry, "sso disable" clears it, and without administrator rights the page's
// message ends the run.
#include <fstream>
#include <sstream>

#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

json SsoScenario(bool admin = true) {
  json adapter = Adapter();
  adapter["registry"] = json{
      {"Profile",
       {{"Station",
         {{"Office", {{"LeapEnabled", "1"}, {"AuthenProtocol", "0"}, {"SSID", "CorpNet"}, {"LeapUserName", "jdoe"}}},
          {"Campus", {{"AuthenProtocol", "3"}, {"SSID", "Campus-1X"}}},
          {"Home", {{"AuthenProtocol", "0"}, {"SSID", "HomeNet"}}}}}}}};
  return json{
      {"version", 1},
      {"os", {{"admin", admin}}},
      {"adapters", json::array({adapter})},
      {"registry", {{"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Norvix", {{"SSOInstall", "1"}}}}}};
}

class CliSso : public CliTest {
 protected:
  std::string RegistryText() {
    std::ifstream in(dir / "state" / "registry.reg", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

TEST_F(CliSso, ApplyWritesTheConfigurationAndDisableClearsIt) {
  const std::string file = Scenario(SsoScenario());
  const json shown = Run({"--scenario", file, "--json", "sso", "show"}).Json();
  EXPECT_EQ(shown["installed"], true);
  EXPECT_EQ(shown["enabled"], false);
  EXPECT_EQ(shown["profiles"], json::array({"Office", "Campus"}));
  EXPECT_TRUE(shown["ginaDll"].is_null());

  const CliResult applied = Run({"--scenario", file, "--json", "sso", "apply", "campus", "--credentials", "prompt"});
  ASSERT_EQ(applied.code, 0) << applied.err;
  const json after = applied.Json();
  EXPECT_EQ(after["enabled"], true);
  EXPECT_EQ(after["credentials"], "prompt");
  EXPECT_EQ(after["selected"]["profile"], "Campus");
  EXPECT_EQ(after["selected"]["authentication"], "EAP-FAST");
  EXPECT_EQ(after["selected"]["ssid"], "Campus-1X");
  EXPECT_EQ(after["ginaDll"], "NorvixGina.DLL");
  const std::string reg = RegistryText();
  for (const char* expected : {"\"SSOProfilePath\"", "\"CardName\"", "Card Name: VQ-MA310X 11N Wireless Adapter",
                               "\"CurProfile\"", "Profile Name: Campus"}) {
    EXPECT_NE(reg.find(expected), std::string::npos) << expected;
  }

  // A later run shows what the registry keeps.
  const json again = Run({"--scenario", file, "--json", "sso", "show"}).Json();
  EXPECT_EQ(again["enabled"], true);
  EXPECT_EQ(again["selected"]["profile"], "Campus");

  const CliResult disabled = Run({"--scenario", file, "--json", "sso", "disable"});
  ASSERT_EQ(disabled.code, 0) << disabled.err;
  EXPECT_EQ(disabled.Json()["enabled"], false);
  EXPECT_TRUE(disabled.Json()["ginaDll"].is_null());
}

struct RefusedCase {
  const char* name;
  std::vector<std::string> args;
  bool admin;
  const char* error;
};

class CliSsoRefused : public CliSso, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(CliSsoRefused, FailsWithItsReason) {
  json scenario = SsoScenario(GetParam().admin);
  if (std::string(GetParam().name) == "not_installed") scenario.erase("registry");
  std::vector<std::string> args{"--scenario", Scenario(scenario), "sso"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  const CliResult r = Run(args);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find(GetParam().error), std::string::npos) << r.err;
  EXPECT_EQ(RegistryText().find("NorvixGina.DLL"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliSsoRefused,
    ::testing::Values(RefusedCase{"not_admin", {"apply", "Office"}, false, "You have no 'Administrator' privilege"},
                      RefusedCase{"not_admin_disable", {"disable"}, false, "You have no 'Administrator' privilege"},
                      RefusedCase{
                          "peap_profile_is_not_listed", {"apply", "Home"}, true, "\"Home\" is not a LEAP or EAP-FAST"},
                      RefusedCase{"not_installed", {"enable"}, true, "single sign-on is not installed"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nxui::cli::test
