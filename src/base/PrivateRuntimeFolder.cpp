#include "base/PrivateRuntimeFolder.h"

#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace nxui {
namespace {

std::filesystem::path FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path HomeFolder() {
  std::filesystem::path home = FromEnvironment("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return {};
}

// Creates `folder` (0700) and its missing parents, then makes sure it is private: a folder of the
// user's own that was left open to others is closed.
std::string PrepareFallback(const std::filesystem::path& folder, uid_t uid) {
  std::filesystem::path built;
  for (const auto& part : folder) {
    built /= part;
    if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST) return built.string() + ": " + std::strerror(errno);
  }
  struct stat info {};
  if (::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == uid && (info.st_mode & 077) != 0) {
    // The folder is ours and not a link (lstat): tightening it cannot touch another user's file.
    ::chmod(folder.c_str(), 0700);
  }
  return PrivateFolderProblem(folder, uid);
}

}  // namespace

std::string PrivateFolderProblem(const std::filesystem::path& folder, uid_t uid) {
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) return folder.string() + ": " + std::strerror(errno);
  if (S_ISLNK(info.st_mode)) return folder.string() + ": a link, not a folder";
  if (!S_ISDIR(info.st_mode)) return folder.string() + ": not a folder";
  if (info.st_uid != uid) return folder.string() + ": owned by user " + std::to_string(info.st_uid);
  if ((info.st_mode & 077) != 0) return folder.string() + ": open to other users";
  return {};
}

RuntimeFolderPlaces RuntimeFolderPlacesFromEnvironment() {
  RuntimeFolderPlaces places;
  places.xdgRuntimeDir = FromEnvironment("XDG_RUNTIME_DIR");
  std::error_code error;
  places.temporaryBase = std::filesystem::temp_directory_path(error);
  if (error) places.temporaryBase = "/tmp";
  const std::filesystem::path cache = FromEnvironment("XDG_CACHE_HOME");
  if (cache.is_absolute()) {
    places.cacheBase = cache;
  } else if (const auto home = HomeFolder(); !home.empty()) {
    places.cacheBase = home / ".cache";
  }
  return places;
}

std::optional<std::filesystem::path> PrivateRuntimeFolder(const RuntimeFolderPlaces& places, uid_t uid,
                                                          std::string& error) {
  error.clear();
  const auto passOver = [&error](const std::string& problem) {
    if (!error.empty()) error += "; ";
    error += problem;
  };
  // The system's runtime folder is not ours to create or change: taken as it is, or not at all.
  if (places.xdgRuntimeDir.is_absolute()) {
    const std::string problem = PrivateFolderProblem(places.xdgRuntimeDir, uid);
    if (problem.empty()) return places.xdgRuntimeDir;
    passOver(problem);
  }
  if (!places.temporaryBase.empty()) {
    const auto folder = places.temporaryBase / ("nxui-" + std::to_string(uid));
    const std::string problem = PrepareFallback(folder, uid);
    if (problem.empty()) return folder;
    passOver(problem);
  }
  if (!places.cacheBase.empty()) {
    const auto folder = places.cacheBase / "nxui" / "run";
    const std::string problem = PrepareFallback(folder, uid);
    if (problem.empty()) return folder;
    passOver(problem);
  }
  if (error.empty()) error = "no place for a private runtime folder";
  return std::nullopt;
}

SocketEntry InspectSocketEntry(const std::filesystem::path& path, uid_t uid) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? SocketEntry::Missing : SocketEntry::Other;
  return S_ISSOCK(info.st_mode) && info.st_uid == uid ? SocketEntry::OwnSocket : SocketEntry::Other;
}

bool LocalPeerUser(int socket, uid_t& uid) {
  ucred credentials{};
  socklen_t length = sizeof credentials;
  if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 || length != sizeof credentials) {
    return false;
  }
  uid = credentials.uid;
  return true;
}

}  // namespace nxui
