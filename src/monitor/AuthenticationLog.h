// The 802.1X authentication-status messages: a ring of 200 entries of at most 255 bytes that lives
// for the whole program. The hidden window owns it and clears it at start.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nxui::shell {

class AuthenticationLog {
 public:
  static constexpr std::size_t kEntries = 200;
  static constexpr std::size_t kEntrySize = 256;  // with the terminator

  void Clear();
  // Overwrites the oldest entry once the ring is full; longer texts are cut.
  void Append(std::string_view text);
  std::size_t Count() const { return count_; }
  // Oldest first.
  std::vector<std::string> Entries() const;

 private:
  std::array<std::string, kEntries> entries_;
  std::size_t next_ = 0;
  std::size_t count_ = 0;
};

}  // namespace nxui::shell
