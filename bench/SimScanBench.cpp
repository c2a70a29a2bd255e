// The WLAN session filling its 64 KiB scan buffer from the simulated service with 300 networks in
// range: one available-network list, then one BSS list per network, as every survey rescan does.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/SessionWorld.h"
#include "scan/BssidEx.h"

namespace {

nxui::sim::Scenario CrowdedScenario(int networkCount) {
  nxui::sim::Scenario scenario;
  scenario.adapters.push_back(nxui::sim::ScenarioAdapter{});
  for (int i = 0; i < networkCount; ++i) {
    nxui::sim::ScenarioNetwork n;
    n.ssid = "Flat-" + std::to_string(i);
    n.bssid = {0x00, 0x1D, 0x7E, 0x00, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)};
    n.channel = 1 + i % 11;
    n.rssi = -40 - i % 50;
    n.phy = i % 2 == 0 ? nxui::sim::Phy::N : nxui::sim::Phy::G;
    scenario.networks.push_back(n);
  }
  return scenario;
}

void BM_BuildScanList300(benchmark::State& state) {
  nxui::test::SessionWorld s(CrowdedScenario(300));
  if (!s.Ready()) {
    state.SkipWithError(s.error.c_str());
    return;
  }
  std::vector<std::uint8_t> buffer(nxui::bssid_ex::kScanBufferSize);
  std::uint32_t entries = 0;
  for (auto _ : state) {
    s.session->BuildScanList(buffer);
    entries = static_cast<std::uint32_t>(buffer[0] | (buffer[1] << 8));
    benchmark::DoNotOptimize(buffer.data());
  }
  if (entries != 300) state.SkipWithError(("the buffer holds " + std::to_string(entries) + " entries").c_str());
  state.counters["entries"] = entries;
}
BENCHMARK(BM_BuildScanList300)->Unit(benchmark::kMicrosecond);

}  // namespace
