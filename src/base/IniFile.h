// Private-profile (INI) files: the settings selector, the adapter-list override, the program's ini
// file and the profile and WPS stores all go through this one module.
//
// Each call reads the file afresh (changes made by others are seen at once) and each write replaces
// the whole file atomically (base/AtomicFile.h): a failed write leaves the old file as it was and
// `LastError` says why. The text rules are those of IniDocument (base/IniDocument.h). A value that
// reading would change (blanks at either end, or wrapped in matching quotes) is written wrapped in
// double quotes, so that it reads back exactly as given. Names and values that would break the
// structure (line breaks, NUL, an empty name, a key name starting with "[" or ";" or containing "=")
// are refused and nothing is written. A missing file reads as empty; writing creates it (not its
// directory).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/AtomicFile.h"
#include "base/IniDocument.h"

namespace nxui {

// Reads the whole file into `document` (a missing file is an empty document). False with `error`
// ("PATH: reason") when it exists but cannot be read.
bool LoadIniDocument(const std::filesystem::path& path, IniDocument& document, std::string& error);
// Replaces the file with the document's text in one atomic write. Utf16File for a document read
// from a UTF-16 file (nothing written), IoError with `error` when the write failed.
IniResult SaveIniDocument(const std::filesystem::path& path, const IniDocument& document, FileSecrecy secrecy,
                          std::string& error);

class IniFile {
 public:
  explicit IniFile(std::filesystem::path path, FileSecrecy secrecy = FileSecrecy::Normal)
      : path_(std::move(path)), secrecy_(secrecy) {}

  const std::filesystem::path& path() const { return path_; }

  // GetPrivateProfileString: the value, or `defaultValue` when the section or key is missing.
  // `maxLength` truncates the result to that many bytes for callers that keep a fixed field.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                         std::optional<std::size_t> maxLength = std::nullopt) const;

  // GetPrivateProfileInt: optional sign and leading decimal digits of the value (text that is not
  // a number reads as 0); `defaultValue` when the section or key is missing.
  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;

  // True when the key exists in the section (its value may be empty).
  bool HasKey(std::string_view section, std::string_view key) const;

  // WritePrivateProfileString: creates the file, section or key as needed.
  IniResult WriteString(std::string_view section, std::string_view key, std::string_view value);

  // Removes the first matching key of the first matching section. Ok when it was not there.
  IniResult DeleteKey(std::string_view section, std::string_view key);

  // Removes the first section of that name with all its lines. Ok when it was not there.
  IniResult DeleteSection(std::string_view section);

  // Section names in file order, first spelling, each once.
  std::vector<std::string> SectionNames() const;
  // Key names of the first matching section in file order, first spelling, each once.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // "PATH: reason" of the last write that failed with IoError or Utf16File.
  const std::string& LastError() const { return lastError_; }

 private:
  template <typename Change>
  IniResult Modify(Change&& change);

  std::filesystem::path path_;
  FileSecrecy secrecy_;
  std::string lastError_;
};

}  // namespace nxui
