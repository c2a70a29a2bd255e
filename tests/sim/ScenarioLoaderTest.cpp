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
  EXPECT_EQ(r.scenario.adapters[0].mac, "00-11-22-33-44-55");
  ASSERT_TRUE(r.scenario.networks[0].ht.has_value());
  EXPECT_EQ(r.scenario.networks[0].ht->capabilities, "0x096E");
  EXPECT_EQ(r.scenario.networks[0].ht->width, 40);
  EXPECT_TRUE(r.scenario.os.admin);
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
        ErrorCase{"not_an_object", "[1, 2]", "world.json:1: the scenario must be a JSON object"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ScenarioLoader, MissingFileIsReportedNotThrown) {
  const auto r = ScenarioLoader::LoadFile("/nonexistent/dir/none.json");
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("none.json"), std::string::npos);
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
