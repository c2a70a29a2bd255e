// Receive counters sub-page of the statistics page.
#pragma once

#include <array>
#include <cstdint>

#include "monitor/StatisticsCounters.h"
#include "monitor/StatisticsRow.h"

namespace nxui {

class StringTable;

class CPageStatisticsRXDlg {
 public:
  enum Row : std::size_t { kReceivedOk = 0, kCrcError, kDroppedNoBuffer, kDuplicates, kRowCount };

  explicit CPageStatisticsRXDlg(const StringTable& strings) : strings_(strings) {}

  void OnInitDialog();
  // `droppedNoBuffer` is OID_GEN_RCV_NO_BUFFER, read whether connected or not.
  void Fill(const StatisticsCounters& counters, std::uint32_t droppedNoBuffer);
  void ShowZeros();

  const std::array<StatisticsRow, kRowCount>& Rows() const { return rows_; }

 private:
  const StringTable& strings_;
  std::array<StatisticsRow, kRowCount> rows_;
};

}  // namespace nxui
