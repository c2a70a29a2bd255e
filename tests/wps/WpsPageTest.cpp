// The WPS page on the simulated world, built from the page table with the main window open: its
// creation and hand-over, the access point list and the relayed scan messages, the buttons' enable
// rules, runs as the page shows them, "Config Mode", Information, Detail and Export.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "shell/ShellIds.h"
#include "wlan/WlanMessages.h"
#include "wps/WpsPageWorld.h"
#include "wps/WpsPin.h"
#include "wps/WpsRecords.h"

namespace nxui {
namespace {

using test::WpsPageWorld;

class WpsPage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(w.world, nullptr) << w.error;
    w.Start();
  }
  const WpsPageState& S() { return w.Page().State(); }
  // Runs the loop until the page's status line reads `text` (or `limitMs` passes).
  bool WaitForStatus(const std::string& text, std::uint64_t limitMs = 40000) {
    for (std::uint64_t t = 0; t < limitMs && S().statusText != text; t += 200) w.Advance(200);
    return S().statusText == text;
  }
  void Credentials(std::initializer_list<const char*> ssids) {
    WpsCredentialTable& table = w.Engine().table;
    table = WpsCredentialTable{};
    for (const char* ssid : ssids) {
      WpsCredential& c = table.credentials[table.count++];
      SetCredentialSsid(c, ssid);
      c.authType = wps_auth::kWpa2Psk;
      c.encrType = wps_encr::kAes;
      SetCredentialKey(c, "12345678");
    }
    w.Page().RebuildCredentialList();
  }

  WpsPageWorld w{test::WpsPageScenario()};
};

TEST_F(WpsPage, CreationTakesTheEngineOverWithAFreshPin) {
  EXPECT_EQ(S().statusText, "WPS status is not used");
  EXPECT_EQ(S().progress.position, 0);
  EXPECT_EQ(S().progress.drawnCaption, "Progress >> 0%");
  EXPECT_EQ(S().progressFont, "Trebuchet MS");
  EXPECT_EQ(S().progressFontHeight, 16);
  EXPECT_TRUE(S().assocIeChecked);
  EXPECT_TRUE(S().probeIeChecked);
  EXPECT_FALSE(S().autoSelectVisible);
  EXPECT_FALSE(S().autoSelectChecked);
  EXPECT_EQ(S().labels.configModes, (std::vector<std::string>{"Enrollee", "Registrar"}));
  // Enrollee: the page's own PIN, read-only, eight digits whose last is the checksum.
  ASSERT_EQ(S().pinText.size(), 8u);
  EXPECT_TRUE(S().pinReadOnly);
  EXPECT_EQ(S().pinMaxLength, 8);
  EXPECT_EQ(CheckPinText(S().pinText).check, PinCheck::Ok);
  EXPECT_EQ(FormatPin(w.Engine().pinCode), S().pinText);
  EXPECT_EQ(w.Page().PagePin(), w.Engine().pinCode);
  EXPECT_TRUE(S().renewEnabled);
  EXPECT_TRUE(S().deleteVisible);
  // Hand-over: the hidden window's push-button poll and credential step stop; the page polls.
  EXPECT_FALSE(w.HiddenTimer(shell::kTimerWpsPbcPoll));
  EXPECT_FALSE(w.HiddenTimer(shell::kTimerWpsCredential));
  EXPECT_TRUE(w.PageTimer(wps_timer::kPagePbcPoll));
  EXPECT_FALSE(w.PageTimer(wps_timer::kPageMonitor)) << "no credentials: nothing to monitor";
}

TEST_F(WpsPage, DestructionHandsTheEngineBack) {
  w.Engine().wscConnect = true;
  w.Engine().rotateMode = true;
  w.pages.reset();
  EXPECT_TRUE(w.HiddenTimer(shell::kTimerWpsPbcPoll));
  EXPECT_TRUE(w.HiddenTimer(shell::kTimerWpsCredential)) << "a rotation goes on from the hidden window";
  EXPECT_EQ(w.Engine().wpsMethod, WpsMethod::None);
  EXPECT_EQ(w.Engine().autoApIndex, -1);
}

TEST_F(WpsPage, AccessPointsWithWpsIncludingTheHiddenOne) {
  w.Rescan();
  ASSERT_EQ(S().apRows.size(), 3u);
  EXPECT_EQ(w.ApRow("Plain"), -1);
  const int hidden = w.ApRow("");
  ASSERT_GE(hidden, 0);
  EXPECT_EQ(S().apRows[static_cast<std::size_t>(hidden)].bssid, "00-24-01-AB-80-08");
  const WpsApRow& router = S().apRows[static_cast<std::size_t>(w.ApRow("Router-WPS"))];
  EXPECT_EQ(router.id, "0x0004");
  EXPECT_EQ(router.channel, "11");
  EXPECT_TRUE(router.isProtected);
  EXPECT_FALSE(S().apRows[static_cast<std::size_t>(w.ApRow("NewAP-Setup"))].isProtected);
  EXPECT_EQ(S().selectedAp, 0) << "row 0 is selected after a rebuild";
  EXPECT_TRUE(S().informationEnabled);
  EXPECT_TRUE(S().pinEnabled);
}

TEST_F(WpsPage, RescanDisablesUntilTheResultsArrive) {
  w.Rescan();
  Credentials({"A"});
  w.Page().OnRescan();
  EXPECT_FALSE(S().rescanEnabled);
  EXPECT_FALSE(S().informationEnabled);
  EXPECT_FALSE(S().pinEnabled);
  EXPECT_FALSE(S().pbcEnabled);
  EXPECT_FALSE(S().detailEnabled);
  EXPECT_FALSE(S().connectEnabled);
  EXPECT_FALSE(S().rotateEnabled);
  EXPECT_TRUE(S().deleteEnabled) << "Delete is not among the buttons Rescan disables";
  w.Advance(10000);
  EXPECT_TRUE(S().rescanEnabled);
  EXPECT_TRUE(S().pbcEnabled);
  EXPECT_TRUE(S().pinEnabled);
  EXPECT_TRUE(S().rotateEnabled);
}

// The hidden window relays the WLAN service's scan messages to the page's window.
TEST_F(WpsPage, RelayedScanMessagesReachThePage) {
  w.Rescan();
  ASSERT_GE(S().apRows.size(), 2u);
  const HWND hidden = w.Hidden().Window();
  struct Relay {
    UINT message;
    bool rebuilds;  // a rebuild selects row 0 again
  };
  for (const Relay relay :
       {Relay{wlan_msg::kScanComplete, true}, Relay{wlan_msg::kScanFailed, false}, Relay{wlan_msg::kRadioOff, true}}) {
    SCOPED_TRACE(relay.message);
    w.Page().OnApRowClicked(1);
    w.Page().OnRescan();
    ASSERT_FALSE(S().rescanEnabled);
    // The scan the page queued is still running: its own message is not the one seen here.
    w.loop.PostMessage(hidden, relay.message, 0, 0);
    w.loop.DrainMessages();
    EXPECT_TRUE(S().rescanEnabled);
    EXPECT_TRUE(S().pbcEnabled);
    EXPECT_EQ(S().selectedAp, relay.rebuilds ? 0 : 1);
    w.Advance(10000);
  }
}

struct EnableCase {
  const char* name;
  bool apSelected;
  bool credentialSelected;
  int credentials;
  // Information/PIN, Detail/Connect/Delete, Rotate/Export.
  bool apButtons, credentialButtons, countButtons;
};

class WpsPageEnable : public WpsPage, public ::testing::WithParamInterface<EnableCase> {};

TEST_P(WpsPageEnable, ButtonsFollowSelectionsAndCount) {
  const EnableCase& c = GetParam();
  w.Rescan();
  if (c.credentials == 1) Credentials({"A"});
  if (c.credentials == 3) Credentials({"A", "B", "C"});
  w.Page().OnApRowClicked(c.apSelected ? 0 : -1);
  w.Page().OnCredentialRowClicked(c.credentialSelected ? 0 : -1);
  EXPECT_EQ(S().informationEnabled, c.apButtons);
  EXPECT_EQ(S().pinEnabled, c.apButtons);
  EXPECT_EQ(S().detailEnabled, c.credentialButtons);
  EXPECT_EQ(S().connectEnabled, c.credentialButtons);
  EXPECT_EQ(S().deleteEnabled, c.credentialButtons);
  EXPECT_EQ(S().rotateEnabled, c.countButtons);
  EXPECT_EQ(S().exportEnabled, c.countButtons);
  // A page timer's tick sets Rotate and Export from the count alone.
  w.Advance(1000);
  EXPECT_EQ(S().rotateEnabled, c.credentials > 0);
  EXPECT_EQ(S().exportEnabled, c.credentials > 0);
}

INSTANTIATE_TEST_SUITE_P(Rules, WpsPageEnable,
                         ::testing::Values(EnableCase{"nothing", false, false, 0, false, false, false},
                                           EnableCase{"ap_only", true, false, 0, true, false, false},
                                           EnableCase{"credentials_none_selected", false, false, 3, false, false, true},
                                           EnableCase{"credential_selected", false, true, 1, false, true, true},
                                           EnableCase{"row_past_the_end_is_none", false, true, 0, false, false, false},
                                           EnableCase{"both", true, true, 3, true, true, true}),
                         [](const auto& row) { return std::string(row.param.name); });

struct ColourCase {
  int progress;
  DisplayColour colour;
};

class WpsProgressColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(WpsProgressColours, ThresholdsAt35And70) {
  EXPECT_EQ(WpsProgressColour(GetParam().progress), GetParam().colour) << GetParam().progress;
}

// 0x00FF00, 0x32E6FA and 0xFB0606 as 0x00BBGGRR.
constexpr DisplayColour kGreen{0, 255, 0};
constexpr DisplayColour kYellow{250, 230, 50};
constexpr DisplayColour kBlue{6, 6, 251};

INSTANTIATE_TEST_SUITE_P(Page, WpsProgressColours,
                         ::testing::Values(ColourCase{0, kGreen}, ColourCase{34, kGreen}, ColourCase{35, kYellow},
                                           ColourCase{60, kYellow}, ColourCase{69, kYellow}, ColourCase{70, kBlue},
                                           ColourCase{100, kBlue}));

TEST_F(WpsPage, PushButtonRunConnectsAndPaintsItsProgress) {
  w.Rescan();
  w.Page().OnPbc();
  EXPECT_EQ(S().statusText, "启动 PBC 连接");
  EXPECT_EQ(S().progress.position, 5);
  EXPECT_FALSE(S().rescanEnabled);
  EXPECT_EQ(S().progress.startColour, kGreen);
  EXPECT_EQ(S().progress.middleColour, (DisplayColour{166, 202, 240}));
  bool sawYellow = false;
  bool sawPrefix = false;
  for (int i = 0; i < 200 && S().statusText.rfind("WPS 已经成功连接", 0) != 0; ++i) {
    w.Advance(200);
    sawYellow |= S().progress.position >= 35 && S().progress.position < 70 && S().progress.endColour == kYellow;
    sawPrefix |= S().statusText.rfind("PBC - ", 0) == 0;
  }
  EXPECT_TRUE(sawYellow);
  EXPECT_TRUE(sawPrefix);
  EXPECT_EQ(S().statusText, "WPS 已经成功连接 - Router-WPS");
  EXPECT_EQ(S().progress.position, 100);
  EXPECT_EQ(S().progress.endColour, kBlue);
  ASSERT_EQ(S().credentialRows.size(), 1u);
  EXPECT_EQ(S().credentialRows[0].ssid, "Router-WPS");
  EXPECT_EQ(S().credentialRows[0].mark, kCredentialConnected);
  EXPECT_TRUE(S().credentialRows[0].locked);
  EXPECT_TRUE(S().rescanEnabled);
  EXPECT_TRUE(S().rotateEnabled);
}

TEST_F(WpsPage, EnrolleePinRunWithTheSelectedAccessPoint) {
  w.Rescan();
  w.Page().OnApRowClicked(w.ApRow("NewAP-Setup"));
  w.Page().OnPin();
  EXPECT_EQ(S().statusText, "启动 PIN 连接 - NewAP-Setup");
  ASSERT_TRUE(WaitForStatus("WPS 已经成功连接 - NewAP-Setup"));
  ASSERT_EQ(S().credentialRows.size(), 1u);
  EXPECT_FALSE(S().credentialRows[0].locked) << "an open network has no lock";
}

struct PinCase {
  const char* name;
  const char* text;
  const char* tip;      // at the field
  const char* message;  // in the message box
};

class WpsPagePin : public WpsPage, public ::testing::WithParamInterface<PinCase> {};

TEST_P(WpsPagePin, RefusedPinsStartNoRun) {
  w.Rescan();
  w.Page().OnConfigModeChanged(1);
  const std::size_t messages = w.views.messages.size();
  w.Page().OnPinEdited(GetParam().text);
  w.Page().OnPin();
  EXPECT_EQ(S().pinTip, GetParam().tip);
  EXPECT_TRUE(S().pinFocused);
  ASSERT_EQ(w.views.messages.size(), messages + (*GetParam().message != '\0' ? 1u : 0u));
  if (*GetParam().message != '\0') {
    EXPECT_EQ(w.views.messages.back(), GetParam().message);
  }
  EXPECT_EQ(w.world->wps(0).RunsStarted(), 0);
  EXPECT_FALSE(w.PageTimer(wps_timer::kPageStatusPoll));
  // The tip goes with the next action.
  w.Page().OnApRowClicked(0);
  EXPECT_EQ(S().pinTip, "");
}

INSTANTIATE_TEST_SUITE_P(Validation, WpsPagePin,
                         ::testing::Values(PinCase{"seven_digits", "1234567", "Invaild Pin Code", ""},
                                           PinCase{"empty", "", "Invaild Pin Code", ""},
                                           PinCase{"wrong_checksum", "12345671", "", "Pin 码错误"},
                                           PinCase{"non_digit_stops_conversion", "1234567a", "", "Pin 码错误"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(WpsPage, PinFieldKeepsEightCharactersAndIsReadOnlyForTheEnrollee) {
  const std::string own = S().pinText;
  w.Page().OnPinEdited("12345670");
  EXPECT_EQ(S().pinText, own) << "read-only in enrollee mode";
  w.Page().OnConfigModeChanged(1);
  w.Page().OnPinEdited("1234567012");
  EXPECT_EQ(S().pinText, "12345670");
}

TEST_F(WpsPage, ConfigModeSwitchesBothWays) {
  Credentials({"A", "B"});
  const std::uint32_t own = w.Page().PagePin();
  w.Page().OnConfigModeChanged(1);
  EXPECT_EQ(S().configMode, 1);
  EXPECT_FALSE(S().pinReadOnly);
  EXPECT_FALSE(S().deleteVisible);
  EXPECT_FALSE(S().renewEnabled);
  ASSERT_EQ(S().credentialRows.size(), 1u);
  EXPECT_TRUE(std::regex_match(S().credentialRows[0].ssid, std::regex("ExRegNW[0-9A-F]{6}")))
      << S().credentialRows[0].ssid;
  EXPECT_EQ(S().selectedCredential, 0);

  // Delete does nothing while it is hidden; Renew nothing while disabled.
  w.Page().OnDelete();
  EXPECT_EQ(S().credentialRows.size(), 1u);
  const std::string typed = S().pinText;
  w.Page().OnRenew();
  EXPECT_EQ(S().pinText, typed);

  w.Page().OnConfigModeChanged(0);
  EXPECT_EQ(S().configMode, 0);
  EXPECT_TRUE(S().pinReadOnly);
  EXPECT_TRUE(S().deleteVisible);
  EXPECT_TRUE(S().renewEnabled);
  EXPECT_EQ(S().pinText, FormatPin(own)) << "the enrollee takes the page's own PIN back";
  EXPECT_EQ(w.Engine().pinCode, own);
  EXPECT_TRUE(S().credentialRows.empty());

  // The mode in force and positions outside the list change nothing.
  Credentials({"Kept"});
  w.Page().OnConfigModeChanged(0);
  w.Page().OnConfigModeChanged(2);
  w.Page().OnConfigModeChanged(-1);
  EXPECT_EQ(S().credentialRows.size(), 1u);
}

TEST_F(WpsPage, RenewMakesTheNewPinThePinCode) {
  const std::string before = S().pinText;
  w.Page().OnRenew();
  EXPECT_NE(S().pinText, before);
  EXPECT_EQ(CheckPinText(S().pinText).check, PinCheck::Ok);
  EXPECT_EQ(FormatPin(w.Engine().pinCode), S().pinText);
  EXPECT_EQ(w.Page().PagePin(), w.Engine().pinCode);
}

TEST_F(WpsPage, MarkingOneRowUnmarksTheOthers) {
  Credentials({"A", "B", "C"});
  w.Page().MarkCredential(1, kCredentialTrying);
  w.Page().MarkCredential(2, kCredentialConnected);
  std::vector<int> marks;
  for (const auto& row : S().credentialRows) marks.push_back(row.mark);
  EXPECT_EQ(marks, (std::vector<int>{-1, -1, 0}));
  w.Page().MarkCredential(7, kCredentialTrying);
  for (const auto& row : S().credentialRows) EXPECT_EQ(row.mark, -1);
}

TEST_F(WpsPage, InformationOpensTheApDetailsOfTheSelectedRow) {
  w.Rescan();
  w.Page().OnApRowClicked(-1);
  w.Page().OnInformation();
  ASSERT_FALSE(w.views.messages.empty());
  EXPECT_EQ(w.views.messages.back(), "No selected item");
  EXPECT_EQ(w.VisiblePanel(), kPanelLinkStatus);

  w.Page().OnApRowClicked(w.ApRow("Router-WPS"));
  w.Page().OnInformation();
  EXPECT_EQ(w.VisiblePanel(), CAPDetailInfoDlg::kPanel);
  EXPECT_TRUE(w.Hidden().State().expanded) << "the lower frame is shown to show the panel";
  EXPECT_EQ(w.ApDetails().General().State().ssid, "Router-WPS");
}

TEST_F(WpsPage, DetailShowsTheSelectedCredentialAndReturns) {
  Credentials({"A", "B"});
  w.Page().OnCredentialRowClicked(-1);
  w.Page().OnDetail();
  EXPECT_EQ(w.VisiblePanel(), kPanelLinkStatus) << "no row: nothing";
  w.Page().OnCredentialRowClicked(1);
  w.Page().OnDetail();
  EXPECT_EQ(w.VisiblePanel(), CPageWPSProfile::kPanel);
  EXPECT_EQ(w.Detail().State().ssid, "B");
  EXPECT_FALSE(w.Detail().State().editable);
  EXPECT_EQ(w.Detail().OnOk(), RegistrarSaveResult::ReadOnly);
  EXPECT_EQ(w.VisiblePanel(), kPanelLinkStatus);
}

TEST_F(WpsPage, ExportOpensTheEditorForEachCredentialInTurn) {
  Credentials({"First", "Second"});
  w.Page().OnExportProfile();
  ASSERT_TRUE(w.Editor().Visible());
  EXPECT_TRUE(w.Page().Exporting());
  EXPECT_EQ(w.Editor().BuildRecord().ssid, "First");
  w.Editor().OnCancel();
  ASSERT_TRUE(w.Editor().Visible()) << "the next credential's editor opens when one closes";
  EXPECT_EQ(w.Editor().BuildRecord().ssid, "Second");
  const std::string name = w.Editor().BuildRecord().name;
  EXPECT_EQ(w.Editor().OnOk(), EditorOkResult::Saved);
  EXPECT_FALSE(w.Editor().Visible());
  EXPECT_FALSE(w.Page().Exporting());
  const std::vector<std::string> saved = w.core->Profiles().ListProfiles();
  ASSERT_EQ(saved, std::vector<std::string>{name}) << "the cancelled one is not saved";
  EXPECT_EQ(w.core->Profiles().LoadProfile(name).ssid, "Second");
}

}  // namespace
}  // namespace nxui
