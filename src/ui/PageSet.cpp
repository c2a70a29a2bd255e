#include "ui/PageSet.h"

namespace nxui {

PageSet::PageSet(Platform& platform, shell::CHideDlg& hide, const StringTable& strings, shell::CNxUI2007Dlg& window,
                 std::optional<ProgramVersionResource> program, std::size_t graphPixels, SurveyShared& surveyShared,
                 ISurveyProfileTarget& profileTarget)
    : hide_(hide),
      window_(window),
      surveyShared_(surveyShared),
      driver_(hide.Driver()),
      apDetails_(strings, [&window](int panel) { window.ShowPanel(panel); }),
      surveyHost_(hide, platform, apDetails_),
      survey_(platform.loop, hide.Session(), strings, surveyHost_, surveyShared, profileTarget),
      linkStatus_(platform, hide.Context(), driver_, hide.Session(), strings, *this),
      statistics_(platform.loop, driver_, hide.Session(), strings, &linkStatus_),
      about_(platform, hide.Context(), driver_, strings, std::move(program)) {
  survey_.OnInitDialog();
  linkStatus_.SetGraphCapacity(graphPixels);
  linkStatus_.OnInitDialog();
  statistics_.OnInitDialog();
  about_.OnInitDialog();
  window_.SetPageWindow(shell::PageId::Statistics, statistics_.Window());
  Sync();
}

PageSet::~PageSet() {
  if (linkShown_) linkStatus_.OnHide();
  if (statisticsShown_) statistics_.OnHide();
  window_.SetPageWindow(shell::PageId::Statistics, 0);
}

void PageSet::Sync() {
  const shell::MainWindowState& state = window_.State();
  const bool link = state.visiblePanel == shell::kPanelLinkStatus;
  if (link != linkShown_) {
    linkShown_ = link;
    if (link) {
      linkStatus_.OnShow();
    } else {
      linkStatus_.OnHide();
    }
  }
  const bool statistics = state.selectedPage == shell::PageId::Statistics;
  if (statistics != statisticsShown_) {
    statisticsShown_ = statistics;
    if (statistics) {
      statistics_.OnShow();
    } else {
      statistics_.OnHide();
    }
  }
  const bool about = state.selectedPage == shell::PageId::About;
  if (about != aboutShown_) {
    aboutShown_ = about;
    if (about) about_.OnShow();
  }
}

}  // namespace nxui
