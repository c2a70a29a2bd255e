#include "sim/SimSystemInfo.h"
#include "base/AsciiCase.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "adapter/FamilyTable.h"
#include "adapter/HardwareMatch.h"
#include "adapter/SystemChecks.h"
#include "sim/SimFaults.h"
#include "sim/SimWorld.h"

namespace nxui::sim {
namespace {

// The simulated clock starts at 2008-06-02 09:00:00 local time.
constexpr std::int64_t kEpochDays = 14032;  // days from 1970-01-01 to 2008-06-02
constexpr std::int64_t kEpochSecondOfDay = 9 * 3600;
constexpr std::uint64_t kFileTimeOf1970 = 116444736000000000ull;

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0));
}

std::string LowerText(std::string_view s) { return AsciiLowerCopy(s); }

}  // namespace

bool SimSystemInfo::GetVersionEx(bool extended, OsVersionInfo& info) {
  const ScenarioOs& os = world_.scenario().os;
  if (extended && !os.extendedVersionInfo) return false;
  info.majorVersion = static_cast<DWORD>(os.major);
  info.minorVersion = static_cast<DWORD>(os.minor);
  info.buildNumber = static_cast<DWORD>(os.build);
  info.platformId = static_cast<DWORD>(os.platformId);
  info.productType = 0;
  if (extended) {
    info.productType = os.productType == ProductType::Server             ? kVerNtServer
                       : os.productType == ProductType::DomainController ? kVerNtDomainController
                                                                         : kVerNtWorkstation;
  }
  return true;
}

bool SimSystemInfo::HasIsWow64Process() {
  const ScenarioOs& os = world_.scenario().os;
  return os.platformId == 2 && (os.major > 5 || (os.major == 5 && os.minor >= 1));
}

bool SimSystemInfo::IsWow64Process(bool& wow64) {
  if (!HasIsWow64Process()) return false;
  wow64 = world_.scenario().os.wow64;
  return true;
}

bool SimSystemInfo::HasWow64FsRedirection() {
  const ScenarioOs& os = world_.scenario().os;
  return os.platformId == 2 && (os.major > 5 || (os.major == 5 && os.minor >= 2));
}

bool SimSystemInfo::EnableWow64FsRedirection(bool enable) {
  if (!HasWow64FsRedirection()) return false;
  redirectionEnabled_ = enable;
  return true;
}

bool SimSystemInfo::GetTokenGroupSids(std::vector<std::string>& sids) {
  if (world_.faults().Take(fault::kTokenGroups)) return false;
  sids = {"S-1-1-0", "S-1-5-32-545", "S-1-5-4", "S-1-5-11"};
  if (world_.scenario().os.admin) sids.insert(sids.begin() + 1, std::string(kAdministratorsSid));
  return true;
}

SystemTime SimSystemInfo::GetLocalTime() {
  const std::uint64_t ms = world_.loop().TickCount();
  const std::int64_t total = kEpochSecondOfDay + static_cast<std::int64_t>(ms / 1000);
  SystemTime t;
  CivilFromDays(kEpochDays + total / 86400, t.year, t.month, t.day);
  const std::int64_t sod = total % 86400;
  t.hour = static_cast<int>(sod / 3600);
  t.minute = static_cast<int>(sod / 60 % 60);
  t.second = static_cast<int>(sod % 60);
  t.milliseconds = static_cast<int>(ms % 1000);
  return t;
}

std::uint64_t SimSystemInfo::GetSystemTimeAsFileTime() {
  const std::uint64_t seconds = static_cast<std::uint64_t>(kEpochDays * 86400 + kEpochSecondOfDay);
  return kFileTimeOf1970 + (seconds * 1000 + world_.loop().TickCount()) * 10000;
}

int SimSystemInfo::DriverImageOwner(std::string_view path) {
  const std::string dir = LowerText(std::string(kSystemDirectory) + "\\drivers\\");
  const std::string p = LowerText(path);
  if (p.size() <= dir.size() || p.compare(0, dir.size(), dir) != 0) return -1;
  const std::string name = p.substr(dir.size());
  // The file the family table names for the adapter on this Windows: a lookup of any other
  // image finds nothing, as it would on a machine with only this driver installed.
  OsGeneration os = ClassifyOs(*this);
  for (int i = 0; i < world_.adapterCount(); ++i) {
    if (!world_.isPresent(i)) continue;
    AdapterContext context;
    std::string hardwareId = world_.adapter(i).hardwareId;
    for (char& c : hardwareId) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    if (!MatchHardwareId(hardwareId, {}, context)) continue;
    const std::string_view image = DriverImageName(context.family, os, world_.scenario().os.wow64);
    if (!image.empty() && LowerText(image) == name) return i;
  }
  return -1;
}

bool SimSystemInfo::GetFileVersion(std::string_view path, FileVersion& version) {
  const int owner = DriverImageOwner(path);
  if (owner < 0) return false;
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (std::sscanf(world_.adapter(owner).driver.file.version.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d) != 4) {
    return false;
  }
  version = {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b), static_cast<std::uint16_t>(c),
             static_cast<std::uint16_t>(d)};
  return true;
}

bool SimSystemInfo::GetFileModificationTime(std::string_view path, SystemTime& time) {
  if (LowerText(path) == LowerText(kModuleFileName)) {
    // The simulated program file is the running executable: its date is the real file's.
    std::error_code error;
    const auto written = std::filesystem::last_write_time("/proc/self/exe", error);
    if (error) return false;
    const std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return false;
    time =
        SystemTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0};
    return true;
  }
  const int owner = DriverImageOwner(path);
  if (owner < 0) return false;
  SystemTime t;
  if (std::sscanf(world_.adapter(owner).driver.file.date.c_str(), "%d-%d-%d", &t.year, &t.month, &t.day) != 3) {
    return false;
  }
  t.hour = 12;
  time = t;
  return true;
}

}  // namespace nxui::sim
