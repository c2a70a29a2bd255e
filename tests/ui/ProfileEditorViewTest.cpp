// The profile editor panel and the credential panel in the main window on the simulated world:
// Add through the profile page's view, the menus as the editor offers them, the hint beside a
// refused key, the thresholds, masking and key filtering as the edits show them.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "GuiTestWorld.h"
#include "display/StringTable.h"
#include "profiles/CPageAuthEncryDlg.h"
#include "profiles/CPeapSettingDlg.h"
#include "profiles/CProfileEditorDlg.h"
#include "profiles/ProfileStore.h"
#include "shell/NxCore.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "ui/PeapSettingView.h"
#include "ui/ProfileEditorView.h"
#include "ui/ProfileView.h"
#include "ui/QtInfoWnd.h"
#include "widgets/CTabDialog.h"

namespace nxui {
namespace {

using test::GuiTestWorld;
using test::WorldSetup;

class ProfileEditorViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(world.View(), nullptr) << "the main window opens at start";
    profiles = dynamic_cast<ProfileView*>(world.View()->PageWidget(shell::PageId::Profile));
    editor = dynamic_cast<ProfileEditorView*>(world.View()->PanelWidget(CProfileEditorDlg::kPanel));
    ASSERT_NE(profiles, nullptr);
    ASSERT_NE(editor, nullptr);
    // Offscreen nothing has the focus; the hint window asks for it.
    editor->HintWindow()->SetFocusOverride(true);
  }

  void Sync() { world.Advance(0); }
  int VisiblePanel() { return world.Model()->State().visiblePanel; }
  ProfileStore& Store() { return world.core->Core()->Profiles(); }
  void OpenNew() {
    ASSERT_TRUE(profiles->AddButton()->isEnabled());
    profiles->AddButton()->click();
    Sync();
    ASSERT_EQ(VisiblePanel(), CProfileEditorDlg::kPanel);
  }
  // Opens the menu as a click would, then chooses an item.
  static QAction* Item(QMenu* menu, int index) {
    emit menu->aboutToShow();
    return menu->actions().at(index);
  }

  GuiTestWorld world{WorldSetup{}};
  ProfileView* profiles = nullptr;
  ProfileEditorView* editor = nullptr;
};

TEST_F(ProfileEditorViewTest, AddRefusesAShortKeyBesideItsEditThenSavesAndReturnsToTheList) {
  OpenNew();
  EXPECT_EQ(editor->ProfileName()->text(), QStringLiteral("PROF1"));
  EXPECT_EQ(editor->Tabs()->Current(), 0);
  emit editor->Ssid()->lineEdit()->textEdited(QStringLiteral("HomeNet"));
  QAction* wpa2Psk = Item(editor->AuthMenu(), kAuthWpa2Psk);
  ASSERT_TRUE(wpa2Psk->isEnabled());
  wpa2Psk->trigger();
  EXPECT_EQ(editor->AuthButton()->text(), QStringLiteral("WPA2-PSK"));
  EXPECT_EQ(editor->EncButton()->text(), QStringLiteral("TKIP")) << "None becomes TKIP in infrastructure";
  ASSERT_TRUE(editor->PreSharedKey()->isEnabled());
  emit editor->PreSharedKey()->textEdited(QStringLiteral("seven77"));

  editor->OkButton()->click();
  QtInfoWnd* hint = editor->HintWindow();
  EXPECT_TRUE(hint->isVisible());
  EXPECT_EQ(hint->Text().trimmed(), QString::fromUtf8(security_text::kPskTooShort));
  EXPECT_EQ(editor->Tabs()->Current(), 1) << "the tab of the refused edit";
  EXPECT_EQ(VisiblePanel(), CProfileEditorDlg::kPanel);
  EXPECT_FALSE(Store().HasProfile("PROF1"));
  world.Advance(3.9);
  EXPECT_TRUE(hint->isVisible());
  world.Advance(0.2);
  EXPECT_FALSE(hint->isVisible()) << "hidden 4 s after it was shown";

  emit editor->PreSharedKey()->textEdited(QStringLiteral("sunflower-2008"));
  editor->OkButton()->click();
  Sync();
  EXPECT_EQ(VisiblePanel(), kPanelLinkStatus);
  EXPECT_EQ(Store().LoadProfile("PROF1").wpaPsk, "sunflower-2008");
  bool listed = false;
  for (int r = 0; r < profiles->List()->rowCount(); ++r) {
    listed = listed || profiles->List()->item(r, 1)->text() == QStringLiteral("PROF1");
  }
  EXPECT_TRUE(listed) << "the profile page shows the new profile";
}

TEST_F(ProfileEditorViewTest, MenusAndFieldsFollowTheNetworkType) {
  OpenNew();
  EXPECT_TRUE(editor->Channel()->isHidden());
  EXPECT_FALSE(Item(editor->AuthMenu(), kAuthWpaNone)->isEnabled()) << "no WPA-None in infrastructure";
  EXPECT_TRUE(Item(editor->AuthMenu(), kAuthShared)->isEnabled());

  Item(editor->NetworkTypeMenu(), 1)->trigger();  // ad hoc
  EXPECT_FALSE(editor->Channel()->isHidden());
  EXPECT_GT(editor->Channel()->count(), 0);
  EXPECT_FALSE(editor->findChild<QRadioButton*>(QStringLiteral("psm"))->isEnabled());
  EXPECT_TRUE(editor->findChild<QPushButton*>(QStringLiteral("preamble"))->isEnabled());
  const struct {
    int item;
    bool offered;
  } adhoc[] = {{kAuthOpen, true},    {kAuthShared, false}, {kAuthLeap, false},  {kAuthWpa, false},
               {kAuthWpaPsk, false}, {kAuthWpa2, false},   {kAuthWpaNone, true}};
  for (const auto& row : adhoc) {
    EXPECT_EQ(Item(editor->AuthMenu(), row.item)->isEnabled(), row.offered) << "auth item " << row.item;
  }
  Item(editor->AuthMenu(), kAuthWpaNone)->trigger();
  EXPECT_EQ(editor->EncButton()->text(), QStringLiteral("AES"));
  EXPECT_FALSE(Item(editor->EncMenu(), kEncTkip)->isEnabled()) << "no TKIP in ad hoc";
  EXPECT_TRUE(editor->Use8021X()->isHidden());

  Item(editor->NetworkTypeMenu(), 0)->trigger();  // infrastructure again
  EXPECT_TRUE(editor->Channel()->isHidden());
  EXPECT_EQ(editor->AuthButton()->text(), QStringLiteral("WPA-PSK"));
  EXPECT_FALSE(editor->findChild<QPushButton*>(QStringLiteral("preamble"))->isEnabled());
}

TEST_F(ProfileEditorViewTest, ThresholdEditsClampWhenLeftAndFollowTheSlider) {
  OpenNew();
  EXPECT_FALSE(editor->FragEdit()->isEnabled());
  editor->UseFrag()->click();
  ASSERT_TRUE(editor->FragEdit()->isEnabled());
  const struct {
    const char* typed;
    const char* shown;
  } rows[] = {{"100", "256"}, {"255", "256"}, {"256", "256"}, {"2346", "2346"}, {"2347", "2346"}, {"1000", "1000"}};
  for (const auto& row : rows) {
    editor->FragEdit()->setText(QLatin1String(row.typed));
    emit editor->FragEdit()->editingFinished();
    EXPECT_EQ(editor->FragEdit()->text(), QLatin1String(row.shown)) << row.typed;
    EXPECT_EQ(editor->FragSlider()->value(), QString(QLatin1String(row.shown)).toInt()) << row.typed;
  }
  editor->FragSlider()->setValue(700);
  EXPECT_EQ(editor->FragEdit()->text(), QStringLiteral("700"));
  editor->UseFrag()->click();
  EXPECT_EQ(editor->FragEdit()->text(), QStringLiteral("2346"));
  EXPECT_FALSE(editor->FragSlider()->isEnabled());
}

TEST_F(ProfileEditorViewTest, KeysAreFilteredMaskedAndOnlyTheDefaultKeyIsEditable) {
  OpenNew();
  editor->Tabs()->SetCurrent(1);
  Item(editor->AuthMenu(), kAuthShared)->trigger();
  EXPECT_EQ(editor->EncButton()->text(), QStringLiteral("WEP")) << "Shared with None becomes WEP";
  EXPECT_TRUE(editor->Key(0)->isEnabled());
  EXPECT_FALSE(editor->Key(1)->isEnabled());
  emit editor->Key(0)->textEdited(QStringLiteral("12zz34"));
  EXPECT_EQ(editor->Key(0)->text(), QStringLiteral("1234")) << "a hexadecimal key takes digits only";
  EXPECT_EQ(editor->Key(0)->maxLength(), 26);
  EXPECT_EQ(editor->Key(0)->echoMode(), QLineEdit::Password);
  editor->ShowPassword()->click();
  EXPECT_EQ(editor->Key(0)->echoMode(), QLineEdit::Normal);
  EXPECT_EQ(editor->PreSharedKey()->echoMode(), QLineEdit::Normal);

  // The key is refused with key 1's text; the hint stands below its edit.
  emit editor->Ssid()->lineEdit()->textEdited(QStringLiteral("HomeNet"));
  editor->OkButton()->click();
  ASSERT_TRUE(editor->HintWindow()->isVisible());
  EXPECT_EQ(editor->HintWindow()->Text().trimmed(), QString::fromStdString(security_text::WepKeyLength(1, true)));
  const QPoint keyBottom = editor->Key(0)->mapToGlobal(QPoint(0, editor->Key(0)->height()));
  EXPECT_GE(editor->HintWindow()->geometry().top(), keyBottom.y() - 1);
  editor->CancelButton()->click();
  Sync();
  EXPECT_FALSE(editor->HintWindow()->isVisible()) << "Cancel takes the hint away";
  EXPECT_EQ(VisiblePanel(), kPanelLinkStatus);
  EXPECT_TRUE(Store().ListProfiles().empty());
}

TEST_F(ProfileEditorViewTest, AddToProfileFillsTheEditorFromTheNetworkAndTheListShowsTheResult) {
  world.Model()->OnPageButton(shell::PageId::Network);
  world.Advance(4.5);
  auto* survey = world.host->Pages()->As<CPageSiteSurveyDlg>(shell::PageKey::Page(shell::PageId::Network));
  ASSERT_NE(survey, nullptr);
  int row = -1;
  for (std::size_t i = 0; i < survey->Rows().size(); ++i) {
    if (survey->Rows()[i].ssid == "HomeNet") row = static_cast<int>(i);
  }
  ASSERT_GE(row, 0) << "the network is in range";
  survey->OnRowClicked(row);
  survey->OnAddToProfile();
  Sync();
  ASSERT_EQ(VisiblePanel(), CProfileEditorDlg::kPanel);
  EXPECT_EQ(editor->Ssid()->currentText(), QStringLiteral("HomeNet"));
  EXPECT_EQ(editor->NetworkTypeButton()->text(), QStringLiteral("Infrastructure"));
  EXPECT_EQ(editor->AuthButton()->text(), QStringLiteral("WPA2-PSK"));
  EXPECT_EQ(editor->EncButton()->text(), QStringLiteral("AES"));
  emit editor->PreSharedKey()->textEdited(QStringLiteral("sunflower-2008"));
  editor->OkButton()->click();
  Sync();
  EXPECT_EQ(world.Model()->State().selectedPage, std::optional<shell::PageId>(shell::PageId::Profile));
  ASSERT_EQ(profiles->List()->rowCount(), 1);
  EXPECT_EQ(profiles->List()->item(0, 2)->text(), QStringLiteral("HomeNet"));
}

TEST_F(ProfileEditorViewTest, CredentialPanelAsksForWhatIsMissingThenReturns) {
  auto* panel = dynamic_cast<PeapSettingView*>(world.View()->PanelWidget(CPeapSettingDlg::kPanel));
  ASSERT_NE(panel, nullptr);
  world.Model()->ShowPanel(CPeapSettingDlg::kPanel);
  Sync();
  EXPECT_EQ(panel->Password()->echoMode(), QLineEdit::Password);
  panel->OkButton()->click();
  ASSERT_FALSE(world.views.messages.empty());
  EXPECT_EQ(world.views.messages.back(), world.core->Strings().LoadString(string_id::kMustInputIdentity));
  emit panel->Identity()->textEdited(QStringLiteral("jdoe"));
  panel->OkButton()->click();
  EXPECT_EQ(world.views.messages.back(), world.core->Strings().LoadString(string_id::kMustInputPassword));
  EXPECT_EQ(VisiblePanel(), CPeapSettingDlg::kPanel);
  emit panel->Password()->textEdited(QStringLiteral("one-time"));
  panel->OkButton()->click();
  Sync();
  EXPECT_EQ(VisiblePanel(), kPanelLinkStatus);
}

}  // namespace
}  // namespace nxui
