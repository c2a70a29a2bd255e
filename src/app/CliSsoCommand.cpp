// The single sign-on page on the command line: "sso show", "sso enable", "sso disable" and
// "sso apply PROFILE", through the page class the GUI uses.
#include <CLI/CLI.hpp>

#include "advanced/SsoRegistry.h"
#include "app/CliCommand.h"
#include "app/CliRun.h"
#include "base/AsciiCase.h"

namespace nxui::cli {

namespace {

const char* const kCredentialNames[] = {"winlogon", "profile", "prompt"};

void ReportPage(CliRun& run, const CPageSSODlg& page, CliReport& report) {
  const SsoPageState& s = page.State();
  report.Value("installed", "SSO installed", s.installed, s.installed ? "yes" : "no");
  if (!s.installed) return;
  report.Value("enabled", s.enableLabel, s.ssoEnabled, s.ssoEnabled ? "on" : "off");
  const std::string* labels[] = {&s.winlogonLabel, &s.profileCredentialsLabel, &s.promptLabel};
  const auto credentials = static_cast<std::size_t>(s.credentials);
  report.Value("credentials", "Credentials", kCredentialNames[credentials], *labels[credentials]);
  std::string list;
  for (const std::string& name : s.profiles) list += (list.empty() ? "" : ", ") + name;
  report.Value("profiles", s.profileGroupLabel, Json(s.profiles), list.empty() ? "-" : list);
  CliReport& selected = report.Section("selected", s.selectedGroupLabel);
  if (s.selected >= 0) {
    selected.Text("profile", s.profileNameLabel, s.profileName)
        .Text("ssid", s.ssidLabel, s.ssid)
        .Text("authentication", s.authenticationLabel, s.authentication);
  } else {
    selected.Value("profile", s.profileNameLabel, nullptr, "-");
  }
  std::string gina;
  if (ReadSsoText(run.Ports().registry, kWinlogonKeyPath, kGinaDllValue, gina) == kErrorSuccess) {
    report.Text("ginaDll", kGinaDllValue, gina);
  } else {
    report.Value("ginaDll", kGinaDllValue, nullptr, "-");
  }
}

// The page's messages (the administrator message) on the error stream; exit 1 when there were any.
int Failed(CliContext& c, std::size_t messagesBefore, const std::string& what) {
  const auto& messages = c.run->Messages();
  for (std::size_t i = messagesBefore; i < messages.size(); ++i) c.err << "nxui: " << messages[i] << '\n';
  if (messages.size() == messagesBefore) c.err << "nxui: " << what << '\n';
  return kExitFailure;
}

}  // namespace

CliCommand SsoCommand() {
  struct Args {
    CLI::App* show = nullptr;
    CLI::App* enable = nullptr;
    CLI::App* disable = nullptr;
    CLI::App* apply = nullptr;
    std::string profile;
    std::string credentials;
  };
  auto args = std::make_shared<Args>();
  CliCommand command;
  command.name = "sso";
  command.description = "The single sign-on page: show it, enable or disable the feature, apply a profile";
  command.configure = [args](CLI::App& app) {
    app.require_subcommand(1);
    args->show = app.add_subcommand("show", "The page as it shows itself");
    args->enable = app.add_subcommand(
        "enable", "Check \"Enable SSO Feature\" and press \"Apply\" with the profile the page selects");
    args->disable = app.add_subcommand("disable", "Uncheck \"Enable SSO Feature\" (clears the configuration)");
    args->apply = app.add_subcommand("apply", "Enable, choose PROFILE and press \"Apply\"");
    args->apply->add_option("PROFILE", args->profile, "A listed LEAP or EAP-FAST station profile")->required();
    for (CLI::App* sub : {args->enable, args->apply}) {
      sub->add_option("--credentials", args->credentials, "Where the logon takes the user name and password from")
          ->check(CLI::IsMember({"winlogon", "profile", "prompt"}));
    }
  };
  command.run = [args](CliContext& c) {
    CPageSSODlg& page = c.run->Sso();
    page.OnShow();
    if (!args->show->parsed()) {
      if (!page.State().installed) {
        c.err << "nxui: single sign-on is not installed (\"SSOInstall\" is missing or \"0\")\n";
        return kExitFailure;
      }
      const std::size_t before = c.run->Messages().size();
      if (args->disable->parsed()) {
        if (!page.OnEnableClicked(false)) return Failed(c, before, "the configuration could not be cleared");
      } else {
        page.OnEnableClicked(true);
        for (int i = 0; i < 3; ++i) {
          if (args->credentials == kCredentialNames[i] && !page.OnCredentialsChosen(static_cast<SsoCredentials>(i))) {
            return Failed(c, before, "the credential source could not be saved");
          }
        }
        if (args->apply->parsed()) {
          const auto& profiles = page.State().profiles;
          int index = -1;
          for (std::size_t i = 0; i < profiles.size() && index < 0; ++i) {
            if (EqualsIgnoringAsciiCase(profiles[i], args->profile)) index = static_cast<int>(i);
          }
          if (index < 0) {
            c.err << "nxui: \"" << args->profile << "\" is not a LEAP or EAP-FAST station profile";
            if (!profiles.empty()) {
              c.err << " (listed:";
              for (const std::string& name : profiles) c.err << " \"" << name << '"';
              c.err << ')';
            }
            c.err << '\n';
            return kExitFailure;
          }
          page.OnProfileSelected(index);
        }
        if (!page.State().applyEnabled) {
          c.err << "nxui: no LEAP or EAP-FAST station profile is selected to apply (nxui sso apply PROFILE)\n";
          return kExitFailure;
        }
        if (!page.OnApply()) return Failed(c, before, "the configuration could not be written");
      }
      // The page as it shows itself next time.
      page.OnShow();
    }
    ReportPage(*c.run, page, c.report);
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
