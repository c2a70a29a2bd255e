// `profile list|show|delete|apply|export` end to end through the real executable, with `profile
// add` making the profiles and `--state` carrying them from one invocation to the next.
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "cli/CliFixture.h"
#include "profiles/WpaPassphrase.h"

namespace nxui::cli::test {
namespace {

json Secured(json network, const std::string& auth, const std::string& cipher, const std::string& passphrase) {
  network["security"] = json{{"auth", auth}, {"cipher", cipher}, {"passphrase", passphrase}};
  return network;
}

// The adapter with a WPA2-PSK and an open network in range; no platform profile, so nothing
// connects unless the utility asks.
json ProfileWorld() {
  return json{
      {"version", 1},
      {"adapters", json::array({Adapter()})},
      {"networks",
       json::array({Secured(Network("Norvix-Home", "00-1D-7E-42-10-01", 6, -48), "wpa2-psk", "aes", "sunflower-42"),
                    Network("CoffeeCorner", "00-14-BF-33-20-02", 1, -67)})}};
}

class ProfileCli : public CliTest {
 protected:
  void SetUp() override { scenario = Scenario(ProfileWorld()); }

  CliResult Profile(std::vector<std::string> args, bool json = true) {
    args.insert(args.begin(), "profile");
    if (json) args.insert(args.begin(), "--json");
    args.insert(args.begin(), {"--scenario", scenario});
    return Run(args);
  }
  void Add(const std::string& name, const std::string& ssid, const std::string& psk) {
    std::vector<std::string> args = {"add", "--name", name, "--ssid", ssid};
    if (psk.empty()) {
      args.insert(args.end(), {"--auth", "open", "--cipher", "none"});
    } else {
      args.insert(args.end(), {"--auth", "wpa2-psk", "--cipher", "aes", "--psk", psk});
    }
    const CliResult r = Profile(args);
    ASSERT_EQ(r.code, 0) << r.err;
  }
  std::filesystem::path Settings() const { return std::filesystem::path(StateDir()) / "LocalAppData"; }
  std::filesystem::path FileEndingIn(const std::string& suffix) const {
    for (const auto& entry : std::filesystem::directory_iterator(Settings())) {
      if (entry.path().filename().string().ends_with(suffix)) return entry.path();
    }
    return {};
  }
  // The platform keeps its own profiles in the state folder; without them only the utility's
  // station can bring the connection back.
  void ForgetPlatformProfiles() {
    for (const auto& entry : std::filesystem::directory_iterator(StateDir())) {
      if (entry.path().filename().string().starts_with("wlan-profiles-")) std::filesystem::remove(entry.path());
    }
  }
  json Status() {
    const CliResult r = Run({"--scenario", scenario, "--json", "status"});
    EXPECT_EQ(r.code, 0) << r.err;
    return r.Json();
  }

  std::string scenario;
};

TEST_F(ProfileCli, AddedProfileIsAppliedInALaterRunAndConnects) {
  Add("Cafe", "CoffeeCorner", "");
  Add("Home", "Norvix-Home", "sunflower-42");
  const CliResult applied = Profile({"apply", "Home"});
  ASSERT_EQ(applied.code, 0) << applied.err;
  const json a = applied.Json();
  EXPECT_EQ(a["applied"], "Home");
  EXPECT_EQ(a["connected"], true);
  EXPECT_NE(a["Status"].get<std::string>().find("Norvix-Home"), std::string::npos) << a.dump();

  const CliResult list = Profile({"list"});
  ASSERT_EQ(list.code, 0) << list.err;
  const json rows = list.Json();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]["name"], "Home") << "the applied profile comes first";
  EXPECT_EQ(rows[0]["state"], "connected");
  EXPECT_EQ(rows[0]["authentication"], "WPA2-PSK ");
  EXPECT_EQ(rows[0]["secured"], true);
  EXPECT_EQ(rows[1]["name"], "Cafe");
  EXPECT_EQ(rows[1]["state"], "");
  EXPECT_EQ(rows[1]["secured"], false);

  // A later run restores the active profile at adapter-ready, and the tray shows it.
  ForgetPlatformProfiles();
  const json status = Status();
  EXPECT_NE(status["Status"].get<std::string>().find("Norvix-Home"), std::string::npos) << status.dump();
  EXPECT_NE(status["tray"]["state"], "disconnected");
  EXPECT_NE(status["tray"]["tooltip"].get<std::string>().find("Norvix-Home"), std::string::npos);
}

TEST_F(ProfileCli, WrongKeyFailsTheApply) {
  Add("Home", "Norvix-Home", "wrong-key-99");
  const CliResult r = Profile({"apply", "Home"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("did not come up"), std::string::npos) << r.err;
  const json status = Status();
  EXPECT_EQ(status["tray"]["state"], "disconnected");
}

TEST_F(ProfileCli, ShowGivesTheDetailPanel) {
  Add("Home", "Norvix-Home", "sunflower-42");
  const CliResult r = Profile({"show", "home"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json d = r.Json();
  EXPECT_EQ(d["Profile Name"], "Home");
  EXPECT_EQ(d["SSID"], "Norvix-Home");
  EXPECT_EQ(d["Authentication"], "WPA2-PSK ");
  EXPECT_EQ(d["Encryption"], "AES");
  EXPECT_EQ(d["Network Type"], "Infrastructure");
  EXPECT_EQ(d["Use 802.1x"], "否");
  EXPECT_EQ(d["state"], "");
  const CliResult zh = Run({"--scenario", scenario, "--lang", "zh", "profile", "show", "Home"});
  ASSERT_EQ(zh.code, 0) << zh.err;
  EXPECT_NE(zh.out.find("配置文件名称"), std::string::npos) << zh.out;
  const CliResult missing = Profile({"show", "Nowhere"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("No profile named \"Nowhere\""), std::string::npos) << missing.err;
  EXPECT_TRUE(missing.out.empty());
}

TEST_F(ProfileCli, DeletingTheActiveProfileClearsTheStation) {
  Add("Home", "Norvix-Home", "sunflower-42");
  Add("Cafe", "CoffeeCorner", "");
  ASSERT_EQ(Profile({"apply", "Home"}).code, 0);
  const CliResult r = Profile({"delete", "Home"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.err.find("message: The profile to delete is currently in use."), std::string::npos) << r.err;
  EXPECT_EQ(r.Json()["deleted"], "Home");
  EXPECT_EQ(r.Json()["profiles"], 1);
  std::ifstream station(FileEndingIn("_sta"));
  std::stringstream text;
  text << station.rdbuf();
  EXPECT_NE(text.str().find("CurProfile=\r\n"), std::string::npos) << text.str();
  EXPECT_EQ(text.str().find("sunflower-42"), std::string::npos) << "the deleted key is gone from the station";
  const json rows = Profile({"list"}).Json();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["name"], "Cafe");
  EXPECT_EQ(Profile({"delete", "Home"}).code, 1);
}

TEST_F(ProfileCli, AThousandProfilesListCompletely) {
  ASSERT_EQ(Run({"--scenario", scenario, "adapter"}).code, 0);
  std::string content;
  for (int i = 0; i < 1000; ++i) {
    content += "[Profile number " + std::to_string(i) +
               " with a long name]\r\nSSID=43616665\r\nSSID_inHex=1\r\n"
               "NetworkType=1\r\nAuthMode=0\r\nCipherMode=1\r\n";
  }
  nxui::test::TempDir::Write(Settings() / "HERONU_{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}_prof", content);
  const CliResult r = Profile({"list"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json rows = r.Json();
  ASSERT_EQ(rows.size(), 1000u);
  EXPECT_EQ(rows[999]["name"], "Profile number 999 with a long name");
  EXPECT_EQ(rows[999]["ssid"], "Cafe");
}

// libcrypto is loaded on the first key derivation, not at start: the dynamic loader's own log
// shows which libraries a run initialised.
TEST_F(ProfileCli, CryptoLibraryIsLoadedOnlyWhenAKeyIsDerived) {
  Add("Home", "Norvix-Home", "sunflower-42");
  environment = "LD_DEBUG=libs";
  const CliResult list = Profile({"list"});
  ASSERT_EQ(list.code, 0) << list.err;
  EXPECT_NE(list.err.find("calling init:"), std::string::npos) << "no loader log: " << list.err;
  EXPECT_EQ(list.err.find("libcrypto"), std::string::npos) << list.err;

  const CliResult exported = Profile({"export", "Home", "--format", "wpa_supplicant"}, false);
  ASSERT_EQ(exported.code, 0) << exported.err;
  EXPECT_NE(exported.err.find("libcrypto"), std::string::npos) << exported.err;
  EXPECT_NE(exported.out.find("\tpsk="), std::string::npos) << exported.out;
}

TEST_F(ProfileCli, ExportWritesPrivateFilesThatReadBack) {
  Add("Home", "Norvix-Home", "sunflower-42");
  const auto file = dir / "home.conf";
  const CliResult r = Profile({"export", "Home", "--format", "wpa_supplicant", "--output", file.string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.Json()["file"], file.string());
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  const std::string block = nxui::test::TempDir::Read(file);
  EXPECT_NE(block.find("\tssid=\"Norvix-Home\"\n"), std::string::npos) << block;
  const std::size_t at = block.find("\tpsk=");
  ASSERT_NE(at, std::string::npos);

  const CliResult nm = Profile({"export", "Home", "--format", "nm"}, false);
  ASSERT_EQ(nm.code, 0) << nm.err;
  EXPECT_NE(nm.out.find("[wifi-security]\nkey-mgmt=wpa-psk\n"), std::string::npos) << nm.out;
  const CliResult xml = Profile({"export", "Home", "--format", "wlan-xml"}, false);
  ASSERT_EQ(xml.code, 0) << xml.err;
  EXPECT_EQ(xml.out.rfind("<?xml", 0), 0u);
  EXPECT_EQ(Profile({"export", "Home", "--format", "ini"}).code, 2);

  if (!nxui::test::HaveWpaPassphrase())
    GTEST_SKIP() << "wpa_passphrase (Debian package wpasupplicant) is not installed";
  EXPECT_EQ(block.substr(at + 5, 64), nxui::test::WpaPassphrase("Norvix-Home", "sunflower-42"));
}

}  // namespace
}  // namespace nxui::cli::test
