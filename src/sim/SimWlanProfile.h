// The simulated WLAN service's view of a stored profile document, and the documents it writes for
// the scenario's platform profiles. Profiles are parsed with a real XML parser; what the service
// cannot read is a bad profile, as on a real machine.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Scenario.h"

namespace nxui::sim {

struct SimWlanProfile {
  std::string name;
  std::vector<std::uint8_t> ssid;  // from <hex>, else the bytes of <name>
  bool hasSsid = false;
  bool adHoc = false;          // connectionType IBSS
  bool autoConnect = true;     // connectionMode auto
  std::string authentication;  // open, shared, WPA, WPAPSK, WPA2, WPA2PSK
  std::string encryption;      // none, WEP, TKIP, AES
  bool useOneX = false;
  bool hasOneX = false;  // an <OneX> element is present
  std::string keyType;   // networkKey, passPhrase
  std::string keyMaterial;
  int keyIndex = 0;
};

// Nullopt when the text is not well-formed or is not a WLAN profile with a name.
std::optional<SimWlanProfile> ParseSimWlanProfile(std::string_view xml);

// A profile document for a scenario network (its own security and key).
std::string SimWlanProfileXml(const ScenarioNetwork& network);

// A scenario SSID (its bytes in a string) equals these bytes.
bool SameSsid(const std::string& ssid, std::span<const std::uint8_t> bytes);

// Hex text ("0a1B..", blanks and '-' allowed between bytes) to bytes; false on a bad digit.
bool SimParseHex(std::string_view text, std::vector<std::uint8_t>& bytes);

}  // namespace nxui::sim
