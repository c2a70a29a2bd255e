// The WPS driver records (laid out in adapter/DriverRecords.h, where the simulated driver reads them
// too) as bytes: the start request the utility builds, and the credential table that comes back
// from the driver or the store and is not trusted.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "adapter/DriverRecords.h"

namespace nxui {

static_assert(sizeof(WpsStartRequest) == 56);
static_assert(sizeof(WpsCredential) == 124);
static_assert(sizeof(WpsCredentialTable) == 996);

inline constexpr std::size_t kWpsMaxCredentials = 8;
inline constexpr std::uint32_t kWpsMaxSsidLength = 32;
inline constexpr std::uint32_t kWpsMaxKeyLength = 64;
// Bit 31 of a credential's key index is a flag; the index is the low bits.
inline constexpr std::uint32_t kWpsKeyIndexFlag = 0x80000000u;

// WpsStartRequest role byte.
inline constexpr std::uint8_t kWpsRoleEnrollee = 1;
inline constexpr std::uint8_t kWpsRoleRegistrar = 2;

// WPS authentication-type and encryption-type values as credentials carry them.
namespace wps_auth {
inline constexpr std::uint32_t kOpen = 1;
inline constexpr std::uint32_t kWpaPsk = 2;
inline constexpr std::uint32_t kShared = 4;
inline constexpr std::uint32_t kWpa = 8;
inline constexpr std::uint32_t kWpa2 = 16;
inline constexpr std::uint32_t kWpa2Psk = 32;
inline constexpr std::uint32_t kWpaPskWpa2Psk = 34;
}  // namespace wps_auth
namespace wps_encr {
inline constexpr std::uint32_t kNone = 1;
inline constexpr std::uint32_t kWep = 2;
inline constexpr std::uint32_t kTkip = 4;
inline constexpr std::uint32_t kAes = 8;
inline constexpr std::uint32_t kTkipAes = 12;
}  // namespace wps_encr

using WpsStartBytes = std::array<std::uint8_t, sizeof(WpsStartRequest)>;
using WpsCredentialTableBytes = std::array<std::uint8_t, sizeof(WpsCredentialTable)>;

// The 56 bytes as the driver reads them (little-endian, no padding).
WpsStartBytes EncodeWpsStartRequest(const WpsStartRequest& request);
// The 996 bytes of a table.
WpsCredentialTableBytes EncodeWpsCredentialTable(const WpsCredentialTable& table);

// What reading an untrusted table did beyond copying.
struct WpsTableReport {
  bool truncated = false;           // fewer bytes than a whole table: nothing was read
  std::uint32_t declaredCount = 0;  // the count word as it came
  std::size_t dropped = 0;          // credentials dropped for an SSID or key length out of range
};

// Reads a credential table from driver or file bytes without trusting them. The count is clamped
// to 8; a credential whose SSID length is above 32 or key length above 64 is dropped (the slots
// after it move down), since a cut name or key would connect to the wrong network or fail with a
// wrong key. Slots at and beyond the resulting count are zero, and so are the bytes of a kept SSID
// and key past their lengths. A buffer shorter than a whole table
// leaves `table` untouched and returns false.
bool DecodeWpsCredentialTable(std::span<const std::uint8_t> bytes, WpsCredentialTable& table,
                              WpsTableReport* report = nullptr);

// The same rules applied to a table in memory (a record someone else filled).
WpsTableReport NormaliseWpsCredentialTable(WpsCredentialTable& table);

// Fields of a credential, bounded by their lengths (clamped to the field).
std::string_view CredentialSsid(const WpsCredential& credential);
std::string_view CredentialKey(const WpsCredential& credential);
// The SSID up to its first zero byte (the names the platform profile and the editor take).
std::string_view CredentialSsidToZero(const WpsCredential& credential);
std::uint32_t CredentialKeyIndex(const WpsCredential& credential);
bool CredentialIsOpen(const WpsCredential& credential);  // authentication 1 and encryption 1

void SetCredentialSsid(WpsCredential& credential, std::string_view ssid);  // at most 32 bytes
void SetCredentialKey(WpsCredential& credential, std::string_view key);    // at most 64 bytes

// Texts of the detail view: "开放系统", "WPA-PSK", ...; "" for a value the table does not name.
std::string_view WpsAuthTypeText(std::uint32_t authType);
std::string_view WpsEncrTypeText(std::uint32_t encrType);

}  // namespace nxui
