#include "sim/JsonText.h"

#include <algorithm>
#include <set>
#include <vector>

namespace nxui::sim {

namespace {

// Line (1-based) of the byte at `offset`.
int LineAt(std::string_view text, std::size_t offset) {
  const std::size_t end = std::min(offset, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

// Offset of the first bracket that opens a level deeper than kMaxJsonDepth, or npos. Only looks
// at brackets outside of strings; the parser judges everything else afterwards.
std::size_t TooDeepAt(std::string_view text) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > kMaxJsonDepth) return i;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return std::string_view::npos;
}

// The parser's own description of a syntax error and the byte where it stopped.
std::string SyntaxError(std::string_view text, const std::string& source) {
  struct Sax : nlohmann::json_sax<Json> {
    std::size_t errorByte = 0;
    std::string message;
    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }
    bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& ex) override {
      errorByte = position;
      message = ex.what();
      return false;
    }
  } sax;
  Json::sax_parse(text.begin(), text.end(), &sax);
  const int line = LineAt(text, sax.errorByte == 0 ? 0 : sax.errorByte - 1);
  // Keep only the parser's description, without its own position text.
  std::string what = sax.message;
  if (auto colon = what.find(": syntax error"); colon != std::string::npos) what = what.substr(colon + 2);
  if (auto at = what.find(" at line "); at != std::string::npos) {
    if (auto colon2 = what.find(": ", at); colon2 != std::string::npos) what = what.substr(0, at) + what.substr(colon2);
  }
  return source + ":" + std::to_string(line) + ": " + (what.empty() ? "syntax error" : what);
}

}  // namespace

// Walks a text the parser accepted, no deeper than kMaxJsonDepth, recording the line of every
// value and the first member given twice in one object.
class JsonLineIndexBuilder {
 public:
  JsonLineIndexBuilder(std::string_view text, JsonLineIndex& index) : text_(text), index_(index) {
    SkipBlanks();
    Value("", 0);
  }
  bool duplicate() const { return duplicateLine_ != 0; }
  int duplicateLine() const { return duplicateLine_; }
  const std::string& duplicateKey() const { return duplicateKey_; }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        break;
      }
      ++pos_;
    }
  }
  std::string String() {
    std::string out;
    if (pos_ >= text_.size() || text_[pos_] != '"') return out;
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) {
        out += text_[pos_ + 1];
        pos_ += 2;
        continue;
      }
      out += text_[pos_++];
    }
    ++pos_;
    return out;
  }
  static std::string Escape(const std::string& key) {
    std::string out;
    for (char c : key) {
      if (c == '~') {
        out += "~0";
      } else if (c == '/') {
        out += "~1";
      } else {
        out += c;
      }
    }
    return out;
  }
  // Every call consumes the value it starts at, so the loops around it always advance.
  void Value(const std::string& path, int depth) {
    if (pos_ >= text_.size()) return;
    index_.lines_.insert_or_assign(path, line_);
    const char c = text_[pos_];
    if ((c == '{' || c == '[') && depth >= kMaxJsonDepth) {
      pos_ = text_.size();  // checked before parsing; never walked past
      return;
    }
    if (c == '{') {
      ++pos_;
      SkipBlanks();
      std::set<std::string> keys;
      while (pos_ < text_.size() && text_[pos_] != '}') {
        const int keyLine = line_;
        const std::string key = String();
        if (!keys.insert(key).second && !duplicate()) {
          duplicateLine_ = keyLine;
          duplicateKey_ = key;
        }
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ':') ++pos_;
        SkipBlanks();
        Value(path + "/" + Escape(key), depth + 1);
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
        SkipBlanks();
      }
      ++pos_;
    } else if (c == '[') {
      ++pos_;
      SkipBlanks();
      int index = 0;
      while (pos_ < text_.size() && text_[pos_] != ']') {
        Value(path + "/" + std::to_string(index++), depth + 1);
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
        SkipBlanks();
      }
      ++pos_;
    } else if (c == '"') {
      String();
    } else {
      const std::size_t start = pos_;
      while (pos_ < text_.size() && std::string_view(",}] \t\r\n").find(text_[pos_]) == std::string_view::npos) {
        ++pos_;
      }
      if (pos_ == start) ++pos_;  // never stand still on a stray character
    }
  }

  std::string_view text_;
  JsonLineIndex& index_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int duplicateLine_ = 0;
  std::string duplicateKey_;
};

int JsonLineIndex::LineOf(const std::string& pointer) const {
  std::string p = pointer;
  for (;;) {
    auto it = lines_.find(p);
    if (it != lines_.end()) return it->second;
    const auto slash = p.rfind('/');
    if (slash == std::string::npos) return 1;
    p.resize(slash);
  }
}

bool ParseJsonText(std::string_view text, const std::string& source, Json& document, JsonLineIndex& lines,
                   std::string& error) {
  if (const std::size_t deep = TooDeepAt(text); deep != std::string_view::npos) {
    error = source + ":" + std::to_string(LineAt(text, deep)) + ": nesting too deep";
    return false;
  }
  Json parsed = Json::parse(text.begin(), text.end(), nullptr, false);
  if (parsed.is_discarded()) {
    error = SyntaxError(text, source);
    return false;
  }
  JsonLineIndex index;
  const JsonLineIndexBuilder builder(text, index);
  if (builder.duplicate()) {
    error = source + ":" + std::to_string(builder.duplicateLine()) + ": member \"" + builder.duplicateKey() +
            "\" is given twice";
    return false;
  }
  document = std::move(parsed);
  lines = std::move(index);
  return true;
}

}  // namespace nxui::sim
