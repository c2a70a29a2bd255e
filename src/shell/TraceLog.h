// The start-up and message trace, on when [Advance] "OpenFile" = "1" in the program's ini file.
// Each line is appended as it stands, the file being opened and closed for every line so that a
// crash loses nothing.
//
// Where the file lies: "$XDG_DATA_HOME/nxui/NxUI_test.txt", with XDG_DATA_HOME defaulting to
// "$HOME/.local/share" (the per-user data directory; the program never writes to the root of a
// drive). The directory is created when the first line is written. Tests pass a path of their own.
#pragma once

#include <filesystem>
#include <string_view>

namespace nxui::shell {

class TraceLog {
 public:
  TraceLog() = default;
  explicit TraceLog(std::filesystem::path file) : file_(std::move(file)) {}

  // The per-user default described above; empty when neither variable is set.
  static std::filesystem::path DefaultPath();

  void SetEnabled(bool enabled) { enabled_ = enabled; }
  const std::filesystem::path& File() const { return file_; }

  // Appends `text` unchanged when tracing is on; failures are silent.
  void Write(std::string_view text) const;
  // " Message = 0x%08x\n"
  void WriteMessage(unsigned message) const;

 private:
  std::filesystem::path file_;
  bool enabled_ = false;
};

}  // namespace nxui::shell
