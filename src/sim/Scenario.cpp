#include "sim/Scenario.h"

#include "base/HexText.h"

namespace nxui::sim {

std::optional<MacAddress> ParseMac(std::string_view text) {
  if (text.size() != 17) return std::nullopt;
  MacAddress mac{};
  for (std::size_t i = 0; i < 6; ++i) {
    const int hi = HexDigitValue(text[i * 3]);
    const int lo = HexDigitValue(text[i * 3 + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    if (i < 5 && text[i * 3 + 2] != '-' && text[i * 3 + 2] != ':') return std::nullopt;
    mac[i] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
  return mac;
}

std::string MacText(const MacAddress& mac) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(17);
  for (std::size_t i = 0; i < mac.size(); ++i) {
    if (i != 0) text += '-';
    text += kDigits[mac[i] >> 4];
    text += kDigits[mac[i] & 15];
  }
  return text;
}

std::string Ipv4Text(const Ipv4Address& address) {
  return std::to_string(address[0]) + "." + std::to_string(address[1]) + "." + std::to_string(address[2]) + "." +
         std::to_string(address[3]);
}

}  // namespace nxui::sim
