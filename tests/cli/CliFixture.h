// Runs the real nxui executable on small scenarios in a temporary directory and reads what it
// printed: exit code, stdout (JSON when asked) and stderr.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "adapter/fakes/TempDir.h"

namespace nxui::cli::test {

using json = nlohmann::ordered_json;

struct CliResult {
  int code = -1;
  std::string out;
  std::string err;

  json Json() const {
    json parsed = json::parse(out, nullptr, false);
    EXPECT_FALSE(parsed.is_discarded()) << "not JSON: " << out << "\nstderr: " << err;
    return parsed;
  }
};

// A supported 802.11n USB adapter (family 8) unless changed.
inline json Adapter(const std::string& instanceId = "{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}",
                    const std::string& driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007") {
  return json{{"hardwareId", "USB\\VID_1B75&PID_3072&REV_0101"},
              {"friendlyName", "VQ-MA310X 11N Wireless Adapter"},
              {"instanceId", instanceId},
              {"driverKey", driverKey},
              {"mac", "00-0C-43-30-72-81"}};
}

inline json Network(const std::string& ssid, const std::string& bssid, int channel, int rssi) {
  return json{{"ssid", ssid}, {"bssid", bssid}, {"channel", channel}, {"rssi", rssi}, {"phy", "g"}};
}

// One adapter and one open network the WLAN service connects to at start.
inline json ConnectedScenario() {
  json network = Network("HomeNet", "00-11-22-33-44-55", 6, -50);
  network["phy"] = "n";
  network["ht"] = json{{"width", 40}, {"secondaryOffset", 1}};
  return json{{"version", 1},
              {"adapters", json::array({Adapter()})},
              {"networks", json::array({network})},
              {"platformProfiles", json::array({json{{"ssid", "HomeNet"}}})}};
}

class CliTest : public ::testing::Test {
 protected:
  // Writes a scenario file and returns its path.
  std::string Scenario(const json& scenario, const std::string& name = "world.json") {
    const auto path = dir / name;
    nxui::test::TempDir::Write(path, scenario.dump(2));
    return path.string();
  }

  std::string StateDir() const { return (dir / "state").string(); }

  // Runs nxui with the arguments and the test's state directory in front.
  CliResult Run(const std::vector<std::string>& args, bool withState = true) {
    std::vector<std::string> all;
    if (withState) all = {"--state", StateDir()};
    all.insert(all.end(), args.begin(), args.end());
    return RunRaw(all);
  }

  CliResult RunRaw(const std::vector<std::string>& args) {
    std::string command = Quote(NXUI_EXE);
    if (!environment.empty()) command = environment + " " + command;
    if (!workingDirectory.empty()) command = "cd " + Quote(workingDirectory) + " && " + command;
    for (const auto& a : args) command += " " + Quote(a);
    const auto outFile = dir / "stdout.txt";
    const auto errFile = dir / "stderr.txt";
    command += " </dev/null >" + Quote(outFile.string()) + " 2>" + Quote(errFile.string());
    const int status = std::system(command.c_str());
    CliResult result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = nxui::test::TempDir::Read(outFile);
    result.err = nxui::test::TempDir::Read(errFile);
    return result;
  }

  static std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
      if (c == '\'') {
        quoted += "'\\''";
      } else {
        quoted += c;
      }
    }
    return quoted + "'";
  }

  nxui::test::TempDir dir;
  std::string environment;       // put before the program, e.g. "env -u DISPLAY"
  std::string workingDirectory;  // empty: the test's own
};

}  // namespace nxui::cli::test
