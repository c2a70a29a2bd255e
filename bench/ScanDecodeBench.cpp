// A full survey rebuild over a 64 KiB scan buffer of realistic entries: the signal sort, the walk,
// and per entry one decode of its elements, its row and the texts of the four decode kinds. Next to it, the floor it is
// measured against in the same run: a plain pass over the same buffer (the same copy, then every byte read once).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "scan/BssidEx.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ScanList.h"
#include "sim/IeBuilder.h"
#include "survey/ScanEntryFactory.h"
#include "survey/ScanListSort.h"
#include "survey/SurveyCells.h"

namespace {

using nxui::sim::ScenarioNetwork;

std::vector<ScenarioNetwork> Neighbourhood() {
  using nxui::sim::AuthKind;
  using nxui::sim::CipherKind;
  const AuthKind auths[] = {AuthKind::Open,          AuthKind::Shared, AuthKind::WpaPsk, AuthKind::Wpa2Psk,
                            AuthKind::WpaPskWpa2Psk, AuthKind::Wpa2,   AuthKind::Wpa};
  const CipherKind ciphers[] = {CipherKind::None,    CipherKind::Wep, CipherKind::Tkip, CipherKind::Aes,
                                CipherKind::TkipAes, CipherKind::Aes, CipherKind::Tkip};
  const int channels[] = {1, 6, 11, 36, 149, 208};
  std::vector<ScenarioNetwork> networks;
  for (int i = 0; i < 14; ++i) {
    ScenarioNetwork n;
    n.ssid = "Network-" + std::to_string(i);
    n.channel = channels[i % 6];
    n.phy = i % 2 == 0 ? nxui::sim::Phy::N : nxui::sim::Phy::G;
    n.security.auth = auths[i % 7];
    n.security.cipher = ciphers[i % 7];
    if (i % 3 == 0) {
      n.wps = nxui::sim::ScenarioWps{};
      n.wps->uuidE = nxui::sim::UuidBytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
      n.wps->rfBands = 1;
    }
    n.ccx = i % 5 == 0;
    networks.push_back(n);
  }
  return networks;
}

std::uint32_t Frequency(int channel) {
  if (channel <= 13) return 2412000 + 5000 * static_cast<std::uint32_t>(channel - 1);
  if (channel == 208) return 5040000;
  return 5000000 + 5000 * static_cast<std::uint32_t>(channel);
}

std::vector<std::uint8_t> RealisticBuffer(std::size_t& entryCount) {
  const auto networks = Neighbourhood();
  std::vector<std::vector<std::uint8_t>> entries;
  std::size_t used = 4;
  for (std::size_t i = 0;; ++i) {
    const ScenarioNetwork& n = networks[i % networks.size()];
    nxui::testing::EntrySpec spec;
    spec.ssid = n.ssid;
    spec.mac[4] = static_cast<std::uint8_t>(i >> 8);
    spec.mac[5] = static_cast<std::uint8_t>(i);
    spec.rssi = -40 - static_cast<int>(i % 50);
    spec.dsConfig = Frequency(n.channel);
    spec.privacy = n.security.auth == nxui::sim::AuthKind::Open ? 0 : 1;
    spec.ies = nxui::sim::BuildNetworkIes(n);
    const auto entry = nxui::testing::MakeEntry(spec);
    if (used + entry.size() > nxui::bssid_ex::kScanBufferSize) break;
    used += entry.size();
    entries.push_back(entry);
  }
  entryCount = entries.size();
  return nxui::testing::MakeScanBuffer(entries);
}

// The baseline: copy the buffer as the rebuild does, then read each byte once. Out of line, like
// the rebuild, so that one call of each can be counted apart (valgrind --tool=callgrind
// --toggle-collect=<name>).
[[gnu::noinline]] std::uint32_t BytePassOnce(const std::vector<std::uint8_t>& original) {
  std::vector<std::uint8_t> buffer = original;
  std::uint32_t sum = 0;
  for (std::uint8_t byte : buffer) sum += byte;
  return sum;
}

void BM_BytePass(benchmark::State& state) {
  std::size_t entryCount = 0;
  const auto original = RealisticBuffer(entryCount);
  for (auto _ : state) benchmark::DoNotOptimize(BytePassOnce(original));
  state.counters["entries"] = static_cast<double>(entryCount);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * original.size()));
}
BENCHMARK(BM_BytePass)->Unit(benchmark::kMicrosecond);

// Returns the bytes of text made, so that none of it is optimised away.
[[gnu::noinline]] std::size_t SurveyRebuildOnce(const std::vector<std::uint8_t>& original,
                                                std::vector<std::uint64_t>& lastSeen,
                                                std::vector<nxui::ScanEntry>& rows) {
  std::vector<std::uint8_t> buffer = original;
  nxui::SortScanList(buffer, lastSeen, nxui::SortMode::Signal);
  rows.clear();
  std::size_t textBytes = 0;
  const nxui::ScanList list(buffer);
  for (const auto& slot : list.slots()) {
    if (!slot.usable) continue;
    nxui::ScanEntryRecord record;
    nxui::ReadScanEntry(slot.bytes, record);
    const nxui::ScanEntryDecode decode = nxui::DecodeScanEntry(record);
    rows.push_back(nxui::MakeScanEntry(record, decode, slot.position));
    for (int kind = 0; kind <= 3; ++kind) textBytes += nxui::ScanEntryIesText(decode, kind).size();
  }
  return textBytes;
}

void BM_SurveyRebuild(benchmark::State& state) {
  std::size_t entryCount = 0;
  const auto original = RealisticBuffer(entryCount);
  std::vector<std::uint64_t> lastSeen(nxui::bssid_ex::kMaxLastSeen, 0);
  std::vector<nxui::ScanEntry> rows;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SurveyRebuildOnce(original, lastSeen, rows));
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["entries"] = static_cast<double>(entryCount);
}
BENCHMARK(BM_SurveyRebuild)->Unit(benchmark::kMicrosecond);

// What the survey page does on a rebuild: sort, walk and one row per entry (its three decodes).
void BM_SurveyRowsOnly(benchmark::State& state) {
  std::size_t entryCount = 0;
  const auto original = RealisticBuffer(entryCount);
  std::vector<std::uint64_t> lastSeen(nxui::bssid_ex::kMaxLastSeen, 0);
  std::vector<nxui::ScanEntry> rows;
  for (auto _ : state) {
    std::vector<std::uint8_t> buffer = original;
    nxui::SortScanList(buffer, lastSeen, nxui::SortMode::Ssid);
    rows.clear();
    const nxui::ScanList list(buffer);
    for (const auto& slot : list.slots()) {
      if (!slot.usable) continue;
      nxui::ScanEntryRecord record;
      nxui::ReadScanEntry(slot.bytes, record);
      rows.push_back(nxui::MakeScanEntry(record, slot.position));
    }
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["entries"] = static_cast<double>(entryCount);
}
BENCHMARK(BM_SurveyRowsOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
