// The INI reader on any file, and its writer after it: a value written reads back exactly, a
// refused write leaves the file as it was, and no write or delete changes what any other key reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "base/IniFile.h"

namespace nxui::fuzz {

namespace ini_fuzz {

inline std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The file's own rule for names: blanks around them do not count, ASCII letters match either case.
inline bool SameName(std::string_view a, std::string_view b) {
  a = TrimBlanks(a);
  b = TrimBlanks(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

struct Entry {
  std::string section;
  std::string key;
  std::string value;
};

constexpr std::string_view kAbsent =
    "\x01"
    "absent";

inline std::vector<Entry> Everything(const IniFile& ini) {
  std::vector<Entry> entries;
  for (const std::string& section : ini.SectionNames()) {
    for (const std::string& key : ini.KeyNames(section)) {
      entries.push_back({section, key, ini.ReadString(section, key, kAbsent)});
    }
  }
  return entries;
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every entry but the one of `section`/`key` still reads as before.
inline void OthersUnchanged(const IniFile& ini, const std::vector<Entry>& before, std::string_view section,
                            std::string_view key, bool wholeSection) {
  for (const Entry& entry : before) {
    const bool touched = SameName(entry.section, section) && (wholeSection || SameName(entry.key, key));
    if (touched) continue;
    NXUI_FUZZ_REQUIRE(ini.ReadString(entry.section, entry.key, kAbsent) == entry.value);
  }
}

}  // namespace ini_fuzz

inline void IniFileOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ini_fuzz;
  FuzzInput input(data, size);
  const std::string section = input.Field(40);
  const std::string key = input.Field(40);
  const std::string value = input.Field(80);
  const std::filesystem::path path = FreshScratchFolder() / "fuzz.ini";
  {
    std::ofstream out(path, std::ios::binary);
    out << input.Rest();
  }
  IniFile ini(path);
  const std::vector<Entry> before = Everything(ini);
  const std::string bytesBefore = FileBytes(path);

  const IniResult written = ini.WriteString(section, key, value);
  NXUI_FUZZ_REQUIRE(written != IniResult::IoError);
  if (written != IniResult::Ok) {
    NXUI_FUZZ_REQUIRE(FileBytes(path) == bytesBefore);
    return;
  }
  NXUI_FUZZ_REQUIRE(ini.ReadString(section, key, kAbsent) == value);
  NXUI_FUZZ_REQUIRE(ini.HasKey(section, key));
  OthersUnchanged(ini, before, section, key, false);
  // A fresh reader of the rewritten file sees the same.
  NXUI_FUZZ_REQUIRE(IniFile(path).ReadString(section, key, kAbsent) == value);

  // A delete removes the first match, as the platform's calls do: a file with duplicates needs one
  // delete per copy, and never more than the file has lines.
  const std::size_t bound = input.Rest().size() + 2;
  std::size_t deletes = 0;
  do {
    NXUI_FUZZ_REQUIRE(ini.DeleteKey(section, key) == IniResult::Ok);
  } while (ini.HasKey(section, key) && ++deletes < bound);
  NXUI_FUZZ_REQUIRE(!ini.HasKey(section, key));
  OthersUnchanged(ini, before, section, key, false);

  const auto sectionLeft = [&] {
    for (const std::string& name : ini.SectionNames()) {
      if (SameName(name, section)) return true;
    }
    return false;
  };
  deletes = 0;
  do {
    NXUI_FUZZ_REQUIRE(ini.DeleteSection(section) == IniResult::Ok);
  } while (sectionLeft() && ++deletes < bound);
  NXUI_FUZZ_REQUIRE(!sectionLeft());
  OthersUnchanged(ini, before, section, key, true);
}

}  // namespace nxui::fuzz
