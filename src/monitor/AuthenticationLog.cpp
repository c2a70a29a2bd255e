#include "monitor/AuthenticationLog.h"

namespace nxui::shell {

void AuthenticationLog::Clear() {
  for (auto& entry : entries_) entry.clear();
  next_ = 0;
  count_ = 0;
}

std::size_t AuthenticationLog::Write(std::string_view text) {
  const std::size_t slot = next_;
  entries_[slot] = std::string(text.substr(0, kEntrySize - 1));
  next_ = (next_ + 1) % kEntries;
  if (count_ < kEntries) ++count_;
  return slot;
}

std::vector<std::string> AuthenticationLog::Entries() const {
  std::vector<std::string> out;
  out.reserve(count_);
  const std::size_t first = (next_ + kEntries - count_) % kEntries;
  for (std::size_t i = 0; i < count_; ++i) out.push_back(entries_[(first + i) % kEntries]);
  return out;
}

}  // namespace nxui::shell
