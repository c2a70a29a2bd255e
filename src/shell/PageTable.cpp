// The one table of pages and panels. Adding a page: replace its placeholder row with a row that
// builds and initialises the page class (asking the set for the pages it depends on), and add its
// view to the front end's view table.
#include <tuple>

#include "advanced/CAddBlockAckDlg.h"
#include "advanced/CDeleteBlockAckDlg.h"
#include "advanced/CPage80211nSettingDlg.h"
#include "advanced/CPageSSODlg.h"
#include "display/StringTable.h"
#include "monitor/CAuthenStatusDlg.h"
#include "monitor/CInvalidIDPW.h"
#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "profiles/CPageProfileDlg.h"
#include "profiles/CPeapSettingDlg.h"
#include "profiles/CProfileEditorDlg.h"
#include "profiles/IProfileEditorHost.h"
#include "profiles/StationApplier.h"
#include "shell/CHideDlg.h"
#include "shell/CPlaceholderPage.h"
#include "shell/HideDlgProfileEnvironment.h"
#include "shell/HideDlgProfileHost.h"
#include "shell/HideDlgSurveyHost.h"
#include "shell/HideDlgWpsPageHost.h"
#include "shell/PageSet.h"
#include "shell/ProfileEditorPanel.h"
#include "shell/ProfileEditorRouter.h"
#include "shell/ShellLinkStatusHost.h"
#include "shell/ShellProfileEditorWindow.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "survey/SurveyShared.h"
#include "wps/CPageWPSDlg.h"
#include "wps/CPageWPSProfile.h"
#include "wps/WpsEngine.h"

namespace nxui::shell {
namespace {

const PageKey kLinkStatusPanel = PageKey::Panel(kPanelLinkStatus);
const PageKey kApDetailsPanel = PageKey::Panel(CAPDetailInfoDlg::kPanel);
const PageKey kProfilePage = PageKey::Page(PageId::Profile);
const PageKey kEditorPanel = PageKey::Panel(CProfileEditorDlg::kPanel);
const PageKey kAddBlockAckPanel = PageKey::Panel(CAddBlockAckDlg::kPanel);
const PageKey kDeleteBlockAckPanel = PageKey::Panel(CDeleteBlockAckDlg::kPanel);
const PageKey kWpsPage = PageKey::Page(PageId::Wps);
const PageKey kWpsProfilePanel = PageKey::Panel(CPageWPSProfile::kPanel);

// Our own texts: the string table has none for what this version does not have yet.
struct PlaceholderText {
  const char* english;
  const char* chinese;
};
constexpr PlaceholderText kPageNote = {"This page is not available in this version yet.", "此版本尚未提供该页面。"};
constexpr PlaceholderText kPanelNote = {"This panel is not available in this version yet.", "此版本尚未提供该面板。"};

std::string Pick(const StringTable& strings, PlaceholderText text) {
  return strings.language() == Language::kChinese ? text.chinese : text.english;
}

PageRow PlaceholderPanelRow(int panel, const char* name, PlaceholderText title) {
  return {PageKey::Panel(panel), name, [title](PageSet& pages) {
            const StringTable& strings = pages.Environment().strings;
            return HoldPage(
                std::make_unique<CPlaceholderPage>(PlaceholderState{Pick(strings, title), Pick(strings, kPanelNote)}));
          }};
}

// The editor's window for the core's router while this panel lives; the router is left pointing
// nowhere before the window goes.
class RoutedEditorWindow {
 public:
  RoutedEditorWindow(ProfileEditorRouter& router, std::unique_ptr<ShellProfileEditorWindow> window)
      : router_(router), window_(std::move(window)) {
    router_.SetShellWindow(window_.get());
  }
  ~RoutedEditorWindow() { router_.SetShellWindow(nullptr); }
  RoutedEditorWindow(const RoutedEditorWindow&) = delete;
  RoutedEditorWindow& operator=(const RoutedEditorWindow&) = delete;

 private:
  ProfileEditorRouter& router_;
  std::unique_ptr<ShellProfileEditorWindow> window_;
};

// An export running when the editor panel goes (the main window closed) ends with it.
class WpsExportGuard {
 public:
  explicit WpsExportGuard(WpsEngine& wps) : wps_(wps) {}
  ~WpsExportGuard() { wps_.ForgetProfileEditor(); }
  WpsExportGuard(const WpsExportGuard&) = delete;
  WpsExportGuard& operator=(const WpsExportGuard&) = delete;

 private:
  WpsEngine& wps_;
};

std::unique_ptr<IPage> BuildProfileEditor(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  if (env.profiles == nullptr || env.editorWindow == nullptr) {
    return HoldPage(std::make_unique<CPlaceholderPage>(
        PlaceholderState{env.strings.language() == Language::kChinese ? "配置文件编辑" : "Profile editor",
                         Pick(env.strings, kPanelNote)}));
  }
  auto& environment = pages.Keep(std::make_unique<HideDlgProfileEnvironment>(env.hidden, env.platform));
  // A save refreshes the profile page; a WPS export goes on with its next credential.
  WpsEngine* wps = env.wps;
  auto window = std::make_unique<ShellProfileEditorWindow>(env.hidden, nullptr, [&pages, wps](bool saved) {
    if (saved) {
      if (CPageProfileDlg* page = pages.AsIfBuilt<CPageProfileDlg>(kProfilePage)) page->OnProfileSaved();
    }
    if (wps != nullptr) wps->OnProfileEditorClosed();
  });
  if (wps != nullptr) pages.Keep(std::make_unique<WpsExportGuard>(*wps));
  ShellProfileEditorWindow& shellWindow = *window;
  pages.Keep(std::make_unique<RoutedEditorWindow>(*env.editorWindow, std::move(window)));
  auto editor = std::make_unique<CProfileEditorDlg>(env.strings, *env.profiles, environment, *env.editorWindow);
  return std::make_unique<ProfileEditorPanel>(env.platform.loop, std::move(editor), shellWindow);
}

// The producer's hold on the authentication panels while they live.
class AuthenticationPanelsGuard {
 public:
  AuthenticationPanelsGuard(AuthenticationProducer& producer, AuthenticationPanels panels) : producer_(producer) {
    producer_.SetPanels(std::move(panels));
  }
  ~AuthenticationPanelsGuard() { producer_.ClearPanels(); }
  AuthenticationPanelsGuard(const AuthenticationPanelsGuard&) = delete;
  AuthenticationPanelsGuard& operator=(const AuthenticationPanelsGuard&) = delete;

 private:
  AuthenticationProducer& producer_;
};

// The credential panel: asked for a new or one-time password by an 802.1X exchange; OK hands the
// values back to it.
std::unique_ptr<IPage> BuildPeapSettings(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  CHideDlg& hidden = env.hidden;
  PeapPanelActions actions;
  actions.showMessage = [&hidden](const std::string& text) {
    CNxUI2007Dlg* window = hidden.MainWindow();
    return hidden.Messages().ShowMessage(text, window != nullptr ? window->Window() : 0);
  };
  actions.done = [&hidden](const PeapCredentials& typed) {
    AuthenticationProducer& producer = hidden.Authentication();
    if (producer.Asking()) {
      producer.OnCredentials({typed.identity, typed.password, {}, false});
    } else if (CNxUI2007Dlg* window = hidden.MainWindow()) {
      window->ShowPanel(kPanelLinkStatus);
    }
  };
  auto page = std::make_unique<CPeapSettingDlg>(env.strings, std::move(actions));
  page->Open(PeapRequest{});
  return HoldPage(std::move(page));
}

std::unique_ptr<IPage> BuildInvalidIdPw(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  AuthenticationProducer& producer = env.hidden.Authentication();
  InvalidIdPwActions actions;
  actions.done = [&producer](const InvalidIdPwCredentials& typed) {
    producer.OnCredentials({typed.identity, typed.password, typed.domain, false});
  };
  actions.cancelled = [&producer] { producer.OnPromptCancelled(); };
  return HoldPage(std::make_unique<CInvalidIDPW>(env.strings, std::move(actions)));
}

// Panel 5, and the producer told where panels 5, 7 and 8 are.
std::unique_ptr<IPage> BuildAuthenStatus(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  CHideDlg& hidden = env.hidden;
  AuthenticationProducer& producer = hidden.Authentication();
  AuthenStatusHost host;
  host.recordInForce = [&hidden] { return hidden.Queue().CurrentConnection(); };
  host.showPanel = [&hidden](int panel) {
    if (CNxUI2007Dlg* window = hidden.MainWindow()) window->ShowPanel(panel);
  };
  host.shownPanel = [&hidden] {
    CNxUI2007Dlg* window = hidden.MainWindow();
    return window != nullptr ? window->State().visiblePanel : -1;
  };
  host.cancelled = [&producer] { producer.OnStatusCancelled(); };
  auto page = std::make_unique<CAuthenStatusDlg>(env.platform.loop, env.platform.registry, env.platform.systemInfo,
                                                 hidden.Context(), hidden.AuthLog(), env.strings, std::move(host));
  page->OnInitDialog();
  AuthenticationPanels panels;
  panels.statusWindow = page->Window();
  if (CInvalidIDPW* prompt = pages.As<CInvalidIDPW>(PageKey::Panel(CInvalidIDPW::kPanel))) {
    panels.openInvalidIdPw = [prompt](const InvalidIdPwRequest& request) { prompt->Open(request); };
  }
  if (CPeapSettingDlg* peap = pages.As<CPeapSettingDlg>(PageKey::Panel(CPeapSettingDlg::kPanel))) {
    panels.openPeap = [peap](const PeapRequest& request) { peap->Open(request); };
  }
  pages.Keep(std::make_unique<AuthenticationPanelsGuard>(producer, std::move(panels)));
  return HoldPage(std::move(page));
}

std::unique_ptr<IPage> BuildProfile(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  if (env.profiles == nullptr || env.station == nullptr) {
    return HoldPage(std::make_unique<CPlaceholderPage>(
        PlaceholderState{env.strings.LoadString(string_id::kPageProfile), Pick(env.strings, kPageNote)}));
  }
  IProfileEditorHost* editor = pages.As<CProfileEditorDlg>(kEditorPanel);
  if (editor == nullptr) editor = &pages.Keep(std::make_unique<NoProfileEditor>());
  auto& host = pages.Keep(std::make_unique<HideDlgProfileHost>(env.hidden, env.platform.registry, env.strings));
  auto page = std::make_unique<CPageProfileDlg>(env.platform.loop, env.hidden.Session(), *env.profiles, *env.station,
                                                env.strings, host, *editor);
  page->OnInitDialog();
  return HoldPage(std::move(page));
}

std::unique_ptr<IPage> BuildSurvey(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  auto& host = pages.Keep(
      std::make_unique<HideDlgSurveyHost>(env.hidden, env.platform, pages.As<CAPDetailInfoDlg>(kApDetailsPanel)));
  // "Add to Profile" opens the editor panel; without one the selection is only kept.
  ISurveyProfileTarget* target = pages.As<CProfileEditorDlg>(kEditorPanel);
  if (target == nullptr) target = &env.profileTarget;
  auto page = std::make_unique<CPageSiteSurveyDlg>(env.platform.loop, env.hidden.Session(), env.strings, host,
                                                   env.survey, *target);
  page->OnInitDialog();
  return HoldPage(std::move(page));
}

std::unique_ptr<IPage> BuildStatistics(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  auto page = std::make_unique<CPageStatisticsDlg>(env.platform.loop, pages.Driver(), env.hidden.Session(), env.strings,
                                                   pages.As<CLinkStatusDlg>(kLinkStatusPanel));
  page->OnInitDialog();
  return HoldPage(std::move(page), [](const CPageStatisticsDlg& p) {
    return std::make_tuple(p.State(), p.TxPage().Rows(), p.RxPage().Rows());
  });
}

std::unique_ptr<IPage> BuildAbout(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  auto page =
      std::make_unique<CPageAboutDlg>(env.platform, env.hidden.Context(), pages.Driver(), env.strings, env.program);
  page->OnInitDialog();
  return HoldPage(std::move(page));
}

std::unique_ptr<IPage> BuildLinkStatus(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  SurveyShared& survey = env.survey;
  auto& host = pages.Keep(std::make_unique<ShellLinkStatusHost>(
      env.hidden.State(), [&survey] { return survey.ShowDbm(); }, [&survey] { return survey.ConnectedRowIs11n(); }));
  auto page = std::make_unique<CLinkStatusDlg>(env.platform, env.hidden.Context(), pages.Driver(), env.hidden.Session(),
                                               env.strings, host);
  if (env.graphPixels != 0) page->SetGraphCapacity(env.graphPixels);
  page->OnInitDialog();
  return HoldPage(std::move(page));
}

std::unique_ptr<IPage> BuildWpsProfile(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  if (env.wps == nullptr) {
    return HoldPage(std::make_unique<CPlaceholderPage>(PlaceholderState{
        env.strings.language() == Language::kChinese ? "WPS 配置文件" : "WPS profile", Pick(env.strings, kPanelNote)}));
  }
  auto& host =
      pages.Keep(std::make_unique<HideDlgWpsPageHost>(env.hidden, pages.As<CAPDetailInfoDlg>(kApDetailsPanel)));
  return HoldPage(std::make_unique<CPageWPSProfile>(env.strings, *env.wps, host));
}

// The page takes the WPS engine over from the hidden window while it lives.
std::unique_ptr<IPage> BuildWps(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  if (env.wps == nullptr) {
    return HoldPage(std::make_unique<CPlaceholderPage>(
        PlaceholderState{env.strings.LoadString(string_id::kPageWps), Pick(env.strings, kPageNote)}));
  }
  auto& host =
      pages.Keep(std::make_unique<HideDlgWpsPageHost>(env.hidden, pages.As<CAPDetailInfoDlg>(kApDetailsPanel)));
  auto page = std::make_unique<CPageWPSDlg>(env.platform.loop, env.platform.random, *env.wps, env.hidden.Session(),
                                            env.strings, host, pages.As<CPageWPSProfile>(kWpsProfilePanel),
                                            pages.As<CProfileEditorDlg>(kEditorPanel));
  page->OnInitDialog();
  return HoldPage(std::move(page));
}

std::unique_ptr<IPage> BuildApDetails(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  CHideDlg& hidden = env.hidden;
  auto page = std::make_unique<CAPDetailInfoDlg>(env.strings, [&hidden](int panel) {
    if (CNxUI2007Dlg* window = hidden.MainWindow()) window->ShowPanel(panel);
  });
  return HoldPage(std::move(page), [](const CAPDetailInfoDlg& p) {
    return std::make_tuple(p.State(), p.General().State(), p.Wps().State(), p.Ccx().State(), p.Ht().State(), p.Entry());
  });
}

// The main window's lower frame and message box as the 802.11n page and its dialogs use them.
BlockAckWindow BlockAckWindowOf(CHideDlg& hidden) {
  return {[&hidden](int panel) {
            if (CNxUI2007Dlg* window = hidden.MainWindow()) window->ShowPanel(panel);
          },
          [&hidden](const std::string& text) { hidden.Messages().ShowMessage(text); }};
}

std::unique_ptr<IPage> Build80211n(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  auto page = std::make_unique<CPage80211nSettingDlg>(env.platform.loop, pages.Driver(), env.platform.registry,
                                                      env.hidden.Context(), env.strings, BlockAckWindowOf(env.hidden),
                                                      pages.As<CAddBlockAckDlg>(kAddBlockAckPanel),
                                                      pages.As<CDeleteBlockAckDlg>(kDeleteBlockAckPanel));
  page->OnInitDialog();
  return HoldPage(std::move(page));
}

std::unique_ptr<IPage> BuildAddBlockAck(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  return HoldPage(std::make_unique<CAddBlockAckDlg>(pages.Driver(), env.hidden.Session(), env.strings,
                                                    BlockAckWindowOf(env.hidden)));
}

std::unique_ptr<IPage> BuildDeleteBlockAck(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  return HoldPage(std::make_unique<CDeleteBlockAckDlg>(pages.Driver(), env.hidden.Session(), env.strings,
                                                       BlockAckWindowOf(env.hidden)));
}

// Single sign-on: "Apply" marks the connection profile-driven and names the profile page's active
// profile, as an activation on that page would.
std::unique_ptr<IPage> BuildSso(PageSet& pages) {
  const PageEnvironment& env = pages.Environment();
  CHideDlg& hidden = env.hidden;
  StationApplier* station = env.station;
  SsoPageActions actions;
  actions.showMessage = [&hidden](const std::string& text) {
    CNxUI2007Dlg* window = hidden.MainWindow();
    hidden.Messages().ShowMessage(text, window != nullptr ? window->Window() : 0);
  };
  actions.profileApplied = [&pages, station](const std::string& name) {
    if (station != nullptr) station->MarkProfileDriven();
    if (CPageProfileDlg* profile = pages.AsIfBuilt<CPageProfileDlg>(kProfilePage)) profile->SetCurrentProfileName(name);
  };
  auto page = std::make_unique<CPageSSODlg>(env.platform.registry, hidden.Context(), env.strings, std::move(actions));
  page->OnInitDialog();
  return HoldPage(std::move(page));
}

}  // namespace

const std::vector<PageRow>& PageTable() {
  static const std::vector<PageRow> table = {
      // The page area, in the order of the strip.
      {kProfilePage, "profile", BuildProfile},
      {PageKey::Page(PageId::Network), "network", BuildSurvey},
      {PageKey::Page(PageId::Statistics), "statistics", BuildStatistics},
      {kWpsPage, "wps", BuildWps},
      {PageKey::Page(PageId::Sso), "sso", BuildSso},
      {PageKey::Page(PageId::Dot11n), "80211n", Build80211n},
      {PageKey::Page(PageId::About), "about", BuildAbout},
      // The lower frame's panels 0..10.
      {kLinkStatusPanel, "link-status", BuildLinkStatus},
      PlaceholderPanelRow(1, "hidden-ssid", {"Hidden network", "隐藏网络"}),
      {kEditorPanel, "profile-editor", BuildProfileEditor},
      PlaceholderPanelRow(3, "security-editor", {"Security editor", "安全设置"}),
      {kApDetailsPanel, "ap-details", BuildApDetails},
      {PageKey::Panel(CAuthenStatusDlg::kPanel), "authentication-status", BuildAuthenStatus},
      {kWpsProfilePanel, "wps-profile", BuildWpsProfile},
      {PageKey::Panel(CInvalidIDPW::kPanel), "invalid-id-password", BuildInvalidIdPw},
      {PageKey::Panel(CPeapSettingDlg::kPanel), "peap-settings", BuildPeapSettings},
      {kAddBlockAckPanel, "add-block-ack", BuildAddBlockAck},
      {kDeleteBlockAckPanel, "delete-block-ack", BuildDeleteBlockAck},
  };
  return table;
}

}  // namespace nxui::shell
