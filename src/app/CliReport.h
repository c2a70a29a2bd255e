// One command's output, built once and printed either as one JSON document or as aligned text.
// Every member has a JSON key (fixed, the contract of the command line) and a label (the page's
// own text in the chosen language) that people read. A member with an empty key is for people
// only; a section with an empty label only groups members for machines.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace nxui::cli {

using Json = nlohmann::ordered_json;

class CliReport {
 public:
  struct Column {
    std::string header;
  };

  CliReport() = default;
  CliReport(const CliReport&) = delete;
  CliReport& operator=(const CliReport&) = delete;

  // A member shown as "label  text"; its JSON value is the text.
  CliReport& Text(const std::string& key, const std::string& label, const std::string& text);
  // A member whose JSON value is not its shown text (numbers, flags, arrays).
  CliReport& Value(const std::string& key, const std::string& label, Json value, const std::string& shown);
  // A member for machines only.
  CliReport& Hidden(const std::string& key, Json value);
  // A nested object, shown under its label and indented.
  CliReport& Section(const std::string& key, const std::string& label);

  // Turns this report (root or section) into a table: a JSON array of row objects, shown as
  // aligned columns under a header line. Rows give their JSON object and their shown cells.
  void MakeTable(std::vector<std::string> headers);
  void AddRow(Json row, std::vector<std::string> cells);

  // Nothing was added (a command that printed as it went).
  bool Empty() const { return !table_ && members_.empty(); }

  Json ToJson() const;
  // Aligned text; `indent` spaces before every line.
  void WriteText(std::ostream& out, int indent = 0) const;

 private:
  struct Member {
    std::string key;
    std::string label;
    Json value;
    std::string shown;
    bool shownToPeople = true;
    std::unique_ptr<CliReport> section;
  };

  std::vector<Member> members_;
  bool table_ = false;
  std::vector<std::string> headers_;
  std::vector<Json> rows_;
  std::vector<std::vector<std::string>> cells_;
};

// Columns a text takes on a terminal: East Asian wide characters take two, combining marks none.
std::size_t DisplayWidth(const std::string& utf8);
// Control characters as "?" (network names are untrusted bytes and must not drive the terminal);
// line breaks kept when asked.
std::string Printable(const std::string& text, bool keepLineBreaks);
// The text padded with blanks to `width` columns.
std::string PadRight(const std::string& utf8, std::size_t width);
// JSON text that never fails on bytes that are not UTF-8 (network names are raw bytes).
std::string DumpJson(const Json& json, int indent);

}  // namespace nxui::cli
