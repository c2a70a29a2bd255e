// The page and panel objects of one open main window, built when the window opens and gone when
// it closes: link status (panel 0), site survey with the AP details (panel 4), statistics and
// About. They follow the window model: the page in the page area and the panel in the lower frame
// are shown (their timers run), the others are hidden. The survey's timer runs for its whole life.
// Pages that are not built yet have no object here.
#pragma once

#include <optional>

#include "adapter/DriverChannelPort.h"
#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "monitor/ILinkStatusHost.h"
#include "profiles/ISurveyProfileTarget.h"
#include "shell/CHideDlg.h"
#include "shell/CNxUI2007Dlg.h"
#include "shell/CPageAboutDlg.h"
#include "shell/HideDlgSurveyHost.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "survey/SurveyShared.h"

namespace nxui {

class StringTable;

class PageSet final : public ILinkStatusHost {
 public:
  // `surveyShared` and `profileTarget` live as long as the process.
  PageSet(Platform& platform, shell::CHideDlg& hide, const StringTable& strings, shell::CNxUI2007Dlg& window,
          std::optional<ProgramVersionResource> program, std::size_t graphPixels, SurveyShared& surveyShared,
          ISurveyProfileTarget& profileTarget);
  ~PageSet() override;
  PageSet(const PageSet&) = delete;
  PageSet& operator=(const PageSet&) = delete;

  // Shows and hides the pages as the window model says; call after every change of the model.
  void Sync();

  CLinkStatusDlg& LinkStatus() { return linkStatus_; }
  CPageStatisticsDlg& Statistics() { return statistics_; }
  CPageAboutDlg& About() { return about_; }
  CPageSiteSurveyDlg& Survey() { return survey_; }
  CAPDetailInfoDlg& ApDetails() { return apDetails_; }
  bool LinkStatusShown() const { return linkShown_; }
  bool StatisticsShown() const { return statisticsShown_; }
  bool AboutShown() const { return aboutShown_; }

  // ILinkStatusHost.
  bool RadioOn() const override { return hide_.State().radioOn; }
  bool IcvError() const override { return hide_.State().icvError; }
  bool ShowDbm() const override { return surveyShared_.ShowDbm(); }
  bool ConnectedSurveyRowIs11n() const override { return surveyShared_.ConnectedRowIs11n(); }

 private:
  shell::CHideDlg& hide_;
  shell::CNxUI2007Dlg& window_;
  SurveyShared& surveyShared_;
  DriverChannelPort driver_;
  CAPDetailInfoDlg apDetails_;
  HideDlgSurveyHost surveyHost_;
  CPageSiteSurveyDlg survey_;
  CLinkStatusDlg linkStatus_;
  CPageStatisticsDlg statistics_;
  CPageAboutDlg about_;
  bool linkShown_ = false;
  bool statisticsShown_ = false;
  bool aboutShown_ = false;
};

}  // namespace nxui
