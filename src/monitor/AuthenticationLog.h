// The 802.1X authentication-status messages: a ring of 200 slots of at most 255 bytes and a slot
// index, for the whole program. The hidden window owns it and clears it at start; the producer
// writes a message into the slot at the index and posts that slot's number to the authentication
// status panel, which reads it. "OK" in a slot ends an authentication.
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
  static constexpr std::string_view kEndOfAuthentication = "OK";

  // Every slot emptied, the index back to 0.
  void Clear();
  // Stores the text (longer texts are cut) in the slot at the index, advances the index (200
  // wraps to 0) and returns the slot written.
  std::size_t Write(std::string_view text);
  void Append(std::string_view text) { Write(text); }

  const std::string& Slot(std::size_t slot) const { return entries_[slot % kEntries]; }
  std::size_t Index() const { return next_; }
  // The reader's view of the index (it follows the slots it was told of); out of range is ignored.
  void SetIndex(std::size_t index) {
    if (index < kEntries) next_ = index;
  }

  // Messages written since the last Clear, at most 200.
  std::size_t Count() const { return count_; }
  // Oldest first.
  std::vector<std::string> Entries() const;

 private:
  std::array<std::string, kEntries> entries_;
  std::size_t next_ = 0;
  std::size_t count_ = 0;
};

}  // namespace nxui::shell
