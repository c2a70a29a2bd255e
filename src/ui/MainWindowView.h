// The main window as the user sees it: the page-button strip (arrows, page buttons with their
// pictures, radio button, fillers) laid out from the window model, the page area, the More/Less
// and help buttons, and the lower frame with its eleven panels. It renders the model and the
// pages' states and forwards clicks; closing it closes the model.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "shell/CNxUI2007Dlg.h"
#include "shell/PageSet.h"

class QHBoxLayout;
class QScrollArea;
class QStackedWidget;
class QToolButton;

namespace nxui {

class AboutView;
class ProfileView;
class ApDetailsView;
class SurveyView;
class LinkStatusView;
class StatisticsView;

class MainWindowView final : public QWidget {
  Q_OBJECT

 public:
  // Builds the view of the page shown; any other page's or panel's view is built when the window
  // first shows that page or panel, or when asked for below. The page area has the size of its
  // largest page from the start (see PageViews.h). Most sessions see a few of the seven pages and one or two of
  // the eleven panels.
  MainWindowView(shell::CNxUI2007Dlg& model, shell::PageSet& pages, QWidget* parent = nullptr);

  // Renders what changed since the last call: the model's strip, caption and More/Less, and the
  // views of the page and the panel shown whose page's revision moved. Hidden views are rendered
  // when they are shown again.
  void Sync();
  // A window on a screen fits its available height: the page area shrinks and scrolls, and the
  // window moves up when growing would take it past the bottom. Off (pictures): natural size.
  void SetFitToScreen(bool on);

  // For checks and the headless rendering.
  QToolButton* StripButton(int controlId) const;
  // Strip buttons shown, left to right, by control id (arrows and fillers included).
  std::vector<int> VisibleStripControls() const;
  QToolButton* MoreLessButton() const { return moreLess_; }
  QStackedWidget* PageArea() const { return pageArea_; }
  QScrollArea* PageScroll() const { return pageScroll_; }
  QStackedWidget* LowerFrame() const { return lowerFrame_; }
  // The view of a page or panel, built now if it was not yet (null for a page the strip lacks).
  QWidget* PageWidget(shell::PageId page);
  QWidget* PanelWidget(int panel);
  LinkStatusView* LinkStatus();
  StatisticsView* Statistics();
  AboutView* About();
  SurveyView* Survey();
  ProfileView* Profile();
  ApDetailsView* ApDetails();
  // Views built so far, pages and panels.
  int BuiltViewCount() const;

 signals:
  // The user closed the window (the model is already closed).
  void UserClosed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape leaves a panel of the lower frame as its Cancel (or else OK) button does.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // A page's or panel's view and what its last rendering showed; `view` is null until built.
  struct ViewSlot {
    shell::IPage* page = nullptr;
    QWidget* view = nullptr;
    std::function<void(QWidget&, shell::IPage&)> render;
    std::uint64_t renderedRevision = 0;
    // Until the view is built, what keeps the page area at the size the view will ask for.
    QWidget* holder = nullptr;
  };
  void HoldPageSize(shell::PageId page);
  QWidget* EnsurePageView(shell::PageId page);
  QWidget* EnsurePanelView(int panel);
  void PlaceInTabOrder(QWidget& view);
  // True when it rendered.
  static bool RenderIfChanged(ViewSlot& slot);
  void SyncModel(const shell::MainWindowState& state);

  QToolButton* MakeStripButton(int controlId);
  void SyncStrip();
  void FitHeight();
  int AvailableHeight() const;
  void KeepOnScreen();
  int DialogUnitsToPixels(int units) const;

  shell::CNxUI2007Dlg& model_;
  shell::PageSet& pages_;
  QHBoxLayout* strip_;
  std::map<int, QToolButton*> stripButtons_;
  std::map<int, int> stripArt_;  // the picture each strip button shows, by control id
  QToolButton* leftFiller_;
  QToolButton* rightFiller_;
  std::vector<int> stripOrder_;
  QScrollArea* pageScroll_;
  QStackedWidget* pageArea_;
  std::array<ViewSlot, shell::kPageCount> pageViews_{};
  std::array<ViewSlot, shell::kPanelCount> panelViews_{};
  QStackedWidget* lowerFrame_;
  QToolButton* moreLess_;
  QToolButton* help_ = nullptr;
  bool expandedShown_;
  bool fitToScreen_ = false;
  int panelShown_ = -1;
  // The model as last rendered; empty before the first rendering.
  std::optional<shell::MainWindowState> modelShown_;
  int moreLessArt_ = 0;
};

}  // namespace nxui
