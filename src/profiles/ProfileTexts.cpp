#include "profiles/ProfileTexts.h"
#include "base/AsciiCase.h"

#include <array>
#include <cstdio>
#include <optional>

#include "adapter/AdapterRegistry.h"
#include "adapter/ChannelFrequencyTable.h"
#include "adapter/ConnectionSettings.h"
#include "base/IniDocument.h"
#include "display/StringTable.h"
#include "profiles/ProfileStore.h"

namespace nxui {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

}  // namespace

std::string AuthModeText(int authMode, const StringTable& strings) {
  if (authMode < CodeOf(AuthMode::kOpen) || authMode > CodeOf(AuthMode::kWpa2Psk)) authMode = CodeOf(AuthMode::kOpen);
  return strings.LoadString(string_id::kAuthModeBase + static_cast<StringId>(authMode));
}

std::string CipherModeText(int cipherMode, const StringTable& strings) {
  const bool named = cipherMode == CodeOf(CipherMode::kWep) || cipherMode == CodeOf(CipherMode::kNone) ||
                     cipherMode == CodeOf(CipherMode::kTkip) || cipherMode == CodeOf(CipherMode::kAes);
  if (!named) return {};
  return strings.LoadString(string_id::kCipherModeBase + static_cast<StringId>(cipherMode));
}

std::string ChannelDisplayText(std::string_view stored) {
  const int channel = ParseDecimal(stored);
  for (const int offset : {8, 12, 16}) {
    if (channel == static_cast<int>(JapanChannelBase) + offset) return "J" + std::to_string(offset);
  }
  return std::string(stored);
}

std::int64_t ActiveTimeSortKey(std::string_view text) {
  int f[6] = {0, 0, 0, 0, 0, 0};
  const std::string copy(text);
  std::sscanf(copy.c_str(), "%d , %d , %d , %d , %d , %d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
  const int year = (f[0] < 1971 || f[0] > 3000) ? 1971 : f[0];
  const int month = (f[1] < 1 || f[1] > 12) ? 1 : f[1];
  const int day = (f[2] < 1 || f[2] > 31) ? 1 : f[2];
  const int hour = (f[3] < 0 || f[3] > 23) ? 0 : f[3];
  const int minute = (f[4] < 0 || f[4] > 59) ? 0 : f[4];
  const int second = (f[5] < 0 || f[5] > 59) ? 0 : f[5];
  const std::int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), 1) + (day - 1);
  return days * 86400 + hour * 3600 + minute * 60 + second;
}

namespace {

// The keys a row and the detail panel show, read in one pass over the profile's section.
enum Field : std::size_t {
  kSsid,
  kSsidInHex,
  kActiveTime,
  kAuthMode,
  kLeapEnabled,
  kUse8021X,
  kLeapEncryType,
  kCipherMode,
  kNetworkType,
  kPsMode,
  kTxPower,
  kChannel,
  kRtsThresh,
  kFragThresh,
  kFieldCount
};
constexpr std::array<std::string_view, kFieldCount> kFieldKeys = {
    "SSID",       "SSID_inHex",  "ActiveTime", "AuthMode", "LeapEnabled", "Use8021X",  "LeapEncryType",
    "CipherMode", "NetworkType", "PSMode",     "TXPower",  "Channel",     "RtsThresh", "FragThresh"};

bool SameKey(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

}  // namespace

ProfileTexts DescribeProfile(const StoreFileSnapshot& file, std::string_view name, const StringTable& strings) {
  std::array<std::optional<std::string_view>, kFieldCount> raw;
  file.Document().ForEachKey(name, [&raw](std::string_view key, std::string_view value) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
      if (!raw[i] && SameKey(key, kFieldKeys[i])) {
        raw[i] = value;
        return;
      }
    }
  });
  auto has = [&raw](Field field) { return raw[field].has_value(); };
  auto text = [&raw](Field field) { return raw[field] ? IniDocument::DecodeValue(*raw[field]) : std::string(); };
  auto number = [&text](Field field) { return ParseDecimal(text(field)); };

  ProfileTexts t;
  t.name = std::string(name);
  t.ssid = text(kSsidInHex) == "1" ? DecodeSsidHex(text(kSsid)) : text(kSsid);
  t.activeTime = text(kActiveTime);

  const bool leap = number(kAuthMode) == 0 && number(kLeapEnabled) == 1;
  if (has(kAuthMode)) {
    t.authentication = (leap ? strings.LoadString(string_id::kLeap) : AuthModeText(number(kAuthMode), strings)) + " ";
  }
  t.rowAuthentication = t.authentication;
  if (has(kAuthMode) && number(kUse8021X) == 1) t.rowAuthentication += strings.LoadString(string_id::kUse8021XSuffix);

  if (leap) {
    static constexpr std::array<StringId, 3> kLeapTexts = {string_id::kLeapWep, string_id::kLeapWpaTkip,
                                                           string_id::kLeapWpa2Aes};
    const int type = number(kLeapEncryType);
    if (has(kLeapEncryType) && type >= 0 && type <= 2) {
      t.encryption = strings.LoadString(kLeapTexts[static_cast<std::size_t>(type)]);
    }
  } else if (has(kCipherMode)) {
    t.encryption = CipherModeText(number(kCipherMode), strings);
  }

  if (has(kNetworkType)) {
    const int type = number(kNetworkType);
    if (type >= 0 && type <= 2)
      t.networkType = strings.LoadString(string_id::kNetworkTypeBase + static_cast<StringId>(type));
  }
  if (has(kUse8021X)) t.use8021X = strings.LoadString(number(kUse8021X) == 0 ? string_id::kNo : string_id::kYes);
  if (has(kPsMode)) t.powerSave = number(kPsMode) == 0 ? "CAM" : "PSM";
  if (has(kTxPower)) {
    static constexpr std::array<const char*, 7> kPercent = {nullptr, "100%", "75 %", "50 %", "25 %", "10 %", nullptr};
    const int power = number(kTxPower);
    if (power == 0) {
      t.txPower = strings.LoadString(string_id::kTxPowerAuto);
    } else if (power == 6) {
      t.txPower = strings.LoadString(string_id::kTxPowerLowest);
    } else if (power > 0 && power < 6) {
      t.txPower = kPercent[static_cast<std::size_t>(power)];
    }
  }
  t.channel = ChannelDisplayText(text(kChannel));
  t.rtsThreshold = text(kRtsThresh);
  t.fragThreshold = text(kFragThresh);
  return t;
}

}  // namespace nxui
