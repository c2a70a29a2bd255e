#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

namespace nxui {

inline constexpr DWORD kVerPlatformWin32Windows = 1;  // the 9x line
inline constexpr DWORD kVerPlatformWin32Nt = 2;
inline constexpr std::uint8_t kVerNtWorkstation = 1;
inline constexpr std::uint8_t kVerNtDomainController = 2;
inline constexpr std::uint8_t kVerNtServer = 3;

// OSVERSIONINFO(EX). productType is only meaningful for the extended record.
struct OsVersionInfo {
  DWORD majorVersion = 0;
  DWORD minorVersion = 0;
  DWORD buildNumber = 0;
  DWORD platformId = 0;
  std::uint8_t productType = 0;
};

struct FileVersion {
  std::uint16_t major = 0, minor = 0, build = 0, revision = 0;  // VS_FIXEDFILEINFO file version
};

struct SystemTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// "S-1-5-32-544": the built-in Administrators group.
inline constexpr std::string_view kAdministratorsSid = "S-1-5-32-544";

// System information: version, WOW64, the process token, time, file versions and paths.
class ISystemInfo {
 public:
  virtual ~ISystemInfo() = default;

  // GetVersionEx with the extended (156-byte) record when `extended`, else the basic (148-byte).
  virtual bool GetVersionEx(bool extended, OsVersionInfo& info) = 0;

  // kernel32 exports looked up by name; absent on old systems.
  virtual bool HasIsWow64Process() = 0;
  virtual bool IsWow64Process(bool& wow64) = 0;
  virtual bool HasWow64FsRedirection() = 0;
  virtual bool EnableWow64FsRedirection(bool enable) = 0;

  // OpenProcessToken + GetTokenInformation(TokenGroups): the group SIDs in text form.
  virtual bool GetTokenGroupSids(std::vector<std::string>& sids) = 0;

  virtual SystemTime GetLocalTime() = 0;
  // 100 ns units since 1601-01-01 (FILETIME), for last-seen stamps.
  virtual std::uint64_t GetSystemTimeAsFileTime() = 0;

  // GetModuleFileName(NULL): the executable's full path, e.g. "C:\\Program Files\\X\\NxUI.exe".
  virtual std::string GetModuleFileName() = 0;
  // GetSystemDirectory: "C:\\Windows\\system32".
  virtual std::string GetSystemDirectory() = 0;
  // GetFileVersionInfo + VerQueryValue("\\"); false when the file has no version resource.
  virtual bool GetFileVersion(std::string_view path, FileVersion& version) = 0;
  // Last-write time of a file as local time; false when the file is missing.
  virtual bool GetFileModificationTime(std::string_view path, SystemTime& time) = 0;
};

}  // namespace nxui
