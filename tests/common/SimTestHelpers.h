// Small helpers for tests that describe simulated worlds in code, and the check that every fault
// a test armed really fired.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/HexText.h"

#include "sim/Scenario.h"
#include "sim/SimFaults.h"

namespace nxui::test {

// A MAC address written as in a scenario file; a malformed one fails the test.
inline sim::MacAddress Mac(std::string_view text) {
  const auto mac = sim::ParseMac(text);
  EXPECT_TRUE(mac.has_value()) << "malformed MAC address in the test: " << text;
  return mac.value_or(sim::MacAddress{});
}

// Bytes written as hex digits (blanks, '-' and ':' between bytes); malformed text fails the test.
inline std::vector<std::uint8_t> Hex(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(ParseHexBytes(text, " -:", bytes)) << "malformed hex in the test: " << text;
  return bytes;
}

// Fails the running test once for each fault it armed that never fired: a fault that is armed
// and never reached tests nothing.
inline void ExpectArmedFaultsFired(const sim::SimFaults& faults) {
  for (const sim::FaultPoint& point : faults.ArmedButNeverFired()) {
    ADD_FAILURE() << "the armed fault \"" << point << "\" never fired";
  }
}

}  // namespace nxui::test
