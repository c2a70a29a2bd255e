#include <gtest/gtest.h>

#include <string>

#include "display/StringTable.h"
#include "profiles/CPageAuthEncryDlg.h"
#include "profiles/EditorFakes.h"

namespace nxui {
namespace {

using test::FakeEditorEnvironment;
using test::RecordingEditorWindow;

class SecurityTab : public ::testing::Test {
 protected:
  StringTable strings{Language::kChinese};
  FakeEditorEnvironment environment;
  CPageAuthEncryDlg tab{strings, environment};

  std::string AuthMenu() {
    tab.OnAuthMenuOpen();
    std::string s;
    for (const MenuItemState& item : tab.State().authMenu) s += item.enabled ? '1' : '0';
    return s;
  }
  std::string EncMenu() {
    tab.OnEncMenuOpen();
    std::string s;
    for (const MenuItemState& item : tab.State().encMenu) s += item.enabled ? '1' : '0';
    return s;
  }
};

TEST_F(SecurityTab, AuthenticationItemsPerModeSystemAndAdapter) {
  // Items: Open, Shared, LEAP, WPA, WPA-PSK, WPA2, WPA2-PSK, WPA-None.
  struct Row {
    const char* name;
    bool infrastructure;
    OsGeneration os;
    bool ready;
    bool adhocWpa2Psk;
    const char* expected;
  };
  const Row rows[] = {
      {"infrastructure, Vista", true, kOsVista, true, false, "11111110"},
      {"infrastructure, generation 7 still offers WPA2", true, kOsWin2000, true, false, "11111110"},
      {"infrastructure, generation 6 has no WPA2", true, kOsNt4, true, false, "11111000"},
      {"infrastructure before adapter-ready: no WPA family", true, kOsVista, false, false, "11100000"},
      {"ad hoc without RSNA-PSK/CCMP", false, kOsVista, true, false, "10000001"},
      {"ad hoc with RSNA-PSK/CCMP", false, kOsVista, true, true, "10000011"},
      {"ad hoc before adapter-ready", false, kOsVista, false, true, "10000000"},
  };
  for (const Row& row : rows) {
    environment.os = row.os;
    environment.ready = row.ready;
    environment.adhocWpa2Psk = row.adhocWpa2Psk;
    tab.LoadDefaults();
    tab.SetInfrastructure(row.infrastructure);
    EXPECT_EQ(AuthMenu(), row.expected) << row.name;
  }
}

TEST_F(SecurityTab, TheAdhocQueryRunsEachTimeTheMenuOpens) {
  tab.SetInfrastructure(false);
  AuthMenu();
  environment.adhocWpa2Psk = true;
  EXPECT_EQ(AuthMenu()[kAuthWpa2Psk], '1');
  EXPECT_GE(environment.adhocQueries, 2);
}

TEST_F(SecurityTab, EncryptionItemsPerAuthentication) {
  // Items: None, WEP, TKIP, AES.
  struct Row {
    int auth;
    bool infrastructure;
    const char* expected;
  };
  const Row rows[] = {
      {kAuthOpen, true, "1100"},   {kAuthShared, true, "0100"},   {kAuthWpa, true, "0011"},
      {kAuthWpaPsk, true, "0011"}, {kAuthWpa2, true, "0011"},     {kAuthWpa2Psk, true, "0011"},
      {kAuthOpen, false, "1100"},  {kAuthWpaNone, false, "0001"},
  };
  environment.adhocWpa2Psk = true;
  for (const Row& row : rows) {
    tab.LoadDefaults();
    tab.SetInfrastructure(row.infrastructure);
    ASSERT_TRUE(tab.OnAuthSelected(row.auth)) << row.auth;
    EXPECT_EQ(EncMenu(), row.expected) << "auth " << row.auth << (row.infrastructure ? " infra" : " adhoc");
  }
}

TEST_F(SecurityTab, LeapLeavesTheNoneItemAsTheMenuLastHadIt) {
  EncMenu();  // Open: None offered
  tab.OnAuthSelected(kAuthLeap);
  EXPECT_EQ(EncMenu(), "1100");
  tab.OnAuthSelected(kAuthShared);
  EncMenu();  // Shared: None not offered
  tab.OnAuthSelected(kAuthLeap);
  EXPECT_EQ(EncMenu(), "0100");
  EXPECT_FALSE(tab.OnEncSelected(kEncNone));
}

TEST_F(SecurityTab, ConsistencyRulesAfterEachChange) {
  struct Row {
    const char* name;
    bool infrastructure;
    int firstAuth;
    int enc;  // chosen after firstAuth, -1 for none
    int secondAuth;
    int expectedAuth, expectedEnc, expected8021X;
    bool box, leap, psk, keys;
  };
  const Row rows[] = {
      {"Shared with None becomes WEP", true, kAuthShared, -1, -1, kAuthShared, kEncWep, 0, false, false, false, true},
      {"WPA-PSK turns None into TKIP", true, kAuthWpaPsk, -1, -1, kAuthWpaPsk, kEncTkip, 0, false, false, true, false},
      {"WPA turns WEP into TKIP and needs 802.1X", true, kAuthOpen, kEncWep, kAuthWpa, kAuthWpa, kEncTkip, 1, false,
       false, false, false},
      {"WPA2 keeps AES", true, kAuthWpa2Psk, kEncAes, kAuthWpa2, kAuthWpa2, kEncAes, 1, false, false, false, false},
      {"Open after WPA drops TKIP", true, kAuthWpaPsk, -1, kAuthOpen, kAuthOpen, kEncNone, 0, false, false, false,
       false},
      {"Open with WEP shows the 802.1X box", true, kAuthOpen, kEncWep, -1, kAuthOpen, kEncWep, 0, true, false, false,
       true},
      {"LEAP shows its fields", true, kAuthLeap, -1, -1, kAuthLeap, kEncNone, 0, false, true, false, false},
      {"LEAP with WEP enables the keys", true, kAuthLeap, kEncWep, -1, kAuthLeap, kEncWep, 0, false, true, false, true},
      {"ad hoc WPA2-PSK turns None into AES", false, kAuthWpa2Psk, -1, -1, kAuthWpa2Psk, kEncAes, 0, false, false, true,
       false},
      {"ad hoc WPA-None survives with AES", false, kAuthWpaNone, -1, -1, kAuthWpaNone, kEncAes, 0, false, false, true,
       false},
      {"ad hoc Open with WEP hides the 802.1X box", false, kAuthOpen, kEncWep, -1, kAuthOpen, kEncWep, 0, false, false,
       false, true},
  };
  environment.adhocWpa2Psk = true;
  for (const Row& row : rows) {
    tab.LoadDefaults();
    tab.SetInfrastructure(row.infrastructure);
    ASSERT_TRUE(tab.OnAuthSelected(row.firstAuth)) << row.name;
    if (row.enc >= 0) {
      ASSERT_TRUE(tab.OnEncSelected(row.enc)) << row.name;
    }
    if (row.secondAuth >= 0) {
      ASSERT_TRUE(tab.OnAuthSelected(row.secondAuth)) << row.name;
    }
    const AuthEncryState& s = tab.State();
    EXPECT_EQ(s.values.authIndex, row.expectedAuth) << row.name;
    EXPECT_EQ(s.values.encIndex, row.expectedEnc) << row.name;
    EXPECT_EQ(s.values.use8021X, row.expected8021X) << row.name;
    EXPECT_EQ(s.box8021XVisible, row.box) << row.name;
    EXPECT_EQ(s.leapVisible, row.leap) << row.name;
    EXPECT_EQ(s.pskEnabled, row.psk) << row.name;
    EXPECT_EQ(s.keysEnabled, row.keys) << row.name;
  }
}

TEST_F(SecurityTab, SwitchingToAdhocReplacesWhatAdhocCannotUse) {
  struct Row {
    int auth;
    int expected;
  };
  const Row rows[] = {{kAuthWpaPsk, kAuthOpen}, {kAuthShared, kAuthOpen}, {kAuthLeap, kAuthOpen},
                      {kAuthWpa, kAuthOpen},    {kAuthWpa2, kAuthOpen},   {kAuthWpa2Psk, kAuthWpa2Psk}};
  for (const Row& row : rows) {
    tab.LoadDefaults();
    ASSERT_TRUE(tab.OnAuthSelected(row.auth));
    tab.SetInfrastructure(false);
    EXPECT_EQ(tab.Values().authIndex, row.expected) << row.auth;
    EXPECT_FALSE(tab.State().box8021XVisible);
    EXPECT_EQ(tab.Values().use8021X, 0);
  }
  // Back in infrastructure WPA-None has no menu item: it is the WPA-PSK it is stored as.
  environment.ready = true;
  tab.LoadDefaults();
  tab.SetInfrastructure(false);
  ASSERT_TRUE(tab.OnAuthSelected(kAuthWpaNone));
  tab.SetInfrastructure(true);
  EXPECT_EQ(tab.Values().authIndex, kAuthWpaPsk);
  EXPECT_EQ(tab.Values().encIndex, kEncAes);
}

TEST_F(SecurityTab, ItemsNotOfferedAreRefused) {
  environment.os = kOsNt4;
  EXPECT_FALSE(tab.OnAuthSelected(kAuthWpa2Psk));
  EXPECT_FALSE(tab.OnAuthSelected(kAuthWpaNone));
  EXPECT_FALSE(tab.OnEncSelected(kEncAes));
  EXPECT_EQ(tab.Values().authIndex, kAuthOpen);
  EXPECT_EQ(tab.Values().encIndex, kEncNone);
}

TEST_F(SecurityTab, DynamicWepIsTheOnlyPlaceThe8021XBoxWorks) {
  EXPECT_FALSE(tab.On8021X(true));  // Open with None: hidden
  tab.OnEncSelected(kEncWep);
  ASSERT_TRUE(tab.On8021X(true));
  EXPECT_FALSE(tab.State().keysEnabled);
  tab.On8021X(false);
  EXPECT_TRUE(tab.State().keysEnabled);
  tab.On8021X(true);
  tab.OnEncSelected(kEncNone);  // None clears it
  EXPECT_EQ(tab.Values().use8021X, 0);
  EXPECT_FALSE(tab.State().box8021XVisible);
}

TEST_F(SecurityTab, OnlyTheDefaultKeyIsEditableAndAdhocStartsAtKeyOne) {
  tab.OnAuthSelected(kAuthShared);
  tab.OnDefaultKey(2);
  EXPECT_EQ(tab.State().keyEditEnabled, (std::array<bool, 4>{false, false, true, false}));
  tab.OnAuthSelected(kAuthOpen);
  tab.OnEncSelected(kEncNone);  // keys disabled
  tab.SetInfrastructure(false);
  tab.OnDefaultKey(3);
  tab.OnEncSelected(kEncWep);  // keys enabled again, in ad hoc
  EXPECT_EQ(tab.Values().defaultKey, 0);
  EXPECT_TRUE(tab.State().keyEditEnabled[0]);
}

TEST_F(SecurityTab, KeyEditsKeepWhatTheEditWouldTake) {
  struct Row {
    const char* name;
    int type;
    std::string typed;
    std::string kept;
  };
  const Row rows[] = {
      {"hex takes hex digits of both cases", kKeyHex, "0123456789abcdefABCDEF", "0123456789abcdefABCDEF"},
      {"hex drops other characters", kKeyHex, "12:34-zz", "1234"},
      {"hex stops at 26", kKeyHex, std::string(27, 'a'), std::string(26, 'a')},
      {"ascii takes anything", kKeyAscii, "a b;=[", "a b;=["},
      {"ascii stops at 13 bytes", kKeyAscii, std::string(14, 'x'), std::string(13, 'x')},
      {"ascii never cuts a character", kKeyAscii, "abcdefghijkl\xE4\xB8\xAD", "abcdefghijkl"},
  };
  for (const Row& row : rows) {
    tab.OnKeyTypeSelected(1, row.type);
    EXPECT_EQ(tab.SetKeyText(1, row.typed), row.typed == row.kept) << row.name;
    EXPECT_EQ(tab.Values().key[1], row.kept) << row.name;
  }
  // Changing the type keeps the text; the new limit applies to what is typed next.
  tab.OnKeyTypeSelected(1, kKeyHex);
  tab.SetKeyText(1, std::string(26, 'b'));
  tab.OnKeyTypeSelected(1, kKeyAscii);
  EXPECT_EQ(tab.Values().key[1], std::string(26, 'b'));
  EXPECT_EQ(tab.State().keyMaxLength[1], kAsciiKeyMaxLength);
  EXPECT_FALSE(tab.SetPreSharedKey(std::string(65, 'p')));
  EXPECT_EQ(tab.Values().preSharedKey.size(), 64u);
}

TEST_F(SecurityTab, ShowPasswordMasksEverySecretCharacter) {
  EXPECT_TRUE(tab.State().masked);
  EXPECT_EQ(tab.Shown("pass word"), "*********");
  EXPECT_EQ(tab.Shown("密码12"), "****");
  tab.OnShowPassword(true);
  EXPECT_EQ(tab.Shown("密码12"), "密码12");
}

// --- Validate -----------------------------------------------------------------------------------

struct ValidateRow {
  const char* name;
  int auth;
  int enc;
  bool use8021X;
  int defaultKey;
  int keyType;
  std::string key;  // the default key
  std::string psk;
  const char* message;  // nullptr: accepted
};

void PrintTo(const ValidateRow& row, std::ostream* os) { *os << row.name; }

class SecurityValidate : public SecurityTab, public ::testing::WithParamInterface<ValidateRow> {};

TEST_P(SecurityValidate, AcceptsOrReportsBesideTheEdit) {
  const ValidateRow& row = GetParam();
  tab.OnAuthSelected(row.auth);
  if (row.enc >= 0) tab.OnEncSelected(row.enc);
  if (row.use8021X) tab.On8021X(true);
  tab.OnDefaultKey(row.defaultKey);
  tab.OnKeyTypeSelected(row.defaultKey, row.keyType);
  tab.SetKeyText(row.defaultKey, row.key);
  tab.SetPreSharedKey(row.psk);
  RecordingEditorWindow window;
  const int result = tab.Validate(window);
  if (row.message == nullptr) {
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(window.hints.empty());
    return;
  }
  EXPECT_EQ(result, 0);
  ASSERT_EQ(window.hints.size(), 1u);
  EXPECT_EQ(window.hints[0].second, row.message);
  const bool pskProblem = row.auth == kAuthWpaPsk || row.auth == kAuthWpa2Psk || row.auth == kAuthWpaNone;
  EXPECT_EQ(window.hints[0].first, pskProblem ? EditorField::PreSharedKey : WepKeyField(row.defaultKey));
  EXPECT_TRUE(window.messages.empty()) << "validation uses the hint window, not the message box";
}

const char* const kShort = "非法的 WPA 预共享密钥。 WPA-PSK 有效域必须超过8个字符。";
const char* const kNotHex = "非法的 WPA 预共享密钥。 WPA-PSK 有效域应该为64位16进制数字。";
const char* const kHex1 = "非法的 WEP 共享密钥1 长度。WEP 共享密钥长度应该为10或者26位16进制数字。";
const char* const kHex2 = "非法的 WEP 共享密钥2 长度。WEP 共享密钥长度应该为10或者26位16进制数字。";
const char* const kHex3 = "非法的 WEP 共享密钥3 长度。WEP 共享密钥长度应该为10或者26位16进制数字。";
const char* const kHex4 = "非法的 WEP 共享密钥4 长度。WEP 共享密钥长度应该为10或者26位16进制数字。";
const char* const kAscii1 = "非法的 WEP 共享密钥1 长度。WEP 共享密钥长度应该为5或者13位ASCII码字符。";
const char* const kAscii2 = "非法的 WEP 共享密钥2 长度。WEP 共享密钥长度应该为5或者13位ASCII码字符。";
const char* const kAscii3 = "非法的 WEP 共享密钥3 长度。WEP 共享密钥长度应该为5或者13位ASCII码字符。";
const char* const kAscii4 = "非法的 WEP 共享密钥4 长度。WEP 共享密钥长度应该为5或者13位ASCII码字符。";
const std::string k64Hex = "0123456789abcdefABCDEF0123456789abcdefABCDEF0123456789abcdef0123";

INSTANTIATE_TEST_SUITE_P(
    SecurityTab, SecurityValidate,
    ::testing::Values(
        ValidateRow{"psk 7 rejected", kAuthWpaPsk, -1, false, 0, 0, "", "1234567", kShort},
        ValidateRow{"psk empty rejected", kAuthWpa2Psk, -1, false, 0, 0, "", "", kShort},
        ValidateRow{"psk 8 accepted", kAuthWpaPsk, -1, false, 0, 0, "", "12345678", nullptr},
        ValidateRow{"psk 63 accepted", kAuthWpa2Psk, -1, false, 0, 0, "", std::string(63, 'g'), nullptr},
        ValidateRow{"psk 64 hex both cases", kAuthWpa2Psk, -1, false, 0, 0, "", k64Hex, nullptr},
        ValidateRow{"psk 64 with a G", kAuthWpaPsk, -1, false, 0, 0, "", "G" + k64Hex.substr(1), kNotHex},
        ValidateRow{"psk 65 is cut to 64 by the edit", kAuthWpaPsk, -1, false, 0, 0, "", k64Hex + "z", nullptr},
        ValidateRow{"WPA with 802.1X needs no key", kAuthWpa, -1, false, 0, 0, "", "", nullptr},
        ValidateRow{"shared hex 9", kAuthShared, -1, false, 0, kKeyHex, "123456789", "", kHex1},
        ValidateRow{"shared hex 10", kAuthShared, -1, false, 0, kKeyHex, "123456789a", "", nullptr},
        ValidateRow{"shared hex 11", kAuthShared, -1, false, 1, kKeyHex, "123456789ab", "", kHex2},
        ValidateRow{"shared hex 25", kAuthShared, -1, false, 3, kKeyHex, std::string(25, 'c'), "", kHex4},
        ValidateRow{"shared hex 26", kAuthShared, -1, false, 3, kKeyHex, std::string(26, 'c'), "", nullptr},
        ValidateRow{"shared hex 12 on key 3", kAuthShared, -1, false, 2, kKeyHex, "123456789012", "", kHex3},
        ValidateRow{"open WEP ascii 4", kAuthOpen, kEncWep, false, 0, kKeyAscii, "abcd", "", kAscii1},
        ValidateRow{"open WEP ascii 5", kAuthOpen, kEncWep, false, 1, kKeyAscii, "abcde", "", nullptr},
        ValidateRow{"open WEP ascii 6", kAuthOpen, kEncWep, false, 1, kKeyAscii, "abcdef", "", kAscii2},
        ValidateRow{"open WEP ascii 12", kAuthOpen, kEncWep, false, 2, kKeyAscii, std::string(12, 'q'), "", kAscii3},
        ValidateRow{"open WEP ascii 13", kAuthOpen, kEncWep, false, 3, kKeyAscii, std::string(13, 'q'), "", nullptr},
        ValidateRow{"shared ascii empty", kAuthShared, -1, false, 3, kKeyAscii, "", "", kAscii4},
        ValidateRow{"open WEP with 802.1X skips the keys", kAuthOpen, kEncWep, true, 0, kKeyHex, "1", "", nullptr},
        ValidateRow{"open without encryption skips the keys", kAuthOpen, -1, false, 0, kKeyHex, "1", "", nullptr},
        ValidateRow{"LEAP skips the keys", kAuthLeap, -1, false, 0, kKeyHex, "1", "", nullptr}));

TEST_F(SecurityTab, OnlyTheDefaultKeyIsExamined) {
  tab.OnAuthSelected(kAuthShared);
  for (int k = 0; k < 4; ++k) tab.SetKeyText(k, "12");  // all wrong
  tab.OnDefaultKey(2);
  tab.SetKeyText(2, "1234567890");
  RecordingEditorWindow window;
  EXPECT_EQ(tab.Validate(window), 1);
  EXPECT_TRUE(window.hints.empty());
}

TEST_F(SecurityTab, AHexKeyLoadedWithOtherCharactersIsRefused) {
  ProfileRecord record;
  record.authMode = "1";
  record.cipherMode = "0";
  record.wepKeyUse = "1";
  record.wepKey1 = "zzzzzzzzzz";
  record.wepKey1Type = "0";
  tab.Load(record);
  RecordingEditorWindow window;
  EXPECT_EQ(tab.Validate(window), 0);
  ASSERT_EQ(window.hints.size(), 1u);
  EXPECT_EQ(window.hints[0].first, EditorField::WepKey1);
}

// --- Code mappings ------------------------------------------------------------------------------

TEST_F(SecurityTab, StoredCodesForEveryChoice) {
  struct Row {
    const char* name;
    bool infrastructure;
    int auth, enc, leapEncryption;
    const char* authMode;
    const char* cipherMode;
    const char* leapEnabled;
    const char* use8021X;
  };
  const Row rows[] = {
      {"open none", true, kAuthOpen, kEncNone, 0, "0", "1", "0", "0"},
      {"open wep", true, kAuthOpen, kEncWep, 0, "0", "0", "0", "0"},
      {"shared", true, kAuthShared, kEncWep, 0, "1", "0", "0", "0"},
      {"wpa tkip", true, kAuthWpa, kEncTkip, 0, "3", "4", "0", "1"},
      {"wpa-psk aes", true, kAuthWpaPsk, kEncAes, 0, "4", "6", "0", "0"},
      {"wpa2", true, kAuthWpa2, kEncAes, 0, "6", "6", "0", "1"},
      {"wpa2-psk", true, kAuthWpa2Psk, kEncAes, 0, "7", "6", "0", "0"},
      {"leap wep", true, kAuthLeap, kEncNone, kLeapEncWep, "0", "0", "1", "0"},
      {"leap wpa-tkip", true, kAuthLeap, kEncNone, kLeapEncWpaTkip, "3", "4", "1", "0"},
      {"leap wpa2-aes", true, kAuthLeap, kEncNone, kLeapEncWpa2Aes, "6", "6", "1", "0"},
      {"ad hoc wpa-none", false, kAuthWpaNone, kEncAes, 0, "5", "6", "0", "0"},
      {"ad hoc wpa2-psk", false, kAuthWpa2Psk, kEncAes, 0, "7", "6", "0", "0"},
  };
  environment.adhocWpa2Psk = true;
  for (const Row& row : rows) {
    tab.LoadDefaults();
    tab.SetInfrastructure(row.infrastructure);
    ASSERT_TRUE(tab.OnAuthSelected(row.auth)) << row.name;
    tab.OnEncSelected(row.enc);
    tab.OnLeapEncryption(row.leapEncryption);
    ProfileRecord record;
    tab.Store(record);
    EXPECT_EQ(record.authMode, row.authMode) << row.name;
    EXPECT_EQ(record.cipherMode, row.cipherMode) << row.name;
    EXPECT_EQ(record.leapEnabled, row.leapEnabled) << row.name;
    EXPECT_EQ(record.use8021X, row.use8021X) << row.name;

    // Loading the stored codes gives the same choices back.
    record.networkType = row.infrastructure ? "1" : "0";
    CPageAuthEncryDlg loaded(strings, environment);
    loaded.Load(record);
    EXPECT_EQ(loaded.Values().authIndex, row.auth) << row.name;
    if (row.auth != kAuthLeap) {
      EXPECT_EQ(loaded.Values().encIndex, row.enc) << row.name;
    }
    EXPECT_EQ(loaded.Values().leapEncryption, row.leapEncryption) << row.name;
  }
}

TEST_F(SecurityTab, MappingsOfTheRemainingCodes) {
  AuthEncryValues v;
  v.infrastructure = 0;
  v.authIndex = kAuthWpa;
  EXPECT_EQ(CodeOf(StoredAuthMode(v)), 0) << "ad hoc WPA";
  v.infrastructure = 1;
  v.authIndex = kAuthWpaNone;
  EXPECT_EQ(CodeOf(StoredAuthMode(v)), 4) << "infrastructure WPA-None";

  struct Row {
    const char* authMode;
    const char* cipherMode;
    int auth;
    int enc;
  };
  const Row rows[] = {
      {"2", "1", kAuthOpen, kEncNone},  // the blank auto-switch code
      {"9", "1", kAuthOpen, kEncNone},  // unknown
      {"0", "", kAuthOpen, kEncNone},   // a missing CipherMode is not WEP
      {"0", "3", kAuthOpen, kEncNone},  // a code without a text
  };
  for (const Row& row : rows) {
    ProfileRecord record;
    record.authMode = row.authMode;
    record.cipherMode = row.cipherMode;
    tab.Load(record);
    EXPECT_EQ(tab.Values().authIndex, row.auth) << row.authMode << "/" << row.cipherMode;
    EXPECT_EQ(tab.Values().encIndex, row.enc) << row.authMode << "/" << row.cipherMode;
  }
}

TEST_F(SecurityTab, KeysLoadAndStoreInTheirTypedForm) {
  ProfileRecord record;
  record.authMode = "1";
  record.cipherMode = "0";
  record.wepKeyUse = "2";
  record.wepKey1 = "6162636465";  // ASCII "abcde"
  record.wepKey1Type = "1";
  record.wepKey2 = "0A1B2C3D4E";
  record.wepKey2Type = "0";
  record.wepKey3 = "616263";  // ASCII of another length round-trips too
  record.wepKey3Type = "1";
  record.wepKey4 = "61626";  // no key: the edit stays empty
  record.wepKey4Type = "1";
  tab.Load(record);
  const AuthEncryValues& v = tab.Values();
  EXPECT_EQ(v.defaultKey, 1);
  EXPECT_EQ(v.key[0], "abcde");
  EXPECT_EQ(v.key[1], "0A1B2C3D4E");
  EXPECT_EQ(v.key[2], "abc");
  EXPECT_EQ(v.key[3], "");
  EXPECT_EQ(v.keyType, (std::array<int, 4>{kKeyAscii, kKeyHex, kKeyAscii, kKeyAscii}));

  ProfileRecord stored;
  tab.Store(stored);
  EXPECT_EQ(stored.wepKey1, "abcde");  // the store encodes ASCII keys
  EXPECT_EQ(stored.wepKey2, "0A1B2C3D4E");
  EXPECT_EQ(stored.wepKeyUse, "2");
  EXPECT_EQ(stored.wepKey1Type, "1");

  // Keys are kept only while they are in use.
  tab.OnAuthSelected(kAuthWpaPsk);
  tab.Store(stored);
  EXPECT_EQ(stored.wepKey1, "");
  EXPECT_EQ(stored.wepKey2, "");

  for (const char* use : {"0", "5", ""}) {
    record.wepKeyUse = use;
    tab.Load(record);
    EXPECT_EQ(tab.Values().defaultKey, 0) << "WEPKeyUse '" << use << "'";
  }
}

TEST_F(SecurityTab, PreSharedKeyIsStoredWhateverTheAuthentication) {
  tab.SetPreSharedKey("kept pass phrase");
  ProfileRecord record;
  tab.Store(record);
  EXPECT_EQ(record.wpaPsk, "kept pass phrase");
}

}  // namespace
}  // namespace nxui
