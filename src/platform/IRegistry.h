#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

namespace nxui {

using HKEY = std::uintptr_t;
inline constexpr HKEY kHkeyCurrentUser = 0x80000001;
inline constexpr HKEY kHkeyLocalMachine = 0x80000002;

// Access masks (published values).
inline constexpr DWORD kKeyQueryValue = 0x0001;
inline constexpr DWORD kKeySetValue = 0x0002;
inline constexpr DWORD kKeyCreateSubKey = 0x0004;
inline constexpr DWORD kKeyEnumerateSubKeys = 0x0008;
inline constexpr DWORD kKeyRead = 0x20019;
inline constexpr DWORD kKeyWrite = 0x20006;
inline constexpr DWORD kKeyAllAccess = 0xF003F;

// Value types.
inline constexpr DWORD kRegSz = 1;
inline constexpr DWORD kRegBinary = 3;
inline constexpr DWORD kRegDword = 4;
inline constexpr DWORD kRegMultiSz = 7;

// The registry, shaped after RegOpenKeyEx / RegCreateKeyEx / RegQueryValueEx / RegSetValueEx /
// RegEnumValue / RegEnumKeyEx / RegDeleteValue / RegDeleteKey / RegCloseKey. Every call returns
// the platform's result code (kErrorSuccess, kErrorFileNotFound, kErrorAccessDenied, ...).
// Names are compared without regard to case, as the platform does. Text data is UTF-8 here.
class IRegistry {
 public:
  virtual ~IRegistry() = default;

  virtual LONG OpenKey(HKEY parent, std::string_view subKey, DWORD access, HKEY& key) = 0;
  virtual LONG CreateKey(HKEY parent, std::string_view subKey, DWORD access, HKEY& key) = 0;
  virtual LONG CloseKey(HKEY key) = 0;

  // Returns the whole value; callers that read into a fixed buffer truncate themselves.
  virtual LONG QueryValue(HKEY key, std::string_view name, DWORD& type, std::vector<std::uint8_t>& data) = 0;
  virtual LONG SetValue(HKEY key, std::string_view name, DWORD type, std::span<const std::uint8_t> data) = 0;
  // kErrorNoMoreItems past the last value.
  virtual LONG EnumValue(HKEY key, DWORD index, std::string& name, DWORD& type, std::vector<std::uint8_t>& data) = 0;
  virtual LONG EnumKey(HKEY key, DWORD index, std::string& name) = 0;
  virtual LONG DeleteValue(HKEY key, std::string_view name) = 0;
  // Deletes a key that has no subkeys.
  virtual LONG DeleteKey(HKEY parent, std::string_view subKey) = 0;
};

}  // namespace nxui
