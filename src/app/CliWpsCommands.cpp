// `wps` and its actions: the WPS page of the started core with its buttons pressed as a user presses
// them. `pin` and `pbc` follow the run on the page until it succeeds or fails.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <functional>
#include <memory>

#include <CLI/CLI.hpp>

#include "adapter/Oids.h"
#include "app/CliCommand.h"
#include "app/CliRun.h"
#include "base/ByteReader.h"
#include "profiles/IProfileEditorWindow.h"
#include "wps/CPageWPSDlg.h"
#include "wps/CPageWPSProfile.h"
#include "wps/WpsRecords.h"
#include "wps/WpsStatus.h"

namespace nxui::cli {

namespace {

// Loop time a scan may take before the page is told, and a run before it is given up: longer
// than the push-button walk time, after which the driver reports that no access point answered.
constexpr std::uint64_t kTickMs = 200;
constexpr std::uint64_t kScanWaitMs = 10000;
constexpr std::uint64_t kRunWaitMs = 150000;
// After a run or Connect: the connection monitor checks every 2 s and, rotating, moves on to the
// next credential every 10 s.
constexpr std::uint64_t kMonitorMs = wps_timer::kPageMonitorMs;
constexpr std::uint64_t kRotationStepMs = 5 * kMonitorMs;

const char* MarkName(int mark) {
  if (mark == kCredentialConnected) return "connected";
  if (mark == kCredentialTrying) return "trying";
  return "";
}

const char* MarkSign(int mark) {
  if (mark == kCredentialConnected) return "*";
  if (mark == kCredentialTrying) return "~";
  return "";
}

const char* ModeName(WpsConfigMode mode) { return mode == WpsConfigMode::Registrar ? "registrar" : "enrollee"; }

// The page with its connection monitor's first look at the link, as a user finds it after a moment.
CPageWPSDlg& SettledPage(CliRun& run) {
  CPageWPSDlg& page = run.Wps();
  run.Advance(kMonitorMs + kTickMs);
  return page;
}

// Rescan pressed and its results waited for.
CPageWPSDlg& ScannedPage(CliRun& run) {
  CPageWPSDlg& page = run.Wps();
  page.OnRescan();
  for (std::uint64_t waited = 0; waited < kScanWaitMs && !page.State().rescanEnabled; waited += kTickMs) {
    run.Advance(kTickMs);
  }
  return page;
}

Json CredentialJson(const WpsCredential& credential, std::size_t index, int mark) {
  return Json{{"index", index},
              {"ssid", std::string(CredentialSsid(credential))},
              {"authentication", std::string(WpsAuthTypeText(credential.authType))},
              {"encryption", std::string(WpsEncrTypeText(credential.encrType))},
              {"authType", credential.authType},
              {"encrType", credential.encrType},
              {"mark", MarkName(mark)}};
}

Json CredentialsJson(const CPageWPSDlg& page) {
  Json list = Json::array();
  const WpsEngineState& engine = page.Engine().State();
  const auto& rows = page.State().credentialRows;
  for (std::size_t i = 0; i < rows.size() && i < kWpsMaxCredentials; ++i) {
    list.push_back(CredentialJson(engine.table.credentials[i], i, rows[i].mark));
  }
  return list;
}

// The credential list as a table report.
void CredentialTable(const CPageWPSDlg& page, CliReport& report) {
  const WpsEngineState& engine = page.Engine().State();
  const auto& rows = page.State().credentialRows;
  report.MakeTable({"#", "", page.State().credentialColumns.at(1).header, "Authentication", "Encryption"});
  for (std::size_t i = 0; i < rows.size() && i < kWpsMaxCredentials; ++i) {
    Json json = CredentialJson(engine.table.credentials[i], i, rows[i].mark);
    std::vector<std::string> cells = {std::to_string(i), MarkSign(rows[i].mark), rows[i].ssid,
                                      json["authentication"].get<std::string>(), json["encryption"].get<std::string>()};
    report.AddRow(std::move(json), std::move(cells));
  }
}

bool AnyConnected(const CPageWPSDlg& page) {
  const auto& rows = page.State().credentialRows;
  return std::any_of(rows.begin(), rows.end(),
                     [](const WpsCredentialRow& r) { return r.mark == kCredentialConnected; });
}

// The credential row N, or -1 after telling the user.
int CredentialRow(CliContext& c, const CPageWPSDlg& page, int n) {
  const int rows = static_cast<int>(page.State().credentialRows.size());
  if (n >= 0 && n < rows) return n;
  if (rows == 0) {
    c.err << "nxui: there is no WPS credential (run 'nxui wps pin' or 'nxui wps pbc' first)\n";
  } else {
    c.err << "nxui: there is no WPS credential " << n << ": the list holds 0 to " << rows - 1 << '\n';
  }
  return -1;
}

// Advances until the page shows a connection or `limitMs` has passed.
bool WaitForConnection(CliRun& run, const CPageWPSDlg& page, std::uint64_t limitMs) {
  for (std::uint64_t waited = 0; waited < limitMs; waited += kTickMs) {
    if (AnyConnected(page)) return true;
    run.Advance(kTickMs);
  }
  return AnyConnected(page);
}

// A run's progress as it changes: one line each, or on a terminal one line updated in place.
class ProgressPrinter {
 public:
  ProgressPrinter(std::ostream& out, bool quiet) : out_(out), quiet_(quiet), inPlace_(isatty(STDOUT_FILENO) != 0) {}
  ~ProgressPrinter() { Finish(); }

  void Show(const CPageWPSDlg& page) {
    const WpsPageState& s = page.State();
    if (s.progress.position == progress_ && s.statusText == text_) return;
    progress_ = s.progress.position;
    text_ = s.statusText;
    if (quiet_) return;
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", progress_);
    const std::string line = std::string(percent) + "  " + Printable(text_, false);
    if (inPlace_) {
      out_ << '\r' << line << "\x1b[K" << std::flush;
      open_ = true;
    } else {
      out_ << line << '\n';
    }
  }
  void Finish() {
    if (open_) out_ << '\n';
    open_ = false;
  }

 private:
  std::ostream& out_;
  bool quiet_;
  bool inPlace_;
  bool open_ = false;
  int progress_ = -1;
  std::string text_;
};

// Codes after which the driver's run is over without credentials (it keeps reporting them).
bool FailedCode(std::uint32_t code) {
  using namespace wps_status;
  switch (code) {
    case kNotUsed:
    case kTooManyPbcAps:
    case kNoPbcAp:
    case kEapFail:
    case kIncompleteEap:
    case kWrongPin:
    case kIllegalSsid:
    case kWrongVendorId:
    case kWrongVendorType:
    case kProcessFailed:
      return true;
    default:
      return false;
  }
}

std::uint32_t DriverStatusWord(CliRun& run) {
  std::array<std::uint8_t, 4> bytes{};
  if (!run.Pages().Driver().Query(OID_WLAN_WPS_STATUS, bytes)) return 0xFFFFFFFFu;
  return LoadLe32(bytes.data());
}

// Follows the run the page started until the driver ends it and the page has shown the end, then,
// after a success, until the connection monitor finds a credential connected (or gives up).
// `pin` is the PIN of a PIN run, said first: every start of the page makes a new one in enrollee mode.
int FollowRun(CliContext& c, const char* method, const std::string& pin) {
  CliRun& run = *c.run;
  CPageWPSDlg& page = run.Wps();
  if (!pin.empty() && !c.options.json) c.out << page.State().labels.pinCodeGroup << "  " << pin << '\n';
  ProgressPrinter printer(c.out, c.options.json);
  printer.Show(page);
  std::uint32_t code = 0xFFFFFFFFu;
  bool ended = false;
  for (std::uint64_t waited = 0; waited < kRunWaitMs && !ended; waited += kTickMs) {
    run.Advance(kTickMs);
    printer.Show(page);
    const std::uint32_t word = DriverStatusWord(run);
    if (word == 0xFFFFFFFFu) continue;
    code = word & kWpsStatusCodeMask;
    // The page polls on its own timer: the end counts once the page has shown it too.
    ended = (code == wps_status::kConfigured || FailedCode(code)) && page.State().statusText == WpsStatusLine(word);
  }
  const bool success = ended && code == wps_status::kConfigured;
  bool connected = false;
  if (success && page.Engine().State().Count() > 0) {
    const std::uint64_t limit = kRotationStepMs * page.Engine().State().Count() + 2 * kMonitorMs;
    for (std::uint64_t waited = 0; waited < limit && !connected; waited += kTickMs) {
      run.Advance(kTickMs);
      printer.Show(page);
      connected = AnyConnected(page);
    }
  }
  printer.Finish();

  CliReport report;
  const WpsPageState& s = page.State();
  const char* outcome = success ? "success" : "failure";
  report.Text("method", "Method", method);
  if (!pin.empty()) report.Hidden("pin", pin);
  report.Text("outcome", "Outcome", outcome)
      .Value("status", "Status code", code == 0xFFFFFFFFu ? Json(nullptr) : Json(code),
             code == 0xFFFFFFFFu ? "-" : std::to_string(code))
      .Text("statusText", "Status", s.statusText)
      .Value("progress", "Progress", s.progress.position, std::to_string(s.progress.position) + "%")
      .Value("connected", "Connected", connected, connected ? "yes" : "no");
  if (c.options.json) {
    report.Hidden("credentials", CredentialsJson(page));
    c.out << DumpJson(report.ToJson(), 2) << '\n';
  } else {
    report.WriteText(c.out);
    CliReport credentials;
    CredentialTable(page, credentials);
    if (!s.credentialRows.empty()) credentials.WriteText(c.out);
  }
  if (!ended) c.err << "nxui: the WPS run did not end within " << kRunWaitMs / 1000 << " s\n";
  return success ? kExitOk : kExitFailure;
}

// What the page refused at the PIN field or in the message box, for stderr; empty when nothing.
std::string PinRefusal(CliRun& run, const CPageWPSDlg& page, std::size_t messagesBefore) {
  if (!page.State().pinTip.empty()) return page.State().pinTip;
  if (run.Messages().size() > messagesBefore) return run.Messages().back();
  return {};
}

CliAction ListAction() {
  CliAction action;
  action.name = "list";
  action.description = "The access points in range that offer WPS, after a rescan";
  action.run = [](CliContext& c) {
    const CPageWPSDlg& page = ScannedPage(*c.run);
    const WpsPageState& s = page.State();
    c.report.MakeTable({"#", s.apColumns.at(0).header, s.apColumns.at(1).header, s.apColumns.at(2).header,
                        s.apColumns.at(3).header, ""});
    for (std::size_t i = 0; i < s.apRows.size(); ++i) {
      const WpsApRow& row = s.apRows[i];
      Json json{{"index", i},         {"id", row.id},           {"ssid", row.ssid},
                {"bssid", row.bssid}, {"channel", row.channel}, {"protected", row.isProtected}};
      c.report.AddRow(std::move(json), {std::to_string(i), "ID : " + row.id, row.ssid, row.bssid, row.channel,
                                        row.isProtected ? "*" : ""});
    }
    return kExitOk;
  };
  return action;
}

CliAction PinAction() {
  struct Args {
    std::string bssid;
    std::string pin;
  };
  auto args = std::make_shared<Args>();
  CliAction action;
  action.name = "pin";
  action.description = "A PIN run with an access point of the list (the first unless --bssid), followed to its end";
  action.configure = [args](CLI::App& app) {
    app.add_option("--bssid", args->bssid, "The access point (dashes or colons, any case)")->type_name("BSSID");
    app.add_option("--pin", args->pin, "The other device's PIN, typed into the PIN field (registrar mode)")
        ->type_name("NNNNNNNN");
  };
  action.run = [args](CliContext& c) {
    CliRun& run = *c.run;
    CPageWPSDlg& page = ScannedPage(run);
    if (page.State().apRows.empty()) {
      c.err << "nxui: no access point in range offers WPS\n";
      return kExitFailure;
    }
    if (!args->bssid.empty()) {
      const std::string wanted = MacAddressArgument(args->bssid);
      if (wanted.empty()) {
        c.err << "nxui: \"" << args->bssid << "\" is not a BSSID such as 00-11-22-33-44-55\n";
        return kExitUsage;
      }
      const auto& rows = page.State().apRows;
      const auto found =
          std::find_if(rows.begin(), rows.end(), [&](const WpsApRow& row) { return row.bssid == wanted; });
      if (found == rows.end()) {
        c.err << "nxui: no access point with BSSID " << wanted << " offers WPS\n";
        return kExitFailure;
      }
      page.OnApRowClicked(static_cast<int>(found - rows.begin()));
    }
    if (!args->pin.empty()) {
      if (page.State().pinReadOnly) {
        c.err << "nxui: in enrollee mode the PIN is the utility's own (" << page.State().pinText
              << "): enter it at the access point, or switch with 'nxui wps mode registrar' to type another "
                 "device's PIN\n";
        return kExitUsage;
      }
      page.OnPinEdited(args->pin);
    }
    const std::size_t messages = run.Messages().size();
    const std::string pin = page.State().pinText;
    page.OnPin();
    if (const std::string refused = PinRefusal(run, page, messages); !refused.empty()) {
      c.err << "nxui: " << refused << '\n';
      return kExitUsage;
    }
    return FollowRun(c, "pin", pin);
  };
  return action;
}

CliAction PbcAction() {
  CliAction action;
  action.name = "pbc";
  action.description = "A push-button run, followed to its end";
  action.run = [](CliContext& c) {
    c.run->Wps().OnPbc();
    return FollowRun(c, "pbc", "");
  };
  return action;
}

void StatusReport(const CPageWPSDlg& page, CliReport& report) {
  const WpsPageState& s = page.State();
  const WpsEngineState& e = page.Engine().State();
  const std::size_t mode = static_cast<std::size_t>(s.configMode);
  report
      .Value("mode", s.labels.configModeGroup, ModeName(e.configMode),
             mode < s.labels.configModes.size() ? s.labels.configModes[mode] : "")
      .Text("pin", s.labels.pinCodeGroup, s.pinText)
      .Text("status", "Status", s.statusText)
      .Value("progress", "Progress", s.progress.position, std::to_string(s.progress.position) + "%")
      .Value("wpsConnection", "WPS connection", e.wscConnect, e.wscConnect ? "yes" : "no")
      .Value("rotating", "Rotating", e.rotateMode, e.rotateMode ? "yes" : "no")
      .Value("credentials", "Credentials", e.Count(), std::to_string(e.Count()))
      .Value("currentCredential", "Current credential", e.currentCredential, std::to_string(e.currentCredential))
      .Value("connected", "Connected", AnyConnected(page), AnyConnected(page) ? "yes" : "no");
}

CliAction StatusAction() {
  CliAction action;
  action.name = "status";
  action.description = "The page's mode, PIN, status line and progress";
  action.run = [](CliContext& c) {
    StatusReport(SettledPage(*c.run), c.report);
    return kExitOk;
  };
  return action;
}

CliAction CredentialsAction() {
  CliAction action;
  action.name = "credentials";
  action.description = "The credentials of the last run (or the registrar's own), * connected, ~ being tried";
  action.run = [](CliContext& c) {
    CredentialTable(SettledPage(*c.run), c.report);
    return kExitOk;
  };
  return action;
}

CliAction RenewAction() {
  CliAction action;
  action.name = "renew";
  action.description = "A new PIN for enrollee runs (\"Renew\")";
  action.run = [](CliContext& c) {
    CPageWPSDlg& page = c.run->Wps();
    if (!page.State().renewEnabled) {
      c.err << "nxui: \"Renew\" is not available in registrar mode, where the PIN is the other device's\n";
      return kExitFailure;
    }
    page.OnRenew();
    c.report.Text("pin", page.State().labels.pinCodeGroup, page.State().pinText);
    return kExitOk;
  };
  return action;
}

CliAction ModeAction() {
  auto mode = std::make_shared<std::string>();
  CliAction action;
  action.name = "mode";
  action.description = "Switch \"Config Mode\": enrollee takes credentials, registrar hands out its own";
  action.configure = [mode](CLI::App& app) {
    app.add_option("MODE", *mode, "The new mode")
        ->required()
        ->check(CLI::IsMember({"enrollee", "registrar"}))
        ->type_name("enrollee|registrar");
  };
  action.run = [mode](CliContext& c) {
    CPageWPSDlg& page = c.run->Wps();
    page.OnConfigModeChanged(*mode == "registrar" ? 1 : 0);
    StatusReport(page, c.report);
    CredentialTable(page, c.report.Section("list", page.State().labels.profileList));
    return kExitOk;
  };
  return action;
}

CliAction ConnectAction() {
  auto n = std::make_shared<int>(0);
  CliAction action;
  action.name = "connect";
  action.description = "Connect with credential N (0 is the first) and wait for the connection";
  action.configure = [n](CLI::App& app) { app.add_option("N", *n, "Credential number")->required(); };
  action.run = [n](CliContext& c) {
    CPageWPSDlg& page = SettledPage(*c.run);
    const int row = CredentialRow(c, page, *n);
    if (row < 0) return kExitFailure;
    page.OnCredentialRowClicked(row);
    page.OnConnect();
    const bool connected = WaitForConnection(*c.run, page, kRotationStepMs + kMonitorMs);
    StatusReport(page, c.report);
    if (!connected) {
      c.err << "nxui: credential " << row << " (\"" << Printable(page.State().credentialRows[row].ssid, false)
            << "\") did not connect\n";
      return kExitFailure;
    }
    return kExitOk;
  };
  return action;
}

CliAction RotateAction() {
  CliAction action;
  action.name = "rotate";
  action.description = "Try the credentials in turn, 10 s each, until one connects";
  action.run = [](CliContext& c) {
    CPageWPSDlg& page = SettledPage(*c.run);
    if (page.State().credentialRows.empty()) {
      c.err << "nxui: there is no WPS credential (run 'nxui wps pin' or 'nxui wps pbc' first)\n";
      return kExitFailure;
    }
    page.OnRotate();
    const std::uint64_t limit = kRotationStepMs * page.State().credentialRows.size() + 2 * kMonitorMs;
    const bool connected = WaitForConnection(*c.run, page, limit);
    StatusReport(page, c.report);
    if (!connected) {
      c.err << "nxui: none of the credentials connected\n";
      return kExitFailure;
    }
    return kExitOk;
  };
  return action;
}

CliAction DisconnectAction() {
  CliAction action;
  action.name = "disconnect";
  action.description = "Leave the WPS connection (\"Disconnect\")";
  action.run = [](CliContext& c) {
    CPageWPSDlg& page = c.run->Wps();
    page.OnDisconnect();
    StatusReport(page, c.report);
    return kExitOk;
  };
  return action;
}

CliAction DeleteAction() {
  auto n = std::make_shared<int>(0);
  CliAction action;
  action.name = "delete";
  action.description = "Delete credential N (enrollee mode)";
  action.configure = [n](CLI::App& app) { app.add_option("N", *n, "Credential number")->required(); };
  action.run = [n](CliContext& c) {
    CPageWPSDlg& page = SettledPage(*c.run);
    if (!page.State().deleteVisible) {
      c.err << "nxui: in registrar mode the credential is the utility's own and cannot be deleted\n";
      return kExitFailure;
    }
    const int row = CredentialRow(c, page, *n);
    if (row < 0) return kExitFailure;
    const std::string deleted = page.State().credentialRows[static_cast<std::size_t>(row)].ssid;
    page.OnCredentialRowClicked(row);
    page.OnDelete();
    c.report.Text("deleted", "Deleted", deleted);
    CredentialTable(page, c.report.Section("list", page.State().labels.profileList));
    return kExitOk;
  };
  return action;
}

CliAction DetailAction() {
  struct Args {
    int n = 0;
    bool showKey = false;
  };
  auto args = std::make_shared<Args>();
  CliAction action;
  action.name = "detail";
  action.description = "The detail view of credential N (in registrar mode the utility's own)";
  action.configure = [args](CLI::App& app) {
    app.add_option("N", args->n, "Credential number")->required();
    app.add_flag("--show-key", args->showKey, "The key in clear (\"Show Password\")");
  };
  action.run = [args](CliContext& c) {
    CliRun& run = *c.run;
    CPageWPSDlg& page = SettledPage(run);
    const int row = CredentialRow(c, page, args->n);
    if (row < 0) return kExitFailure;
    page.OnCredentialRowClicked(row);
    page.OnDetail();
    CPageWPSProfile& detail = run.WpsProfile();
    detail.OnShowPasswordChanged(args->showKey);
    const WpsProfileState& s = detail.State();
    auto choice = [&s](const std::string& text, const WpsDropList& list) {
      if (!s.editable) return text;
      return list.selected >= 0 && static_cast<std::size_t>(list.selected) < list.items.size()
                 ? list.items[static_cast<std::size_t>(list.selected)]
                 : std::string();
    };
    const bool wep = s.editable ? s.keyLengthList.enabled : s.asciiVisible;
    auto label = [](std::string text) {
      if (text.size() >= 3 && text.compare(text.size() - 3, 3, " >>") == 0) text.resize(text.size() - 3);
      return text;
    };
    c.report.Text("ssid", label(s.labels.ssid), s.ssid)
        .Text("bssid", label(s.labels.bssid), s.bssid)
        .Text("authentication", label(s.labels.authentication), choice(s.authText, s.authList))
        .Text("encryption", label(s.labels.encryption), choice(s.encText, s.encList))
        .Text("keyLength", label(s.labels.keyLength),
              s.editable ? (wep ? choice("", s.keyLengthList) : std::to_string(s.key.size())) : s.keyLengthText)
        .Text("keyIndex", label(s.labels.keyIndex),
              s.editable ? (wep ? choice("", s.keyIndexList) : "") : s.keyIndexText)
        .Text("key", label(s.labels.keyMaterial), detail.ShownKey())
        .Value("editable", "Editable", s.editable, s.editable ? "yes" : "no");
    return kExitOk;
  };
  return action;
}

// The command's answers for the profile editor while "Export Profile" opens it: what the editor
// says goes to stderr, and no question is answered with yes.
class ExportAnswers final : public IProfileEditorWindow {
 public:
  int ShowMessage(const std::string& text) override {
    said.push_back(text);
    return 1;
  }
  bool Confirm(const std::string& text) override {
    said.push_back(text);
    return false;
  }
  void ShowHint(EditorField, const std::string& text) override { said.push_back(text); }
  void ShowEditorPanel() override {}
  void CloseEditorPanel(bool) override {}
  std::vector<std::string> said;
};

CliAction ExportAction() {
  auto n = std::make_shared<int>(0);
  CliAction action;
  action.name = "export";
  action.description = "\"Export Profile\": credential N saved as a profile of the profile list";
  action.configure = [n](CLI::App& app) { app.add_option("N", *n, "Credential number")->required(); };
  action.run = [n](CliContext& c) {
    CliRun& run = *c.run;
    CPageWPSDlg& page = SettledPage(run);
    const int row = CredentialRow(c, page, *n);
    if (row < 0) return kExitFailure;
    ExportAnswers answers;
    run.SetProfileEditorAnswers(&answers);
    CProfileEditorDlg& editor = run.ProfileEditor();
    page.OnExportProfile();
    // The editor opens once per credential in turn; this one is saved, the others cancelled.
    std::string saved;
    EditorOkResult result = EditorOkResult::Refused;
    for (int opened = 0; page.Exporting() && editor.Visible(); ++opened) {
      if (opened == row) {
        const std::string name = editor.BuildRecord().name;
        result = editor.OnOk();
        if (result == EditorOkResult::Saved) saved = name;
        if (editor.Visible()) editor.OnCancel();
      } else {
        editor.OnCancel();
      }
    }
    run.SetProfileEditorAnswers(nullptr);
    if (saved.empty()) {
      c.err << "nxui: credential " << row << " was not saved as a profile";
      for (const std::string& text : answers.said) c.err << ": " << text;
      c.err << '\n';
      return kExitFailure;
    }
    c.report.Text("profile", "Profile", saved)
        .Text("ssid", "SSID", page.State().credentialRows[static_cast<std::size_t>(row)].ssid);
    return kExitOk;
  };
  return action;
}

std::vector<CliAction> CliActions() {
  return {ListAction(),   PinAction(),    PbcAction(),     StatusAction(), CredentialsAction(),
          RenewAction(),  ModeAction(),   ConnectAction(), RotateAction(), DisconnectAction(),
          DeleteAction(), DetailAction(), ExportAction()};
}

}  // namespace

CliCommand WpsCommand() {
  return CommandOfActions("wps", "Wi-Fi Protected Setup: access points, PIN and push-button runs, credentials",
                          CliActions());
}

}  // namespace nxui::cli
