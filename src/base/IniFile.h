// Private-profile (INI) files: the settings selector, the adapter-list override, the program's ini
// file and the profile and WPS stores all go through this one module.
//
// What callers may rely on (the behaviour of the platform's private-profile calls):
// - Section and key names are found without regard to case (ASCII letters only; other bytes must
//   match exactly). Blanks (spaces and tabs) around names and values are trimmed on reading; a name
//   given by a caller is trimmed the same way before it is looked up or written.
// - A value wrapped in matching quotes ("..." or '...') is returned without them.
// - When a section or key occurs more than once, the first one counts. Writing an existing name
//   keeps its first spelling in the file; only the value changes.
// - Lines before the first section, lines without "=", and comment lines (first non-blank
//   character ";") are never returned but are kept as they are when the file is rewritten.
// - A missing file reads as empty; writing creates it (not its directory).
// - The file is read afresh by every call, so changes made by others are seen at once.
//
// Writes never lose the rest of the file: the whole new text replaces the file atomically
// (base/AtomicFile.h); a failed write leaves the old file as it was and `LastError` says why. A value that reading
// would change (blanks at either end, or wrapped in matching quotes) is written wrapped in double quotes, so that it
// reads back exactly as given. Names and values that would break the structure (line breaks, an empty name, a section
// name containing "]", a key name starting with "[" or ";" or containing "=") are refused and nothing is written.
//
// Line ends: "\r\n" and "\n" are both read; a rewritten file keeps the style of its first line end,
// a new file gets "\n". A UTF-8 byte order mark at the start is skipped and kept.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/AtomicFile.h"

namespace nxui {

enum class IniResult {
  Ok,
  InvalidSection,  // refused: the section name would break the file
  InvalidKey,      // refused: the key name would break the file
  InvalidValue,    // refused: the value holds a line break
  IoError,         // the file could not be read or the new one not written
};

const char* IniResultText(IniResult result);

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

  // Removes the key from the section (every occurrence in the first matching section). Ok when it
  // was not there.
  IniResult DeleteKey(std::string_view section, std::string_view key);

  // Removes every section of that name with all its lines. Ok when it was not there.
  IniResult DeleteSection(std::string_view section);

  // Section names in file order, first spelling, each once.
  std::vector<std::string> SectionNames() const;
  // Key names of the first matching section in file order, first spelling, each once.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // "PATH: reason" of the last write that failed with IoError.
  const std::string& LastError() const { return lastError_; }

 private:
  std::filesystem::path path_;
  FileSecrecy secrecy_;
  std::string lastError_;
};

}  // namespace nxui
