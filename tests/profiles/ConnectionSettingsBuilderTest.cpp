#include "profiles/ConnectionSettingsBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/PassphraseKey.h"
#include "profiles/WpaPassphrase.h"

namespace nxui {
namespace {

std::string Hex(const std::uint8_t* data, std::size_t size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    text += kDigits[data[i] >> 4];
    text += kDigits[data[i] & 15];
  }
  return text;
}

// The station section from "key=value" lines.
StoreFileSnapshot Station(const std::string& lines) { return StoreFileSnapshot(IniDocument("[Config]\n" + lines)); }

ConnectionSettings Build(const std::string& lines, bool adapterReady = true, std::uint16_t driverVersion = 0x501) {
  ConnectionSettings record;
  ConnectionBuildInputs inputs;
  inputs.adapterReady = adapterReady;
  inputs.driverVersion = driverVersion;
  inputs.currentBssid = [](std::array<std::uint8_t, 6>& bssid) {
    bssid = {2, 0x1F, 0x3C, 0x99, 0x70, 7};
    return true;
  };
  BuildConnectionSettings(Station(lines), inputs, record);
  return record;
}

// A record field as its stored number, whatever its type.
template <auto Member>
std::int32_t Read(const ConnectionSettings& record) {
  return static_cast<std::int32_t>(record.*Member);
}

struct MappingRow {
  const char* name;
  std::string lines;
  std::int32_t (*field)(const ConnectionSettings&);
  std::int32_t expected;
};

void PrintTo(const MappingRow& row, std::ostream* os) { *os << row.name; }

class Mapping : public ::testing::TestWithParam<MappingRow> {};

TEST_P(Mapping, StoredValueBecomesRecordField) {
  const MappingRow& row = GetParam();
  EXPECT_EQ(row.field(Build(row.lines)), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Mapping,
    ::testing::Values(
        MappingRow{"preamble_1_becomes_2", "PreambleType=1\n", Read<&ConnectionSettings::preamble>, 2},
        MappingRow{"preamble_0_stays", "PreambleType=0\n", Read<&ConnectionSettings::preamble>, 0},
        MappingRow{"rts_off_is_2347", "UseRts=0\nRtsThresh=500\n", Read<&ConnectionSettings::rtsThreshold>, 2347},
        MappingRow{"rts_missing_is_2347", "", Read<&ConnectionSettings::rtsThreshold>, 2347},
        MappingRow{"rts_on_takes_threshold", "UseRts=1\nRtsThresh=500\n", Read<&ConnectionSettings::rtsThreshold>, 500},
        MappingRow{"frag_off_is_0", "UseFrag=0\nFragThresh=800\n", Read<&ConnectionSettings::fragThreshold>, 0},
        MappingRow{"frag_on_takes_threshold", "UseFrag=1\nFragThresh=800\n", Read<&ConnectionSettings::fragThreshold>,
                   800},
        MappingRow{"auth_above_7_is_open", "AuthMode=8\n", Read<&ConnectionSettings::authMode>, 0},
        MappingRow{"auth_negative_is_open", "AuthMode=-1\n", Read<&ConnectionSettings::authMode>, 0},
        MappingRow{"auth_7_stays", "AuthMode=7\n", Read<&ConnectionSettings::authMode>, 7},
        MappingRow{"ps_1_becomes_2", "PSMode=1\n", Read<&ConnectionSettings::psMode>, 2},
        MappingRow{"ps_2_stays", "PSMode=2\n", Read<&ConnectionSettings::psMode>, 2},
        MappingRow{"ps_3_becomes_0", "PSMode=3\n", Read<&ConnectionSettings::psMode>, 0},
        MappingRow{"missing_network_type_keeps_initial", "", Read<&ConnectionSettings::networkType>, 0},
        MappingRow{"leap_forces_8021x_off", "LeapEnabled=1\nUse8021X=1\n", Read<&ConnectionSettings::use8021X>, 0},
        MappingRow{"tx_power_as_stored", "TXPower=4\n", Read<&ConnectionSettings::txPower>, 4},
        MappingRow{"ttls_takes_tunnel_on_its_side", "AuthMode=3\nAuthenProtocol=2\nTunnelProtocol=5\n",
                   Read<&ConnectionSettings::ttlsTunnelProtocol>, 5},
        MappingRow{"peap_takes_tunnel_on_its_side", "Use8021X=1\nAuthenProtocol=25\nTunnelProtocol=26\n",
                   Read<&ConnectionSettings::peapTunnelProtocol>, 26}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(BuildConnectionSettings, NetworkNameDecodedWithItsLength) {
  const ConnectionSettings r = Build("SSID=01e4\nSSID_inHex=1\n");
  EXPECT_EQ(r.ssidLength, 2u);
  EXPECT_EQ(r.ssid[0], 0x01);
  EXPECT_EQ(r.ssid[1], 0xE4);
  EXPECT_EQ(r.byBssid, 0);
}

TEST(BuildConnectionSettings, AdhocTakesChannelFrequencyAndCurrentBssid) {
  const ConnectionSettings adhoc = Build("NetworkType=0\nChannel=10\n");
  EXPECT_EQ(adhoc.channelFrequencyKhz, 2457000u);
  EXPECT_EQ(adhoc.bssid[0], 2);
  const ConnectionSettings japan = Build("NetworkType=0\nChannel=208\n");
  EXPECT_EQ(japan.channelFrequencyKhz, 5040000u);
  const ConnectionSettings infra = Build("NetworkType=1\nChannel=10\n");
  EXPECT_EQ(infra.channelFrequencyKhz, 0u);
  EXPECT_EQ(infra.bssid[0], 0);
}

TEST(BuildConnectionSettings, OneXBlockOnlyWhenReadyAndInUse) {
  const std::string oneX =
      "ID=alice\nPassword=pw\nUseServerCert=1\nServerCertLen=3\nServerCertData=a0b1c2\n"
      "UseClientCert=0\nClientCertLen=2\nClientCertData=ffee\nServerName=" +
      std::string(200, 'r') + "\n";
  const ConnectionSettings wpa = Build("AuthMode=3\n" + oneX);
  EXPECT_EQ(TextOf(wpa.identity), "alice");
  EXPECT_EQ(wpa.serverCertLength, 3u);
  EXPECT_EQ(wpa.serverCertData[2], 0xC2);
  EXPECT_EQ(wpa.clientCertLength, 0u) << "certificate data is read only when its use flag is set";
  EXPECT_EQ(TextOf(wpa.serverName).size(), 127u) << "the record keeps the first 127 characters";
  EXPECT_EQ(TextOf(Build("AuthMode=3\n" + oneX, false).identity), "") << "adapter not ready";
  EXPECT_EQ(TextOf(Build("AuthMode=7\n" + oneX).identity), "") << "not 802.1X";
  EXPECT_EQ(TextOf(Build("AuthMode=0\nUse8021X=1\n" + oneX).identity), "alice");
  // A declared length longer than the data never reads past it.
  const ConnectionSettings shortData = Build("AuthMode=3\nUseServerCert=1\nServerCertLen=40\nServerCertData=a0b1\n");
  EXPECT_EQ(shortData.serverCertLength, 2u);
}

TEST(BuildConnectionSettings, LeapCopiesItsCredentials) {
  const ConnectionSettings r = Build(
      "LeapEnabled=1\nLeapUserName=bob\nLeapPassword=secret\nCipherMode=0\n"
      "WEPKey1=1A2B3C4D5E\nWEPKeyUse=1\n");
  EXPECT_EQ(r.leapEnabled, 1);
  EXPECT_EQ(TextOf(r.leapUserName), "bob");
  EXPECT_EQ(TextOf(r.leapPassword), "secret");
  EXPECT_EQ(r.wepKeys[0].present, 0u) << "LEAP brings its own keys";
}

TEST(BuildConnectionSettings, PreSharedKeyForPskModes) {
  for (const int mode : {4, 5, 7}) {
    const ConnectionSettings r = Build("AuthMode=" + std::to_string(mode) + "\nWPAPSK=sunflower-42\nSSID=41\n");
    EXPECT_EQ(r.PreSharedKeyText(), "sunflower-42") << mode;
  }
  EXPECT_EQ(Build("AuthMode=6\nWPAPSK=sunflower-42\n").preSharedKeyLength, 0);
}

TEST(BuildConnectionSettings, WpaNoneKeyIsThePassphraseMapping) {
  const ConnectionSettings r = Build("AuthMode=5\nNetworkType=0\nSSID=LAN-Party\nWPAPSK=ad hoc secret\n");
  EXPECT_EQ(r.wpaNoneKey.present, 1u);
  EXPECT_EQ(r.wpaNoneKey.keyLength, 32u);
  EXPECT_EQ(r.wpaNoneKey.keyIndex, kTransmitKeyBit);
  EXPECT_EQ(r.wpaNoneKey.bssid, (std::array<std::uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  const std::string derived = Hex(r.wpaNoneKey.key.data(), 32);
  // IEEE 802.11i test vector for the same mapping.
  PreSharedKey vector{};
  ASSERT_TRUE(PassphraseToPsk("password", "IEEE", vector));
  EXPECT_EQ(Hex(vector.data(), 32), "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e");
  if (!test::HaveWpaPassphrase()) GTEST_SKIP() << "wpa_passphrase (Debian package wpasupplicant) is not installed";
  EXPECT_EQ(derived, test::WpaPassphrase("LAN-Party", "ad hoc secret"));
}

TEST(BuildConnectionSettings, WpaNoneHexKeyIsTakenAsItIs) {
  const std::string hex = "00112233445566778899aabbccddeeff00112233445566778899AABBCCDDEEFF";
  const ConnectionSettings r = Build("AuthMode=5\nSSID=x\nWPAPSK=" + hex + "\n");
  EXPECT_EQ(r.wpaNoneKey.key[1], 0x11);
  EXPECT_EQ(r.wpaNoneKey.key[31], 0xFF);
  // 64 characters that are not all hex digits are a pass phrase (at most 63 of them are used).
  const std::string notHex = std::string(63, 'z') + "q";
  const ConnectionSettings p = Build("AuthMode=5\nSSID=x\nWPAPSK=" + notHex + "\n");
  PreSharedKey expected{};
  ASSERT_TRUE(PassphraseToPsk(std::string(63, 'z'), "x", expected));
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), p.wpaNoneKey.key.begin()));
}

TEST(BuildConnectionSettings, WepSlotsByStoredLength) {
  struct Row {
    std::string stored;
    std::uint32_t present, length;
  };
  const std::vector<Row> rows = {{"", 0, 0},
                                 {"1", 0, 0},
                                 {"1A2B3C4D5E", 1, 5},
                                 {"1A2B3C4D5E0", 1, 5},
                                 {"1A2B3C4D5E01", 1, 13},
                                 {std::string(26, 'a'), 1, 13}};
  for (const Row& row : rows) {
    const KeySlot slot = WepSlotFromStoredKey(row.stored, 2, false);
    EXPECT_EQ(slot.present, row.present) << row.stored;
    EXPECT_EQ(slot.keyLength, row.length) << row.stored;
  }
  const KeySlot short13 = WepSlotFromStoredKey("1A2B3C4D5E01", 0, true);
  EXPECT_EQ(short13.key[5], 0x01);
  EXPECT_EQ(short13.key[6], 0x00) << "digits the text lacks stay zero";

  const ConnectionSettings r =
      Build("AuthMode=0\nCipherMode=0\nWEPKeyUse=3\nWEPKey1=1A2B3C4D5E\nWEPKey3=" + std::string(26, 'b') + "\n");
  EXPECT_EQ(r.wepKeys[0].keyIndex, 0u);
  EXPECT_EQ(r.wepKeys[2].keyIndex, 2u | kTransmitKeyBit);
  EXPECT_EQ(r.wepKeys[1].present, 0u);
  EXPECT_EQ(Build("AuthMode=7\nCipherMode=6\nWEPKey1=1A2B3C4D5E\n").wepKeys[0].present, 0u);
  EXPECT_EQ(Build("AuthMode=1\nCipherMode=1\nWEPKey1=1A2B3C4D5E\n").wepKeys[0].present, 1u);
}

TEST(BuildConnectionSettings, AcPowerCamOnlyFromNewerDrivers) {
  EXPECT_EQ(Build("ACPowerCam=1\n", true, 0x500).acPowerCam, 0);
  EXPECT_EQ(Build("ACPowerCam=1\n", true, 0x501).acPowerCam, 1);
}

}  // namespace
}  // namespace nxui
