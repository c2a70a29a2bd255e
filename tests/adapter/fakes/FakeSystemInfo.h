#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ISystemInfo.h"

namespace nxui::test {

class FakeSystemInfo : public ISystemInfo {
 public:
  std::optional<OsVersionInfo> extended;  // nullopt: that record fails
  std::optional<OsVersionInfo> basic;
  bool hasIsWow64 = true;
  std::optional<bool> wow64 = false;  // nullopt: the call fails
  int wow64Calls = 0;
  std::optional<std::vector<std::string>> groups = std::vector<std::string>{};  // nullopt: token unreadable
  std::string modulePath = "/opt/nxui/NxUI.exe";

  bool GetVersionEx(bool isExtended, OsVersionInfo& info) override {
    const auto& record = isExtended ? extended : basic;
    if (!record) return false;
    info = *record;
    return true;
  }
  bool HasIsWow64Process() override { return hasIsWow64; }
  bool IsWow64Process(bool& value) override {
    ++wow64Calls;
    if (!wow64) return false;
    value = *wow64;
    return true;
  }
  bool HasWow64FsRedirection() override { return false; }
  bool EnableWow64FsRedirection(bool) override { return false; }
  bool GetTokenGroupSids(std::vector<std::string>& sids) override {
    if (!groups) return false;
    sids = *groups;
    return true;
  }
  SystemTime GetLocalTime() override { return {}; }
  std::uint64_t GetSystemTimeAsFileTime() override { return 0; }
  std::string GetModuleFileName() override { return modulePath; }
  std::string GetSystemDirectory() override { return "C:\\Windows\\system32"; }
  bool GetFileVersion(std::string_view, FileVersion&) override { return false; }
  bool GetFileModificationTime(std::string_view, SystemTime&) override { return false; }
};

}  // namespace nxui::test
