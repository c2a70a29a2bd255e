#include "sim/CaptureNetworks.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "adapter/ChannelFrequencyTable.h"
#include "base/ByteReader.h"
#include "scan/ElementIds.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ScanEntryRecord.h"

namespace nxui::sim {

namespace {

constexpr std::uint32_t kLinkTypeIeee80211 = 105;
constexpr std::uint32_t kLinkTypeRadiotap = 127;
constexpr std::size_t kManagementHeader = 24;
constexpr std::size_t kFixedFields = 12;  // timestamp, beacon interval, capability

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t Swap32(std::uint32_t v) { return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24); }

struct Radiotap {
  std::size_t length = 0;
  bool fcs = false;
  std::optional<std::uint32_t> frequencyMhz;
  std::optional<std::int8_t> signalDbm;
};

// The radiotap header's length and the first fields up to the antenna signal. Field offsets are
// aligned to their natural size from the header's start.
bool ReadRadiotap(std::span<const std::uint8_t> record, Radiotap& out) {
  ByteReader reader(record);
  std::uint8_t version = 0;
  std::uint8_t pad = 0;
  std::uint16_t length = 0;
  std::uint32_t present = 0;
  if (!reader.u8(version) || !reader.u8(pad) || !reader.le16(length) || !reader.le32(present)) return false;
  if (version != 0 || length < 8 || length > record.size()) return false;
  const std::uint32_t firstPresent = present;
  while ((present & 0x80000000u) != 0) {
    if (!reader.le32(present)) return false;
  }
  out.length = length;
  const auto header = record.first(length);
  std::size_t offset = reader.position();
  auto field = [&](std::size_t size, std::size_t align, std::span<const std::uint8_t>& bytes) {
    offset = (offset + align - 1) / align * align;
    if (size > header.size() || offset > header.size() - size) return false;
    bytes = header.subspan(offset, size);
    offset += size;
    return true;
  };
  std::span<const std::uint8_t> bytes;
  if ((firstPresent & (1u << 0)) != 0 && !field(8, 8, bytes)) return true;  // TSFT
  if ((firstPresent & (1u << 1)) != 0) {
    if (!field(1, 1, bytes)) return true;
    out.fcs = (bytes[0] & 0x10) != 0;
  }
  if ((firstPresent & (1u << 2)) != 0 && !field(1, 1, bytes)) return true;  // rate
  if ((firstPresent & (1u << 3)) != 0) {
    if (!field(4, 2, bytes)) return true;
    out.frequencyMhz = Le16(bytes.data());
  }
  if ((firstPresent & (1u << 4)) != 0 && !field(2, 1, bytes)) return true;  // FHSS
  if ((firstPresent & (1u << 5)) != 0) {
    if (!field(1, 1, bytes)) return true;
    out.signalDbm = static_cast<std::int8_t>(bytes[0]);
  }
  return true;
}

// The first element with this id, walking the whole list (the frame is the AP's, not the driver's).
std::optional<std::span<const std::uint8_t>> FindElement(std::span<const std::uint8_t> ies, std::uint8_t id) {
  ByteReader reader(ies);
  while (reader.remaining() >= 2) {
    std::uint8_t elementId = 0;
    std::uint8_t length = 0;
    std::span<const std::uint8_t> body;
    if (!reader.u8(elementId) || !reader.u8(length) || !reader.take(length, body)) break;
    if (elementId == id) return body;
  }
  return std::nullopt;
}

void SetSecurity(const CapturedBeacon& beacon, ScenarioNetwork& network) {
  ScanEntryRecord record;
  record.infrastructureMode = (beacon.capability & 0x0002) != 0 ? 0 : 1;
  record.ies = beacon.ies;
  const SecuritySummary s = DecodeSecurity(record);
  auto& security = network.security;
  if (s.wpaPsk && s.wpa2Psk)
    security.auth = AuthKind::WpaPskWpa2Psk;
  else if (s.wpa2Psk)
    security.auth = AuthKind::Wpa2Psk;
  else if (s.wpa2)
    security.auth = AuthKind::Wpa2;
  else if (s.wpaPsk)
    security.auth = AuthKind::WpaPsk;
  else if (s.wpa)
    security.auth = AuthKind::Wpa;
  else if (s.wpaNone || s.wpa2None)
    security.auth = AuthKind::WpaNone;
  else
    security.auth = AuthKind::Open;
  if (s.tkip && s.aes)
    security.cipher = CipherKind::TkipAes;
  else if (s.aes)
    security.cipher = CipherKind::Aes;
  else if (s.tkip)
    security.cipher = CipherKind::Tkip;
  else
    security.cipher = (beacon.capability & 0x0010) != 0 ? CipherKind::Wep : CipherKind::None;
}

}  // namespace

CaptureReadResult ReadCapture(std::span<const std::uint8_t> data) {
  CaptureReadResult result;
  ByteReader reader(data);
  std::uint32_t magic = 0;
  if (!reader.le32(magic)) {
    result.error = "too short for a pcap header";
    return result;
  }
  bool swapped = false;
  if (magic == 0xd4c3b2a1u || magic == 0x4d3cb2a1u) {
    swapped = true;
  } else if (magic != 0xa1b2c3d4u && magic != 0xa1b23c4du) {
    result.error = "not a classic pcap file";
    return result;
  }
  auto get32 = [&](std::uint32_t& v) {
    if (!reader.le32(v)) return false;
    if (swapped) v = Swap32(v);
    return true;
  };
  std::uint32_t snapLength = 0;
  std::uint32_t linkField = 0;
  if (!reader.skip(12) || !get32(snapLength) || !get32(linkField)) {
    result.error = "too short for a pcap header";
    return result;
  }
  const std::uint32_t linkType = linkField & 0xFFFF;
  if (linkType != kLinkTypeIeee80211 && linkType != kLinkTypeRadiotap) {
    result.error = "link type " + std::to_string(linkType) + " (expected 105 or 127)";
    return result;
  }
  // The header may say that frames end in an FCS of (bits 29-31) 16-bit words.
  const std::size_t headerFcs = (linkField & 0x10000000u) != 0 ? ((linkField >> 29) & 0x7u) * 2 : 0;

  for (;;) {
    std::uint32_t seconds = 0;
    std::uint32_t micros = 0;
    std::uint32_t included = 0;
    std::uint32_t original = 0;
    if (!get32(seconds) || !get32(micros) || !get32(included) || !get32(original)) break;
    std::span<const std::uint8_t> record;
    if (!reader.take(included, record)) break;
    ++result.records;
    std::span<const std::uint8_t> frame = record;
    std::size_t fcs = headerFcs;
    Radiotap radiotap;
    if (linkType == kLinkTypeRadiotap) {
      if (!ReadRadiotap(record, radiotap)) continue;
      frame = record.subspan(radiotap.length);
      if (radiotap.fcs) fcs = 4;
    }
    // Only a frame captured whole ends in its FCS.
    if (fcs != 0 && included == original) {
      if (frame.size() < fcs) continue;
      frame = frame.first(frame.size() - fcs);
    }
    if (frame.size() < kManagementHeader + kFixedFields) continue;
    const int type = (frame[0] >> 2) & 3;
    const int subtype = frame[0] >> 4;
    if (type != 0 || (subtype != 8 && subtype != 5)) continue;
    CapturedBeacon beacon;
    beacon.frameNumber = result.records;
    beacon.subtype = subtype;
    std::copy_n(frame.begin() + 16, 6, beacon.bssid.begin());
    beacon.beaconInterval = Le16(frame.data() + 32);
    beacon.capability = Le16(frame.data() + 34);
    const auto ies = frame.subspan(kManagementHeader + kFixedFields);
    beacon.ies.assign(ies.begin(), ies.end());
    beacon.frequencyMhz = radiotap.frequencyMhz;
    beacon.signalDbm = radiotap.signalDbm;
    result.beacons.push_back(std::move(beacon));
  }
  result.ok = true;
  return result;
}

CaptureReadResult ReadCaptureFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    CaptureReadResult result;
    result.error = "cannot open the capture";
    return result;
  }
  const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ReadCapture(data);
}

ScenarioNetwork NetworkFromBeacon(const CapturedBeacon& beacon) {
  ScenarioNetwork network;
  network.bssid = beacon.bssid;
  if (const auto ssid = FindElement(beacon.ies, ie::kSsid)) {
    const auto name = ssid->first(std::min<std::size_t>(ssid->size(), 32));
    network.ssid.assign(name.begin(), name.end());
  }
  network.ies = beacon.ies;
  network.bssType = (beacon.capability & 0x0002) != 0 ? BssKind::Independent : BssKind::Infrastructure;
  network.privacy = (beacon.capability & 0x0010) != 0;
  network.beaconPeriod = beacon.beaconInterval;
  if (beacon.signalDbm && *beacon.signalDbm < 0) network.rssi = *beacon.signalDbm;

  std::uint32_t channel = 0;
  std::uint32_t frequencyKhz = 0;
  if (beacon.frequencyMhz && FrequencyToChannel(*beacon.frequencyMhz * 1000u, channel)) {
    frequencyKhz = *beacon.frequencyMhz * 1000u;
  } else if (const auto ds = FindElement(beacon.ies, ie::kDsParameterSet); ds && !ds->empty()) {
    channel = (*ds)[0];
  } else if (const auto ht = FindElement(beacon.ies, ie::kHtInformation); ht && !ht->empty()) {
    channel = (*ht)[0];
  }
  if (channel != 0 && (frequencyKhz != 0 || ChannelToFrequency(channel, frequencyKhz))) {
    network.channel = static_cast<int>(channel);
    network.frequencyKhz = frequencyKhz;
  }

  for (std::uint8_t id : {ie::kSupportedRates, ie::kExtendedSupportedRates}) {
    if (const auto rates = FindElement(beacon.ies, id)) {
      for (std::uint8_t rate : *rates) network.rates.push_back(rate);
    }
  }
  const bool fiveGhz = network.frequencyKhz && *network.frequencyKhz > 4000000;
  // Anything but the four DSSS/CCK rates (1, 2, 5.5, 11 Mbps) is an OFDM rate.
  const bool ofdmRate = std::any_of(network.rates.begin(), network.rates.end(), [](int r) {
    const int rate = r & 0x7F;
    return rate != 2 && rate != 4 && rate != 11 && rate != 22;
  });
  if (FindElement(beacon.ies, ie::kHtCapabilities))
    network.phy = Phy::N;
  else if (fiveGhz)
    network.phy = Phy::A;
  else
    network.phy = ofdmRate ? Phy::G : Phy::B;
  SetSecurity(beacon, network);
  return network;
}

std::vector<ScenarioNetwork> NetworksFromCapture(const std::vector<CapturedBeacon>& beacons) {
  std::vector<ScenarioNetwork> networks;
  std::vector<std::array<std::uint8_t, 6>> seen;
  for (const CapturedBeacon& beacon : beacons) {
    if (std::find(seen.begin(), seen.end(), beacon.bssid) != seen.end()) continue;
    seen.push_back(beacon.bssid);
    networks.push_back(NetworkFromBeacon(beacon));
  }
  return networks;
}

bool LoadCaptureNetworks(const Scenario& scenario, std::vector<ScenarioNetwork>& networks, std::string& error) {
  namespace fs = std::filesystem;
  const bool fromFile = !scenario.sourceName.empty() && scenario.sourceName.front() != '<';
  const fs::path base = fromFile ? fs::path(scenario.sourceName).parent_path() : fs::path();
  for (const std::string& name : scenario.captures) {
    fs::path path(name);
    if (path.is_relative() && !base.empty()) path = base / path;
    const CaptureReadResult read = ReadCaptureFile(path.string());
    if (!read.ok) {
      error = path.string() + ":0: " + read.error;
      return false;
    }
    for (ScenarioNetwork& network : NetworksFromCapture(read.beacons)) {
      const bool known = std::any_of(networks.begin(), networks.end(),
                                     [&](const ScenarioNetwork& n) { return n.bssid == network.bssid; });
      if (!known) networks.push_back(std::move(network));
    }
  }
  return true;
}

}  // namespace nxui::sim
