#include "monitor/CPageStatisticsDlg.h"

#include <array>

#include "adapter/DriverRecords.h"
#include "adapter/DriverRequestPort.h"
#include "adapter/Oids.h"
#include "base/ByteReader.h"
#include "display/StringTable.h"
#include "monitor/CLinkStatusDlg.h"
#include "wlan/WlanSession.h"

namespace nxui {

CPageStatisticsDlg::CPageStatisticsDlg(IEventLoop& loop, DriverRequestPort& driver, WlanSession& session,
                                       const StringTable& strings, CLinkStatusDlg* linkStatus)
    : loop_(loop),
      driver_(driver),
      session_(session),
      strings_(strings),
      linkStatus_(linkStatus),
      txPage_(strings),
      rxPage_(strings) {}

CPageStatisticsDlg::~CPageStatisticsDlg() {
  if (window_ != 0) loop_.DestroyWindow(window_);
}

void CPageStatisticsDlg::OnInitDialog() {
  if (window_ == 0) window_ = loop_.CreateWindow(*this);
  state_.transmitButton = strings_.LoadString(string_id::kTransmit);
  state_.receiveButton = strings_.LoadString(string_id::kReceive);
  state_.resetButton = strings_.LoadString(string_id::kResetCounter);
  state_.selectedSubPage = 0;
  txPage_.OnInitDialog();
  rxPage_.OnInitDialog();
}

void CPageStatisticsDlg::OnShow() { state_.timerRunning = loop_.SetTimer(window_, kRefreshTimerId, kRefreshPeriodMs); }

void CPageStatisticsDlg::OnHide() {
  loop_.KillTimer(window_, kRefreshTimerId);
  state_.timerRunning = false;
}

void CPageStatisticsDlg::OnTimer(UINT_PTR timerId) {
  if (timerId == kRefreshTimerId) Refresh();
}

LRESULT CPageStatisticsDlg::OnMessage(UINT, WPARAM, LPARAM) { return 0; }

void CPageStatisticsDlg::SelectSubPage(int index) {
  if (index == 0 || index == 1) state_.selectedSubPage = index;
}

void CPageStatisticsDlg::Refresh() {
  std::array<std::uint8_t, sizeof(StatisticsRecord)> record{};
  StatisticsCounters counters;
  int connected = 0;
  if (session_.IsConnected(connected) == kErrorSuccess && connected != 0 &&
      driver_.Query(OID_WLAN_STATISTICS, record)) {
    counters = StatisticsCounters::FromRecord(record);
  }
  txPage_.Fill(counters);

  std::array<std::uint8_t, 4> noBuffer{};
  const std::uint32_t dropped = driver_.Query(OID_GEN_RCV_NO_BUFFER, noBuffer) ? LoadLe32(noBuffer.data()) : 0;
  rxPage_.Fill(counters, dropped);
}

void CPageStatisticsDlg::OnResetCounter() {
  txPage_.ShowZeros();
  rxPage_.ShowZeros();
  // The request channel retries a refused set on its own; the texts are "0" whatever the outcome.
  driver_.Set(OID_WLAN_RESET_COUNTERS, {});
  if (linkStatus_ != nullptr) linkStatus_->ResetByteCounters();
}

}  // namespace nxui
