// The WLAN service's profile list of one interface as the state directory keeps it
// (`wlan-profiles-<GUID>.json`, mode 0600: documents hold pass phrases). A file that cannot be
// read is refused with its line and never overwritten; a write that fails says why.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Guid.h"
#include "platform/WinTypes.h"

namespace nxui::sim {

struct StoredProfile {
  std::string name;
  std::string xml;
  DWORD flags = 0;
  bool operator==(const StoredProfile&) const = default;
};

class SimProfileStore {
 public:
  // An empty directory keeps nothing on disk.
  explicit SimProfileStore(std::filesystem::path stateDirectory) : directory_(std::move(stateDirectory)) {}

  bool persistent() const { return !directory_.empty(); }
  const std::filesystem::path& directory() const { return directory_; }
  std::filesystem::path FileOf(const Guid& guid) const;

  enum class LoadResult { Missing, Loaded, Unreadable };
  // The stored list; on Unreadable `error` is "file:line: what" and `profiles` is untouched.
  LoadResult Load(const Guid& guid, std::vector<StoredProfile>& profiles, std::string& error) const;
  // Replaces the file; false with "file: reason" when it could not be written.
  bool Save(const Guid& guid, const std::vector<StoredProfile>& profiles, std::string& error) const;

 private:
  std::filesystem::path directory_;
};

}  // namespace nxui::sim
