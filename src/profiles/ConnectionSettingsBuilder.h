// Fills a connection record from the station configuration in force (section `Config` of the
// station file): network name, radio settings, security with its keys, the 802.1X block.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "adapter/ConnectionSettings.h"
#include "profiles/ProfileStore.h"

namespace nxui {

struct ConnectionBuildInputs {
  // The 802.1X block is read only while the adapter is ready.
  bool adapterReady = false;
  // `ACPowerCam` is read only from drivers whose version word is above 0x500.
  std::uint16_t driverVersion = 0;
  // For an ad hoc record: the platform's current BSSID (false leaves the record's untouched).
  std::function<bool(std::array<std::uint8_t, 6>&)> currentBssid;
};

inline constexpr std::uint16_t kAcPowerCamDriverVersion = 0x500;

// Reads `section` of `file` (section `Config` of the station file when connecting) into `record`; a
// missing key leaves its field as it was.
void BuildConnectionSettings(const StoreFileSnapshot& file, const ConnectionBuildInputs& inputs,
                             ConnectionSettings& record, std::string_view section = kStationSection);

// One WEP slot from a stored key (hex digits): none for 0 or 1 characters, 5 bytes for 10 or 11,
// else 13; pairs that are not hex digits give 0 bytes, and digits the text lacks stay 0.
KeySlot WepSlotFromStoredKey(std::string_view stored, std::uint32_t slot, bool transmitKey);

}  // namespace nxui
