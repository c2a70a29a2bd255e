#include "monitor/CPageStatisticsRXDlg.h"

#include <string>

#include "display/StringTable.h"

namespace nxui {

void CPageStatisticsRXDlg::OnInitDialog() {
  namespace id = string_id;
  rows_[kReceivedOk].label = strings_.LoadString(id::kRxFramesOk);
  rows_[kCrcError].label = strings_.LoadString(id::kRxFramesCrcError);
  rows_[kDroppedNoBuffer].label = strings_.LoadString(id::kRxFramesDropped);
  rows_[kDuplicates].label = strings_.LoadString(id::kRxDuplicates);
}

void CPageStatisticsRXDlg::Fill(const StatisticsCounters& c, std::uint32_t droppedNoBuffer) {
  // The success count is shown unsigned.
  rows_[kReceivedOk].value = std::to_string(static_cast<std::uint64_t>(c.receivedOk));
  rows_[kCrcError].value = std::to_string(c.crcErrors);
  rows_[kDroppedNoBuffer].value = std::to_string(droppedNoBuffer);
  rows_[kDuplicates].value = std::to_string(c.duplicatesReceived);
}

void CPageStatisticsRXDlg::ShowZeros() {
  for (StatisticsRow& row : rows_) row.value = "0";
}

}  // namespace nxui
