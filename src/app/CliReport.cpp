#include "app/CliReport.h"

#include <algorithm>

namespace nxui::cli {

namespace {

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsZeroWidth(char32_t c) { return (c >= 0x0300 && c <= 0x036F) || c == 0x200B || (c >= 0xFE00 && c <= 0xFE0F); }

}  // namespace

std::size_t DisplayWidth(const std::string& utf8) {
  std::size_t width = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = 1;
    char32_t c = lead;
    if (lead >= 0xF0) {
      length = 4;
      c = lead & 0x07;
    } else if (lead >= 0xE0) {
      length = 3;
      c = lead & 0x0F;
    } else if (lead >= 0xC0) {
      length = 2;
      c = lead & 0x1F;
    }
    if (i + length > utf8.size()) length = utf8.size() - i;  // a cut sequence counts as one column
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += length;
    if (c < 0x20) continue;
    if (IsZeroWidth(c)) continue;
    width += IsWide(c) ? 2 : 1;
  }
  return width;
}

std::string Printable(const std::string& text, bool keepLineBreaks) {
  std::string result = text;
  for (char& c : result) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && !(keepLineBreaks && c == '\n')) || byte == 0x7F) c = '?';
  }
  return result;
}

std::string PadRight(const std::string& utf8, std::size_t width) {
  const std::size_t have = DisplayWidth(utf8);
  return have >= width ? utf8 : utf8 + std::string(width - have, ' ');
}

std::string DumpJson(const Json& json, int indent) {
  return json.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

CliReport& CliReport::Text(const std::string& key, const std::string& label, const std::string& text) {
  members_.push_back(Member{key, label, Json(text), text, true, nullptr});
  return *this;
}

CliReport& CliReport::Value(const std::string& key, const std::string& label, Json value, const std::string& shown) {
  members_.push_back(Member{key, label, std::move(value), shown, true, nullptr});
  return *this;
}

CliReport& CliReport::Hidden(const std::string& key, Json value) {
  members_.push_back(Member{key, {}, std::move(value), {}, false, nullptr});
  return *this;
}

CliReport& CliReport::Section(const std::string& key, const std::string& label) {
  members_.push_back(Member{key, label, Json(), {}, true, std::make_unique<CliReport>()});
  return *members_.back().section;
}

void CliReport::MakeTable(std::vector<std::string> headers) {
  table_ = true;
  headers_ = std::move(headers);
}

void CliReport::AddRow(Json row, std::vector<std::string> cells) {
  cells.resize(headers_.size());
  rows_.push_back(std::move(row));
  cells_.push_back(std::move(cells));
}

Json CliReport::ToJson() const {
  if (table_) {
    Json array = Json::array();
    for (const Json& row : rows_) array.push_back(row);
    return array;
  }
  Json object = Json::object();
  for (const Member& m : members_) {
    if (m.key.empty()) continue;  // for people only
    object[m.key] = m.section ? m.section->ToJson() : m.value;
  }
  return object;
}

void CliReport::WriteText(std::ostream& out, int indent) const {
  const std::string margin(static_cast<std::size_t>(indent), ' ');
  if (table_) {
    std::vector<std::size_t> widths(headers_.size(), 0);
    for (std::size_t c = 0; c < headers_.size(); ++c) widths[c] = DisplayWidth(headers_[c]);
    std::vector<std::vector<std::string>> shown;
    for (const auto& row : cells_) {
      std::vector<std::string> cells;
      for (std::size_t c = 0; c < row.size(); ++c) {
        cells.push_back(Printable(row[c], false));
        widths[c] = std::max(widths[c], DisplayWidth(cells.back()));
      }
      shown.push_back(std::move(cells));
    }
    auto writeLine = [&](const std::vector<std::string>& cells) {
      std::string line = margin;
      for (std::size_t c = 0; c < cells.size(); ++c) {
        line += c + 1 < cells.size() ? PadRight(cells[c], widths[c] + 2) : cells[c];
      }
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out << line << '\n';
    };
    writeLine(headers_);
    for (const auto& row : shown) writeLine(row);
    return;
  }
  std::size_t labelWidth = 0;
  for (const Member& m : members_) {
    if (m.shownToPeople && !m.section) labelWidth = std::max(labelWidth, DisplayWidth(Printable(m.label, false)));
  }
  for (const Member& m : members_) {
    if (!m.shownToPeople) continue;
    if (m.section) {
      // A section without a label only groups its members for machines.
      if (m.label.empty()) {
        m.section->WriteText(out, indent);
      } else {
        out << margin << m.label << '\n';
        m.section->WriteText(out, indent + 2);
      }
      continue;
    }
    // A value of several lines continues under its first line.
    const std::string lead = margin + PadRight(Printable(m.label, false), labelWidth + 2);
    const std::string value = Printable(m.shown, true);
    std::size_t start = 0;
    bool first = true;
    do {
      const std::size_t end = std::min(value.find('\n', start), value.size());
      std::string line = (first ? lead : std::string(DisplayWidth(lead), ' ')) + value.substr(start, end - start);
      while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
      out << line << '\n';
      first = false;
      start = end + 1;
    } while (start < value.size());
  }
}

}  // namespace nxui::cli
