#include "ui/GuiApp.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <optional>

#include "adapter/SettingsDirectory.h"
#include "advanced/CAddBlockAckDlg.h"
#include "advanced/CDeleteBlockAckDlg.h"
#include "advanced/CPage80211nSettingDlg.h"
#include "advanced/CPageSSODlg.h"
#include "advanced/SsoRegistry.h"
#include "display/StringTable.h"
#include "monitor/AuthenticationLog.h"
#include "monitor/CAuthenStatusDlg.h"
#include "monitor/CInvalidIDPW.h"
#include "monitor/CPageStatisticsDlg.h"
#include "platform/IRegistry.h"
#include "platform/SystemRandom.h"
#include "platform/VirtualEventLoop.h"
#include "profiles/CPageProfileDlg.h"
#include "profiles/CPeapSettingDlg.h"
#include "profiles/CProfileEditorDlg.h"
#include "profiles/ProfileStore.h"
#include "profiles/StationProfileKey.h"
#include "shell/CHideDlg.h"
#include "shell/CNxUI2007.h"
#include "shell/HeadlessViews.h"
#include "shell/PageSet.h"
#include "shell/ShellIds.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "ui/DesktopOpener.h"
#include "ui/GuiCore.h"
#include "ui/MainWindowView.h"
#include "ui/ProfileEditorView.h"
#include "ui/QtCardChooser.h"
#include "ui/QtEventLoop.h"
#include "ui/QtInfoWnd.h"
#include "ui/QtMainWindowHost.h"
#include "ui/QtMessageBoxView.h"
#include "ui/QtSingleInstance.h"
#include "ui/QtTrayMenu.h"
#include "ui/QtTrayShell.h"
#include "ui/RenderHarness.h"
#include "widgets/CjkSubsetFont.h"
#include "widgets/TrayIcons.h"
#include "wps/CPageWPSDlg.h"
#include "wps/CPageWPSProfile.h"

namespace nxui {

// ---------------------------------------------------------------- interactive program

int RunGuiOn(QApplication& app, const GuiOptions& options, const std::function<void(GuiCore&)>& started) {
  // The program lives in the tray: closing the main window does not end it.
  QApplication::setQuitOnLastWindowClosed(false);
  QtEventLoop loop;
  std::string error;
  std::unique_ptr<GuiCore> core = GuiCore::Create(loop, options, error);
  if (!core) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  auto postToHidden = [&core, &loop](UINT message, WPARAM wParam, LPARAM lParam) {
    if (shell::CHideDlg* hide = core->Hide()) loop.PostMessage(hide->Window(), message, wParam, lParam);
  };

  QtMainWindowHost host(*core);
  QtMessageBoxView messageBox([&host]() -> QWidget* { return host.View(); });
  QtTrayMenu trayMenu;
  QtCardChooser cardChooser;
  QtTrayShell trayShell(core->Machine().Ports().shell, [&postToHidden](UINT callbackMessage, LPARAM event) {
    postToHidden(callbackMessage, 0, event);
  });
  const QString helpDocument = options.helpDocument.empty()
                                   ? QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html")
                                   : QString::fromStdString(options.helpDocument);
  DesktopOpener opener(
      core->Strings().language(),
      [&host, &core](const QString& text) {
        QtMessageBoxView::ShowNotice(text.toStdString(), core->Strings().LoadString(string_id::kOk), host.View());
      },
      QString::fromStdString(options.helpLauncher));
  trayShell.SetHelp(shell::kHelpFile, [&opener, &helpDocument] { return opener.Open(helpDocument); });
  QtSingleInstance instance([&postToHidden] { postToHidden(shell::kMsgCommand, shell::kCmdLaunchConfig, 0); },
                            QString::fromStdString(options.instanceScope));

  GuiCore::Ports ports;
  ports.messageBox = &messageBox;
  ports.trayMenu = &trayMenu;
  ports.cardChooser = &cardChooser;
  ports.mainWindowView = &host;
  ports.shell = &trayShell;
  // Quitting does nothing before the event loop runs: an "Exit" by then is seen below.
  ports.ended = [&app] { app.quit(); };

  shell::CNxUI2007 application(core->Machine().Ports().registry, core->Machine().Ports().systemInfo, instance);
  application.InitInstance(
      options.commandLine,
      [&](const shell::HideDlgOptions& hideOptions) {
        if (!trayShell.TrayAvailable()) {
          std::fprintf(stderr,
                       "No notification area on this desktop: the utility keeps running; launch it again to "
                       "open its window.\n");
        }
        core->Start(ports, hideOptions);
        // The hidden window's modal loop: it ends with "Exit", which quits the event loop.
        if (started) started(*core);
        if (!core->Hide()->Ended()) app.exec();
        core->Stop();
      },
      core->DefaultHideOptions());
  application.ExitInstance();
  core->Stop();
  return 0;
}

// ---------------------------------------------------------------- headless rendering

namespace {

constexpr std::uint64_t kRenderSeed = 0x6E787569;

// One simulated machine under virtual time with the headless ports.
class HeadlessRun {
 public:
  HeadlessRun() = default;
  HeadlessRun(const HeadlessRun&) = delete;
  HeadlessRun& operator=(const HeadlessRun&) = delete;
  ~HeadlessRun() {
    if (core_) core_->Stop();
    host_.reset();
  }

  bool Start(const MachineFactory& machine, const GuiOptions& options, const std::string& programIni, bool sso,
             std::string& error) {
    GuiOptions withMachine = options;
    withMachine.machine = machine;
    core_ = GuiCore::Create(loop_, withMachine, error);
    if (!core_) return false;
    if (sso) InstallSso();
    host_ = std::make_unique<QtMainWindowHost>(*core_, false);
    GuiCore::Ports ports;
    ports.messageBox = &views_;
    ports.trayMenu = &views_;
    ports.cardChooser = &views_;
    ports.mainWindowView = host_.get();
    // The same PINs on every rendering, so that two renderings give the same pictures.
    ports.random = &random_;
    shell::HideDlgOptions hideOptions = core_->DefaultHideOptions();
    hideOptions.programIni = programIni;
    // The profile files go where the application object would put them: the machine's local
    // application data folder.
    hideOptions.settings = ResolveSettingsDirectory(core_->Machine().Ports().registry);
    core_->Start(ports, hideOptions);
    Settle(options.settleSeconds);
    return true;
  }

  void Settle(double seconds) {
    loop_.AdvanceBy(static_cast<std::uint64_t>(seconds * 1000.0));
    if (host_) host_->SyncNow();
  }

  GuiCore& Core() { return *core_; }
  QtMainWindowHost& Host() { return *host_; }
  MainWindowView* View() { return host_ ? host_->View() : nullptr; }
  const std::vector<std::string>& Messages() const { return views_.messages; }

 private:
  void InstallSso() { WriteSsoText(core_->Machine().Ports().registry, kSsoKeyPath, "SSOInstall", "1"); }

  VirtualEventLoop loop_;
  SeededRandom random_{kRenderSeed};
  // Boxes answered with OK, the menu dismissed, the first adapter chosen.
  shell::HeadlessViews views_;
  std::unique_ptr<GuiCore> core_;
  std::unique_ptr<QtMainWindowHost> host_;
};

class Renderer {
 public:
  Renderer(RenderHarness& harness, const GuiOptions& options, QString programIni)
      : harness_(harness), options_(options), programIni_(std::move(programIni)) {}

  bool ok = true;
  std::string error;

  void Save(QWidget& widget, const QString& name) {
    if (harness_.Render(widget, name).isEmpty()) Fail("cannot write " + harness_.PathFor(name).toStdString());
  }
  void Fail(const std::string& why) {
    if (ok) error = why;
    ok = false;
  }

  // The main window expanded and collapsed, every page and every panel, on one world.
  void RenderFullSet(const MachineFactory& machine) {
    HeadlessRun run;
    if (!run.Start(machine, options_, programIni_.toStdString(), true, error)) {
      ok = false;
      return;
    }
    MainWindowView* view = run.View();
    shell::CNxUI2007Dlg* model = run.Host().Model();
    if (view == nullptr || model == nullptr) {
      Fail("the main window did not open on the rendered world");
      return;
    }
    SetExpanded(run, true);
    Save(*view, QStringLiteral("main-expanded"));
    SetExpanded(run, false);
    Save(*view, QStringLiteral("main-collapsed"));

    shell::PageSet& pages = *run.Host().Pages();
    AddProfiles(run);
    for (const shell::PageRow& row : pages.Table()) {
      if (row.key.IsPanel()) continue;
      model->OnPageButton(row.key.Id());
      run.Host().SyncNow();
      // Statistics and the like refresh on their own 2-second timers.
      run.Settle(4.5);
      QWidget* widget = view->PageWidget(row.key.Id());
      if (widget == nullptr) continue;
      view->PageArea()->setCurrentWidget(widget);
      Save(*view->PageArea(), QStringLiteral("page-%1").arg(QLatin1String(row.name)));
    }
    // The statistics page also shows its receive table.
    auto* statistics = pages.As<CPageStatisticsDlg>(shell::PageKey::Page(shell::PageId::Statistics));
    if (statistics != nullptr) {
      model->OnPageButton(shell::PageId::Statistics);
      run.Host().SyncNow();
      statistics->SelectSubPage(1);
      run.Settle(2.5);
      view->PageArea()->setCurrentWidget(view->PageWidget(shell::PageId::Statistics));
      Save(*view->PageArea(), QStringLiteral("page-statistics-receive"));
      statistics->SelectSubPage(0);
    }

    RenderSurvey(run);
    RenderEditor(run);
    RenderBlockAck(run);
    RenderSso(run);

    SetExpanded(run, true);
    // Last panel first, so that the link status comes last and the window is left on it.
    const std::vector<shell::PageRow>& table = pages.Table();
    for (auto row = table.rbegin(); row != table.rend(); ++row) {
      if (!row->key.IsPanel()) continue;
      const int n = row->key.PanelNumber();
      model->ShowPanel(n);
      run.Host().SyncNow();
      // The link status clears its texts when shown and fills them on its next 2-second refresh.
      run.Settle(n == kPanelLinkStatus ? 2.5 : 0.2);
      Save(*view->LowerFrame(), QStringLiteral("panel-%1-%2").arg(n).arg(QLatin1String(row->name)));
    }
    RenderWps(run);
    RenderAuthentication(run);

    // The radio switched off: the strip's radio picture and the link status say so.
    model->ShowPanel(kPanelLinkStatus);
    model->OnRadioButton();
    run.Host().SyncNow();
    run.Settle(4.5);
    Save(*view, QStringLiteral("main-radio-off"));
  }

  // Profiles for the profile page's picture: a WPA2-PSK profile applied (connected), an open one,
  // and an ad hoc WPA-None one; the applied one selected.
  void AddProfiles(HeadlessRun& run) {
    shell::NxCore* core = run.Core().Core();
    auto* page = run.Host().Pages()->As<CPageProfileDlg>(shell::PageKey::Page(shell::PageId::Profile));
    if (core == nullptr || page == nullptr) return;
    auto profile = [](const char* name, const char* ssid, const char* networkType, const char* auth, const char* cipher,
                      const char* psk) {
      ProfileRecord r;
      r.name = name;
      r.ssid = ssid;
      r.networkType = networkType;
      r.authMode = auth;
      r.cipherMode = cipher;
      r.wpaPsk = psk;
      r.channel = "10";
      r.txPower = "0";
      r.psMode = "0";
      r.use8021X = "0";
      r.rtsThresh = "2347";
      r.fragThresh = "2346";
      return r;
    };
    for (const ProfileRecord& r :
         {profile("Home", "HomeNet", "1", "7", "6", "sunflower-2008"), profile("Cafe", "Cafe Guest", "1", "0", "1", ""),
          profile("LAN party", "LAN-Party", "0", "5", "4", "ad hoc secret")}) {
      if (!core->Profiles().SaveProfile(r)) Fail("cannot save the profile " + r.name);
    }
    page->Refresh();
    for (std::size_t i = 0; i < page->State().rows.size(); ++i) {
      if (page->State().rows[i].texts.name == "Home") page->OnRowClicked(static_cast<int>(i));
    }
    page->OnApply();
    run.Settle(2.5);
    page->OnTick();
  }

  // The editor on a WPA2-PSK, a WEP, a LEAP and an ad hoc WPA-None profile, each tab; then a
  // refused pass phrase with its hint beside the edit.
  void RenderEditor(HeadlessRun& run) {
    shell::NxCore* core = run.Core().Core();
    const shell::PageKey key = shell::PageKey::Panel(CProfileEditorDlg::kPanel);
    auto* editor = run.Host().Pages()->As<CProfileEditorDlg>(key);
    auto* view = run.View() != nullptr
                     ? dynamic_cast<ProfileEditorView*>(run.View()->PanelWidget(CProfileEditorDlg::kPanel))
                     : nullptr;
    if (core == nullptr || editor == nullptr || view == nullptr) {
      Fail("the page table has no profile editor with its view");
      return;
    }
    ProfileRecord wep;
    wep.name = "Old router";
    wep.ssid = "OldRouter";
    wep.networkType = "1";
    wep.authMode = "1";
    wep.cipherMode = "0";
    wep.wepKeyUse = "2";
    wep.wepKey2Type = "1";
    wep.wepKey2 = "6B65793132";  // "key12", stored as hexadecimal
    ProfileRecord leap;
    leap.name = "Office";
    leap.ssid = "CorpNet";
    leap.networkType = "1";
    leap.leapEnabled = "1";
    leap.leapEncryType = "1";
    leap.authMode = "3";
    leap.cipherMode = "4";
    leap.leapUserName = "jdoe";
    leap.leapPassword = "secret";
    leap.leapDomainName = "CORP";
    for (const ProfileRecord& r : {wep, leap}) {
      if (!core->Profiles().SaveProfile(r)) Fail("cannot save the profile " + r.name);
    }
    SetExpanded(run, true);
    const struct {
      const char* profile;
      const char* name;
    } looks[] = {{"Home", "wpa2-psk"}, {"Old router", "wep"}, {"Office", "leap"}, {"LAN party", "adhoc-wpa-none"}};
    for (const auto& look : looks) {
      editor->OpenExisting(look.profile);
      for (EditorTab tab : {EditorTab::SystemConfig, EditorTab::AuthEncry}) {
        editor->OnTab(tab);
        run.Host().SyncNow();
        Save(*run.View()->LowerFrame(),
             QStringLiteral("panel-2-profile-editor-%1-%2")
                 .arg(QLatin1String(look.name),
                      tab == EditorTab::SystemConfig ? QLatin1String("system") : QLatin1String("security")));
      }
      editor->OnCancel();
    }

    // Without a display the program never has the focus; the hint asks for it.
    view->HintWindow()->SetFocusOverride(true);
    editor->OpenNew();
    editor->SystemConfig().SetSsid("HomeNet");
    editor->AuthEncry().Preset(kAuthWpa2Psk, kEncAes);
    editor->AuthEncry().OnShowPassword(true);
    editor->AuthEncry().SetPreSharedKey("short");
    editor->OnOk();
    run.Host().SyncNow();
    QWidget& frame = *run.View()->LowerFrame();
    QPixmap picture = frame.grab();
    QWidget* hint = view->HintWindow();
    if (hint->isVisible()) {
      QPainter painter(&picture);
      painter.drawPixmap(hint->geometry().topLeft() - frame.mapToGlobal(QPoint(0, 0)), hint->grab());
    } else {
      Fail("the refused pass phrase showed no hint");
    }
    if (harness_.Save(picture, QStringLiteral("panel-2-profile-editor-hint")).isEmpty()) {
      Fail("cannot write the editor's hint picture");
    }
    editor->OnCancel();
    view->HintWindow()->SetFocusOverride(std::nullopt);
    run.Host().SyncNow();
  }

  // The survey page sorted three ways and in dBm, and the details of a WPA2 HT40 network (every
  // tab) and of a WEP network.
  void RenderSurvey(HeadlessRun& run) {
    MainWindowView* view = run.View();
    shell::PageSet& pages = *run.Host().Pages();
    shell::CNxUI2007Dlg* model = run.Host().Model();
    auto* surveyPage = pages.As<CPageSiteSurveyDlg>(shell::PageKey::Page(shell::PageId::Network));
    auto* apDetails = pages.As<CAPDetailInfoDlg>(shell::PageKey::Panel(CAPDetailInfoDlg::kPanel));
    if (surveyPage == nullptr || apDetails == nullptr) {
      Fail("the page table has no survey page or AP details");
      return;
    }
    model->OnPageButton(shell::PageId::Network);
    run.Host().SyncNow();
    run.Settle(4.5);
    CPageSiteSurveyDlg& survey = *surveyPage;
    view->PageArea()->setCurrentWidget(view->PageWidget(shell::PageId::Network));
    const struct {
      SortMode mode;
      bool dbm;
      const char* name;
    } looks[] = {{SortMode::Signal, false, "page-network-by-signal"},
                 {SortMode::Channel, true, "page-network-by-channel-dbm"},
                 {SortMode::Ssid, false, "page-network"}};
    for (const auto& look : looks) {
      survey.OnSortChanged(look.mode);
      survey.OnShowDbmChanged(look.dbm);
      run.Settle(2.5);
      Save(*view->PageArea(), QString::fromLatin1(look.name));
    }

    const struct {
      const char* ssid;
      const char* name;
    } details[] = {{"HomeNet", "panel-4-ap-details-wpa2-ht40"}, {"OldRouter", "panel-4-ap-details-wep"}};
    SetExpanded(run, true);
    for (const auto& d : details) {
      int row = -1;
      for (std::size_t i = 0; i < survey.Rows().size(); ++i) {
        if (survey.Rows()[i].ssid == d.ssid) row = static_cast<int>(i);
      }
      // A world of one's own (--scenario) need not have these networks: their pictures are left out.
      if (row < 0) continue;
      survey.OnRowClicked(row);
      survey.OnRowDoubleClicked(row);
      run.Host().SyncNow();
      const char* const tabNames[] = {"general", "wps", "ccx", "80211n"};
      for (int tab = 0; tab < 4; ++tab) {
        if (!apDetails->State().tabs[static_cast<std::size_t>(tab)].visible) continue;
        apDetails->OnTabSelected(tab);
        run.Host().SyncNow();
        Save(*view->LowerFrame(), QStringLiteral("%1-%2").arg(QLatin1String(d.name), QLatin1String(tabNames[tab])));
      }
      apDetails->OnTabSelected(0);
    }
    // The main window as the user sees it after a double click on a row.
    if (survey.Rows().empty()) return;
    survey.OnRowDoubleClicked(0);
    run.Host().SyncNow();
    Save(*view, QStringLiteral("main-network-details"));
    apDetails->OnOk();
    run.Host().SyncNow();
  }

  // The 802.11n page in manual setup with an added session, and both Block Ack dialogs opened from
  // it as the user opens them.
  void RenderBlockAck(HeadlessRun& run) {
    MainWindowView* view = run.View();
    shell::PageSet& pages = *run.Host().Pages();
    shell::CNxUI2007Dlg* model = run.Host().Model();
    auto* page = pages.As<CPage80211nSettingDlg>(shell::PageKey::Page(shell::PageId::Dot11n));
    auto* add = pages.As<CAddBlockAckDlg>(shell::PageKey::Panel(CAddBlockAckDlg::kPanel));
    auto* remove = pages.As<CDeleteBlockAckDlg>(shell::PageKey::Panel(CDeleteBlockAckDlg::kPanel));
    if (page == nullptr || add == nullptr || remove == nullptr) {
      Fail("the page table has no 802.11n page or Block Ack dialogs");
      return;
    }
    model->OnPageButton(shell::PageId::Dot11n);
    run.Host().SyncNow();
    page->OnBlockAckModeClicked(0);
    page->OnApply();
    SetExpanded(run, true);
    page->OnAddOriginator();
    add->SelectTid(5);
    add->SetWindowSizeText("300");
    run.Host().SyncNow();
    Save(*view->LowerFrame(), QStringLiteral("panel-9-add-block-ack"));
    add->OnOk();
    run.Settle(1.5);
    view->PageArea()->setCurrentWidget(view->PageWidget(shell::PageId::Dot11n));
    Save(*view->PageArea(), QStringLiteral("page-80211n-manual"));
    page->OnDeleteRecipient();
    run.Host().SyncNow();
    Save(*view->LowerFrame(), QStringLiteral("panel-10-delete-block-ack"));
    remove->OnCancel();
    run.Host().SyncNow();
  }

  // Panel 5 with the lines of an exchange, the prompt after refused credentials (panel 7) and the
  // credential panel asking for a one-time password (panel 8), filled as the producer fills them.
  void RenderAuthentication(HeadlessRun& run) {
    shell::NxCore* core = run.Core().Core();
    shell::PageSet& pages = *run.Host().Pages();
    auto* status = pages.As<CAuthenStatusDlg>(shell::PageKey::Panel(CAuthenStatusDlg::kPanel));
    auto* prompt = pages.As<CInvalidIDPW>(shell::PageKey::Panel(CInvalidIDPW::kPanel));
    auto* peap = pages.As<CPeapSettingDlg>(shell::PageKey::Panel(CPeapSettingDlg::kPanel));
    if (core == nullptr || status == nullptr || prompt == nullptr || peap == nullptr) {
      Fail("the page table has no authentication panels");
      return;
    }
    shell::CNxUI2007Dlg* model = run.Host().Model();
    SetExpanded(run, true);
    model->ShowPanel(CAuthenStatusDlg::kPanel);
    run.Host().SyncNow();
    shell::AuthenticationLog& ring = core->HiddenWindow().AuthLog();
    for (const char* text : {"Authentication started", "Identity requested", "Identity sent: jdoe",
                             "EAP method negotiated: PEAP", "Server certificate verified"}) {
      status->OnAuthenMessage(ring.Write(text));
    }
    run.Settle(1.0);
    Save(*run.View()->LowerFrame(), QStringLiteral("panel-5-authentication-status-log"));
    prompt->Open({"VQ-MA310X 11N Wireless Adapter", "Office", "The user name or password is not correct.", 0});
    model->ShowPanel(CInvalidIDPW::kPanel);
    run.Host().SyncNow();
    Save(*run.View()->LowerFrame(), QStringLiteral("panel-7-invalid-id-password-prompt"));
    PeapRequest otp;
    otp.storedIdentity = "jdoe";
    peap->Open(otp);
    model->ShowPanel(CPeapSettingDlg::kPanel);
    run.Host().SyncNow();
    Save(*run.View()->LowerFrame(), QStringLiteral("panel-8-peap-settings-one-time-password"));
    model->ShowPanel(kPanelLinkStatus);
    run.Host().SyncNow();
  }

  // The SSO page enabled, with a LEAP and an EAP-FAST profile below the adapter key and the LEAP
  // one selected.
  void RenderSso(HeadlessRun& run) {
    shell::NxCore* core = run.Core().Core();
    auto* page = run.Host().Pages()->As<CPageSSODlg>(shell::PageKey::Page(shell::PageId::Sso));
    if (core == nullptr || page == nullptr) {
      Fail("the page table has no SSO page");
      return;
    }
    IRegistry& registry = run.Core().Machine().Ports().registry;
    const std::string& adapterKey = core->HiddenWindow().Context().classKeyPath;
    ProfileRecord leap;
    leap.name = "Office";
    leap.ssid = "CorpNet";
    leap.leapEnabled = "1";
    leap.authMode = "3";
    ProfileRecord fast;
    fast.name = "Campus";
    fast.ssid = "Campus-1X";
    fast.authenProtocol = "3";
    fast.use8021X = "1";
    fast.authMode = "6";
    for (const ProfileRecord& r : {fast, leap}) {
      if (WriteStationProfileKey(registry, adapterKey, r) != kErrorSuccess)
        Fail("cannot write the station key " + r.name);
    }
    WriteSsoText(registry, kSsoKeyPath, "CurProfile", "Office");
    WriteSsoFlag(registry, kSsoKeyPath, "SavedPassword", "1");
    run.Host().Model()->OnPageButton(shell::PageId::Sso);
    run.Host().SyncNow();
    page->OnShow();
    page->OnEnableClicked(true);
    run.Host().SyncNow();
    run.View()->PageArea()->setCurrentWidget(run.View()->PageWidget(shell::PageId::Sso));
    Save(*run.View()->PageArea(), QStringLiteral("page-sso-enabled"));
  }

  // The WPS page during a push-button run and after it, and the credential detail view as the
  // enrollee shows a credential and as the registrar edits its own.
  void RenderWps(HeadlessRun& run) {
    MainWindowView* view = run.View();
    shell::PageSet& pages = *run.Host().Pages();
    shell::CNxUI2007Dlg* model = run.Host().Model();
    auto* wps = pages.As<CPageWPSDlg>(shell::PageKey::Page(shell::PageId::Wps));
    if (wps == nullptr) return;
    model->OnPageButton(shell::PageId::Wps);
    run.Host().SyncNow();
    view->PageArea()->setCurrentWidget(view->PageWidget(shell::PageId::Wps));
    wps->OnPbc();
    // Virtual time in small steps, so that the picture catches the bar about 60 % full.
    constexpr double kStep = 0.2;
    constexpr int kMaxSteps = 1000;
    int steps = 0;
    for (; steps < kMaxSteps && wps->State().progress.position < 60; ++steps) run.Settle(kStep);
    // A world of one's own (--scenario) need not have an access point that answers.
    if (steps == kMaxSteps) return;
    Save(*view->PageArea(), QStringLiteral("page-wps-running"));
    const auto connected = [wps] {
      for (const WpsCredentialRow& row : wps->State().credentialRows) {
        if (row.mark == kCredentialConnected) return true;
      }
      return false;
    };
    for (steps = 0; steps < kMaxSteps && !connected(); ++steps) run.Settle(kStep);
    Save(*view->PageArea(), QStringLiteral("page-wps-success"));

    SetExpanded(run, true);
    if (wps->State().credentialRows.size() > 1) wps->OnCredentialRowClicked(1);
    wps->OnDetail();
    run.Host().SyncNow();
    Save(*view->LowerFrame(), QStringLiteral("panel-6-wps-profile-enrollee"));
    auto* detail = pages.As<CPageWPSProfile>(shell::PageKey::Panel(CPageWPSProfile::kPanel));
    if (detail != nullptr) detail->OnCancel();

    wps->OnConfigModeChanged(static_cast<int>(WpsConfigMode::Registrar));
    run.Host().SyncNow();
    Save(*view->PageArea(), QStringLiteral("page-wps-registrar"));
    wps->OnDetail();
    run.Host().SyncNow();
    Save(*view->LowerFrame(), QStringLiteral("panel-6-wps-profile-registrar"));
    if (detail != nullptr) detail->OnCancel();
    wps->OnConfigModeChanged(static_cast<int>(WpsConfigMode::Enrollee));
    run.Host().SyncNow();
  }

  // One world's main window, expanded on the link status; without a main window the message the
  // user got instead, and the tray icon.
  void RenderScenario(const MachineFactory& machine, const std::string& name) {
    HeadlessRun run;
    if (!run.Start(machine, options_, programIni_.toStdString(), false, error)) {
      ok = false;
      return;
    }
    const QString base = QStringLiteral("scenario-%1").arg(QString::fromStdString(name));
    if (run.View() == nullptr) {
      // Without a main window: what the user gets when asking for it from the tray menu.
      if (shell::CHideDlg* hide = run.Core().Hide()) {
        run.Core().Loop().PostMessage(hide->Window(), shell::kMsgCommand, shell::kCmdLaunchConfig, 0);
        run.Settle(0.1);
      }
    }
    if (MainWindowView* view = run.View()) {
      SetExpanded(run, true);
      Save(*view, base);
    } else if (!run.Messages().empty()) {
      shell::CMessageBoxDlg box(run.Messages().back(), run.Core().Strings().LoadString(string_id::kOk), 0);
      std::unique_ptr<QDialog> dialog = QtMessageBoxView::BuildDialog(box, nullptr);
      Save(*dialog, base + QStringLiteral("-message"));
    }
    if (shell::CHideDlg* hide = run.Core().Hide()) {
      const QPixmap icon = TrayIconPixmap(hide->Tray().Data().iconNumber, 32);
      if (harness_.Save(icon, base + QStringLiteral("-tray")).isEmpty()) Fail("cannot write the tray picture");
    }
  }

  // The small windows: message box, hint, tray menu, icons.
  void RenderSmallWindows(const StringTable& strings) {
    shell::CMessageBoxDlg box(strings.LoadString(string_id::kNicNotReady), strings.LoadString(string_id::kOk), 0);
    std::unique_ptr<QDialog> dialog = QtMessageBoxView::BuildDialog(box, nullptr);
    Save(*dialog, QStringLiteral("message-box"));

    QtInfoWnd hint;
    const std::string text = " " + std::string("The key must be 8 to 63 characters") + " ";
    const QFontMetrics metrics(hint.font());
    hint.Show({0, 0, metrics.horizontalAdvance(QString::fromStdString(text)) + 5, metrics.height() + 4}, text);
    Save(hint, QStringLiteral("hint-window"));
    hint.Hide();

    const std::unique_ptr<QMenu> menu =
        QtTrayMenu::BuildMenu({{shell::kCmdLaunchConfig, strings.LoadString(string_id::kLaunchConfigUtilities)},
                               {shell::kCmdExit, strings.LoadString(string_id::kExit)}});
    Save(*menu, QStringLiteral("tray-menu"));
    if (harness_.RenderIconSheet(QStringLiteral("icons")).isEmpty()) Fail("cannot write the icon sheet");
  }

 private:
  static void SetExpanded(HeadlessRun& run, bool expanded) {
    shell::CNxUI2007Dlg* model = run.Host().Model();
    if (model == nullptr) return;
    if (model->State().expanded != expanded) model->OnMoreLess();
    run.Host().SyncNow();
  }

  RenderHarness& harness_;
  const GuiOptions& options_;
  QString programIni_;
};

}  // namespace

int RunGuiApplication(int argc, char** argv, const GuiOptions& options) {
  // Without a display Qt aborts the process; say what to do instead.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    std::fprintf(stderr,
                 "nxui: no graphical display here (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                 "run a command instead, such as 'nxui status' or 'nxui survey' (see 'nxui --help'), "
                 "or 'nxui render DIR' for pictures of every window\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("nxui"));
  QApplication::setWindowIcon(TrayIcon(kAppIconNumber));
  return RunGuiOn(app, options);
}

int RenderAllViews(const std::string& folder, const GuiOptions& options, const RenderWorlds& worlds,
                   std::vector<std::string>* written, std::string* error) {
  std::unique_ptr<QApplication> ownApp;
  if (QApplication::instance() == nullptr) {
    RenderHarness::UseOffscreenPlatform();
    static int argc = 1;
    static char name[] = "nxui";
    static char* argv[] = {name, nullptr};
    ownApp = std::make_unique<QApplication>(argc, argv);
  }
  UseCjkSubsetFont();
  auto fail = [error](const std::string& why) {
    if (error != nullptr) *error = why;
    return 1;
  };

  RenderHarness harness(QString::fromStdString(folder));
  if (!harness.Ok()) return fail("cannot create the folder " + folder);
  // The pictures show the 802.11n button: the program ini beside them says so.
  QTemporaryDir iniDir;
  if (!iniDir.isValid()) return fail("cannot create a temporary folder");
  const QString programIni = iniDir.filePath(QStringLiteral("NxUI.ini"));
  QFile ini(programIni);
  if (!ini.open(QIODevice::WriteOnly) || ini.write("[Page]\r\n11n Setting=1\r\n") < 0) {
    return fail("cannot write " + programIni.toStdString());
  }
  ini.close();

  // The pictures do not depend on the locale of the machine that renders them.
  GuiOptions renderOptions = options;
  if (renderOptions.language.empty()) renderOptions.language = "en";
  Renderer renderer(harness, renderOptions, programIni);

  renderer.RenderFullSet(worlds.full);
  if (!renderer.ok) return fail(renderer.error);
  for (const auto& [name, machine] : worlds.scenarios) {
    renderer.RenderScenario(machine, name);
  }

  StringTable strings(StringTable::ChooseLanguage(renderOptions.language, ""));
  renderer.RenderSmallWindows(strings);

  // One world in the other language.
  GuiOptions otherLanguage = renderOptions;
  otherLanguage.language = strings.language() == Language::kChinese ? "en" : "zh";
  Renderer other(harness, otherLanguage, programIni);
  other.RenderScenario(worlds.otherLanguage.second, worlds.otherLanguage.first + "-" + otherLanguage.language);
  if (!other.ok) renderer.Fail(other.error);

  if (written != nullptr) {
    written->clear();
    for (const QString& path : harness.Written()) written->push_back(path.toStdString());
  }
  if (!renderer.ok) return fail(renderer.error);
  return 0;
}

}  // namespace nxui
