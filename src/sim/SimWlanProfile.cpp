#include "sim/SimWlanProfile.h"
#include "base/HexText.h"

#include <pugixml.hpp>

#include <sstream>

namespace nxui::sim {
namespace {

// The text of an element, all its character and CDATA pieces joined (a name may be split
// into several CDATA sections).
std::string TextOf(const pugi::xml_node& node) {
  std::string text;
  for (const auto& child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text += child.value();
  }
  return text;
}

// Elements are looked up by local name: profiles carry a default namespace.
pugi::xml_node Child(const pugi::xml_node& node, std::string_view name) {
  for (const auto& child : node.children()) {
    std::string_view tag = child.name();
    const auto colon = tag.find(':');
    if (colon != std::string_view::npos) tag = tag.substr(colon + 1);
    if (tag == name) return child;
  }
  return {};
}

std::string ProfileAuthentication(const std::string& auth) {
  if (auth == "shared") return "shared";
  if (auth == "wpa") return "WPA";
  if (auth == "wpa-psk" || auth == "wpa-none") return "WPAPSK";
  if (auth == "wpa2") return "WPA2";
  if (auth == "wpa2-psk" || auth == "wpa-psk+wpa2-psk") return "WPA2PSK";
  return "open";
}

std::string ProfileEncryption(const std::string& cipher) {
  if (cipher == "wep") return "WEP";
  if (cipher == "tkip") return "TKIP";
  if (cipher == "aes" || cipher == "tkip+aes") return "AES";
  return "none";
}

bool IsHex64(std::string_view text) {
  if (text.size() != 64) return false;
  for (char c : text) {
    if (HexDigitValue(c) < 0) return false;
  }
  return true;
}

}  // namespace

bool SimParseHex(std::string_view text, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  return ParseHexBytes(text, " -:", bytes);
}

bool SimParseMac(std::string_view text, std::array<std::uint8_t, 6>& mac) {
  if (text.size() != 17) return false;
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 2; i < text.size(); i += 3) {
    if (text[i] != '-' && text[i] != ':') return false;
  }
  if (!SimParseHex(text, bytes) || bytes.size() != 6) return false;
  std::copy(bytes.begin(), bytes.end(), mac.begin());
  return true;
}

std::vector<std::uint8_t> SimNetworkSsid(const ScenarioNetwork& network) {
  std::vector<std::uint8_t> ssid;
  if (network.ssidHex && SimParseHex(*network.ssidHex, ssid)) {
    if (ssid.size() > 32) ssid.resize(32);
    return ssid;
  }
  ssid.assign(network.ssid.begin(), network.ssid.end());
  if (ssid.size() > 32) ssid.resize(32);
  return ssid;
}

std::optional<SimWlanProfile> ParseSimWlanProfile(std::string_view xml) {
  pugi::xml_document document;
  // A text made only of blanks (a pass phrase of spaces) is kept, not dropped as layout.
  if (!document.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata_single)) {
    return std::nullopt;
  }
  const pugi::xml_node root = Child(document, "WLANProfile");
  if (!root) return std::nullopt;
  SimWlanProfile profile;
  profile.name = TextOf(Child(root, "name"));
  if (profile.name.empty()) return std::nullopt;

  const pugi::xml_node ssid = Child(Child(root, "SSIDConfig"), "SSID");
  if (const auto hex = Child(ssid, "hex")) {
    profile.hasSsid = SimParseHex(TextOf(hex), profile.ssid);
  } else if (const auto name = Child(ssid, "name")) {
    const std::string text = TextOf(name);
    profile.ssid.assign(text.begin(), text.end());
    profile.hasSsid = true;
  }
  profile.adHoc = TextOf(Child(root, "connectionType")) == "IBSS";
  profile.autoConnect = TextOf(Child(root, "connectionMode")) != "manual";

  const pugi::xml_node security = Child(Child(root, "MSM"), "security");
  const pugi::xml_node authEncryption = Child(security, "authEncryption");
  profile.authentication = TextOf(Child(authEncryption, "authentication"));
  profile.encryption = TextOf(Child(authEncryption, "encryption"));
  profile.useOneX = TextOf(Child(authEncryption, "useOneX")) == "true";
  profile.hasOneX = static_cast<bool>(Child(security, "OneX"));
  const pugi::xml_node sharedKey = Child(security, "sharedKey");
  profile.keyType = TextOf(Child(sharedKey, "keyType"));
  profile.keyMaterial = TextOf(Child(sharedKey, "keyMaterial"));
  const std::string keyIndex = TextOf(Child(security, "keyIndex"));
  if (keyIndex.size() == 1 && keyIndex[0] >= '0' && keyIndex[0] <= '3') profile.keyIndex = keyIndex[0] - '0';
  return profile;
}

std::string SimWlanProfileXml(const ScenarioNetwork& network) {
  pugi::xml_document document;
  auto root = document.append_child("WLANProfile");
  root.append_attribute("xmlns") = "http://www.microsoft.com/networking/WLAN/profile/v1";

  const std::vector<std::uint8_t> ssid = SimNetworkSsid(network);
  const std::string ssidText(ssid.begin(), ssid.end());
  root.append_child("name").append_child(pugi::node_cdata).set_value(ssidText.c_str());
  auto ssidNode = root.append_child("SSIDConfig").append_child("SSID");
  std::ostringstream hex;
  for (std::uint8_t byte : ssid) {
    static constexpr char kDigits[] = "0123456789abcdef";
    hex << kDigits[byte >> 4] << kDigits[byte & 15];
  }
  ssidNode.append_child("hex").text() = hex.str().c_str();
  const bool adHoc = network.bssType == "independent";
  root.append_child("connectionType").text() = adHoc ? "IBSS" : "ESS";
  root.append_child("connectionMode").text() = adHoc ? "manual" : "auto";

  auto security = root.append_child("MSM").append_child("security");
  auto authEncryption = security.append_child("authEncryption");
  const std::string authentication = ProfileAuthentication(network.security.auth);
  const std::string encryption = ProfileEncryption(network.security.cipher);
  const bool oneX = authentication == "WPA" || authentication == "WPA2";
  authEncryption.append_child("authentication").text() = authentication.c_str();
  authEncryption.append_child("encryption").text() = encryption.c_str();
  authEncryption.append_child("useOneX").text() = oneX ? "true" : "false";
  if (oneX) {
    auto node = security.append_child("OneX");
    node.append_attribute("xmlns") = "http://www.microsoft.com/networking/OneX/v1";
    node.append_child("EAPConfig");
  } else if (encryption == "WEP") {
    const int index = network.security.wepKeyIndex;
    const std::string key = index >= 0 && static_cast<std::size_t>(index) < network.security.wepKeys.size()
                                ? network.security.wepKeys[static_cast<std::size_t>(index)]
                                : std::string();
    auto sharedKey = security.append_child("sharedKey");
    sharedKey.append_child("keyType").text() = "networkKey";
    sharedKey.append_child("protected").text() = "false";
    sharedKey.append_child("keyMaterial").text() = key.c_str();
    security.append_child("keyIndex").text() = index;
  } else if (encryption != "none") {
    const std::string& key = network.security.passphrase;
    auto sharedKey = security.append_child("sharedKey");
    sharedKey.append_child("keyType").text() = IsHex64(key) ? "networkKey" : "passPhrase";
    sharedKey.append_child("protected").text() = "false";
    sharedKey.append_child("keyMaterial").text() = key.c_str();
  }
  std::ostringstream out;
  document.save(out, "", pugi::format_raw | pugi::format_no_declaration);
  return "<?xml version=\"1.0\"?>" + out.str();
}

}  // namespace nxui::sim
