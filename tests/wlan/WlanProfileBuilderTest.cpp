#include "wlan/WlanProfileBuilder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstring>
#include <string>
#include <vector>

#include "base/ByteReader.h"
#include "scan/BssidEx.h"

namespace nxui {
namespace {

ConnectionSettings Settings(std::string_view ssid, NetworkType networkType = NetworkType::kInfrastructure) {
  ConnectionSettings s;
  s.ssidLength = static_cast<std::uint32_t>(ssid.size());
  std::memcpy(s.ssid.data(), ssid.data(), ssid.size());
  s.networkType = networkType;
  s.authMode = AuthMode::kOpen;
  s.cipherMode = CipherMode::kNone;
  return s;
}

void SetPsk(ConnectionSettings& s, std::string_view key) {
  std::memcpy(s.preSharedKey.data(), key.data(), key.size());
  s.preSharedKeyLength = static_cast<std::int32_t>(key.size());
}

// Every document a test builds goes through a real parser first.
struct Parsed {
  pugi::xml_document doc;
  pugi::xml_node profile;
  pugi::xml_node security;
};

void Parse(const WlanProfile& p, Parsed& out) {
  ASSERT_EQ(p.status, WlanProfileStatus::kOk);
  const auto result = out.doc.load_string(p.document.c_str(), pugi::parse_default | pugi::parse_declaration);
  ASSERT_TRUE(result) << result.description() << " at " << result.offset << "\n" << p.document;
  out.profile = out.doc.child("WLANProfile");
  ASSERT_TRUE(out.profile) << p.document;
  out.security = out.profile.child("MSM").child("security");
}

// All CDATA pieces of the profile's name element, joined.
std::string CdataName(const pugi::xml_node& profile) {
  std::string name;
  for (const auto& piece : profile.child("name").children()) {
    EXPECT_EQ(piece.type(), pugi::node_cdata);
    name += piece.value();
  }
  return name;
}

TEST(WlanProfileBuilder, Wpa2PskHomeIsExactlyTheDocumentTheServiceExpects) {
  auto s = Settings("Home");
  s.authMode = AuthMode::kWpa2Psk;
  s.cipherMode = CipherMode::kAes;
  SetPsk(s, "secret pass");
  const auto p = BuildWlanProfile(s);
  EXPECT_EQ(p.document,
            "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
            "<name><![CDATA[Home]]></name><SSIDConfig><SSID><hex>486f6d65</hex><name>Home</name></SSID>"
            "<nonBroadcast>true</nonBroadcast></SSIDConfig><connectionType>ESS</connectionType>"
            "<connectionMode>auto</connectionMode><autoSwitch>false</autoSwitch><MSM><security>"
            "<authEncryption><authentication>WPA2PSK</authentication><encryption>AES</encryption>"
            "<useOneX>false</useOneX></authEncryption><sharedKey><keyType>passPhrase</keyType>"
            "<protected>false</protected><keyMaterial>secret&#32;pass</keyMaterial></sharedKey>"
            "</security></MSM></WLANProfile>");
  EXPECT_EQ(p.profileName, "Home");
  EXPECT_EQ(p.bssType, kDot11BssTypeInfrastructure);
  EXPECT_EQ(p.securityEnabled, 1);
  Parsed x;
  Parse(p, x);
  EXPECT_STREQ(x.security.child("sharedKey").child_value("keyMaterial"), "secret pass");
}

TEST(WlanProfileBuilder, SpaceAndAmpersandAreEscapedInNameButNotInHexOrProfileName) {
  const auto p = BuildWlanProfile(Settings("a b&c"));
  EXPECT_NE(p.document.find("<name>a&#32;b&amp;c</name>"), std::string::npos) << p.document;
  EXPECT_NE(p.document.find("<hex>6120622663</hex>"), std::string::npos);
  EXPECT_NE(p.document.find("<![CDATA[a b&c]]>"), std::string::npos);
  EXPECT_EQ(p.profileName, "a b&c");
  Parsed x;
  Parse(p, x);
  EXPECT_STREQ(x.profile.child("SSIDConfig").child("SSID").child_value("name"), "a b&c");
}

struct NameCase {
  const char* label;
  std::string ssid;
  const char* hex;
  const char* parsedName;  // nullptr: no name element
  const char* profileName;
};

class NameEncoding : public testing::TestWithParam<NameCase> {};

TEST_P(NameEncoding, HexNameAndProfileNameSurviveParsing) {
  const auto& c = GetParam();
  const auto p = BuildWlanProfile(Settings(c.ssid));
  Parsed x;
  Parse(p, x);
  const auto ssid = x.profile.child("SSIDConfig").child("SSID");
  EXPECT_STREQ(ssid.child_value("hex"), c.hex);
  if (c.parsedName) {
    EXPECT_STREQ(ssid.child_value("name"), c.parsedName);
  } else {
    EXPECT_FALSE(ssid.child("name")) << p.document;
  }
  EXPECT_EQ(p.profileName, c.profileName);
  EXPECT_EQ(CdataName(x.profile), c.profileName);
}

INSTANTIATE_TEST_SUITE_P(
    WlanProfileBuilder, NameEncoding,
    testing::Values(NameCase{"leading_zero_digit", std::string("\x0f", 1) + "A", "0f41", nullptr, "?A"},
                    NameCase{"control_character_drops_name", std::string("a\x01z"), "61017a", nullptr, "a?z"},
                    NameCase{"tab_drops_name", "a\tb", "610962", nullptr, "a?b"},
                    NameCase{"all_markup_characters", "<'\">&", "3c27223e26", "<'\">&", "<'\">&"},
                    NameCase{"cdata_terminator_split", "a]]>b", "615d5d3e62", "a]]>b", "a]]>b"},
                    NameCase{"two_cdata_terminators", "]]>]]>", "5d5d3e5d5d3e", "]]>]]>", "]]>]]>"},
                    NameCase{"utf8_kept", "Caf\xC3\xA9", "436166c3a9", "Caf\xC3\xA9", "Caf\xC3\xA9"},
                    NameCase{"latin1_converted", "Caf\xE9", "436166e9", "Caf\xC3\xA9", "Caf\xC3\xA9"},
                    NameCase{"truncated_utf8_is_latin1", "\xC3", "c3", "\xC3\x83", "\xC3\x83"},
                    NameCase{"utf8_noncharacter_drops_name", "\xEF\xBF\xBF", "efbfbf", nullptr, "?"}),
    [](const auto& row) { return std::string(row.param.label); });

struct SecurityCase {
  const char* label;
  std::int32_t authMode;
  std::int32_t cipherMode;
  std::int32_t use8021X;
  int pskLength;
  const char* authentication;
  const char* encryption;
  const char* keyType;  // nullptr: no sharedKey element
  std::int32_t securityEnabled;
};

class SecurityMapping : public testing::TestWithParam<SecurityCase> {};

TEST_P(SecurityMapping, AuthEncryptionSharedKeyAndSecurityFlag) {
  const auto& c = GetParam();
  auto s = Settings("Net");
  s.authMode = static_cast<AuthMode>(c.authMode);
  s.cipherMode = static_cast<CipherMode>(c.cipherMode);
  s.use8021X = c.use8021X;
  SetPsk(s, std::string(static_cast<std::size_t>(c.pskLength), 'k'));
  const auto p = BuildWlanProfile(s);
  Parsed x;
  Parse(p, x);
  const auto ae = x.security.child("authEncryption");
  EXPECT_STREQ(ae.child_value("authentication"), c.authentication);
  EXPECT_STREQ(ae.child_value("encryption"), c.encryption);
  EXPECT_STREQ(ae.child_value("useOneX"), c.use8021X == 1 ? "true" : "false");
  if (c.keyType) {
    EXPECT_STREQ(x.security.child("sharedKey").child_value("keyType"), c.keyType);
    EXPECT_STREQ(x.security.child("sharedKey").child_value("protected"), "false");
  } else {
    EXPECT_FALSE(x.security.child("sharedKey")) << p.document;
  }
  EXPECT_EQ(static_cast<bool>(x.security.child("OneX")), c.use8021X == 1);
  EXPECT_EQ(p.securityEnabled, c.securityEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    WlanProfileBuilder, SecurityMapping,
    testing::Values(SecurityCase{"open_none", 0, 1, 0, 0, "open", "none", nullptr, 0},
                    SecurityCase{"open_cipher2_unsecured", 0, 2, 0, 0, "open", "none", nullptr, 0},
                    SecurityCase{"open_cipher3_unsecured", 0, 3, 0, 0, "open", "none", nullptr, 0},
                    SecurityCase{"open_cipher5_secured", 0, 5, 0, 0, "open", "none", nullptr, 1},
                    SecurityCase{"open_wep", 0, 0, 0, 0, "open", "WEP", "networkKey", 1},
                    SecurityCase{"shared_wep", 1, 0, 0, 0, "shared", "WEP", "networkKey", 1},
                    SecurityCase{"autoswitch_is_open", 2, 4, 0, 10, "open", "none", nullptr, 1},
                    SecurityCase{"wpa_8021x_tkip", 3, 4, 1, 0, "WPA", "TKIP", nullptr, 1},
                    SecurityCase{"wpa_psk_63_passphrase", 4, 4, 0, 63, "WPAPSK", "TKIP", "passPhrase", 1},
                    SecurityCase{"wpa_psk_64_network_key", 4, 6, 0, 64, "WPAPSK", "AES", "networkKey", 1},
                    SecurityCase{"wpa_psk_wep_has_no_cipher", 4, 0, 0, 10, "WPAPSK", "none", nullptr, 1},
                    SecurityCase{"wpa_none_aes", 5, 6, 0, 20, "WPAPSK", "AES", "passPhrase", 1},
                    SecurityCase{"wpa2_8021x_aes", 6, 6, 1, 0, "WPA2", "AES", nullptr, 1},
                    SecurityCase{"wpa2_psk_tkip", 7, 4, 0, 8, "WPA2PSK", "TKIP", "passPhrase", 1},
                    SecurityCase{"unknown_auth", 9, 6, 0, 8, "open", "none", nullptr, 1},
                    SecurityCase{"open_8021x_secured", 0, 1, 1, 0, "open", "none", nullptr, 1}),
    [](const auto& row) { return std::string(row.param.label); });

TEST(WlanProfileBuilder, WepUsesFirstPresentTransmitSlot) {
  auto s = Settings("Wep");
  s.cipherMode = CipherMode::kWep;
  s.wepKeys[0] = KeySlot{0, kTransmitKeyBit, 5, {}, {1, 2, 3, 4, 5}};  // not present
  s.wepKeys[1] = KeySlot{1, 1, 5, {}, {9, 9, 9, 9, 9}};                // present, not transmit
  s.wepKeys[2] = KeySlot{1, kTransmitKeyBit | 2, 13, {}, {0xAB, 0xCD, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xEF}};
  s.wepKeys[3] = KeySlot{1, kTransmitKeyBit | 3, 5, {}, {7, 7, 7, 7, 7}};
  const auto p = BuildWlanProfile(s);
  Parsed x;
  Parse(p, x);
  EXPECT_STREQ(x.security.child_value("keyIndex"), "2");
  EXPECT_STREQ(x.security.child("sharedKey").child_value("keyMaterial"), "ABCD01000000000000000000EF");

  s.wepKeys[2].present = 0;
  s.wepKeys[3].present = 0;
  const auto none = BuildWlanProfile(s);
  Parsed y;
  Parse(none, y);
  EXPECT_FALSE(y.security.child("keyIndex"));
  EXPECT_FALSE(y.security.child("sharedKey").child("keyMaterial"));
  EXPECT_STREQ(y.security.child("sharedKey").child_value("keyType"), "networkKey");
}

TEST(WlanProfileBuilder, OneXCarriesPeapInThePlatformNamespaces) {
  auto s = Settings("Corp");
  s.authMode = AuthMode::kWpa2;
  s.cipherMode = CipherMode::kAes;
  s.use8021X = 1;
  SetPsk(s, "ignored!");
  const auto p = BuildWlanProfile(s);
  Parsed x;
  Parse(p, x);
  EXPECT_FALSE(x.security.child("sharedKey"));
  EXPECT_FALSE(x.security.child("keyIndex"));
  const auto onex = x.security.child("OneX");
  EXPECT_STREQ(onex.attribute("xmlns").value(), "http://www.microsoft.com/networking/OneX/v1");
  const auto host = onex.child("EAPConfig").child("EapHostConfig");
  EXPECT_STREQ(host.attribute("xmlns").value(), "http://www.microsoft.com/provisioning/EapHostConfig");
  const auto method = host.child("EapMethod");
  EXPECT_STREQ(method.child_value("Type"), "25");
  for (const char* name : {"Type", "VendorId", "VendorType", "AuthorId"}) {
    EXPECT_STREQ(method.child(name).attribute("xmlns").value(), "http://www.microsoft.com/provisioning/EapCommon")
        << name;
  }
  EXPECT_STREQ(method.child_value("AuthorId"), "0");
  EXPECT_TRUE(host.child("ConfigBlob"));
  EXPECT_NE(p.document.find("<ConfigBlob></ConfigBlob>"), std::string::npos);
}

struct NetworkTypeCase {
  std::int32_t networkType;
  const char* connectionType;
  const char* connectionMode;
  bool nonBroadcast;
  std::uint32_t bssType;
};

class NetworkTypes : public testing::TestWithParam<NetworkTypeCase> {};

TEST_P(NetworkTypes, ConnectionTypeModeHiddenMarkAndBssType) {
  const auto& c = GetParam();
  const auto p = BuildWlanProfile(Settings("Net", static_cast<NetworkType>(c.networkType)));
  Parsed x;
  Parse(p, x);
  EXPECT_STREQ(x.profile.child_value("connectionType"), c.connectionType);
  EXPECT_STREQ(x.profile.child_value("connectionMode"), c.connectionMode);
  EXPECT_EQ(static_cast<bool>(x.profile.child("SSIDConfig").child("nonBroadcast")), c.nonBroadcast);
  EXPECT_EQ(p.bssType, c.bssType);
}

INSTANTIATE_TEST_SUITE_P(WlanProfileBuilder, NetworkTypes,
                         testing::Values(NetworkTypeCase{0, "IBSS", "manual", false, 2},
                                         NetworkTypeCase{1, "ESS", "auto", true, 1},
                                         NetworkTypeCase{2, "ESS", "auto", true, 3},
                                         NetworkTypeCase{-1, "ESS", "auto", true, 3}));

TEST(WlanProfileBuilder, ByBssidAndBssidAreHandedBack) {
  auto s = Settings("Net");
  s.byBssid = 1;
  s.bssid = {0, 0x11, 0x22, 0x33, 0x44, 0x55};
  const auto p = BuildWlanProfile(s);
  EXPECT_EQ(p.byBssid, 1);
  EXPECT_EQ(p.bssid, s.bssid);
}

TEST(WlanProfileBuilder, OversizedLengthsInTheRecordAreClamped) {
  auto s = Settings(std::string(32, 'x'));
  s.ssidLength = 1000;
  s.authMode = AuthMode::kWpaPsk;
  s.cipherMode = CipherMode::kTkip;
  SetPsk(s, std::string(64, 'f'));
  s.preSharedKeyLength = 500;
  const auto p = BuildWlanProfile(s);
  Parsed x;
  Parse(p, x);
  EXPECT_EQ(std::string(x.profile.child("SSIDConfig").child("SSID").child_value("hex")).size(), 64u);
  EXPECT_EQ(std::string(x.security.child("sharedKey").child_value("keyMaterial")), std::string(64, 'f'));
  EXPECT_STREQ(x.security.child("sharedKey").child_value("keyType"), "passPhrase");  // length 500 is not 64

  s.preSharedKeyLength = -3;
  const auto negative = BuildWlanProfile(s);
  Parsed y;
  Parse(negative, y);
  EXPECT_FALSE(y.security.child("sharedKey").child("keyMaterial"));
}

TEST(WlanProfileBuilder, LargestRecordStaysWithinTheDocumentLimit) {
  auto s = Settings(std::string(32, '"'));
  s.authMode = AuthMode::kWpa2Psk;
  s.cipherMode = CipherMode::kAes;
  SetPsk(s, std::string(64, '\''));
  const auto p = BuildWlanProfile(s);
  Parsed x;
  Parse(p, x);
  EXPECT_LT(Utf16Length(p.document) + 1, kMaxDocumentUnits);
  EXPECT_EQ(std::string(x.security.child("sharedKey").child_value("keyMaterial")), std::string(64, '\''));
}

TEST(WlanProfileBuilder, PassPhraseWithControlCharacterIsRefused) {
  auto s = Settings("Net");
  s.authMode = AuthMode::kWpa2Psk;
  s.cipherMode = CipherMode::kAes;
  SetPsk(s,
         "abc\x02"
         "defgh");
  const auto p = BuildWlanProfile(s);
  EXPECT_EQ(p.status, WlanProfileStatus::kKeyNotRepresentable);
  EXPECT_TRUE(p.document.empty());

  SetPsk(s,
         "caf\xE9"
         "1234");  // Latin-1 is carried as text
  const auto latin = BuildWlanProfile(s);
  Parsed x;
  Parse(latin, x);
  EXPECT_STREQ(x.security.child("sharedKey").child_value("keyMaterial"),
               "caf\xC3\xA9"
               "1234");
}

// --- network without a name ---

struct ScanEntrySpec {
  ScanEntrySpec(std::string s, std::int32_t r, std::uint32_t m = bssid_ex::kModeInfrastructure, std::uint32_t p = 0,
                std::vector<std::uint8_t> i = {}, std::int32_t adjust = 0)
      : ssid(std::move(s)), rssi(r), mode(m), privacy(p), ies(std::move(i)), lengthAdjust(adjust) {}
  std::string ssid;
  std::int32_t rssi;
  std::uint32_t mode;
  std::uint32_t privacy;
  std::vector<std::uint8_t> ies;
  std::int32_t lengthAdjust;  // makes Length disagree with IELength
};

std::vector<std::uint8_t> ScanList(const std::vector<ScanEntrySpec>& entries) {
  std::vector<std::uint8_t> out(4);
  StoreLe32(out.data(), static_cast<std::uint32_t>(entries.size()));
  for (const auto& e : entries) {
    std::vector<std::uint8_t> entry(bssid_ex::kFixedSize + e.ies.size());
    StoreLe32(&entry[bssid_ex::kLength],
              static_cast<std::uint32_t>(static_cast<std::int32_t>(entry.size()) + e.lengthAdjust));
    StoreLe32(&entry[bssid_ex::kSsidLength], static_cast<std::uint32_t>(e.ssid.size()));
    std::memcpy(&entry[bssid_ex::kSsid], e.ssid.data(), std::min<std::size_t>(e.ssid.size(), 32));
    StoreLe32(&entry[bssid_ex::kPrivacy], e.privacy);
    StoreLe32(&entry[bssid_ex::kRssi], static_cast<std::uint32_t>(e.rssi));
    StoreLe32(&entry[bssid_ex::kInfrastructureMode], e.mode);
    StoreLe32(&entry[bssid_ex::kIeLength], static_cast<std::uint32_t>(e.ies.size()));
    std::copy(e.ies.begin(), e.ies.end(), entry.begin() + bssid_ex::kIes);
    // The next entry starts Length bytes on, so the stored bytes follow Length.
    entry.resize(static_cast<std::size_t>(static_cast<std::int32_t>(entry.size()) + e.lengthAdjust));
    out.insert(out.end(), entry.begin(), entry.end());
  }
  return out;
}

const std::vector<std::uint8_t> kRsnIe = {48,   20,   1, 0, 0, 0x0F, 0xAC, 4,    1, 0, 0,
                                          0x0F, 0xAC, 4, 1, 0, 0,    0x0F, 0xAC, 2, 0, 0};
const std::vector<std::uint8_t> kWpaIe = {221, 22, 0, 0x50, 0xF2, 1, 1, 0, 0, 0x50, 0xF2, 2,
                                          1,   0,  0, 0x50, 0xF2, 2, 1, 0, 0, 0x50, 0xF2, 2};
const std::vector<std::uint8_t> kVendorIe = {221, 5, 0, 0x10, 0x18, 2, 0};

struct NamelessCase {
  const char* label;
  std::vector<ScanEntrySpec> entries;
  const char* expectedName;
};

class NamelessNetwork : public testing::TestWithParam<NamelessCase> {};

TEST_P(NamelessNetwork, JoinsStrongestOpenInfrastructureNetwork) {
  const auto& c = GetParam();
  auto s = Settings("");
  s.authMode = AuthMode::kWpa2Psk;  // the record's security is not used
  s.cipherMode = CipherMode::kAes;
  s.networkType = NetworkType::kAdhoc;
  SetPsk(s, "secretsecret");
  const auto scan = ScanList(c.entries);
  const auto p = BuildWlanProfile(s, scan);
  Parsed x;
  Parse(p, x);
  EXPECT_EQ(p.profileName, c.expectedName);
  EXPECT_EQ(CdataName(x.profile), c.expectedName);
  EXPECT_FALSE(x.profile.child("SSIDConfig").child("SSID"));
  EXPECT_STREQ(x.profile.child_value("connectionType"), "ESS");
  EXPECT_STREQ(x.profile.child_value("connectionMode"), "manual");
  EXPECT_STREQ(x.security.child("authEncryption").child_value("authentication"), "open");
  EXPECT_STREQ(x.security.child("authEncryption").child_value("encryption"), "none");
  EXPECT_FALSE(x.security.child("sharedKey"));
  EXPECT_EQ(p.bssType, kDot11BssTypeInfrastructure);
  EXPECT_EQ(p.securityEnabled, 0);
}

INSTANTIATE_TEST_SUITE_P(
    WlanProfileBuilder, NamelessNetwork,
    testing::Values(
        NamelessCase{"empty_list", {}, ""},
        NamelessCase{"strongest_open_wins",
                     {{"weak", -80}, {"strong", -40}, {"middle", -60, bssid_ex::kModeInfrastructure, 0, kVendorIe}},
                     "strong"},
        NamelessCase{"tie_keeps_earlier", {{"first", -50}, {"second", -50}}, "first"},
        NamelessCase{"privacy_excluded", {{"wep", -30, 1, 1}, {"open", -70}}, "open"},
        NamelessCase{"rsn_excluded", {{"rsn", -30, 1, 0, kRsnIe}, {"open", -70}}, "open"},
        NamelessCase{"wpa_excluded", {{"wpa", -30, 1, 0, kWpaIe}, {"open", -70}}, "open"},
        NamelessCase{"adhoc_excluded", {{"ibss", -30, 0}, {"open", -70}}, "open"},
        NamelessCase{"floor_excludes_minus_250", {{"deep", -250}}, ""},
        NamelessCase{"entry_short_for_its_ies_skipped", {{"short", -30, 1, 0, kVendorIe, -3}, {"open", -70}}, "open"},
        NamelessCase{"length_below_fixed_part_stops_walk",
                     {{"open", -70}, {"broken", -30, 1, 0, {}, -16}, {"after", -20}},
                     "open"},
        NamelessCase{"padding_after_entry_is_stepped_over", {{"padded", -70, 1, 0, {}, 8}, {"next", -20}}, "next"}),
    [](const auto& row) { return std::string(row.param.label); });

TEST(WlanProfileBuilder, NamelessNetworkSurvivesCutScanBuffers) {
  const auto full = ScanList({{"aa", -70}, {"bb", -20}});
  for (std::size_t size = 0; size <= full.size(); ++size) {
    const auto p = BuildWlanProfile(Settings(""), std::span(full).first(size));
    const bool secondComplete = size == full.size();
    const bool firstComplete = size >= 4 + bssid_ex::kFixedSize;
    EXPECT_EQ(p.profileName, secondComplete ? "bb" : (firstComplete ? "aa" : "")) << "size " << size;
  }
}

TEST(WlanProfileBuilder, XmlElementOmitsEmptyContentAndWritesAttributes) {
  EXPECT_EQ(XmlElement("a", "x=\"1\"", ""), "");
  EXPECT_EQ(XmlElement("a", ""), "");
  EXPECT_EQ(XmlElement("a", "x=\"1\"", "v"), "<a x=\"1\">v</a>");
  EXPECT_EQ(XmlElement("a", "v"), "<a>v</a>");
}

TEST(WlanProfileBuilder, XmlEscapeDoesNotEscapeItsOwnEntities) {
  EXPECT_EQ(XmlEscape("<&> '\""), "&lt;&amp;&gt;&#32;&apos;&quot;");
  EXPECT_EQ(XmlEscape("&amp;"), "&amp;amp;");
  EXPECT_EQ(XmlEscape(""), "");
}

TEST(WlanProfileBuilder, Utf16LengthCountsSurrogatePairs) {
  EXPECT_EQ(Utf16Length(""), 0u);
  EXPECT_EQ(Utf16Length("a\xC3\xA9\xE4\xB8\xAD"), 3u);
  EXPECT_EQ(Utf16Length("\xF0\x9F\x98\x80"), 2u);
}

}  // namespace
}  // namespace nxui
