#include "adapter/ChannelFrequencyTable.h"

#include <cstdio>

namespace nxui {

ChannelFrequencyTable::ChannelFrequencyTable(std::uint32_t japanChannelBase) {
  rows_.reserve(49);
  for (std::uint32_t channel = 1; channel <= 13; ++channel) rows_.push_back({channel, 2412000 + 5000 * (channel - 1)});
  rows_.push_back({14, 2484000});
  for (std::uint32_t channel = 34; channel <= 48; channel += 2) rows_.push_back({channel, 5000000 + 5000 * channel});
  for (std::uint32_t channel = 52; channel <= 64; channel += 4) rows_.push_back({channel, 5000000 + 5000 * channel});
  for (std::uint32_t channel = 100; channel <= 140; channel += 4) rows_.push_back({channel, 5000000 + 5000 * channel});
  for (std::uint32_t channel = 149; channel <= 165; channel += 4) rows_.push_back({channel, 5000000 + 5000 * channel});
  // 4.9 GHz band: channel numbers wrap below 5 GHz.
  for (std::uint32_t channel = 184; channel <= 196; channel += 4) rows_.push_back({channel, 4000000 + 5000 * channel});
  rows_.push_back({japanChannelBase + 8, 5040000});
  rows_.push_back({japanChannelBase + 12, 5060000});
  rows_.push_back({japanChannelBase + 16, 5080000});
}

bool ChannelFrequencyTable::ChannelToFrequency(std::uint32_t channel, std::uint32_t& frequencyKhz) const {
  for (const Row& row : rows_) {
    if (row.channel == channel) {
      frequencyKhz = row.frequencyKhz;
      return true;
    }
  }
  return false;
}

bool ChannelFrequencyTable::FrequencyToChannel(std::uint32_t frequencyKhz, std::uint32_t& channel) const {
  for (const Row& row : rows_) {
    if (row.frequencyKhz == frequencyKhz) {
      channel = row.channel;
      return true;
    }
  }
  return false;
}

const ChannelFrequencyTable& ChannelFrequencyTable::Instance() {
  static const ChannelFrequencyTable table(JapanChannelBase);
  return table;
}

bool ChannelToFrequency(std::uint32_t channel, std::uint32_t& frequencyKhz) {
  return ChannelFrequencyTable::Instance().ChannelToFrequency(channel, frequencyKhz);
}

bool FrequencyToChannel(std::uint32_t frequencyKhz, std::uint32_t& channel) {
  return ChannelFrequencyTable::Instance().FrequencyToChannel(frequencyKhz, channel);
}

namespace {

const char* JapanChannelName(std::uint32_t channel) {
  if (channel == JapanChannelBase + 8) return "J8";
  if (channel == JapanChannelBase + 12) return "J12";
  if (channel == JapanChannelBase + 16) return "J16";
  return nullptr;
}

}  // namespace

std::string FormatChannelText(std::uint32_t channel, std::uint32_t frequencyKhz) {
  char text[64];
  const int mhz = static_cast<int>(frequencyKhz / 1000);
  if (const char* name = JapanChannelName(channel)) {
    std::snprintf(text, sizeof text, "%s <--> %d MHz", name, mhz);
  } else {
    std::snprintf(text, sizeof text, "%u <--> %d MHz", channel, mhz);
  }
  return text;
}

std::string FormatChannelTextForChannel(std::uint32_t channel) {
  std::uint32_t frequencyKhz = 0;
  if (ChannelToFrequency(channel, frequencyKhz)) return FormatChannelText(channel, frequencyKhz);
  if (const char* name = JapanChannelName(channel)) return name;
  return std::to_string(channel);
}

std::string ChannelTextFromFrequency(std::uint32_t frequencyKhz) {
  std::uint32_t channel = 0;
  if (!FrequencyToChannel(frequencyKhz, channel)) return {};
  if (const char* name = JapanChannelName(channel)) return name;
  return std::to_string(channel);
}

}  // namespace nxui
