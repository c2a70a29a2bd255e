#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

namespace nxui {
namespace {

struct ArmedFault {
  AtomicWriteStep step;
  int errorNumber;
};

std::mutex faultMutex;
std::optional<ArmedFault> armedFault;
bool faultFired = false;

// Errno of an armed fault at `step` (consuming it), or 0.
int InjectedError(AtomicWriteStep step) {
  const std::lock_guard lock(faultMutex);
  if (!armedFault || armedFault->step != step) return 0;
  const int error = armedFault->errorNumber;
  armedFault.reset();
  faultFired = true;
  return error;
}

std::string Describe(const std::filesystem::path& path, int errorNumber) {
  return path.string() + ": " + std::strerror(errorNumber);
}

constexpr mode_t ModeFor(FileSecrecy secrecy) { return secrecy == FileSecrecy::Secret ? 0600 : 0644; }

bool WriteAll(int fd, std::string_view content, int& errorNumber) {
  if (const int injected = InjectedError(AtomicWriteStep::Write)) {
    errorNumber = injected;
    return false;
  }
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      errorNumber = errno;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The rename is durable only once the folder's entry is on the disk; failing that is not an error
// of the write (the new content is complete either way).
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content, FileSecrecy secrecy,
                         std::string& error) {
  const std::filesystem::path folder = path.parent_path();
  mode_t mode = ModeFor(secrecy);
  struct stat old {};
  if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) mode &= old.st_mode & 07777;

  std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = -1;
  if (const int injected = InjectedError(AtomicWriteStep::Create)) {
    error = Describe(path, injected);
    return false;
  }
  // mkostemp creates the file exclusively (O_CREAT | O_EXCL) with mode 0600: a name planted in
  // the folder is never opened.
  fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) {
    error = Describe(path, errno);
    return false;
  }
  const std::string temporary(name.data());
  const auto fail = [&](int errorNumber) {
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    error = Describe(path, errorNumber);
    return false;
  };

  int errorNumber = 0;
  if (!WriteAll(fd, content, errorNumber)) return fail(errorNumber);
  if (::fchmod(fd, mode) != 0) return fail(errno);
  if (const int injected = InjectedError(AtomicWriteStep::Flush)) return fail(injected);
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    fd = -1;
    return fail(errno);
  }
  fd = -1;
  if (const int injected = InjectedError(AtomicWriteStep::Rename)) return fail(injected);
  if (::rename(temporary.c_str(), path.c_str()) != 0) return fail(errno);
  SyncFolder(folder);
  return true;
}

bool EnsurePrivateFolder(const std::filesystem::path& folder, std::string& error) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return true;
    error = folder.string() + ": not a folder";
    return false;
  }
  std::filesystem::path built;
  for (const auto& part : folder) {
    built /= part;
    if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST) {
      error = Describe(built, errno);
      return false;
    }
  }
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    error = folder.string() + ": not a folder";
    return false;
  }
  return true;
}

void ArmAtomicWriteFault(AtomicWriteStep step, int errorNumber) {
  const std::lock_guard lock(faultMutex);
  armedFault = ArmedFault{step, errorNumber};
  faultFired = false;
}

bool ClearAtomicWriteFault() {
  const std::lock_guard lock(faultMutex);
  armedFault.reset();
  const bool fired = faultFired;
  faultFired = false;
  return fired;
}

}  // namespace nxui
