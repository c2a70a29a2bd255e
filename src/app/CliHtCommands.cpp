// The 802.11n page on the command line: its settings ("ht show", "ht set") and its Block Ack
// lists and dialogs ("ba list", "ba add", "ba delete"), through the page classes the GUI uses.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "adapter/AdapterRegistry.h"
#include "adapter/DriverNames.h"
#include "app/CliCommand.h"
#include "app/CliRun.h"

namespace nxui::cli {

namespace {

const char* const kSmpsNames[] = {"enable", "static", "dynamic"};

// The page as the user finds it: shown (the values read, the record sent) and its lists filled by
// one refresh.
CPage80211nSettingDlg* ShownPage(CliContext& c) {
  if (!c.run->Hidden().Context().is11n) {
    c.err << "nxui: the adapter is not an 802.11n adapter: it has no 802.11n settings\n";
    return nullptr;
  }
  CPage80211nSettingDlg& page = c.run->HtSettings();
  page.OnShow();
  c.run->Advance(CPage80211nSettingDlg::kRefreshPeriodMs);
  return &page;
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

void ReportSettings(CliRun& run, const CPage80211nSettingDlg& page, CliReport& report) {
  const Page80211nState& s = page.State();
  const HtSettings& v = page.Settings();
  auto onOff = [](bool on) { return std::string(on ? "on" : "off"); };
  report.Value("MPDU Aggregation", s.mpduAggregationLabel, v.mpduAggregation, onOff(v.mpduAggregation))
      .Value("MPDU density", s.mpduDensityLabel, v.mpduDensity, std::to_string(v.mpduDensity))
      .Value("Block Ack", "Block Ack", v.autoBa != 0 ? "auto" : "manual", v.autoBa != 0 ? s.autoLabel : s.manualLabel)
      .Value("A-MSDU", s.amsduLabel, v.amsdu, onOff(v.amsdu))
      .Value("A-MSDU size", "A-MSDU size", v.amsduSize == 1 ? 7935 : 3839,
             v.amsduSize == 1 ? s.amsduMax7935Label : s.amsduMax3839Label);
  const int smps = v.smps >= kSmpsEnable && v.smps <= kSmpsDynamic ? v.smps : kSmpsEnable;
  const std::string* smpsLabels[] = {&s.smEnableLabel, &s.staticSmpsLabel, &s.dynamicSmpsLabel};
  report.Value("Spatial Multiplexing Power Save", s.smpsGroupLabel, kSmpsNames[smps],
               *smpsLabels[static_cast<std::size_t>(smps)]);
  // What the adapter key holds for the next start (absent until saved once).
  std::uint32_t saved = 0;
  const AdapterRegistry key(run.Ports().registry, run.Hidden().Context().classKeyPath);
  if (key.ReadDword(reg_value::kBaCapability, saved)) {
    report.Text("BACapability", "BACapability", Hex(saved));
  } else {
    report.Value("BACapability", "BACapability", nullptr, "-");
  }
  const HtConfigBytes record = BuildHtConfigRecord(v);
  std::string shown;
  for (std::uint8_t byte : record) shown += (shown.empty() ? "" : " ") + std::to_string(byte);
  report.Value("record", "OID_WLAN_HT_CONFIG", Json(std::vector<int>(record.begin(), record.end())), shown);
}

void ReportList(const BlockAckListState& list, const std::string& key, CliReport& report) {
  CliReport& table = report.Section(key, list.caption);
  std::vector<std::string> headers;
  for (const BlockAckColumn& column : list.columns) headers.push_back(column.header);
  table.MakeTable(headers);
  for (const auto& row : list.rows) {
    Json tids = Json::array();
    for (std::size_t i = 1; i < row.size(); ++i) tids.push_back(row[i]);
    table.AddRow(Json{{"peer", row[0]}, {"tids", std::move(tids)}}, std::vector<std::string>(row.begin(), row.end()));
  }
}

void ReportLists(const CPage80211nSettingDlg& page, CliReport& report) {
  ReportList(page.State().originator, "Originator of", report);
  ReportList(page.State().recipient, "Recipient of", report);
}

// The cell of `peer` and `tid` in a list; "-" without a session.
std::string Cell(const BlockAckListState& list, const std::string& peer, int tid) {
  for (const auto& row : list.rows) {
    if (row[0] == peer) return row[static_cast<std::size_t>(1 + tid)];
  }
  return "-";
}

// Chooses the peer and the TID in an opened dialog; false when the peer is not listed.
bool Choose(CliContext& c, BlockAckDialogBase& dialog, const std::string& peer, int tid) {
  const auto& peers = dialog.State().peers;
  const auto found = std::find(peers.begin(), peers.end(), peer);
  if (found == peers.end()) {
    dialog.OnCancel();
    c.err << "nxui: " << peer << " is not a connected peer";
    if (!peers.empty()) {
      c.err << " (connected:";
      for (const std::string& p : peers) c.err << ' ' << p;
      c.err << ')';
    }
    c.err << '\n';
    return false;
  }
  dialog.SelectPeer(static_cast<int>(found - peers.begin()));
  dialog.SelectTid(tid);
  return true;
}

// Why the page's Block Ack buttons are disabled.
std::string ButtonsDisabledReason(const CPage80211nSettingDlg& page) {
  if (!page.Settings().mpduAggregation) {
    return "Block Ack sessions need MPDU aggregation (nxui ht set --ampdu on --ba manual)";
  }
  return "Block Ack sessions are set up automatically; choose manual setup first (nxui ht set --ba manual)";
}

}  // namespace

CliCommand HtCommand() {
  struct Args {
    CLI::App* show = nullptr;
    CLI::App* set = nullptr;
    std::string ampdu, amsdu, ba, smps;
    int density = -1;
    int amsduSize = 0;
  };
  auto args = std::make_shared<Args>();
  CliCommand command;
  command.name = "ht";
  command.description = "The 802.11n page's settings: show them, or set and apply them";
  command.configure = [args](CLI::App& app) {
    app.require_subcommand(1);
    args->show = app.add_subcommand("show", "The settings as the page shows them");
    args->set = app.add_subcommand("set", "Change the given settings and press \"Apply\"");
    CLI::App& set = *args->set;
    set.add_option("--ampdu", args->ampdu, "\"MPDU Aggregation\"")->check(CLI::IsMember({"on", "off"}));
    set.add_option("--density", args->density, "\"MPDU density\"")->check(CLI::Range(0, kMpduDensityItems - 1));
    set.add_option("--amsdu", args->amsdu, "\"A-MSDU\"")->check(CLI::IsMember({"on", "off"}));
    set.add_option("--amsdu-size", args->amsduSize, "A-MSDU size")->check(CLI::IsMember({3839, 7935}));
    set.add_option("--ba", args->ba, "Block Ack setup")->check(CLI::IsMember({"auto", "manual"}));
    set.add_option("--smps", args->smps, "Spatial multiplexing power save")
        ->check(CLI::IsMember({"enable", "static", "dynamic"}));
  };
  command.run = [args](CliContext& c) {
    CPage80211nSettingDlg* page = ShownPage(c);
    if (page == nullptr) return kExitFailure;
    if (args->set->parsed()) {
      // In the order a user goes down the page: the check boxes first, as they enable the rest.
      if (!args->ampdu.empty()) page->OnMpduAggregationClicked(args->ampdu == "on");
      if (!args->amsdu.empty()) page->OnAmsduClicked(args->amsdu == "on");
      const Page80211nState& s = page->State();
      if ((args->density >= 0 || !args->ba.empty()) && !s.mpduDensityEnabled) {
        c.err << "nxui: MPDU density and Block Ack setup cannot change while MPDU aggregation is off (--ampdu on)\n";
        return kExitFailure;
      }
      if (args->amsduSize != 0 && !s.amsduSizeEnabled) {
        c.err << "nxui: the A-MSDU size cannot change while A-MSDU is off (--amsdu on)\n";
        return kExitFailure;
      }
      if (args->density >= 0) page->SelectMpduDensity(args->density);
      if (!args->ba.empty()) page->OnBlockAckModeClicked(args->ba == "auto" ? 1 : 0);
      if (args->amsduSize != 0) page->SelectAmsduSize(args->amsduSize == 7935 ? 1 : 0);
      for (int smps = kSmpsEnable; smps <= kSmpsDynamic; ++smps) {
        if (args->smps == kSmpsNames[smps]) page->SelectSmps(smps);
      }
      if (!page->OnApply()) {
        c.err << "nxui: the 802.11n settings were sent to the driver but could not be saved in the adapter key\n";
        return kExitFailure;
      }
    }
    ReportSettings(*c.run, *page, c.report);
    return kExitOk;
  };
  return command;
}

CliCommand BaCommand() {
  struct Args {
    CLI::App* list = nullptr;
    CLI::App* add = nullptr;
    CLI::App* remove = nullptr;
    std::string peer;
    int tid = 0;
    std::string window;
    bool recipient = false;
  };
  auto args = std::make_shared<Args>();
  CliCommand command;
  command.name = "ba";
  command.description = "The 802.11n page's Block Ack sessions: list, add (originator) or delete";
  command.configure = [args](CLI::App& app) {
    app.require_subcommand(1);
    args->list = app.add_subcommand("list", "The \"Originator of\" and \"Recipient of\" lists");
    args->add = app.add_subcommand("add", "Add an originator session as the \"+\" dialog does");
    args->add->add_option("PEER", args->peer, "A connected peer (BSSID with dashes or colons)")->required();
    args->add->add_option("TID", args->tid, "Traffic identifier 0 to 7")->required()->check(CLI::Range(0, 7));
    args->add->add_option("WINDOW", args->window, "Block Ack window size limit (its low 8 bits are sent)")->required();
    args->remove = app.add_subcommand("delete", "Delete a session as the \"-\" dialog does");
    args->remove->add_option("PEER", args->peer, "A connected peer (BSSID with dashes or colons)")->required();
    args->remove->add_option("TID", args->tid, "Traffic identifier 0 to 7")->required()->check(CLI::Range(0, 7));
    args->remove->add_flag("--recipient", args->recipient, "A session of the \"Recipient of\" list");
  };
  command.run = [args](CliContext& c) {
    std::string peer;
    if (!args->list->parsed()) {
      peer = MacAddressArgument(args->peer);
      if (peer.empty()) {
        c.err << "nxui: \"" << args->peer << "\" is not a peer address such as 00-11-22-33-44-55\n";
        return kExitUsage;
      }
    }
    CPage80211nSettingDlg* page = ShownPage(c);
    if (page == nullptr) return kExitFailure;
    if (args->add->parsed()) {
      if (!page->State().originatorAddEnabled) {
        c.err << "nxui: " << ButtonsDisabledReason(*page) << '\n';
        return kExitFailure;
      }
      page->OnAddOriginator();
      CAddBlockAckDlg& dialog = c.run->AddBlockAck();
      if (!Choose(c, dialog, peer, args->tid)) return kExitFailure;
      dialog.SetWindowSizeText(args->window);
      if (!dialog.OnOk()) {
        dialog.OnCancel();
        c.err << "nxui: the window size \"" << args->window << "\" was refused\n";
        return kExitUsage;
      }
    } else if (args->remove->parsed()) {
      const bool enabled =
          args->recipient ? page->State().recipientDeleteEnabled : page->State().originatorDeleteEnabled;
      if (!enabled) {
        c.err << "nxui: " << ButtonsDisabledReason(*page) << '\n';
        return kExitFailure;
      }
      if (args->recipient) {
        page->OnDeleteRecipient();
      } else {
        page->OnDeleteOriginator();
      }
      CDeleteBlockAckDlg& dialog = c.run->DeleteBlockAck();
      if (!Choose(c, dialog, peer, args->tid) || !dialog.OnOk()) return kExitFailure;
    }
    if (!args->list->parsed()) {
      // The lists as the next refresh shows them.
      c.run->Advance(CPage80211nSettingDlg::kRefreshPeriodMs);
      const BlockAckListState& list = args->recipient ? page->State().recipient : page->State().originator;
      const bool present = Cell(list, peer, args->tid) != "-";
      if (args->add->parsed() && !present) {
        c.err << "nxui: the driver set up no session with " << peer << " for TID " << args->tid << '\n';
        return kExitFailure;
      }
      if (args->remove->parsed() && present) {
        c.err << "nxui: the session with " << peer << " for TID " << args->tid << " is still there\n";
        return kExitFailure;
      }
    }
    ReportLists(*page, c.report);
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
