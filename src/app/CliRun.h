// One run of the core for a command: the simulated machine from the scenario, the whole core
// built and started as the GUI builds it (discovery, adapter-ready sequence, restored
// connection, the pages of the main window), all under virtual time.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "advanced/CAddBlockAckDlg.h"
#include "advanced/CDeleteBlockAckDlg.h"
#include "advanced/CPage80211nSettingDlg.h"
#include "advanced/CPageSSODlg.h"
#include "app/CliOptions.h"
#include "monitor/CAuthenStatusDlg.h"
#include "monitor/CInvalidIDPW.h"
#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "platform/Platform.h"
#include "platform/VirtualEventLoop.h"
#include "profiles/CPageProfileDlg.h"
#include "profiles/CPeapSettingDlg.h"
#include "profiles/CProfileEditorDlg.h"
#include "shell/CPageAboutDlg.h"
#include "shell/HeadlessViews.h"
#include "shell/NxCore.h"
#include "shell/PageSet.h"
#include "sim/SimMachine.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "wps/CPageWPSDlg.h"
#include "wps/CPageWPSProfile.h"

namespace nxui::cli {

class CliRun {
 public:
  // Loads the scenario and the state directory; nullptr with `error` naming the file and the line.
  // `notes` hears that the run waits for a state directory another run holds.
  static std::unique_ptr<CliRun> Create(const CliOptions& options, std::string& error, std::ostream* notes = nullptr);
  ~CliRun();
  CliRun(const CliRun&) = delete;
  CliRun& operator=(const CliRun&) = delete;

  // Starts the core (with the main window, its pages built as the GUI builds them) and, when
  // asked, lets the world run the settle time.
  void Start(bool settle = true);
  void Advance(std::uint64_t ms) { loop_.AdvanceBy(ms); }

  // An adapter was found and its device still opens.
  bool AdapterReady();

  const CliOptions& Options() const { return options_; }
  VirtualEventLoop& Loop() { return loop_; }
  sim::SimWorld& World() { return machine_->World(); }
  Platform& Ports() { return machine_->Ports(); }
  shell::NxCore& Core() { return *core_; }
  shell::CHideDlg& Hidden() { return core_->HiddenWindow(); }
  const StringTable& Strings() const { return core_->Strings(); }

  // Texts the core put into message boxes (answered with OK), in order.
  const std::vector<std::string>& Messages() const { return views_.messages; }

  // The survey's "Show dBm" option, one for the whole program.
  void SetShowDbm(bool on) { core_->Survey().SetShowDbm(on); }

  // The pages from the page table: built with the main window as the GUI builds them, and for a
  // run without one on first use.
  shell::PageSet& Pages() { return *pages_; }
  CPageProfileDlg& Profiles();
  // The profile editor panel, which the profile page's Add and Edit and the survey's "Add to
  // Profile" open. While `answers` is set, the editor's messages, questions and hints go there.
  CProfileEditorDlg& ProfileEditor();
  void SetProfileEditorAnswers(IProfileEditorWindow* answers) { core_->EditorWindow().SetAnswers(answers); }
  CLinkStatusDlg& LinkStatus();
  CPageStatisticsDlg& Statistics();
  CPageAboutDlg& About();
  // The site survey page; its initialisation starts a scan when the radio is on.
  CPageSiteSurveyDlg& Survey();
  CAPDetailInfoDlg& ApDetails();
  // The 802.11n page and its two Block Ack dialogs (panels 9 and 10).
  CPage80211nSettingDlg& HtSettings();
  CAddBlockAckDlg& AddBlockAck();
  CDeleteBlockAckDlg& DeleteBlockAck();
  // The single sign-on page.
  CPageSSODlg& Sso();
  // The authentication status panel (5), the credential prompt (7) and the credential panel (8).
  CAuthenStatusDlg& AuthenStatus();
  CInvalidIDPW& InvalidIdPw();
  CPeapSettingDlg& PeapSettings();
  // The WPS page (its creation takes the WPS engine over from the hidden window) and the credential
  // detail view its "Detail" opens.
  CPageWPSDlg& Wps();
  CPageWPSProfile& WpsProfile();

 private:
  CliRun(const CliOptions& options) : options_(options) {}
  template <class Page>
  Page& PageAt(shell::PageKey key);

  CliOptions options_;
  VirtualEventLoop loop_;
  std::unique_ptr<sim::SimMachine> machine_;
  shell::HeadlessViews views_;
  std::unique_ptr<shell::NxCore> core_;
  std::unique_ptr<shell::PageSet> pages_;
};

// The program's own version resource (the build's version and the legal notice).
ProgramVersionResource ThisProgramVersion();

}  // namespace nxui::cli
