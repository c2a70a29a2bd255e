#include "base/IniDocument.h"
#include "base/AsciiCase.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace nxui {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string LowerCopy(std::string_view s) { return AsciiLowerCopy(s); }

bool SameName(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool WrappedInQuotes(std::string_view v) { return v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back(); }

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16 text after its byte order mark, as UTF-8; unpaired surrogates and an odd last byte become
// U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](std::size_t i) -> std::uint32_t {
    const auto b0 = static_cast<std::uint8_t>(bytes[i]);
    const auto b1 = static_cast<std::uint8_t>(bytes[i + 1]);
    return bigEndian ? (static_cast<std::uint32_t>(b0) << 8 | b1) : (static_cast<std::uint32_t>(b1) << 8 | b0);
  };
  std::size_t i = 0;
  for (; i + 2 <= bytes.size(); i += 2) {
    std::uint32_t cp = unit(i);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 4 <= bytes.size()) {
      const std::uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      } else {
        cp = 0xFFFD;
      }
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
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
    case IniResult::Utf16File:
      return "UTF-16 file: only 8-bit text files are changed, this one was left as it is";
  }
  return "?";
}

std::string_view TrimIniBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsValidIniSection(std::string_view section) {
  section = TrimIniBlanks(section);
  return !section.empty() && !HasLineBreakOrNul(section);
}

bool IsValidIniKey(std::string_view key) {
  key = TrimIniBlanks(key);
  return !key.empty() && !HasLineBreakOrNul(key) && key.front() != '[' && key.front() != ';' &&
         key.find('=') == std::string_view::npos;
}

std::string IniDocument::EncodeValue(std::string_view value) {
  const bool changedByReading =
      (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()))) || WrappedInQuotes(value);
  if (changedByReading) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

std::string IniDocument::DecodeValue(std::string_view raw) {
  if (WrappedInQuotes(raw)) raw = raw.substr(1, raw.size() - 2);
  return std::string(raw);
}

IniDocument::IniDocument()
    : content_(std::make_unique<std::string>()), owned_(std::make_unique<std::deque<std::string>>()) {}

IniDocument::IniDocument(std::string text) : IniDocument() {
  std::string_view view(text);
  if (view.size() >= 2 && ((view[0] == '\xFF' && view[1] == '\xFE') || (view[0] == '\xFE' && view[1] == '\xFF'))) {
    utf16_ = true;
    *content_ = Utf16ToUtf8(view.substr(2), view[0] == '\xFE');
  } else {
    *content_ = std::move(text);
  }
  Parse(*content_);
}

IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

IniDocument::Line IniDocument::ParseLine(std::string_view text) {
  Line line;
  line.text = text;
  const std::string_view t = TrimIniBlanks(text);
  if (!t.empty() && t.front() == '[') {
    const std::size_t close = t.rfind(']');
    if (close != std::string_view::npos && close > 0) {
      line.kind = LineKind::Section;
      line.name = TrimIniBlanks(t.substr(1, close - 1));
    }
  } else if (!t.empty() && t.front() != ';') {
    const std::size_t eq = t.find('=');
    if (eq != std::string_view::npos) {
      const std::string_view name = TrimIniBlanks(t.substr(0, eq));
      if (!name.empty()) {
        line.kind = LineKind::Key;
        line.name = name;
        line.value = TrimIniBlanks(t.substr(eq + 1));
      }
    }
  }
  return line;
}

IniDocument::Line IniDocument::OwnLine(std::string text) {
  owned_->push_back(std::move(text));
  return ParseLine(owned_->back());
}

void IniDocument::Parse(std::string_view rest) {
  if (!utf16_ && rest.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    byteOrderMark_ = true;
    rest.remove_prefix(kUtf8Bom.size());
  }
  while (!rest.empty()) {
    // A plain scan: find_first_of over a two-character set costs a call per character.
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') ++end;
    if (end == rest.size()) end = std::string_view::npos;
    const std::string_view raw = rest.substr(0, end);
    Line line = ParseLine(raw);
    if (line.kind == LineKind::Section) {
      sections_.push_back(Section{line, {}});
    } else if (sections_.empty()) {
      preamble_.push_back(line);
    } else {
      sections_.back().body.push_back(line);
    }
    if (end == std::string_view::npos) break;
    const std::size_t next = (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n') ? end + 2 : end + 1;
    rest.remove_prefix(next);
  }
}

std::string IniDocument::Serialize() const {
  std::size_t size = byteOrderMark_ ? kUtf8Bom.size() : 0;
  for (const Line& line : preamble_) size += line.text.size() + kLineEnd.size();
  for (const Section& section : sections_) {
    size += section.header.text.size() + kLineEnd.size();
    for (const Line& line : section.body) size += line.text.size() + kLineEnd.size();
  }
  std::string out;
  out.reserve(size);
  if (byteOrderMark_) out += kUtf8Bom;
  for (const Line& line : preamble_) {
    out += line.text;
    out += kLineEnd;
  }
  for (const Section& section : sections_) {
    out += section.header.text;
    out += kLineEnd;
    for (const Line& line : section.body) {
      out += line.text;
      out += kLineEnd;
    }
  }
  return out;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const {
  section = TrimIniBlanks(section);
  if (!indexValid_) {
    index_.clear();
    index_.reserve(sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i) index_.try_emplace(LowerCopy(sections_[i].header.name), i);
    indexValid_ = true;
  }
  const auto found = index_.find(LowerCopy(section));
  return found == index_.end() ? nullptr : &sections_[found->second];
}

IniDocument::Section* IniDocument::FindSection(std::string_view section) {
  return const_cast<Section*>(std::as_const(*this).FindSection(section));
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  key = TrimIniBlanks(key);
  for (const Line& line : found->body) {
    if (line.kind == LineKind::Key && SameName(line.name, key)) return line.value;
  }
  return std::nullopt;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  const auto raw = Find(section, key);
  return raw ? DecodeValue(*raw) : std::string(defaultValue);
}

IniResult IniDocument::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimIniBlanks(section);
  key = TrimIniBlanks(key);
  if (!IsValidIniSection(section)) return IniResult::InvalidSection;
  if (!IsValidIniKey(key)) return IniResult::InvalidKey;
  if (HasLineBreakOrNul(value)) return IniResult::InvalidValue;

  std::string line = std::string(key) + "=" + EncodeValue(value);
  Section* found = FindSection(section);
  if (found == nullptr) {
    sections_.push_back(Section{OwnLine("[" + std::string(section) + "]"), {}});
    sections_.back().body.push_back(OwnLine(std::move(line)));
    if (indexValid_) index_.try_emplace(LowerCopy(section), sections_.size() - 1);
    return IniResult::Ok;
  }
  std::size_t insertAt = 0;
  for (std::size_t i = 0; i < found->body.size(); ++i) {
    Line& existing = found->body[i];
    if (existing.kind == LineKind::Key && SameName(existing.name, key)) {
      // The first spelling of the name stays.
      existing = OwnLine(std::string(existing.name) + "=" + EncodeValue(value));
      return IniResult::Ok;
    }
    if (!TrimIniBlanks(existing.text).empty()) insertAt = i + 1;
  }
  found->body.insert(found->body.begin() + static_cast<std::ptrdiff_t>(insertAt), OwnLine(std::move(line)));
  return IniResult::Ok;
}

IniResult IniDocument::DeleteKey(std::string_view section, std::string_view key) {
  Section* found = FindSection(section);
  if (found == nullptr) return IniResult::Ok;
  key = TrimIniBlanks(key);
  for (auto it = found->body.begin(); it != found->body.end(); ++it) {
    if (it->kind == LineKind::Key && SameName(it->name, key)) {
      found->body.erase(it);
      break;
    }
  }
  return IniResult::Ok;
}

IniResult IniDocument::DeleteSection(std::string_view section) {
  const Section* found = FindSection(section);
  if (found == nullptr) return IniResult::Ok;
  sections_.erase(sections_.begin() + (found - sections_.data()));
  InvalidateIndex();
  return IniResult::Ok;
}

std::size_t IniDocument::DeleteSectionsNamedExactly(std::string_view section) {
  section = TrimIniBlanks(section);
  const std::size_t before = sections_.size();
  std::erase_if(sections_, [section](const Section& s) { return s.header.name == section; });
  const std::size_t removed = before - sections_.size();
  if (removed != 0) InvalidateIndex();
  return removed;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  std::unordered_map<std::string, bool> seen;
  for (const Section& section : sections_) {
    if (seen.try_emplace(LowerCopy(section.header.name), true).second) names.emplace_back(section.header.name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  for (auto& [key, value] : SectionValues(section)) names.push_back(std::move(key));
  return names;
}

std::vector<std::pair<std::string, std::string>> IniDocument::SectionValues(std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> values;
  const Section* found = FindSection(section);
  if (found == nullptr) return values;
  for (const Line& line : found->body) {
    if (line.kind != LineKind::Key) continue;
    const bool seen = std::any_of(values.begin(), values.end(),
                                  [&line](const auto& entry) { return SameName(entry.first, line.name); });
    if (!seen) values.emplace_back(std::string(line.name), DecodeValue(line.value));
  }
  return values;
}

}  // namespace nxui
