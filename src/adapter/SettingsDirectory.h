// Where the per-user profile files live, chosen by the small selector file "setting".
#pragma once

#include <filesystem>
#include <string>

namespace nxui {

class IRegistry;

struct SettingsDirectory {
  // Empty, or a directory text ending in "/" that file names are appended to directly.
  std::string path;
  // 1 when the selector names the directory itself (type 2); also handed to the WLAN client.
  bool custom = false;
};

// The selector is read from [config] "type" (default 1) of `selectorFile`, by default "setting" in
// the current directory:
// - type 1: the user's local application-data directory, from HKEY_CURRENT_USER\Volatile
//   Environment "LOCALAPPDATA"; empty when that value is missing;
// - type 2: [config] "dir" of the same file (default ".\"), custom;
// - any other type: empty.
// Texts written for the other platform use "\" between names: every "\" becomes "/" so that the
// result is usable as a directory here, and the result always ends in "/". Neither text is cut to
// a fixed length.
SettingsDirectory ResolveSettingsDirectory(IRegistry& registry, const std::filesystem::path& selectorFile = "setting");

// "\" to "/", and a trailing "/" added to a non-empty text that lacks one.
std::string DirectoryText(std::string text);

}  // namespace nxui
