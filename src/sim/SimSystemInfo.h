#pragma once

#include "platform/ISystemInfo.h"

namespace nxui::sim {

class SimWorld;

// The scenario's Windows: version, WOW64, the token's groups, a deterministic clock (a fixed
// epoch plus loop time) and version resources of the adapter's driver image.
class SimSystemInfo final : public ISystemInfo {
 public:
  static constexpr const char* kModuleFileName = "C:\\Program Files\\VQ-MA310X\\NxUI.exe";
  static constexpr const char* kSystemDirectory = "C:\\Windows\\system32";

  explicit SimSystemInfo(SimWorld& world) : world_(world) {}

  bool GetVersionEx(bool extended, OsVersionInfo& info) override;
  bool HasIsWow64Process() override;
  bool IsWow64Process(bool& wow64) override;
  bool HasWow64FsRedirection() override;
  bool EnableWow64FsRedirection(bool enable) override;
  bool GetTokenGroupSids(std::vector<std::string>& sids) override;
  SystemTime GetLocalTime() override;
  std::uint64_t GetSystemTimeAsFileTime() override;
  std::string GetModuleFileName() override { return kModuleFileName; }
  std::string GetSystemDirectory() override { return kSystemDirectory; }
  bool GetFileVersion(std::string_view path, FileVersion& version) override;
  bool GetFileModificationTime(std::string_view path, SystemTime& time) override;

  bool redirectionEnabled() const { return redirectionEnabled_; }

 private:
  // Index of the present adapter whose driver image this path is, or -1.
  int DriverImageOwner(std::string_view path);
  SimWorld& world_;
  bool redirectionEnabled_ = true;
};

}  // namespace nxui::sim
