#include "base/IniFile.h"

#include "base/AtomicFile.h"

#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

namespace nxui {
namespace {

enum class LineKind { Other, Section, Key };

struct Line {
  std::string text;
  LineKind kind = LineKind::Other;
  std::string name;
  std::string value;  // keys only: trimmed, quotes not yet removed
};

struct Document {
  bool byteOrderMark = false;
  std::string lineEnd = "\n";
  std::vector<Line> lines;
};

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool WrappedInQuotes(std::string_view v) { return v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back(); }

std::string Unquote(std::string_view v) {
  if (WrappedInQuotes(v)) v = v.substr(1, v.size() - 2);
  return std::string(v);
}

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

Line ParseLine(std::string text) {
  Line line;
  std::string_view t = Trim(text);
  if (!t.empty() && t.front() == '[') {
    std::size_t close = t.find(']');
    if (close != std::string_view::npos) {
      line.kind = LineKind::Section;
      line.name = std::string(Trim(t.substr(1, close - 1)));
    }
  } else if (!t.empty() && t.front() != ';') {
    std::size_t eq = t.find('=');
    if (eq != std::string_view::npos) {
      std::string_view name = Trim(t.substr(0, eq));
      if (!name.empty()) {
        line.kind = LineKind::Key;
        line.name = std::string(name);
        line.value = std::string(Trim(t.substr(eq + 1)));
      }
    }
  }
  line.text = std::move(text);
  return line;
}

// False only when the file exists but cannot be read; a missing file is an empty document.
bool Load(const std::filesystem::path& path, Document& doc) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return !ec;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;

  std::string_view rest(content);
  if (rest.substr(0, kBom.size()) == kBom) {
    doc.byteOrderMark = true;
    rest.remove_prefix(kBom.size());
  }
  bool lineEndSeen = false;
  while (!rest.empty()) {
    std::size_t nl = rest.find('\n');
    std::string_view raw = rest.substr(0, nl);
    bool crlf = !raw.empty() && raw.back() == '\r';
    if (crlf) raw.remove_suffix(1);
    if (nl != std::string_view::npos && !lineEndSeen) {
      doc.lineEnd = crlf ? "\r\n" : "\n";
      lineEndSeen = true;
    }
    doc.lines.push_back(ParseLine(std::string(raw)));
    if (nl == std::string_view::npos) break;
    rest.remove_prefix(nl + 1);
  }
  return true;
}

bool Store(const std::filesystem::path& path, const Document& doc, FileSecrecy secrecy, std::string& error) {
  std::string content;
  if (doc.byteOrderMark) content += kBom;
  for (const Line& line : doc.lines) {
    content += line.text;
    content += doc.lineEnd;
  }
  return WriteFileAtomically(path, content, secrecy, error);
}

// Index of the first section line of that name, or npos.
std::size_t FindSection(const Document& doc, std::string_view section) {
  for (std::size_t i = 0; i < doc.lines.size(); ++i) {
    if (doc.lines[i].kind == LineKind::Section && SameName(doc.lines[i].name, section)) return i;
  }
  return std::string::npos;
}

// One past the last line belonging to the section whose header is at `header`.
std::size_t SectionEnd(const Document& doc, std::size_t header) {
  std::size_t i = header + 1;
  while (i < doc.lines.size() && doc.lines[i].kind != LineKind::Section) ++i;
  return i;
}

const Line* FindKey(const Document& doc, std::string_view section, std::string_view key) {
  std::size_t header = FindSection(doc, section);
  if (header == std::string::npos) return nullptr;
  std::size_t end = SectionEnd(doc, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (doc.lines[i].kind == LineKind::Key && SameName(doc.lines[i].name, key)) return &doc.lines[i];
  }
  return nullptr;
}

bool ValidSection(std::string_view section) {
  return !section.empty() && !HasLineBreakOrNul(section) && section.find(']') == std::string_view::npos;
}

bool ValidKey(std::string_view key) {
  return !key.empty() && !HasLineBreakOrNul(key) && key.front() != '[' && key.front() != ';' &&
         key.find('=') == std::string_view::npos;
}

std::string EncodeValue(std::string_view value) {
  bool changedByReading =
      (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()))) || WrappedInQuotes(value);
  if (changedByReading) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

}  // namespace

const char* IniResultText(IniResult result) {
  switch (result) {
    case IniResult::Ok:
      return "ok";
    case IniResult::InvalidSection:
      return "invalid section name";
    case IniResult::InvalidKey:
      return "invalid key name";
    case IniResult::InvalidValue:
      return "invalid value";
    case IniResult::IoError:
      return "file could not be read or written";
  }
  return "?";
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::optional<std::size_t> maxLength) const {
  Document doc;
  std::string result(defaultValue);
  if (Load(path_, doc)) {
    if (const Line* line = FindKey(doc, Trim(section), Trim(key))) result = Unquote(line->value);
  }
  if (maxLength && result.size() > *maxLength) result.resize(*maxLength);
  return result;
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
  Document doc;
  if (!Load(path_, doc)) return defaultValue;
  const Line* line = FindKey(doc, Trim(section), Trim(key));
  if (line == nullptr) return defaultValue;
  std::string_view text = line->value;
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
  Document doc;
  return Load(path_, doc) && FindKey(doc, Trim(section), Trim(key)) != nullptr;
}

IniResult IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (!ValidSection(section)) return IniResult::InvalidSection;
  if (!ValidKey(key)) return IniResult::InvalidKey;
  if (HasLineBreakOrNul(value)) return IniResult::InvalidValue;

  Document doc;
  if (!Load(path_, doc)) return IniResult::IoError;
  std::string encoded = EncodeValue(value);

  std::size_t header = FindSection(doc, section);
  if (header == std::string::npos) {
    doc.lines.push_back(ParseLine("[" + std::string(section) + "]"));
    doc.lines.push_back(ParseLine(std::string(key) + "=" + encoded));
    return Store(path_, doc, secrecy_, lastError_) ? IniResult::Ok : IniResult::IoError;
  }
  std::size_t end = SectionEnd(doc, header);
  std::size_t insertAt = header + 1;
  for (std::size_t i = header + 1; i < end; ++i) {
    Line& line = doc.lines[i];
    if (line.kind == LineKind::Key && SameName(line.name, key)) {
      line = ParseLine(line.name + "=" + encoded);
      return Store(path_, doc, secrecy_, lastError_) ? IniResult::Ok : IniResult::IoError;
    }
    if (!Trim(line.text).empty()) insertAt = i + 1;
  }
  doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   ParseLine(std::string(key) + "=" + encoded));
  return Store(path_, doc, secrecy_, lastError_) ? IniResult::Ok : IniResult::IoError;
}

IniResult IniFile::DeleteKey(std::string_view section, std::string_view key) {
  Document doc;
  if (!Load(path_, doc)) return IniResult::IoError;
  std::size_t header = FindSection(doc, Trim(section));
  if (header == std::string::npos) return IniResult::Ok;
  std::size_t end = SectionEnd(doc, header);
  bool changed = false;
  for (std::size_t i = end; i-- > header + 1;) {
    if (doc.lines[i].kind == LineKind::Key && SameName(doc.lines[i].name, Trim(key))) {
      doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(i));
      changed = true;
    }
  }
  if (!changed) return IniResult::Ok;
  return Store(path_, doc, secrecy_, lastError_) ? IniResult::Ok : IniResult::IoError;
}

IniResult IniFile::DeleteSection(std::string_view section) {
  Document doc;
  if (!Load(path_, doc)) return IniResult::IoError;
  bool changed = false;
  for (std::size_t header = FindSection(doc, Trim(section)); header != std::string::npos;
       header = FindSection(doc, Trim(section))) {
    std::size_t end = SectionEnd(doc, header);
    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(header),
                    doc.lines.begin() + static_cast<std::ptrdiff_t>(end));
    changed = true;
  }
  if (!changed) return IniResult::Ok;
  return Store(path_, doc, secrecy_, lastError_) ? IniResult::Ok : IniResult::IoError;
}

std::vector<std::string> IniFile::SectionNames() const {
  Document doc;
  std::vector<std::string> names;
  if (!Load(path_, doc)) return names;
  for (const Line& line : doc.lines) {
    if (line.kind != LineKind::Section) continue;
    bool seen = false;
    for (const std::string& n : names) seen = seen || SameName(n, line.name);
    if (!seen) names.push_back(line.name);
  }
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  Document doc;
  std::vector<std::string> names;
  if (!Load(path_, doc)) return names;
  std::size_t header = FindSection(doc, Trim(section));
  if (header == std::string::npos) return names;
  std::size_t end = SectionEnd(doc, header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const Line& line = doc.lines[i];
    if (line.kind != LineKind::Key) continue;
    bool seen = false;
    for (const std::string& n : names) seen = seen || SameName(n, line.name);
    if (!seen) names.push_back(line.name);
  }
  return names;
}

}  // namespace nxui
