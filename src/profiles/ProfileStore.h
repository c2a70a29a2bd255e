// The utility's own profile store: per adapter, a station file (section `Config`: the values in
// force) and a profile file (one section per profile), both INI text in the settings directory.
// File names are the settings directory + family prefix + NetCfgInstanceId + kind suffix.
//
// Every operation that changes a file reads it once and replaces it with one atomic rewrite: a
// failure (unwritable folder, full disk, a file the module must not touch, no settings folder known)
// leaves the previous file byte for byte and is returned, with a text for the user
// (StoreFailureText). Files holding pass phrases and keys are created 0600 in a 0700 folder. Reads
// never fail: a missing file or key reads as "". Values are read whole (no 127-character limit)
// and every section name is listed.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/AdapterContext.h"
#include "base/IniDocument.h"
#include "profiles/ProfileRecord.h"

namespace nxui {

class ISystemInfo;
class StringTable;

enum class StoreFileKind {
  Station = 0,   // "_sta": section Config
  SoftAp = 1,    // "_ap": soft-AP settings, not a profile
  Profiles = 2,  // "_prof": one section per profile
  Wps = 3,       // "_wsc": WPS credentials
};

inline constexpr std::string_view kStationSection = "Config";
inline constexpr std::string_view kCurProfileKey = "CurProfile";
inline constexpr std::string_view kWscKey = "WSC";

enum class StoreStatus {
  Ok,
  EmptyName,     // a profile name that is empty (or only blanks)
  InvalidName,   // a profile name holding a line break or NUL
  InvalidValue,  // a value holding a line break or NUL
  NotFound,      // no profile of that name
  NoAdapter,     // no adapter chosen: there are no file names
  WriteFailed,   // the file could not be written; the old one is unchanged
  Utf16File,     // the file is UTF-16 text, which this program does not rewrite
};

struct StoreResult {
  StoreStatus status = StoreStatus::Ok;
  std::string detail;  // "PATH: reason" for file failures, the offending key for a value

  bool ok() const { return status == StoreStatus::Ok; }
  explicit operator bool() const { return ok(); }
};

// The message a user sees for a failed store operation, in the table's language.
std::string StoreFailureText(const StoreResult& result, const StringTable& strings);

// "LARKPCI_" .. "HERONU_" for a chip family; "" for none.
std::string_view FamilyPrefix(ChipFamily family);

// A profile name the file format can hold: not empty once blanks are trimmed, no line break or NUL.
StoreStatus CheckProfileName(std::string_view name);

// The stored SSID text of a network name (two lower-case hex digits per byte) and back. Decoding
// takes whole pairs of hex digits from the start and stops at the first pair that is not one (an odd
// last digit is dropped), at 32 bytes, and at a NUL byte (a name ends there).
std::string EncodeSsidHex(std::string_view ssid);
std::string DecodeSsidHex(std::string_view text);

// "J8", "J12", "J16" as JapanChannelBase + 8, 12, 16; any other text unchanged.
std::string StoredChannelText(std::string_view editorText);
// A WEP key as stored: an ASCII key (type "1") as the hex digits of its bytes; others as typed.
std::string StoredWepKey(std::string_view key, std::string_view keyType);

// A store file read once (a page refresh, a connection built from the station): section names in
// file order (first spelling, each once) and their values, found without regard to case.
class StoreFileSnapshot {
 public:
  StoreFileSnapshot() = default;
  explicit StoreFileSnapshot(IniDocument document);

  const std::vector<std::string>& Names() const { return names_; }
  bool HasSection(std::string_view section) const { return document_.HasSection(section); }
  // Value of `key` in the first section named `section` ("" when missing); `SSID` is decoded.
  std::string Value(std::string_view section, std::string_view key) const;
  bool Has(std::string_view section, std::string_view key) const { return document_.HasKey(section, key); }
  // The whole profile, as LoadProfile gives it.
  ProfileRecord Record(std::string_view section) const;
  // The file as read, for callers that walk a section once (IniDocument::ForEachKey).
  const IniDocument& Document() const { return document_; }

 private:
  IniDocument document_;
  std::vector<std::string> names_;
};

class ProfileStore {
 public:
  // `context` is read at every call (a rediscovery may change the adapter); `settingsDirectory`
  // ends in a separator or is empty; `clock` gives the local time for ActiveTime.
  ProfileStore(const AdapterContext& context, std::string settingsDirectory, ISystemInfo& clock);

  const std::string& SettingsDirectory() const { return settingsDirectory_; }
  // The file of a kind for the current adapter; empty without an adapter.
  std::filesystem::path FilePath(StoreFileKind kind) const;

  // One read of one value; `SSID` is decoded.
  std::string ReadValue(StoreFileKind kind, std::string_view section, std::string_view key) const;
  // One write of one value (one rewrite of the file); `SSID` is encoded and `SSID_inHex` set.
  StoreResult WriteValue(StoreFileKind kind, std::string_view section, std::string_view key, std::string_view text);

  // A store file of its own layout (the WPS store) read once, and changed in one rewrite: `change`
  // edits the document and returns Ok to write it, anything else to stop with that result.
  StoreFileSnapshot ReadFile(StoreFileKind kind) const;
  StoreResult RewriteFile(StoreFileKind kind, const std::function<StoreResult(IniDocument&)>& change);

  // Every section name of the profile file, in file order; empty when the file is missing.
  std::vector<std::string> ListProfiles() const;
  // The profile file read once.
  StoreFileSnapshot ReadProfiles() const;
  bool HasProfile(std::string_view name) const;

  // Blanks the profile's 53 keys, then writes the record's values in the save order (SSID encoded,
  // J channels and ASCII WEP keys in their stored form): one rewrite. ActiveTime ends up empty.
  StoreResult SaveProfile(const ProfileRecord& record);
  // The profile's values (every key read whole; SSID decoded); a missing profile gives empty values.
  ProfileRecord LoadProfile(std::string_view name) const;
  // "" to all 53 keys of the section (created when missing).
  StoreResult BlankProfile(std::string_view name);
  // Removes the sections named exactly `name`; sections whose names merely begin with it or differ
  // in case stay. NotFound when there was none (nothing written).
  StoreResult RemoveProfile(std::string_view name);
  // CurProfile = name, WSC = "0", then a copy of all 53 keys into the station file: one rewrite.
  StoreResult ActivateProfile(std::string_view name);

  std::string ReadStation(std::string_view key) const;
  StoreResult WriteStation(std::string_view key, std::string_view text);
  // The station file read once (section `Config` holds the values in force).
  StoreFileSnapshot ReadStationFile() const;
  // The default station configuration (infrastructure, open, no encryption, no profile).
  StoreResult ResetStation();
  // ActiveTime of the profile := the local time now, "%d, %d, %d, %d, %d, %d".
  StoreResult StampActiveTime(std::string_view name);

 private:
  template <typename Change>
  StoreResult Rewrite(StoreFileKind kind, Change&& change);

  const AdapterContext& context_;
  std::string settingsDirectory_;
  ISystemInfo& clock_;
};

}  // namespace nxui
