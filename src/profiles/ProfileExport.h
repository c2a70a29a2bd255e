// A stored profile written out for other programs: the platform's WLAN profile document, a
// NetworkManager keyfile, or a wpa_supplicant network block. Each is built from the same connection
// record an Apply would queue, so what another program gets is what this one would connect with.
#pragma once

#include <string>
#include <string_view>

#include "adapter/ConnectionSettings.h"

namespace nxui {

class StoreFileSnapshot;

enum class ExportFormat { WlanXml, NetworkManager, WpaSupplicant };

struct ExportResult {
  bool ok = false;
  std::string text;   // the document when ok
  std::string error;  // why not, for the user
};

// The connection record of profile `name` as the store holds it (802.1X block included).
ConnectionSettings ProfileConnectionRecord(const StoreFileSnapshot& profiles, std::string_view name);

ExportResult ExportProfile(const StoreFileSnapshot& profiles, std::string_view name, ExportFormat format);

// The parts, for the record a profile gives.
ExportResult ExportWlanXml(const ConnectionSettings& record);
ExportResult ExportNetworkManager(const ConnectionSettings& record, std::string_view profileName);
ExportResult ExportWpaSupplicant(const ConnectionSettings& record, std::string_view profileName);

}  // namespace nxui
