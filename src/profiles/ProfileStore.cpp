#include "profiles/ProfileStore.h"
#include "base/AsciiCase.h"

#include <array>
#include <cstdio>

#include "adapter/ChannelFrequencyTable.h"
#include "base/AtomicFile.h"
#include "base/HexText.h"
#include "base/IniFile.h"
#include "display/StringTable.h"
#include "platform/ISystemInfo.h"

namespace nxui {
namespace {

constexpr std::string_view kSsidKey = "SSID";
constexpr std::string_view kSsidInHexKey = "SSID_inHex";
constexpr std::string_view kActiveTimeKey = "ActiveTime";
constexpr std::size_t kMaxSsidBytes = 32;

constexpr std::array<std::string_view, 4> kSuffixes = {"_sta", "_ap", "_prof", "_wsc"};

constexpr std::array<std::string_view, 9> kFamilyPrefixes = {
    "LARKPCI_", "LARKUSB_", "WRENPCI_", "WRENUSB_", "TERN_", "TERNU_", "HERON_", "HERON_", "HERONU_",
};

bool SameKey(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The keys SaveProfile writes after blanking, in its order (ActiveTime and SSID_inHex are not among
// them: the first stays blank, the second is set by the SSID write).
constexpr std::array<std::string_view, 51> kSaveOrder = {
    "SSID",
    "Channel",
    "NetworkType",
    "PreambleType",
    "ACPowerCam",
    "PSMode",
    "TXPower",
    "UseRts",
    "RtsThresh",
    "UseFrag",
    "FragThresh",
    "AuthMode",
    "CipherMode",
    "LeapEnabled",
    "LeapUserName",
    "LeapPassword",
    "LeapDomainName",
    "LeapEncryType",
    "WPAPSK",
    "WEPKeyUse",
    "WEPKey1Type",
    "WEPKey2Type",
    "WEPKey3Type",
    "WEPKey4Type",
    "WEPKey1",
    "WEPKey2",
    "WEPKey3",
    "WEPKey4",
    "Use8021X",
    "AuthenProtocol",
    "TunnelProtocol",
    "ProvisioningTunnel",
    "ID",
    "Password",
    "DomainName",
    "TunnelID",
    "TunnelPassword",
    "SessionResumption",
    "PasswordMode",
    "UseClientCert",
    "UseServerCert",
    "UsePAC",
    "ProvisionMode",
    "PACFilePath",
    "ClientCertLen",
    "ClientCertData",
    "ServerCertLen",
    "ServerCertData",
    "ServerName",
    "NameRule",
    "IntermediateCert",
};

const std::string* FieldOf(const ProfileRecord& record, std::string_view key) {
  for (const ProfileKeyInfo& info : kProfileKeys) {
    if (info.key == key) return &(record.*info.member);
  }
  return nullptr;
}

// The value of a key as the store writes it into a section: SSID hex-encoded.
void WriteEncoded(IniDocument& document, std::string_view section, std::string_view key, std::string_view text) {
  if (SameKey(key, kSsidKey)) {
    document.WriteString(section, key, EncodeSsidHex(text));
    document.WriteString(section, kSsidInHexKey, "1");
  } else {
    document.WriteString(section, key, text);
  }
}

std::string ReadDecoded(const IniDocument& document, std::string_view section, std::string_view key) {
  std::string value = document.ReadString(section, key, "");
  if (SameKey(key, kSsidKey) && document.ReadString(section, kSsidInHexKey, "") == "1") return DecodeSsidHex(value);
  return value;
}

ProfileRecord RecordFrom(const IniDocument& document, std::string_view name) {
  ProfileRecord record;
  record.name = std::string(TrimIniBlanks(name));
  for (const ProfileKeyInfo& info : kProfileKeys) record.*info.member = ReadDecoded(document, name, info.key);
  return record;
}

StoreResult Failure(StoreStatus status, std::string detail = {}) { return StoreResult{status, std::move(detail)}; }

}  // namespace

std::string StoreFailureText(const StoreResult& result, const StringTable& strings) {
  auto format = [&strings](StringId id, const std::string& argument) {
    const std::string& pattern = strings.LoadString(id);
    const std::size_t at = pattern.find("%s");
    if (at == std::string::npos) return pattern;
    return pattern.substr(0, at) + argument + pattern.substr(at + 2);
  };
  switch (result.status) {
    case StoreStatus::Ok:
      return {};
    case StoreStatus::EmptyName:
      return strings.LoadString(string_id::kPleaseEnterProfileName);
    case StoreStatus::InvalidName:
      return strings.LoadString(string_id::kProfileNameInvalidCharacters);
    case StoreStatus::NotFound:
      return format(string_id::kProfileNotFound, result.detail);
    case StoreStatus::NoAdapter:
      return strings.LoadString(string_id::kNicNotReady);
    case StoreStatus::InvalidValue:
    case StoreStatus::WriteFailed:
    case StoreStatus::Utf16File:
      return format(string_id::kProfileStoreWriteFailed, result.detail);
  }
  return {};
}

std::string_view FamilyPrefix(ChipFamily family) {
  if (family < 0 || static_cast<std::size_t>(family) >= kFamilyPrefixes.size()) return {};
  return kFamilyPrefixes[static_cast<std::size_t>(family)];
}

StoreStatus CheckProfileName(std::string_view name) {
  if (HasLineBreakOrNul(name)) return StoreStatus::InvalidName;
  if (TrimIniBlanks(name).empty()) return StoreStatus::EmptyName;
  return StoreStatus::Ok;
}

std::string EncodeSsidHex(std::string_view ssid) { return HexBytes(ssid); }

std::string DecodeSsidHex(std::string_view text) {
  std::string ssid;
  for (std::size_t i = 0; i + 1 < text.size() && ssid.size() < kMaxSsidBytes; i += 2) {
    const int high = HexDigitValue(text[i]);
    const int low = HexDigitValue(text[i + 1]);
    if (high < 0 || low < 0) break;
    const auto byte = static_cast<char>(high * 16 + low);
    if (byte == '\0') break;
    ssid += byte;
  }
  return ssid;
}

std::string StoredChannelText(std::string_view editorText) {
  for (const int offset : {8, 12, 16}) {
    if (editorText == "J" + std::to_string(offset)) return std::to_string(JapanChannelBase + offset);
  }
  return std::string(editorText);
}

std::string StoredWepKey(std::string_view key, std::string_view keyType) {
  if (keyType != "1") return std::string(key);
  return EncodeSsidHex(key);
}

StoreFileSnapshot::StoreFileSnapshot(IniDocument document)
    : document_(std::move(document)), names_(document_.SectionNames()) {}

std::string StoreFileSnapshot::Value(std::string_view section, std::string_view key) const {
  return ReadDecoded(document_, section, key);
}

ProfileRecord StoreFileSnapshot::Record(std::string_view section) const { return RecordFrom(document_, section); }

ProfileStore::ProfileStore(const AdapterContext& context, std::string settingsDirectory, ISystemInfo& clock)
    : context_(context), settingsDirectory_(std::move(settingsDirectory)), clock_(clock) {}

std::filesystem::path ProfileStore::FilePath(StoreFileKind kind) const {
  const std::string_view prefix = FamilyPrefix(context_.family);
  if (prefix.empty() || context_.instanceId.empty()) return {};
  return std::filesystem::path(settingsDirectory_ + std::string(prefix) + context_.instanceId +
                               std::string(kSuffixes[static_cast<std::size_t>(kind)]));
}

namespace {

IniDocument LoadOrEmpty(const std::filesystem::path& path) {
  IniDocument document;
  std::string ignored;
  if (path.empty() || !LoadIniDocument(path, document, ignored)) return IniDocument();
  return document;
}

}  // namespace

// Reads the file, lets `change` edit it, and writes it back in one atomic rewrite into a private
// folder. `change` returns Ok to write, anything else to stop with that result.
template <typename Change>
StoreResult ProfileStore::Rewrite(StoreFileKind kind, Change&& change) {
  const std::filesystem::path path = FilePath(kind);
  if (path.empty()) return Failure(StoreStatus::NoAdapter);
  // Without the user's settings folder the name would resolve against whatever the working
  // directory is: keys must not be scattered there.
  if (settingsDirectory_.empty()) {
    return Failure(StoreStatus::WriteFailed, path.string() +
                                                 ": no settings folder (the user's local application data "
                                                 "folder is not known)");
  }
  IniDocument document;
  std::string error;
  if (!LoadIniDocument(path, document, error)) return Failure(StoreStatus::WriteFailed, error);
  if (document.IsUtf16()) {
    return Failure(StoreStatus::Utf16File, path.string() + ": " + IniResultText(IniResult::Utf16File));
  }
  if (StoreResult stop = change(document); !stop.ok()) return stop;
  if (!EnsurePrivateFolder(path.parent_path(), error)) {
    return Failure(StoreStatus::WriteFailed, error);
  }
  if (SaveIniDocument(path, document, FileSecrecy::Secret, error) != IniResult::Ok) {
    return Failure(StoreStatus::WriteFailed, error);
  }
  return {};
}

std::string ProfileStore::ReadValue(StoreFileKind kind, std::string_view section, std::string_view key) const {
  return ReadDecoded(LoadOrEmpty(FilePath(kind)), section, key);
}

StoreResult ProfileStore::WriteValue(StoreFileKind kind, std::string_view section, std::string_view key,
                                     std::string_view text) {
  if (!IsValidIniSection(section)) return Failure(StoreStatus::InvalidName, std::string(section));
  if (!IsValidIniKey(key) || HasLineBreakOrNul(text)) return Failure(StoreStatus::InvalidValue, std::string(key));
  return Rewrite(kind, [&](IniDocument& document) {
    WriteEncoded(document, section, key, text);
    return StoreResult{};
  });
}

StoreFileSnapshot ProfileStore::ReadFile(StoreFileKind kind) const {
  return StoreFileSnapshot(LoadOrEmpty(FilePath(kind)));
}

StoreResult ProfileStore::RewriteFile(StoreFileKind kind, const std::function<StoreResult(IniDocument&)>& change) {
  return Rewrite(kind, change);
}

std::vector<std::string> ProfileStore::ListProfiles() const { return ReadProfiles().Names(); }

StoreFileSnapshot ProfileStore::ReadProfiles() const {
  return StoreFileSnapshot(LoadOrEmpty(FilePath(StoreFileKind::Profiles)));
}

StoreFileSnapshot ProfileStore::ReadStationFile() const {
  return StoreFileSnapshot(LoadOrEmpty(FilePath(StoreFileKind::Station)));
}

bool ProfileStore::HasProfile(std::string_view name) const {
  return LoadOrEmpty(FilePath(StoreFileKind::Profiles)).HasSection(name);
}

StoreResult ProfileStore::SaveProfile(const ProfileRecord& record) {
  if (const StoreStatus status = CheckProfileName(record.name); status != StoreStatus::Ok) {
    return Failure(status, record.name);
  }
  for (const ProfileKeyInfo& info : kProfileKeys) {
    if (HasLineBreakOrNul(record.*info.member)) return Failure(StoreStatus::InvalidValue, std::string(info.key));
  }
  return Rewrite(StoreFileKind::Profiles, [&](IniDocument& document) {
    for (const ProfileKeyInfo& info : kProfileKeys) document.WriteString(record.name, info.key, "");
    for (std::string_view key : kSaveOrder) {
      std::string value = *FieldOf(record, key);
      if (key == "Channel") {
        value = StoredChannelText(value);
      } else if (key.starts_with("WEPKey") && key.size() == 7) {
        const std::string typeKey = std::string(key) + "Type";
        value = StoredWepKey(value, *FieldOf(record, typeKey));
      }
      WriteEncoded(document, record.name, key, value);
    }
    return StoreResult{};
  });
}

ProfileRecord ProfileStore::LoadProfile(std::string_view name) const {
  return RecordFrom(LoadOrEmpty(FilePath(StoreFileKind::Profiles)), name);
}

StoreResult ProfileStore::BlankProfile(std::string_view name) {
  if (const StoreStatus status = CheckProfileName(name); status != StoreStatus::Ok) {
    return Failure(status, std::string(name));
  }
  return Rewrite(StoreFileKind::Profiles, [&](IniDocument& document) {
    for (const ProfileKeyInfo& info : kProfileKeys) document.WriteString(name, info.key, "");
    return StoreResult{};
  });
}

StoreResult ProfileStore::RemoveProfile(std::string_view name) {
  return Rewrite(StoreFileKind::Profiles, [&](IniDocument& document) {
    if (document.DeleteSectionsNamedExactly(name) == 0) return Failure(StoreStatus::NotFound, std::string(name));
    return StoreResult{};
  });
}

StoreResult ProfileStore::ActivateProfile(std::string_view name) {
  if (const StoreStatus status = CheckProfileName(name); status != StoreStatus::Ok) {
    return Failure(status, std::string(name));
  }
  const IniDocument profiles = LoadOrEmpty(FilePath(StoreFileKind::Profiles));
  if (!profiles.HasSection(name)) return Failure(StoreStatus::NotFound, std::string(name));
  return Rewrite(StoreFileKind::Station, [&](IniDocument& station) {
    station.WriteString(kStationSection, kCurProfileKey, TrimIniBlanks(name));
    station.WriteString(kStationSection, kWscKey, "0");
    for (const ProfileKeyInfo& info : kProfileKeys) {
      // The SSID was re-encoded just before: the profile's own flag (empty in a file of the old
      // plain-name kind) must not undo that, or the station would read the hex digits as the name.
      if (info.key == kSsidInHexKey) continue;
      WriteEncoded(station, kStationSection, info.key, ReadDecoded(profiles, name, info.key));
    }
    return StoreResult{};
  });
}

std::string ProfileStore::ReadStation(std::string_view key) const {
  return ReadValue(StoreFileKind::Station, kStationSection, key);
}

StoreResult ProfileStore::WriteStation(std::string_view key, std::string_view text) {
  return WriteValue(StoreFileKind::Station, kStationSection, key, text);
}

StoreResult ProfileStore::ResetStation() {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 19> kDefaults = {{
      {"SSID", ""},           {"NetworkType", "1"},   {"AuthMode", "0"},      {"CipherMode", "1"},
      {"WEPKey1Type", ""},    {"WEPKey2Type", ""},    {"WEPKey3Type", ""},    {"WEPKey4Type", ""},
      {"CurProfile", ""},     {"LeapEnabled", ""},    {"LeapUserName", ""},   {"LeapPassword", ""},
      {"TunnelID", ""},       {"TunnelProtocol", ""}, {"Use8021X", "0"},      {"ServerCertLen", "0"},
      {"ServerCertData", ""}, {"ClientCertLen", "0"}, {"ClientCertData", ""},
  }};
  // The secrets of the profile that was in force go too: nothing uses them once the station is
  // open, and a deleted profile's keys must not stay behind on the disk.
  static constexpr std::array<std::string_view, 7> kSecrets = {
      "WPAPSK", "WEPKey1", "WEPKey2", "WEPKey3", "WEPKey4", "Password", "TunnelPassword",
  };
  return Rewrite(StoreFileKind::Station, [&](IniDocument& station) {
    for (const auto& [key, value] : kDefaults) WriteEncoded(station, kStationSection, key, value);
    for (std::string_view key : kSecrets) {
      if (station.HasKey(kStationSection, key)) station.WriteString(kStationSection, key, "");
    }
    return StoreResult{};
  });
}

StoreResult ProfileStore::StampActiveTime(std::string_view name) {
  const SystemTime now = clock_.GetLocalTime();
  char text[96];
  std::snprintf(text, sizeof text, "%d, %d, %d, %d, %d, %d", now.year, now.month, now.day, now.hour, now.minute,
                now.second);
  return Rewrite(StoreFileKind::Profiles, [&](IniDocument& document) {
    // A profile deleted meanwhile must not come back as a section holding only its time.
    if (!document.HasSection(name)) return Failure(StoreStatus::NotFound, std::string(name));
    document.WriteString(name, kActiveTimeKey, text);
    return StoreResult{};
  });
}

}  // namespace nxui
