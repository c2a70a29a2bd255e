// A private-profile (INI) text held in memory: read once, looked up and changed many times, then
// written back whole. IniFile (one call, one file access, as the platform's calls work) and the
// profile store (one read and one atomic rewrite per store operation) both sit on it.
//
// The text is read and written as the platform's private-profile calls do, since users' files come
// from both:
// - Line ends "\r\n", "\n" and a lone "\r" are all read; the text is always written with "\r\n".
// - A header is a line whose first non-blank character is "[", ending at its *last* "]": the
//   section of "[Home [5G]]" is "Home [5G]". Section names may contain "]".
// - Section and key names are found without regard to case (ASCII letters only); blanks (spaces and
//   tabs) around names and values are trimmed; a value wrapped in matching quotes is returned
//   without them. When a section or key occurs more than once, the first one counts, and deleting
//   removes that first one only.
// - Lines before the first section, lines without "=" and comment lines (first non-blank ";") are
//   never returned but are kept as they are.
// - A UTF-8 byte order mark is skipped and kept. A UTF-16 text (with its byte order mark) is read,
//   but refused for writing: appending 8-bit lines would corrupt it.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nxui {

enum class IniResult {
  Ok,
  InvalidSection,  // refused: the section name would break the file
  InvalidKey,      // refused: the key name would break the file
  InvalidValue,    // refused: the value holds a line break or NUL
  IoError,         // the file could not be read or the new one not written
  Utf16File,       // refused: the file is UTF-16 text
};

const char* IniResultText(IniResult result);

// A name a caller may write: not empty after trimming, no line break or NUL (and for keys: not
// starting with "[" or ";", no "=").
bool IsValidIniSection(std::string_view section);
bool IsValidIniKey(std::string_view key);
// Blanks (spaces and tabs) trimmed at both ends.
std::string_view TrimIniBlanks(std::string_view text);

class IniDocument {
 public:
  IniDocument();
  explicit IniDocument(std::string text);
  ~IniDocument();
  IniDocument(IniDocument&&) noexcept;
  IniDocument& operator=(IniDocument&&) noexcept;
  IniDocument(const IniDocument&) = delete;
  IniDocument& operator=(const IniDocument&) = delete;

  // The text as it is written back ("\r\n" line ends, the UTF-8 mark kept).
  std::string Serialize() const;
  // Read from a UTF-16 file: writing it back is refused.
  bool IsUtf16() const { return utf16_; }
  bool Empty() const { return preamble_.empty() && sections_.empty(); }

  // The raw value, trimmed with its quotes; nullopt when the section or key is missing.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  // The value (quotes removed), or `defaultValue`.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  bool HasKey(std::string_view section, std::string_view key) const { return Find(section, key).has_value(); }
  bool HasSection(std::string_view section) const;

  // Creates the section or key as needed (a new key goes after the section's last non-blank line).
  IniResult WriteString(std::string_view section, std::string_view key, std::string_view value);
  // The first matching key of the first matching section. Ok when it was not there.
  IniResult DeleteKey(std::string_view section, std::string_view key);
  // The first matching section with its lines. Ok when it was not there.
  IniResult DeleteSection(std::string_view section);
  // Every section whose name equals `section` exactly (case and all); returns how many went.
  std::size_t DeleteSectionsNamedExactly(std::string_view section);

  // Section names in file order, first spelling, each once.
  std::vector<std::string> SectionNames() const;
  // Key names of the first matching section in file order, first spelling, each once.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // The keys and values (quotes removed) of the first matching section, first occurrence of each
  // key, in file order.
  std::vector<std::pair<std::string, std::string>> SectionValues(std::string_view section) const;

  // Calls visit(name, rawValue) for every key line of the first matching section, in file order
  // (a repeated key too: the first call for a name is the value that counts). One pass over the
  // section for callers that want many of its keys.
  template <typename Visit>
  void ForEachKey(std::string_view section, Visit&& visit) const {
    if (const Section* found = FindSection(section)) {
      for (const Line& line : found->body) {
        if (line.kind == LineKind::Key) visit(line.name, line.value);
      }
    }
  }

  // A value as it is stored for `value` so that reading gives it back exactly.
  static std::string EncodeValue(std::string_view value);
  // A stored value as read: quotes removed.
  static std::string DecodeValue(std::string_view raw);

 private:
  enum class LineKind { Other, Section, Key };
  struct Line {
    std::string_view text;
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;  // keys only: trimmed, quotes not yet removed
  };
  struct Section {
    Line header;
    std::vector<Line> body;
  };

  static Line ParseLine(std::string_view text);
  Line OwnLine(std::string text);
  void Parse(std::string_view text);
  const Section* FindSection(std::string_view section) const;
  Section* FindSection(std::string_view section);
  void InvalidateIndex() const { indexValid_ = false; }

  // Lines point into the loaded text or into `owned_`; both keep their addresses when moved.
  std::unique_ptr<std::string> content_;
  std::unique_ptr<std::deque<std::string>> owned_;
  bool byteOrderMark_ = false;
  bool utf16_ = false;
  std::vector<Line> preamble_;
  std::vector<Section> sections_;
  // Lower-cased section name -> index of its first section; built on the first lookup.
  mutable std::unordered_map<std::string, std::size_t> index_;
  mutable bool indexValid_ = false;
};

}  // namespace nxui
