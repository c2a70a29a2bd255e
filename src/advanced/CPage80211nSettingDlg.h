// The 802.11n page: aggregation, Block Ack setup and spatial-multiplexing power save, kept in the
// adapter key's "BACapability" and handed to the driver as one 8-byte record; while visible, the
// driver's Block Ack sessions as originator and as recipient, refreshed every second. With manual
// setup its "+" and "-" open the Block Ack dialogs in the lower frame.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "advanced/BlockAckDialogBase.h"
#include "advanced/BlockAckRecords.h"
#include "advanced/HtSettings.h"
#include "platform/IEventLoop.h"

namespace nxui {

struct AdapterContext;
class CAddBlockAckDlg;
class CDeleteBlockAckDlg;
class DriverRequestPort;
class IRegistry;

// A column's share of the list's width and its alignment.
struct BlockAckColumn {
  std::string header;
  int widthNumerator = 1;
  int widthDenominator = 1;
  bool centred = false;

  bool operator==(const BlockAckColumn&) const = default;
};

struct BlockAckListState {
  std::string caption;  // "Originator of" / "Recipient of"
  std::vector<BlockAckColumn> columns;
  std::vector<std::array<std::string, 1 + kTidCount>> rows;

  bool operator==(const BlockAckListState&) const = default;
};

struct Page80211nState {
  std::string mpduAggregationLabel;
  std::string mpduDensityLabel;
  std::vector<std::string> mpduDensityItems;
  std::string manualLabel;
  std::string autoLabel;
  std::string amsduLabel;
  std::string amsduMax3839Label;
  std::string amsduMax7935Label;
  std::string smpsGroupLabel;
  std::string smEnableLabel;
  std::string staticSmpsLabel;
  std::string dynamicSmpsLabel;
  std::string applyLabel;
  std::string addLabel;     // "+"
  std::string deleteLabel;  // "-"

  // What the controls show; the page's own values follow them when it takes the control values.
  HtSettings controls;
  bool blockAckModeEnabled = true;  // "Manual" and "Auto"
  bool mpduDensityEnabled = true;
  bool originatorAddEnabled = false;
  bool originatorDeleteEnabled = false;
  bool recipientDeleteEnabled = false;
  bool amsduSizeEnabled = true;
  bool amsduMax7935Visible = false;  // only the first size is offered

  BlockAckListState originator;
  BlockAckListState recipient;
  bool timerRunning = false;

  bool operator==(const Page80211nState&) const = default;
};

class CPage80211nSettingDlg final : public IMessageTarget {
 public:
  static constexpr UINT_PTR kRefreshTimerId = 1;
  static constexpr UINT kRefreshPeriodMs = 1000;

  // `addDialog` and `deleteDialog` are panels 9 and 10; either may be null (its button then does
  // nothing).
  CPage80211nSettingDlg(IEventLoop& loop, DriverRequestPort& driver, IRegistry& registry, const AdapterContext& context,
                        const StringTable& strings, BlockAckWindow window, CAddBlockAckDlg* addDialog,
                        CDeleteBlockAckDlg* deleteDialog);
  ~CPage80211nSettingDlg() override;
  CPage80211nSettingDlg(const CPage80211nSettingDlg&) = delete;
  CPage80211nSettingDlg& operator=(const CPage80211nSettingDlg&) = delete;

  void OnInitDialog();
  // Shown: both lists emptied, "BACapability" read, the record sent, the values shown, timer 1.
  void OnShow();
  void OnHide();
  // Timer 1: both lists from the driver's table.
  void RefreshLists();

  // Clicks on the check boxes take the control values and refresh the enabled states; a click on
  // "Manual" or "Auto" only takes the control values.
  void OnMpduAggregationClicked(bool checked);
  void OnAmsduClicked(bool checked);
  void OnBlockAckModeClicked(int autoBa);
  // Controls that change only what they show until the next click or "Apply". A disabled control
  // does not change.
  void SelectMpduDensity(int item);
  void SelectAmsduSize(int size);
  void SelectSmps(int smps);
  // "Apply": the control values sent to the driver and written to "BACapability". False when the
  // registry write failed (the user is told; the driver has the values all the same).
  bool OnApply();

  // "+" of the originator list, "-" of the originator and the recipient list; disabled buttons do
  // nothing.
  void OnAddOriginator();
  void OnDeleteOriginator();
  void OnDeleteRecipient();

  const Page80211nState& State() const { return state_; }
  // The page's values (what was last taken from the controls or read from the registry).
  const HtSettings& Settings() const { return settings_; }
  HWND Window() const { return window_; }

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void TakeControlValues();
  void ShowValues();
  void RefreshEnabledStates();
  void SendRecord();
  void ReadRegistry();
  void OpenDelete(int direction);

  IEventLoop& loop_;
  DriverRequestPort& driver_;
  IRegistry& registry_;
  const AdapterContext& context_;
  const StringTable& strings_;
  BlockAckWindow mainWindow_;
  CAddBlockAckDlg* addDialog_;
  CDeleteBlockAckDlg* deleteDialog_;

  HWND window_ = 0;
  HtSettings settings_;
  Page80211nState state_;
};

}  // namespace nxui
