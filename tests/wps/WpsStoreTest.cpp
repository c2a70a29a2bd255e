#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

#include "adapter/DriverChannelPort.h"
#include "adapter/Oids.h"
#include "base/AtomicFile.h"
#include "wlan/WlanProfileBuilder.h"
#include "wps/WpsStore.h"
#include "wps/WpsWorld.h"

namespace nxui {
namespace {

using test::WpsWorld;

WpsCredential Credential(const std::string& ssid, std::uint32_t auth, std::uint32_t encr, const std::string& key,
                         std::uint32_t keyIndex = 0) {
  WpsCredential c{};
  SetCredentialSsid(c, ssid);
  c.authType = auth;
  c.encrType = encr;
  SetCredentialKey(c, key);
  c.keyIndex = keyIndex;
  const std::uint8_t mac[6] = {0x00, 0x22, 0x75, 0xC4, 0xB0, 0x0B};
  std::memcpy(c.mac, mac, 6);
  return c;
}

class WpsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(w.world, nullptr) << w.error;
    w.Start(false);
  }
  WpsEngineState& state() { return w.hidden().Wps(); }
  WpsStore& store() { return w.engine().Store(); }
  void WriteFile(const std::string& text) {
    std::ofstream(w.store().FilePath(StoreFileKind::Wps), std::ios::binary) << text;
  }

  WpsWorld w{test::WpsScenario()};
};

TEST_F(WpsStoreTest, EverySlotIsWrittenAndReadBack) {
  state().pinCode = 1234565;  // below 10000000: no leading zero in the file
  state().configMode = WpsConfigMode::Registrar;
  state().table.count = 2;
  state().table.credentials[0] = Credential(std::string("\x01\xE4", 2), 32, 8, "passphrase with = and ; ");
  state().table.credentials[1] = Credential("WepNet", 1, 2, "0102030405", kWpsKeyIndexFlag | 2);
  ASSERT_TRUE(store().WriteWpsStore(0));

  const std::string text = w.WpsFileText();
  for (const char* line : {"NumberofProfile=2", "ConfigMode=1", "PinCode=1234565", "[Profile0]", "SSID=01e4",
                           "SSID_inHex=1", "AuthType=32", "Key=\"passphrase with = and ; \"", "MacAddress=002275C4B00B",
                           "KeyIndex=-2147483646", "KeyLength=10", "[Profile7]"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
  const auto profile7 = text.find("[Profile7]");
  EXPECT_NE(text.find("MacAddress=000000000000", profile7), std::string::npos) << "empty slots from zero bytes";

  const WpsCredentialTable written = state().table;
  state() = WpsEngineState{};
  store().LoadWpsStore();
  EXPECT_EQ(state().pinCode, 1234565u);
  EXPECT_EQ(FormatPin(state().pinCode), "01234565");
  EXPECT_EQ(state().configMode, WpsConfigMode::Registrar);
  EXPECT_EQ(std::memcmp(&state().table, &written, sizeof written), 0);
}

TEST_F(WpsStoreTest, FileIsOwnerOnly) {
  ASSERT_TRUE(store().WriteWpsStore(0));
  struct stat info {};
  ASSERT_EQ(::stat(w.store().FilePath(StoreFileKind::Wps).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(WpsStoreTest, AFailedWriteIsReportedAndLeavesTheFile) {
  state().table.count = 1;
  state().table.credentials[0] = Credential("Old", 1, 1, "");
  ASSERT_TRUE(store().WriteWpsStore(0));
  const std::string before = w.WpsFileText();
  state().table.credentials[0] = Credential("New", 1, 1, "");
  ArmAtomicWriteFault(AtomicWriteStep::Write, ENOSPC);
  const StoreResult result = store().WriteWpsStore(0);
  EXPECT_TRUE(ClearAtomicWriteFault());
  EXPECT_EQ(result.status, StoreStatus::WriteFailed);
  EXPECT_EQ(w.WpsFileText(), before);

  // Through the engine the user hears of it.
  const std::size_t shown = w.views.messages.size();
  ArmAtomicWriteFault(AtomicWriteStep::Rename, EACCES);
  w.engine().Renew(12345670);
  EXPECT_TRUE(ClearAtomicWriteFault());
  EXPECT_EQ(w.views.messages.size(), shown + 1);
}

TEST_F(WpsStoreTest, FlagOneRemovesThePlatformProfilesOfTheSlotsItReplaces) {
  PlatformProfileList& platform = w.hidden().Session().Profiles();
  ConnectionSettings record = CredentialConnectionRecord(Credential("Router-WPS", 32, 8, "push-the-button"));
  ASSERT_EQ(platform.SetProfile(BuildWlanProfile(record).document), 0u);
  record = CredentialConnectionRecord(Credential("Norvix-Home", 32, 8, "sunflower-42"));
  ASSERT_EQ(platform.SetProfile(BuildWlanProfile(record).document), 0u);
  state().table.count = 1;
  state().table.credentials[0] = Credential("Router-WPS", 32, 8, "push-the-button");
  ASSERT_TRUE(store().WriteWpsStore(0));
  ASSERT_EQ(platform.FindProfile("Router-WPS"), 1) << "flag 0 keeps it";

  state().ClearCredentials();
  ASSERT_TRUE(store().WriteWpsStore(1));
  EXPECT_EQ(platform.FindProfile("Router-WPS"), 0);
  EXPECT_EQ(platform.FindProfile("Norvix-Home"), 1) << "not one of the store's";
}

TEST_F(WpsStoreTest, AnEditedFileIsNotTrusted) {
  WriteFile(
      "[Common]\r\nNumberofProfile=200\r\nConfigMode=1\r\n"
      "[Profile0]\r\nSSID=Plain\r\nAuthType=32\r\nEncryType=8\r\nKeyLength=100\r\nKey=x\r\n"
      "[Profile1]\r\nSSID=Second\r\nAuthType=1\r\nEncryType=1\r\nMacAddress=00112233445\r\n"
      "[Profile2]\r\nSSID=Third\r\nKeyLength=8\r\nKey=abc\r\nMacAddress=0011223344GG\r\n");
  state().pinCode = 777;
  state().wscConnect = true;
  store().LoadWpsStore();
  EXPECT_EQ(state().pinCode, 777u) << "no PinCode: left as it was";
  EXPECT_TRUE(state().wscConnect) << "no station WSC: left as it was";
  EXPECT_TRUE(state().rotateMode) << "WSC in force rotates";
  EXPECT_EQ(state().configMode, WpsConfigMode::Registrar);
  ASSERT_EQ(state().table.count, 7u) << "200 clamped to 8, the key of length 100 dropped";
  EXPECT_EQ(CredentialSsid(state().table.credentials[0]), "Second");
  const std::uint8_t zero[6] = {};
  EXPECT_EQ(std::memcmp(state().table.credentials[0].mac, zero, 6), 0) << "eleven digits are no address";
  EXPECT_EQ(CredentialSsid(state().table.credentials[1]), "Third");
  EXPECT_EQ(state().table.credentials[1].keyLength, 8u);
  EXPECT_EQ(CredentialKey(state().table.credentials[1]), std::string("abc") + std::string(5, '\0'));
  EXPECT_EQ(CredentialSsid(state().table.credentials[2]), "") << "missing sections read as empty slots";
}

// A zero byte in an edited SSID or key ends the value, as it does for what the writer stores
// (hex SSIDs decode to the first zero byte, keys are written to it): a rewrite and reload of the
// file then reads the credentials it read before.
TEST_F(WpsStoreTest, ZeroBytesInAnEditedFileEndTheValueSoARewriteReadsTheSame) {
  using namespace std::string_literals;
  WriteFile(
      "[Common]\r\nNumberofProfile=1\r\n[Profile0]\r\nSSID=Home\0Tail\r\nAuthType=32\r\nEncryType=8\r\n"
      "KeyLength=12\r\nKey=secret\0hidden\r\n"s);
  store().LoadWpsStore();
  ASSERT_EQ(state().table.count, 1u);
  EXPECT_EQ(CredentialSsid(state().table.credentials[0]), "Home");
  EXPECT_EQ(CredentialKey(state().table.credentials[0]), "secret"s + std::string(6, '\0'));
  const WpsCredentialTableBytes first = EncodeWpsCredentialTable(state().table);

  ASSERT_TRUE(store().WriteWpsStore(0));
  state().ClearCredentials();
  store().LoadWpsStore();
  EXPECT_EQ(EncodeWpsCredentialTable(state().table), first);
}

TEST_F(WpsStoreTest, WscFlagIsTheStationsValue) {
  state().wscConnect = true;
  ASSERT_TRUE(store().WriteWscFlag());
  EXPECT_EQ(w.store().ReadStation("WSC"), "1");
  state().wscConnect = false;
  ASSERT_TRUE(w.store().WriteStation("WSC", "1"));
  store().LoadWpsStore();
  EXPECT_TRUE(state().wscConnect);
  ASSERT_TRUE(w.store().WriteStation("WSC", "0"));
  store().LoadWpsStore();
  EXPECT_FALSE(state().wscConnect);
}

TEST_F(WpsStoreTest, RegistrarCredentialIsTheAdaptersOwnNetwork) {
  state().table.count = 3;
  DriverChannelPort driver(w.hidden().Driver());
  ASSERT_TRUE(MakeRegistrarCredential(state(), driver));
  ASSERT_EQ(state().table.count, 1u);
  const WpsCredential& c = state().table.credentials[0];
  EXPECT_EQ(CredentialSsid(c), "ExRegNW307281");  // MAC 00-0C-43-30-72-81
  EXPECT_EQ(c.authType, 32u);
  EXPECT_EQ(c.encrType, 8u);
  EXPECT_EQ(c.keyIndex, 1u);
  const std::string_view key = CredentialKey(c);
  ASSERT_EQ(key.size(), 64u);
  EXPECT_EQ(key.find_first_not_of("0123456789ABCDEF"), std::string_view::npos) << key;

  WpsEngineState before = state();
  EXPECT_FALSE(MakeRegistrarCredential(state(), driver, [](std::uint8_t*, std::size_t) { return false; }));
  EXPECT_EQ(std::memcmp(&state().table, &before.table, sizeof before.table), 0);
}

struct RecordRow {
  const char* name;
  WpsCredential credential;
  std::int32_t authMode;
  std::int32_t cipherMode;
  int wepSlot;  // -1: no WEP key placed
  std::vector<std::uint8_t> wepKey;
  std::string preSharedKey;
};

void PrintTo(const RecordRow& row, std::ostream* os) { *os << row.name; }

class CredentialRecord : public ::testing::TestWithParam<RecordRow> {};

TEST_P(CredentialRecord, FollowsTheConversionRules) {
  const RecordRow& row = GetParam();
  const ConnectionSettings r = CredentialConnectionRecord(row.credential);
  EXPECT_EQ(r.byBssid, 0);
  EXPECT_EQ(r.networkType, NetworkType::kInfrastructure);
  EXPECT_EQ(r.preamble, 2);
  EXPECT_EQ(r.rtsThreshold, 2347);
  EXPECT_EQ(r.fromProfile, 1);
  EXPECT_EQ(CodeOf(r.authMode), row.authMode);
  EXPECT_EQ(CodeOf(r.cipherMode), row.cipherMode);
  EXPECT_EQ(std::string(r.ssid.begin(), r.ssid.begin() + r.ssidLength), std::string(CredentialSsid(row.credential)));
  for (int slot = 0; slot < 4; ++slot) {
    const KeySlot& key = r.wepKeys[static_cast<std::size_t>(slot)];
    if (slot != row.wepSlot) {
      EXPECT_EQ(key.present, 0u) << "slot " << slot;
      continue;
    }
    EXPECT_EQ(key.present, 1u);
    EXPECT_EQ(key.keyIndex, static_cast<std::uint32_t>(slot) | kTransmitKeyBit);
    EXPECT_EQ(std::vector<std::uint8_t>(key.key.begin(), key.key.begin() + key.keyLength), row.wepKey);
    EXPECT_EQ(key.bssid, (std::array<std::uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  }
  EXPECT_EQ(r.PreSharedKeyText(), row.preSharedKey);
}

const std::vector<std::uint8_t> k13Bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,
                                            0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D};

INSTANTIATE_TEST_SUITE_P(
    Rows, CredentialRecord,
    ::testing::Values(
        RecordRow{"wpa2_psk_aes", Credential("A", 32, 8, "passphrase"), 7, 6, -1, {}, "passphrase"},
        RecordRow{"mixed_psk_tkip_aes_is_tkip", Credential("A", 34, 12, "both-ways"), 4, 4, -1, {}, "both-ways"},
        RecordRow{"wpa_psk_tkip", Credential("A", 2, 4, "k1234567"), 4, 4, -1, {}, "k1234567"},
        RecordRow{"wpa_enterprise_has_no_psk", Credential("A", 8, 4, "ignored"), 3, 4, -1, {}, ""},
        RecordRow{"wpa2_enterprise", Credential("A", 16, 8, ""), 6, 6, -1, {}, ""},
        RecordRow{"open_none", Credential("A", 1, 1, ""), 0, 1, -1, {}, ""},
        RecordRow{"unknown_types_are_open_none", Credential("A", 64, 64, ""), 0, 1, -1, {}, ""},
        RecordRow{"wep_26_hex_digits_in_slot_2", Credential("A", 1, 2, "0102030405060708090a0b0c0d", 2), 0, 0, 2,
                  k13Bytes, ""},
        RecordRow{
            "wep_10_hex_digits", Credential("A", 4, 2, "0A0B0C0D0E", 0), 1, 0, 0, {0x0A, 0x0B, 0x0C, 0x0D, 0x0E}, ""},
        RecordRow{
            "wep_5_characters_as_bytes", Credential("A", 1, 2, "abcde", 1), 0, 0, 1, {'a', 'b', 'c', 'd', 'e'}, ""},
        RecordRow{"wep_20_characters_become_13_zero_bytes", Credential("A", 1, 2, "01234567890123456789", 3), 0, 0, 3,
                  std::vector<std::uint8_t>(13, 0), ""},
        RecordRow{"wep_index_with_flag_bit",
                  Credential("A", 1, 2, "abcde", kWpsKeyIndexFlag | 1),
                  0,
                  0,
                  1,
                  {'a', 'b', 'c', 'd', 'e'},
                  ""},
        RecordRow{"wep_index_4_places_no_key", Credential("A", 1, 2, "abcde", 4), 0, 0, -1, {}, ""},
        RecordRow{"wep_without_key_places_none", Credential("A", 1, 2, "", 0), 0, 0, -1, {}, ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(WpsStoreTest, ConnectingSendsTheDesiredBssidList) {
  CredentialToConnection(Credential("Router-WPS", 32, 8, "push-the-button"), w.hidden().Session());
  const std::vector<std::uint8_t> sent = w.driver().Stored(OID_DOT11_DESIRED_BSSID_LIST);
  const std::vector<std::uint8_t> expected = {0x80, 1, 20,   0,    1,    0,    0,    0,    1, 0,
                                              0,    0, 0x00, 0x22, 0x75, 0xC4, 0xB0, 0x0B, 0, 0};
  EXPECT_EQ(sent, expected);
}

}  // namespace
}  // namespace nxui
