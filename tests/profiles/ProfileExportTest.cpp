#include "profiles/ProfileExport.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "base/IniDocument.h"
#include "profiles/ProfileStore.h"
#include "profiles/WpaPassphrase.h"

namespace nxui {
namespace {

StoreFileSnapshot Profiles(const std::string& text) { return StoreFileSnapshot(IniDocument(text)); }

// A keyfile value with GKeyFile's escapes undone.
std::string Unescape(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    out += next == 's' ? ' ' : next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
  }
  return out;
}

// group -> key -> value of a keyfile, checking that every line is a group, a key or blank.
std::map<std::string, std::map<std::string, std::string>> ParseKeyfile(const std::string& text) {
  std::map<std::string, std::map<std::string, std::string>> groups;
  std::istringstream in(text);
  std::string line, group;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    if (line.front() == '[') {
      EXPECT_EQ(line.back(), ']') << line;
      group = line.substr(1, line.size() - 2);
      continue;
    }
    const std::size_t eq = line.find('=');
    EXPECT_NE(eq, std::string::npos) << line;
    EXPECT_FALSE(group.empty()) << line;
    groups[group][line.substr(0, eq)] = Unescape(line.substr(eq + 1));
  }
  return groups;
}

// key -> value of the one network block, checking its frame.
std::map<std::string, std::string> ParseNetworkBlock(const std::string& text) {
  std::map<std::string, std::string> values;
  std::istringstream in(text);
  std::string line;
  bool open = false, closed = false;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == '#') continue;
    if (line == "network={") {
      open = true;
      continue;
    }
    if (line == "}") {
      closed = true;
      continue;
    }
    EXPECT_TRUE(open && !closed) << line;
    EXPECT_EQ(line.front(), '\t') << line;
    const std::size_t eq = line.find('=');
    EXPECT_NE(eq, std::string::npos) << line;
    values[line.substr(1, eq - 1)] = line.substr(eq + 1);
  }
  EXPECT_TRUE(open && closed);
  return values;
}

const std::string kHome =
    "[Home]\nSSID=4e6f727669782d486f6d65\nSSID_inHex=1\nNetworkType=1\nAuthMode=7\nCipherMode=6\n"
    "WPAPSK=\" sun\\flower 42\"\nChannel=6\n";

TEST(ProfileExport, Wpa2PskKeyfileReadsBack) {
  const ExportResult r = ExportProfile(Profiles(kHome), "Home", ExportFormat::NetworkManager);
  ASSERT_TRUE(r.ok) << r.error;
  auto g = ParseKeyfile(r.text);
  EXPECT_EQ(g["connection"]["id"], "Home");
  EXPECT_EQ(g["connection"]["type"], "wifi");
  EXPECT_EQ(g["connection"]["uuid"].size(), 36u);
  EXPECT_EQ(g["wifi"]["ssid"], "Norvix-Home");
  EXPECT_EQ(g["wifi"]["mode"], "infrastructure");
  EXPECT_EQ(g["wifi-security"]["key-mgmt"], "wpa-psk");
  EXPECT_EQ(g["wifi-security"]["proto"], "rsn");
  EXPECT_EQ(g["wifi-security"]["pairwise"], "ccmp");
  EXPECT_EQ(g["wifi-security"]["psk"], " sun\\flower 42");
  EXPECT_EQ(g["ipv4"]["method"], "auto");
  // The same profile gives the same connection.
  EXPECT_EQ(ExportProfile(Profiles(kHome), "Home", ExportFormat::NetworkManager).text, r.text);
}

TEST(ProfileExport, KeyfileNamesThatAreNotPlainTextAsBytes) {
  const std::string text = "[x]\nSSID=613b20\nSSID_inHex=1\nNetworkType=1\nAuthMode=0\nCipherMode=1\n";
  const ExportResult r = ExportProfile(Profiles(text), "x", ExportFormat::NetworkManager);
  ASSERT_TRUE(r.ok) << r.error;
  auto g = ParseKeyfile(r.text);
  EXPECT_EQ(g["wifi"]["ssid"], "97;59;32;");
  EXPECT_EQ(g.count("wifi-security"), 0u);
}

TEST(ProfileExport, SupplicantBlockCarriesTheDerivedKey) {
  const ExportResult r = ExportProfile(Profiles(kHome), "Home", ExportFormat::WpaSupplicant);
  ASSERT_TRUE(r.ok) << r.error;
  auto v = ParseNetworkBlock(r.text);
  EXPECT_EQ(v["ssid"], "\"Norvix-Home\"");
  EXPECT_EQ(v["key_mgmt"], "WPA-PSK");
  EXPECT_EQ(v["proto"], "RSN");
  EXPECT_EQ(v["pairwise"], "CCMP");
  EXPECT_EQ(v["psk"].size(), 64u);
  EXPECT_EQ(r.text.find("sun"), std::string::npos) << "the pass phrase itself is not written";
  if (!test::HaveWpaPassphrase()) GTEST_SKIP() << "wpa_passphrase (Debian package wpasupplicant) is not installed";
  EXPECT_EQ(v["psk"], test::WpaPassphrase("Norvix-Home", " sun\\flower 42"));
}

TEST(ProfileExport, SupplicantBlocksForEachSecurity) {
  struct Row {
    const char* name;
    std::string section;
    std::map<std::string, std::string> expected;
  };
  const std::vector<Row> rows = {
      {"open",
       "SSID=Cafe\nNetworkType=1\nAuthMode=0\nCipherMode=1\n",
       {{"ssid", "\"Cafe\""}, {"key_mgmt", "NONE"}, {"scan_ssid", "1"}}},
      {"wep",
       "SSID=Attic\nNetworkType=1\nAuthMode=1\nCipherMode=0\nWEPKeyUse=2\nWEPKey2=1a2b3c4d5e\n",
       {{"key_mgmt", "NONE"}, {"auth_alg", "SHARED"}, {"wep_key1", "1a2b3c4d5e"}, {"wep_tx_keyidx", "1"}}},
      {"leap",
       "SSID=Corp\nNetworkType=1\nAuthMode=0\nLeapEnabled=1\nLeapUserName=bob\nLeapPassword=p\"w\n",
       {{"key_mgmt", "IEEE8021X"}, {"eap", "LEAP"}, {"identity", "\"bob\""}, {"password", "\"p\"w\""}}},
      {"wpa2-eap",
       "SSID=Corp\nNetworkType=1\nAuthMode=6\nCipherMode=6\nUse8021X=1\nID=alice\n",
       {{"key_mgmt", "WPA-EAP"}, {"proto", "RSN"}, {"eap", "PEAP"}, {"identity", "\"alice\""}}},
      {"adhoc wpa-none",
       "SSID=LAN-Party\nNetworkType=0\nChannel=10\nAuthMode=5\nCipherMode=4\nWPAPSK=ad hoc secret\n",
       {{"mode", "1"}, {"frequency", "2457"}, {"key_mgmt", "WPA-NONE"}, {"group", "TKIP"}, {"pairwise", "NONE"}}},
      {"name not text", "SSID=41014\nSSID_inHex=1\nNetworkType=1\nAuthMode=0\nCipherMode=1\n", {{"ssid", "4101"}}},
  };
  for (const Row& row : rows) {
    const ExportResult r = ExportProfile(Profiles("[p]\n" + row.section), "p", ExportFormat::WpaSupplicant);
    ASSERT_TRUE(r.ok) << row.name << ": " << r.error;
    auto v = ParseNetworkBlock(r.text);
    for (const auto& [key, value] : row.expected) EXPECT_EQ(v[key], value) << row.name << " " << key;
  }
}

TEST(ProfileExport, AdhocWpaNoneKeyEqualsWpaPassphrase) {
  const std::string section =
      "[adhoc]\nSSID=LAN-Party\nNetworkType=0\nChannel=10\nAuthMode=5\nCipherMode=4\nWPAPSK=ad hoc secret\n";
  const ExportResult r = ExportProfile(Profiles(section), "adhoc", ExportFormat::WpaSupplicant);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_FALSE(ExportProfile(Profiles(section), "adhoc", ExportFormat::NetworkManager).ok);
  if (!test::HaveWpaPassphrase()) GTEST_SKIP() << "wpa_passphrase (Debian package wpasupplicant) is not installed";
  EXPECT_EQ(ParseNetworkBlock(r.text)["psk"], test::WpaPassphrase("LAN-Party", "ad hoc secret"));
}

TEST(ProfileExport, WlanXmlIsThePlatformDocument) {
  const ExportResult r = ExportProfile(Profiles(kHome), "Home", ExportFormat::WlanXml);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.text.rfind("<?xml version=\"1.0\"?><WLANProfile", 0), 0u);
  EXPECT_NE(r.text.find("<hex>4e6f727669782d486f6d65</hex>"), std::string::npos);
  EXPECT_NE(r.text.find("<authentication>WPA2PSK</authentication>"), std::string::npos);
  EXPECT_NE(r.text.find("<keyMaterial>&#32;sun\\flower&#32;42</keyMaterial>"), std::string::npos);
}

TEST(ProfileExport, RefusesWhatCannotBeExported) {
  EXPECT_FALSE(ExportProfile(Profiles(kHome), "missing", ExportFormat::WlanXml).ok);
  EXPECT_FALSE(ExportProfile(Profiles("[e]\nAuthMode=0\n"), "e", ExportFormat::WpaSupplicant).ok) << "no network name";
}

}  // namespace
}  // namespace nxui
