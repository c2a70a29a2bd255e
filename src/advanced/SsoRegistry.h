// Where single sign-on keeps its configuration (below HKEY_LOCAL_MACHINE), and the few registry
// operations the SSO page needs. Every call opens and closes its key and returns the platform's
// result code, so the page can tell a refused write (no administrator rights) from a missing value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/WinTypes.h"

namespace nxui {

class IRegistry;

inline constexpr const char* kWinlogonKeyPath = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr const char* kSsoKeyPath = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Norvix";
inline constexpr const char* kGinaDllValue = "GinaDLL";
inline constexpr const char* kGinaLibrary = "NorvixGina.DLL";

// Values are read as into 128-byte buffers: a longer value counts as missing.
inline constexpr std::size_t kSsoValueBufferSize = 128;

// The text of a value (up to its first zero byte); kErrorMoreData for a value longer than the buffer.
LONG ReadSsoText(IRegistry& registry, std::string_view keyPath, std::string_view name, std::string& text);
// REG_SZ text without terminator, as the adapter key's values are kept; the key is created when
// missing.
LONG WriteSsoText(IRegistry& registry, std::string_view keyPath, std::string_view name, std::string_view text);
// REG_SZ as a 128-byte buffer: the text, then zeros (how the SSO flags are kept).
LONG WriteSsoFlag(IRegistry& registry, std::string_view keyPath, std::string_view name, std::string_view text);
LONG DeleteSsoValue(IRegistry& registry, std::string_view keyPath, std::string_view name);
// Names of the key's subkeys in registry order; empty when the key cannot be opened.
std::vector<std::string> SubkeyNames(IRegistry& registry, std::string_view keyPath);
// Deletes every subkey of the key with everything below it; the key itself stays.
LONG DeleteAllSubkeys(IRegistry& registry, std::string_view keyPath);
// Every value of `from` written into `to` with the same name, type and data.
LONG CopyAllValues(IRegistry& registry, std::string_view from, std::string_view to);

}  // namespace nxui
