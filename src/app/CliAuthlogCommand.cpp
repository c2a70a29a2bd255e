// "nxui authlog PROFILE": applies a profile as the profile page's Apply does and prints the
// authentication status panel's lines as they arrive, answering the credential prompts (panels 7
// and 8) from the options instead of a user.
#include <CLI/CLI.hpp>

#include "app/CliCommand.h"
#include "app/CliProfileCommands.h"
#include "app/CliRun.h"
#include "shell/CHideDlg.h"

namespace nxui::cli {

namespace {

struct Answers {
  std::string identity;
  std::string password;
  std::string domain;
  std::string newPassword;
  std::string oneTimePassword;
  double seconds = 30;
};

int VisiblePanel(CliRun& run) {
  shell::CNxUI2007Dlg* window = run.Hidden().MainWindow();
  return window != nullptr ? window->State().visiblePanel : -1;
}

}  // namespace

CliCommand AuthlogCommand() {
  auto profile = std::make_shared<std::string>();
  auto answers = std::make_shared<Answers>();
  CliCommand command;
  command.name = "authlog";
  command.description = "Apply a profile and print the authentication log as it arrives";
  command.configure = [profile, answers](CLI::App& app) {
    app.add_option("PROFILE", *profile, "A profile of the profile page")->required();
    app.add_option("--identity", answers->identity, "\"Identity >>\" when the credentials are refused");
    app.add_option("--password", answers->password, "\"Password >>\" when the credentials are refused");
    app.add_option("--domain", answers->domain, "\"Domain Name >>\" when the prompt offers it");
    app.add_option("--new-password", answers->newPassword, "The new password when the server asks for one");
    app.add_option("--otp", answers->oneTimePassword, "The one-time password when the server asks for one");
    app.add_option("--seconds", answers->seconds, "How long to follow the connection (virtual seconds)")
        ->check(CLI::Range(1.0, 3600.0));
  };
  command.run = [profile, answers](CliContext& c) {
    CliRun& run = *c.run;
    if (!run.Hidden().State().radioOn) {
      c.err << "nxui: the radio is off: switch it on first (nxui radio on)\n";
      return kExitFailure;
    }
    CPageProfileDlg& page = run.Profiles();
    page.Refresh();
    const int row = FindProfileRow(c, page, *profile);
    if (row < 0) return kExitFailure;
    CAuthenStatusDlg& status = run.AuthenStatus();
    CInvalidIDPW& prompt = run.InvalidIdPw();
    CPeapSettingDlg& peap = run.PeapSettings();
    shell::AuthenticationProducer& producer = run.Hidden().Authentication();
    const bool json = c.options.json;
    Json lines = Json::array();
    Json prompts = Json::array();
    std::size_t printed = 0;
    bool answeredPrompt = false;
    bool exchangeSeen = false;
    bool wasRunning = producer.Running();
    auto flush = [&] {
      const auto& rows = status.State().rows;
      if (printed > rows.size()) printed = 0;  // the panel cleared its list (shown again)
      for (; printed < rows.size(); ++printed) {
        const AuthenLogRow& r = rows[printed];
        lines.push_back(Json{{"time", r.time}, {"message", r.message}});
        if (!json) c.out << r.time << ' ' << r.message << '\n' << std::flush;
      }
    };

    page.OnRowClicked(row);
    page.OnApply();
    const auto steps = static_cast<int>(answers->seconds * 10);
    for (int step = 0; step < steps; ++step) {
      run.Advance(100);
      flush();
      // Each exchange gets the answers once; one still running from the start-up is abandoned by
      // the Apply and a new one begins.
      if (producer.Running() && !wasRunning) {
        answeredPrompt = false;
        exchangeSeen = true;
      }
      wasRunning = producer.Running();
      const int panel = VisiblePanel(run);
      if (panel == CInvalidIDPW::kPanel && producer.Asking()) {
        const InvalidIdPwState& s = prompt.State();
        prompts.push_back(Json{{"panel", 7}, {"card", s.card}, {"profile", s.profile}, {"message", s.message}});
        if (!json) {
          c.out << s.cardLabel << ' ' << s.card << '\n'
                << s.profileLabel << ' ' << s.profile << '\n'
                << s.messageLabel << ' ' << s.message << '\n';
        }
        // Each answer is given once: refused again, the prompt is cancelled.
        if (!answers->identity.empty() && !answeredPrompt) {
          answeredPrompt = true;
          prompt.SetIdentity(answers->identity);
          prompt.SetPassword(answers->password);
          prompt.SetDomain(answers->domain);
          prompt.OnOk();
        } else {
          if (!json) c.out << "(cancelled: no --identity/--password to answer with)\n";
          prompt.OnCancel();
        }
      } else if (panel == CPeapSettingDlg::kPanel && producer.Asking()) {
        const PeapSettingState& s = peap.State();
        prompts.push_back(Json{{"panel", 8}, {"caption", s.caption}, {"description", s.description}});
        if (!json) c.out << s.caption << '\n' << s.description << '\n';
        const bool otp = s.caption.find("One Time") != std::string::npos;
        const std::string& password = otp ? answers->oneTimePassword : answers->newPassword;
        if (s.identityEnabled && !answers->identity.empty()) peap.SetIdentity(answers->identity);
        if (!password.empty()) {
          peap.SetPassword(password);
          peap.OnOk();
        }
        if (producer.Asking()) {
          if (!json) c.out << "(cancelled: no " << (otp ? "--otp" : "--new-password") << " to answer with)\n";
          producer.OnPromptCancelled();
        }
      }
      if (exchangeSeen && !producer.Running() && status.Pending() == 0) break;
    }
    // The connection as the platform reports it once the attempt is decided.
    run.Advance(2000);
    flush();
    int connected = 0;
    run.Hidden().Session().IsConnected(connected);
    if (json) {
      c.report.Hidden("lines", lines).Hidden("prompts", prompts).Hidden("connected", connected != 0);
    } else {
      c.out << "connected: " << (connected != 0 ? "yes" : "no") << '\n';
    }
    return connected != 0 ? kExitOk : kExitFailure;
  };
  return command;
}

}  // namespace nxui::cli
