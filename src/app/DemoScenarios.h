// The worlds the headless pictures show: one adapter, five networks in range and a stored
// platform profile that connects to the first, varied to reach the states worth looking at.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace nxui {

// The connected world as scenario JSON.
std::string DemoConnectedScenario();
// Every world with its picture name, in the order they are drawn: connected, disconnected, no
// adapter, an adapter without 802.11n, one receive chain, failing signal queries, WLAN service off.
std::vector<std::pair<std::string, std::string>> DemoScenarios();

}  // namespace nxui
