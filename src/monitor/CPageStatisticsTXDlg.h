// Transmit counters sub-page of the statistics page.
#pragma once

#include <array>

#include "monitor/StatisticsCounters.h"
#include "monitor/StatisticsRow.h"

namespace nxui {

class StringTable;

class CPageStatisticsTXDlg {
 public:
  enum Row : std::size_t {
    kTransmittedOk = 0,
    kRetransmittedOk,
    kFailedNoAck,
    kRtsCtsOk,
    kRtsCtsFailed,
    kWithoutRetry,  // computed and filled, never shown
    kRowCount
  };

  explicit CPageStatisticsTXDlg(const StringTable& strings) : strings_(strings) {}

  void OnInitDialog();
  void Fill(const StatisticsCounters& counters);
  void ShowZeros();

  const std::array<StatisticsRow, kRowCount>& Rows() const { return rows_; }

 private:
  const StringTable& strings_;
  std::array<StatisticsRow, kRowCount> rows_;
};

}  // namespace nxui
