#include "sim/SimWlanProfile.h"
#include "base/HexText.h"

#include <pugixml.hpp>

#include <algorithm>
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

const char* ProfileAuthentication(AuthKind auth) {
  switch (auth) {
    case AuthKind::Shared:
      return "shared";
    case AuthKind::Wpa:
      return "WPA";
    case AuthKind::WpaPsk:
    case AuthKind::WpaNone:
      return "WPAPSK";
    case AuthKind::Wpa2:
      return "WPA2";
    case AuthKind::Wpa2Psk:
    case AuthKind::WpaPskWpa2Psk:
      return "WPA2PSK";
    case AuthKind::Open:
      break;
  }
  return "open";
}

const char* ProfileEncryption(CipherKind cipher) {
  switch (cipher) {
    case CipherKind::Wep:
      return "WEP";
    case CipherKind::Tkip:
      return "TKIP";
    case CipherKind::Aes:
    case CipherKind::TkipAes:
      return "AES";
    case CipherKind::None:
      break;
  }
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

bool SameSsid(const std::string& ssid, std::span<const std::uint8_t> bytes) {
  return ssid.size() == bytes.size() && std::equal(ssid.begin(), ssid.end(), bytes.begin(), [](char a, std::uint8_t b) {
           return static_cast<std::uint8_t>(a) == b;
         });
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

  const std::string& ssid = network.ssid;
  root.append_child("name").append_child(pugi::node_cdata).set_value(ssid.c_str());
  auto ssidNode = root.append_child("SSIDConfig").append_child("SSID");
  ssidNode.append_child("hex").text() = HexBytes(ssid).c_str();
  const bool adHoc = network.bssType == BssKind::Independent;
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
