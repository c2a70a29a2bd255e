// Every state file the program writes, through its real writer, against every way a write can fail:
// the previous file stays byte for byte, no temporary file is left, and the failure is reported.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapter/fakes/TempDir.h"
#include "base/AtomicFile.h"
#include "base/IniFile.h"
#include "platform/Guid.h"
#include "platform/VirtualEventLoop.h"
#include "sim/SimFaults.h"
#include "sim/SimRegistry.h"
#include "sim/SimWlanService.h"

namespace nxui {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// One state file and its writer: `Create` makes the previous file, `Change` rewrites it and returns
// what the writer reported ("" when it reported nothing).
class StateFile {
 public:
  virtual ~StateFile() = default;
  virtual fs::path Create(const fs::path& folder) = 0;
  virtual std::string Change() = 0;
};

class IniState final : public StateFile {
 public:
  fs::path Create(const fs::path& folder) override {
    ini_ = std::make_unique<IniFile>(folder / "NxUI.INI");
    EXPECT_EQ(ini_->WriteString("Config", "SSID", "home"), IniResult::Ok);
    EXPECT_EQ(ini_->WriteString("Advance", "OpenFile", "0"), IniResult::Ok);
    return ini_->path();
  }
  std::string Change() override {
    return ini_->WriteString("Config", "SSID", "office") == IniResult::IoError ? ini_->LastError() : "";
  }

 private:
  std::unique_ptr<IniFile> ini_;
};

class RegistryState final : public StateFile {
 public:
  fs::path Create(const fs::path& folder) override {
    const fs::path file = folder / "registry.reg";
    registry_.AttachFile(file.string());
    registry_.WriteTextDirect(kHkeyCurrentUser, "Software\\NxUI", "Language", "en");
    EXPECT_TRUE(registry_.Flush()) << registry_.lastSaveError();
    return file;
  }
  std::string Change() override {
    HKEY key = 0;
    EXPECT_EQ(registry_.OpenKey(kHkeyCurrentUser, "Software\\NxUI", kKeyAllAccess, key), kErrorSuccess);
    const std::uint8_t value[] = {'z', 'h'};
    registry_.SetValue(key, "Language", kRegSz, value);
    registry_.CloseKey(key);
    // Saved once after the change, as the world does after the events that made it.
    registry_.Flush();
    return registry_.lastSaveError();
  }

 private:
  sim::SimFaults faults_;
  sim::SimRegistry registry_{faults_, true};
};

class PlatformProfileListState final : public StateFile {
 public:
  fs::path Create(const fs::path& folder) override {
    service_ = std::make_unique<sim::SimWlanService>(
        loop_, inRange_, folder, faults_, [](const sim::ScenarioNetwork&) { return std::vector<std::uint8_t>(); });
    service_->SetWriteFailureListener([this](const std::string& failure) { lastFailure_ = failure; });
    service_->AddInterface(guid_, "adapter", {kDot11PhyTypeHt}, association_);
    DWORD negotiated = 0;
    EXPECT_EQ(service_->OpenHandle(2, negotiated, handle_), kErrorSuccess);
    EXPECT_EQ(Add("home"), kErrorSuccess);
    return folder / "wlan-profiles-6B1D2F4E-9A3C-4E7B-8D21-0F5A6C7E8B90.json";
  }
  std::string Change() override {
    const DWORD result = Add("office");
    std::vector<WlanProfileInfo> listed;
    service_->GetProfileList(handle_, guid_, listed);
    // A change that could not be saved is not kept either.
    if (result != kErrorSuccess) {
      EXPECT_EQ(listed.size(), 1u);
    }
    return result == kErrorSuccess ? "" : lastFailure_;
  }

 private:
  DWORD Add(const std::string& name) {
    const std::string xml = "<WLANProfile><name>" + name + "</name><SSIDConfig><SSID><name>" + name +
                            "</name></SSID></SSIDConfig><MSM><security><authEncryption><authentication>WPA2PSK"
                            "</authentication><encryption>AES</encryption></authEncryption><sharedKey><keyType>"
                            "passPhrase</keyType><keyMaterial>secret pass phrase</keyMaterial></sharedKey>"
                            "</security></MSM></WLANProfile>";
    DWORD reason = 0;
    return service_->SetProfile(handle_, guid_, 0, xml, true, reason);
  }

  VirtualEventLoop loop_;
  sim::SimFaults faults_;
  std::string lastFailure_;
  std::vector<sim::ScenarioNetwork> inRange_;
  sim::SimAssociation association_;
  Guid guid_ = *Guid::Parse("{6B1D2F4E-9A3C-4E7B-8D21-0F5A6C7E8B90}");
  std::unique_ptr<sim::SimWlanService> service_;
  WlanHandle handle_ = 0;
};

// The state files. The profile store and the WPS credential store join here when they write.
struct StateFileKind {
  const char* name;
  std::function<std::unique_ptr<StateFile>()> make;
};
const StateFileKind kStateFiles[] = {
    {"ini_file", [] { return std::make_unique<IniState>(); }},
    {"registry", [] { return std::make_unique<RegistryState>(); }},
    {"platform_profile_list", [] { return std::make_unique<PlatformProfileListState>(); }},
};

void PrintTo(const StateFileKind& kind, std::ostream* os) { *os << kind.name; }

// How a write fails: an injected fault at one step, or (`realReadOnlyFolder`) the folder made
// read-only for real, which only holds for a user without the right to ignore it.
struct WriteFault {
  const char* name;
  AtomicWriteStep step;
  int errorNumber;
  bool realReadOnlyFolder = false;
};
const WriteFault kWriteFaults[] = {
    {"open_fails", AtomicWriteStep::Create, EACCES},
    {"read_only_folder", AtomicWriteStep::Create, EROFS},
    {"write_fails", AtomicWriteStep::Write, EIO},
    {"full_disk", AtomicWriteStep::Write, ENOSPC},
    {"flush_fails", AtomicWriteStep::Flush, EIO},
    {"rename_fails", AtomicWriteStep::Rename, EIO},
    {"really_read_only_folder", AtomicWriteStep::Create, EACCES, true},
};

void PrintTo(const WriteFault& fault, std::ostream* os) { *os << fault.name; }

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

using MatrixCell = std::tuple<StateFileKind, WriteFault>;

class StateFileFaultMatrix : public ::testing::TestWithParam<MatrixCell> {
 protected:
  void TearDown() override { ClearAtomicWriteFault(); }
};

TEST_P(StateFileFaultMatrix, PreviousFileStaysWholeAndTheFailureIsReported) {
  const auto& [kind, fault] = GetParam();
  if (fault.realReadOnlyFolder && ::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempDir dir;
  const std::unique_ptr<StateFile> state = kind.make();
  const fs::path file = state->Create(dir.path());
  const std::string previous = TempDir::Read(file);
  ASSERT_FALSE(previous.empty());
  const std::vector<std::string> entries = Entries(dir.path());

  if (fault.realReadOnlyFolder) {
    ::chmod(dir.path().c_str(), 0500);
  } else {
    ArmAtomicWriteFault(fault.step, fault.errorNumber);
  }
  const std::string reported = state->Change();
  ::chmod(dir.path().c_str(), 0700);

  if (!fault.realReadOnlyFolder) {
    EXPECT_TRUE(ClearAtomicWriteFault()) << "the armed fault never fired";
  }
  EXPECT_EQ(TempDir::Read(file), previous) << "the previous file changed";
  EXPECT_EQ(Entries(dir.path()), entries) << "a temporary file was left behind";
  EXPECT_NE(reported.find(file.filename().string()), std::string::npos) << "not reported which file: " << reported;
  EXPECT_NE(reported.find(std::strerror(fault.errorNumber)), std::string::npos) << "not reported why: " << reported;

  // The next change, with nothing failing, is written.
  EXPECT_EQ(state->Change(), "");
  EXPECT_NE(TempDir::Read(file), previous);
}

INSTANTIATE_TEST_SUITE_P(EveryFileEveryFault, StateFileFaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(kStateFiles), ::testing::ValuesIn(kWriteFaults)),
                         [](const ::testing::TestParamInfo<MatrixCell>& cell) {
                           return std::string(std::get<0>(cell.param).name) + "_" + std::get<1>(cell.param).name;
                         });

}  // namespace
}  // namespace nxui
