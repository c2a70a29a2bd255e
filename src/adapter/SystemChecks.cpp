#include "adapter/SystemChecks.h"

#include <string>
#include <vector>

#include "platform/ISystemInfo.h"

namespace nxui {

OsGeneration ClassifyOs(ISystemInfo& system) {
  OsVersionInfo info;
  if (!system.GetVersionEx(true, info)) {
    info = OsVersionInfo{};
    if (!system.GetVersionEx(false, info)) return kOsUnknown;
  }
  if (info.platformId == kVerPlatformWin32Windows) {
    if (info.majorVersion == 4 && info.minorVersion == 0) return kOsWin95;
    if (info.majorVersion == 4 && info.minorVersion == 10) {
      return (info.buildNumber & 0xFFFF) == 2222 ? kOsWin98Se : kOsWin98;
    }
    if (info.majorVersion == 4 && info.minorVersion == 90) return kOsWinMe;
    return kOsUnknown;
  }
  if (info.platformId != kVerPlatformWin32Nt) return kOsUnknown;
  bool workstation = info.productType == kVerNtWorkstation;
  if (info.majorVersion <= 4) return kOsNt4;
  if (info.majorVersion == 5 && info.minorVersion == 0) return kOsWin2000;
  if (info.majorVersion == 5 && info.minorVersion == 1) return kOsWinXp;
  if (info.majorVersion == 5 && info.minorVersion == 2) return workstation ? kOsXp64 : kOsServer2003;
  if (info.majorVersion == 6) return kOsVista;
  return workstation ? kOsOtherWorkstation : kOsOtherServer;
}

bool DetectWow64(ISystemInfo& system, OsGeneration os) {
  if (os <= kOsServer2003 || !system.HasIsWow64Process()) return false;
  bool wow64 = false;
  return system.IsWow64Process(wow64) && wow64;
}

bool CheckAdministrator(ISystemInfo& system, OsGeneration os) {
  if (os <= kOsNt4) return true;
  std::vector<std::string> groups;
  if (!system.GetTokenGroupSids(groups)) return false;
  for (const std::string& sid : groups) {
    if (sid == kAdministratorsSid) return true;
  }
  return false;
}

void ClassifySystem(ISystemInfo& system, AdapterContext& context) {
  context.osGeneration = ClassifyOs(system);
  context.isWow64 = DetectWow64(system, context.osGeneration);
  context.isAdmin = CheckAdministrator(system, context.osGeneration);
}

}  // namespace nxui
