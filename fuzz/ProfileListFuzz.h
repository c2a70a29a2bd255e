// The simulated WLAN service's profile list file (wlan-profiles-<GUID>.json) on any bytes: the
// service starts on it, lists what it read, and whatever it saves after a change reads back the
// same in a service started afresh.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/Guid.h"
#include "platform/IWlanApi.h"
#include "platform/VirtualEventLoop.h"
#include "sim/SimAssociation.h"
#include "sim/SimFaults.h"
#include "sim/SimWlanService.h"

namespace nxui::fuzz {

namespace profile_list_fuzz {

constexpr const char* kGuid = "{6B1D2F4E-9A3C-4E7B-8D21-0F5A6C7E8B90}";
constexpr const char* kFileName = "wlan-profiles-6B1D2F4E-9A3C-4E7B-8D21-0F5A6C7E8B90.json";
constexpr const char* kAddedProfile =
    "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
    "<name>added</name><SSIDConfig><SSID><hex>6164646564</hex></SSID></SSIDConfig>"
    "<connectionType>ESS</connectionType><connectionMode>auto</connectionMode><MSM><security><authEncryption>"
    "<authentication>WPA2PSK</authentication><encryption>AES</encryption><useOneX>false</useOneX>"
    "</authEncryption><sharedKey><keyType>passPhrase</keyType><protected>false</protected>"
    "<keyMaterial>pass phrase</keyMaterial></sharedKey></security></MSM></WLANProfile>";

struct Listed {
  std::string name;
  DWORD flags = 0;
  std::string xml;
  friend bool operator==(const Listed&, const Listed&) = default;
};

// A service on the state folder with the one interface whose list the file holds.
class Service {
 public:
  explicit Service(const std::filesystem::path& folder)
      : service_(loop_, inRange_, folder, faults_,
                 [](const sim::ScenarioNetwork&) { return std::vector<std::uint8_t>(); }) {
    service_.AddInterface(guid_, "fuzz adapter", {kDot11PhyTypeHt}, association_);
    DWORD negotiated = 0;
    NXUI_FUZZ_REQUIRE(service_.OpenHandle(2, negotiated, handle_) == kErrorSuccess);
  }

  std::vector<Listed> List() {
    std::vector<WlanProfileInfo> infos;
    NXUI_FUZZ_REQUIRE(service_.GetProfileList(handle_, guid_, infos) == kErrorSuccess);
    std::vector<Listed> listed;
    for (const WlanProfileInfo& info : infos) {
      Listed entry{info.profileName, info.flags, {}};
      DWORD flags = 0;
      NXUI_FUZZ_REQUIRE(service_.GetProfile(handle_, guid_, info.profileName, entry.xml, flags) == kErrorSuccess);
      NXUI_FUZZ_REQUIRE(flags == info.flags);
      listed.push_back(std::move(entry));
    }
    return listed;
  }

  DWORD Add(const char* xml) {
    DWORD reason = 0;
    return service_.SetProfile(handle_, guid_, 0, xml, true, reason);
  }

 private:
  VirtualEventLoop loop_;
  sim::SimFaults faults_;
  std::vector<sim::ScenarioNetwork> inRange_;
  sim::SimAssociation association_;
  Guid guid_ = *Guid::Parse(kGuid);
  sim::SimWlanService service_;
  WlanHandle handle_ = 0;
};

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace profile_list_fuzz

inline void ProfileListOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace profile_list_fuzz;
  const std::filesystem::path& folder = FreshScratchFolder();
  const std::filesystem::path file = folder / kFileName;
  const std::string original(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(file, std::ios::binary);
    out << original;
  }
  Service first(folder);
  first.List();
  const DWORD added = first.Add(kAddedProfile);
  const std::vector<Listed> listed = first.List();
  const std::string saved = FileBytes(file);
  if (saved == original) return;  // nothing was written: the file was not the service's to replace
  // What was written is the list the service holds, and reads back as such.
  NXUI_FUZZ_REQUIRE(added == kErrorSuccess);
  Service second(folder);
  NXUI_FUZZ_REQUIRE(second.List() == listed);
}

}  // namespace nxui::fuzz
