#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "adapter/AdapterKeyDefaults.h"
#include "adapter/AdapterRegistry.h"
#include "adapter/ChannelValidation.h"
#include "adapter/DesiredRates.h"
#include "adapter/DriverChannel.h"
#include "adapter/WirelessMode.h"
#include "adapter/fakes/FakeDeviceIo.h"
#include "adapter/fakes/FakeRegistry.h"
#include "platform/VirtualEventLoop.h"

namespace nxui {
namespace {

using test::FakeDeviceIo;
using test::FakeRegistry;

const std::string kKey = "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
const std::string kHklmKey = "HKLM\\" + kKey;

TEST(AdapterRegistry, DecimalTextConversions) {
  const std::pair<const char*, int> rows[] = {{"6", 6},
                                              {" 13", 13},
                                              {"-1", -1},
                                              {"+4", 4},
                                              {"abc", 0},
                                              {"", 0},
                                              {"12ab", 12},
                                              {"2347", 2347},
                                              {"99999999999", 2147483647},
                                              {"-99999999999", -2147483647 - 1}};
  for (const auto& [text, value] : rows) EXPECT_EQ(ParseDecimal(text), value) << text;
  const std::pair<const char*, int> channels[] = {{"J8", 208}, {"j12", 212}, {"J16", 216}, {"J9", 0}, {"149", 149}};
  for (const auto& [text, value] : channels) EXPECT_EQ(ChannelNumberFromText(text), value) << text;
}

TEST(AdapterRegistry, ReadsAndWritesBelowClassKey) {
  FakeRegistry registry;
  registry.PutText(kHklmKey, "Channel", std::string("11\0", 3));
  registry.PutText(kHklmKey, "Junk", "abc");
  registry.PutText(kHklmKey, "TooLong", std::string(129, '1'));
  registry.Put(kHklmKey, "TransmitSetting", kRegBinary, {0x10, 0x02, 0x00, 0x80, 0xFF});
  registry.Put(kHklmKey, "Short", kRegBinary, {0x34, 0x12});
  AdapterRegistry key(registry, kKey);

  int value = -5;
  EXPECT_TRUE(key.ReadDecimal("channel", value));
  EXPECT_EQ(value, 11);
  EXPECT_TRUE(key.ReadDecimal("Junk", value));
  EXPECT_EQ(value, 0);
  value = -5;
  EXPECT_FALSE(key.ReadDecimal("Missing", value));
  EXPECT_FALSE(key.ReadDecimal("TooLong", value));
  EXPECT_EQ(value, -5);
  std::uint32_t word = 0;
  EXPECT_TRUE(key.ReadRaw32("TransmitSetting", word));
  EXPECT_EQ(word, 0x80000210u);
  EXPECT_TRUE(key.ReadRaw32("Short", word));
  EXPECT_EQ(word, 0x1234u);

  EXPECT_TRUE(key.WriteDecimal("Radio", -1));
  auto written = registry.Get(kHklmKey, "Radio");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->type, kRegSz);
  EXPECT_EQ(written->data, FakeRegistry::Text("-1"));  // no terminator counted
  EXPECT_EQ(registry.OpenHandles(), 0u);

  AdapterRegistry missing(registry, "System\\Nothing");
  EXPECT_FALSE(missing.WriteDecimal("Radio", 1));
  EXPECT_FALSE(registry.HasKey("HKLM\\System\\Nothing"));
}

TEST(WirelessMode, Normalisation) {
  struct Row {
    int mode;
    bool fiveGHz;
    bool is11n;
    int expected;
  };
  const Row rows[] = {
      {7, true, true, 4},  {8, true, true, 2},   {10, true, true, 2}, {8, false, true, 0},  {10, false, false, 0},
      {2, false, true, 0}, {3, false, true, 0},  {5, false, true, 9}, {5, false, false, 0}, {5, true, false, 3},
      {6, true, false, 0}, {9, true, false, 0},  {9, true, true, 9},  {6, false, true, 6},  {1, false, false, 1},
      {4, true, true, 4},  {0, false, false, 0}, {3, true, false, 3},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(NormaliseWirelessMode(r.mode, r.fiveGHz, r.is11n), r.expected)
        << r.mode << " 5GHz=" << r.fiveGHz << " 11n=" << r.is11n;
  }
}

// ---- channel validation ----

struct ChannelCase {
  const char* name;
  ChipFamily family;
  std::array<std::uint8_t, 2> region;
  std::optional<std::string> mode;     // registry "WirelessMode"
  std::optional<std::string> channel;  // registry "Channel"
  bool fiveGHz;
  std::optional<std::string> expectedChannel;
  std::optional<std::string> expectedDefault;
  int expectedMode;
};

struct ParamBench {
  FakeRegistry registry;
  FakeDeviceIo io;
  VirtualEventLoop loop;
  AdapterContext ctx;
  ParamBench(ChipFamily family = kFamilyHeronU) {
    ctx.devicePath = "\\\\.\\{A}";
    ctx.osGeneration = kOsVista;
    ctx.family = family;
    ctx.is11n = family >= kFamilyHeronA;
    ctx.classKeyPath = kKey;
    io.openable.insert(ctx.devicePath);
    registry.AddKey(kHklmKey + "\\Default");
  }
  void Region(std::array<std::uint8_t, 2> bytes) {
    io.handlers[OID_WLAN_COUNTRY_REGION] = [bytes](std::uint32_t, std::span<std::uint8_t> out, DWORD& n) {
      out[0] = bytes[0];
      out[1] = bytes[1];
      out[2] = out[3] = 0;
      n = 4;
      return true;
    };
  }
};

void PrintTo(const ChannelCase& c, std::ostream* os) {
  *os << c.name << " channel=" << c.channel.value_or("<none>") << " mode=" << c.mode.value_or("<none>");
}

class ValidateChannelTest : public ::testing::TestWithParam<ChannelCase> {};

TEST_P(ValidateChannelTest, KeepsOrRewrites) {
  const ChannelCase& c = GetParam();
  ParamBench b(c.family);
  b.Region(c.region);
  if (c.mode) b.registry.PutText(kHklmKey, "WirelessMode", *c.mode);
  if (c.channel) b.registry.PutText(kHklmKey, "Channel", *c.channel);
  DriverChannel driver(b.io, b.loop, b.ctx);
  int mode = kModeBgMixed;
  CountryRegionState region;
  EXPECT_TRUE(ValidateChannel(driver, b.registry, b.ctx, c.fiveGHz, mode, region));
  EXPECT_EQ(b.registry.GetText(kHklmKey, "Channel"), c.expectedChannel);
  EXPECT_EQ(b.registry.GetText(kHklmKey + "\\Default", "Channel"), c.expectedDefault);
  EXPECT_EQ(mode, c.expectedMode);
  EXPECT_EQ(b.registry.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidateChannelTest,
    ::testing::Values(
        ChannelCase{"channel_13_outside_region_0", 8, {0, 0}, "0", "13", true, "1", "1", 0},
        ChannelCase{"kept_channel_copied_to_default_as_number", 8, {0, 0}, "0", "6", true, "6", "6", 0},
        ChannelCase{"channel_149_kept_in_mixed_mode_with_5ghz", 8, {0, 0}, "5", "149", true, "149", "149", 5},
        ChannelCase{"a_only_rewrites_24ghz_channel", 8, {0, 0}, "2", "6", true, "36", "36", 2},
        ChannelCase{"a_only_uses_5ghz_region_byte", 8, {0, 4}, "2", "36", true, "149", "149", 2},
        ChannelCase{"mixed_mode_without_5ghz_drops_5ghz_list", 8, {0, 0}, "5", "149", false, "1", "1", 9},
        ChannelCase{"missing_channel_written", 8, {5, 0}, "0", std::nullopt, true, "1", "1", 0},
        ChannelCase{"families_0_1_region_numbering", 1, {2, 0}, "0", "13", true, "13", "13", 0},
        ChannelCase{"later_families_region_numbering", 8, {2, 0}, "0", "13", true, "10", "10", 0},
        ChannelCase{"unconfigured_region_byte_still_selects_list", 8, {0x81, 0x80}, "0", "13", true, "13", "13", 0},
        ChannelCase{"missing_mode_keeps_current", 8, {0, 0}, std::nullopt, "12", true, "1", "1", 0},
        ChannelCase{"legacy_family_mode_9_becomes_0", 0, {6, 0}, "9", "14", true, "14", "14", 0},
        ChannelCase{"j_channel_rewritten", 8, {0, 0}, "3", "J8", true, "1", "1", 3},
        ChannelCase{"no_24ghz_list_for_family_3", 3, {0, 0}, "0", "6", true, "6", std::nullopt, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ValidateChannel, RegionStateForTheConnectionCode) {
  struct Row {
    std::optional<std::array<std::uint8_t, 2>> region;  // nullopt: the query fails
    bool configured24;
    bool configured5;
    std::uint16_t word;
  };
  const Row rows[] = {{std::array<std::uint8_t, 2>{5, 7}, true, true, 0x0705},
                      {std::array<std::uint8_t, 2>{0x85, 7}, false, true, 0x0705},
                      {std::array<std::uint8_t, 2>{1, 0xFF}, true, false, 0x7F01},
                      {std::nullopt, false, false, 0x0000}};
  for (const Row& r : rows) {
    ParamBench b;
    if (r.region)
      b.Region(*r.region);
    else
      b.io.failNext[OID_WLAN_COUNTRY_REGION] = 1;
    DriverChannel driver(b.io, b.loop, b.ctx);
    int mode = 0;
    CountryRegionState region;
    ValidateChannel(driver, b.registry, b.ctx, true, mode, region);
    EXPECT_EQ(region.configured24GHz, r.configured24);
    EXPECT_EQ(region.configured5GHz, r.configured5);
    EXPECT_EQ(region.regionWord, r.word);
  }
}

TEST(ValidateChannel, UnopenableKeyAndMissingDefault) {
  ParamBench b;
  b.Region({0, 0});
  DriverChannel driver(b.io, b.loop, b.ctx);
  int mode = 0;
  CountryRegionState region;
  AdapterContext other = b.ctx;
  other.classKeyPath = kKey + "9";
  EXPECT_FALSE(ValidateChannel(driver, b.registry, other, true, mode, region));

  FakeRegistry noDefault;
  noDefault.PutText(kHklmKey, "Channel", "13");
  EXPECT_TRUE(ValidateChannel(driver, noDefault, b.ctx, true, mode, region));
  EXPECT_EQ(noDefault.GetText(kHklmKey, "Channel"), "1");
  EXPECT_FALSE(noDefault.HasKey(kHklmKey + "\\Default"));

  // Without write access (no administrator) the key does not open for all access.
  FakeRegistry readOnly;
  readOnly.PutText(kHklmKey, "Channel", "13");
  readOnly.MakeReadOnly(kHklmKey);
  EXPECT_FALSE(ValidateChannel(driver, readOnly, b.ctx, true, mode, region));
  EXPECT_EQ(readOnly.GetText(kHklmKey, "Channel"), "13");
  EXPECT_EQ(readOnly.OpenHandles(), 0u);
}

// ---- Default and ApDefault ----

TEST(SnapshotDefaults, CopiesEveryValueUntilAWriteFails) {
  FakeRegistry registry;
  registry.PutText(kHklmKey, "Channel", "6");
  registry.Put(kHklmKey, "CCX2Control", kRegBinary, {1, 2, 3, 4});
  registry.Put(kHklmKey, "Long", kRegSz, std::vector<std::uint8_t>(600, 'a'));
  registry.PutText(kHklmKey, "WirelessMode", "5");
  registry.AddKey(kHklmKey + "\\Default");
  SnapshotDefaults(registry, kKey);
  const auto& copied = registry.Values(kHklmKey + "\\Default");
  ASSERT_EQ(copied.size(), 4u);
  EXPECT_EQ(copied[1].name, "CCX2Control");
  EXPECT_EQ(copied[1].type, kRegBinary);
  EXPECT_EQ(copied[1].data, (std::vector<std::uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(copied[2].data.size(), 600u);

  FakeRegistry failing;
  failing.PutText(kHklmKey, "A", "1");
  failing.PutText(kHklmKey, "B", "2");
  failing.PutText(kHklmKey, "C", "3");
  failing.AddKey(kHklmKey + "\\Default");
  failing.setsBeforeFailure = 1;
  SnapshotDefaults(failing, kKey);
  EXPECT_EQ(failing.Values(kHklmKey + "\\Default").size(), 1u);
  EXPECT_EQ(failing.OpenHandles(), 0u);

  FakeRegistry noDefault;
  noDefault.PutText(kHklmKey, "A", "1");
  SnapshotDefaults(noDefault, kKey);
  EXPECT_FALSE(noDefault.HasKey(kHklmKey + "\\Default"));
  EXPECT_EQ(noDefault.OpenHandles(), 0u);
}

TEST(EnsureApDefaults, WritesOnceInOrder) {
  ParamBench b;
  b.io.handlers[OID_WLAN_MAC_ADDRESS] = [](std::uint32_t, std::span<std::uint8_t> out, DWORD& n) {
    const std::uint8_t mac[6] = {0x00, 0x0C, 0x43, 0x30, 0x72, 0x81};
    std::copy(mac, mac + 6, out.begin());
    n = 6;
    return true;
  };
  DriverChannel driver(b.io, b.loop, b.ctx);
  ASSERT_TRUE(EnsureApDefaults(driver, b.registry, b.ctx, true));

  std::vector<std::string> names;
  for (const auto& call : b.registry.SetCalls()) names.push_back(call.name);
  const std::vector<std::string> expectedOrder = {"SSID",
                                                  "WirelessMode",
                                                  "TransRate",
                                                  "TurboRate",
                                                  "BGProtection",
                                                  "ShortSlot",
                                                  "Channel",
                                                  "PreambleType",
                                                  "TXPower",
                                                  "RtsThresh",
                                                  "FragThresh",
                                                  "AuthMode",
                                                  "CipherMode",
                                                  "WPAPSK",
                                                  "WEPKey1Type",
                                                  "WEPKey2Type",
                                                  "WEPKey3Type",
                                                  "WEPKey4Type",
                                                  "WEPKeyUse",
                                                  "WEPKey1",
                                                  "WEPKey2",
                                                  "WEPKey3",
                                                  "WEPKey4",
                                                  "RekeyInterval",
                                                  "RekeyMethod",
                                                  "TXPower",
                                                  "RadiusIP",
                                                  "RadiusPort",
                                                  "RadiusKey",
                                                  "AccessControlPolicy",
                                                  "AccessControlList",
                                                  "WdsEnable",
                                                  "WdsList",
                                                  "AutoChannelSelect",
                                                  "NoForwarding",
                                                  "HideSSID",
                                                  "BeaconPeriod"};
  EXPECT_EQ(names, expectedOrder);
  const std::string ap = kHklmKey + "\\ApDefault";
  EXPECT_EQ(b.registry.GetText(ap, "SSID"), "SoftAP-81");
  EXPECT_EQ(b.registry.GetText(ap, "WirelessMode"), "9");
  EXPECT_EQ(b.registry.GetText(ap, "RtsThresh"), "2347");
  EXPECT_EQ(b.registry.Get(ap, "WPAPSK")->data.size(), 0u);
  int txPowerWrites = 0;
  for (const auto& call : b.registry.SetCalls()) {
    if (call.name != "TXPower") continue;
    ++txPowerWrites;
    EXPECT_EQ(call.data, FakeRegistry::Text("0"));
  }
  EXPECT_EQ(txPowerWrites, 2);
  auto acl = b.registry.Get(ap, "AccessControlList");
  EXPECT_EQ(acl->type, kRegMultiSz);
  EXPECT_EQ(acl->data, std::vector<std::uint8_t>{0});
  EXPECT_EQ(b.registry.OpenHandles(), 0u);

  // A second start with changed values touches nothing.
  b.registry.PutText(ap, "Channel", "11");
  const std::size_t writes = b.registry.SetCalls().size();
  EXPECT_FALSE(EnsureApDefaults(driver, b.registry, b.ctx, true));
  EXPECT_EQ(b.registry.SetCalls().size(), writes);
  EXPECT_EQ(b.registry.GetText(ap, "Channel"), "11");
}

TEST(EnsureApDefaults, ModeForAdaptersWithout11n) {
  ParamBench b(kFamilyTernU);
  DriverChannel driver(b.io, b.loop, b.ctx);
  b.io.failNext[OID_WLAN_MAC_ADDRESS] = 1;
  ASSERT_TRUE(EnsureApDefaults(driver, b.registry, b.ctx, true));
  EXPECT_EQ(b.registry.GetText(kHklmKey + "\\ApDefault", "WirelessMode"), "0");
  EXPECT_EQ(b.registry.GetText(kHklmKey + "\\ApDefault", "SSID"), "SoftAP-00");
}

// ---- desired rates ----

TEST(DesiredRates, FromModeAndTransRate) {
  struct Row {
    int mode;
    std::optional<int> transRate;
    std::uint32_t transmitSetting;
    DesiredRateSet expected;
  };
  const DesiredRateSet allBg = {108, 96, 72, 48, 22, 11, 4, 2};
  const DesiredRateSet allB = {22, 11, 4, 2, 0, 0, 0, 0};
  const DesiredRateSet allOfdm = {108, 96, 72, 48, 36, 24, 18, 12};
  const auto one = [](std::uint8_t r) { return DesiredRateSet{r, 0, 0, 0, 0, 0, 0, 0}; };
  const Row rows[] = {
      {1, std::nullopt, 0, allB},
      {2, std::nullopt, 0, allB},
      {0, std::nullopt, 0, allBg},
      {5, std::nullopt, 0x210, {}},
      {6, 0, 0x210, allBg},
      {9, 3, 0x200, one(108)},
      {5, 0, 0x7FF & ~0x00Fu, one(108)},
      {9, 0, 0x21F, allBg},
      {2, 1, 0, one(12)},
      {4, 8, 0, one(108)},
      {4, 9, 0, allOfdm},
      {2, 0, 0, allOfdm},
      {1, 4, 0, one(22)},
      {1, 5, 0, allB},
      {1, 0, 0, allB},
      {0, 5, 0, one(12)},
      {3, 12, 0, one(108)},
      {0, 13, 0, allBg},
      {0, -1, 0, allBg},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(DesiredRatesFromRegistry(r.mode, r.transRate, r.transmitSetting), r.expected)
        << "mode " << r.mode << " rate " << r.transRate.value_or(-99);
  }
}

TEST(DesiredRates, ReadFromAdapterKey) {
  FakeRegistry registry;
  registry.PutText(kHklmKey, "TransRate", "2");
  registry.Put(kHklmKey, "TransmitSetting", kRegBinary, {0x10, 0x02, 0, 0});
  AdapterRegistry key(registry, kKey);
  EXPECT_EQ(DesiredRatesFromRegistry(key, kModeGOnly, false), (DesiredRateSet{18, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(DesiredRatesFromRegistry(key, kModeBgnMixed, true), (DesiredRateSet{108, 96, 72, 48, 22, 11, 4, 2}));
}

}  // namespace
}  // namespace nxui
