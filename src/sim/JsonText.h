// JSON files of the simulated machine (scenarios, the WLAN service's profile lists) read so that
// every error names the file and the line: syntax errors where the parser stopped, nesting deeper
// than the loader walks and a member given twice where it happens, and any later complaint about
// a member at the line of that member.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace nxui::sim {

using Json = nlohmann::ordered_json;

// Nesting the readers accept: a file nested deeper is refused before it is parsed.
inline constexpr int kMaxJsonDepth = 256;

// The line of every value of a well-formed JSON text, keyed by JSON pointer.
class JsonLineIndex {
 public:
  JsonLineIndex() = default;
  // The member itself, else its nearest recorded parent; 1 when nothing matches.
  int LineOf(const std::string& pointer) const;

 private:
  friend class JsonLineIndexBuilder;
  std::map<std::string, int> lines_;
};

// Parses `text`. On failure `error` is "source:line: what" and `document` is left as it was.
bool ParseJsonText(std::string_view text, const std::string& source, Json& document, JsonLineIndex& lines,
                   std::string& error);

}  // namespace nxui::sim
