// The state folder as the command line keeps it between runs: written only when something
// changed, never lost to a failed write, a corrupt file or a second run at the same time.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliFixture.h"

namespace nxui::cli::test {
namespace {

namespace fs = std::filesystem;

// The inode and content of a file: a rewrite through the atomic writer changes the inode even
// when the content stays the same.
struct FileIdentity {
  ino_t inode = 0;
  std::string content;
  bool operator==(const FileIdentity&) const = default;
};

FileIdentity Identify(const fs::path& file) {
  struct stat info {};
  FileIdentity id;
  if (::stat(file.c_str(), &info) == 0) id.inode = info.st_ino;
  id.content = nxui::test::TempDir::Read(file);
  return id;
}

TEST_F(CliTest, ReadOnlyCommandsLeaveAnExistingStateUntouched) {
  ASSERT_EQ(Run({"status"}).code, 0);  // the first run creates and seeds the state
  const fs::path registry = dir / "state" / "registry.reg";
  const FileIdentity before = Identify(registry);
  ASSERT_NE(before.inode, 0u);
  for (const char* command : {"adapter", "status", "about"}) {
    const CliResult r = Run({command});
    EXPECT_EQ(r.code, 0) << command << ": " << r.err;
    EXPECT_TRUE(Identify(registry) == before) << command << " rewrote the registry file";
  }
}

class CliStateTest : public CliTest {
 protected:
  // Runs nxui with the test's state directory behind a shell prefix such as a file size limit.
  CliResult RunBehind(const std::string& shellPrefix, const std::vector<std::string>& args) {
    std::string command = shellPrefix + " " + Quote(NXUI_EXE) + " --state " + Quote(StateDir());
    for (const auto& a : args) command += " " + Quote(a);
    command += " </dev/null >" + Quote((dir / "out.txt").string()) + " 2>" + Quote((dir / "err.txt").string());
    const int status = std::system(("sh -c " + Quote(command)).c_str());
    CliResult result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = nxui::test::TempDir::Read(dir / "out.txt");
    result.err = nxui::test::TempDir::Read(dir / "err.txt");
    return result;
  }
};

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(CliStateTest, ARadioSwitchThatCannotBeSavedFailsAndSaysWhy) {
  ASSERT_EQ(Run({"status"}).code, 0);
  const fs::path registry = dir / "state" / "registry.reg";
  const FileIdentity before = Identify(registry);
  const auto entries = FolderEntries(dir / "state");
  // Files may grow to 1 KiB only (the registry file is larger); the signal that would end the
  // process is ignored, so the write fails with EFBIG as on a full quota.
  const CliResult r = RunBehind("ulimit -f 2; trap '' XFSZ;", {"--json", "radio", "off"});
  EXPECT_EQ(r.code, 1) << r.out;
  EXPECT_TRUE(r.out.empty()) << "nothing reported as changed: " << r.out;
  EXPECT_NE(r.err.find("nxui: could not save " + registry.string() + ": File too large"), std::string::npos) << r.err;
  EXPECT_TRUE(Identify(registry) == before) << "the previous file stays";
  // The WLAN service keeps its small radio file before the registry is written; nothing else is new.
  std::vector<std::string> expected = entries;
  expected.push_back("wlan-radio-6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11.json");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FolderEntries(dir / "state"), expected) << "no temporary file is left";

  const CliResult again = Run({"--json", "radio", "on"});
  EXPECT_EQ(again.code, 0) << again.err;
  EXPECT_EQ(again.Json()["changed"], true) << again.out;
}

TEST_F(CliStateTest, TheStateFolderIsPrivateAndItsSecretsTheOwnersOnly) {
  ASSERT_EQ(Run({"status"}).code, 0);
  const auto mode = [](const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
  };
  EXPECT_EQ(mode(dir / "state"), 0700u);
  for (const auto& entry : fs::directory_iterator(dir / "state")) {
    if (entry.is_regular_file()) {
      EXPECT_EQ(mode(entry.path()), 0600u) << entry.path();
    }
  }
}

TEST_F(CliStateTest, ACorruptPlatformProfileListIsNamedAndLeftAsItWas) {
  ASSERT_EQ(Run({"status"}).code, 0);
  const fs::path list = dir / "state" / "wlan-profiles-6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11.json";
  ASSERT_TRUE(fs::exists(list));
  const std::string truncated = "{\n  \"profiles\": [\n    {\n      \"flags\": 0,\n";
  nxui::test::TempDir::Write(list, truncated);
  const CliResult r = Run({"status"});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("nxui: " + list.string() + ":5: syntax error"), std::string::npos) << r.err;
  EXPECT_EQ(nxui::test::TempDir::Read(list), truncated);
}

// Runs of `radio off` for both cards of a two-adapter machine at once: each writes its own card's
// key, so a run that saved a registry read before another run's save would lose that change.
TEST_F(CliStateTest, ConcurrentRunsOnOneStateLoseNoChange) {
  const std::string scenario =
      (fs::path(NXUI_TEST_DATA_DIR "/../../scenarios") / "two-adapters.json").lexically_normal().string();
  ASSERT_EQ(Run({"--scenario", scenario, "status"}).code, 0);
  constexpr int kRuns = 16;
  std::string script;
  for (int i = 0; i < kRuns; ++i) {
    const fs::path code = dir / ("code-" + std::to_string(i));
    script += "(" + Quote(NXUI_EXE) + " --state " + Quote((dir / "state").string()) + " --scenario " + Quote(scenario) +
              " --card " + std::to_string(i % 2) + " radio off >/dev/null 2>&1; echo $? >" + Quote(code.string()) +
              ") & ";
  }
  script += "wait";
  ASSERT_EQ(std::system(("sh -c " + Quote(script)).c_str()), 0);
  for (int i = 0; i < kRuns; ++i) {
    EXPECT_EQ(nxui::test::TempDir::Read(dir / ("code-" + std::to_string(i))), "0\n") << "run " << i;
  }
  const std::string registry = nxui::test::TempDir::Read(dir / "state" / "registry.reg");
  std::size_t radioOff = 0;
  for (std::size_t at = registry.find("\"Radio\"=\"1\""); at != std::string::npos;
       at = registry.find("\"Radio\"=\"1\"", at + 1)) {
    ++radioOff;
  }
  EXPECT_EQ(radioOff, 2u) << "both cards' switches are kept:\n" << registry;
}

// `monitor` on a fresh temporary state ends on each stop signal as on Ctrl-C: normally, with its
// temporary state folder removed.
TEST_F(CliStateTest, StopSignalsEndTheMonitorAndRemoveItsTemporaryState) {
  for (const int stop : {SIGINT, SIGTERM, SIGHUP}) {
    const fs::path tmp = dir / ("tmp-" + std::to_string(stop));
    fs::create_directories(tmp);
    const fs::path out = dir / ("monitor-" + std::to_string(stop) + ".txt");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::setenv("TMPDIR", tmp.c_str(), 1);
      const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(fd, STDOUT_FILENO);
      ::execl(NXUI_EXE, NXUI_EXE, "--json", "monitor", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // The first tick is printed once the monitor runs (2 s of real time).
    for (int i = 0; i < 200 && nxui::test::TempDir::Read(out).find('\n') == std::string::npos; ++i) {
      ::usleep(50 * 1000);
    }
    ASSERT_EQ(FolderEntries(tmp).size(), 1u) << "the run's temporary state";
    ::kill(child, stop);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "signal " << stop << " killed the run";
    EXPECT_EQ(WEXITSTATUS(status), 0) << stop;
    EXPECT_TRUE(FolderEntries(tmp).empty()) << "signal " << stop << " left the temporary state folder";
  }
}

}  // namespace
}  // namespace nxui::cli::test
