// The site survey page: the list of networks in range from the pages' scan list, sorted by name,
// channel or signal, with the connected row marked every 2 s, "Show dBm", Rescan through the action
// queue, the AP details on a double click and "Add to Profile". The page owns only its display
// state and a private copy of the scan list taken at each rebuild.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/IEventLoop.h"
#include "survey/ScanListSort.h"
#include "survey/SurveyCells.h"

namespace nxui {

class ISurveyHost;
class ISurveyProfileTarget;
class StringTable;
class SurveyShared;
class WlanSession;

namespace survey_icon {
// Positions in the page's strip of 16-pixel images; kNone draws nothing.
inline constexpr int kNone = -1;
inline constexpr int kAdHoc = 0;
inline constexpr int kInfrastructure = 1;
inline constexpr int kBandA = 2;
inline constexpr int kBandB = 3;
inline constexpr int kBandG = 4;
inline constexpr int kLock = 5;
inline constexpr int kConnected = 6;
inline constexpr int kWps = 8;
inline constexpr int kBandN = 9;
}  // namespace survey_icon

enum class ColumnAlignment { Left, Centre };

struct SurveyColumn {
  std::string header;
  ColumnAlignment alignment;
  double widthFraction;  // of the list's width

  bool operator==(const SurveyColumn&) const = default;
};

// The cells of one list row.
struct SurveyRowCells {
  int connectedIcon = survey_icon::kNone;    // column 0
  std::string ssid;                          // 1
  int networkTypeIcon = survey_icon::kNone;  // 2
  std::string channel;                       // 3
  int aIcon = survey_icon::kNone;            // 4
  int bIcon = survey_icon::kNone;            // 5
  int gIcon = survey_icon::kNone;            // 6
  int nIcon = survey_icon::kNone;            // 7
  int securityIcon = survey_icon::kNone;     // 8
  std::string signalText;                    // 9
  int barPercent = 0;                        // 10, of a bar with maximum 100
  BarColour barColour{240, 40, 40};

  bool operator==(const SurveyRowCells&) const = default;
};

struct SiteSurveyState {
  std::string apListLabel, sortLabel, sortSsidLabel, sortChannelLabel, sortSignalLabel, showDbmLabel;
  std::string rescanLabel, addToProfileLabel, connectLabel;
  std::vector<SurveyColumn> columns;
  std::vector<SurveyRowCells> rows;
  SortMode sortMode = SortMode::Ssid;
  bool showDbm = false;
  int selectedRow = -1;
  bool rescanEnabled = false;
  bool sortEnabled = false;  // the three sort radios
  bool showDbmEnabled = false;
  bool addToProfileEnabled = false;
  bool connectVisible = false;  // the page offers no direct connection

  bool operator==(const SiteSurveyState&) const = default;
};

class CPageSiteSurveyDlg final : public IMessageTarget {
 public:
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kTimerPeriodMs = 2000;
  // The hidden window relays the session's wlan_msg::kScanComplete and posts kWmCommand with this.
  static constexpr WPARAM kCmdRescan = 1015;

  CPageSiteSurveyDlg(IEventLoop& loop, WlanSession& session, const StringTable& strings, ISurveyHost& host,
                     SurveyShared& shared, ISurveyProfileTarget& profileTarget);
  ~CPageSiteSurveyDlg() override;
  CPageSiteSurveyDlg(const CPageSiteSurveyDlg&) = delete;
  CPageSiteSurveyDlg& operator=(const CPageSiteSurveyDlg&) = delete;

  // Creates the window and its timer; scans at once when the radio is on.
  void OnInitDialog();

  void OnRescan();
  void OnSortChanged(SortMode mode);
  void OnShowDbmChanged(bool on);
  // -1: no row selected.
  void OnRowClicked(int row);
  void OnRowDoubleClicked(int row);
  void OnAddToProfile();
  // The scan completed (or the radio went off): refresh the pages' list and rebuild.
  void OnScanCompleted();
  // The timer's work.
  void OnTick();

  // The radio was switched on from the main window: forget the rows of the old list.
  void ResetScanState();
  // The list is stale: rebuild it on a later tick.
  void MarkStale() { refreshPending_ = true; }

  const SiteSurveyState& State() const { return state_; }
  const std::vector<ScanEntry>& Rows() const { return rows_; }
  bool RefreshPending() const { return refreshPending_; }
  HWND Window() const { return window_; }

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Builds the session's list, copies it to the pages' buffer and stamps every entry.
  void ScanRefresh();
  void Rebuild();
  void EmptyRows();
  void MarkConnected(bool connected, int position);
  void UpdateButtons(bool radioOn);
  void RefreshCells();
  // Tells the link status page whether the first connected row is an 802.11n network.
  void PublishConnectedRow();
  std::span<const std::uint8_t> EntryOfRow(std::size_t row) const;
  int FindConnectedRow(bool connected, bool radioOn) const;

  IEventLoop& loop_;
  WlanSession& session_;
  const StringTable& strings_;
  ISurveyHost& host_;
  SurveyShared& shared_;
  ISurveyProfileTarget& profileTarget_;

  HWND window_ = 0;
  bool refreshPending_ = false;
  std::vector<std::uint8_t> copy_;
  std::vector<ScanEntry> rows_;
  // Where each row's entry lies in copy_.
  std::vector<std::pair<std::size_t, std::size_t>> rowEntries_;
  SiteSurveyState state_;
};

}  // namespace nxui
