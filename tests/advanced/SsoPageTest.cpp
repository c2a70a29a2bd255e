// The single sign-on page on the simulated registry: which station profiles qualify, how the state
// is loaded, what disabling clears at once, what "Apply" writes, and what a user without
// administrator rights is told.
#include <gtest/gtest.h>

#include "advanced/CPageSSODlg.h"
#include "advanced/SsoRegistry.h"
#include "common/SessionWorld.h"
#include "platform/IRegistry.h"
#include "profiles/StationProfileKey.h"

namespace nxui::test {
namespace {

struct StationSeed {
  const char* name;
  const char* authenProtocol;  // null: value absent
  const char* leapEnabled;
  const char* ssid;
};

sim::Scenario SsoScenario(bool admin = true) {
  sim::Scenario scenario;
  scenario.os.admin = admin;
  scenario.adapters.push_back(sim::ScenarioAdapter{});
  return scenario;
}

class SsoPage : public ::testing::Test {
 protected:
  explicit SsoPage(bool admin = true) : w(SsoScenario(admin)) {}

  void SetUp() override {
    ASSERT_TRUE(w.Ready()) << w.error;
    page.OnInitDialog();
  }

  sim::SimRegistry& Registry() { return w.world->registry(); }
  void Install(const char* value = "1") {
    Registry().WriteTextDirect(kHkeyLocalMachine, kSsoKeyPath, "SSOInstall", value);
  }
  void SetSso(const char* name, const char* value) {
    Registry().WriteTextDirect(kHkeyLocalMachine, kSsoKeyPath, name, value);
  }
  void Seed(const StationSeed& seed) {
    const std::string key = StationProfileKeyPath(w.context.classKeyPath, seed.name);
    if (seed.authenProtocol) Registry().WriteTextDirect(kHkeyLocalMachine, key, "AuthenProtocol", seed.authenProtocol);
    if (seed.leapEnabled) Registry().WriteTextDirect(kHkeyLocalMachine, key, "LeapEnabled", seed.leapEnabled);
    if (seed.ssid) Registry().WriteTextDirect(kHkeyLocalMachine, key, "SSID", seed.ssid);
  }
  std::optional<std::string> Text(const std::string& key, const char* name) {
    std::string text;
    if (!Registry().ReadTextDirect(kHkeyLocalMachine, key, name, text)) return std::nullopt;
    return text;
  }
  std::size_t RawSize(const std::string& key, const char* name) {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    return Registry().ReadDirect(kHkeyLocalMachine, key, name, type, data) ? data.size() : 0;
  }

  SessionWorld w;
  std::vector<std::string> messages;
  std::vector<std::string> applied;
  CPageSSODlg page{w.world->registry(), w.context, w.strings,
                   SsoPageActions{[this](const std::string& text) { messages.push_back(text); },
                                  [this](const std::string& name) { applied.push_back(name); }}};
};

TEST_F(SsoPage, OnlyLeapAndEapFastProfilesAreListedAndShownByMethod) {
  Install();
  SetSso("SSOEnable", "1");
  for (const StationSeed& seed :
       {StationSeed{"Fast", "3", nullptr, "FastNet"}, StationSeed{"Peap", "0", "0", "PeapNet"},
        StationSeed{"Leap", "1", "1", "LeapNet"}, StationSeed{"Psk", nullptr, nullptr, "Home"},
        StationSeed{"Both", "3", "1", "BothNet"}, StationSeed{"NoSsid", "3", nullptr, nullptr},
        StationSeed{"Ttls3x", "33", nullptr, "X"}}) {
    Seed(seed);
  }
  page.OnShow();
  EXPECT_EQ(page.State().profiles, (std::vector<std::string>{"Fast", "Leap", "Both", "NoSsid"}));

  struct Shown {
    int index;
    const char* authentication;
    const char* ssid;
  };
  for (const Shown& row : {Shown{0, "EAP-FAST", "FastNet"}, Shown{1, "LEAP", "LeapNet"}, Shown{2, "LEAP", "BothNet"},
                           Shown{3, "EAP-FAST", ""}}) {
    SCOPED_TRACE(row.index);
    page.OnProfileSelected(row.index);
    EXPECT_EQ(page.State().profileName, page.State().profiles[static_cast<std::size_t>(row.index)]);
    EXPECT_EQ(page.State().authentication, row.authentication);
    EXPECT_EQ(page.State().ssid, row.ssid);
    EXPECT_TRUE(page.State().applyEnabled);
  }
  EXPECT_FALSE(Text(kSsoKeyPath, "CurProfile")) << "choosing in the list writes nothing";
}

TEST_F(SsoPage, InstallStateDecidesWhetherTheStateIsLoaded) {
  Seed({"Fast", "3", nullptr, "FastNet"});
  struct Case {
    const char* install;  // null: absent
    bool loaded;
  };
  for (const Case c : {Case{nullptr, false}, Case{"0", false}, Case{"1", true}, Case{"yes", true}}) {
    SCOPED_TRACE(c.install ? c.install : "(absent)");
    if (c.install) Install(c.install);
    CPageSSODlg fresh(Registry(), w.context, w.strings, {});
    fresh.OnInitDialog();
    fresh.OnShow();
    EXPECT_EQ(fresh.State().installed, c.loaded);
    EXPECT_EQ(fresh.State().enableBoxEnabled, c.loaded);
    // Not loaded: nothing enabled, nothing written; loaded: the missing flag is written as "0".
    EXPECT_FALSE(fresh.State().applyEnabled);
    EXPECT_FALSE(fresh.State().radiosEnabled);
    EXPECT_EQ(Text(kSsoKeyPath, "SSOEnable").has_value(), c.loaded);
    if (c.loaded) {
      EXPECT_EQ(Text(kSsoKeyPath, "SSOEnable"), "0");
      EXPECT_EQ(RawSize(kSsoKeyPath, "SSOEnable"), kSsoValueBufferSize);
    }
    // The box does nothing before the state is loaded.
    EXPECT_EQ(fresh.OnEnableClicked(true), c.loaded);
  }
}

TEST_F(SsoPage, SavedPasswordChoosesTheRadio) {
  Install();
  SetSso("SSOEnable", "1");
  struct Case {
    const char* saved;
    SsoCredentials credentials;
  };
  for (const Case c :
       {Case{nullptr, SsoCredentials::kWinlogon}, Case{"0", SsoCredentials::kWinlogon},
        Case{"1", SsoCredentials::kProfile}, Case{"2", SsoCredentials::kPrompt}, Case{"7", SsoCredentials::kPrompt}}) {
    SCOPED_TRACE(c.saved ? c.saved : "(absent)");
    if (c.saved) SetSso("SavedPassword", c.saved);
    page.OnShow();
    EXPECT_EQ(page.State().credentials, c.credentials);
  }
  ASSERT_TRUE(page.OnCredentialsChosen(SsoCredentials::kProfile));
  EXPECT_EQ(Text(kSsoKeyPath, "SavedPassword"), "1");
  EXPECT_EQ(RawSize(kSsoKeyPath, "SavedPassword"), kSsoValueBufferSize);
}

TEST_F(SsoPage, SelectionFollowsCurProfileByCaseInsensitivePrefix) {
  Install();
  SetSso("SSOEnable", "1");
  Seed({"Alpha", "3", nullptr, "A"});
  Seed({"Office", nullptr, "1", "CorpNet"});
  struct Case {
    const char* current;  // null: absent
    int selected;
  };
  for (const Case c : {Case{nullptr, 0}, Case{"office", 1}, Case{"OFF", 1}, Case{"Office-2", -1}, Case{"", 0}}) {
    SCOPED_TRACE(c.current ? c.current : "(absent)");
    if (c.current) SetSso("CurProfile", c.current);
    page.OnShow();
    EXPECT_EQ(page.State().selected, c.selected);
    EXPECT_EQ(page.State().applyEnabled, c.selected >= 0);
    EXPECT_EQ(page.State().infoEnabled, c.selected >= 0);
  }
}

TEST_F(SsoPage, WithoutQualifyingProfilesTheListAndApplyStayDisabled) {
  Install();
  SetSso("SSOEnable", "1");
  Seed({"Peap", "0", nullptr, "PeapNet"});
  page.OnShow();
  EXPECT_TRUE(page.State().ssoEnabled);
  EXPECT_TRUE(page.State().radiosEnabled);
  EXPECT_FALSE(page.State().listEnabled);
  EXPECT_FALSE(page.State().applyEnabled);
  EXPECT_FALSE(page.OnApply());
  EXPECT_FALSE(Text(kWinlogonKeyPath, kGinaDllValue));
}

TEST_F(SsoPage, ApplyStaysDisabledWhileTheFeatureIsOff) {
  // The selected profile is shown while the box is unchecked, but Apply would register the logon
  // library with the feature off.
  Install();
  SetSso("SSOEnable", "0");
  Seed({"Fast", "3", nullptr, "FastNet"});
  page.OnShow();
  EXPECT_EQ(page.State().selected, 0);
  EXPECT_EQ(page.State().profileName, "Fast");
  EXPECT_FALSE(page.State().applyEnabled);
  EXPECT_FALSE(page.OnApply());
  page.OnEnableClicked(true);
  EXPECT_TRUE(page.State().applyEnabled);
  EXPECT_FALSE(Text(kSsoKeyPath, "SSOEnable") == "1") << "enabling writes nothing before Apply";
}

TEST_F(SsoPage, DisablingClearsTheConfigurationAtOnce) {
  Install();
  SetSso("SSOEnable", "1");
  SetSso("CurProfile", "Fast");
  Registry().WriteTextDirect(kHkeyLocalMachine, kWinlogonKeyPath, kGinaDllValue, kGinaLibrary);
  Registry().WriteTextDirect(kHkeyLocalMachine, kWinlogonKeyPath, "Shell", "explorer.exe");
  for (const char* sub : {"\\One", "\\Two", "\\Three\\Deeper"}) {
    Registry().WriteTextDirect(kHkeyLocalMachine, std::string(kSsoKeyPath) + sub, "x", "1");
  }
  Seed({"Fast", "3", nullptr, "FastNet"});
  page.OnShow();
  ASSERT_EQ(SubkeyNames(Registry(), kSsoKeyPath).size(), 3u);

  EXPECT_TRUE(page.OnEnableClicked(false));
  EXPECT_FALSE(Text(kWinlogonKeyPath, kGinaDllValue));
  EXPECT_EQ(Text(kWinlogonKeyPath, "Shell"), "explorer.exe") << "only GinaDLL goes";
  EXPECT_TRUE(SubkeyNames(Registry(), kSsoKeyPath).empty());
  EXPECT_EQ(Text(kSsoKeyPath, "SSOEnable"), "0");
  EXPECT_EQ(Text(kSsoKeyPath, "CurProfile"), "");
  EXPECT_EQ(Text(kSsoKeyPath, "SSOInstall"), "1");
  EXPECT_FALSE(page.State().radiosEnabled);
  EXPECT_FALSE(page.State().listEnabled);
  EXPECT_FALSE(page.State().applyEnabled);
  EXPECT_TRUE(messages.empty());
  // Disabling again, with GinaDLL already gone, is no failure.
  page.OnEnableClicked(true);
  EXPECT_TRUE(page.OnEnableClicked(false));
  EXPECT_TRUE(messages.empty());
}

TEST_F(SsoPage, ApplyWritesTheConfigurationAndCopiesTheProfile) {
  Install();
  SetSso("SSOEnable", "1");
  SetSso("CurProfile", "Office");
  for (const char* sub : {"\\One", "\\Two", "\\Three"}) {
    Registry().WriteTextDirect(kHkeyLocalMachine, std::string(kSsoKeyPath) + sub, "x", "1");
  }
  Seed({"Office", "0", "1", "CorpNet"});
  const std::string station = StationProfileKeyPath(w.context.classKeyPath, "Office");
  const std::uint8_t binary[] = {1, 2, 0, 3};
  Registry().WriteDirect(kHkeyLocalMachine, station, "Blob", kRegBinary, binary);
  page.OnShow();
  ASSERT_TRUE(page.State().applyEnabled);

  ASSERT_TRUE(page.OnApply());
  const std::string& adapter = w.context.classKeyPath;
  EXPECT_EQ(Text(kWinlogonKeyPath, kGinaDllValue), "NorvixGina.DLL");
  EXPECT_EQ(Text(kSsoKeyPath, "SSOEnable"), "1");
  EXPECT_TRUE(SubkeyNames(Registry(), kSsoKeyPath).empty());
  EXPECT_EQ(Text(kSsoKeyPath, "CurProfile"), "Office");
  EXPECT_EQ(Text(kSsoKeyPath, "DeviceRegistryPath"), adapter);
  EXPECT_EQ(Text(kSsoKeyPath, "SSOProfilePath"), adapter + "\\Profile\\Station\\Office");
  EXPECT_EQ(Text(kSsoKeyPath, "ProfileName"), "Profile Name: Office");
  EXPECT_EQ(Text(kSsoKeyPath, "CardName"), "Card Name: VQ-MA310X 11N Wireless Adapter");
  EXPECT_EQ(Text(adapter, "CurProfile"), "Office");
  EXPECT_EQ(Text(adapter, "SSID"), "CorpNet");
  EXPECT_EQ(Text(adapter, "LeapEnabled"), "1");
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(Registry().ReadDirect(kHkeyLocalMachine, adapter, "Blob", type, data));
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(data, std::vector<std::uint8_t>(std::begin(binary), std::end(binary)));
  EXPECT_EQ(applied, std::vector<std::string>{"Office"});
  EXPECT_TRUE(messages.empty());
}

TEST_F(SsoPage, WithoutDriverDescTheCardNameIsSkipped) {
  Install();
  SetSso("SSOEnable", "1");
  Seed({"Fast", "3", nullptr, "FastNet"});
  HKEY key = 0;
  ASSERT_EQ(Registry().OpenKey(kHkeyLocalMachine, w.context.classKeyPath, kKeyAllAccess, key), kErrorSuccess);
  Registry().DeleteValue(key, "DriverDesc");
  Registry().CloseKey(key);
  page.OnShow();
  ASSERT_TRUE(page.OnApply());
  EXPECT_FALSE(Text(kSsoKeyPath, "CardName"));
  EXPECT_EQ(Text(kSsoKeyPath, "CurProfile"), "Fast");
}

class SsoPageNotAdmin : public SsoPage {
 protected:
  SsoPageNotAdmin() : SsoPage(false) {}
};

TEST_F(SsoPageNotAdmin, RefusedWritesShowTheAdministratorMessage) {
  Install();
  SetSso("SSOEnable", "1");
  Registry().WriteTextDirect(kHkeyLocalMachine, kWinlogonKeyPath, kGinaDllValue, "other.dll");
  Seed({"Fast", "3", nullptr, "FastNet"});
  page.OnShow();
  const std::string administrator = w.strings.LoadString(string_id::kNoAdministratorPrivilege);

  EXPECT_FALSE(page.OnApply());
  EXPECT_EQ(messages, std::vector<std::string>{administrator});
  EXPECT_TRUE(applied.empty()) << "a refused Apply applies nothing";
  EXPECT_EQ(Text(kWinlogonKeyPath, kGinaDllValue), "other.dll");

  EXPECT_FALSE(page.OnCredentialsChosen(SsoCredentials::kPrompt));
  EXPECT_FALSE(page.OnEnableClicked(false));
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages.back(), administrator);
  EXPECT_EQ(Text(kWinlogonKeyPath, kGinaDllValue), "other.dll");
}

}  // namespace
}  // namespace nxui::test
