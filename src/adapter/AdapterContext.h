#pragma once

#include <string>

namespace nxui {

// Windows classification; 0 until classified. Other code tests it as thresholds
// (above 6, below 7, equal to 10, equal to 11).
using OsGeneration = int;
inline constexpr OsGeneration kOsUnknown = 0;
inline constexpr OsGeneration kOsWin95 = 2;
inline constexpr OsGeneration kOsWin98 = 3;
inline constexpr OsGeneration kOsWin98Se = 4;
inline constexpr OsGeneration kOsWinMe = 5;
inline constexpr OsGeneration kOsNt4 = 6;
inline constexpr OsGeneration kOsWin2000 = 7;
inline constexpr OsGeneration kOsWinXp = 8;
inline constexpr OsGeneration kOsServer2003 = 9;
inline constexpr OsGeneration kOsXp64 = 10;  // NT 5.2 workstation
inline constexpr OsGeneration kOsVista = 11;
inline constexpr OsGeneration kOsOtherWorkstation = 12;
inline constexpr OsGeneration kOsOtherServer = 13;

// Row of the family table; -1 until matched. 6 to 8 are the 802.11n parts.
using ChipFamily = int;
inline constexpr ChipFamily kFamilyLark = 0;
inline constexpr ChipFamily kFamilyLarkU = 1;
inline constexpr ChipFamily kFamilyWren = 2;
inline constexpr ChipFamily kFamilyWrenU = 3;
inline constexpr ChipFamily kFamilyTern = 4;
inline constexpr ChipFamily kFamilyTernU = 5;
inline constexpr ChipFamily kFamilyHeronA = 6;
inline constexpr ChipFamily kFamilyHeron = 7;
inline constexpr ChipFamily kFamilyHeronU = 8;

// The chosen adapter. Written only by discovery, read everywhere.
struct AdapterContext {
  std::string devicePath;    // "\\\\.\\" + NetCfgInstanceId (or + family name on 98 SE / Me)
  std::string instanceId;    // braced GUID
  std::string classKeyPath;  // below HKEY_LOCAL_MACHINE
  std::string displayName;   // friendly name, else device description
  std::string hardwareId;    // first 21 characters, upper case
  ChipFamily family = -1;
  int isUsb = -1;
  int tableIndex = -1;
  bool usbMatched = false;
  bool pciMatched = false;
  bool legacyG = false;
  bool is11n = false;
  int n11Kind = 0;
  OsGeneration osGeneration = kOsUnknown;
  bool isWow64 = false;
  bool isAdmin = false;
  // Kept by the hidden window: set when a discovery finds a class key path other than the
  // non-empty one found before (whoever acts on it clears it); the result of the last discovery.
  bool adapterChanged = false;
  bool deviceOpen = false;
};

}  // namespace nxui
