#include "sim/SimProfileStore.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "base/AtomicFile.h"
#include "sim/JsonText.h"
#include "sim/SimWlanProfile.h"

namespace nxui::sim {

std::filesystem::path SimProfileStore::FileOf(const Guid& guid) const {
  std::string text = guid.ToString();
  text = text.substr(1, text.size() - 2);
  return directory_ / ("wlan-profiles-" + text + ".json");
}

SimProfileStore::LoadResult SimProfileStore::Load(const Guid& guid, std::vector<StoredProfile>& profiles,
                                                  std::string& error) const {
  if (!persistent()) return LoadResult::Missing;
  const std::filesystem::path path = FileOf(guid);
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return LoadResult::Missing;
  const std::string source = path.string();
  std::ifstream in;
  if (std::filesystem::is_regular_file(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    error = source + ":0: cannot read the profile list";
    return LoadResult::Unreadable;
  }
  std::ostringstream text;
  text << in.rdbuf();
  Json document;
  JsonLineIndex lines;
  if (!ParseJsonText(text.str(), source, document, lines, error)) return LoadResult::Unreadable;
  const auto fail = [&](const std::string& pointer, const std::string& what) {
    error = source + ":" + std::to_string(lines.LineOf(pointer)) + ": " + what;
    return LoadResult::Unreadable;
  };
  if (!document.is_object() || !document.contains("profiles") || !document["profiles"].is_array()) {
    return fail("", "not a profile list (expected {\"profiles\": [...]})");
  }
  std::vector<StoredProfile> loaded;
  const Json& list = document["profiles"];
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string pointer = "/profiles/" + std::to_string(i);
    const Json& entry = list[i];
    if (!entry.is_object() || !entry.contains("xml") || !entry["xml"].is_string()) {
      return fail(pointer, "profile " + std::to_string(i + 1) + " has no \"xml\" text");
    }
    DWORD flags = 0;
    if (entry.contains("flags")) {
      const Json& value = entry["flags"];
      if (!value.is_number_unsigned() || value.get<std::uint64_t>() > 0xFFFFFFFFu) {
        return fail(pointer + "/flags", "\"flags\" of profile " + std::to_string(i + 1) + " must be a 32-bit number");
      }
      flags = value.get<DWORD>();
    }
    const std::string xml = entry["xml"].get<std::string>();
    const auto parsed = ParseSimWlanProfile(xml);
    if (!parsed) return fail(pointer + "/xml", "profile " + std::to_string(i + 1) + " is not a WLAN profile document");
    loaded.push_back({parsed->name, xml, flags});
  }
  profiles = std::move(loaded);
  return LoadResult::Loaded;
}

bool SimProfileStore::Save(const Guid& guid, const std::vector<StoredProfile>& profiles, std::string& error) const {
  if (!persistent()) return true;
  nlohmann::json document;
  document["profiles"] = nlohmann::json::array();
  for (const auto& profile : profiles) {
    document["profiles"].push_back({{"name", profile.name}, {"flags", profile.flags}, {"xml", profile.xml}});
  }
  return EnsurePrivateFolder(directory_, error) &&
         WriteFileAtomically(FileOf(guid), document.dump(2) + "\n", FileSecrecy::Secret, error);
}

}  // namespace nxui::sim
