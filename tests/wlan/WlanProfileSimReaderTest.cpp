// Documents from the builder read back by the simulated service's profile reader: what the service
// sees must be what the record asked for.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sim/SimWlanProfile.h"
#include "wlan/WlanProfileBuilder.h"

namespace nxui {
namespace {

struct ReadBackCase {
  const char* label;
  std::string ssid;
  std::int32_t networkType;
  std::int32_t authMode;
  std::int32_t cipherMode;
  std::int32_t use8021X;
  std::string psk;
  int wepSlot;  // -1: none
  const char* authentication;
  const char* encryption;
  const char* keyMaterial;
  int keyIndex;
};

class BuilderReadBack : public testing::TestWithParam<ReadBackCase> {};

TEST_P(BuilderReadBack, ServiceSeesTheRecordsNetworkAndKey) {
  const auto& c = GetParam();
  ConnectionSettings s;
  s.ssidLength = static_cast<std::uint32_t>(c.ssid.size());
  std::memcpy(s.ssid.data(), c.ssid.data(), c.ssid.size());
  s.networkType = static_cast<NetworkType>(c.networkType);
  s.authMode = static_cast<AuthMode>(c.authMode);
  s.cipherMode = static_cast<CipherMode>(c.cipherMode);
  s.use8021X = c.use8021X;
  std::memcpy(s.preSharedKey.data(), c.psk.data(), c.psk.size());
  s.preSharedKeyLength = static_cast<std::int32_t>(c.psk.size());
  if (c.wepSlot >= 0) {
    auto& slot = s.wepKeys[static_cast<std::size_t>(c.wepSlot)];
    slot = KeySlot{1, kTransmitKeyBit | static_cast<std::uint32_t>(c.wepSlot), 5, {}, {0x12, 0x34, 0x56, 0x78, 0x9A}};
  }

  const auto built = BuildWlanProfile(s);
  ASSERT_EQ(built.status, WlanProfileStatus::kOk);
  const auto read = sim::ParseSimWlanProfile(built.document);
  ASSERT_TRUE(read.has_value()) << built.document;
  EXPECT_EQ(read->name, built.profileName);
  EXPECT_TRUE(read->hasSsid);
  EXPECT_EQ(read->ssid, std::vector<std::uint8_t>(c.ssid.begin(), c.ssid.end()));
  EXPECT_EQ(read->adHoc, c.networkType == CodeOf(NetworkType::kAdhoc));
  EXPECT_EQ(read->autoConnect, c.networkType != CodeOf(NetworkType::kAdhoc));
  EXPECT_EQ(read->authentication, c.authentication);
  EXPECT_EQ(read->encryption, c.encryption);
  EXPECT_EQ(read->useOneX, c.use8021X == 1);
  EXPECT_EQ(read->hasOneX, c.use8021X == 1);
  EXPECT_EQ(read->keyMaterial, c.keyMaterial);
  EXPECT_EQ(read->keyIndex, c.keyIndex);
}

INSTANTIATE_TEST_SUITE_P(
    WlanProfileBuilder, BuilderReadBack,
    testing::Values(ReadBackCase{"wpa2_psk_with_markup_in_key", "Home Net", 1, 7, 6, 0, "a <b> & 'c'", -1, "WPA2PSK",
                                 "AES", "a <b> & 'c'", 0},
                    ReadBackCase{"wpa_psk_64_hex", "x", 1, 4, 4, 0, std::string(64, 'A'), -1, "WPAPSK", "TKIP",
                                 "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", 0},
                    ReadBackCase{"shared_wep_slot_3", "wep", 1, 1, 0, 0, "", 3, "shared", "WEP", "123456789A", 3},
                    ReadBackCase{"adhoc_open", "peer", 0, 0, 1, 0, "", -1, "open", "none", "", 0},
                    ReadBackCase{"wpa2_enterprise", "corp", 1, 6, 6, 1, "", -1, "WPA2", "AES", "", 0},
                    ReadBackCase{"control_bytes_only_in_hex",
                                 std::string("a\x02"
                                             "b",
                                             3),
                                 1, 0, 1, 0, "", -1, "open", "none", "", 0},
                    ReadBackCase{"cdata_terminator_in_name", "x]]>y", 1, 0, 1, 0, "", -1, "open", "none", "", 0}),
    [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace nxui
