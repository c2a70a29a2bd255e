// The statistics page: transmit and receive counter sub-pages behind two switch buttons, read
// from the driver every 2 s while visible, and "Reset Counter".
#pragma once

#include <string>

#include "monitor/CPageStatisticsRXDlg.h"
#include "monitor/CPageStatisticsTXDlg.h"
#include "platform/IEventLoop.h"

namespace nxui {

class CLinkStatusDlg;
class DriverRequestPort;
class StringTable;
class WlanSession;

struct StatisticsPageState {
  std::string transmitButton;  // "Transmit"
  std::string receiveButton;   // "Receive"
  std::string buttonFont = "Trebuchet MS";
  int buttonFontHeight = 20;
  std::string resetButton;  // "Reset Counter"
  int selectedSubPage = 0;  // 0 transmit, 1 receive
  bool timerRunning = false;

  bool operator==(const StatisticsPageState&) const = default;
};

class CPageStatisticsDlg final : public IMessageTarget {
 public:
  static constexpr UINT_PTR kRefreshTimerId = 1;
  static constexpr UINT kRefreshPeriodMs = 2000;

  // `linkStatus` may be null (no link status page to tell about a reset).
  CPageStatisticsDlg(IEventLoop& loop, DriverRequestPort& driver, WlanSession& session, const StringTable& strings,
                     CLinkStatusDlg* linkStatus);
  ~CPageStatisticsDlg() override;
  CPageStatisticsDlg(const CPageStatisticsDlg&) = delete;
  CPageStatisticsDlg& operator=(const CPageStatisticsDlg&) = delete;

  void OnInitDialog();
  void OnShow();
  void OnHide();
  void Refresh();
  void OnResetCounter();
  // The switch buttons: 0 transmit, 1 receive; anything else is ignored.
  void SelectSubPage(int index);
  void SetLinkStatusPage(CLinkStatusDlg* linkStatus) { linkStatus_ = linkStatus; }

  const StatisticsPageState& State() const { return state_; }
  const CPageStatisticsTXDlg& TxPage() const { return txPage_; }
  const CPageStatisticsRXDlg& RxPage() const { return rxPage_; }
  HWND Window() const { return window_; }

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  IEventLoop& loop_;
  DriverRequestPort& driver_;
  WlanSession& session_;
  const StringTable& strings_;
  CLinkStatusDlg* linkStatus_;
  HWND window_ = 0;
  StatisticsPageState state_;
  CPageStatisticsTXDlg txPage_;
  CPageStatisticsRXDlg rxPage_;
};

}  // namespace nxui
