// Where a per-user program keeps what must be the user's alone at run time (the single-instance
// socket): a folder that no other local user can plant anything in. Checked, not trusted: a folder
// or a socket that another user owns, that is open to others or that is a link is never used.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace nxui {

// Why `folder` cannot hold files private to user `uid`; empty when it can. It must be a folder
// itself (not a link to one), owned by `uid`, with no access for group or others.
std::string PrivateFolderProblem(const std::filesystem::path& folder, uid_t uid);

// The places tried, in order. Empty members are skipped.
struct RuntimeFolderPlaces {
  std::filesystem::path xdgRuntimeDir;  // $XDG_RUNTIME_DIR: used only as it is
  std::filesystem::path temporaryBase;  // the system's temporary folder: <base>/nxui-<uid>
  std::filesystem::path cacheBase;      // $XDG_CACHE_HOME, else ~/.cache: <base>/nxui/run
};
RuntimeFolderPlaces RuntimeFolderPlacesFromEnvironment();

// The first usable place. The two fallbacks are created 0700 when missing, and tightened to 0700
// when they are the user's own folder but open to others; one that another user planted (or a link
// or a file in its place) is passed over, so every launch of the same user arrives at the same
// folder. Nullopt with `error` (each place and why) when none can be had.
std::optional<std::filesystem::path> PrivateRuntimeFolder(const RuntimeFolderPlaces& places, uid_t uid,
                                                          std::string& error);

enum class SocketEntry {
  Missing,    // nothing at the path
  OwnSocket,  // a local socket owned by the user
  Other,      // anything else: a file, a link, a folder, another user's socket
};
SocketEntry InspectSocketEntry(const std::filesystem::path& path, uid_t uid);

// The user of the process at the other end of a connected local socket; false when it cannot be
// told (then the peer is not trusted).
bool LocalPeerUser(int socket, uid_t& uid);

}  // namespace nxui
