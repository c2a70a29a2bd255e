#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/fakes/FakeSystemInfo.h"
#include "adapter/fakes/TempDir.h"
#include "base/AtomicFile.h"
#include "display/StringTable.h"
#include "profiles/CProfileEditorDlg.h"
#include "profiles/EditorFakes.h"
#include "profiles/ProfileStore.h"
#include "survey/ScanEntryFactory.h"

namespace nxui {
namespace {

using test::FakeEditorEnvironment;
using test::RecordingEditorWindow;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class EditorTest : public ::testing::Test {
 protected:
  EditorTest() {
    context.family = kFamilyHeronU;
    context.instanceId = "{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}";
  }

  // A profile saved through the editor from a fresh Add.
  void AddWpa2Psk(const std::string& name, const std::string& ssid, const std::string& psk) {
    editor.OpenNew();
    editor.SystemConfig().SetProfileName(name);
    editor.SystemConfig().SetSsid(ssid);
    ASSERT_TRUE(editor.AuthEncry().OnAuthSelected(kAuthWpa2Psk));
    ASSERT_TRUE(editor.AuthEncry().OnEncSelected(kEncAes));
    editor.AuthEncry().SetPreSharedKey(psk);
    ASSERT_EQ(editor.OnOk(), EditorOkResult::Saved);
  }

  test::TempDir dir;
  AdapterContext context;
  test::FakeSystemInfo clock;
  ProfileStore store{context, (dir / "settings").string() + "/", clock};
  StringTable strings{Language::kEnglish};
  FakeEditorEnvironment environment;
  RecordingEditorWindow window;
  CProfileEditorDlg editor{strings, store, environment, window};
};

TEST_F(EditorTest, AddOpensWithTheDefaultsOfANewProfile) {
  ProfileRecord prof;
  prof.ssid = "x";
  for (const char* name : {"PROF1", "prof7", "Home"}) {
    prof.name = name;
    ASSERT_TRUE(store.SaveProfile(prof).ok());
  }
  environment.ccx = 0x3;
  editor.OpenNew();
  EXPECT_EQ(window.shown, 1);
  EXPECT_EQ(editor.State().mode, EditorMode::New);
  EXPECT_EQ(editor.State().systemTabCaption, "System Config");
  const SystemConfigValues& v = editor.SystemConfig().Values();
  EXPECT_EQ(v.profileName, "PROF8");
  EXPECT_EQ(v.networkType, NetworkType::kInfrastructure);
  EXPECT_EQ(v.txPower, 0);
  EXPECT_EQ(v.preamble, kPreambleAutoIndex);
  EXPECT_EQ(editor.AuthEncry().Values().authIndex, kAuthOpen);
  EXPECT_EQ(editor.AuthEncry().Values().encIndex, kEncNone);
  EXPECT_TRUE(editor.AuthEncry().State().masked);
  EXPECT_TRUE(editor.CcxFlag0() && editor.CcxFlag1());
  environment.ccxReadable = false;
  editor.OpenNew();
  EXPECT_FALSE(editor.CcxFlag0() || editor.CcxFlag1()) << "a failed read leaves both flags clear";
}

TEST_F(EditorTest, OkSavesEveryKeyWithTheEditorsCodes) {
  editor.OpenNew();
  auto& system = editor.SystemConfig();
  auto& security = editor.AuthEncry();
  system.SetSsid("lab");
  system.OnNetworkTypeSelected(NetworkType::kAdhoc);
  ASSERT_TRUE(system.OnChannelSelected("11"));
  system.OnTxPowerSelected(3);
  system.OnUseRts(true);
  system.OnRtsEdited(1000);
  ASSERT_TRUE(security.OnAuthSelected(kAuthOpen));
  ASSERT_TRUE(security.OnEncSelected(kEncWep));
  security.OnKeyTypeSelected(0, kKeyAscii);
  security.SetKeyText(0, "abcde");
  ASSERT_EQ(editor.OnOk(), EditorOkResult::Saved);
  EXPECT_EQ(window.closed, std::vector<bool>{true});
  EXPECT_EQ(editor.State().mode, EditorMode::Closed);

  const ProfileRecord r = store.LoadProfile("PROF1");
  EXPECT_EQ(r.ssid, "lab");
  EXPECT_EQ(r.networkType, "0");
  EXPECT_EQ(r.channel, "11");
  EXPECT_EQ(r.txPower, "3");
  EXPECT_EQ(r.useRts, "1");
  EXPECT_EQ(r.rtsThresh, "1000");
  EXPECT_EQ(r.authMode, "0");
  EXPECT_EQ(r.cipherMode, "0");
  EXPECT_EQ(r.wepKey1, "6162636465");
  EXPECT_EQ(r.wepKey1Type, "1");
  EXPECT_EQ(r.wepKeyUse, "1");
  EXPECT_EQ(r.ssidInHex, "1");
  // The 802.1X values a new profile gets.
  EXPECT_EQ(r.authenProtocol, "0");
  EXPECT_EQ(r.tunnelProtocol, "26");
  EXPECT_EQ(r.provisioningTunnel, "26");
  EXPECT_EQ(r.passwordMode, "1");
  EXPECT_EQ(r.provisionMode, "1");
  EXPECT_EQ(r.serverCertLen, "0");
  EXPECT_EQ(r.id, "");
}

TEST_F(EditorTest, AdhocProfileOnJ12StoresTheChannelNumber) {
  environment.wirelessMode = 5;
  editor.OpenNew();
  editor.SystemConfig().SetSsid("ibss");
  editor.SystemConfig().OnNetworkTypeSelected(NetworkType::kAdhoc);
  ASSERT_TRUE(editor.SystemConfig().OnChannelSelected("J12"));
  ASSERT_EQ(editor.OnOk(), EditorOkResult::Saved);
  EXPECT_EQ(store.LoadProfile("PROF1").channel, std::to_string(JapanChannelBase + 12));

  editor.OpenExisting("PROF1");
  EXPECT_EQ(editor.SystemConfig().Values().channel, "J12");
}

TEST_F(EditorTest, RefusalsKeepTheValuesAndWriteNothing) {
  struct Row {
    const char* name;
    std::string profileName;
    std::string ssid;
    int auth;
    std::string psk;
    std::string leapUser;
    std::string expectedMessage;  // message box
    std::string expectedHint;     // hint window
    EditorField hintField;
    EditorTab tab;
  };
  const Row rows[] = {
      {"empty name", "  ", "net", kAuthOpen, "", "", "", "Please enter profile name", EditorField::ProfileName,
       EditorTab::SystemConfig},
      {"name with a line break", "a\nb", "net", kAuthOpen, "", "", "",
       "A profile name cannot contain line breaks or NUL characters", EditorField::ProfileName,
       EditorTab::SystemConfig},
      {"name with NUL", std::string("a\0b", 3), "net", kAuthOpen, "", "", "",
       "A profile name cannot contain line breaks or NUL characters", EditorField::ProfileName,
       EditorTab::SystemConfig},
      {"empty SSID", "P", "", kAuthOpen, "", "", "Please enter SSID", "", EditorField::Ssid, EditorTab::SystemConfig},
      {"short pass phrase", "P", "net", kAuthWpa2Psk, "short", "", "",
       "非法的 WPA 预共享密钥。 WPA-PSK 有效域必须超过8个字符。", EditorField::PreSharedKey, EditorTab::AuthEncry},
      {"LEAP without a password", "P", "net", kAuthLeap, "", "user", "ID and Password required for LEAP!", "",
       EditorField::LeapPassword, EditorTab::SystemConfig},
  };
  for (const Row& row : rows) {
    window = RecordingEditorWindow{};
    editor.OpenNew();
    editor.SystemConfig().SetProfileName(row.profileName);
    editor.SystemConfig().SetSsid(row.ssid);
    ASSERT_TRUE(editor.AuthEncry().OnAuthSelected(row.auth)) << row.name;
    editor.AuthEncry().SetPreSharedKey(row.psk);
    editor.AuthEncry().SetLeapIdentity(row.leapUser);
    EXPECT_EQ(editor.OnOk(), EditorOkResult::Refused) << row.name;
    if (row.expectedMessage.empty()) {
      EXPECT_TRUE(window.messages.empty()) << row.name;
      ASSERT_EQ(window.hints.size(), 1u) << row.name;
      EXPECT_EQ(window.hints[0].first, row.hintField) << row.name;
      EXPECT_EQ(window.hints[0].second, row.expectedHint) << row.name;
      EXPECT_EQ(editor.State().tab, row.tab) << row.name << ": the hint's edit is on the tab shown";
    } else {
      EXPECT_EQ(window.messages, std::vector<std::string>{row.expectedMessage}) << row.name;
      EXPECT_TRUE(window.hints.empty()) << row.name;
    }
    EXPECT_TRUE(window.closed.empty()) << row.name;
    EXPECT_EQ(editor.SystemConfig().Values().profileName, row.profileName) << row.name << ": left as typed";
    EXPECT_TRUE(store.ListProfiles().empty()) << row.name;
    EXPECT_FALSE(std::filesystem::exists(store.FilePath(StoreFileKind::Profiles))) << row.name;
  }
}

TEST_F(EditorTest, LeapInAdhocIsNotCheckedForCredentials) {
  // LEAP cannot be chosen in ad hoc mode; a loaded ad hoc LEAP profile becomes Open and saves.
  ProfileRecord r;
  r.name = "old";
  r.ssid = "ibss";
  r.networkType = "0";
  r.leapEnabled = "1";
  ASSERT_TRUE(store.SaveProfile(r).ok());
  editor.OpenExisting("old");
  EXPECT_EQ(editor.AuthEncry().Values().authIndex, kAuthOpen);
  EXPECT_EQ(editor.OnOk(), EditorOkResult::Saved);
  EXPECT_EQ(store.LoadProfile("old").leapEnabled, "0");
}

TEST_F(EditorTest, ReplacingAnotherProfileNeedsConfirmation) {
  AddWpa2Psk("Home", "home-net", "first pass phrase");
  const std::string before = ReadFile(store.FilePath(StoreFileKind::Profiles));

  // "HOME" is the same section: the store finds names without regard to case.
  window.confirmAnswer = false;
  editor.OpenNew();
  editor.SystemConfig().SetProfileName("HOME");
  editor.SystemConfig().SetSsid("other-net");
  EXPECT_EQ(editor.OnOk(), EditorOkResult::Refused);
  EXPECT_EQ(window.questions, std::vector<std::string>{"Duplicate profile name\nCreate another profile?"});
  EXPECT_EQ(ReadFile(store.FilePath(StoreFileKind::Profiles)), before);
  EXPECT_EQ(window.hints.back().first, EditorField::ProfileName);

  window.confirmAnswer = true;
  EXPECT_EQ(editor.OnOk(), EditorOkResult::Saved);
  EXPECT_EQ(store.ListProfiles(), std::vector<std::string>{"Home"});
  EXPECT_EQ(store.LoadProfile("Home").ssid, "other-net");
}

TEST_F(EditorTest, EditingAProfileUnderItsOwnNameAsksNothing) {
  AddWpa2Psk("Home", "home-net", "first pass phrase");
  AddWpa2Psk("Work", "work-net", "second pass phrase");
  window.questions.clear();
  editor.OpenExisting("Home");
  EXPECT_EQ(editor.State().mode, EditorMode::Existing);
  EXPECT_EQ(editor.SystemConfig().Values().ssid, "home-net");
  EXPECT_EQ(editor.AuthEncry().Values().authIndex, kAuthWpa2Psk);
  EXPECT_EQ(editor.AuthEncry().Values().preSharedKey, "first pass phrase");
  editor.AuthEncry().SetPreSharedKey("changed pass phrase");
  EXPECT_EQ(editor.OnOk(), EditorOkResult::Saved);
  EXPECT_TRUE(window.questions.empty());
  EXPECT_EQ(store.LoadProfile("Home").wpaPsk, "changed pass phrase");

  // Renamed onto another profile: that one would be replaced.
  editor.OpenExisting("Home");
  editor.SystemConfig().SetProfileName("Work");
  EXPECT_EQ(editor.OnOk(), EditorOkResult::Refused);
  EXPECT_EQ(window.questions.size(), 1u);
  EXPECT_EQ(store.LoadProfile("Work").ssid, "work-net");
}

TEST_F(EditorTest, EditKeepsThe8021XDetailsUntilTheSave) {
  ProfileRecord r;
  r.name = "corp";
  r.ssid = "corp-net";
  r.networkType = "1";
  r.authMode = "6";
  r.cipherMode = "6";
  r.use8021X = "1";
  r.authenProtocol = "2";
  r.tunnelProtocol = "5";
  r.id = "alice";
  r.password = "secret";
  r.serverName = std::string(200, 's');  // longer than the old 127-character reads
  r.useServerCert = "1";
  r.serverCertLen = "3";
  r.serverCertData = "0a0b0c";
  r.passwordMode = "0";
  ASSERT_TRUE(store.SaveProfile(r).ok());

  editor.OpenExisting("corp");
  EXPECT_EQ(editor.Details().ttlsTunnel, "5");
  EXPECT_EQ(editor.Details().peapTunnel, "26");
  ASSERT_EQ(editor.OnOk(), EditorOkResult::Saved);
  const ProfileRecord saved = store.LoadProfile("corp");
  EXPECT_EQ(saved.authenProtocol, "2");
  EXPECT_EQ(saved.tunnelProtocol, "5");
  EXPECT_EQ(saved.id, "alice");
  EXPECT_EQ(saved.password, "secret");
  EXPECT_EQ(saved.serverName, std::string(200, 's'));
  EXPECT_EQ(saved.serverCertData, "0a0b0c");
  EXPECT_EQ(saved.passwordMode, "0");
  EXPECT_EQ(saved.provisioningTunnel, "26") << "a missing detail gets the default";
  EXPECT_EQ(saved.use8021X, "1");
}

TEST_F(EditorTest, AFailedSaveIsReportedAndLeavesTheFile) {
  AddWpa2Psk("Home", "home-net", "first pass phrase");
  const std::string before = ReadFile(store.FilePath(StoreFileKind::Profiles));
  editor.OpenExisting("Home");
  editor.AuthEncry().SetPreSharedKey("never written");
  ArmAtomicWriteFault(AtomicWriteStep::Write, ENOSPC);
  EXPECT_EQ(editor.OnOk(), EditorOkResult::SaveFailed);
  EXPECT_TRUE(ClearAtomicWriteFault());
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_NE(window.messages[0].find("could not be saved"), std::string::npos) << window.messages[0];
  EXPECT_EQ(ReadFile(store.FilePath(StoreFileKind::Profiles)), before);
  EXPECT_EQ(editor.State().mode, EditorMode::Existing) << "the editor stays open";
  // The next OK works.
  EXPECT_EQ(editor.OnOk(), EditorOkResult::Saved);
  EXPECT_EQ(store.LoadProfile("Home").wpaPsk, "never written");
}

TEST_F(EditorTest, CancelWritesNothing) {
  editor.OpenNew();
  editor.SystemConfig().SetSsid("net");
  editor.OnCancel();
  EXPECT_EQ(window.closed, std::vector<bool>{false});
  EXPECT_FALSE(std::filesystem::exists(store.FilePath(StoreFileKind::Profiles)));
}

// --- "Add to Profile" ---------------------------------------------------------------------------

std::vector<std::uint8_t> RsnPsk(bool ccmp) {
  const std::uint8_t cipher = ccmp ? 4 : 2;
  return {48, 20, 1, 0, 0x00, 0x0F, 0xAC, cipher, 1, 0, 0x00, 0x0F, 0xAC, cipher, 1, 0, 0x00, 0x0F, 0xAC, 2, 0, 0};
}

TEST_F(EditorTest, AddToProfileFillsTheEditorFromTheNetwork) {
  struct Row {
    const char* name;
    testing::EntrySpec spec;
    std::string authText, cipherText;
    bool secured;
    int authCode;
    NetworkType networkType;
    std::string channel;
    int auth, enc;
  };
  auto spec = [](const char* ssid, std::uint32_t mode, std::uint32_t khz, std::uint32_t privacy,
                 std::vector<std::uint8_t> ies) {
    testing::EntrySpec s;
    s.ssid = ssid;
    s.infrastructureMode = mode;
    s.dsConfig = khz;
    s.privacy = privacy;
    s.ies = std::move(ies);
    return s;
  };
  environment.wirelessMode = 5;
  environment.adhocWpa2Psk = true;
  const Row rows[] = {
      {"WPA2-PSK with AES", spec("home", 1, 2437000, 1, RsnPsk(true)), "WPA2-PSK", "AES", true, 5,
       NetworkType::kInfrastructure, "6", kAuthWpa2Psk, kEncAes},
      {"WPA-PSK with TKIP", spec("old", 1, 2412000, 1, {}), "WPA-PSK", "TKIP", true, 2, NetworkType::kInfrastructure,
       "1", kAuthWpaPsk, kEncTkip},
      {"WPA2 enterprise, mixed ciphers", spec("corp", 1, 5180000, 1, {}), "WPA+WPA2", "TKIP+AES", true, 4,
       NetworkType::kInfrastructure, "36", kAuthWpa2, kEncTkip},
      {"WEP", spec("wep", 1, 2462000, 1, {}), "Unknown", "None", true, 0, NetworkType::kInfrastructure, "11", kAuthOpen,
       kEncWep},
      {"open", spec("free", 1, 2472000, 0, {}), "Unknown", "None", false, 0, NetworkType::kInfrastructure, "13",
       kAuthOpen, kEncNone},
      {"ad hoc WPA2-NONE", spec("ibss", 0, 2437000, 1, RsnPsk(true)), "WPA2-NONE", "AES", true, 5, NetworkType::kAdhoc,
       "6", kAuthWpa2Psk, kEncAes},
      {"ad hoc WPA-NONE on J8", spec("jp", 0, 5040000, 1, {}), "WPA-NONE", "TKIP", true, 3, NetworkType::kAdhoc, "J8",
       kAuthWpaNone, kEncAes},
  };
  for (const Row& row : rows) {
    SurveySelection selection;
    selection.entry = testing::MakeEntry(row.spec);
    selection.authText = row.authText;
    selection.cipherText = row.cipherText;
    selection.secured = row.secured;
    selection.authCode = row.authCode;
    editor.NewProfileFromSurvey(selection);
    EXPECT_EQ(editor.State().mode, EditorMode::FromSurvey) << row.name;
    const SystemConfigValues& v = editor.SystemConfig().Values();
    EXPECT_EQ(v.ssid, row.spec.ssid) << row.name;
    EXPECT_EQ(v.networkType, row.networkType) << row.name;
    EXPECT_EQ(v.channel, row.channel) << row.name;
    EXPECT_EQ(v.profileName, "PROF1") << row.name;
    EXPECT_EQ(editor.AuthEncry().Values().authIndex, row.auth) << row.name;
    EXPECT_EQ(editor.AuthEncry().Values().encIndex, row.enc) << row.name;
  }
}

TEST_F(EditorTest, AddToProfileThenOkListsTheNewProfile) {
  testing::EntrySpec s;
  s.ssid = "home";
  s.ies = RsnPsk(true);
  SurveySelection selection;
  selection.entry = testing::MakeEntry(s);
  selection.authText = "WPA2-PSK";
  selection.cipherText = "AES";
  selection.secured = true;
  selection.authCode = 5;
  editor.NewProfileFromSurvey(selection);
  EXPECT_EQ(window.shown, 1);
  editor.AuthEncry().SetPreSharedKey("correct horse");
  ASSERT_EQ(editor.OnOk(), EditorOkResult::Saved);
  EXPECT_EQ(store.ListProfiles(), std::vector<std::string>{"PROF1"});
  const ProfileRecord r = store.LoadProfile("PROF1");
  EXPECT_EQ(r.ssid, "home");
  EXPECT_EQ(r.authMode, "7");
  EXPECT_EQ(r.cipherMode, "6");
  EXPECT_EQ(r.wpaPsk, "correct horse");
}

}  // namespace
}  // namespace nxui
