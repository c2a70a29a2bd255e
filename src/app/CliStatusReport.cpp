#include "app/CliStatusReport.h"

#include <array>

#include "app/CliRun.h"
#include "monitor/CLinkStatusDlg.h"

namespace nxui::cli {

namespace {

// A bar without a colour of its own draws this end colour (the progress bar's default gradient).
constexpr DisplayColour kDefaultBarColour{200, 200, 200};

// The key of a label: the page's text without its " >>" (English labels are the keys).
struct BarKey {
  const char* key;
};
constexpr std::array<BarKey, kLinkBarCount> kBarKeys = {BarKey{"Link Quality"}, BarKey{"Signal Strength 1"},
                                                        BarKey{"Signal Strength 2"}, BarKey{"Signal Strength 3"},
                                                        BarKey{"Noise Strength"}};

const char* TrayStateName(shell::TrayState state) {
  switch (state) {
    case shell::TrayState::Good:
      return "good";
    case shell::TrayState::Normal:
      return "normal";
    case shell::TrayState::Weak:
      return "weak";
    case shell::TrayState::Disconnected:
      return "disconnected";
    case shell::TrayState::Missing:
      return "missing";
    case shell::TrayState::WepError:
      return "wep-error";
  }
  return "missing";
}

// "[#######.............]" for people.
std::string BarPicture(int position) {
  const int filled = (position * 20 + 50) / 100;
  std::string picture = "[";
  for (int i = 0; i < 20; ++i) picture += i < filled ? '#' : '.';
  return picture + "]";
}

}  // namespace

CLinkStatusDlg& ShowLinkStatus(CliRun& run, int ticks) {
  CLinkStatusDlg& page = run.LinkStatus();
  page.OnShow();
  for (int i = 0; i < ticks; ++i) run.Advance(CLinkStatusDlg::kRefreshPeriodMs);
  return page;
}

void BuildStatusReport(CliRun& run, const CLinkStatusDlg& page, CliReport& report) {
  const LinkStatusState& s = page.State();
  const LinkStatusLabels& l = s.labels;
  const LinkStatusTexts& t = s.texts;
  report.Text("Status", l.status, t.status)
      .Text("Extra Info", l.extraInfo, t.extraInfo)
      .Text("Channel", l.channel, t.channel)
      .Text("Authentication", l.authentication, t.authentication)
      .Text("Encryption", l.encryption, t.encryption)
      .Text("Network Type", l.networkType, t.networkType)
      .Text("IP Address", l.ipAddress, t.ipAddress)
      .Text("Sub Mask", l.subMask, t.subMask)
      .Text("Default Gateway", l.gateway, t.gateway);

  CliReport& tx = report.Section("Transmit", l.transmit);
  tx.Text("Link Speed", l.txLinkSpeed, t.txRate)
      .Text("Throughput", l.txThroughput, t.txThroughput)
      .Text("Max", s.txGraph.captionLine1, s.txGraph.captionLine2);
  CliReport& rx = report.Section("Receive", l.receive);
  rx.Text("Link Speed", l.rxLinkSpeed, t.rxRate)
      .Text("Throughput", l.rxThroughput, t.rxThroughput)
      .Text("Max", s.rxGraph.captionLine1, s.rxGraph.captionLine2);

  CliReport& bars = report.Section("bars", "");
  for (std::size_t i = 0; i < kLinkBarCount; ++i) {
    const PercentBarState& bar = s.bars[i];
    const DisplayColour c = bar.hasGradient ? bar.endColour : kDefaultBarColour;
    Json json = Json::object();
    json["value"] = bar.position;
    json["caption"] = bar.drawnCaption;
    json["color"] = Json::array({c.r, c.g, c.b});
    json["visible"] = bar.visible;
    if (bar.visible) {
      bars.Value(kBarKeys[i].key, bar.drawnCaption, std::move(json), BarPicture(bar.position));
    } else {
      bars.Hidden(kBarKeys[i].key, std::move(json));
    }
  }

  if (s.ht.visible) {
    CliReport& ht = report.Section("HT", l.htCaption);
    ht.Text("BW", l.bandwidth, s.ht.bandwidth).Text("GI", l.guardInterval, s.ht.guardInterval);
    if (s.ht.stbcVisible) {
      ht.Text("STBC", l.stbc, s.ht.stbc);
    } else {
      ht.Hidden("STBC", s.ht.stbc);
    }
    ht.Text("MCS", l.mcs, s.ht.mcs).Text("SNR0", l.snr0, s.ht.snr0).Text("SNR1", l.snr1, s.ht.snr1);
  }

  const shell::TrayIcon& trayIcon = run.Hidden().Tray();
  CliReport& tray = report.Section("tray", "Tray");
  tray.Text("state", "state", TrayStateName(trayIcon.State()))
      .Value("icon", "icon", trayIcon.Data().iconNumber, std::to_string(trayIcon.Data().iconNumber))
      .Text("tooltip", "tooltip", trayIcon.Data().tip);
}

void BuildCompactStatus(CliRun& run, const CLinkStatusDlg& page, CliReport& report) {
  const LinkStatusState& s = page.State();
  const LinkStatusLabels& l = s.labels;
  const LinkStatusTexts& t = s.texts;
  auto pair = [](const std::string& label, const std::string& value) { return label + " " + value; };
  report.Text("", l.status, t.status)
      .Text("", l.extraInfo, t.extraInfo)
      .Text("", l.channel, t.channel)
      .Text("", l.authentication,
            t.authentication + "   " + pair(l.encryption, t.encryption) + "   " + pair(l.networkType, t.networkType))
      .Text("", l.ipAddress, t.ipAddress + "   " + pair(l.subMask, t.subMask) + "   " + pair(l.gateway, t.gateway))
      .Text("", l.transmit,
            pair(l.txLinkSpeed, t.txRate) + "   " + pair(l.txThroughput, t.txThroughput) + "   " +
                pair(s.txGraph.captionLine1, s.txGraph.captionLine2))
      .Text("", l.receive,
            pair(l.rxLinkSpeed, t.rxRate) + "   " + pair(l.rxThroughput, t.rxThroughput) + "   " +
                pair(s.rxGraph.captionLine1, s.rxGraph.captionLine2));
  for (const PercentBarState& bar : s.bars) {
    if (bar.visible) report.Text("", bar.drawnCaption, BarPicture(bar.position));
  }
  if (s.ht.visible) {
    report.Text("", l.htCaption,
                pair(l.bandwidth, s.ht.bandwidth) + "   " + pair(l.guardInterval, s.ht.guardInterval) + "   " +
                    pair(l.mcs, s.ht.mcs) + "   " + pair(l.snr0, s.ht.snr0) + "   " + pair(l.snr1, s.ht.snr1));
  }
  const shell::TrayIcon& tray = run.Hidden().Tray();
  std::string tip = tray.Data().tip;
  for (char& c : tip) {
    if (c == '\n') c = ' ';
  }
  report.Text("", "Tray", std::string(TrayStateName(tray.State())) + "   " + tip);
}

}  // namespace nxui::cli
