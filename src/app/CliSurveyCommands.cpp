// `survey` and `ap`: the site survey page after its start-up scan, and the AP details panel of one
// of its rows.
#include <algorithm>
#include <cctype>

#include <CLI/CLI.hpp>

#include "app/CliCommand.h"
#include "app/CliRun.h"
#include "scan/BssidEx.h"
#include "scan/ScanEntryDecoders.h"

namespace nxui::cli {

namespace {

// Refresh periods the page may need before its list settles (a scan in progress keeps it pending).
constexpr int kMaxWaitTicks = 10;

const char* BssTypeName(std::uint32_t mode) {
  if (mode == bssid_ex::kModeInfrastructure) return "infrastructure";
  if (mode == bssid_ex::kModeIbss) return "adhoc";
  return "other";
}

const char* NetworkTypeName(std::uint32_t type) {
  switch (type) {
    case bssid_ex::kNetworkTypeFh:
      return "FH";
    case bssid_ex::kNetworkTypeDs:
      return "DS";
    case bssid_ex::kNetworkTypeOfdm5:
      return "OFDM5";
    case bssid_ex::kNetworkTypeOfdm24:
      return "OFDM24";
    default:
      return "other";
  }
}

// Opens the survey page and waits for its scan and a tick that marks the connected row.
CPageSiteSurveyDlg& SettledSurvey(CliRun& run) {
  CPageSiteSurveyDlg& page = run.Survey();
  for (int tick = 0; tick < kMaxWaitTicks; ++tick) {
    run.Advance(CPageSiteSurveyDlg::kTimerPeriodMs);
    if (!page.RefreshPending() && !run.Hidden().ScanPending()) break;
  }
  return page;
}

}  // namespace

CliCommand SurveyCommand() {
  struct Args {
    std::string sort;
    bool dbm = false;
  };
  auto args = std::make_shared<Args>();
  CliCommand command;
  command.name = "survey";
  command.description = "The networks in range as the site survey lists them, after its scan";
  command.configure = [args](CLI::App& app) {
    app.add_option("--sort", args->sort, "Sort order of the page")
        ->check(CLI::IsMember({"ssid", "channel", "signal"}))
        ->type_name("ssid|channel|signal");
    app.add_flag("--dbm", args->dbm, "Signal column in dBm (\"Show dBm\")");
  };
  command.run = [args](CliContext& c) {
    CliRun& run = *c.run;
    CPageSiteSurveyDlg& page = SettledSurvey(run);
    if (!args->sort.empty()) {
      const SortMode mode = args->sort == "channel"  ? SortMode::Channel
                            : args->sort == "signal" ? SortMode::Signal
                                                     : SortMode::Ssid;
      page.OnSortChanged(mode);
      for (int tick = 0; tick < kMaxWaitTicks && (tick == 0 || page.RefreshPending()); ++tick) {
        run.Advance(CPageSiteSurveyDlg::kTimerPeriodMs);
      }
    }
    page.OnShowDbmChanged(args->dbm);

    const SiteSurveyState& s = page.State();
    auto header = [&s](std::size_t column) { return column < s.columns.size() ? s.columns[column].header : ""; };
    c.report.MakeTable({"", header(1), "BSSID", header(3), "a", "b", "g", "n", "", header(9), "Security"});
    const auto& rows = page.Rows();
    for (std::size_t i = 0; i < rows.size() && i < s.rows.size(); ++i) {
      const ScanEntry& row = rows[i];
      const SurveyRowCells& cells = s.rows[i];
      std::string auth, cipher;
      SplitSecurityText(row.securityText, auth, cipher);
      Json json = Json::object();
      json["connected"] = row.connected == 1;
      json["ssid"] = row.ssid;
      json["bssid"] = row.bssid;
      json["bssType"] = BssTypeName(row.bssType);
      json["channel"] = row.channel;
      json["networkType"] = NetworkTypeName(row.networkType);
      json["a"] = cells.aIcon != survey_icon::kNone;
      json["b"] = cells.bIcon != survey_icon::kNone;
      json["g"] = cells.gIcon != survey_icon::kNone;
      json["n"] = cells.nIcon != survey_icon::kNone;
      json["secured"] = row.secured == 1;
      json["wps"] = row.wps == 1;
      json["signal"] = row.signal;
      json["signalText"] = cells.signalText;
      json["signalPercent"] = cells.barPercent;
      json["barColor"] = Json::array({cells.barColour.red, cells.barColour.green, cells.barColour.blue});
      json["security"] = row.securityText;
      json["authCode"] = AuthCodeFromText(auth);
      const std::string lock = row.wps == 1 ? "WPS" : row.secured == 1 ? "*" : "";
      c.report.AddRow(std::move(json),
                      {row.connected == 1 ? ">" : "", row.ssid, row.bssid, row.channel, cells.aIcon >= 0 ? "a" : "",
                       cells.bIcon >= 0 ? "b" : "", cells.gIcon >= 0 ? "g" : "", cells.nIcon >= 0 ? "n" : "", lock,
                       cells.signalText, row.securityText});
    }
    return kExitOk;
  };
  return command;
}

CliCommand ApCommand() {
  auto bssid = std::make_shared<std::string>();
  CliCommand command;
  command.name = "ap";
  command.description = "The AP details of one survey row (BSSID with dashes or colons, any case)";
  command.configure = [bssid](CLI::App& app) {
    app.add_option("BSSID", *bssid, "The access point's address")->required();
  };
  command.run = [bssid](CliContext& c) {
    const std::string wanted = MacAddressArgument(*bssid);
    if (wanted.empty()) {
      c.err << "nxui: \"" << *bssid << "\" is not a BSSID such as 00-11-22-33-44-55\n";
      return kExitUsage;
    }
    CliRun& run = *c.run;
    CPageSiteSurveyDlg& page = SettledSurvey(run);
    const auto& rows = page.Rows();
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const ScanEntry& r) { return r.bssid == wanted; });
    if (found == rows.end()) {
      c.err << "nxui: no network with BSSID " << wanted << " is in range\n";
      return kExitFailure;
    }
    page.OnRowDoubleClicked(static_cast<int>(found - rows.begin()));
    const CAPDetailInfoDlg& details = run.ApDetails();
    const ApDetailState& tabs = details.State();

    const GeneralTabState& g = details.General().State();
    CliReport& general = c.report.Section("General", tabs.tabs[CAPDetailInfoDlg::kTabGeneral].caption);
    general.Text("SSID", g.ssidLabel, g.ssid)
        .Text("MAC Address", g.macLabel, g.mac)
        .Text("Authentication Type", g.authLabel, g.authentication)
        .Text("Encryption Type", g.cipherLabel, g.encryption)
        .Text("Channel", g.channelLabel, g.channel)
        .Text("Network Type", g.networkTypeLabel, g.networkType)
        .Text("Beacon Interval", g.beaconLabel, g.beaconInterval)
        .Text("Signal Strength", "", g.signal.drawnCaption)
        .Text("Supported Rates", g.ratesLabel, g.supportedRates);

    const WpsTabState& w = details.Wps().State();
    CliReport& wps = c.report.Section("WPS", tabs.tabs[CAPDetailInfoDlg::kTabWps].caption);
    wps.Text("Authentication Type", w.authLabel, w.authentication)
        .Text("Encryption Type", w.cipherLabel, w.encryption)
        .Text("Config Methods", w.configMethodsLabel, w.configMethods)
        .Text("Device Password ID", w.devicePasswordIdLabel, w.devicePasswordId)
        .Text("Selected Registrar", w.selectedRegistrarLabel, w.selectedRegistrar)
        .Text("State", w.stateLabel, w.state)
        .Text("Version", w.versionLabel, w.version)
        .Text("AP Setup Locked", w.apSetupLockedLabel, w.apSetupLocked)
        .Text("UUID-E", w.uuidELabel, w.uuidE)
        .Text("RF Bands", w.rfBandsLabel, w.rfBands);

    const CcxTabState& x = details.Ccx().State();
    CliReport& ccx = c.report.Section("CCX", tabs.tabs[CAPDetailInfoDlg::kTabCcx].caption);
    ccx.Text("CCKM", x.cckmLabel, x.cckm).Text("Cmic", x.cmicLabel, x.cmic).Text("Ckip", x.ckipLabel, x.ckip);

    const bool htShown = tabs.tabs[CAPDetailInfoDlg::kTab80211n].visible;
    const HtTabState& h = details.Ht().State();
    Json htRows = Json::array();
    for (const HtListRow& row : h.rows) {
      htRows.push_back(Json{{"kind", row.kind == HtListRow::Kind::GroupHeader ? "group" : "item"},
                            {"property", row.property},
                            {"value", row.value}});
    }
    CliReport& ht = c.report.Section("802.11n", htShown ? tabs.tabs[CAPDetailInfoDlg::kTab80211n].caption : "");
    ht.Hidden("shown", htShown);
    ht.Hidden("rows", std::move(htRows));
    if (htShown) {
      CliReport& list = ht.Section("", "");
      for (const HtListRow& row : h.rows) {
        if (row.kind == HtListRow::Kind::GroupHeader) {
          list.Text("", row.property, "");
        } else {
          list.Text("", "  " + row.property, row.value);
        }
      }
    }
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
