// What the profile page shows of a stored profile: the texts of its list row and of the detail
// panel, formed from the stored codes with the string table, and the order of the rows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nxui {

class StoreFileSnapshot;
class StringTable;

struct ProfileTexts {
  std::string name;
  std::string ssid;
  std::string networkType;
  std::string authentication;  // the detail panel's text, ending in a blank
  std::string encryption;
  std::string use8021X;  // "是" / "否"
  std::string txPower;
  std::string channel;
  std::string powerSave;  // "CAM" / "PSM"
  std::string rtsThreshold;
  std::string fragThreshold;
  std::string activeTime;
  // The list row's authentication text: the detail text, with the 802.1X suffix when in use.
  std::string rowAuthentication;

  friend bool operator==(const ProfileTexts&, const ProfileTexts&) = default;
};

// The texts of section `name`; a missing key leaves its text empty.
ProfileTexts DescribeProfile(const StoreFileSnapshot& file, std::string_view name, const StringTable& strings);

// "Open", "WPA2-PSK", ... for an AuthMode code (codes outside 0..7 count as 0).
std::string AuthModeText(int authMode, const StringTable& strings);
// "WEP", "None", "TKIP", "AES"; empty for codes without a text.
std::string CipherModeText(int cipherMode, const StringTable& strings);
// "J8", "J12", "J16" for the Japanese channels, otherwise the number as stored.
std::string ChannelDisplayText(std::string_view stored);

// `ActiveTime` ("year, month, day, hour, minute, second") as seconds for ordering: a field outside
// its range takes its fixed value (year 1971, month 1, day 1, time 0), empty text is
// 1 January 1971 00:00:00; days past a month's end run into the next month as local time does.
std::int64_t ActiveTimeSortKey(std::string_view text);

}  // namespace nxui
