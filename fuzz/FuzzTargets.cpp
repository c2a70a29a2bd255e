#include "FuzzTargets.h"

#include "DriverRecordsFuzz.h"
#include "IniFileFuzz.h"
#include "PcapReadFuzz.h"
#include "ProfileListFuzz.h"
#include "RegistryFileFuzz.h"
#include "ScanDecodeFuzz.h"
#include "ScenarioLoadFuzz.h"
#include "WlanProfileXmlFuzz.h"
#include "WpsCredentialsFuzz.h"

namespace nxui::fuzz {
namespace {

void ScanDecodeInput(const std::uint8_t* data, std::size_t size) {
  volatile std::size_t sink = ScanDecodeOneInput(data, size);
  (void)sink;
}

constexpr FuzzTarget kTargets[] = {
    {"scan_decode", ScanDecodeInput},
    {"scenario_load", ScenarioLoadOneInput},
    {"registry_file", RegistryFileOneInput},
    {"ini_file", IniFileOneInput},
    {"pcap_read", PcapReadOneInput},
    {"profile_list", ProfileListOneInput},
    {"wlan_profile_xml", WlanProfileXmlOneInput},
    {"driver_records", DriverRecordsOneInput},
    {"wps_credentials", WpsCredentialsOneInput},
};

}  // namespace

std::span<const FuzzTarget> FuzzTargets() { return kTargets; }

const FuzzTarget* FindFuzzTarget(std::string_view name) {
  for (const FuzzTarget& target : kTargets) {
    if (name == target.name) return &target;
  }
  return nullptr;
}

}  // namespace nxui::fuzz
