// The WPS page and the credential detail view in the main window on the simulated world: a
// push-button run pressed on the view fills the credential list with its marks, the buttons follow
// the page, "Config Mode" switches the controls, and "Detail" opens the detail view as a panel.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include "GuiTestWorld.h"
#include "shell/ShellIds.h"
#include "ui/WpsProfileView.h"
#include "ui/WpsView.h"
#include "widgets/CGradientProgressBar.h"
#include "wps/CPageWPSDlg.h"
#include "wps/CPageWPSProfile.h"

namespace nxui {
namespace {

using test::GuiTestWorld;
using test::WorldSetup;

constexpr int kWpsButton = shell::kCtlPageWps;

WorldSetup WpsWorld() {
  WorldSetup setup;
  setup.extraNetworks = R"({"ssid": "Router-WPS", "bssid": "00-22-75-C4-B0-0B", "channel": 11, "rssi": -45,
       "phy": "g", "security": {"auth": "wpa2-psk", "cipher": "aes", "passphrase": "push-the-button"},
       "wps": {"version": "0x10", "state": 2, "devicePasswordId": "0x0004", "pin": "any", "pushButton": true,
               "credentials": [{"ssid": "Router-WPS", "auth": "wpa2-psk", "cipher": "aes", "key": "push-the-button"},
                               {"ssid": "Guest-WPS", "auth": "open", "cipher": "none", "key": ""}]}})";
  return setup;
}

class WpsViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(world.View(), nullptr);
    world.View()->StripButton(kWpsButton)->click();
    world.Advance(2.5);
    QWidget* widget = world.View()->PageWidget(shell::PageId::Wps);
    ASSERT_NE(widget, nullptr);
    view = qobject_cast<WpsView*>(widget);
    if (view == nullptr) view = widget->findChild<WpsView*>();
    ASSERT_NE(view, nullptr);
  }
  void RunPbc() {
    view->Button("pbc")->click();
    for (int i = 0; i < 600 && view->CredentialList()->rowCount() == 0; ++i) world.Advance(0.2);
    world.Advance(4.5);
  }
  // The detail view when it is the lower frame's panel, else null.
  WpsProfileView* DetailView() const {
    QWidget* shown = world.View()->LowerFrame()->currentWidget();
    if (shown == nullptr) return nullptr;
    if (auto* detail = qobject_cast<WpsProfileView*>(shown)) return detail;
    return shown->findChild<WpsProfileView*>();
  }

  GuiTestWorld world{WpsWorld()};
  WpsView* view = nullptr;
};

TEST_F(WpsViewTest, IdlePageShowsTheAccessPointAndItsButtons) {
  QTableWidget* aps = view->ApList();
  ASSERT_EQ(aps->rowCount(), 1);
  EXPECT_EQ(aps->item(0, 0)->text(), QStringLiteral("ID : 0x0004"));
  EXPECT_EQ(aps->item(0, 1)->text(), QStringLiteral("Router-WPS"));
  EXPECT_FALSE(aps->item(0, CPageWPSDlg::kApLockColumn)->icon().isNull());
  EXPECT_TRUE(view->PinField()->isReadOnly());
  EXPECT_EQ(view->PinField()->text().size(), 8);
  EXPECT_TRUE(view->Button("pin")->isEnabled());
  EXPECT_FALSE(view->Button("connect")->isEnabled());
  EXPECT_FALSE(view->Button("exportProfile")->isEnabled());
  EXPECT_TRUE(view->CheckBox("assocIe")->isChecked());
  EXPECT_TRUE(view->CheckBox("autoSelectAp")->isHidden());
  EXPECT_EQ(view->StatusLine()->text(), QStringLiteral("WPS status is not used"));
}

TEST_F(WpsViewTest, PushButtonRunFillsTheCredentialsWithTheirMarks) {
  RunPbc();
  QTableWidget* list = view->CredentialList();
  ASSERT_EQ(list->rowCount(), 2);
  EXPECT_EQ(list->item(1, 1)->text(), QStringLiteral("Guest-WPS"));
  // Row 0 connected: its mark; the open network has no lock.
  EXPECT_FALSE(list->item(0, CPageWPSDlg::kCredentialMarkColumn)->icon().isNull());
  EXPECT_TRUE(list->item(1, CPageWPSDlg::kCredentialMarkColumn)->icon().isNull());
  EXPECT_FALSE(list->item(0, CPageWPSDlg::kCredentialLockColumn)->icon().isNull());
  EXPECT_TRUE(list->item(1, CPageWPSDlg::kCredentialLockColumn)->icon().isNull());
  EXPECT_EQ(view->ProgressBar()->Pos(), 100);
  for (const char* name : {"detail", "connect", "rotate", "delete", "exportProfile"}) {
    EXPECT_TRUE(view->Button(name)->isEnabled()) << name;
  }
}

TEST_F(WpsViewTest, RegistrarModeMakesThePinEditableAndHidesDelete) {
  view->ConfigMode()->setCurrentIndex(1);
  EXPECT_FALSE(view->PinField()->isReadOnly());
  EXPECT_TRUE(view->Button("delete")->isHidden());
  EXPECT_FALSE(view->Button("renew")->isEnabled());
  // The utility's own credential is the one row.
  EXPECT_EQ(view->CredentialList()->rowCount(), 1);

  // Detail opens the editor of credential 0 as the lower frame's panel; Cancel goes back.
  view->Button("detail")->click();
  world.Advance(0.1);
  WpsProfileView* detail = DetailView();
  ASSERT_NE(detail, nullptr);
  EXPECT_FALSE(detail->SsidField()->isReadOnly());
  EXPECT_FALSE(detail->ChoiceList(WpsProfileView::kAuth)->isHidden());
  detail->Cancel()->click();
  world.Advance(0.1);
  EXPECT_EQ(DetailView(), nullptr);

  view->ConfigMode()->setCurrentIndex(0);
  EXPECT_TRUE(view->PinField()->isReadOnly());
  EXPECT_FALSE(view->Button("delete")->isHidden());
  EXPECT_EQ(view->CredentialList()->rowCount(), 0);
}

TEST_F(WpsViewTest, EnrolleeDetailIsReadOnlyWithTheKeyMasked) {
  RunPbc();
  ASSERT_EQ(view->CredentialList()->rowCount(), 2);
  view->CredentialList()->setCurrentCell(0, 1);
  view->Button("detail")->click();
  world.Advance(0.1);
  WpsProfileView* detail = DetailView();
  ASSERT_NE(detail, nullptr);
  EXPECT_TRUE(detail->SsidField()->isReadOnly());
  EXPECT_EQ(detail->SsidField()->text(), QStringLiteral("Router-WPS"));
  EXPECT_EQ(detail->KeyField()->text(), QStringLiteral("push-the-button"));
  EXPECT_EQ(detail->KeyField()->echoMode(), QLineEdit::Password);
  EXPECT_TRUE(detail->KeyField()->isReadOnly());
  detail->ShowPassword()->click();
  EXPECT_EQ(detail->KeyField()->echoMode(), QLineEdit::Normal);
}

}  // namespace
}  // namespace nxui
