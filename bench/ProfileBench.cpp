// The profile page's refresh over a file of 1,000 profiles (each with all 53 keys, as the editor
// saves them), a save into that file, and the same refresh done the way the platform's INI calls
// work: the file read and scanned again for every key.
#include <benchmark/benchmark.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

#include "profiles/ProfileWorld.h"

namespace {

using nxui::test::ProfileWorld;

constexpr int kProfiles = 1000;

std::string ProfileName(int i) { return "Profile " + std::to_string(i); }

// The world started, with a profile file of kProfiles profiles copied from one saved profile.
std::unique_ptr<ProfileWorld> WorldWithProfiles(benchmark::State& state) {
  auto w = std::make_unique<ProfileWorld>(nxui::test::ProfileScenario());
  if (!w->world) {
    state.SkipWithError(w->error.c_str());
    return nullptr;
  }
  w->Start();
  nxui::ProfileRecord record = nxui::test::PskProfile("template", "Norvix-Home", "sunflower-42");
  if (!w->store().SaveProfile(record)) {
    state.SkipWithError("save failed");
    return nullptr;
  }
  const auto path = w->store().FilePath(nxui::StoreFileKind::Profiles);
  std::ifstream in(path, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string body = saved.substr(saved.find("\r\n") + 2);
  std::string content;
  for (int i = 0; i < kProfiles; ++i) {
    content += "[" + ProfileName(i) + "]\r\n" + body;
    if (i % 3 == 0) content += "ActiveTime=2008, 5, " + std::to_string(1 + i % 28) + ", 10, 0, 0\r\n";
  }
  std::ofstream(path, std::ios::binary) << content;
  return w;
}

void BM_PageRefresh(benchmark::State& state) {
  auto w = WorldWithProfiles(state);
  if (!w) return;
  for (auto _ : state) {
    w->page->Refresh();
    benchmark::DoNotOptimize(w->page->State().rows.data());
  }
  if (w->page->State().rows.size() != kProfiles) state.SkipWithError("not every profile listed");
}
BENCHMARK(BM_PageRefresh)->Name("profile page refresh, 1,000 profiles")->Unit(benchmark::kMillisecond);

void BM_SaveIntoLargeFile(benchmark::State& state) {
  auto w = WorldWithProfiles(state);
  if (!w) return;
  nxui::ProfileRecord record = nxui::test::PskProfile(ProfileName(kProfiles / 2), "Norvix-Home", "sunflower-42");
  for (auto _ : state) {
    if (!w->store().SaveProfile(record)) state.SkipWithError("save failed");
  }
  if (w->store().ListProfiles().size() != kProfiles) state.SkipWithError("profiles lost");
}
BENCHMARK(BM_SaveIntoLargeFile)->Name("save one profile into a 1,000-profile file")->Unit(benchmark::kMillisecond);

// GetPrivateProfileString as the platform does it: the file read, then scanned line by line for
// the section and the key, for every single value.
std::string PlatformRead(const std::filesystem::path& path, const std::string& section, const std::string& key) {
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
        return false;
      }
    }
    return true;
  };
  bool inSection = false;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    if (!line.empty() && line.front() == '[') {
      if (inSection) return {};
      const std::size_t close = line.rfind(']');
      inSection = close != std::string_view::npos && same(line.substr(1, close - 1), section);
    } else if (inSection) {
      const std::size_t eq = line.find('=');
      if (eq != std::string_view::npos && same(line.substr(0, eq), key)) return std::string(line.substr(eq + 1));
    }
  }
  return {};
}

std::vector<std::string> PlatformSectionNames(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> names;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.front() == '[') names.push_back(line.substr(1, line.rfind(']') - 1));
  }
  return names;
}

void BM_PerKeyReread(benchmark::State& state) {
  auto w = WorldWithProfiles(state);
  if (!w) return;
  const auto path = w->store().FilePath(nxui::StoreFileKind::Profiles);
  static const char* kKeys[] = {"Channel",    "SSID",        "AuthMode",   "Use8021X",  "LeapEnabled",
                                "CipherMode", "NetworkType", "ActiveTime", "SSID_inHex"};
  std::size_t rows = 0;
  for (auto _ : state) {
    const std::vector<std::string> names = PlatformSectionNames(path);
    rows = 0;
    for (const std::string& name : names) {
      for (const char* key : kKeys) benchmark::DoNotOptimize(PlatformRead(path, name, key));
      ++rows;
    }
  }
  if (rows != kProfiles) state.SkipWithError("not every profile read");
}
BENCHMARK(BM_PerKeyReread)
    ->Name("profile page refresh, 1,000 profiles, per-key re-read as the platform's INI calls")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
