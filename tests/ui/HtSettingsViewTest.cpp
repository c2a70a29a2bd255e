// The 802.11n page and the Block Ack dialogs in the main window on the simulated world: what the
// widgets show, the clicks reaching the page, a manual session added through the dialog and seen
// in the list, and Escape leaving a dialog as its Cancel does.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "GuiTestWorld.h"
#include "advanced/CAddBlockAckDlg.h"
#include "advanced/CDeleteBlockAckDlg.h"
#include "shell/ShellIds.h"
#include "ui/BlockAckDialogView.h"
#include "ui/HtSettingsView.h"

namespace nxui {
namespace {

using test::GuiTestWorld;
using test::WorldSetup;

constexpr int k80211nButton = shell::kCtlPage80211n;
constexpr const char* kHome = "00-1D-7E-4A-21-90";

WorldSetup HtAccessPoint() {
  WorldSetup setup;
  setup.homePhy = "n";
  return setup;
}

class HtSettingsViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(world.View(), nullptr);
    QToolButton* button = world.View()->StripButton(k80211nButton);
    ASSERT_NE(button, nullptr);
    ASSERT_FALSE(button->isHidden()) << "[Page] \"11n Setting\" is 1";
    button->click();
    world.Advance(1.5);
    view = qobject_cast<HtSettingsView*>(world.View()->PageWidget(shell::PageId::Dot11n));
    ASSERT_NE(view, nullptr);
  }
  template <class Widget>
  Widget* Find(const char* name, QWidget* in = nullptr) {
    Widget* widget = (in != nullptr ? in : view)->findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  BlockAckDialogView* Dialog(int panel) { return qobject_cast<BlockAckDialogView*>(world.View()->PanelWidget(panel)); }
  // A change of the page's state reaches the views at the next sync.
  void Sync() { world.host->SyncNow(); }

  GuiTestWorld world{HtAccessPoint(), "[Page]\n11n Setting=1\n"};
  HtSettingsView* view = nullptr;
};

TEST_F(HtSettingsViewTest, ShowsThePageAndItsAutomaticSessions) {
  EXPECT_EQ(Find<QCheckBox>("mpduAggregation")->text(), QStringLiteral("MPDU Aggregation"));
  EXPECT_TRUE(Find<QCheckBox>("mpduAggregation")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("auto")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("smEnable")->isChecked());
  EXPECT_EQ(Find<QRadioButton>("dynamicSmps")->text(), QStringLiteral("Synamic SMPS"));
  EXPECT_TRUE(Find<QRadioButton>("amsdu7935")->isHidden()) << "only the first size is offered";
  EXPECT_FALSE(Find<QPushButton>("addOriginator")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("deleteRecipient")->isEnabled());
  for (QTreeWidget* list : {view->OriginatorList(), view->RecipientList()}) {
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("MAC地址"));
    EXPECT_EQ(list->topLevelItem(0)->text(0), QLatin1String(kHome));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("32"));
    EXPECT_EQ(list->topLevelItem(0)->text(8), QStringLiteral("-"));
  }
}

TEST_F(HtSettingsViewTest, ManualSessionAddedThroughTheDialogShowsInTheList) {
  Find<QRadioButton>("manual")->click();
  EXPECT_FALSE(Find<QPushButton>("addOriginator")->isEnabled()) << "until Apply";
  Find<QPushButton>("apply")->click();
  ASSERT_TRUE(Find<QPushButton>("addOriginator")->isEnabled());
  Find<QPushButton>("addOriginator")->click();
  Sync();
  EXPECT_EQ(world.Model()->State().visiblePanel, CAddBlockAckDlg::kPanel);
  EXPECT_TRUE(world.Model()->State().expanded) << "the dialog is what the user asked to see";
  BlockAckDialogView* dialog = Dialog(CAddBlockAckDlg::kPanel);
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(dialog->Peers()->topLevelItemCount(), 1);
  EXPECT_EQ(dialog->Peers()->topLevelItem(0)->text(0), QLatin1String(kHome));
  EXPECT_EQ(dialog->Peers()->currentItem(), dialog->Peers()->topLevelItem(0));
  emit dialog->Tids()->activated(5);
  dialog->WindowSize()->setText(QStringLiteral("300"));
  emit dialog->WindowSize()->textEdited(QStringLiteral("300"));
  dialog->OkButton()->click();
  Sync();
  EXPECT_EQ(world.Model()->State().visiblePanel, kPanelLinkStatus);
  world.Advance(1.5);
  QTreeWidgetItem* row = view->OriginatorList()->topLevelItem(0);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->text(1), QStringLiteral("32"));
  EXPECT_EQ(row->text(6), QStringLiteral("44")) << "window 300 went out as 44";
}

TEST_F(HtSettingsViewTest, AggregationUncheckedDisablesTheBlockAckControls) {
  Find<QRadioButton>("manual")->click();
  Find<QPushButton>("apply")->click();
  Find<QCheckBox>("mpduAggregation")->click();
  for (const char* name : {"manual", "auto"}) EXPECT_FALSE(Find<QRadioButton>(name)->isEnabled()) << name;
  EXPECT_FALSE(Find<QComboBox>("mpduDensity")->isEnabled());
  for (const char* name : {"addOriginator", "deleteOriginator", "deleteRecipient"}) {
    EXPECT_FALSE(Find<QPushButton>(name)->isEnabled()) << name;
  }
  Find<QCheckBox>("amsdu")->click();
  EXPECT_FALSE(Find<QRadioButton>("amsdu3839")->isEnabled());
}

TEST_F(HtSettingsViewTest, EscapeLeavesADialogAsCancelDoes) {
  Find<QRadioButton>("manual")->click();
  Find<QPushButton>("apply")->click();
  Find<QPushButton>("deleteRecipient")->click();
  Sync();
  ASSERT_EQ(world.Model()->State().visiblePanel, CDeleteBlockAckDlg::kPanel);
  BlockAckDialogView* dialog = Dialog(CDeleteBlockAckDlg::kPanel);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->WindowSize()->isHidden());
  EXPECT_EQ(Find<QLabel>("direction", dialog)->text(), QStringLiteral("(Recipient of)"));
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(dialog->Peers(), &escape);
  Sync();
  EXPECT_EQ(world.Model()->State().visiblePanel, kPanelLinkStatus);
  world.Advance(1.5);
  EXPECT_EQ(view->RecipientList()->topLevelItemCount(), 1) << "Cancel deleted nothing";
}

}  // namespace
}  // namespace nxui
