// The two subkeys of the adapter key: "Default", a snapshot of the key's values, and "ApDefault",
// the soft access point's defaults, written once.
#pragma once

#include <string>

#include "adapter/AdapterContext.h"

namespace nxui {

class DriverChannel;
class IRegistry;

// Copies every value of the adapter key into its existing "Default" subkey (same name, type and
// data, whatever their length), stopping at the first failed write. Does nothing when either key
// cannot be opened.
void SnapshotDefaults(IRegistry& registry, const std::string& classKeyPath);

// Creates "ApDefault" with the soft access point's defaults when it does not exist; an existing one
// is never touched. "SSID" is "SoftAP-%02X" of the last byte of the adapter address. Returns true
// when the subkey was created.
bool EnsureApDefaults(DriverChannel& driver, IRegistry& registry, const AdapterContext& context, bool supports5GHz);

}  // namespace nxui
