// Panel 5: the time-stamped log of an 802.1X authentication with the adapter's name and the
// profile in use. The producer writes a message into the program's message ring and posts the
// slot's number here (WM_APP + 2); "OK" in the slot ends the authentication and returns the main
// window to its normal panel. Lines are added at least 100 ms apart, queued on a timer so that a
// burst of messages never blocks the event loop.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/IEventLoop.h"

namespace nxui {

namespace shell {
class AuthenticationLog;
}

struct AdapterContext;
struct ConnectionSettings;
class IRegistry;
class ISystemInfo;
class StringTable;

struct AuthenLogRow {
  std::string time;  // "hh:mm:ss.mmm "
  std::string message;

  bool operator==(const AuthenLogRow&) const = default;
};

struct AuthenStatusState {
  std::string caption;            // "Authentication Status"
  std::string cardText;           // "Card Name >> <DriverDesc>"
  std::string profileText;        // "Profile Name >> <CurProfile>", "Connected by manual..." or empty
  std::string timeHeader;         // "时间", right-aligned, 30 % of the width
  std::string descriptionHeader;  // "描述", 70 %
  std::string okLabel;
  std::string cancelLabel;
  std::vector<AuthenLogRow> rows;
  int scrollPixels = 0;  // how far the list was last scrolled down
  bool operator==(const AuthenStatusState&) const = default;
};

// What the panel asks of the windows around it.
struct AuthenStatusHost {
  // The connection record in force (Part of the action queue); null when none.
  std::function<const ConnectionSettings*()> recordInForce;
  std::function<void(int panel)> showPanel;
  // The panel the main window shows; -1 without a main window.
  std::function<int()> shownPanel;
  // "Cancel": the authentication is no longer followed (the producer's flag A).
  std::function<void()> cancelled;
};

class CAuthenStatusDlg final : public IMessageTarget {
 public:
  static constexpr int kPanel = 5;
  static constexpr UINT kMsgAuthenMessage = 0x8000 + 2;  // WM_APP + 2, wParam the slot
  static constexpr UINT_PTR kLabelTimerId = 1;
  static constexpr UINT kLabelPeriodMs = 20;
  static constexpr UINT_PTR kLineTimerId = 2;
  static constexpr UINT kLineSpacingMs = 100;
  // The rows shown at most; the oldest go first (the panel may stay open for days).
  static constexpr std::size_t kMaxRows = 1000;

  CAuthenStatusDlg(IEventLoop& loop, IRegistry& registry, ISystemInfo& clock, const AdapterContext& context,
                   shell::AuthenticationLog& ring, const StringTable& strings, AuthenStatusHost host);
  ~CAuthenStatusDlg() override;
  CAuthenStatusDlg(const CAuthenStatusDlg&) = delete;
  CAuthenStatusDlg& operator=(const CAuthenStatusDlg&) = delete;

  void OnInitDialog();
  void OnShow();
  void OnHide();
  void OnOk();
  void OnCancel();
  // WM_APP + 2 with the slot's number.
  void OnAuthenMessage(WPARAM slot);

  const AuthenStatusState& State() const { return state_; }
  HWND Window() const { return window_; }
  // Lines waiting for their turn.
  std::size_t Pending() const { return pending_.size(); }

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct PendingLine {
    AuthenLogRow row;
    bool endsAuthentication = false;
  };
  // clearList: everything but a timer tick empties the list and the profile text first.
  void RefreshLabels(bool clearList);
  void Enqueue(PendingLine line);
  void AddLine(const PendingLine& line);
  std::string TimeText();

  IEventLoop& loop_;
  IRegistry& registry_;
  ISystemInfo& clock_;
  const AdapterContext& context_;
  shell::AuthenticationLog& ring_;
  const StringTable& strings_;
  AuthenStatusHost host_;

  HWND window_ = 0;
  AuthenStatusState state_;
  int linesAdded_ = 0;
  std::deque<PendingLine> pending_;
  std::uint64_t lastLineAt_ = 0;
  bool anyLine_ = false;
  bool lineTimer_ = false;
};

}  // namespace nxui
