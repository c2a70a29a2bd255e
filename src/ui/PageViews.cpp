#include "ui/PageViews.h"

#include "advanced/CAddBlockAckDlg.h"
#include "advanced/CDeleteBlockAckDlg.h"
#include "advanced/CPage80211nSettingDlg.h"
#include "advanced/CPageSSODlg.h"
#include "monitor/CAuthenStatusDlg.h"
#include "monitor/CInvalidIDPW.h"
#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "profiles/CPageProfileDlg.h"
#include "profiles/CPeapSettingDlg.h"
#include "profiles/CProfileEditorDlg.h"
#include "shell/CPageAboutDlg.h"
#include "shell/CPlaceholderPage.h"
#include "shell/ProfileEditorPanel.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "ui/AboutView.h"
#include "ui/ApDetailsView.h"
#include "ui/AuthenStatusView.h"
#include "ui/BlockAckDialogView.h"
#include "ui/HtSettingsView.h"
#include "ui/InvalidIdPwView.h"
#include "ui/LinkStatusView.h"
#include "ui/PeapSettingView.h"
#include "ui/PlaceholderPage.h"
#include "ui/ProfileEditorView.h"
#include "ui/ProfileView.h"
#include "ui/SsoView.h"
#include "ui/StatisticsView.h"
#include "ui/SurveyView.h"
#include "ui/ViewHelpers.h"
#include "ui/WpsProfileView.h"
#include "ui/WpsView.h"
#include "wps/CPageWPSDlg.h"
#include "wps/CPageWPSProfile.h"

namespace nxui {
namespace {

PageViewRow LinkStatusRow() {
  return {
      shell::PageKey::Panel(kPanelLinkStatus),
      [](shell::IPage& page, QWidget* parent) -> QWidget* {
        return dynamic_cast<shell::TypedPage<CLinkStatusDlg>*>(&page) != nullptr ? new LinkStatusView(parent) : nullptr;
      },
      [](QWidget& view, shell::IPage& page) {
        static_cast<LinkStatusView&>(view).Render(dynamic_cast<shell::TypedPage<CLinkStatusDlg>&>(page).Get().State());
      }};
}

// The editor's view also draws the panel's hint window.
PageViewRow ProfileEditorRow() {
  return {shell::PageKey::Panel(CProfileEditorDlg::kPanel),
          [](shell::IPage& page, QWidget* parent) -> QWidget* {
            auto* panel = dynamic_cast<shell::ProfileEditorPanel*>(&page);
            return panel != nullptr ? new ProfileEditorView(*panel, parent) : nullptr;
          },
          [](QWidget& view, shell::IPage&) { static_cast<ProfileEditorView&>(view).Render(); }};
}

}  // namespace

const std::vector<PageViewRow>& PageViewTable() {
  static const std::vector<PageViewRow> table = {
      ViewOf<CPageProfileDlg, ProfileView>(shell::PageKey::Page(shell::PageId::Profile)),
      ViewOf<CPageSiteSurveyDlg, SurveyView>(shell::PageKey::Page(shell::PageId::Network)),
      ViewOf<CPageStatisticsDlg, StatisticsView>(shell::PageKey::Page(shell::PageId::Statistics)),
      ViewOf<CPage80211nSettingDlg, HtSettingsView>(shell::PageKey::Page(shell::PageId::Dot11n)),
      ViewOf<CPageSSODlg, SsoView>(shell::PageKey::Page(shell::PageId::Sso)),
      ViewOf<CPageAboutDlg, AboutView>(shell::PageKey::Page(shell::PageId::About)),
      LinkStatusRow(),
      ViewOf<CAPDetailInfoDlg, ApDetailsView>(shell::PageKey::Panel(CAPDetailInfoDlg::kPanel)),
      ProfileEditorRow(),
      ViewOf<CPeapSettingDlg, PeapSettingView>(shell::PageKey::Panel(CPeapSettingDlg::kPanel)),
      ViewOf<CAuthenStatusDlg, AuthenStatusView>(shell::PageKey::Panel(CAuthenStatusDlg::kPanel)),
      ViewOf<CInvalidIDPW, InvalidIdPwView>(shell::PageKey::Panel(CInvalidIDPW::kPanel)),
      ViewOf<CAddBlockAckDlg, BlockAckDialogView>(shell::PageKey::Panel(CAddBlockAckDlg::kPanel)),
      ViewOf<CDeleteBlockAckDlg, BlockAckDialogView>(shell::PageKey::Panel(CDeleteBlockAckDlg::kPanel)),
      // The tallest page (its two lists), in either language.
      ViewOf<CPageWPSDlg, WpsView>(shell::PageKey::Page(shell::PageId::Wps), true),
      ViewOf<CPageWPSProfile, WpsProfileView>(shell::PageKey::Panel(CPageWPSProfile::kPanel)),
  };
  return table;
}

bool SizesPageArea(shell::PageKey key) {
  for (const PageViewRow& row : PageViewTable()) {
    if (row.key == key) return row.sizesPageArea;
  }
  return false;
}

QWidget* BuildPageView(shell::PageKey key, shell::IPage& page, QWidget* parent,
                       std::function<void(QWidget&, shell::IPage&)>& render) {
  for (const PageViewRow& row : PageViewTable()) {
    if (!(row.key == key)) continue;
    if (QWidget* view = row.build(page, parent)) {
      render = row.render;
      return view;
    }
  }
  render = nullptr;
  if (auto* placeholder = dynamic_cast<shell::TypedPage<shell::CPlaceholderPage>*>(&page)) {
    const shell::PlaceholderState& state = placeholder->Get().State();
    return new PlaceholderPage(ToQt(state.title), ToQt(state.note), parent);
  }
  // A page class without a view row: say so rather than show an empty area.
  return new PlaceholderPage(QStringLiteral("No view"), QStringLiteral("This page has no view yet."), parent);
}

}  // namespace nxui
