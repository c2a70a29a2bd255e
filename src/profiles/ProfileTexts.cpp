#include "profiles/ProfileTexts.h"

#include <array>
#include <cstdio>

#include "adapter/AdapterRegistry.h"
#include "adapter/ChannelFrequencyTable.h"
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
  if (authMode < 0 || authMode > 7) authMode = 0;
  return strings.LoadString(string_id::kAuthModeBase + static_cast<StringId>(authMode));
}

std::string CipherModeText(int cipherMode, const StringTable& strings) {
  if (cipherMode != 0 && cipherMode != 1 && cipherMode != 4 && cipherMode != 6) return {};
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

ProfileTexts DescribeProfile(const StoreFileSnapshot& file, std::string_view name, const StringTable& strings) {
  auto has = [&](std::string_view key) { return file.Has(name, key); };
  auto text = [&](std::string_view key) { return file.Value(name, key); };
  auto number = [&](std::string_view key) { return ParseDecimal(text(key)); };

  ProfileTexts t;
  t.name = std::string(name);
  t.ssid = text("SSID");
  t.activeTime = text("ActiveTime");

  const bool leap = number("AuthMode") == 0 && number("LeapEnabled") == 1;
  if (has("AuthMode")) {
    t.authentication = (leap ? strings.LoadString(string_id::kLeap) : AuthModeText(number("AuthMode"), strings)) + " ";
  }
  t.rowAuthentication = t.authentication;
  if (has("AuthMode") && number("Use8021X") == 1) t.rowAuthentication += strings.LoadString(string_id::kUse8021XSuffix);

  if (leap) {
    static constexpr std::array<StringId, 3> kLeapTexts = {string_id::kLeapWep, string_id::kLeapWpaTkip,
                                                           string_id::kLeapWpa2Aes};
    const int type = number("LeapEncryType");
    if (has("LeapEncryType") && type >= 0 && type <= 2) {
      t.encryption = strings.LoadString(kLeapTexts[static_cast<std::size_t>(type)]);
    }
  } else if (has("CipherMode")) {
    t.encryption = CipherModeText(number("CipherMode"), strings);
  }

  if (has("NetworkType")) {
    const int type = number("NetworkType");
    if (type >= 0 && type <= 2)
      t.networkType = strings.LoadString(string_id::kNetworkTypeBase + static_cast<StringId>(type));
  }
  if (has("Use8021X")) t.use8021X = strings.LoadString(number("Use8021X") == 0 ? string_id::kNo : string_id::kYes);
  if (has("PSMode")) t.powerSave = number("PSMode") == 0 ? "CAM" : "PSM";
  if (has("TXPower")) {
    static constexpr std::array<const char*, 7> kPercent = {nullptr, "100%", "75 %", "50 %", "25 %", "10 %", nullptr};
    const int power = number("TXPower");
    if (power == 0) {
      t.txPower = strings.LoadString(string_id::kTxPowerAuto);
    } else if (power == 6) {
      t.txPower = strings.LoadString(string_id::kTxPowerLowest);
    } else if (power > 0 && power < 6) {
      t.txPower = kPercent[static_cast<std::size_t>(power)];
    }
  }
  t.channel = ChannelDisplayText(text("Channel"));
  t.rtsThreshold = text("RtsThresh");
  t.fragThreshold = text("FragThresh");
  return t;
}

}  // namespace nxui
