// The 802.11n values, their 8-byte driver record and the "BACapability" word, both ways.
#include <gtest/gtest.h>

#include "advanced/HtSettings.h"

namespace nxui {
namespace {

struct WriteCase {
  const char* name;
  HtSettings settings;
  HtConfigBytes record;
  std::uint32_t value;
};

HtSettings With(void (*change)(HtSettings&)) {
  HtSettings s;
  change(s);
  return s;
}

class HtSettingsWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(HtSettingsWrite, RecordAndRegistryWord) {
  const WriteCase& c = GetParam();
  const HtConfigBytes record = BuildHtConfigRecord(c.settings);
  EXPECT_EQ(record, c.record);
  EXPECT_EQ(BaCapabilityFromRecord(record), c.value) << std::hex << BaCapabilityFromRecord(record);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, HtSettingsWrite,
    ::testing::Values(
        WriteCase{"defaults", HtSettings{}, {32, 32, 1, 0, 1, 0, 3, 1}, 0x03432020},
        WriteCase{
            "static_smps", With([](HtSettings& s) { s.smps = kSmpsStatic; }), {32, 32, 1, 0, 1, 0, 0, 1}, 0x00432020},
        WriteCase{
            "dynamic_smps", With([](HtSettings& s) { s.smps = kSmpsDynamic; }), {32, 32, 1, 0, 1, 0, 1, 1}, 0x01432020},
        WriteCase{"aggregation_off_is_2",
                  With([](HtSettings& s) { s.mpduAggregation = false; }),
                  {32, 32, 2, 0, 1, 0, 3, 1},
                  0x03452020},
        WriteCase{"density_7_fills_bits_19_21",
                  With([](HtSettings& s) { s.mpduDensity = 7; }),
                  {32, 32, 1, 7, 1, 0, 3, 1},
                  0x037B2020},
        WriteCase{"amsdu_off", With([](HtSettings& s) { s.amsdu = false; }), {32, 32, 1, 0, 0, 0, 3, 1}, 0x03032020},
        WriteCase{"amsdu_7935", With([](HtSettings& s) { s.amsduSize = 1; }), {32, 32, 1, 0, 1, 1, 3, 1}, 0x03C32020},
        WriteCase{
            "manual_block_ack", With([](HtSettings& s) { s.autoBa = 0; }), {32, 32, 1, 0, 1, 0, 3, 0}, 0x03422020},
        WriteCase{"block_ack_bytes_kept",
                  With([](HtSettings& s) {
                    s.baByte0 = 0xAB;
                    s.baByte1 = 0xCD;
                  }),
                  {0xAB, 0xCD, 1, 0, 1, 0, 3, 1},
                  0x0343CDAB}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(HtSettingsWord, FieldsAreCutToTheirBitsAndBits26To31StayClear) {
  // Out-of-range bytes (a driver record read back, a corrupt value) must not spill into neighbours.
  EXPECT_EQ(BaCapabilityFromRecord({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 0x03FFFFFFu);
  EXPECT_EQ(BaCapabilityFromRecord({0, 0, 4, 8, 2, 2, 4, 2}), 0u);
}

struct ReadCase {
  const char* name;
  std::uint32_t value;
  HtSettings before;
  HtSettings expected;
};

class HtSettingsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(HtSettingsRead, BackIntoTheSettings) {
  HtSettings s = GetParam().before;
  ApplyBaCapability(GetParam().value, s);
  EXPECT_EQ(s, GetParam().expected);
}

HtSettings Made(std::uint8_t b0, std::uint8_t b1, int autoBa, bool aggregation, int density, bool amsdu, int size,
                int smps) {
  return HtSettings{b0, b1, autoBa, aggregation, density, amsdu, size, smps};
}

INSTANTIATE_TEST_SUITE_P(
    Words, HtSettingsRead,
    ::testing::Values(
        ReadCase{"defaults", 0x03432020, Made(0, 0, 0, false, 3, false, 1, 2), HtSettings{}},
        ReadCase{"smps_bits_0_is_static", 0x00432020, HtSettings{}, Made(32, 32, 1, true, 0, true, 0, kSmpsStatic)},
        ReadCase{"smps_bits_1_is_dynamic", 0x01432020, HtSettings{}, Made(32, 32, 1, true, 0, true, 0, kSmpsDynamic)},
        ReadCase{"smps_bits_2_is_enable", 0x02432020, Made(32, 32, 1, true, 0, true, 0, 1), HtSettings{}},
        ReadCase{"aggregation_only_when_bits_equal_1", 0x03452020, HtSettings{}, Made(32, 32, 1, false, 0, true, 0, 0)},
        ReadCase{"aggregation_bits_3_is_off", 0x03472020, HtSettings{}, Made(32, 32, 1, false, 0, true, 0, 0)},
        ReadCase{"aggregation_bits_0_is_off", 0x03412020, HtSettings{}, Made(32, 32, 1, false, 0, true, 0, 0)},
        ReadCase{"density_and_bytes", 0x037BCDAB, HtSettings{}, Made(0xAB, 0xCD, 1, true, 7, true, 0, 0)},
        // With A-MSDU off the size radio keeps what it showed.
        ReadCase{"amsdu_off_keeps_size_1", 0x03032020, Made(32, 32, 1, true, 0, true, 1, 0),
                 Made(32, 32, 1, true, 0, false, 1, 0)},
        ReadCase{"amsdu_off_keeps_size_0", 0x03832020, HtSettings{}, Made(32, 32, 1, true, 0, false, 0, 0)},
        ReadCase{"amsdu_on_takes_size", 0x03432020, Made(32, 32, 1, true, 0, true, 1, 0), HtSettings{}},
        ReadCase{"high_bits_ignored", 0xFF432020, HtSettings{}, HtSettings{}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(HtSettingsRoundTrip, EveryControlCombinationSurvivesTheRegistry) {
  for (int autoBa = 0; autoBa < 2; ++autoBa) {
    for (int aggregation = 0; aggregation < 2; ++aggregation) {
      for (int density = 0; density < kMpduDensityItems; ++density) {
        for (int amsdu = 0; amsdu < 2; ++amsdu) {
          for (int size = 0; size < 2; ++size) {
            for (int smps = kSmpsEnable; smps <= kSmpsDynamic; ++smps) {
              const HtSettings written{7, 9, autoBa, aggregation == 1, density, amsdu == 1, size, smps};
              HtSettings read{0, 0, 1 - autoBa, aggregation == 0, 0, amsdu == 0, size, (smps + 1) % 3};
              ApplyBaCapability(BaCapabilityFromRecord(BuildHtConfigRecord(written)), read);
              EXPECT_EQ(read, written) << autoBa << aggregation << density << amsdu << size << smps;
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace nxui
