#include "base/IniFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
#include <system_error>

namespace nxui {

bool LoadIniDocument(const std::filesystem::path& path, IniDocument& document, std::string& error) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    if (ec) {
      error = path.string() + ": " + ec.message();
      return false;
    }
    document = IniDocument();
    return true;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path.string() + ": " + std::strerror(errno);
    return false;
  }
  // One block read: a character-wise stream copy costs more than parsing the text.
  std::string content;
  char block[65536];
  while (in.read(block, sizeof block) || in.gcount() > 0) content.append(block, static_cast<std::size_t>(in.gcount()));
  if (in.bad()) {
    error = path.string() + ": read error";
    return false;
  }
  document = IniDocument(std::move(content));
  return true;
}

IniResult SaveIniDocument(const std::filesystem::path& path, const IniDocument& document, FileSecrecy secrecy,
                          std::string& error) {
  if (document.IsUtf16()) {
    error = path.string() + ": " + IniResultText(IniResult::Utf16File);
    return IniResult::Utf16File;
  }
  return WriteFileAtomically(path, document.Serialize(), secrecy, error) ? IniResult::Ok : IniResult::IoError;
}

namespace {

// A read that fails reads as a missing file, as the platform's calls do.
IniDocument LoadForReading(const std::filesystem::path& path) {
  IniDocument document;
  std::string ignored;
  if (!LoadIniDocument(path, document, ignored)) return IniDocument();
  return document;
}

}  // namespace

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::optional<std::size_t> maxLength) const {
  std::string result = LoadForReading(path_).ReadString(section, key, defaultValue);
  if (maxLength && result.size() > *maxLength) result.resize(*maxLength);
  return result;
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
  const IniDocument document = LoadForReading(path_);
  const auto raw = document.Find(section, key);
  if (!raw) return defaultValue;
  std::string_view text = *raw;
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  long long magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::numeric_limits<int>::max()) break;
  }
  long long value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return LoadForReading(path_).HasKey(section, key);
}

template <typename Change>
IniResult IniFile::Modify(Change&& change) {
  IniDocument document;
  if (!LoadIniDocument(path_, document, lastError_)) return IniResult::IoError;
  if (const IniResult refused = change(document); refused != IniResult::Ok) return refused;
  return SaveIniDocument(path_, document, secrecy_, lastError_);
}

IniResult IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  return Modify([&](IniDocument& document) { return document.WriteString(section, key, value); });
}

IniResult IniFile::DeleteKey(std::string_view section, std::string_view key) {
  IniDocument document;
  if (!LoadIniDocument(path_, document, lastError_)) return IniResult::IoError;
  if (!document.HasKey(section, key)) return IniResult::Ok;
  document.DeleteKey(section, key);
  return SaveIniDocument(path_, document, secrecy_, lastError_);
}

IniResult IniFile::DeleteSection(std::string_view section) {
  IniDocument document;
  if (!LoadIniDocument(path_, document, lastError_)) return IniResult::IoError;
  if (!document.HasSection(section)) return IniResult::Ok;
  document.DeleteSection(section);
  return SaveIniDocument(path_, document, secrecy_, lastError_);
}

std::vector<std::string> IniFile::SectionNames() const { return LoadForReading(path_).SectionNames(); }

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  return LoadForReading(path_).KeyNames(section);
}

}  // namespace nxui
