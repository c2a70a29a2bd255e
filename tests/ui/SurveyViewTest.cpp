// The survey page and the AP details panel in the main window on the simulated world: the list's
// cells, "Show dBm" reaching the link status, sorting, double click into the details, "Add to
// Profile", and the radio switched off.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

#include "GuiTestWorld.h"
#include "shell/ShellIds.h"
#include "survey/CAPDetailInfoDlg.h"
#include "ui/ApDetailsView.h"
#include "ui/LinkStatusView.h"
#include "ui/SurveyListModel.h"
#include "ui/SurveyView.h"
#include "widgets/CGradientProgressBar.h"
#include "widgets/CTabDialog.h"

namespace nxui {
namespace {

using test::GuiTestWorld;
using test::WorldSetup;

constexpr int kNetworkButton = 1125;

WorldSetup ThreeNetworks() {
  WorldSetup setup;
  setup.extraNetworks = R"({"ssid": "Cafe", "bssid": "00-22-6B-11-22-33", "channel": 11, "rssi": -71, "phy": "g"},
      {"ssid": "Lab-HT", "bssid": "00-24-01-AA-BB-CC", "channel": 1, "rssi": -30, "phy": "n",
       "security": {"auth": "wpa2-psk", "cipher": "aes", "passphrase": "abcdefgh1"}, "ht": {"width": 40}})";
  return setup;
}

class SurveyViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(world.View(), nullptr);
    world.View()->StripButton(kNetworkButton)->click();
    world.Advance(6.5);
    view = world.View()->Survey();
    model = view->Model();
    ASSERT_EQ(model->rowCount(), 3);
  }
  int RowOf(const char* ssid) const {
    for (int r = 0; r < model->rowCount(); ++r) {
      if (model->index(r, 1).data().toString() == QLatin1String(ssid)) return r;
    }
    return -1;
  }
  GuiTestWorld world{ThreeNetworks()};
  SurveyView* view = nullptr;
  SurveyListModel* model = nullptr;
};

TEST_F(SurveyViewTest, RowsShowIconsTextsAndColouredBars) {
  const int home = RowOf("HomeNet");
  const int lab = RowOf("Lab-HT");
  ASSERT_GE(home, 0);
  ASSERT_GE(lab, 0);
  // Only the connected row carries the connected icon; only the HT network the n icon.
  EXPECT_FALSE(model->index(home, 0).data(Qt::DecorationRole).isNull());
  EXPECT_TRUE(model->index(lab, 0).data(Qt::DecorationRole).isNull());
  EXPECT_FALSE(model->index(lab, 7).data(Qt::DecorationRole).isNull());
  EXPECT_TRUE(model->index(home, 7).data(Qt::DecorationRole).isNull());
  // -30 dBm: full bar in blue.
  EXPECT_EQ(model->index(lab, 9).data().toString(), QStringLiteral("100%"));
  EXPECT_EQ(model->index(lab, SurveyListModel::kSignalBarColumn).data(SurveyListModel::kPercentRole).toInt(), 100);
  EXPECT_EQ(model->index(lab, SurveyListModel::kSignalBarColumn).data(SurveyListModel::kBarColourRole).value<QColor>(),
            QColor(20, 120, 200));
  EXPECT_TRUE(view->Connect()->isHidden());
  EXPECT_TRUE(view->Rescan()->isEnabled());
  // Icon columns keep their names as tooltips.
  EXPECT_TRUE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString().isEmpty());
  EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Connected Icon"));
}

TEST_F(SurveyViewTest, ShowDbmRewritesTheListAndTheLinkStatusCaptions) {
  world.View()->MoreLessButton()->click();
  view->ShowDbm()->click();
  EXPECT_TRUE(world.core->Core()->Survey().ShowDbm());
  EXPECT_TRUE(model->index(RowOf("Cafe"), 9).data().toString().endsWith(QLatin1String(" dBm")));
  world.Advance(2.5);
  EXPECT_TRUE(world.View()->LinkStatus()->Bar(kSignal1Bar)->DisplayedCaption().endsWith(QLatin1String(" dBm")))
      << world.View()->LinkStatus()->Bar(kSignal1Bar)->DisplayedCaption().toStdString();
}

TEST_F(SurveyViewTest, SignalSortPutsTheStrongestFirst) {
  view->SortButton(SortMode::Signal)->click();
  world.Advance(2.5);
  EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("Lab-HT"));
  EXPECT_EQ(model->index(2, 1).data().toString(), QStringLiteral("Cafe"));
  EXPECT_TRUE(view->SortButton(SortMode::Signal)->isChecked());
}

TEST_F(SurveyViewTest, DoubleClickOpensTheDetailsExpandedAndOkGoesBack) {
  ASSERT_FALSE(world.Model()->State().expanded);
  const struct {
    const char* ssid;
    bool htTab;
  } cases[] = {{"Lab-HT", true}, {"HomeNet", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ssid);
    emit view->List()->doubleClicked(model->index(RowOf(c.ssid), 1));
    world.host->SyncNow();
    EXPECT_EQ(world.Model()->State().visiblePanel, CAPDetailInfoDlg::kPanel);
    EXPECT_TRUE(world.Model()->State().expanded);
    ApDetailsView* details = world.View()->ApDetails();
    EXPECT_EQ(world.View()->LowerFrame()->currentWidget(), details);
    EXPECT_EQ(details->Value("ssid")->text(), QLatin1String(c.ssid));
    EXPECT_EQ(details->Tabs()->Button(CAPDetailInfoDlg::kTab80211n)->isVisibleTo(details), c.htTab);
    details->OkButton()->click();
    world.host->SyncNow();
    EXPECT_EQ(world.Model()->State().visiblePanel, shell::kPanelLinkStatus);
  }
}

TEST_F(SurveyViewTest, AddToProfileNeedsASelection) {
  view->List()->selectionModel()->clearCurrentIndex();
  world.host->SyncNow();
  view->AddToProfile()->click();
  ASSERT_FALSE(world.views.messages.empty());
  EXPECT_EQ(world.views.messages.back(), "No selected item");
  EXPECT_EQ(world.core->Core()->SurveySelection().Count(), 0);

  view->List()->selectionModel()->setCurrentIndex(model->index(RowOf("Lab-HT"), 1),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view->AddToProfile()->click();
  ASSERT_EQ(world.core->Core()->SurveySelection().Count(), 1);
  EXPECT_EQ(world.core->Core()->SurveySelection().Last()->authCode, 5);
}

TEST_F(SurveyViewTest, RadioOffEmptiesTheListAndDisablesItsButtons) {
  world.View()->StripButton(shell::kCtlRadio)->click();
  world.Advance(4.5);
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_FALSE(view->Rescan()->isEnabled());
  EXPECT_FALSE(view->AddToProfile()->isEnabled());
}

}  // namespace
}  // namespace nxui
