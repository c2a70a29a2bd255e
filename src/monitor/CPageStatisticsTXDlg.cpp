#include "monitor/CPageStatisticsTXDlg.h"

#include <string>

#include "display/StringTable.h"

namespace nxui {

void CPageStatisticsTXDlg::OnInitDialog() {
  namespace id = string_id;
  rows_[kTransmittedOk].label = strings_.LoadString(id::kTxFramesOk);
  rows_[kRetransmittedOk].label = strings_.LoadString(id::kTxFramesRetried);
  rows_[kFailedNoAck].label = strings_.LoadString(id::kTxFramesNoAck);
  rows_[kRtsCtsOk].label = strings_.LoadString(id::kRtsCtsOk);
  rows_[kRtsCtsFailed].label = strings_.LoadString(id::kRtsCtsFailed);
  rows_[kWithoutRetry].label = strings_.LoadString(id::kTxFramesOkWithoutRetry);
  rows_[kWithoutRetry].visible = false;
}

void CPageStatisticsTXDlg::Fill(const StatisticsCounters& c) {
  rows_[kTransmittedOk].value = std::to_string(c.transmittedOk);
  rows_[kRetransmittedOk].value = std::to_string(c.retransmittedOk);
  rows_[kFailedNoAck].value = std::to_string(c.failedNoAck);
  rows_[kRtsCtsOk].value = std::to_string(c.rtsCtsOk);
  rows_[kRtsCtsFailed].value = std::to_string(c.rtsCtsFailed);
  // Two's-complement difference: wild driver values wrap instead of overflowing.
  const auto withoutRetry = static_cast<std::int64_t>(static_cast<std::uint64_t>(c.transmittedOk) -
                                                      static_cast<std::uint64_t>(c.retransmittedOk));
  rows_[kWithoutRetry].value = std::to_string(withoutRetry);
}

void CPageStatisticsTXDlg::ShowZeros() {
  for (StatisticsRow& row : rows_) row.value = "0";
}

}  // namespace nxui
