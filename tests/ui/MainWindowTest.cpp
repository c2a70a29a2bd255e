// The main window built on the simulated world, opened offscreen: strip, caption, More/Less,
// page switching, the link-status panel's values and pictures, closing and reopening.
#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "GuiTestWorld.h"
#include "monitor/CPageStatisticsDlg.h"
#include "shell/ShellIds.h"
#include "survey/CAPDetailInfoDlg.h"
#include "ui/ApDetailsView.h"
#include "ui/LinkStatusView.h"
#include "ui/RenderToPng.h"
#include "ui/StatisticsView.h"
#include "ui/SurveyListModel.h"
#include "ui/SurveyView.h"
#include "widgets/CBarGraph.h"
#include "widgets/CGradientProgressBar.h"
#include "widgets/CTabDialog.h"

namespace nxui {
namespace {

using test::GuiTestWorld;
using test::WorldSetup;

constexpr int kProfile = shell::kCtlPageProfile, kNetwork = shell::kCtlPageNetwork,
              kStatistics = shell::kCtlPageStatistics, kWps = shell::kCtlPageWps, kSso = shell::kCtlPageSso,
              k11n = shell::kCtlPage80211n, kRadio = shell::kCtlRadio, kAbout = shell::kCtlPageAbout,
              kFiller = shell::kCtlFiller;

struct StripCase {
  const char* name;
  const char* ini;
  bool is11n;
  std::vector<int> controls;
  bool dot11nEnabled;
};

TEST(MainWindow, StripFollowsTheIniAndTheAdapter) {
  const StripCase cases[] = {
      {"no ini: no 802.11n button",
       "",
       true,
       {kFiller, kProfile, kNetwork, kStatistics, kWps, kRadio, kAbout, kFiller},
       true},
      {"11n Setting=1 on an 802.11n adapter",
       "[Page]\r\n11n Setting=1\r\n",
       true,
       {kFiller, kProfile, kNetwork, kStatistics, kWps, k11n, kRadio, kAbout, kFiller},
       true},
      {"11n Setting=1 on a legacy adapter: shown, disabled",
       "[Page]\r\n11n Setting=1\r\n",
       false,
       {kFiller, kProfile, kNetwork, kStatistics, kWps, k11n, kRadio, kAbout, kFiller},
       false},
  };
  for (const StripCase& c : cases) {
    SCOPED_TRACE(c.name);
    WorldSetup setup;
    setup.is11n = c.is11n;
    GuiTestWorld world(setup, c.ini);
    MainWindowView* view = world.View();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->VisibleStripControls(), c.controls);
    EXPECT_EQ(view->StripButton(kSso)->isVisibleTo(view), false);
    EXPECT_EQ(view->StripButton(k11n)->isEnabled(), c.dot11nEnabled);
    EXPECT_EQ(view->StripButton(kNetwork)->text(), QStringLiteral("Network"));
    EXPECT_EQ(view->StripButton(shell::kCtlLeftArrow)->isVisibleTo(view), false);
  }
}

TEST(MainWindow, OpensCollapsedWithItsCaptionAndGrowsWhenExpanded) {
  GuiTestWorld world(WorldSetup{});
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->windowTitle(), QStringLiteral("VQ-MA310X Wireless Utility"));
  EXPECT_FALSE(world.Model()->State().expanded);
  EXPECT_EQ(view->MoreLessButton()->text(), QStringLiteral("More"));
  const QImage collapsed = RenderWidgetToImage(*view);

  view->MoreLessButton()->click();
  EXPECT_TRUE(world.Model()->State().expanded);
  EXPECT_EQ(view->MoreLessButton()->text(), QStringLiteral("Less"));
  EXPECT_FALSE(view->LowerFrame()->isHidden());
  const QImage expanded = RenderWidgetToImage(*view);
  ASSERT_FALSE(collapsed.isNull());
  ASSERT_FALSE(expanded.isNull());
  EXPECT_LT(collapsed.height() + 150, expanded.height());
  EXPECT_EQ(collapsed.width(), expanded.width());

  view->MoreLessButton()->click();
  EXPECT_EQ(RenderWidgetToImage(*view).height(), collapsed.height());
}

// Collapsed, the window ends just below More/Less, on a screen too: nothing of the lower frame shows.
TEST(MainWindowOnScreen, CollapsedEndsBelowMoreLess) {
  WorldSetup setup;
  setup.shown = true;
  GuiTestWorld world(setup);
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  for (int toggle = 0; toggle < 4; ++toggle) {
    view->MoreLessButton()->click();
    QCoreApplication::processEvents();
  }
  ASSERT_FALSE(world.Model()->State().expanded);
  EXPECT_TRUE(view->LowerFrame()->isHidden());
  const int below =
      view->height() - view->MoreLessButton()->mapTo(view, QPoint(0, view->MoreLessButton()->height())).y();
  EXPECT_EQ(below, view->layout()->contentsMargins().bottom());
}

// A panel's view is built when the lower frame first holds its panel, once, at its place.
TEST(MainWindow, PanelViewsAreBuiltWhenTheirPanelIsFirstShown) {
  GuiTestWorld world(WorldSetup{});
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  const int opened = view->BuiltViewCount();
  EXPECT_EQ(view->LowerFrame()->currentWidget(), view->LinkStatus());
  EXPECT_EQ(view->BuiltViewCount(), opened) << "the link status view came with the window";
  view->StripButton(kStatistics)->click();
  EXPECT_EQ(view->BuiltViewCount(), opened + 1) << "the statistics page's view only";
  const int pages = view->BuiltViewCount();

  world.Model()->ShowPanel(CAPDetailInfoDlg::kPanel);
  world.host->SyncNow();
  EXPECT_EQ(view->BuiltViewCount(), pages + 1);
  QWidget* details = view->LowerFrame()->currentWidget();
  EXPECT_EQ(details, view->ApDetails());
  world.Model()->ShowPanel(kPanelLinkStatus);
  world.host->SyncNow();
  world.Model()->ShowPanel(CAPDetailInfoDlg::kPanel);
  world.host->SyncNow();
  EXPECT_EQ(view->LowerFrame()->currentWidget(), details) << "built again";
  EXPECT_EQ(view->BuiltViewCount(), pages + 1);

  // Panels keep their numbers as their views replace the places held for them.
  for (int panel = 0; panel < static_cast<int>(shell::kPanelCount); ++panel) {
    EXPECT_EQ(view->LowerFrame()->indexOf(view->PanelWidget(panel)), panel) << panel;
  }
  EXPECT_EQ(view->BuiltViewCount(), pages - 1 + static_cast<int>(shell::kPanelCount));
}

struct LazyPageCase {
  const char* name;
  WorldSetup setup;
  const char* ini;
};

// The window opens with the view of the page shown only, yet at the size its tallest page (WPS)
// asks for; building every other page's view later leaves the window's size as it was (a wider
// page raises only the page area's minimum width, which the strip's width exceeds), and what held
// the WPS page's size leaves the page area once its view exists.
TEST(MainWindow, PageViewsAreBuiltOnFirstShowAndTheWindowKeepsItsSize) {
  WorldSetup chinese;
  chinese.language = "zh";
  WorldSetup user;
  user.admin = false;  // opens on the Network page
  WorldSetup legacy;
  legacy.is11n = false;
  const LazyPageCase cases[] = {
      {"English", WorldSetup{}, ""},
      {"Chinese", chinese, ""},
      {"without administrator rights", user, ""},
      {"802.11n button on a legacy adapter", legacy, "[Page]\r\n11n Setting=1\r\n"},
  };
  for (const LazyPageCase& c : cases) {
    SCOPED_TRACE(c.name);
    GuiTestWorld world(c.setup, c.ini);
    MainWindowView* view = world.View();
    ASSERT_NE(view, nullptr);
    const std::optional<shell::PageId> opened = world.Model()->State().selectedPage;
    ASSERT_TRUE(opened.has_value());
    // The page shown and the link status panel.
    EXPECT_EQ(view->BuiltViewCount(), 2);
    const QSize window = view->sizeHint();
    const QSize windowMinimum = view->minimumSizeHint();
    const int areaHeight = view->PageScroll()->sizeHint().height();

    for (const shell::PageButtonState& b : world.Model()->State().buttons) {
      if (b.page) {
        ASSERT_NE(view->PageWidget(*b.page), nullptr);
      }
    }
    EXPECT_EQ(view->BuiltViewCount(), static_cast<int>(shell::kPageCount) + 1);
    EXPECT_EQ(view->PageArea()->count(), static_cast<int>(shell::kPageCount));
    EXPECT_EQ(view->PageArea()->findChild<QWidget*>(QStringLiteral("sizeHolder")), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_EQ(view->PageScroll()->sizeHint().height(), areaHeight);
    EXPECT_EQ(view->sizeHint(), window);
    EXPECT_EQ(view->minimumSizeHint().height(), windowMinimum.height());
    EXPECT_LE(view->minimumSizeHint().width(), window.width());
  }
}

TEST(MainWindow, PageButtonsSwitchThePageAreaAndDisabledOnesDoNot) {
  WorldSetup setup;
  setup.admin = false;  // the Profile button is disabled for users without administrator rights
  GuiTestWorld world(setup);
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->StripButton(kProfile)->isEnabled());
  // Without the Profile page the window opens on the first page the user can use.
  EXPECT_EQ(view->PageArea()->currentWidget(), view->PageWidget(shell::PageId::Network));

  view->StripButton(kStatistics)->click();
  EXPECT_EQ(view->PageArea()->currentWidget(), view->PageWidget(shell::PageId::Statistics));
  EXPECT_TRUE(view->StripButton(kStatistics)->isChecked());
  EXPECT_FALSE(view->StripButton(kNetwork)->isChecked());
  EXPECT_TRUE(world.host->Pages()->Shown(shell::PageKey::Page(shell::PageId::Statistics)));

  view->StripButton(kAbout)->click();
  EXPECT_FALSE(world.host->Pages()->Shown(shell::PageKey::Page(shell::PageId::Statistics)));
  EXPECT_TRUE(world.host->Pages()->Shown(shell::PageKey::Page(shell::PageId::About)));
  EXPECT_EQ(view->PageArea()->currentWidget(), view->PageWidget(shell::PageId::About));
}

TEST(MainWindow, RadioButtonSwitchesTheRadioAndItsPicture) {
  GuiTestWorld world(WorldSetup{});
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  const QImage on = view->StripButton(kRadio)->icon().pixmap(32).toImage();
  view->StripButton(kRadio)->click();
  EXPECT_FALSE(world.Hide().State().radioOn);
  EXPECT_NE(view->StripButton(kRadio)->icon().pixmap(32).toImage(), on);
  world.Advance(4.5);
  EXPECT_EQ(view->LinkStatus()->Value("status")->text(), QStringLiteral("RF OFF"));
}

struct LinkCase {
  const char* name;
  WorldSetup setup;
  const char* statusPrefix;
  bool htShown;
  std::vector<bool> barsShown;  // quality, signal 1..3, noise
};

TEST(MainWindow, LinkStatusPanelShowsTheLink) {
  WorldSetup legacy;
  legacy.is11n = false;
  WorldSetup oneChain;
  oneChain.rssiChains = 1;
  WorldSetup noSignal2;
  noSignal2.failingOids = R"("OID_WLAN_RSSI1", "OID_WLAN_RSSI2")";
  WorldSetup noSignal3;
  noSignal3.failingOids = R"("OID_WLAN_RSSI2")";
  WorldSetup disconnected;
  disconnected.connected = false;
  const LinkCase cases[] = {
      {"connected 802.11n", WorldSetup{}, "HomeNet <--> 00-1D-7E-4A-21-90", true, {true, true, true, true, true}},
      {"legacy adapter: no HT group", legacy, "HomeNet <--> ", false, {true, true, true, true, true}},
      {"one receive chain: absent chains keep their bars",
       oneChain,
       "HomeNet <--> ",
       true,
       {true, true, true, true, true}},
      {"signal 2 query fails: noise below bar 1", noSignal2, "HomeNet <--> ", true, {true, true, false, false, true}},
      {"signal 3 query fails: noise below bar 2", noSignal3, "HomeNet <--> ", true, {true, true, true, false, true}},
      {"disconnected", disconnected, "Disconnected", true, {true, true, true, true, true}},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.name);
    GuiTestWorld world(c.setup);
    MainWindowView* view = world.View();
    ASSERT_NE(view, nullptr);
    view->MoreLessButton()->click();
    ASSERT_FALSE(RenderWidgetToImage(*view).isNull());
    LinkStatusView* link = view->LinkStatus();
    EXPECT_TRUE(link->Value("status")->text().startsWith(QLatin1String(c.statusPrefix)))
        << link->Value("status")->text().toStdString();
    EXPECT_EQ(link->HtGroup()->isVisibleTo(view), c.htShown);
    for (std::size_t i = 0; i < c.barsShown.size(); ++i) {
      EXPECT_EQ(link->Bar(i)->isVisibleTo(view), c.barsShown[i]) << "bar " << i;
    }
    // The noise bar sits directly below the last signal bar shown.
    const CGradientProgressBar* lastSignal = link->Bar(1);
    for (std::size_t i = 2; i <= 3; ++i) {
      if (c.barsShown[i]) lastSignal = link->Bar(i);
    }
    EXPECT_GT(link->Bar(kNoiseBar)->y(), lastSignal->y());
    EXPECT_LT(link->Bar(kNoiseBar)->y() - lastSignal->y(), 2 * lastSignal->height());
    // Status and extra info live in a grid of their own; their values still line up with the details'.
    const int column = link->Value("channel")->mapTo(link, QPoint(0, 0)).x();
    for (const char* name : {"status", "extraInfo", "authentication", "gateway"}) {
      EXPECT_EQ(link->Value(name)->mapTo(link, QPoint(0, 0)).x(), column) << name;
    }
  }
}

TEST(MainWindow, ConnectedLinkDrawsItsBarsAndGraphs) {
  GuiTestWorld world(WorldSetup{});
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  view->MoreLessButton()->click();
  world.Advance(10);
  LinkStatusView* link = view->LinkStatus();
  const CGradientProgressBar* quality = link->Bar(kQualityBar);
  EXPECT_GT(quality->Pos(), 50);
  EXPECT_TRUE(quality->DisplayedCaption().startsWith(QLatin1String("Link Quality >> ")));
  EXPECT_GT(quality->FillWidth(), 0);
  // The graphs got one sample per refresh and draw bars over the black background.
  EXPECT_GE(link->TxGraph()->Samples().size(), 5u);
  const QImage graph = RenderWidgetToImage(*link->RxGraph());
  ASSERT_FALSE(graph.isNull());
  bool yellowBar = false;
  for (int x = link->RxGraph()->CaptionWidth(); x < graph.width() && !yellowBar; ++x) {
    const QColor c = graph.pixelColor(x, graph.height() - 2);
    yellowBar = c.red() > 200 && c.green() > 200 && c.blue() < 80;
  }
  EXPECT_TRUE(yellowBar);
  EXPECT_EQ(graph.pixelColor(graph.width() - 1, 1), QColor(Qt::black));
}

TEST(MainWindow, ClosedWindowIsForgottenAndTheTrayOpensItAgain) {
  GuiTestWorld world(WorldSetup{});
  ASSERT_NE(world.View(), nullptr);
  world.View()->close();
  world.loop.DrainMessages();
  EXPECT_EQ(world.View(), nullptr);
  EXPECT_EQ(world.host->Pages(), nullptr);

  world.loop.PostMessage(world.Hide().Window(), shell::kMsgTrayCallback, 0, shell::kTrayLeftDoubleClick);
  world.loop.DrainMessages();
  ASSERT_NE(world.View(), nullptr);
  EXPECT_FALSE(world.Model()->State().expanded);
}

TEST(MainWindow, UnplugClosesTheWindowWithinATick) {
  GuiTestWorld world(WorldSetup{});
  ASSERT_NE(world.View(), nullptr);
  world.sim->World().Unplug(0);
  world.Advance(2.0);
  EXPECT_EQ(world.View(), nullptr);
  EXPECT_EQ(world.Hide().Tray().Data().iconNumber, 161);
  world.sim->World().Plug(0);
  world.Advance(6.0);
  EXPECT_EQ(world.View(), nullptr);
}

TEST(StatisticsPage, CountsGrowAndResetShowsZerosAtOnce) {
  GuiTestWorld world(WorldSetup{});
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  view->StripButton(kStatistics)->click();
  world.Advance(4.5);
  StatisticsView* stats = view->Statistics();
  const QString sent = stats->ValueLabel(0, 0)->text();
  EXPECT_NE(sent, QStringLiteral("0"));
  // The computed sixth transmit row is never shown.
  EXPECT_TRUE(stats->ValueLabel(0, 5)->isHidden());

  stats->ResetButton()->click();
  for (std::size_t row = 0; row < 5; ++row) EXPECT_EQ(stats->ValueLabel(0, row)->text(), QStringLiteral("0"));

  stats->Tabs()->SetCurrent(1);
  EXPECT_EQ(world.host->Pages()
                ->As<CPageStatisticsDlg>(shell::PageKey::Page(shell::PageId::Statistics))
                ->State()
                .selectedSubPage,
            1);
}

// ---- the window on a screen

WorldSetup Shown() {
  WorldSetup setup;
  setup.shown = true;
  return setup;
}

int BottomIn(const QWidget* widget, const QWidget* window) {
  return widget->mapTo(window, QPoint(0, widget->height())).y();
}

TEST(MainWindowOnScreen, ExpandedWithDetailsFitsTheScreenAndStaysOnIt) {
  GuiTestWorld world(Shown());
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  const QRect available = view->screen()->availableGeometry();
  view->move(available.left(), available.top() + available.height() / 2);
  world.Advance(0.1);
  view->StripButton(kNetwork)->click();
  world.Advance(4.5);
  SurveyView* survey = view->Survey();
  ASSERT_GT(survey->Model()->rowCount(), 0);
  emit survey->List()->doubleClicked(survey->Model()->index(0, 1));
  world.host->SyncNow();
  QCoreApplication::processEvents();
  ASSERT_TRUE(world.Model()->State().expanded);
  ASSERT_EQ(world.Model()->State().visiblePanel, CAPDetailInfoDlg::kPanel);

  // The window with its title bar fits, wherever it was before it grew.
  EXPECT_LE(view->height(), available.height());
  EXPECT_LE(view->frameGeometry().top() + view->height(), available.bottom() + 1);
  EXPECT_GE(view->frameGeometry().top(), available.top());
  // Nothing that matters is below the window's edge: the details' OK and More/Less.
  EXPECT_LE(BottomIn(view->ApDetails()->OkButton(), view), view->height());
  EXPECT_LE(BottomIn(view->MoreLessButton(), view), view->height());
  // The page area gave up the height; the survey's buttons are still in it.
  EXPECT_LT(view->PageScroll()->height(), view->PageScroll()->sizeHint().height());
  EXPECT_LE(BottomIn(survey->Rescan(), view->PageScroll()->viewport()), view->PageScroll()->viewport()->height());
}

struct OpenCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

TEST(MainWindowOnScreen, MinimisedWindowComesBackWhenAskedForAgain) {
  const OpenCase cases[] = {
      {"Launch Config Utilities (and a second start)", shell::kMsgCommand, shell::kCmdLaunchConfig, 0},
      {"tray double click", shell::kMsgTrayCallback, 0, shell::kTrayLeftDoubleClick},
  };
  GuiTestWorld world(Shown());
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  for (const OpenCase& c : cases) {
    SCOPED_TRACE(c.name);
    view->showMinimized();
    ASSERT_TRUE(view->isMinimized());
    world.loop.PostMessage(world.Hide().Window(), c.message, c.wParam, c.lParam);
    world.loop.DrainMessages();
    ASSERT_EQ(world.View(), view) << "the same window, not a new one";
    EXPECT_FALSE(view->isMinimized());
    EXPECT_TRUE(view->isVisible());
  }
}

TEST(MainWindowOnScreen, NoMaximiseAndAWideWindowKeepsTheStripInTheMiddle) {
  GuiTestWorld world(Shown());
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(view->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(view->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  const int natural = view->width();
  ASSERT_LT(view->maximumWidth(), QWIDGETSIZE_MAX);
  EXPECT_GE(view->maximumWidth(), natural);
  view->resize(view->maximumWidth() + 500, view->height());
  QCoreApplication::processEvents();
  EXPECT_EQ(view->width(), view->maximumWidth());
  const QWidget* strip = view->StripButton(kProfile)->parentWidget();
  const int left = view->StripButton(kProfile)->mapTo(strip, QPoint(0, 0)).x();
  const QToolButton* about = view->StripButton(kAbout);
  const int right = strip->width() - about->mapTo(strip, QPoint(about->width(), 0)).x();
  EXPECT_LE(std::abs(left - right), about->width()) << left << " left, " << right << " right";
}

TEST(MainWindowOnScreen, StripButtonShowsTheKeyboardFocus) {
  GuiTestWorld world(Shown());
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  // Focus lives in the active window only.
  QApplication::setActiveWindow(view);
  const QColor highlight = view->palette().color(QPalette::Highlight);
  // Pixels of the highlight colour along the button's top edge, where the ring runs.
  auto ringPixels = [&highlight](QToolButton* button) {
    const QImage image = button->grab().toImage();
    int count = 0;
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, 1);
      const int distance = std::abs(c.red() - highlight.red()) + std::abs(c.green() - highlight.green()) +
                           std::abs(c.blue() - highlight.blue());
      count += distance < 60 ? 1 : 0;
    }
    return count;
  };
  QToolButton* network = view->StripButton(kNetwork);
  QToolButton* statistics = view->StripButton(kStatistics);
  network->setFocus(Qt::MouseFocusReason);
  ASSERT_TRUE(network->hasFocus());
  EXPECT_LT(ringPixels(network), network->width() / 4) << "a click shows no ring";
  // Tab moves the focus on by keyboard: now it shows.
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(network, &tab);
  ASSERT_TRUE(statistics->hasFocus());
  EXPECT_GT(ringPixels(statistics), statistics->width() / 2);
  EXPECT_LT(ringPixels(network), network->width() / 4);
}

// Tab from the strip reaches the controls of a page built after the window before Help, as it
// does for a page built with it.
TEST(MainWindowOnScreen, TabReachesAPageBuiltLaterBeforeHelp) {
  GuiTestWorld world(Shown());
  MainWindowView* view = world.View();
  ASSERT_NE(view, nullptr);
  QApplication::setActiveWindow(view);
  const int before = view->BuiltViewCount();
  view->StripButton(kNetwork)->click();
  ASSERT_EQ(view->BuiltViewCount(), before + 1) << "the Network page was built with the window";
  QWidget* page = view->Survey();
  QToolButton* about = view->StripButton(kAbout);
  about->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(about->hasFocus());
  QWidget* reached = nullptr;
  for (int step = 0; step < 40 && reached == nullptr; ++step) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &tab);
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) break;
    if (page->isAncestorOf(focus) || focus == view->findChild<QToolButton*>(QStringLiteral("help"))) reached = focus;
  }
  ASSERT_NE(reached, nullptr) << "Tab reached neither";
  EXPECT_TRUE(page->isAncestorOf(reached)) << "Tab went to " << reached->objectName().toStdString();
}

TEST(LinkStatusPanel, ALongerChannelTextNeitherWrapsNorMovesTheRowsBelow) {
  LinkStatusView view;
  LinkStatusState state;
  state.labels.channel = "Channel >>";
  state.labels.authentication = "Authentication >>";
  state.texts.authentication = "WPA2-PSK";
  state.texts.channel = "6 <--> 2437 MHz";
  view.Render(state);
  view.resize(view.sizeHint());
  view.show();
  QCoreApplication::processEvents();
  const int before = view.Value("authentication")->mapTo(&view, QPoint(0, 0)).y();
  state.texts.channel = "165 <--> 5825 MHz; Central channel : 163";
  view.Render(state);
  QCoreApplication::processEvents();
  EXPECT_EQ(view.Value("authentication")->mapTo(&view, QPoint(0, 0)).y(), before);
  const QLabel* channel = view.Value("channel");
  EXPECT_GE(channel->width(), channel->fontMetrics().horizontalAdvance(channel->text()));
}

}  // namespace
}  // namespace nxui
