#include "base/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "adapter/fakes/TempDir.h"
#include "base/IniFile.h"

namespace nxui {
namespace {

using test::TempDir;

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> Entries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0);
  return info.st_mode & 07777;
}

TEST(AtomicFile, NewFileHasTheRequestedModeAndContent) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir / "plain", "a\n", FileSecrecy::Normal, error)) << error;
  ASSERT_TRUE(WriteFileAtomically(dir / "secret", "psk\n", FileSecrecy::Secret, error)) << error;
  EXPECT_EQ(ReadAll(dir / "plain"), "a\n");
  EXPECT_EQ(ModeOf(dir / "plain"), 0644u);
  EXPECT_EQ(ModeOf(dir / "secret"), 0600u);
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"plain", "secret"}));
}

TEST(AtomicFile, RewriteNeverLoosensTheModeButTightensSecrets) {
  TempDir dir;
  std::string error;
  TempDir::Write(dir / "user-tightened", "old");
  ::chmod((dir / "user-tightened").c_str(), 0600);
  TempDir::Write(dir / "was-open", "old");
  ::chmod((dir / "was-open").c_str(), 0644);
  ASSERT_TRUE(WriteFileAtomically(dir / "user-tightened", "new", FileSecrecy::Normal, error)) << error;
  ASSERT_TRUE(WriteFileAtomically(dir / "was-open", "new", FileSecrecy::Secret, error)) << error;
  EXPECT_EQ(ModeOf(dir / "user-tightened"), 0600u);
  EXPECT_EQ(ModeOf(dir / "was-open"), 0600u);
}

TEST(AtomicFile, LinksPlantedInTheFolderAreNeverFollowed) {
  TempDir dir;
  TempDir victimDir;
  const auto victim = victimDir / "victim";
  TempDir::Write(victim, "precious");
  // Every name a fixed-name writer might have used, and the target itself, point at the victim.
  for (const char* name : {"state.tmp", "state.new", ".state.tmp"}) {
    std::filesystem::create_symlink(victim, dir / name);
  }
  std::filesystem::create_symlink(victim, dir / "state");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir / "state", "pass phrase", FileSecrecy::Secret, error)) << error;
  EXPECT_EQ(ReadAll(victim), "precious");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "state"));
  EXPECT_EQ(ReadAll(dir / "state"), "pass phrase");
}

struct FaultCase {
  const char* name;
  AtomicWriteStep step;
  int errorNumber;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class AtomicFileFault : public ::testing::TestWithParam<FaultCase> {
 protected:
  void TearDown() override { ClearAtomicWriteFault(); }
};

TEST_P(AtomicFileFault, LeavesTheOldFileByteForByteAndNoTemporaryFile) {
  const FaultCase& c = GetParam();
  TempDir dir;
  const std::string old = "[Config]\r\nSSID=home\r\n";
  TempDir::Write(dir / "f.ini", old);
  ArmAtomicWriteFault(c.step, c.errorNumber);
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir / "f.ini", "[Config]\r\nSSID=other\r\n", FileSecrecy::Secret, error));
  EXPECT_TRUE(ClearAtomicWriteFault()) << "the armed fault never fired";
  EXPECT_EQ(ReadAll(dir / "f.ini"), old);
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"f.ini"});
  EXPECT_NE(error.find("f.ini: "), std::string::npos) << error;
  EXPECT_NE(error.find(std::strerror(c.errorNumber)), std::string::npos) << error;
}

TEST_P(AtomicFileFault, IniWriteReportsTheFailureAndKeepsTheFile) {
  const FaultCase& c = GetParam();
  TempDir dir;
  const std::string old = "[Config]\nSSID=home\n";
  TempDir::Write(dir / "f.ini", old);
  IniFile ini(dir / "f.ini", FileSecrecy::Secret);
  ArmAtomicWriteFault(c.step, c.errorNumber);
  EXPECT_EQ(ini.WriteString("Config", "SSID", "other"), IniResult::IoError);
  EXPECT_TRUE(ClearAtomicWriteFault());
  EXPECT_EQ(ReadAll(dir / "f.ini"), old);
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"f.ini"});
  EXPECT_NE(ini.LastError().find(std::strerror(c.errorNumber)), std::string::npos) << ini.LastError();
}

INSTANTIATE_TEST_SUITE_P(Steps, AtomicFileFault,
                         ::testing::Values(FaultCase{"read_only_folder", AtomicWriteStep::Create, EROFS},
                                           FaultCase{"no_permission", AtomicWriteStep::Create, EACCES},
                                           FaultCase{"full_disk", AtomicWriteStep::Write, ENOSPC},
                                           FaultCase{"io_error_on_write", AtomicWriteStep::Write, EIO},
                                           FaultCase{"flush_fails", AtomicWriteStep::Flush, EIO},
                                           FaultCase{"rename_fails", AtomicWriteStep::Rename, EXDEV}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(AtomicFile, MissingFolderIsAnErrorNotACrash) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir / "absent" / "f", "x", FileSecrecy::Normal, error));
  EXPECT_NE(error.find("absent"), std::string::npos) << error;
}

TEST(AtomicFile, PrivateFolderIsCreatedOwnerOnlyAndAFileInTheWayIsRefused) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(EnsurePrivateFolder(dir / "a" / "b", error)) << error;
  EXPECT_EQ(ModeOf(dir / "a" / "b"), 0700u);
  EXPECT_EQ(ModeOf(dir / "a"), 0700u);
  TempDir::Write(dir / "file", "x");
  EXPECT_FALSE(EnsurePrivateFolder(dir / "file", error));
  EXPECT_NE(error.find("not a folder"), std::string::npos);
}

}  // namespace
}  // namespace nxui
