// The PSK the system's wpa_passphrase derives for a network name and pass phrase, as 64 hex digits;
// empty when the tool is not installed (Debian package wpasupplicant).
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace nxui::test {

inline bool HaveWpaPassphrase() {
  return std::filesystem::exists("/usr/bin/wpa_passphrase") || std::filesystem::exists("/sbin/wpa_passphrase");
}

inline std::string WpaPassphrase(const std::string& ssid, const std::string& passphrase) {
  if (!HaveWpaPassphrase()) return {};
  auto quote = [](const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
  };
  const std::string command = "wpa_passphrase " + quote(ssid) + " " + quote(passphrase) + " 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  ::pclose(pipe);
  const std::size_t at = output.find("\tpsk=");
  if (at == std::string::npos) return {};
  return output.substr(at + 5, 64);
}

}  // namespace nxui::test
