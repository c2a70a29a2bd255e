// What "Add to Profile" hands the profile editor: the scan entry and what its security decode says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nxui {

struct SurveySelection {
  std::vector<std::uint8_t> entry;  // the scan entry's bytes, from its Length field
  std::string authText;             // "WPA2-PSK", "Unknown"
  std::string cipherText;           // "AES", "TKIP+AES", "None"
  bool secured = false;
  int authCode = 0;  // AuthCodeFromText of authText
};

}  // namespace nxui
