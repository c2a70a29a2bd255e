#include "survey/CPageSiteSurveyDlg.h"

#include <algorithm>
#include <cstring>

#include "adapter/Units.h"
#include "display/StringTable.h"
#include "profiles/ISurveyProfileTarget.h"
#include "scan/BssidEx.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ScanEntryRecord.h"
#include "scan/ScanList.h"
#include "survey/ISurveyHost.h"
#include "survey/SurveyShared.h"
#include "wlan/WlanMessages.h"
#include "wlan/WlanSession.h"

namespace nxui {

namespace {

SurveyRowCells CellsOf(const ScanEntry& row, bool showDbm) {
  namespace icon = survey_icon;
  SurveyRowCells cells;
  cells.connectedIcon = row.connected == 1 ? icon::kConnected : icon::kNone;
  cells.ssid = row.ssid;
  // Only the two known modes have a picture; "other" would otherwise draw the 802.11a image.
  if (row.bssType == bssid_ex::kModeIbss) cells.networkTypeIcon = icon::kAdHoc;
  if (row.bssType == bssid_ex::kModeInfrastructure) cells.networkTypeIcon = icon::kInfrastructure;
  cells.channel = row.channel;
  if (row.networkType == bssid_ex::kNetworkTypeOfdm5) cells.aIcon = icon::kBandA;
  if (row.networkType == bssid_ex::kNetworkTypeFh || row.networkType == bssid_ex::kNetworkTypeDs ||
      row.networkType == bssid_ex::kNetworkTypeOfdm24) {
    cells.bIcon = icon::kBandB;
  }
  if (row.networkType == bssid_ex::kNetworkTypeOfdm24) cells.gIcon = icon::kBandG;
  if (row.ht == 1) cells.nIcon = icon::kBandN;
  if (row.wps == 1) {
    cells.securityIcon = icon::kWps;
  } else if (row.secured == 1) {
    cells.securityIcon = icon::kLock;
  }
  cells.signalText = SignalText(row.signal, showDbm);
  cells.barPercent = std::clamp(RssiToPercent(row.signal), 0, 100);
  cells.barColour = SignalBarColour(RssiToPercent(row.signal));
  return cells;
}

}  // namespace

CPageSiteSurveyDlg::CPageSiteSurveyDlg(IEventLoop& loop, WlanSession& session, const StringTable& strings,
                                       ISurveyHost& host, SurveyShared& shared, ISurveyProfileTarget& profileTarget)
    : loop_(loop), session_(session), strings_(strings), host_(host), shared_(shared), profileTarget_(profileTarget) {}

CPageSiteSurveyDlg::~CPageSiteSurveyDlg() {
  shared_.SetConnectedRowIs11n(false);
  if (window_ != 0) {
    host_.SetPageWindow(0);
    loop_.DestroyWindow(window_);
  }
}

void CPageSiteSurveyDlg::OnInitDialog() {
  using namespace string_id;
  state_.apListLabel = strings_.LoadString(kApListLabel);
  state_.sortLabel = strings_.LoadString(kSortLabel);
  state_.sortSsidLabel = strings_.LoadString(kSortBySsid);
  state_.sortChannelLabel = strings_.LoadString(kSortByChannel);
  state_.sortSignalLabel = strings_.LoadString(kSortBySignal);
  state_.showDbmLabel = strings_.LoadString(kShowDbm);
  state_.rescanLabel = strings_.LoadString(kRescan);
  state_.addToProfileLabel = strings_.LoadString(kAddToProfile);
  state_.connectLabel = strings_.LoadString(kConnect);
  state_.connectVisible = false;
  const auto left = ColumnAlignment::Left;
  const auto centre = ColumnAlignment::Centre;
  state_.columns = {
      {"Connected Icon", centre, 0.02},
      {strings_.LoadString(kColumnSsid), left, 0.31},
      {strings_.LoadString(kNetworkTypeColumn), centre, 0.02},
      {strings_.LoadString(kSortByChannel), left, 0.04},
      {"a Icon", centre, 0.02},
      {"b Icon", centre, 0.02},
      {"g Icon", centre, 0.02},
      {"n Icon", centre, 0.02},
      {"Security Icon", centre, 0.02},
      {"", centre, 0.08},
      {strings_.LoadString(kSortBySignal), centre, 0.41},
  };
  state_.showDbm = shared_.ShowDbm();

  window_ = loop_.CreateWindow(*this);
  host_.SetPageWindow(window_);
  loop_.SetTimer(window_, kTimerId, kTimerPeriodMs);

  bool radioOn = host_.RadioOn();
  int softwareOn = 0;
  int hardwareOn = 0;
  if (session_.RadioState(softwareOn, hardwareOn) == kErrorSuccess) radioOn = softwareOn != 0;
  if (radioOn) OnRescan();
  UpdateButtons(radioOn);
}

void CPageSiteSurveyDlg::OnRescan() {
  refreshPending_ = true;
  host_.QueueScan();
  UpdateButtons(host_.RadioOn());
}

void CPageSiteSurveyDlg::OnSortChanged(SortMode mode) {
  state_.sortMode = mode;
  refreshPending_ = true;
}

void CPageSiteSurveyDlg::OnShowDbmChanged(bool on) {
  shared_.SetShowDbm(on);
  state_.showDbm = on;
  for (std::size_t i = 0; i < rows_.size() && i < state_.rows.size(); ++i) {
    state_.rows[i].signalText = SignalText(rows_[i].signal, on);
  }
}

void CPageSiteSurveyDlg::OnRowClicked(int row) {
  state_.selectedRow = (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) ? row : -1;
  UpdateButtons(host_.RadioOn());
}

void CPageSiteSurveyDlg::OnRowDoubleClicked(int row) {
  OnRowClicked(row);
  if (state_.selectedRow < 0) return;
  host_.ShowApDetails(EntryOfRow(static_cast<std::size_t>(state_.selectedRow)));
}

void CPageSiteSurveyDlg::OnAddToProfile() {
  if (state_.selectedRow < 0 || static_cast<std::size_t>(state_.selectedRow) >= rows_.size()) {
    host_.ShowMessage(strings_.LoadString(string_id::kNoSelectedItem));
    return;
  }
  const auto row = static_cast<std::size_t>(state_.selectedRow);
  const auto entry = EntryOfRow(row);
  SurveySelection selection;
  selection.entry.assign(entry.begin(), entry.end());
  // The row was built from this very entry of the page's copy: its security decode is the entry's.
  SplitSecurityText(rows_[row].securityText, selection.authText, selection.cipherText);
  selection.secured = rows_[row].secured == 1;
  selection.authCode = AuthCodeFromText(selection.authText);
  profileTarget_.NewProfileFromSurvey(selection);
}

void CPageSiteSurveyDlg::OnScanCompleted() {
  ScanRefresh();
  Rebuild();
}

void CPageSiteSurveyDlg::ResetScanState() {
  refreshPending_ = false;
  EmptyRows();
}

void CPageSiteSurveyDlg::ScanRefresh() {
  const auto sessionBuffer = host_.SessionScanBuffer();
  const auto pagesBuffer = host_.PagesScanBuffer();
  session_.BuildScanList(sessionBuffer);
  const std::size_t size = std::min(sessionBuffer.size(), pagesBuffer.size());
  std::memcpy(pagesBuffer.data(), sessionBuffer.data(), size);
  std::fill(pagesBuffer.begin() + static_cast<std::ptrdiff_t>(size), pagesBuffer.end(), std::uint8_t{0});

  const std::uint64_t now = host_.SystemTimeAsFileTime();
  const auto lastSeen = shared_.LastSeen();
  const std::size_t entries = std::min(ScanList(pagesBuffer).slots().size(), lastSeen.size());
  std::fill(lastSeen.begin(), lastSeen.begin() + static_cast<std::ptrdiff_t>(entries), now);
}

void CPageSiteSurveyDlg::Rebuild() {
  rows_.clear();
  rowEntries_.clear();
  const auto pagesBuffer = host_.PagesScanBuffer();
  SortScanList(pagesBuffer, shared_.LastSeen(), state_.sortMode);
  copy_.assign(bssid_ex::kScanBufferSize, 0);
  std::memcpy(copy_.data(), pagesBuffer.data(), std::min(pagesBuffer.size(), copy_.size()));

  const ScanList list(copy_);
  for (const ScanList::Slot& slot : list.slots()) {
    if (!slot.usable) continue;
    ScanEntryRecord record;
    if (!ReadScanEntry(slot.bytes, record)) continue;
    rows_.push_back(MakeScanEntry(record, slot.position));
    rowEntries_.emplace_back(slot.offset, slot.bytes.size());
  }
  state_.selectedRow = -1;
  refreshPending_ = false;
  RefreshCells();
}

void CPageSiteSurveyDlg::EmptyRows() {
  rows_.clear();
  rowEntries_.clear();
  state_.selectedRow = -1;
  RefreshCells();
}

std::span<const std::uint8_t> CPageSiteSurveyDlg::EntryOfRow(std::size_t row) const {
  // The row keeps where its own entry lies: skipped short entries make row and entry
  // positions differ.
  const auto [offset, length] = rowEntries_[row];
  return std::span<const std::uint8_t>(copy_).subspan(offset, length);
}

void CPageSiteSurveyDlg::RefreshCells() {
  state_.rows.clear();
  state_.rows.reserve(rows_.size());
  for (const ScanEntry& row : rows_) state_.rows.push_back(CellsOf(row, state_.showDbm));
  PublishConnectedRow();
}

void CPageSiteSurveyDlg::PublishConnectedRow() {
  const auto first = std::find_if(rows_.begin(), rows_.end(), [](const ScanEntry& r) { return r.connected == 1; });
  shared_.SetConnectedRowIs11n(first != rows_.end() && first->ht == 1);
}

int CPageSiteSurveyDlg::FindConnectedRow(bool connected, bool radioOn) const {
  const auto bssid = host_.CurrentBssid();
  if (!connected || !radioOn || std::all_of(bssid.begin(), bssid.end(), [](std::uint8_t b) { return b == 0; })) {
    return -1;
  }
  const std::string text = FormatBssid(bssid);
  int found = -1;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].bssid == text) found = static_cast<int>(i);  // the last match counts
  }
  return found;
}

void CPageSiteSurveyDlg::MarkConnected(bool connected, int position) {
  for (ScanEntry& row : rows_) row.connected = 0;
  if (connected && position >= 0 && static_cast<std::size_t>(position) < rows_.size()) {
    rows_[static_cast<std::size_t>(position)].connected = 1;
  }
  for (std::size_t i = 0; i < rows_.size() && i < state_.rows.size(); ++i) {
    state_.rows[i].connectedIcon = rows_[i].connected == 1 ? survey_icon::kConnected : survey_icon::kNone;
  }
  PublishConnectedRow();
}

void CPageSiteSurveyDlg::UpdateButtons(bool radioOn) {
  const bool enabled = radioOn && !refreshPending_ && session_.ServiceAvailable();
  state_.rescanEnabled = enabled;
  state_.sortEnabled = enabled;
  state_.showDbmEnabled = enabled;
  state_.addToProfileEnabled = enabled && !rows_.empty();
}

void CPageSiteSurveyDlg::OnTick() {
  if (refreshPending_) {
    // The scan the main window queued will bring a fresh list; until then this tick does nothing.
    if (host_.ScanInProgress()) return;
    Rebuild();
  }

  int connectedFlag = 0;
  const bool connected = session_.IsConnected(connectedFlag) == kErrorSuccess && connectedFlag != 0;
  bool radioOn = host_.RadioOn();
  int softwareOn = 0;
  int hardwareOn = 0;
  if (session_.RadioState(softwareOn, hardwareOn) == kErrorSuccess && (softwareOn != 0) != radioOn) {
    radioOn = softwareOn != 0;
    host_.RadioChanged(radioOn);
    ScanRefresh();
    Rebuild();
  }

  const int position = FindConnectedRow(connected, radioOn);
  if (!radioOn) EmptyRows();
  MarkConnected(connected, position);

  UpdateButtons(radioOn);
  if (!session_.ServiceAvailable()) {
    ScanRefresh();
    Rebuild();
    UpdateButtons(radioOn);
  }
}

void CPageSiteSurveyDlg::OnTimer(UINT_PTR timerId) {
  if (timerId == kTimerId) OnTick();
}

LRESULT CPageSiteSurveyDlg::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == wlan_msg::kScanComplete) {
    OnScanCompleted();
  } else if (message == kWmCommand && (wParam & 0xFFFF) == kCmdRescan) {
    OnRescan();
  }
  return 0;
}

}  // namespace nxui
