#include "monitor/CAuthenStatusDlg.h"

#include <cstdio>

#include "adapter/AdapterContext.h"
#include "adapter/AdapterRegistry.h"
#include "adapter/ConnectionSettings.h"
#include "display/PanelIds.h"
#include "display/StringTable.h"
#include "monitor/AuthenticationLog.h"
#include "platform/ISystemInfo.h"

namespace nxui {
namespace {

// The list scrolls by one row height per line.
constexpr int kRowPixels = 25;

}  // namespace

CAuthenStatusDlg::CAuthenStatusDlg(IEventLoop& loop, IRegistry& registry, ISystemInfo& clock,
                                   const AdapterContext& context, shell::AuthenticationLog& ring,
                                   const StringTable& strings, AuthenStatusHost host)
    : loop_(loop),
      registry_(registry),
      clock_(clock),
      context_(context),
      ring_(ring),
      strings_(strings),
      host_(std::move(host)) {}

CAuthenStatusDlg::~CAuthenStatusDlg() {
  if (window_ != 0) loop_.DestroyWindow(window_);
}

void CAuthenStatusDlg::OnInitDialog() {
  if (window_ == 0) window_ = loop_.CreateWindow(*this);
  state_.caption = strings_.LoadString(string_id::kAuthenticationStatus);
  state_.timeHeader = "时间";
  state_.descriptionHeader = "描述";
  state_.okLabel = strings_.LoadString(string_id::kOk);
  state_.cancelLabel = strings_.LoadString(string_id::kCancel);
  linesAdded_ = 0;
  RefreshLabels(true);
}

void CAuthenStatusDlg::OnShow() {
  RefreshLabels(true);
  loop_.SetTimer(window_, kLabelTimerId, kLabelPeriodMs);
}

void CAuthenStatusDlg::OnHide() { loop_.KillTimer(window_, kLabelTimerId); }

void CAuthenStatusDlg::OnOk() {
  if (host_.showPanel) host_.showPanel(kPanelLinkStatus);
  RefreshLabels(true);
}

void CAuthenStatusDlg::OnCancel() {
  ring_.Clear();
  pending_.clear();
  if (host_.cancelled) host_.cancelled();
  if (host_.showPanel) host_.showPanel(kPanelLinkStatus);
  RefreshLabels(true);
}

void CAuthenStatusDlg::RefreshLabels(bool clearList) {
  if (clearList) {
    state_.rows.clear();
    state_.profileText.clear();
  }
  const AdapterRegistry key(registry_, context_.classKeyPath);
  std::string description;
  // A key or value that cannot be read leaves the texts as they were.
  if (key.ReadText("DriverDesc", description)) {
    state_.cardText = strings_.LoadString(string_id::kCardNameLabel) + " " + description;
  }
  const ConnectionSettings* record = host_.recordInForce ? host_.recordInForce() : nullptr;
  std::string profile;
  if (record != nullptr && record->byBssid == 0 && key.ReadText("CurProfile", profile)) {
    state_.profileText = strings_.LoadString(string_id::kProfileNameLabel) + " " + profile;
  }
}

void CAuthenStatusDlg::OnAuthenMessage(WPARAM slot) {
  const auto index = static_cast<std::intptr_t>(slot);
  if (index < 0 || static_cast<std::size_t>(index) >= shell::AuthenticationLog::kEntries) return;
  ring_.SetIndex(static_cast<std::size_t>(index));
  PendingLine line;
  if (ring_.Slot(static_cast<std::size_t>(index)) == shell::AuthenticationLog::kEndOfAuthentication) {
    ring_.Clear();
    line.endsAuthentication = true;
  } else {
    const std::string& text = ring_.Slot(static_cast<std::size_t>(index));
    // Stamped when it arrived, shown when its turn comes.
    line.row = {TimeText(), text.empty() ? std::string("NULL STRING") : text};
    ring_.SetIndex((static_cast<std::size_t>(index) + 1) % shell::AuthenticationLog::kEntries);
  }
  Enqueue(std::move(line));
}

void CAuthenStatusDlg::Enqueue(PendingLine line) {
  const std::uint64_t now = loop_.TickCount();
  if (pending_.empty() && (!anyLine_ || now - lastLineAt_ >= kLineSpacingMs)) {
    AddLine(line);
    return;
  }
  if (pending_.size() >= shell::AuthenticationLog::kEntries) pending_.pop_front();
  pending_.push_back(std::move(line));
  if (!lineTimer_) lineTimer_ = loop_.SetTimer(window_, kLineTimerId, kLineSpacingMs);
}

void CAuthenStatusDlg::AddLine(const PendingLine& line) {
  lastLineAt_ = loop_.TickCount();
  anyLine_ = true;
  if (line.endsAuthentication) {
    if (host_.shownPanel && host_.showPanel && host_.shownPanel() == kPanel) host_.showPanel(kPanelLinkStatus);
    return;
  }
  state_.rows.push_back(line.row);
  if (state_.rows.size() > kMaxRows) state_.rows.erase(state_.rows.begin());
  state_.scrollPixels = linesAdded_ * kRowPixels + kRowPixels;
  ++linesAdded_;
}

std::string CAuthenStatusDlg::TimeText() {
  const SystemTime t = clock_.GetLocalTime();
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d ", t.hour, t.minute, t.second, t.milliseconds);
  return text;
}

void CAuthenStatusDlg::OnTimer(UINT_PTR timerId) {
  if (timerId == kLabelTimerId) {
    loop_.KillTimer(window_, kLabelTimerId);
    state_.profileText = strings_.LoadString(string_id::kConnectedByManual);
    RefreshLabels(false);
    loop_.SetTimer(window_, kLabelTimerId, kLabelPeriodMs);
  } else if (timerId == kLineTimerId) {
    if (!pending_.empty()) {
      const PendingLine line = std::move(pending_.front());
      pending_.pop_front();
      AddLine(line);
    }
    if (pending_.empty()) {
      loop_.KillTimer(window_, kLineTimerId);
      lineTimer_ = false;
    }
  }
}

LRESULT CAuthenStatusDlg::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == kMsgAuthenMessage) OnAuthenMessage(wParam);
  return 0;
}

}  // namespace nxui
