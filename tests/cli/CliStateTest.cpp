// The state folder as the command line keeps it between runs: written only when something
// changed, never lost to a failed write, a corrupt file or a second run at the same time.
#include <sys/stat.h>

#include <filesystem>

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

}  // namespace
}  // namespace nxui::cli::test
