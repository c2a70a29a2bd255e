#include "sim/StateFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace nxui::sim {

StateFolderLock::~StateFolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

bool StateFolderLock::Acquire(const std::filesystem::path& folder, std::uint32_t waitMs,
                              const std::function<void()>& onBusy, std::string& error) {
  const std::filesystem::path file = folder / kStateLockFileName;
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    error = file.string() + ": " + std::strerror(errno);
    return false;
  }
  // Another process's hold is only visible on the clock: this wait is the one place the simulator
  // uses real time.
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
  bool toldBusy = false;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) {
      error = file.string() + ": " + std::strerror(errno);
      ::close(fd);
      return false;
    }
    if (Clock::now() >= deadline) {
      error = folder.string() + ": the state folder is in use by another run of nxui";
      ::close(fd);
      return false;
    }
    if (!toldBusy && onBusy) onBusy();
    toldBusy = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  fd_ = fd;
  return true;
}

}  // namespace nxui::sim
