// The driver-level copy of a profile below the adapter key ("Profile\Station\<name>"), which the
// single sign-on page lists and applies. The utility writes it when a LEAP or 802.1X profile is
// applied, so that the profiles the user made can be chosen for the logon.
#pragma once

#include <string>
#include <string_view>

#include "platform/WinTypes.h"

namespace nxui {

class IRegistry;
struct ProfileRecord;

// adapter key + "\Profile\Station".
std::string StationProfilesKeyPath(std::string_view adapterKeyPath);
// adapter key + "\Profile\Station\" + name.
std::string StationProfileKeyPath(std::string_view adapterKeyPath, std::string_view name);

// LEAP ("LeapEnabled" 1) or 802.1X ("Use8021X" set, or WPA/WPA2 with an authentication server).
bool UsesLeapOr8021X(const ProfileRecord& record);

// Writes all 53 values of `record` as REG_SZ text (no terminator, as the adapter key's values are
// kept) into its station key below
// HKEY_LOCAL_MACHINE. Returns the first failure's result code, kErrorSuccess when all were written.
LONG WriteStationProfileKey(IRegistry& registry, std::string_view adapterKeyPath, const ProfileRecord& record);

}  // namespace nxui
