// `profile add` and `profile edit` end to end: options through the editor's tabs, the editor's own
// refusals on stderr with exit code 2, and what ends up in the profile file of the state directory.
#include <fstream>
#include <sstream>

#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

class ProfileEdit : public CliTest {
 protected:
  std::filesystem::path ProfileFile() const {
    const auto folder = std::filesystem::path(StateDir()) / "LocalAppData";
    if (!std::filesystem::exists(folder)) return {};
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().filename().string().ends_with("_prof")) return entry.path();
    }
    return {};
  }
  std::string ProfileText() const {
    const auto file = ProfileFile();
    if (file.empty()) return {};
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  CliResult Add(std::vector<std::string> args) {
    args.insert(args.begin(), {"--json", "profile", "add"});
    return Run(args);
  }
};

TEST_F(ProfileEdit, AddSavesAWpa2PskProfile) {
  const CliResult r = Add(
      {"--name", "Home", "--ssid", "Norvix-Home", "--auth", "wpa2-psk", "--cipher", "aes", "--psk", "sunflower-42"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json p = r.Json();
  EXPECT_EQ(p["name"], "Home");
  EXPECT_EQ(p["SSID"], "Norvix-Home");
  EXPECT_EQ(p["SSID_inHex"], "1");
  EXPECT_EQ(p["AuthMode"], "7");
  EXPECT_EQ(p["CipherMode"], "6");
  EXPECT_EQ(p["NetworkType"], "1");
  EXPECT_EQ(p["WPAPSK"], "********") << "secrets are not printed";
  EXPECT_EQ(p.size(), 54u) << "the name and the 53 keys";
  const std::string file = ProfileText();
  EXPECT_NE(file.find("[Home]\r\n"), std::string::npos);
  EXPECT_NE(file.find("WPAPSK=sunflower-42\r\n"), std::string::npos);
  EXPECT_NE(file.find("SSID=4e6f727669782d486f6d65\r\n"), std::string::npos);
}

TEST_F(ProfileEdit, RefusedProfilesGetTheEditorsTextsAndWriteNothing) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* message;
  };
  const std::string shortHex(63, 'a');
  const Row rows[] = {
      {"pass phrase of 7",
       {"--ssid", "n", "--auth", "wpa-psk", "--psk", "1234567"},
       "nxui: 非法的 WPA 预共享密钥。 WPA-PSK 有效域必须超过8个字符。\n"},
      {"64 characters that are not hexadecimal",
       {"--ssid", "n", "--auth", "wpa2-psk", "--psk", shortHex + "g"},
       "nxui: 非法的 WPA 预共享密钥。 WPA-PSK 有效域应该为64位16进制数字。\n"},
      {"shared key 3 of 12 digits",
       {"--ssid", "n", "--auth", "shared", "--default-key", "3", "--wep-key", "3:hex:123456789012"},
       "nxui: 非法的 WEP 共享密钥3 长度。WEP 共享密钥长度应该为10或者26位16进制数字。\n"},
      {"open WEP ASCII key of 6",
       {"--ssid", "n", "--cipher", "wep", "--wep-key", "1:ascii:abcdef"},
       "nxui: 非法的 WEP 共享密钥1 长度。WEP 共享密钥长度应该为5或者13位ASCII码字符。\n"},
      {"no SSID", {"--auth", "open"}, "nxui: Please enter SSID\n"},
      {"LEAP without password",
       {"--ssid", "n", "--auth", "leap", "--leap-user", "bob"},
       "nxui: ID and Password required for LEAP!\n"},
      {"blank name", {"--name", "   ", "--ssid", "n"}, "nxui: Please enter profile name\n"},
      {"name with a line break",
       {"--name", "a\nb", "--ssid", "n"},
       "nxui: A profile name cannot contain line breaks or NUL characters\n"},
      {"channel in infrastructure",
       {"--ssid", "n", "--channel", "6"},
       "nxui: --channel applies to ad hoc networks only\n"},
      {"pre-shared key with Open",
       {"--ssid", "n", "--psk", "12345678"},
       "nxui: --psk applies to WPA-PSK, WPA2-PSK and WPA-None only\n"},
      {"WEP key without WEP",
       {"--ssid", "n", "--wep-key", "1:hex:1234567890"},
       "nxui: WEP keys are used only with Shared, or Open with WEP and without 802.1X\n"},
      {"malformed WEP key",
       {"--ssid", "n", "--auth", "shared", "--wep-key", "5:hex:1234567890"},
       "nxui: --wep-key takes N:hex:DIGITS or N:ascii:TEXT with N from 1 to 4, not \"5:hex:1234567890\"\n"},
      {"hex key with other characters",
       {"--ssid", "n", "--auth", "shared", "--wep-key", "1:hex:12345678zz"},
       "nxui: --wep-key 1: a hexadecimal key holds at most 26 hexadecimal digits\n"},
      {"WPA-None in infrastructure",
       {"--ssid", "n", "--auth", "wpa-none"},
       "nxui: --auth wpa-none is not offered for this network type, system and adapter\n"},
      {"TKIP in ad hoc",
       {"--ssid", "n", "--network", "adhoc", "--auth", "wpa-none", "--cipher", "tkip"},
       "nxui: --cipher tkip is not offered with this authentication\n"},
      {"802.1X without WEP",
       {"--ssid", "n", "--8021x"},
       "nxui: --8021x applies to Open authentication with WEP on infrastructure networks only\n"},
      {"name of 33",
       {"--name", std::string(33, 'n'), "--ssid", "n"},
       "nxui: --name: a profile name holds at most 32 characters\n"},
      {"threshold that is not a number",
       {"--ssid", "n", "--rts", "big"},
       "nxui: --rts takes \"off\" or a number such as 2347, not \"big\"\n"},
  };
  for (const Row& row : rows) {
    const CliResult r = Add(row.args);
    EXPECT_EQ(r.code, 2) << row.name;
    EXPECT_EQ(r.err, row.message) << row.name;
    EXPECT_TRUE(r.out.empty()) << row.name;
    EXPECT_TRUE(ProfileFile().empty()) << row.name << ": nothing written";
  }
}

TEST_F(ProfileEdit, AcceptedBoundariesAndWhatTheEditsKeep) {
  ASSERT_EQ(Add({"--name", "psk8", "--ssid", "n", "--auth", "wpa-psk", "--psk", "12345678"}).code, 0);
  ASSERT_EQ(Add({"--name", "psk64", "--ssid", "n", "--auth", "wpa2-psk", "--psk",
                 std::string(32, 'A') + std::string(32, 'f')})
                .code,
            0);
  const CliResult wep =
      Add({"--name", "wep", "--ssid", "n", "--auth", "shared", "--wep-key", "1:ascii:ab:cd", "--wep-key",
           "2:hex:0123456789abcdef0123456789", "--default-key", "2", "--rts", "5000", "--frag", "100"});
  ASSERT_EQ(wep.code, 0) << wep.err;
  const json p = wep.Json();
  EXPECT_EQ(p["WEPKey1Type"], "1");
  EXPECT_EQ(p["WEPKeyUse"], "2");
  EXPECT_EQ(p["RtsThresh"], "2347") << "the edit clamps above 2347";
  EXPECT_EQ(p["FragThresh"], "256") << "the edit clamps below 256";
  EXPECT_NE(ProfileText().find("WEPKey1=61623a6364\r\n"), std::string::npos) << "ASCII keys are stored as hex";

  const CliResult adhoc = Add({"--name", "ibss", "--ssid", "party", "--network", "adhoc", "--channel", "J12",
                               "--preamble", "long", "--auth", "wpa-none", "--psk", "ad hoc secret"});
  ASSERT_EQ(adhoc.code, 0) << adhoc.err;
  EXPECT_EQ(adhoc.Json()["AuthMode"], "5");
  EXPECT_EQ(adhoc.Json()["CipherMode"], "6");
  EXPECT_EQ(adhoc.Json()["Channel"], "212");
  EXPECT_EQ(adhoc.Json()["PreambleType"], "0");
}

TEST_F(ProfileEdit, ReplacingNeedsReplaceAndEditKeepsWhatItIsNotTold) {
  ASSERT_EQ(Add({"--name", "Home", "--ssid", "first", "--power-save", "psm", "--tx-power", "25"}).code, 0);
  const std::string before = ProfileText();

  const CliResult refused = Add({"--name", "home", "--ssid", "second"});
  EXPECT_EQ(refused.code, 2);
  EXPECT_EQ(refused.err, "nxui: Duplicate profile name\nnxui: --replace replaces the existing profile\n");
  EXPECT_EQ(ProfileText(), before);

  const CliResult edited = Run({"--json", "profile", "edit", "Home", "--ssid", "second"});
  ASSERT_EQ(edited.code, 0) << edited.err;
  EXPECT_EQ(edited.Json()["SSID"], "second");
  EXPECT_EQ(edited.Json()["PSMode"], "2") << "what the options do not name stays";
  EXPECT_EQ(edited.Json()["TXPower"], "4");

  const CliResult replaced = Add({"--name", "HOME", "--ssid", "third", "--replace"});
  ASSERT_EQ(replaced.code, 0) << replaced.err;
  EXPECT_EQ(replaced.Json()["SSID"], "third");
  EXPECT_EQ(replaced.Json()["PSMode"], "0");

  const CliResult missing = Run({"profile", "edit", "Nowhere", "--ssid", "x"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "nxui: No profile named \"Nowhere\"\n");
}

// A network in range that nothing connects to at start: only a profile with the right key does.
json SecuredWorld() {
  json network = Network("Secure", "00-11-22-33-44-66", 11, -55);
  network["security"] = json{{"auth", "wpa2-psk"}, {"cipher", "aes"}, {"passphrase", "right horse battery"}};
  json adhoc = Network("Party", "02-11-22-33-44-77", 6, -60);
  adhoc["bssType"] = "independent";
  adhoc["security"] = json{{"auth", "wpa-none"}, {"cipher", "aes"}, {"passphrase", "ad hoc secret"}};
  return json{{"version", 1},
              {"adapters", json::array({Adapter()})},
              {"networks", json::array({network, adhoc})},
              {"platformProfiles", json::array()}};
}

TEST_F(ProfileEdit, AddedProfileConnectsWhenAppliedInASecondRun) {
  const std::string world = Scenario(SecuredWorld());
  const CliResult added = Run({"--scenario", world, "profile", "add", "--name", "Secure", "--ssid", "Secure", "--auth",
                               "wpa2-psk", "--cipher", "aes", "--psk", "right horse battery"});
  ASSERT_EQ(added.code, 0) << added.err;
  const CliResult wrong = Run({"--scenario", world, "profile", "add", "--name", "Wrong", "--ssid", "Secure", "--auth",
                               "wpa2-psk", "--cipher", "aes", "--psk", "wrong horse battery"});
  ASSERT_EQ(wrong.code, 0) << wrong.err;

  const CliResult failed = Run({"--scenario", world, "--json", "profile", "apply", "Wrong"});
  EXPECT_EQ(failed.code, 1);
  EXPECT_NE(failed.err.find("did not come up"), std::string::npos) << failed.err;

  const CliResult applied = Run({"--scenario", world, "--json", "profile", "apply", "Secure"});
  ASSERT_EQ(applied.code, 0) << applied.err;
  EXPECT_EQ(applied.Json()["connected"], true);
  EXPECT_EQ(applied.Json()["Status"].get<std::string>().rfind("Secure <--> 00-11-22-33-44-66", 0), 0u)
      << applied.Json()["Status"];
}

TEST_F(ProfileEdit, AdhocWpaNoneProfileJoinsItsNetwork) {
  const std::string world = Scenario(SecuredWorld());
  const CliResult added = Run({"--scenario", world, "profile", "add", "--name", "P", "--ssid", "Party", "--network",
                               "adhoc", "--channel", "6", "--auth", "wpa-none", "--psk", "ad hoc secret"});
  ASSERT_EQ(added.code, 0) << added.err;
  const CliResult applied = Run({"--scenario", world, "--json", "profile", "apply", "P"});
  ASSERT_EQ(applied.code, 0) << applied.err;
  EXPECT_EQ(applied.Json()["connected"], true);
}

TEST_F(ProfileEdit, EditedKeyIsTheOneTheConnectionUses) {
  const std::string world = Scenario(SecuredWorld());
  ASSERT_EQ(Run({"--scenario", world, "profile", "add", "--name", "S", "--ssid", "Secure", "--auth", "wpa2-psk",
                 "--cipher", "aes", "--psk", "wrong horse battery"})
                .code,
            0);
  ASSERT_EQ(Run({"--scenario", world, "profile", "edit", "s", "--psk", "right horse battery"}).code, 0);
  const CliResult applied = Run({"--scenario", world, "--json", "profile", "apply", "S"});
  ASSERT_EQ(applied.code, 0) << applied.err;
  EXPECT_EQ(applied.Json()["connected"], true);
}

TEST_F(ProfileEdit, TheSecondAddGetsTheNextDefaultName) {
  ASSERT_EQ(Add({"--ssid", "a"}).Json()["name"], "PROF1");
  ASSERT_EQ(Add({"--ssid", "b"}).Json()["name"], "PROF2");
}

}  // namespace
}  // namespace nxui::cli::test
