#include <gtest/gtest.h>

#include <string>

#include "sim/ScenarioLoader.h"

namespace nxui::sim {
namespace {

TEST(ScenarioLoader, EmbeddedDefaultLoadsWithTheShippedAdapter) {
  const auto r = ScenarioLoader::LoadEmbedded();
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.scenario.adapters.size(), 1u);
  EXPECT_EQ(r.scenario.adapters[0].hardwareId.substr(0, 21), "USB\\VID_1B75&PID_3072");
  EXPECT_EQ(r.scenario.adapters[0].registry.front().first, "WirelessMode");  // file order kept
}

TEST(ScenarioLoader, OmittedFieldsKeepDefaults) {
  const auto r = ScenarioLoader::LoadText(R"({"adapters": [{"mac": "00-11-22-33-44-55"}],
    "networks": [{"bssid": "00:11:22:33:44:66", "ht": {"width": 40}}]})",
                                          "t.json");
  ASSERT_TRUE(r.ok) << r.error;
  const ScenarioAdapter defaults;
  EXPECT_EQ(r.scenario.adapters[0].instanceId, defaults.instanceId);
  EXPECT_EQ(r.scenario.adapters[0].driver.rssiChains, 2);
  EXPECT_EQ(r.scenario.adapters[0].mac, (MacAddress{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));
  ASSERT_TRUE(r.scenario.networks[0].ht.has_value());
  EXPECT_EQ(r.scenario.networks[0].ht->capabilities, 0x096E);
  EXPECT_EQ(r.scenario.networks[0].ht->width, 40);
  EXPECT_TRUE(r.scenario.os.admin);
}

TEST(ScenarioLoader, TextsArePreParsedIntoTypedValues) {
  const auto r = ScenarioLoader::LoadText(R"({"os": {"productType": "domainController"},
    "adapters": [{"bands": ["5GHz"], "driver": {"failingOids": ["OID_WLAN_RSSI2", "0xff0c0010"]}}],
    "networks": [{"bssid": "00:1d:7e:42:10:01", "ssidHex": "41 42-43", "phy": "n", "bssType": "independent",
                  "security": {"auth": "wpa-psk+wpa2-psk", "cipher": "tkip+aes"},
                  "ht": {"capabilities": "104e", "ampdu": "0x1B"},
                  "wps": {"version": "0x20", "configMethods": "0x2388", "devicePasswordId": "0004",
                          "uuidE": "00112233445566778899aabbccddeeff"},
                  "ies": "00 03 41 42 43", "ip": {"apAddress": "10.0.0.254"},
                  "link": {"txRate": "0x800F"}}],
    "events": [{"at": 1, "do": "remove-network", "bssid": "00-1D-7E-42-10-01"}]})",
                                          "t.json");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.scenario.os.productType, ProductType::DomainController);
  const ScenarioAdapter& a = r.scenario.adapters[0];
  EXPECT_FALSE(a.bands.ghz24);
  EXPECT_TRUE(a.bands.ghz5);
  EXPECT_EQ(a.driver.failingOids, (std::vector<Oid>{OID_WLAN_RSSI2, OID_WLAN_RSSI1}));
  const ScenarioNetwork& n = r.scenario.networks[0];
  EXPECT_EQ(n.bssid, (MacAddress{0x00, 0x1D, 0x7E, 0x42, 0x10, 0x01}));
  EXPECT_EQ(n.ssid, "ABC");
  EXPECT_EQ(n.phy, Phy::N);
  EXPECT_EQ(n.bssType, BssKind::Independent);
  EXPECT_EQ(n.security.auth, AuthKind::WpaPskWpa2Psk);
  EXPECT_EQ(n.security.cipher, CipherKind::TkipAes);
  EXPECT_EQ(n.ht->capabilities, 0x104E);
  EXPECT_EQ(n.ht->ampdu, 0x1B);
  EXPECT_EQ(n.wps->version, 0x20);
  EXPECT_EQ(n.wps->configMethods, 0x2388);
  EXPECT_EQ(n.wps->devicePasswordId, std::optional<std::uint16_t>(4));
  ASSERT_TRUE(n.wps->uuidE.has_value());
  EXPECT_EQ((*n.wps->uuidE)[15], 0xFF);
  EXPECT_EQ(n.ies, (std::optional<std::vector<std::uint8_t>>{{0x00, 0x03, 0x41, 0x42, 0x43}}));
  EXPECT_EQ(n.ip.apAddress, (Ipv4Address{10, 0, 0, 254}));
  EXPECT_EQ(n.ip.address, (Ipv4Address{192, 168, 1, 23}));
  EXPECT_EQ(n.link.txRate, std::optional<std::uint16_t>(0x800F));
  EXPECT_FALSE(n.link.rxRate.has_value());
  EXPECT_EQ(r.scenario.events[0].action, EventAction::RemoveNetwork);
  EXPECT_EQ(r.scenario.events[0].bssid, n.bssid);
}

TEST(ScenarioLoader, LongNamesAreCutToAnSsid) {
  const std::string name(40, 'x');
  const auto r = ScenarioLoader::LoadText(
      R"({"networks": [{"bssid": "00-11-22-33-44-55", "ssid": ")" + name + R"("}]})", "t.json");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.scenario.networks[0].ssid, std::string(32, 'x'));
}

// `depth` nested lists as the value of an unknown member on the third line.
std::string NestedScenario(int depth) {
  return "{\n\"version\": 1,\n\"x\": " + std::string(static_cast<std::size_t>(depth), '[') +
         std::string(static_cast<std::size_t>(depth), ']') + "\n}";
}

TEST(ScenarioLoader, NestingDeeperThanTheLimitEndsWithItsLine) {
  // The document itself is the first level.
  const auto atLimit = ScenarioLoader::LoadText(NestedScenario(255), "world.json");
  EXPECT_TRUE(atLimit.ok) << atLimit.error;
  const auto tooDeep = ScenarioLoader::LoadText(NestedScenario(256), "world.json");
  EXPECT_FALSE(tooDeep.ok);
  EXPECT_EQ(tooDeep.error, "world.json:3: nesting too deep");
  const auto farTooDeep = ScenarioLoader::LoadText(NestedScenario(200000), "world.json");
  EXPECT_EQ(farTooDeep.error, "world.json:3: nesting too deep");
  // Brackets inside texts are not nesting.
  const auto inText = ScenarioLoader::LoadText(
      "{\"description\": \"" + std::string(300, '[') + "\\\" \", \"version\": 1}", "world.json");
  EXPECT_TRUE(inText.ok) << inText.error;
}

TEST(ScenarioLoader, NullVersionMeansTheQueryFails) {
  const auto r = ScenarioLoader::LoadText(R"({"adapters": [{"driver": {"eepromVersion": null}}]})", "t.json");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_FALSE(r.scenario.adapters[0].driver.eepromVersion.has_value());
  EXPECT_TRUE(r.scenario.adapters[0].driver.firmwareVersion.has_value());
}

struct ErrorCase {
  const char* name;
  const char* text;
  const char* expected;  // the message must start with this
};

class ScenarioLoaderErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ScenarioLoaderErrors, NameFileAndLine) {
  const auto r = ScenarioLoader::LoadText(GetParam().text, "world.json");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error.rfind(GetParam().expected, 0), 0u) << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScenarioLoaderErrors,
    ::testing::Values(
        ErrorCase{"missing_comma", "{\n  \"os\": {\"major\": 6}\n  \"adapters\": []\n}", "world.json:3:"},
        ErrorCase{"unterminated", "{\n\"os\": {\n", "world.json:3:"}, ErrorCase{"empty", "", "world.json:1:"},
        ErrorCase{"wrong_type", "{\n \"os\": {\n  \"major\": \"six\"\n }\n}",
                  "world.json:3: \"major\" must be an integer"},
        ErrorCase{"unknown_phy", "{\"networks\": [\n {\"bssid\": \"00-11-22-33-44-55\",\n  \"phy\": \"x\"}]}",
                  "world.json:3: unknown \"phy\" value \"x\""},
        ErrorCase{"bad_mac", "{\"adapters\": [{\n\n \"mac\": \"00-11-22-33-44\"}]}",
                  "world.json:3: malformed MAC address"},
        ErrorCase{"bad_guid", "{\"adapters\": [{\n \"instanceId\": \"{6F2A61C4-1D9B}\"}]}",
                  "world.json:2: malformed GUID"},
        ErrorCase{"bad_hex", "{\"networks\": [{\"bssid\": \"00-11-22-33-44-55\",\n \"ies\": \"0003abc\"}]}",
                  "world.json:2: malformed hex in \"ies\""},
        ErrorCase{"bad_ht_caps",
                  "{\"networks\": [{\"bssid\": \"00-11-22-33-44-55\",\n\"ht\": {\n\"capabilities\": \"0xZZ\"}}]}",
                  "world.json:3: malformed hex number"},
        ErrorCase{"unknown_oid",
                  "{\"adapters\": [{\"driver\": {\n\"failingOids\": [\"OID_WLAN_RSSI0\",\n \"OID_NOPE\"]}}]}",
                  "world.json:3: unknown OID"},
        ErrorCase{"unknown_event", "{\"events\": [\n{\"at\": 1, \"do\": \"explode\"}]}",
                  "world.json:2: unknown event \"explode\""},
        ErrorCase{"event_adapter_out_of_range",
                  "{\"adapters\": [{}], \"events\": [\n{\"at\": 1,\n \"do\": \"plug\", \"adapter\": 1}]}",
                  "world.json:3: event names adapter 1"},
        ErrorCase{"network_without_bssid", "{\"networks\": [\n  {\"ssid\": \"x\"}]}",
                  "world.json:2: a network needs a \"bssid\""},
        ErrorCase{"bad_uuid", "{\"networks\": [{\"bssid\": \"00-11-22-33-44-55\", \"wps\": {\n\"uuidE\": \"0011\"}}]}",
                  "world.json:2: \"uuidE\" must be 32 hex digits"},
        ErrorCase{"bad_file_version", "{\"adapters\": [{\"driver\": {\"file\": {\n\"version\": \"2.1\"}}}]}",
                  "world.json:2: malformed file version"},
        ErrorCase{"eeprom_one_number", "{\"adapters\": [{\"driver\": {\n\"eepromVersion\": [1]}}]}",
                  "world.json:2: \"eepromVersion\" must be two numbers or null"},
        ErrorCase{"event_too_late",
                  "{\"events\": [{\"do\": \"icv-clear\", \"adapter\": 0,\n\"at\": 4000000}], \"adapters\": [{}]}",
                  "world.json:2: \"at\" must be at most"},
        ErrorCase{
            "traffic_too_high",
            "{\"networks\": [{\"bssid\": \"00-11-22-33-44-55\", \"link\": {\n\"txBytesPerSecond\": 1000000001}}]}",
            "world.json:2: \"txBytesPerSecond\" must be an integer between 0 and 1000000000"},
        ErrorCase{"not_an_object", "[1, 2]", "world.json:1: the scenario must be a JSON object"},
        ErrorCase{"huge_integer_is_not_wrapped",
                  "{\"networks\": [{\"bssid\": \"00-11-22-33-44-55\",\n\"rssi\": 18446744073709551574}]}",
                  "world.json:2: \"rssi\" must be between -200 and 0"},
        ErrorCase{"huge_unsigned_traffic",
                  "{\"networks\": [{\"bssid\": \"00-11-22-33-44-55\", \"link\": {\n\"rxBytesPerSecond\": "
                  "18446744073709551574}}]}",
                  "world.json:2: \"rxBytesPerSecond\" must be an integer between 0"},
        ErrorCase{"huge_rate",
                  "{\"networks\": [{\"bssid\": \"00-11-22-33-44-55\",\n\"rates\": [18446744073709551614]}]}",
                  "world.json:2: entries of \"rates\" must be integers"},
        ErrorCase{"huge_registry_integer", "{\"adapters\": [{\"registry\": {\n\"Channel\": 18446744073709551615}}]}",
                  "world.json:2: registry value \"Channel\" is too large"},
        ErrorCase{"registry_list_value", "{\"adapters\": [{\"registry\": {\"Profile\": {\n\"x\": [1]}}}]}",
                  "world.json:2: registry value \"x\" must be a text, an integer or an object"},
        ErrorCase{"registry_empty_subkey", "{\"adapters\": [{\"registry\": {\n\"\": {\"x\": \"1\"}}}]}",
                  "world.json:2: a registry key name must not be empty"},
        ErrorCase{"machine_registry_value_at_top", "{\"registry\": {\n\"SSOInstall\": \"1\"}}",
                  "world.json:2: \"registry\" maps key paths below HKEY_LOCAL_MACHINE to objects of values"},
        ErrorCase{"duplicate_member_names_its_second_line",
                  "{\"networks\": [{\"bssid\": \"00-11-22-33-44-55\",\n\"rssi\": -40,\n\"rssi\": 5}]}",
                  "world.json:3: member \"rssi\" is given twice"},
        ErrorCase{"duplicate_section", "{\"os\": {},\n\"adapters\": [],\n\n\"os\": {\"major\": \"x\"}}",
                  "world.json:4: member \"os\" is given twice"},
        ErrorCase{"error_after_a_duplicate_elsewhere_keeps_its_line",
                  "{\"a\": {\"k\": 1},\n\"b\": {\"k\": 2},\n\"os\": {\n\"major\": -1}}",
                  "world.json:4: \"major\" must be between 0 and 255"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ScenarioLoader, RegistryObjectsAreSubkeys) {
  const auto r = ScenarioLoader::LoadText(R"({"adapters": [{"registry": {"Channel": 6,
      "Profile": {"Station": {"Office": {"LeapEnabled": "1", "SSID": "CorpNet"}, "Lab": {"AuthenProtocol": 3}}}}}],
      "registry": {"Software\\Sso": {"SSOInstall": "1", "Sub": {"A": "b"}}}})",
                                          "world.json");
  ASSERT_TRUE(r.ok) << r.error;
  const ScenarioAdapter& a = r.scenario.adapters.at(0);
  EXPECT_EQ(a.registry, (std::vector<std::pair<std::string, std::string>>{{"Channel", "6"}}));
  const auto texts = [](const std::vector<ScenarioRegistryValue>& values) {
    std::vector<std::string> out;
    for (const auto& v : values) out.push_back(v.key + "|" + v.name + "|" + v.value);
    return out;
  };
  EXPECT_EQ(texts(a.registrySubkeys),
            (std::vector<std::string>{"Profile\\Station\\Office|LeapEnabled|1", "Profile\\Station\\Office|SSID|CorpNet",
                                      "Profile\\Station\\Lab|AuthenProtocol|3"}));
  EXPECT_EQ(texts(r.scenario.machineRegistry),
            (std::vector<std::string>{"Software\\Sso|SSOInstall|1", "Software\\Sso\\Sub|A|b"}));
}

TEST(ScenarioLoader, MissingFileOrFolderIsReportedNotThrown) {
  const auto r = ScenarioLoader::LoadFile("/nonexistent/dir/none.json");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("none.json"), std::string::npos);
  const auto folder = ScenarioLoader::LoadFile("/tmp");
  EXPECT_EQ(folder.error, "/tmp:0: cannot open the scenario file");
}

struct HexCase {
  const char* text;
  std::uint32_t max;
  bool ok;
  std::uint32_t value;
};

TEST(ScenarioLoader, HexNumbersAtTheirBounds) {
  const HexCase cases[] = {{"0x096E", 0xFFFF, true, 0x096E},
                           {"096e", 0xFFFF, true, 0x096E},
                           {"0x10000", 0xFFFF, false, 0},
                           {"0x", 0xFF, false, 0},
                           {"", 0xFF, false, 0},
                           {"0xFFFFFFFF", 0xFFFFFFFF, true, 0xFFFFFFFF},
                           {"123456789", 0xFFFFFFFF, false, 0},
                           {"0x1G", 0xFF, false, 0}};
  for (const auto& c : cases) {
    std::uint32_t v = 0;
    EXPECT_EQ(ParseHexNumber(c.text, c.max, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace nxui::sim
