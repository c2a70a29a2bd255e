#include <gtest/gtest.h>

#include <filesystem>

#include "adapter/fakes/TempDir.h"
#include "advanced/CPageSSODlg.h"
#include "advanced/SsoRegistry.h"
#include "base/IniFile.h"
#include "profiles/ProfileWorld.h"
#include "profiles/StationProfileKey.h"
#include "shell/ShellIds.h"
#include "wlan/WlanMessages.h"

namespace nxui {
namespace {

using test::OpenProfile;
using test::ProfileWorld;
using test::PskProfile;

class ProfilePage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(w.world, nullptr) << w.error;
    w.Start();
  }
  // Saved as the editor saves; the page shows it after its next refresh.
  void Save(const ProfileRecord& record) {
    ASSERT_TRUE(w.store().SaveProfile(record));
    w.page->Refresh();
  }
  void Stamp(const std::string& name, const std::string& time) {
    ASSERT_TRUE(w.store().WriteValue(StoreFileKind::Profiles, name, "ActiveTime", time));
    w.page->Refresh();
  }
  void Click(const std::string& name) {
    const int row = w.Row(name);
    ASSERT_GE(row, 0) << name;
    w.page->OnRowClicked(row);
  }
  void Apply(const std::string& name) {
    Click(name);
    w.page->OnApply();
    w.Settle();
    w.page->OnTick();
  }

  ProfileWorld w{test::ProfileScenario()};
};

TEST_F(ProfilePage, RowsInOrderOfLastUseNeverUsedLastInFileOrder) {
  Save(OpenProfile("never-1", "a"));
  Save(OpenProfile("old", "b"));
  Save(OpenProfile("clamped", "c"));
  Save(OpenProfile("never-2", "d"));
  Save(OpenProfile("new", "e"));
  Save(OpenProfile("tie-1", "f"));
  Save(OpenProfile("tie-2", "g"));
  Stamp("old", "2008, 1, 1, 0, 0, 0");
  Stamp("clamped", "1999, 13, 40, 25, 61, 61");
  Stamp("new", "2009, 2, 3, 4, 5, 6");
  Stamp("tie-1", "2008, 5, 5, 5, 5, 5");
  Stamp("tie-2", "2008, 5, 5, 5, 5, 5");
  EXPECT_EQ(w.Names(), (std::vector<std::string>{"new", "tie-1", "tie-2", "old", "clamped", "never-1", "never-2"}));
  // The clamped time is 1 January 1999 00:00:00.
  EXPECT_EQ(ActiveTimeSortKey("1999, 13, 40, 25, 61, 61"), ActiveTimeSortKey("1999, 1, 1, 0, 0, 0"));
  EXPECT_EQ(ActiveTimeSortKey(""), ActiveTimeSortKey("1971, 1, 1, 0, 0, 0"));
  EXPECT_EQ(ActiveTimeSortKey("1970, 6, 1, 0, 0, 0"), ActiveTimeSortKey("1971, 6, 1, 0, 0, 0"));
  EXPECT_EQ(ActiveTimeSortKey("3001, 6, 1, 0, 0, 0"), ActiveTimeSortKey("1971, 6, 1, 0, 0, 0"));
  EXPECT_LT(ActiveTimeSortKey("2009, 2, 28, 0, 0, 0"), ActiveTimeSortKey("2009, 2, 31, 0, 0, 0"));
  EXPECT_EQ(ActiveTimeSortKey("2009, 2, 31, 0, 0, 0"), ActiveTimeSortKey("2009, 3, 3, 0, 0, 0"));
}

TEST_F(ProfilePage, RowAndDetailTexts) {
  ProfileRecord leap = OpenProfile("leap", "CorpNet");
  leap.leapEnabled = "1";
  leap.leapEncryType = "1";
  leap.channel = "J12";
  leap.txPower = "6";
  leap.psMode = "2";
  Save(leap);
  ProfileRecord oneX = PskProfile("onex", "CorpNet", "");
  oneX.authMode = "6";
  oneX.use8021X = "1";
  oneX.txPower = "2";
  Save(oneX);
  ProfileRecord adhoc = OpenProfile("adhoc", "LAN-Party");
  adhoc.networkType = "0";
  adhoc.cipherMode = "2";
  Save(adhoc);

  Click("leap");
  const ProfileTexts& d = w.page->State().details;
  EXPECT_EQ(d.authentication, "LEAP ");
  EXPECT_EQ(d.encryption, "WPA-TKIP");
  EXPECT_EQ(d.channel, "J12");
  EXPECT_EQ(d.txPower, "最低");
  EXPECT_EQ(d.powerSave, "PSM");
  EXPECT_EQ(d.use8021X, "否");
  EXPECT_EQ(d.networkType, "Infrastructure");

  const ProfileRow& onexRow = w.page->State().rows[static_cast<std::size_t>(w.Row("onex"))];
  EXPECT_EQ(onexRow.texts.rowAuthentication, "WPA2 - Use 802.1X");
  EXPECT_EQ(onexRow.texts.use8021X, "是");
  EXPECT_EQ(onexRow.texts.txPower, "75 %");
  EXPECT_TRUE(onexRow.secured);

  const ProfileRow& adhocRow = w.page->State().rows[static_cast<std::size_t>(w.Row("adhoc"))];
  EXPECT_EQ(adhocRow.texts.encryption, "") << "CipherMode 2 has no text";
  EXPECT_FALSE(adhocRow.infrastructure);
  EXPECT_TRUE(adhocRow.secured) << "an encryption text other than None";
  EXPECT_EQ(adhocRow.state, profile_state::kNone);

  ProfileWorld chinese(test::ProfileScenario());
  chinese.Start();
  ASSERT_TRUE(chinese.store().SaveProfile(OpenProfile("open", "x")));
  StringTable zh(Language::kChinese);
  const ProfileTexts t = DescribeProfile(chinese.store().ReadProfiles(), "open", zh);
  EXPECT_EQ(t.authentication, "开放系统 ");
  EXPECT_EQ(t.encryption, "无");
}

TEST_F(ProfilePage, EmptyListDisablesEditDeleteApply) {
  EXPECT_TRUE(w.page->State().rows.empty());
  EXPECT_FALSE(w.page->State().editEnabled);
  EXPECT_FALSE(w.page->State().deleteEnabled);
  EXPECT_FALSE(w.page->State().applyEnabled);
  EXPECT_TRUE(w.page->State().addEnabled);
  EXPECT_EQ(w.page->State().columns.size(), 5u);
}

TEST_F(ProfilePage, ButtonsNeedAFocusedRow) {
  Save(OpenProfile("p", "CoffeeCorner"));
  const std::vector<std::pair<const char*, void (CPageProfileDlg::*)()>> buttons = {
      {"edit", &CPageProfileDlg::OnEdit}, {"delete", &CPageProfileDlg::OnDelete}, {"apply", &CPageProfileDlg::OnApply}};
  for (const auto& [name, press] : buttons) {
    w.views.messages.clear();
    (w.page.get()->*press)();
    EXPECT_EQ(w.views.messages, (std::vector<std::string>{"No selected item"})) << name;
  }
  EXPECT_EQ(w.store().ListProfiles().size(), 1u);
  EXPECT_TRUE(w.editor.opened.empty());
  w.page->OnAdd();
  Click("p");
  w.page->OnEdit();
  EXPECT_EQ(w.editor.opened, (std::vector<std::string>{"<new>", "p"}));
}

TEST_F(ProfilePage, WithTheRadioOffTheButtonsDoNothing) {
  Save(OpenProfile("p", "CoffeeCorner"));
  w.hidden().ToggleRadio();
  w.Settle();
  ASSERT_FALSE(w.hidden().State().radioOn);
  const std::string before = test::TempDir::Read(w.store().FilePath(StoreFileKind::Profiles));
  Click("p");
  w.page->OnAdd();
  w.page->OnEdit();
  w.page->OnApply();
  w.page->OnDelete();
  w.page->OnRowClicked(-1);
  w.page->OnApply();
  EXPECT_TRUE(w.editor.opened.empty());
  EXPECT_TRUE(w.views.messages.empty());
  EXPECT_EQ(test::TempDir::Read(w.store().FilePath(StoreFileKind::Profiles)), before);
  EXPECT_EQ(w.store().ReadStation("CurProfile"), "");
}

TEST_F(ProfilePage, PlatformEditorMessagesRelayedToThePage) {
  Save(OpenProfile("p", "CoffeeCorner"));
  ASSERT_NE(w.hidden().MainWindow(), nullptr);
  w.loop.PostMessage(w.hidden().Window(), wlan_msg::kEditorState, 0, 0);
  w.loop.DrainMessages();
  EXPECT_FALSE(w.page->State().editEnabled);
  EXPECT_FALSE(w.page->State().applyEnabled);
  w.page->Refresh();
  EXPECT_FALSE(w.page->State().deleteEnabled) << "stays disabled while the dialog is open";
  w.loop.PostMessage(w.hidden().Window(), wlan_msg::kEditorState, 1, 0);
  w.loop.DrainMessages();
  EXPECT_TRUE(w.page->State().editEnabled);
  EXPECT_TRUE(w.page->State().deleteEnabled);
  EXPECT_TRUE(w.page->State().applyEnabled);
}

TEST_F(ProfilePage, ApplyConnectsAndMovesTheProfileFirst) {
  Save(OpenProfile("cafe", "CoffeeCorner"));
  Save(PskProfile("home", "Norvix-Home", "sunflower-42"));
  Stamp("cafe", "2008, 1, 1, 0, 0, 0");
  ASSERT_EQ(w.Names(), (std::vector<std::string>{"cafe", "home"}));
  Apply("home");
  EXPECT_EQ(w.ConnectedSsid(), "Norvix-Home");
  EXPECT_EQ(w.Names(), (std::vector<std::string>{"home", "cafe"}));
  EXPECT_EQ(w.store().ReadStation("CurProfile"), "home");
  EXPECT_EQ(w.store().ReadStation("WSC"), "0");
  EXPECT_EQ(w.store().LoadProfile("home").activeTime, "2008, 6, 2, 9, 0, 0");
  EXPECT_EQ(w.page->State().rows[0].state, profile_state::kConnected);
  EXPECT_EQ(w.page->State().rows[1].state, profile_state::kNone);
  EXPECT_EQ(w.page->State().details.name, "home") << "the applied profile stays selected";
  // The tray shows the network.
  EXPECT_NE(w.hidden().Tray().State(), shell::TrayState::Disconnected);
  EXPECT_NE(w.hidden().Tray().Data().tip.find("Norvix-Home"), std::string::npos);
  EXPECT_EQ(w.core->Station().LastRecord()->fromProfile, 1);
  EXPECT_TRUE(w.core->Station().ProfileDriven());
  EXPECT_TRUE(w.views.messages.empty());
}

TEST_F(ProfilePage, WrongKeyTakesTheConnectionFailurePath) {
  Save(PskProfile("home", "Norvix-Home", "not-the-key"));
  Apply("home");
  EXPECT_EQ(w.ConnectedSsid(), "");
  EXPECT_FALSE(w.hidden().Session().Deferred().pending) << "the failed attempt cancelled the held-back settings";
  EXPECT_EQ(w.hidden().Tray().State(), shell::TrayState::Disconnected);
  EXPECT_EQ(w.page->State().rows[0].state, profile_state::kActive);
  EXPECT_EQ(w.store().ReadStation("CurProfile"), "home");
}

TEST_F(ProfilePage, ConnectErrorAppliesTheActiveProfileAgainAfterThreeSeconds) {
  Save(OpenProfile("cafe", "CoffeeCorner"));
  Apply("cafe");
  ASSERT_EQ(w.ConnectedSsid(), "CoffeeCorner");
  WlanSession& session = w.hidden().Session();
  session.Disconnect();
  w.Settle(500);
  ASSERT_EQ(w.ConnectedSsid(), "");
  w.loop.PostMessage(w.hidden().Window(), wlan_msg::kConnectError, 0, 0);
  w.loop.DrainMessages();
  EXPECT_TRUE(w.loop.HasTimer(w.hidden().Window(), shell::kTimerReapply));
  w.Settle(2900);
  EXPECT_EQ(w.ConnectedSsid(), "");
  w.Settle(3000);
  EXPECT_FALSE(w.loop.HasTimer(w.hidden().Window(), shell::kTimerReapply));
  EXPECT_EQ(w.ConnectedSsid(), "CoffeeCorner");
}

TEST_F(ProfilePage, DeletingTheActiveProfileResetsTheStation) {
  Save(PskProfile("home", "Norvix-Home", "sunflower-42"));
  Save(OpenProfile("cafe", "CoffeeCorner"));
  Apply("home");
  ASSERT_EQ(w.hidden().Session().Profiles().FindProfile("Norvix-Home"), 1);
  Click("home");
  w.page->OnDelete();
  EXPECT_EQ(w.views.messages, (std::vector<std::string>{"The profile to delete is currently in use."}));
  EXPECT_EQ(w.store().ReadStation("CurProfile"), "");
  EXPECT_EQ(w.store().ReadStation("AuthMode"), "0");
  EXPECT_EQ(w.store().ReadStation("WPAPSK"), "");
  EXPECT_EQ(w.page->State().currentProfileName, "");
  EXPECT_FALSE(w.core->Station().ProfileDriven());
  EXPECT_EQ(w.hidden().Session().Profiles().FindProfile("Norvix-Home"), 0);
  EXPECT_EQ(w.store().ListProfiles(), (std::vector<std::string>{"cafe"}));
  EXPECT_EQ(w.page->State().selectedRow, 0) << "row i, or the last row";
  EXPECT_EQ(w.page->State().details.name, "cafe");
  EXPECT_EQ(w.page->State().rows[0].state, profile_state::kNone);
}

TEST_F(ProfilePage, DeletingAProfileWithoutPlatformProfileStillRemovesIt) {
  Save(OpenProfile("a", "CoffeeCorner"));
  Save(OpenProfile("b", "LAN-Party"));
  Click("b");
  w.page->OnDelete();
  EXPECT_TRUE(w.views.messages.empty());
  EXPECT_EQ(w.Names(), (std::vector<std::string>{"a"}));
  Click("a");
  w.page->OnDelete();
  EXPECT_TRUE(w.page->State().rows.empty());
  EXPECT_EQ(w.page->State().selectedRow, -1);
  EXPECT_EQ(w.page->State().details.name, "");
  EXPECT_FALSE(w.page->State().applyEnabled);
}

TEST_F(ProfilePage, DeletingTheActiveProfileActivatesTheNextOneOfTheSameNetwork) {
  Save(PskProfile("home-old", "Norvix-Home", "sunflower-42"));
  Save(PskProfile("home", "Norvix-Home", "sunflower-42"));
  Save(OpenProfile("never", "Norvix-Home"));
  Apply("home-old");
  w.Settle(2000);
  Apply("home");
  ASSERT_EQ(w.Names(), (std::vector<std::string>{"home", "home-old", "never"}));
  Click("home");
  w.page->OnDelete();
  EXPECT_EQ(w.store().ReadStation("CurProfile"), "home-old");
  EXPECT_EQ(w.page->State().currentProfileName, "home-old");
  EXPECT_TRUE(w.core->Station().ProfileDriven());
  w.Settle();
  EXPECT_EQ(w.ConnectedSsid(), "Norvix-Home");

  // A never-applied follower of the same network is not activated.
  Click("home-old");
  w.page->OnDelete();
  EXPECT_EQ(w.store().ReadStation("CurProfile"), "");
  EXPECT_EQ(w.page->State().currentProfileName, "");
}

TEST_F(ProfilePage, EditorClosedBeforeADelete) {
  Save(OpenProfile("a", "CoffeeCorner"));
  w.editor.visible = true;
  Click("a");
  w.page->OnDelete();
  EXPECT_EQ(w.editor.closed, 1);
}

TEST_F(ProfilePage, StoreFailuresReachTheUserAndNothingConnects) {
  Save(OpenProfile("cafe", "CoffeeCorner"));
  Click("cafe");
  ArmAtomicWriteFault(AtomicWriteStep::Write, ENOSPC);
  w.page->OnApply();
  EXPECT_TRUE(ClearAtomicWriteFault());
  ASSERT_EQ(w.views.messages.size(), 1u);
  EXPECT_NE(w.views.messages[0].find("could not be saved"), std::string::npos) << w.views.messages[0];
  w.Settle();
  EXPECT_EQ(w.ConnectedSsid(), "");
  EXPECT_EQ(w.store().ReadStation("CurProfile"), "");
}

// A second run on the same state folder restores the applied profile at adapter-ready, even when
// the platform itself has no profile to reconnect with.
TEST(ProfileRestore, SecondRunRestoresTheActiveProfileAtStart) {
  test::TempDir state;
  {
    ProfileWorld first(test::ProfileScenario(), state.path().string());
    ASSERT_NE(first.world, nullptr) << first.error;
    first.Start();
    ASSERT_TRUE(first.store().SaveProfile(PskProfile("home", "Norvix-Home", "sunflower-42")));
    first.page->Refresh();
    first.page->OnRowClicked(0);
    first.page->OnApply();
    first.Settle();
    ASSERT_EQ(first.ConnectedSsid(), "Norvix-Home");
  }
  for (const auto& entry : std::filesystem::directory_iterator(state.path())) {
    if (entry.path().filename().string().starts_with("wlan-profiles-")) std::filesystem::remove(entry.path());
  }
  ProfileWorld second(test::ProfileScenario(), state.path().string());
  ASSERT_NE(second.world, nullptr) << second.error;
  second.Start();
  EXPECT_EQ(second.core->Station().LastRecord()->useRegistryRadio, 1) << "the start-up record carries the radio";
  second.Settle();
  EXPECT_EQ(second.ConnectedSsid(), "Norvix-Home");
  EXPECT_EQ(second.page->State().currentProfileName, "home");
  second.page->OnTick();
  EXPECT_EQ(second.page->State().rows[0].state, profile_state::kConnected);
}

TEST(ProfileRestore, OneXProfileAtStartIsSetUpInTheDriverOnly) {
  test::TempDir state;
  {
    ProfileWorld first(test::ProfileScenario(), state.path().string());
    ASSERT_NE(first.world, nullptr) << first.error;
    first.Start();
    ProfileRecord oneX = PskProfile("corp", "CorpNet", "");
    oneX.authMode = "6";
    oneX.use8021X = "1";
    ASSERT_TRUE(first.store().SaveProfile(oneX));
    ASSERT_TRUE(first.store().ActivateProfile("corp"));
  }
  ProfileWorld w(test::ProfileScenario(), state.path().string());
  ASSERT_NE(w.world, nullptr) << w.error;
  w.Start();
  EXPECT_EQ(w.core->Station().LastRecord()->fromProfile, 0);
  w.page->OnRowClicked(0);
  w.page->OnApply();
  EXPECT_EQ(w.core->Station().LastRecord()->fromProfile, 1);
  EXPECT_EQ(w.core->Station().LastRecord()->useRegistryRadio, 0);
}

}  // namespace
}  // namespace nxui

namespace nxui {
namespace {

// Applying a LEAP or 802.1X profile also keeps it below the adapter key, where the single sign-on
// page finds it; other profiles are not written there.
TEST(ProfilePageStationKeys, LeapAnd8021XProfilesAreKeptBelowTheAdapterKey) {
  test::ProfileWorld w{test::ProfileScenario()};
  ASSERT_NE(w.world, nullptr) << w.error;
  w.Start();
  ProfileRecord leap = test::OpenProfile("Office", "CorpNet");
  leap.leapEnabled = "1";
  leap.leapUserName = "jdoe";
  ProfileRecord fast = test::PskProfile("Fast", "CorpNet", "");
  fast.authMode = "6";
  fast.use8021X = "1";
  fast.authenProtocol = "3";
  ProfileRecord enterprise = test::PskProfile("Wpa2Ent", "CorpNet", "");
  enterprise.authMode = "6";
  const ProfileRecord psk = test::PskProfile("Home", "Norvix-Home", "sunflower-42");
  const ProfileRecord open = test::OpenProfile("Cafe", "CoffeeCorner");
  struct Case {
    ProfileRecord record;
    bool kept;
  };
  for (const Case& c :
       {Case{leap, true}, Case{fast, true}, Case{enterprise, true}, Case{psk, false}, Case{open, false}}) {
    SCOPED_TRACE(c.record.name);
    ASSERT_TRUE(w.store().SaveProfile(c.record));
    w.page->Refresh();
    w.page->OnRowClicked(w.Row(c.record.name));
    w.page->OnApply();
    const std::string key = StationProfileKeyPath(w.hidden().Context().classKeyPath, c.record.name);
    std::string ssid;
    EXPECT_EQ(w.world->registry().ReadTextDirect(kHkeyLocalMachine, key, "SSID", ssid), c.kept);
    if (c.kept) {
      EXPECT_EQ(ssid, c.record.ssid);
      std::string value;
      ASSERT_TRUE(w.world->registry().ReadTextDirect(kHkeyLocalMachine, key, "LeapEnabled", value));
      EXPECT_EQ(value, c.record.leapEnabled);
      ASSERT_TRUE(w.world->registry().ReadTextDirect(kHkeyLocalMachine, key, "AuthenProtocol", value));
      EXPECT_EQ(value, c.record.authenProtocol);
    }
  }
  EXPECT_TRUE(w.views.messages.empty());

  // The SSO page lists the LEAP and the EAP-FAST profile the user made.
  w.world->registry().WriteTextDirect(kHkeyLocalMachine, kSsoKeyPath, "SSOInstall", "1");
  w.world->registry().WriteTextDirect(kHkeyLocalMachine, kSsoKeyPath, "SSOEnable", "1");
  CPageSSODlg sso(w.world->registry(), w.hidden().Context(), w.strings(), {});
  sso.OnInitDialog();
  sso.OnShow();
  EXPECT_EQ(sso.State().profiles, (std::vector<std::string>{"Office", "Fast"}));
}

}  // namespace
}  // namespace nxui
