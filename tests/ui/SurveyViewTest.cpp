// The survey page and the AP details panel in the main window on the simulated world: the list's
// cells, "Show dBm" reaching the link status, sorting, double click into the details, "Add to
// Profile", and the radio switched off.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

#include "GuiTestWorld.h"
#include "profiles/CProfileEditorDlg.h"
#include "shell/ShellIds.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"
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

constexpr int kNetworkButton = shell::kCtlPageNetwork;

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
    EXPECT_EQ(world.Model()->State().visiblePanel, kPanelLinkStatus);
  }
}

TEST_F(SurveyViewTest, AddToProfileNeedsASelection) {
  view->List()->selectionModel()->clearCurrentIndex();
  world.host->SyncNow();
  auto* editor = world.host->Pages()->As<CProfileEditorDlg>(shell::PageKey::Panel(CProfileEditorDlg::kPanel));
  ASSERT_NE(editor, nullptr);
  view->AddToProfile()->click();
  ASSERT_FALSE(world.views.messages.empty());
  EXPECT_EQ(world.views.messages.back(), "No selected item");
  EXPECT_EQ(editor->State().mode, EditorMode::Closed);

  view->List()->selectionModel()->setCurrentIndex(model->index(RowOf("Lab-HT"), 1),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view->AddToProfile()->click();
  // The editor panel opens on the selected network.
  EXPECT_EQ(editor->State().mode, EditorMode::FromSurvey);
  EXPECT_EQ(editor->SystemConfig().State().values.ssid, "Lab-HT");
}

TEST_F(SurveyViewTest, RadioOffEmptiesTheListAndDisablesItsButtons) {
  world.View()->StripButton(shell::kCtlRadio)->click();
  world.Advance(4.5);
  EXPECT_EQ(model->rowCount(), 0);
  EXPECT_FALSE(view->Rescan()->isEnabled());
  EXPECT_FALSE(view->AddToProfile()->isEnabled());
}

// The columns follow the list's own visible width: no blank band on the right, no bar cut off, and
// the smallest widths kept.
TEST_F(SurveyViewTest, ColumnsFillTheListWhateverWayItIsResized) {
  auto* page = world.host->Pages()->As<CPageSiteSurveyDlg>(shell::PageKey::Page(shell::PageId::Network));
  ASSERT_NE(page, nullptr);
  page->OnShowDbmChanged(true);
  SurveyView standalone(*page);
  standalone.Render();
  standalone.show();
  QTableView* list = standalone.List();
  const int minimumTotal = SurveyView::kSsidColumnMin + 7 * SurveyView::kIconColumnMin + SurveyView::kTextColumnMin +
                           standalone.SignalTextColumnMin() + SurveyView::kSignalBarMin;
  // The view is never narrower than its buttons, which leaves the columns their smallest widths.
  for (const int width : {900, 640, 1400, 640, 480, 820}) {
    SCOPED_TRACE(width);
    standalone.resize(width, 320);
    QCoreApplication::processEvents();
    const int visible = list->viewport()->width();
    QHeaderView* header = list->horizontalHeader();
    EXPECT_GE(list->columnWidth(1), SurveyView::kSsidColumnMin);
    EXPECT_GE(list->columnWidth(9), standalone.SignalTextColumnMin());
    EXPECT_GE(list->columnWidth(SurveyListModel::kSignalBarColumn), SurveyView::kSignalBarMin);
    ASSERT_GE(visible, minimumTotal);
    EXPECT_EQ(header->length(), visible) << "no band, nothing beyond the visible area";
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
  }
  // Every dBm text fits its cell with the cell's margins.
  const QFontMetrics metrics(list->font());
  for (int row = 0; row < standalone.Model()->rowCount(); ++row) {
    const QString text = standalone.Model()->index(row, 9).data().toString();
    EXPECT_TRUE(text.endsWith(QLatin1String(" dBm"))) << text.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(text) + 8, list->columnWidth(9)) << text.toStdString();
  }
}

TEST_F(SurveyViewTest, ReturnOpensTheDetailsAndEscapeLeavesThem) {
  QTableView* list = view->List();
  list->selectionModel()->setCurrentIndex(model->index(RowOf("Lab-HT"), 1),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    SCOPED_TRACE(key);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(list, &press);
    world.host->SyncNow();
    EXPECT_EQ(world.Model()->State().visiblePanel, CAPDetailInfoDlg::kPanel);
    EXPECT_EQ(world.View()->ApDetails()->Value("ssid")->text(), QStringLiteral("Lab-HT"));
    // Escape where the focus is (the list) reaches the window, which leaves the panel as OK does.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(list, &escape);
    world.host->SyncNow();
    EXPECT_EQ(world.Model()->State().visiblePanel, kPanelLinkStatus);
  }
  // Without a current row Return does nothing; Escape on the link status neither.
  list->selectionModel()->clearCurrentIndex();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(list, &press);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(list, &escape);
  world.host->SyncNow();
  EXPECT_EQ(world.Model()->State().visiblePanel, kPanelLinkStatus);
}

TEST_F(SurveyViewTest, SelectedRowKeepsItsIconsInColour) {
  const QIcon icon = model->index(RowOf("Lab-HT"), 7).data(Qt::DecorationRole).value<QIcon>();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixmap(16, QIcon::Selected).toImage(), icon.pixmap(16, QIcon::Normal).toImage());
}

}  // namespace
}  // namespace nxui
