// Channel number <-> centre frequency (kHz). The three Japanese 4.9/5 GHz rows carry channel
// numbers above JapanChannelBase so that they do not clash with the 5 GHz channels 8, 12, 16.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nxui {

inline constexpr std::uint32_t JapanChannelBase = 200;

class ChannelFrequencyTable {
 public:
  struct Row {
    std::uint32_t channel;
    std::uint32_t frequencyKhz;
  };

  explicit ChannelFrequencyTable(std::uint32_t japanChannelBase = JapanChannelBase);

  // First row that matches wins.
  bool ChannelToFrequency(std::uint32_t channel, std::uint32_t& frequencyKhz) const;
  bool FrequencyToChannel(std::uint32_t frequencyKhz, std::uint32_t& channel) const;
  const std::vector<Row>& rows() const { return rows_; }

  // The table of the program, built once.
  static const ChannelFrequencyTable& Instance();

 private:
  std::vector<Row> rows_;
};

bool ChannelToFrequency(std::uint32_t channel, std::uint32_t& frequencyKhz);
bool FrequencyToChannel(std::uint32_t frequencyKhz, std::uint32_t& channel);

// "J8 <--> 5040 MHz", "6 <--> 2437 MHz".
std::string FormatChannelText(std::uint32_t channel, std::uint32_t frequencyKhz);
// For a channel known only by number: its frequency from the table, or the bare number when the
// table lacks it (there is no frequency to show).
std::string FormatChannelTextForChannel(std::uint32_t channel);
// Survey cell: "J8"/"J12"/"J16" or "%u"; empty when the frequency is not in the table.
std::string ChannelTextFromFrequency(std::uint32_t frequencyKhz);

}  // namespace nxui
