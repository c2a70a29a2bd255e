// The documents the simulated service writes for scenario networks, read back by its own reader.
#include "sim/SimWlanProfile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nxui::sim {
namespace {

TEST(SimWlanProfileDocument, WhatIsWrittenForANetworkReadsBackTheSame) {
  struct Row {
    const char* name;
    std::string ssid;
    BssKind bssType;
    AuthKind auth;
    CipherKind cipher;
    std::string key;
    const char* authentication;
    const char* encryption;
  };
  const Row rows[] = {
      {"pass phrase of blanks only", "home", BssKind::Infrastructure, AuthKind::Wpa2Psk, CipherKind::Aes,
       std::string(8, ' '), "WPA2PSK", "AES"},
      {"pass phrase with markup", "home", BssKind::Infrastructure, AuthKind::WpaPsk, CipherKind::Tkip,
       "a <b> & 'c' ]]>", "WPAPSK", "TKIP"},
      {"blanks around a pass phrase", "home", BssKind::Infrastructure, AuthKind::Wpa2Psk, CipherKind::Aes,
       "  spaced out  ", "WPA2PSK", "AES"},
      {"WEP key of blanks", "wep", BssKind::Infrastructure, AuthKind::Open, CipherKind::Wep, std::string(5, ' '),
       "open", "WEP"},
      {"ad hoc, name with a CDATA end", "x]]>y", BssKind::Independent, AuthKind::Open, CipherKind::None, "", "open",
       "none"},
  };
  for (const Row& row : rows) {
    ScenarioNetwork network;
    network.ssid = row.ssid;
    network.bssType = row.bssType;
    network.security.auth = row.auth;
    network.security.cipher = row.cipher;
    network.security.passphrase = row.key;
    network.security.wepKeys = {row.key};
    const std::string xml = SimWlanProfileXml(network);
    const auto read = ParseSimWlanProfile(xml);
    ASSERT_TRUE(read.has_value()) << row.name << ": " << xml;
    EXPECT_EQ(read->name, row.ssid) << row.name;
    EXPECT_EQ(read->ssid, std::vector<std::uint8_t>(row.ssid.begin(), row.ssid.end())) << row.name;
    EXPECT_EQ(read->adHoc, row.bssType == BssKind::Independent) << row.name;
    EXPECT_EQ(read->authentication, row.authentication) << row.name;
    EXPECT_EQ(read->encryption, row.encryption) << row.name;
    EXPECT_EQ(read->keyMaterial, row.key) << row.name;
  }
}

}  // namespace
}  // namespace nxui::sim
