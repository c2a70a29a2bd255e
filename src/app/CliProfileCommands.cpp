// `profile list|show|delete|apply|export`: the profile page of the started core, its buttons pressed
// as a user presses them, and the stored profiles written out for other programs.
#include "app/CliProfileCommands.h"
#include "base/AsciiCase.h"

#include <CLI/CLI.hpp>

#include "app/CliRun.h"
#include "app/CliStatusReport.h"
#include "base/AtomicFile.h"
#include "profiles/ProfileExport.h"
#include "profiles/ProfileStore.h"
#include "sim/SimWlanService.h"

namespace nxui::cli {

namespace {

std::string WithoutArrows(std::string label) {
  if (label.size() >= 3 && label.compare(label.size() - 3, 3, " >>") == 0) label.resize(label.size() - 3);
  return label;
}

const char* StateName(int state) {
  if (state == profile_state::kConnected) return "connected";
  if (state == profile_state::kActive) return "active";
  return "";
}

const char* StateMark(int state) {
  if (state == profile_state::kConnected) return "*";
  if (state == profile_state::kActive) return "+";
  return "";
}

bool SameNoCase(const std::string& a, const std::string& b) { return EqualsIgnoringAsciiCase(a, b); }

// The detail panel as the page shows it, keys being the English labels.
void DetailReport(const ProfilePageState& state, CliReport& report) {
  const ProfilePageLabels& l = state.labels;
  const ProfileTexts& d = state.details;
  report.Text("Profile Name", WithoutArrows(l.profileName), d.name)
      .Text("SSID", WithoutArrows(l.ssid), d.ssid)
      .Text("Network Type", WithoutArrows(l.networkType), d.networkType)
      .Text("Authentication", WithoutArrows(l.authentication), d.authentication)
      .Text("Encryption", WithoutArrows(l.encryption), d.encryption)
      .Text("Use 802.1x", WithoutArrows(l.use8021X), d.use8021X)
      .Text("Tx Power", WithoutArrows(l.txPower), d.txPower)
      .Text("Channel", WithoutArrows(l.channel), d.channel)
      .Text("Power Save Mode", WithoutArrows(l.powerSave), d.powerSave)
      .Text("RTS Threshold", WithoutArrows(l.rtsThreshold), d.rtsThreshold)
      .Text("Fragment Threshold", WithoutArrows(l.fragThreshold), d.fragThreshold);
}

// The page as a user finds it: refreshed, and column 0 brought up to date.
CPageProfileDlg& FreshPage(CliRun& run) {
  CPageProfileDlg& page = run.Profiles();
  page.Refresh();
  return page;
}

// The page's buttons do nothing without an adapter or with the radio off; say why.
bool ButtonsLive(CliContext& c) {
  if (!c.run->Hidden().State().radioOn) {
    c.err << "nxui: the radio is off: switch it on first (nxui radio on)\n";
    return false;
  }
  return true;
}

}  // namespace

int FindProfileRow(CliContext& c, const CPageProfileDlg& page, const std::string& name) {
  const auto& rows = page.State().rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].texts.name == name) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (SameNoCase(rows[i].texts.name, name)) return static_cast<int>(i);
  }
  c.err << "nxui: " << StoreFailureText(StoreResult{StoreStatus::NotFound, name}, c.run->Strings()) << '\n';
  return -1;
}

// An action on one named profile row: the name argument, the refreshed page and the row found
// (or the failure said), then `act` on them. `buttons`: the action is one of the page's buttons.
CliAction ProfileRowAction(std::string name, std::string description, bool buttons,
                           std::function<int(CliContext&, CPageProfileDlg&, int row)> act) {
  auto profile = std::make_shared<std::string>();
  CliAction action;
  action.name = std::move(name);
  action.description = std::move(description);
  action.configure = [profile](CLI::App& app) { app.add_option("name", *profile, "Profile name")->required(); };
  action.run = [profile, buttons, act = std::move(act)](CliContext& c) {
    if (buttons && !ButtonsLive(c)) return kExitFailure;
    CPageProfileDlg& page = FreshPage(*c.run);
    const int row = FindProfileRow(c, page, *profile);
    if (row < 0) return kExitFailure;
    return act(c, page, row);
  };
  return action;
}

CliAction ProfileListAction() {
  CliAction action;
  action.name = "list";
  action.description = "The profiles as the profile page lists them, most recently applied first";
  action.run = [](CliContext& c) {
    const CPageProfileDlg& page = FreshPage(*c.run);
    const ProfilePageState& state = page.State();
    const ProfilePageLabels& l = state.labels;
    c.report.MakeTable({"", state.columns[1].header, state.columns[2].header, WithoutArrows(l.authentication),
                        WithoutArrows(l.encryption), WithoutArrows(l.networkType), WithoutArrows(l.channel)});
    for (const ProfileRow& row : state.rows) {
      const ProfileTexts& t = row.texts;
      Json json{{"state", StateName(row.state)},
                {"name", t.name},
                {"ssid", t.ssid},
                {"authentication", t.rowAuthentication},
                {"encryption", t.encryption},
                {"networkType", t.networkType},
                {"channel", t.channel},
                {"activeTime", t.activeTime},
                {"secured", row.secured},
                {"infrastructure", row.infrastructure}};
      c.report.AddRow(std::move(json), {StateMark(row.state), t.name, t.ssid, t.rowAuthentication, t.encryption,
                                        t.networkType, t.channel});
    }
    return kExitOk;
  };
  return action;
}

CliAction ProfileShowAction() {
  return ProfileRowAction("show", "The detail panel of one profile", false,
                          [](CliContext& c, CPageProfileDlg& page, int row) {
                            page.OnRowClicked(row);
                            DetailReport(page.State(), c.report);
                            const ProfileRow& shown = page.State().rows[static_cast<std::size_t>(row)];
                            c.report.Value("state", "", StateName(shown.state), StateName(shown.state))
                                .Text("activeTime", "ActiveTime", shown.texts.activeTime);
                            return kExitOk;
                          });
}

CliAction ProfileDeleteAction() {
  return ProfileRowAction("delete", "Delete a profile as the page's Delete button does", true,
                          [](CliContext& c, CPageProfileDlg& page, int row) {
                            const std::string deleted = page.State().rows[static_cast<std::size_t>(row)].texts.name;
                            page.OnRowClicked(row);
                            page.OnDelete();
                            if (c.run->Core().Profiles().HasProfile(deleted)) {
                              c.err << "nxui: the profile \"" << deleted << "\" could not be deleted\n";
                              return kExitFailure;
                            }
                            c.report.Text("deleted", "deleted", deleted)
                                .Text("active", "active", page.State().currentProfileName)
                                .Value("profiles", "profiles", page.State().rows.size(),
                                       std::to_string(page.State().rows.size()));
                            return kExitOk;
                          });
}

CliAction ProfileApplyAction() {
  return ProfileRowAction("apply", "Apply a profile as the page's Apply button does and show the link status", true,
                          [](CliContext& c, CPageProfileDlg& page, int row) {
                            const ProfileTexts applied = page.State().rows[static_cast<std::size_t>(row)].texts;
                            page.OnRowClicked(row);
                            page.OnApply();
                            if (c.run->Core().Profiles().ReadStation(kCurProfileKey) != applied.name) {
                              c.err << "nxui: the profile \"" << applied.name << "\" could not be applied\n";
                              return kExitFailure;
                            }
                            // Long enough for the platform's connection to complete or fail, then the link status.
                            c.run->Advance(sim::SimWlanService::kConnectDelayMs + 500);
                            const CLinkStatusDlg& status = ShowLinkStatus(*c.run, 2);
                            page.OnTick();
                            const auto& rows = page.State().rows;
                            const auto shown = std::find_if(rows.begin(), rows.end(), [&](const ProfileRow& r) {
                              return r.texts.name == applied.name;
                            });
                            const bool connected = shown != rows.end() && shown->state == profile_state::kConnected;
                            c.report.Text("applied", "applied", applied.name)
                                .Value("connected", "connected", connected, connected ? "yes" : "no")
                                .Text("Status", status.State().labels.status, status.State().texts.status);
                            if (!connected) {
                              c.err << "nxui: applied \"" << applied.name << "\", but the connection to \""
                                    << applied.ssid << "\" did not come up\n";
                              return kExitFailure;
                            }
                            return kExitOk;
                          });
}

CliAction ProfileExportAction() {
  struct Args {
    std::string name;
    std::string format;
    std::string output;
  };
  auto args = std::make_shared<Args>();
  CliAction action;
  action.name = "export";
  action.description =
      "Write a profile for another program: the platform's WLAN XML, a NetworkManager keyfile "
      "or a wpa_supplicant network block";
  action.configure = [args](CLI::App& app) {
    app.add_option("name", args->name, "Profile name")->required();
    app.add_option("--format", args->format, "Output format")
        ->required()
        ->check(CLI::IsMember({"wlan-xml", "nm", "wpa_supplicant"}))
        ->type_name("wlan-xml|nm|wpa_supplicant");
    app.add_option("--output", args->output, "Write to this file (mode 0600) instead of stdout")->type_name("FILE");
  };
  action.run = [args](CliContext& c) {
    const CPageProfileDlg& page = FreshPage(*c.run);
    const int row = FindProfileRow(c, page, args->name);
    if (row < 0) return kExitFailure;
    const std::string name = page.State().rows[static_cast<std::size_t>(row)].texts.name;
    const ExportFormat format = args->format == "wlan-xml" ? ExportFormat::WlanXml
                                : args->format == "nm"     ? ExportFormat::NetworkManager
                                                           : ExportFormat::WpaSupplicant;
    const ExportResult exported = ExportProfile(c.run->Core().Profiles().ReadProfiles(), name, format);
    if (!exported.ok) {
      c.err << "nxui: " << name << ": " << exported.error << '\n';
      return kExitFailure;
    }
    if (!args->output.empty()) {
      // Every format carries the profile's key.
      std::string error;
      if (!WriteFileAtomically(args->output, exported.text, FileSecrecy::Secret, error)) {
        c.err << "nxui: " << error << '\n';
        return kExitFailure;
      }
      c.report.Text("profile", "profile", name)
          .Text("format", "format", args->format)
          .Text("file", "file", args->output);
    } else if (c.options.json) {
      c.report.Text("profile", "profile", name)
          .Text("format", "format", args->format)
          .Hidden("document", exported.text);
    } else {
      c.out << exported.text;
    }
    return kExitOk;
  };
  return action;
}

std::vector<CliAction> ProfileActions() {
  return {ProfileListAction(),   ProfileShowAction(),  ProfileAddAction(),   ProfileEditAction(),
          ProfileDeleteAction(), ProfileApplyAction(), ProfileExportAction()};
}

CliCommand ProfileCommand() {
  return CommandOfActions("profile", "The profile list: list, show, add, edit, delete, apply or export a profile",
                          ProfileActions());
}

}  // namespace nxui::cli
