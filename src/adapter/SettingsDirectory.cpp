#include "adapter/SettingsDirectory.h"

#include <cstdint>
#include <vector>

#include "base/IniFile.h"
#include "platform/IRegistry.h"

namespace nxui {
namespace {

// [config] type of the selector file.
constexpr int kDirectoryLocalAppData = 1;  // the user's local application data folder
constexpr int kDirectoryCustom = 2;        // [config] dir

}  // namespace

std::string DirectoryText(std::string text) {
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  if (!text.empty() && text.back() != '/') text += '/';
  return text;
}

SettingsDirectory ResolveSettingsDirectory(IRegistry& registry, const std::filesystem::path& selectorFile) {
  IniFile selector(selectorFile);
  SettingsDirectory result;
  const int type = selector.ReadInt("config", "type", kDirectoryLocalAppData);
  if (type == kDirectoryLocalAppData) {
    HKEY key = 0;
    if (registry.OpenKey(kHkeyCurrentUser, "Volatile Environment", kKeyRead, key) != kErrorSuccess) {
      return result;
    }
    DWORD valueType = 0;
    std::vector<std::uint8_t> data;
    if (registry.QueryValue(key, "LOCALAPPDATA", valueType, data) == kErrorSuccess) {
      std::string text(data.begin(), data.end());
      while (!text.empty() && text.back() == '\0') text.pop_back();
      // An embedded terminator ends the text, as it would for the platform's readers.
      text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
      result.path = DirectoryText(text);
    }
    registry.CloseKey(key);
  } else if (type == kDirectoryCustom) {
    result.custom = true;
    result.path = DirectoryText(selector.ReadString("config", "dir", ".\\"));
  }
  return result;
}

}  // namespace nxui
