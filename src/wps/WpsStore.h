// The WPS credentials kept: the adapter's "_wsc" store file (section Common with the count,
// ConfigMode and PinCode; Profile0..Profile7 with every slot, written whole each time) and the
// station file's WSC flag. The store file holds keys, so it is owner-only like the other store
// files; every write is one atomic rewrite and a failure is returned, never swallowed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "adapter/ConnectionSettings.h"
#include "adapter/DriverRequestPort.h"
#include "profiles/ProfileStore.h"
#include "wps/WpsEngineState.h"
#include "wps/WpsPin.h"

namespace nxui {

class PlatformProfileList;
class WlanSession;

namespace wps_store {
inline constexpr std::string_view kCommon = "Common";
inline constexpr std::string_view kNumberofProfile = "NumberofProfile";
inline constexpr std::string_view kConfigMode = "ConfigMode";
inline constexpr std::string_view kPinCode = "PinCode";
inline constexpr std::string_view kSsid = "SSID";
inline constexpr std::string_view kAuthType = "AuthType";
inline constexpr std::string_view kEncryType = "EncryType";
inline constexpr std::string_view kKeyIndex = "KeyIndex";
inline constexpr std::string_view kKeyLength = "KeyLength";
inline constexpr std::string_view kKey = "Key";
inline constexpr std::string_view kMacAddress = "MacAddress";
}  // namespace wps_store

class WpsStore {
 public:
  // `profiles` names the files (kind Wps and the station file); `platformProfiles` is the
  // platform's list that flag 1 cleans.
  WpsStore(ProfileStore& profiles, PlatformProfileList& platformProfiles, WpsEngineState& state);

  // The whole store from the state. Flag 1 first removes, for every slot, the platform profile
  // named by the SSID the file held there before.
  StoreResult WriteWpsStore(int flag);
  // WSC = wscConnect ("%d") in the station file.
  StoreResult WriteWscFlag();
  // WSC, ConfigMode, PinCode and the credentials into the state (the table and wpsBssid are
  // zeroed first; absent keys leave zeros). With WSC set, rotateMode is set too; the caller makes
  // the connection. An untrusted file is read like a driver record: count clamped to 8, a slot with
  // an SSID above 32 bytes or a key length above 64 dropped.
  void LoadWpsStore();

  ProfileStore& Profiles() { return profiles_; }

 private:
  ProfileStore& profiles_;
  PlatformProfileList& platformProfiles_;
  WpsEngineState& state_;
};

// Registrar: credential 0 becomes the adapter's own new network "ExRegNW" + the last three bytes
// of its MAC address, WPA2-PSK with AES, key index 1, and a 64-digit upper-case hexadecimal key
// from the secure generator. count = 1. False when the key could not be generated (the table is
// left as it was).
bool MakeRegistrarCredential(WpsEngineState& state, DriverRequestPort& driver,
                             RandomBytesSource randomBytes = SecureRandomBytes);

// The connection record of credential `index` (as Part of the normal connect path: marked for the
// platform connection). Also sets the adapter's desired BSSID to the credential's MAC address.
ConnectionSettings CredentialToConnection(const WpsCredential& credential, WlanSession& session);
// The record alone, without telling the driver.
ConnectionSettings CredentialConnectionRecord(const WpsCredential& credential);

}  // namespace nxui
