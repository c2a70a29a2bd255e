#include "base/PrivateRuntimeFolder.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "adapter/fakes/TempDir.h"

namespace nxui {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 4242;

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

void MakeFolder(const fs::path& path, mode_t mode) {
  fs::create_directories(path);
  ::chmod(path.c_str(), mode);
}

// Only root can make a file another user's; the rows that need it are skipped otherwise.
bool CanPlantForeignFiles() { return ::geteuid() == 0; }

void GiveToOtherUser(const fs::path& path) { ASSERT_EQ(::lchown(path.c_str(), kOtherUser, kOtherUser), 0) << path; }

// A listening local socket bound at `path`; the descriptor stays open for the test.
int BindSocket(const fs::path& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);
  ::listen(fd, 1);
  return fd;
}

enum class Chosen { Xdg, Temporary, Cache, None };

struct FolderCase {
  const char* name;
  bool needsRoot;
  std::function<void(const TempDir&, RuntimeFolderPlaces&)> setUp;
  Chosen chosen;
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class RuntimeFolderChoice : public ::testing::TestWithParam<FolderCase> {};

TEST_P(RuntimeFolderChoice, TakesTheFirstFolderThatIsTheUsersAlone) {
  const FolderCase& c = GetParam();
  if (c.needsRoot && !CanPlantForeignFiles()) GTEST_SKIP() << "needs root to plant another user's files";
  TempDir dir;
  const uid_t uid = ::geteuid();
  RuntimeFolderPlaces places;
  places.xdgRuntimeDir = dir / "xdg";
  places.temporaryBase = dir / "tmp";
  places.cacheBase = dir / "cache";
  MakeFolder(places.temporaryBase, 01777);
  c.setUp(dir, places);
  struct stat xdgBefore {};
  const bool xdgExists = !places.xdgRuntimeDir.empty() && ::lstat(places.xdgRuntimeDir.c_str(), &xdgBefore) == 0;

  std::string error;
  const auto folder = PrivateRuntimeFolder(places, uid, error);
  if (xdgExists) {
    EXPECT_EQ(ModeOf(places.xdgRuntimeDir), xdgBefore.st_mode & 07777) << "the system's folder";
  }
  const fs::path expected[] = {places.xdgRuntimeDir,
                               places.temporaryBase / ("nxui-" + std::to_string(uid)),
                               places.cacheBase / "nxui" / "run",
                               {}};
  if (c.chosen == Chosen::None) {
    EXPECT_FALSE(folder.has_value()) << folder.value_or("");
    EXPECT_FALSE(error.empty());
    return;
  }
  ASSERT_TRUE(folder.has_value()) << error;
  EXPECT_EQ(*folder, expected[static_cast<int>(c.chosen)]);
  EXPECT_EQ(PrivateFolderProblem(*folder, uid), "");
  EXPECT_EQ(ModeOf(*folder), 0700u);
}

const fs::path kTemporaryName = "nxui-" + std::to_string(::geteuid());

INSTANTIATE_TEST_SUITE_P(
    Places, RuntimeFolderChoice,
    ::testing::Values(
        FolderCase{"xdg_private", false,
                   [](const TempDir&, RuntimeFolderPlaces& p) { MakeFolder(p.xdgRuntimeDir, 0700); }, Chosen::Xdg},
        FolderCase{"xdg_unset", false, [](const TempDir&, RuntimeFolderPlaces& p) { p.xdgRuntimeDir.clear(); },
                   Chosen::Temporary},
        FolderCase{"xdg_relative", false,
                   [](const TempDir&, RuntimeFolderPlaces& p) { p.xdgRuntimeDir = "relative/run"; }, Chosen::Temporary},
        FolderCase{"xdg_missing", false, [](const TempDir&, RuntimeFolderPlaces&) {}, Chosen::Temporary},
        FolderCase{"xdg_open_to_others_is_not_changed", false,
                   [](const TempDir&, RuntimeFolderPlaces& p) { MakeFolder(p.xdgRuntimeDir, 0755); },
                   Chosen::Temporary},
        FolderCase{"xdg_a_link_to_a_private_folder", false,
                   [](const TempDir& d, RuntimeFolderPlaces& p) {
                     MakeFolder(d / "real", 0700);
                     fs::create_directory_symlink(d / "real", p.xdgRuntimeDir);
                   },
                   Chosen::Temporary},
        FolderCase{"xdg_of_another_user", true,
                   [](const TempDir&, RuntimeFolderPlaces& p) {
                     MakeFolder(p.xdgRuntimeDir, 0700);
                     GiveToOtherUser(p.xdgRuntimeDir);
                   },
                   Chosen::Temporary},
        FolderCase{"own_fallback_left_open_is_closed", false,
                   [](const TempDir&, RuntimeFolderPlaces& p) { MakeFolder(p.temporaryBase / kTemporaryName, 0777); },
                   Chosen::Temporary},
        FolderCase{"fallback_planted_by_another_user", true,
                   [](const TempDir&, RuntimeFolderPlaces& p) {
                     MakeFolder(p.temporaryBase / kTemporaryName, 0777);
                     GiveToOtherUser(p.temporaryBase / kTemporaryName);
                   },
                   Chosen::Cache},
        FolderCase{"fallback_a_link_to_an_open_folder", false,
                   [](const TempDir& d, RuntimeFolderPlaces& p) {
                     MakeFolder(d / "trap", 0777);
                     fs::create_directory_symlink(d / "trap", p.temporaryBase / kTemporaryName);
                   },
                   Chosen::Cache},
        FolderCase{
            "fallback_a_file", false,
            [](const TempDir&, RuntimeFolderPlaces& p) { TempDir::Write(p.temporaryBase / kTemporaryName, "x"); },
            Chosen::Cache},
        FolderCase{"every_place_taken", true,
                   [](const TempDir&, RuntimeFolderPlaces& p) {
                     MakeFolder(p.temporaryBase / kTemporaryName, 0700);
                     GiveToOtherUser(p.temporaryBase / kTemporaryName);
                     MakeFolder(p.cacheBase / "nxui" / "run", 0700);
                     GiveToOtherUser(p.cacheBase / "nxui" / "run");
                   },
                   Chosen::None},
        FolderCase{"no_places", false, [](const TempDir&, RuntimeFolderPlaces& p) { p = {}; }, Chosen::None}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RuntimeFolder, ALinkInTheFallbacksPlaceLeavesItsTargetAlone) {
  TempDir dir;
  MakeFolder(dir / "trap", 0777);
  MakeFolder(dir / "tmp", 01777);
  fs::create_directory_symlink(dir / "trap", dir / "tmp" / kTemporaryName);
  RuntimeFolderPlaces places;
  places.temporaryBase = dir / "tmp";
  std::string error;
  EXPECT_FALSE(PrivateRuntimeFolder(places, ::geteuid(), error).has_value());
  EXPECT_NE(error.find("a link"), std::string::npos) << error;
  EXPECT_EQ(ModeOf(dir / "trap"), 0777u);
}

TEST(RuntimeFolder, WhatIsFoundAtTheSocketsName) {
  TempDir dir;
  const uid_t uid = ::geteuid();
  EXPECT_EQ(InspectSocketEntry(dir / "none", uid), SocketEntry::Missing);
  const int own = BindSocket(dir / "own");
  EXPECT_EQ(InspectSocketEntry(dir / "own", uid), SocketEntry::OwnSocket);
  EXPECT_EQ(InspectSocketEntry(dir / "own", uid + 1), SocketEntry::Other) << "someone else's socket";
  fs::create_symlink(dir / "own", dir / "link");
  EXPECT_EQ(InspectSocketEntry(dir / "link", uid), SocketEntry::Other);
  TempDir::Write(dir / "file", "");
  EXPECT_EQ(InspectSocketEntry(dir / "file", uid), SocketEntry::Other);
  fs::create_directory(dir / "folder");
  EXPECT_EQ(InspectSocketEntry(dir / "folder", uid), SocketEntry::Other);
  if (CanPlantForeignFiles()) {
    const int foreign = BindSocket(dir / "foreign");
    GiveToOtherUser(dir / "foreign");
    EXPECT_EQ(InspectSocketEntry(dir / "foreign", uid), SocketEntry::Other);
    ::close(foreign);
  }
  ::close(own);
}

TEST(RuntimeFolder, ThePeerOfALocalSocketIsKnownAndAPipeHasNone) {
  int pair[2] = {-1, -1};
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
  uid_t peer = kOtherUser;
  EXPECT_TRUE(LocalPeerUser(pair[0], peer));
  EXPECT_EQ(peer, ::geteuid());
  ::close(pair[0]);
  ::close(pair[1]);
  int pipeEnds[2] = {-1, -1};
  ASSERT_EQ(::pipe(pipeEnds), 0);
  EXPECT_FALSE(LocalPeerUser(pipeEnds[0], peer));
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
}

}  // namespace
}  // namespace nxui
