// The simulated WLAN service's profile reader on any text, and the documents it writes for scenario
// networks read back by it: the SSID, the mode, the security and a valid key survive the trip.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "sim/Scenario.h"
#include "sim/SimWlanProfile.h"

namespace nxui::fuzz {

inline void WlanProfileXmlOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto profile = sim::ParseSimWlanProfile(text)) NXUI_FUZZ_REQUIRE(!profile->name.empty());

  // The same bytes as the fields of a scenario network.
  using sim::AuthKind;
  using sim::CipherKind;
  static constexpr AuthKind kAuths[] = {AuthKind::Open, AuthKind::Shared,  AuthKind::Wpa,           AuthKind::WpaPsk,
                                        AuthKind::Wpa2, AuthKind::Wpa2Psk, AuthKind::WpaPskWpa2Psk, AuthKind::WpaNone};
  static constexpr CipherKind kCiphers[] = {CipherKind::None, CipherKind::Wep, CipherKind::Tkip, CipherKind::Aes,
                                            CipherKind::TkipAes};
  FuzzInput input(data, size);
  sim::ScenarioNetwork network;
  const std::uint8_t choice = input.Byte();
  network.security.auth = kAuths[choice % std::size(kAuths)];
  network.security.cipher = kCiphers[(choice / std::size(kAuths)) % std::size(kCiphers)];
  network.bssType = (choice & 0x80) != 0 ? sim::BssKind::Independent : sim::BssKind::Infrastructure;
  network.ssid = input.Field(40);
  // The loader cuts a longer name to what an SSID holds.
  if (network.ssid.size() > 32) network.ssid.resize(32);
  network.security.passphrase = input.Field(70);
  network.security.wepKeys = {input.Field(30)};
  network.security.wepKeyIndex = 0;

  const std::string xml = sim::SimWlanProfileXml(network);
  const std::vector<std::uint8_t> ssid(network.ssid.begin(), network.ssid.end());
  NXUI_FUZZ_REQUIRE(ssid.size() <= 32);
  const auto reread = sim::ParseSimWlanProfile(xml);
  // The document names the profile after the SSID's text, which ends at its first NUL.
  if (ssid.empty() || ssid.front() == 0) return;
  NXUI_FUZZ_REQUIRE(reread.has_value());
  NXUI_FUZZ_REQUIRE(reread->hasSsid && reread->ssid == ssid);
  NXUI_FUZZ_REQUIRE(reread->adHoc == (network.bssType == sim::BssKind::Independent));
  const std::string& key = reread->encryption == "WEP" ? network.security.wepKeys[0] : network.security.passphrase;
  const bool printable = std::all_of(key.begin(), key.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
  if (!reread->keyType.empty() && printable) NXUI_FUZZ_REQUIRE(reread->keyMaterial == key);
}

}  // namespace nxui::fuzz
