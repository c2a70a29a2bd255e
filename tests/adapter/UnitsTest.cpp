#include <gtest/gtest.h>

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/HtRateTable.h"
#include "adapter/Units.h"

namespace nxui {
namespace {

TEST(Units, RssiToPercentAtEveryBandEdge) {
  struct Row {
    int dbm;
    int percent;
  };
  // -52 (96.8) and -82 (20.8) have fractions above .5: the products are truncated, not rounded.
  const Row rows[] = {{10, 100}, {-50, 100}, {-51, 99}, {-52, 96}, {-65, 63}, {-70, 50},           {-80, 24},
                      {-81, 23}, {-82, 20},  {-85, 13}, {-90, 0},  {-91, 0},  {-2147483647 - 1, 0}};
  for (const Row& row : rows) EXPECT_EQ(RssiToPercent(row.dbm), row.percent) << "dbm " << row.dbm;
}

TEST(Units, DecodeHtTransmitSettingByMode) {
  struct Row {
    std::uint32_t word;
    double mbps;
  };
  const Row rows[] = {
      {0x0000, 1.0},  {0x4003, 18.0}, {0x4008, 0.0}, {0x8007, 65.0},     {0x8187, 150.0}, {0xC00F, 130.0},
      {0x8020, 0.0},  {0x80A0, 6.0},  {0x0004, 0.0}, {0x000B, 11.0},     {0x8010, 0.0},   {0x8108, 14.444},
      {0x80A1, 81.0}, {0x81A1, 90.0}, {0x8021, 0.0}, {0xFFFF4007, 54.0},  // upper half ignored
      {0x0680, 1.0},                                                      // STBC/BW bits do not matter for CCK
  };
  for (const Row& row : rows) {
    EXPECT_DOUBLE_EQ(DecodeHtTransmitSetting(row.word), row.mbps) << std::hex << "word 0x" << row.word;
  }
  EXPECT_TRUE(IsLegacyRateInUse(0x4003));
  EXPECT_TRUE(IsLegacyRateInUse(0x0000));
  EXPECT_FALSE(IsLegacyRateInUse(0x8007));
  EXPECT_FALSE(IsLegacyRateInUse(0xC007));
}

TEST(Units, HtTableFillIsIdempotentAndEmptyTableFindsNothing) {
  CHTTable table;
  double rate = 0;
  EXPECT_FALSE(LookupHtRate(table, 0, 0, 0, rate));
  EXPECT_DOUBLE_EQ(DecodeHtTransmitSetting(table, 0x8007), 0.0);
  table.Fill();
  EXPECT_EQ(table.size(), 68u);
  table.Fill();
  EXPECT_EQ(table.size(), 68u);
  EXPECT_TRUE(LookupHtRate(table, 1, 1, 15, rate));
  EXPECT_DOUBLE_EQ(rate, 300.0);
  EXPECT_FALSE(LookupHtRate(table, 0, 1, 32, rate));
  EXPECT_FALSE(LookupHtRate(table, 1, 0, 16, rate));
  EXPECT_FALSE(LookupHtRate(table, 0, 0, 33, rate));
  EXPECT_EQ(CHTTable::MakeKey(1, 1, 15), "40,400,15");
  // A short-GI flag other than 1 counts as long GI.
  EXPECT_EQ(CHTTable::MakeKey(0, 2, 0), "20,800,0");
}

TEST(Units, LegacyRateIndexOutOfRangeIsOneMbps) {
  EXPECT_DOUBLE_EQ(LegacyRateIndexToMbps(0), 1.0);
  EXPECT_DOUBLE_EQ(LegacyRateIndexToMbps(2), 5.5);
  EXPECT_DOUBLE_EQ(LegacyRateIndexToMbps(11), 54.0);
  EXPECT_DOUBLE_EQ(LegacyRateIndexToMbps(12), 1.0);
  EXPECT_DOUBLE_EQ(LegacyRateIndexToMbps(0xFFFFFFFF), 1.0);
}

TEST(Units, ChannelFrequencyLookups) {
  struct Row {
    std::uint32_t channel;
    std::uint32_t khz;
  };
  const Row rows[] = {{1, 2412000},   {13, 2472000},  {14, 2484000},  {34, 5170000},  {48, 5240000},
                      {64, 5320000},  {140, 5700000}, {165, 5825000}, {184, 4920000}, {196, 4980000},
                      {208, 5040000}, {212, 5060000}, {216, 5080000}};
  for (const Row& row : rows) {
    std::uint32_t khz = 0;
    std::uint32_t channel = 0;
    ASSERT_TRUE(ChannelToFrequency(row.channel, khz)) << row.channel;
    EXPECT_EQ(khz, row.khz);
    ASSERT_TRUE(FrequencyToChannel(row.khz, channel)) << row.khz;
    EXPECT_EQ(channel, row.channel);
  }
  std::uint32_t value = 77;
  EXPECT_FALSE(FrequencyToChannel(2413000, value));
  EXPECT_FALSE(FrequencyToChannel(0, value));
  EXPECT_FALSE(ChannelToFrequency(50, value));
  EXPECT_FALSE(ChannelToFrequency(15, value));
  EXPECT_EQ(value, 77u);
  EXPECT_EQ(ChannelFrequencyTable::Instance().rows().size(), 49u);
}

TEST(Units, ChannelTexts) {
  EXPECT_EQ(FormatChannelText(208, 5040000), "J8 <--> 5040 MHz");
  EXPECT_EQ(FormatChannelText(212, 5060000), "J12 <--> 5060 MHz");
  EXPECT_EQ(FormatChannelText(216, 5080000), "J16 <--> 5080 MHz");
  EXPECT_EQ(FormatChannelText(184, 4920000), "184 <--> 4920 MHz");
  EXPECT_EQ(FormatChannelText(6, 2437999), "6 <--> 2437 MHz");
  EXPECT_EQ(FormatChannelTextForChannel(6), "6 <--> 2437 MHz");
  EXPECT_EQ(FormatChannelTextForChannel(15), "15");
  EXPECT_EQ(ChannelTextFromFrequency(5040000), "J8");
  EXPECT_EQ(ChannelTextFromFrequency(5745000), "149");
  EXPECT_EQ(ChannelTextFromFrequency(5041000), "");
}

TEST(Units, ThroughputAndRateTexts) {
  EXPECT_EQ(FormatThroughput(0.999), "999.000 Kbps");
  EXPECT_EQ(FormatThroughput(1.0), "1.000 Mbps");
  EXPECT_EQ(FormatThroughput(0.5), "500.000 Kbps");
  EXPECT_EQ(FormatThroughput(0.0), "0.000 Kbps");
  EXPECT_EQ(FormatThroughput(1e300).substr(0, 3), "100");
  EXPECT_EQ(FormatRate(14.444), "14.4 Mbps");
}

}  // namespace
}  // namespace nxui
