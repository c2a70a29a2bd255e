#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "base/ByteReader.h"
#include "platform/SystemRandom.h"
#include "wps/WpsPin.h"
#include "wps/WpsRecords.h"
#include "wps/WpsStatus.h"

namespace nxui {
namespace {

WpsCredential Credential(const std::string& ssid, std::uint32_t auth, std::uint32_t encr, const std::string& key) {
  WpsCredential c{};
  SetCredentialSsid(c, ssid);
  c.authType = auth;
  c.encrType = encr;
  SetCredentialKey(c, key);
  c.mac[5] = 0x42;
  return c;
}

TEST(WpsRecords, StartRequestIsLaidOutByteForByte) {
  WpsStartRequest request{};
  request.method = kWpsMethodPin;
  std::memcpy(request.pin, "01234565", 8);
  request.ssid.ssidLength = 3;
  std::memcpy(request.ssid.ssid, "abc", 3);
  const std::uint8_t bssid[6] = {0x00, 0x22, 0x75, 0xC4, 0xB0, 0x0B};
  std::memcpy(request.bssid, bssid, 6);
  request.channel = 11;
  request.role = kWpsRoleRegistrar;

  std::vector<std::uint8_t> expected(56, 0);
  expected[3] = 0x10;  // 0x10000000 little-endian
  std::memcpy(expected.data() + 4, "01234565", 8);
  expected[12] = 3;
  std::memcpy(expected.data() + 16, "abc", 3);
  std::memcpy(expected.data() + 48, bssid, 6);
  expected[54] = 11;
  expected[55] = 2;
  const WpsStartBytes bytes = EncodeWpsStartRequest(request);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(WpsRecords, CredentialTableRoundTrips) {
  WpsCredentialTable table{};
  table.count = 8;
  for (std::uint32_t i = 0; i < 8; ++i) {
    table.credentials[i] = Credential("net" + std::to_string(i), 32, 8, std::string(64 - i, 'k'));
    table.credentials[i].keyIndex = i | (i == 7 ? kWpsKeyIndexFlag : 0);
  }
  const WpsCredentialTableBytes bytes = EncodeWpsCredentialTable(table);
  EXPECT_EQ(LoadLe32(bytes.data() + 4 + 124 * 7 + 44), 7u | kWpsKeyIndexFlag) << "slot 7's key index at 44";
  WpsCredentialTable read{};
  WpsTableReport report;
  ASSERT_TRUE(DecodeWpsCredentialTable(bytes, read, &report));
  EXPECT_EQ(report.dropped, 0u);
  EXPECT_EQ(std::memcmp(&read, &table, sizeof table), 0);
}

struct HostileRow {
  const char* name;
  std::function<void(std::vector<std::uint8_t>&)> damage;
  std::uint32_t count;
  std::vector<std::string> ssids;  // of the credentials kept, in order
  std::size_t dropped;
};

void PrintTo(const HostileRow& row, std::ostream* os) { *os << row.name; }

// Three good credentials "a", "b", "c"; the rows damage the bytes the driver hands back.
std::vector<std::uint8_t> ThreeCredentials() {
  WpsCredentialTable table{};
  table.count = 3;
  table.credentials[0] = Credential("a", 32, 8, "aaaaaaaa");
  table.credentials[1] = Credential("b", 32, 8, "bbbbbbbb");
  table.credentials[2] = Credential("c", 32, 8, "cccccccc");
  const WpsCredentialTableBytes bytes = EncodeWpsCredentialTable(table);
  return {bytes.begin(), bytes.end()};
}

void SetWord(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  StoreLe32(bytes.data() + offset, value);
}
constexpr std::size_t Slot(std::size_t i) { return 4 + 124 * i; }

class HostileTable : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileTable, IsReadWithinItsFields) {
  std::vector<std::uint8_t> bytes = ThreeCredentials();
  GetParam().damage(bytes);
  WpsCredentialTable table{};
  WpsTableReport report;
  ASSERT_TRUE(DecodeWpsCredentialTable(bytes, table, &report));
  EXPECT_EQ(table.count, GetParam().count);
  EXPECT_EQ(report.dropped, GetParam().dropped);
  std::vector<std::string> ssids;
  for (std::uint32_t i = 0; i < table.count; ++i) ssids.emplace_back(CredentialSsid(table.credentials[i]));
  EXPECT_EQ(ssids, GetParam().ssids);
  const WpsCredential zero{};
  for (std::size_t i = table.count; i < kWpsMaxCredentials; ++i) {
    EXPECT_EQ(std::memcmp(&table.credentials[i], &zero, sizeof zero), 0) << "slot " << i << " beyond the count";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileTable,
    ::testing::Values(
        HostileRow{"count_200_with_ssid_255",
                   [](auto& b) {
                     SetWord(b, 0, 200);
                     SetWord(b, Slot(0), 255);
                   },
                   7,
                   {"b", "c", "", "", "", "", ""},
                   1},
        HostileRow{
            "count_9_is_clamped_to_8", [](auto& b) { SetWord(b, 0, 9); }, 8, {"a", "b", "c", "", "", "", "", ""}, 0},
        HostileRow{"count_above_8_keeps_all_slots",
                   [](auto& b) {
                     SetWord(b, 0, 0xFFFFFFFF);
                     for (std::size_t i = 3; i < 8; ++i) {
                       SetWord(b, Slot(i), 1);
                       b[Slot(i) + 4] = 'x';
                     }
                   },
                   8,
                   {"a", "b", "c", "x", "x", "x", "x", "x"},
                   0},
        HostileRow{"ssid_length_32_is_kept",
                   [](auto& b) { SetWord(b, Slot(1), 32); },
                   3,
                   {"a", std::string("b") + std::string(31, '\0'), "c"},
                   0},
        HostileRow{"ssid_length_33_drops_it", [](auto& b) { SetWord(b, Slot(1), 33); }, 2, {"a", "c"}, 1},
        HostileRow{"key_length_64_is_kept", [](auto& b) { SetWord(b, Slot(2) + 48, 64); }, 3, {"a", "b", "c"}, 0},
        HostileRow{"key_length_65_drops_it", [](auto& b) { SetWord(b, Slot(2) + 48, 65); }, 2, {"a", "b"}, 1},
        HostileRow{"garbage_beyond_the_count_is_cleared", [](auto& b) { SetWord(b, 0, 1); }, 1, {"a"}, 0}),
    [](const auto& row) { return std::string(row.param.name); });

// A driver that leaves bytes after a length: the name read to its first zero byte (the platform
// profile's, the editor's) is still the credential's SSID, and the key holds nothing after its length.
TEST(WpsRecords, BytesPastALengthAreCleared) {
  std::vector<std::uint8_t> bytes = ThreeCredentials();
  for (std::size_t i = 1; i < 32; ++i) bytes[Slot(0) + 4 + i] = 'J';
  for (std::size_t i = 8; i < 64; ++i) bytes[Slot(0) + 52 + i] = 'K';
  WpsCredentialTable table{};
  ASSERT_TRUE(DecodeWpsCredentialTable(bytes, table));
  const WpsCredential& c = table.credentials[0];
  EXPECT_EQ(CredentialSsidToZero(c), "a");
  EXPECT_EQ(CredentialKey(c), "aaaaaaaa");
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(c.key), sizeof c.key),
            std::string("aaaaaaaa") + std::string(56, '\0'));
}

TEST(WpsRecords, ShortBufferLeavesTheTableAlone) {
  std::vector<std::uint8_t> bytes = ThreeCredentials();
  bytes.pop_back();
  WpsCredentialTable table{};
  table.count = 5;
  WpsTableReport report;
  EXPECT_FALSE(DecodeWpsCredentialTable(bytes, table, &report));
  EXPECT_TRUE(report.truncated);
  EXPECT_EQ(table.count, 5u);
}

TEST(WpsRecords, FieldsAreBoundedByTheirRecords) {
  WpsCredential c = Credential("Home", 1, 1, "");
  c.ssidLength = 1000;
  c.keyLength = 1000;
  EXPECT_EQ(CredentialSsid(c).size(), 32u);
  EXPECT_EQ(CredentialKey(c).size(), 64u);
  EXPECT_EQ(CredentialSsidToZero(c), "Home");
  c.keyIndex = kWpsKeyIndexFlag | 2;
  EXPECT_EQ(CredentialKeyIndex(c), 2u);
}

// --- PIN -------------------------------------------------------------------------------------

TEST(WpsPin, ChecksumIsTheSimpleConfigurationDigit) {
  // Known PINs: 1234567 -> 0; leading zeros count as digits.
  EXPECT_EQ(PinChecksum(1234567), 0u);
  EXPECT_EQ(PinChecksum(0), 0u);
  EXPECT_EQ(PinChecksum(9999999), 5u);  // 3*36 + 27 = 135
  EXPECT_EQ(PinChecksum(123456), 5u);   // 0123456: 3*(0+2+4+6) + (1+3+5) = 45
}

struct PinRow {
  const char* text;
  PinCheck check;
  std::uint32_t value;
};

TEST(WpsPin, TypedTextIsCheckedAsThePageDoes) {
  const PinRow rows[] = {
      {"12345670", PinCheck::Ok, 12345670},
      {"12345671", PinCheck::WrongChecksum, 12345671},
      {"01234565", PinCheck::Ok, 1234565},
      {"01234564", PinCheck::WrongChecksum, 1234564},
      {"1234567", PinCheck::WrongLength, 0},
      {"123456700", PinCheck::WrongLength, 0},
      {"", PinCheck::WrongLength, 0},
      // Converted up to the first non-digit: 1234 fails, 0 passes (checksum of 0 is 0).
      {"1234a670", PinCheck::WrongChecksum, 1234},
      {"x2345670", PinCheck::Ok, 0},
  };
  for (const PinRow& row : rows) {
    const PinCheckResult result = CheckPinText(row.text);
    EXPECT_EQ(result.check, row.check) << row.text;
    if (row.check != PinCheck::WrongLength) {
      EXPECT_EQ(result.value, row.value) << row.text;
    }
  }
}

TEST(WpsPin, ShownWithLeadingZeros) {
  EXPECT_EQ(FormatPin(1234565), "01234565");
  EXPECT_EQ(FormatPin(0), "00000000");
}

// Hands out prepared 32-bit words.
struct WordRandom final : IRandom {
  std::vector<std::uint32_t> words;
  bool GenRandom(std::uint8_t* buffer, DWORD length) override {
    if (words.empty() || length != 4) return false;
    StoreLe32(buffer, words.front());
    words.erase(words.begin());
    return true;
  }
};

TEST(WpsPin, SevenUniformDigitsAndTheirChecksum) {
  WordRandom source;
  source.words = {0xFFFFFFFFu, 4290000000u, 42};  // both at or above 429 * 10^7: rejected
  EXPECT_EQ(GeneratePin(source), 42u * 10 + PinChecksum(42));
  EXPECT_TRUE(source.words.empty());
  source.words = {10000000 + 1234};  // reduced modulo 10^7: a PIN below 10000000
  const auto small = GeneratePin(source);
  ASSERT_TRUE(small);
  EXPECT_EQ(FormatPin(*small), "0001234" + std::to_string(PinChecksum(1234)));
  source.words = {};
  EXPECT_FALSE(GeneratePin(source)) << "no random bytes: no PIN";
}

TEST(WpsPin, TwoPinsGeneratedInTheSameSecondDiffer) {
  // The system's generator does not depend on the clock: ten in a row are all valid and not all
  // the same.
  SystemRandom system;
  std::set<std::uint32_t> pins;
  for (int i = 0; i < 10; ++i) {
    const auto pin = GeneratePin(system);
    ASSERT_TRUE(pin);
    EXPECT_LT(*pin, 100000000u);
    EXPECT_EQ(*pin % 10, PinChecksum(*pin / 10));
    pins.insert(*pin);
  }
  EXPECT_GT(pins.size(), 1u);
}

TEST(WpsPin, ASeedGivesTheSamePinsEveryTimeAndAnotherSeedOthers) {
  auto pinsOf = [](std::uint64_t seed) {
    SeededRandom seeded(seed);
    std::vector<std::uint32_t> pins;
    for (int i = 0; i < 5; ++i) pins.push_back(GeneratePin(seeded).value_or(0));
    return pins;
  };
  const std::vector<std::uint32_t> first = pinsOf(7);
  EXPECT_EQ(first, pinsOf(7));
  EXPECT_NE(first, pinsOf(8));
  EXPECT_GT(std::set<std::uint32_t>(first.begin(), first.end()).size(), 1u) << "a sequence, not one value";
}

// --- status codes ------------------------------------------------------------------------------

struct StatusRow {
  std::uint32_t word;
  const char* line;
  int progress;
  WpsStatusAction action;
};

TEST(WpsStatus, CodesGiveTheirLineProgressAndAction) {
  const StatusRow rows[] = {
      {kWpsStatusPinBit | 18, "PIN - 发送 M1", 40, WpsStatusAction::None},
      {18, "PBC - 发送 M1", 40, WpsStatusAction::None},
      {kWpsStatusPinBit | 8, "PIN - ", -1, WpsStatusAction::None},
      {8, "PBC - ", -1, WpsStatusAction::None},
      {0, "PBC - WPS 未使用", 0, WpsStatusAction::StopAndForget},
      {1, "PBC - WPS 空闲", -1, WpsStatusAction::Forget},
      {15, "PBC - 已配置", 95, WpsStatusAction::Success},
      {43, "PBC - 发送 EAP 回应码 (完成)", 90, WpsStatusAction::None},
      {260, "PBC - 收到错误 NONCE 的 EAP", -1, WpsStatusAction::Retry},
      {kWpsStatusPinBit | 262, "PIN - PIN 码错误", -1, WpsStatusAction::Forget},
      {513, "PBC - PIN 模式中非法的 SSID", 0, WpsStatusAction::ResetAndForget},
      {516, "PBC - WPS Eap 过程失败。", 0, WpsStatusAction::ResetEndAndForget},
      {517, "PBC - ", -1, WpsStatusAction::Forget},
      {518, "PBC - ", -1, WpsStatusAction::None},
      {0x0FFFFFFF, "PBC - ", -1, WpsStatusAction::None},
      {0xE0000000 | 15, "PBC - 已配置", 95, WpsStatusAction::Success},  // high bits are not the code
  };
  for (const StatusRow& row : rows) {
    EXPECT_EQ(WpsStatusLine(row.word), row.line) << row.word;
    const WpsStatusInfo info = LookupWpsStatus(row.word & kWpsStatusCodeMask);
    EXPECT_EQ(info.progress, row.progress) << row.word;
    EXPECT_EQ(info.action, row.action) << row.word;
  }
}

}  // namespace
}  // namespace nxui
