#include "adapter/AdapterListFile.h"

#include <array>

#include "base/IniFile.h"

namespace nxui {
namespace {

struct ListSection {
  std::string_view name;
  ChipFamily family;
  bool usb;
};

constexpr std::array<ListSection, 6> kSections = {{
    {"LARK", kFamilyLark, false},
    {"LARKUSB", kFamilyLarkU, true},
    {"TERN", kFamilyTern, false},
    {"TERNU", kFamilyTernU, true},
    {"HERON", kFamilyHeron, false},
    {"HERONU", kFamilyHeronU, true},
}};

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

std::filesystem::path SiblingFilePath(std::string_view executablePath, std::string_view extension) {
  std::string path(executablePath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  std::size_t slash = path.rfind('/');
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    path += '.';
  } else {
    path.resize(dot + 1);
  }
  path += extension;
  return std::filesystem::path(path);
}

std::filesystem::path AdapterListFilePath(std::string_view executablePath) {
  return SiblingFilePath(executablePath, "INI");
}

std::vector<AdapterListEntry> ReadAdapterList(const std::filesystem::path& file) {
  std::vector<AdapterListEntry> entries;
  IniFile ini(file);
  for (const ListSection& section : kSections) {
    for (int n = 1;; ++n) {
      std::string id = ini.ReadString(section.name, "DeviceID_" + std::to_string(n), "");
      if (id.empty()) break;
      entries.push_back({std::string(section.name), n, Upper(std::move(id)), section.family, section.usb});
    }
  }
  return entries;
}

}  // namespace nxui
