// The credential detail view: the read-only texts of an enrollee's credential (the two forms of a
// WEP key), and the registrar's editor of credential 0 with its lists, limits, key checks and the
// question for an open network.
#include <gtest/gtest.h>

#include "shell/ShellIds.h"
#include "wps/WpsPageWorld.h"
#include "wps/WpsRecords.h"
#include "wps/WpsRegistrar.h"

namespace nxui {
namespace {

using test::WpsPageWorld;

struct ShownCase {
  const char* name;
  std::uint32_t auth, encr, keyIndex;
  const char* key;
  const char* authText;
  const char* encText;
  const char* keyLengthText;
  const char* keyIndexText;
  const char* shownKey;
  bool asciiVisible;
  const char* asciiKey;  // with "ASCII Format" checked
  const char* asciiLengthText;
};

class WpsDetailShown : public ::testing::TestWithParam<ShownCase> {
 protected:
  void SetUp() override {
    ASSERT_NE(w.world, nullptr) << w.error;
    w.Start();
  }
  WpsPageWorld w{test::WpsPageScenario()};
};

TEST_P(WpsDetailShown, ReadOnlyTextsOfAnEnrolleeCredential) {
  const ShownCase& c = GetParam();
  WpsCredentialTable table{};
  table.count = 1;
  WpsCredential& credential = table.credentials[0];
  SetCredentialSsid(credential, "Net");
  credential.authType = c.auth;
  credential.encrType = c.encr;
  credential.keyIndex = c.keyIndex;
  SetCredentialKey(credential, c.key);
  const std::uint8_t mac[6] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
  std::copy(std::begin(mac), std::end(mac), credential.mac);

  CPageWPSProfile& detail = w.Detail();
  detail.ShowCredential(table, 0, false);
  const WpsProfileState& s = detail.State();
  EXPECT_FALSE(s.editable);
  EXPECT_EQ(s.ssid, "Net");
  EXPECT_EQ(s.bssid, "00-1A-2B-3C-4D-5E");
  EXPECT_EQ(s.authText, c.authText);
  EXPECT_EQ(s.encText, c.encText);
  EXPECT_EQ(s.keyLengthText, c.keyLengthText);
  EXPECT_EQ(s.keyIndexText, c.keyIndexText);
  EXPECT_EQ(s.key, c.shownKey);
  EXPECT_TRUE(s.keyReadOnly);
  EXPECT_EQ(s.asciiVisible, c.asciiVisible);
  EXPECT_EQ(detail.ShownKey(), std::string(s.key.size(), '*')) << "masked until Show Password";
  detail.OnAsciiFormatChanged(true);
  EXPECT_EQ(detail.State().key, c.asciiKey);
  EXPECT_EQ(detail.State().keyLengthText, c.asciiLengthText);
  detail.OnAsciiFormatChanged(false);
  EXPECT_EQ(detail.State().key, c.shownKey);
}

INSTANTIATE_TEST_SUITE_P(
    Credentials, WpsDetailShown,
    ::testing::Values(ShownCase{"open", 1, 1, 0, "", "开放系统", "无", "", "", "", false, "", ""},
                      ShownCase{"wpa2_psk", 32, 8, 0, "passphrase", "WPA2-PSK", "AES", "10", "Key#1", "passphrase",
                                false, "passphrase", "10"},
                      ShownCase{"mixed_types", 34, 12, 1, "k1234567", "WPA-PSK;WPA2-PSK", "TKIP;AES", "8", "Key#2",
                                "k1234567", false, "k1234567", "8"},
                      ShownCase{"index_flag_masked", 2, 4, 0x80000002u, "k1234567", "WPA-PSK", "TKIP", "8", "Key#3",
                                "k1234567", false, "k1234567", "8"},
                      ShownCase{"wep_ascii_5", 1, 2, 0, "abcde", "开放系统", "WEP", "10", "Key#1", "6162636465", true,
                                "abcde", "5"},
                      ShownCase{"wep_hex_10", 4, 2, 3, "4142434445", "共享密钥", "WEP", "10", "Key#4", "4142434445",
                                true, "ABCDE", "5"},
                      ShownCase{"wep_ascii_13", 1, 2, 1, "ABCDEFGHIJKLM", "开放系统", "WEP", "26", "Key#2",
                                "4142434445464748494a4b4c4d", true, "ABCDEFGHIJKLM", "13"},
                      ShownCase{"wep_hex_26", 1, 2, 0, "4142434445464748494A4B4C4D", "开放系统", "WEP", "26", "Key#1",
                                "4142434445464748494A4B4C4D", true, "ABCDEFGHIJKLM", "13"},
                      // Neither form: shown as stored either way.
                      ShownCase{"wep_20_characters", 1, 2, 0, "ABCDEFGHIJKLMNOPQRST", "开放系统", "WEP", "20", "Key#1",
                                "ABCDEFGHIJKLMNOPQRST", true, "ABCDEFGHIJKLMNOPQRST", "20"},
                      ShownCase{"unknown_types", 3, 16, 0, "k", "", "", "1", "Key#1", "k", false, "k", "1"}),
    [](const auto& row) { return std::string(row.param.name); });

class WpsDetailEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(w.world, nullptr) << w.error;
    w.Start();
    w.Page().OnConfigModeChanged(1);
    ASSERT_EQ(w.Engine().Count(), 1u);
  }
  // Credential 0 replaced and the detail view opened on it.
  void Open(std::uint32_t auth, std::uint32_t encr, std::uint32_t keyIndex, const char* key) {
    WpsCredential& c = w.Engine().table.credentials[0];
    c.authType = auth;
    c.encrType = encr;
    c.keyIndex = keyIndex;
    SetCredentialKey(c, key);
    OpenDetail();
  }
  void OpenDetail() {
    w.Page().OnCredentialRowClicked(0);
    w.Page().OnDetail();
    ASSERT_EQ(w.VisiblePanel(), CPageWPSProfile::kPanel);
  }
  CPageWPSProfile& D() { return w.Detail(); }
  const WpsProfileState& S() { return w.Detail().State(); }

  WpsPageWorld w{test::WpsPageScenario()};
};

TEST_F(WpsDetailEditor, TheGeneratedCredentialIsEditedAsWpa2PskAes) {
  OpenDetail();
  EXPECT_TRUE(S().editable);
  EXPECT_EQ(S().authList.items, (std::vector<std::string>{"Open", "WPA-PSK", "WPA2-PSK"}));
  EXPECT_EQ(S().authList.selected, 2);
  EXPECT_EQ(S().encList.items, (std::vector<std::string>{"TKIP", "AES"}));
  EXPECT_EQ(S().encList.selected, 1);
  EXPECT_FALSE(S().keyLengthList.enabled);
  EXPECT_FALSE(S().keyIndexList.enabled);
  EXPECT_EQ(S().keyLimit, 64);
  EXPECT_EQ(S().key.size(), 64u);
  EXPECT_FALSE(S().keyReadOnly);
  EXPECT_FALSE(S().asciiVisible);
  EXPECT_EQ(S().ssid.substr(0, 7), "ExRegNW");
}

struct ListCase {
  const char* name;
  std::uint32_t auth, encr, keyIndex;
  const char* key;
  int authPosition, encPosition, keyLengthPosition, keyIndexPosition;
  bool wepLists;
  int keyLimit;
  bool keyReadOnly;
};

class WpsDetailLists : public WpsDetailEditor, public ::testing::WithParamInterface<ListCase> {};

TEST_P(WpsDetailLists, SetFromCredentialZero) {
  const ListCase& c = GetParam();
  Open(c.auth, c.encr, c.keyIndex, c.key);
  EXPECT_EQ(S().authList.selected, c.authPosition);
  EXPECT_EQ(S().encList.selected, c.encPosition);
  EXPECT_EQ(S().keyLengthList.selected, c.keyLengthPosition);
  EXPECT_EQ(S().keyIndexList.selected, c.keyIndexPosition);
  EXPECT_EQ(S().keyLengthList.enabled, c.wepLists);
  EXPECT_EQ(S().keyIndexList.enabled, c.wepLists);
  EXPECT_EQ(S().keyLimit, c.keyLimit);
  EXPECT_EQ(S().keyReadOnly, c.keyReadOnly);
}

INSTANTIATE_TEST_SUITE_P(
    Registrar, WpsDetailLists,
    ::testing::Values(ListCase{"open_none", 1, 1, 0, "", 0, 0, 0, 0, false, 64, true},
                      ListCase{"wep_13_index_2", 1, 2, 2, "ABCDEFGHIJKLM", 0, 1, 2, 2, true, 13, false},
                      ListCase{"wep_10", 1, 2, 0, "0123456789", 0, 1, 1, 0, true, 10, false},
                      ListCase{"wep_26", 1, 2, 3, "0123456789abcdef0123456789", 0, 1, 3, 3, true, 26, false},
                      ListCase{"wep_odd_length_index_out_of_range", 1, 2, 9, "abcdefg", 0, 1, 0, 0, true, 5, false},
                      ListCase{"wpa_psk_tkip_aes", 2, 12, 0, "12345678", 1, 0, 0, 0, false, 64, false},
                      ListCase{"wpa_wpa2_psk_aes", 34, 8, 0, "12345678", 1, 1, 0, 0, false, 64, false},
                      ListCase{"wpa2_psk_tkip", 32, 4, 0, "12345678", 2, 0, 0, 0, false, 64, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(WpsDetailEditor, ChoicesSetTheKeyFieldsLimit) {
  OpenDetail();
  D().OnKeyEdited("some pass phrase");
  // WPA-PSK and WPA2-PSK are one group: the encryption list stays as chosen.
  D().OnEncChanged(0);
  D().OnAuthChanged(1);
  EXPECT_EQ(S().encList.items, (std::vector<std::string>{"TKIP", "AES"}));
  EXPECT_EQ(S().encList.selected, 0);
  EXPECT_EQ(S().key, "some pass phrase");

  D().OnAuthChanged(0);
  EXPECT_EQ(S().encList.items, (std::vector<std::string>{"无", "WEP"}));
  EXPECT_EQ(S().encList.selected, 0);
  EXPECT_TRUE(S().keyReadOnly);
  EXPECT_EQ(S().key, "") << "no key is saved for an open network";
  D().OnKeyEdited("typed");
  EXPECT_EQ(S().key, "");

  D().OnEncChanged(1);
  EXPECT_FALSE(S().keyReadOnly);
  EXPECT_TRUE(S().keyLengthList.enabled);
  EXPECT_EQ(S().keyLimit, 5);
  D().OnKeyEdited("abcdefgh");
  EXPECT_EQ(S().key, "abcde") << "the field takes at most its limit";
  D().OnKeyLengthChanged(0);
  EXPECT_EQ(S().key, "abcde") << "the same limit keeps the key";
  D().OnKeyLengthChanged(3);
  EXPECT_EQ(S().keyLimit, 26);
  EXPECT_EQ(S().key, "") << "a new limit empties the key";
  D().OnKeyIndexChanged(3);
  EXPECT_EQ(S().keyIndexList.selected, 3);
  D().OnKeyLengthChanged(4);
  EXPECT_EQ(S().keyLengthList.selected, 3) << "no such position";

  D().OnKeyEdited("0123456789abcdef0123456789");
  D().OnAuthChanged(2);
  EXPECT_EQ(S().encList.items, (std::vector<std::string>{"TKIP", "AES"}));
  EXPECT_EQ(S().keyLimit, 64);
  EXPECT_FALSE(S().keyLengthList.enabled);
  EXPECT_EQ(S().key, "0123456789abcdef0123456789") << "a WPA entry keeps the key";
}

struct KeyCheckCase {
  const char* name;
  int keyLengthPosition;  // -1: WPA2-PSK
  const char* key;
  const char* tip;
};

class WpsDetailKeyCheck : public WpsDetailEditor, public ::testing::WithParamInterface<KeyCheckCase> {};

TEST_P(WpsDetailKeyCheck, ShortKeysAreRefusedAtTheField) {
  const KeyCheckCase& c = GetParam();
  OpenDetail();
  if (c.keyLengthPosition >= 0) {
    D().OnAuthChanged(0);
    D().OnEncChanged(1);
    D().OnKeyLengthChanged(c.keyLengthPosition);
  }
  D().OnKeyEdited(c.key);
  const WpsCredential before = w.Engine().table.credentials[0];
  EXPECT_EQ(D().OnOk(), RegistrarSaveResult::KeyRefused);
  EXPECT_EQ(S().keyTip, c.tip);
  EXPECT_EQ(w.VisiblePanel(), CPageWPSProfile::kPanel) << "the view stays open";
  EXPECT_EQ(CredentialSsid(w.Engine().table.credentials[0]), CredentialSsid(before));
  EXPECT_EQ(CredentialKey(w.Engine().table.credentials[0]), CredentialKey(before));
  D().OnKeyEdited(c.key);
  EXPECT_EQ(S().keyTip, "") << "typing takes the tip away";
}

INSTANTIATE_TEST_SUITE_P(Registrar, WpsDetailKeyCheck,
                         ::testing::Values(KeyCheckCase{"wep_5", 0, "abcd", wps_text::kWepKey5},
                                           KeyCheckCase{"wep_10", 1, "012345678", wps_text::kWepKey10},
                                           KeyCheckCase{"wep_13", 2, "", wps_text::kWepKey13},
                                           KeyCheckCase{"wep_26", 3, "0123456789abcdef012345678", wps_text::kWepKey26},
                                           KeyCheckCase{"wpa_7", -1, "1234567", wps_text::kWpaKey}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(WpsDetailEditor, OpenNetworkAsksAndCancelKeepsTheViewOpen) {
  OpenDetail();
  D().OnAuthChanged(0);
  D().OnSsidEdited("Guest");
  w.views.answerOk = false;
  EXPECT_EQ(D().OnOk(), RegistrarSaveResult::Cancelled);
  ASSERT_FALSE(w.views.messages.empty());
  EXPECT_EQ(w.views.messages.back(), "您的配置尚存在风险。");
  EXPECT_EQ(w.VisiblePanel(), CPageWPSProfile::kPanel);
  EXPECT_NE(CredentialSsid(w.Engine().table.credentials[0]), "Guest");

  w.views.answerOk = true;
  EXPECT_EQ(D().OnOk(), RegistrarSaveResult::Saved);
  EXPECT_EQ(w.VisiblePanel(), kPanelLinkStatus) << "back to the view shown before";
  const WpsCredential& saved = w.Engine().table.credentials[0];
  EXPECT_EQ(CredentialSsid(saved), "Guest");
  EXPECT_EQ(saved.authType, wps_auth::kOpen);
  EXPECT_EQ(saved.encrType, wps_encr::kNone);
  EXPECT_EQ(saved.keyLength, 0u);
  ASSERT_EQ(w.Page().State().credentialRows.size(), 1u);
  EXPECT_EQ(w.Page().State().credentialRows[0].ssid, "Guest") << "the page's list is rebuilt";
  EXPECT_FALSE(w.Page().State().credentialRows[0].locked);
}

TEST_F(WpsDetailEditor, SavedWpaChoiceReachesCredentialZeroAndCancelChangesNothing) {
  OpenDetail();
  D().OnAuthChanged(1);
  D().OnEncChanged(0);
  D().OnKeyEdited("a fine pass phrase");
  D().OnSsidEdited(std::string(40, 'S'));
  EXPECT_EQ(S().ssid.size(), 32u) << "the SSID field takes 32 characters";
  D().OnCancel();
  EXPECT_EQ(w.VisiblePanel(), kPanelLinkStatus);
  EXPECT_EQ(w.Engine().table.credentials[0].authType, wps_auth::kWpa2Psk);

  OpenDetail();
  D().OnAuthChanged(1);
  D().OnEncChanged(0);
  D().OnKeyEdited("a fine pass phrase");
  ASSERT_EQ(D().OnOk(), RegistrarSaveResult::Saved);
  const WpsCredential& saved = w.Engine().table.credentials[0];
  EXPECT_EQ(saved.authType, wps_auth::kWpaPsk);
  EXPECT_EQ(saved.encrType, wps_encr::kTkip);
  EXPECT_EQ(CredentialKey(saved), "a fine pass phrase");
  EXPECT_EQ(saved.keyLength, 18u);
}

}  // namespace
}  // namespace nxui
