// The exclusive hold of one run on a state folder: an flock on "nxui.lock" inside it, taken before
// anything there is read and kept until the world ends, so that two runs never interleave their
// read-modify-write of the registry file or the profile lists.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace nxui::sim {

inline constexpr const char* kStateLockFileName = "nxui.lock";

class StateFolderLock {
 public:
  StateFolderLock() = default;
  ~StateFolderLock();
  StateFolderLock(const StateFolderLock&) = delete;
  StateFolderLock& operator=(const StateFolderLock&) = delete;

  // Takes the lock, waiting up to `waitMs` of real time while another process holds it
  // (`onBusy` is told once when the wait begins). False with "folder: reason" otherwise.
  bool Acquire(const std::filesystem::path& folder, std::uint32_t waitMs, const std::function<void()>& onBusy,
               std::string& error);
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace nxui::sim
