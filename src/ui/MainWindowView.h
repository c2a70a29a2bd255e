// The main window as the user sees it: the page-button strip (arrows, page buttons with their
// pictures, radio button, fillers) laid out from the window model, the page area, the More/Less
// and help buttons, and the lower frame with its eleven panels. It renders the model and the
// pages' states and forwards clicks; closing it closes the model.
#pragma once

#include <QWidget>

#include <array>
#include <map>
#include <vector>

#include "display/StringTable.h"
#include "shell/CNxUI2007Dlg.h"

class QHBoxLayout;
class QStackedWidget;
class QToolButton;

namespace nxui {

class AboutView;
class ApDetailsView;
class SurveyView;
class LinkStatusView;
class PageSet;
class StatisticsView;

class MainWindowView final : public QWidget {
  Q_OBJECT

 public:
  // `language` chooses the placeholders' notes (the string table has no text for them).
  MainWindowView(shell::CNxUI2007Dlg& model, PageSet& pages, Language language = Language::kEnglish,
                 QWidget* parent = nullptr);

  // Renders the model and every page's state.
  void Sync();

  // For checks and the headless rendering.
  QToolButton* StripButton(int controlId) const;
  // Strip buttons shown, left to right, by control id (arrows and fillers included).
  std::vector<int> VisibleStripControls() const;
  QToolButton* MoreLessButton() const { return moreLess_; }
  QStackedWidget* PageArea() const { return pageArea_; }
  QStackedWidget* LowerFrame() const { return lowerFrame_; }
  QWidget* PageWidget(shell::PageId page) const;
  QWidget* PanelWidget(int panel) const;
  LinkStatusView* LinkStatus() const { return linkStatus_; }
  StatisticsView* Statistics() const { return statistics_; }
  AboutView* About() const { return about_; }
  SurveyView* Survey() const { return survey_; }
  ApDetailsView* ApDetails() const { return apDetails_; }

 signals:
  // The user closed the window (the model is already closed).
  void UserClosed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QToolButton* MakeStripButton(int controlId);
  void SyncStrip();
  void FitHeight();
  int DialogUnitsToPixels(int units) const;

  shell::CNxUI2007Dlg& model_;
  PageSet& pages_;
  QHBoxLayout* strip_;
  std::map<int, QToolButton*> stripButtons_;
  QToolButton* leftFiller_;
  QToolButton* rightFiller_;
  std::vector<int> stripOrder_;
  QStackedWidget* pageArea_;
  std::array<QWidget*, shell::kPageCount> pageWidgets_{};
  QStackedWidget* lowerFrame_;
  QToolButton* moreLess_;
  QToolButton* help_;
  LinkStatusView* linkStatus_;
  StatisticsView* statistics_;
  AboutView* about_;
  SurveyView* survey_;
  ApDetailsView* apDetails_;
  bool expandedShown_;
  int panelShown_ = -1;
};

}  // namespace nxui
