#include "shell/TraceLog.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace nxui::shell {

std::filesystem::path TraceLog::DefaultPath() {
  std::filesystem::path base;
  if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome != nullptr && *dataHome != '\0') {
    base = dataHome;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    return {};
  }
  return base / "nxui" / "NxUI_test.txt";
}

void TraceLog::Write(std::string_view text) const {
  if (!enabled_ || file_.empty()) return;
  std::error_code ignored;
  if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), ignored);
  std::ofstream out(file_, std::ios::binary | std::ios::app);
  if (!out) return;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void TraceLog::WriteMessage(unsigned message) const {
  char line[32];
  std::snprintf(line, sizeof line, " Message = 0x%08x\n", message);
  Write(line);
}

}  // namespace nxui::shell
