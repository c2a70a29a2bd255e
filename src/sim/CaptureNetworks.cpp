#include "sim/CaptureNetworks.h"

#include <pcap/pcap.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "adapter/ChannelFrequencyTable.h"
#include "base/ByteReader.h"
#include "scan/ElementIds.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ScanEntryRecord.h"

namespace nxui::sim {

namespace {

constexpr std::size_t kManagementHeader = 24;
constexpr std::size_t kFixedFields = 12;  // timestamp, beacon interval, capability

std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

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

namespace {

struct PcapCloser {
  void operator()(pcap_t* capture) const { pcap_close(capture); }
};

// One record of the capture: the 802.11 frame without radiotap header and FCS, when it is a beacon
// or a probe response.
void TakeRecord(const pcap_pkthdr& header, const std::uint8_t* bytes, int linkType, std::size_t headerFcs,
                CaptureReadResult& result) {
  const std::span<const std::uint8_t> record(bytes, header.caplen);
  std::span<const std::uint8_t> frame = record;
  std::size_t fcs = headerFcs;
  Radiotap radiotap;
  if (linkType == DLT_IEEE802_11_RADIO) {
    if (!ReadRadiotap(record, radiotap)) return;
    frame = record.subspan(radiotap.length);
    if (radiotap.fcs) fcs = 4;
  }
  // Only a frame captured whole ends in its FCS.
  if (fcs != 0 && header.caplen == header.len) {
    if (frame.size() < fcs) return;
    frame = frame.first(frame.size() - fcs);
  }
  if (frame.size() < kManagementHeader + kFixedFields) return;
  const int type = (frame[0] >> 2) & 3;
  const int subtype = frame[0] >> 4;
  if (type != 0 || (subtype != 8 && subtype != 5)) return;
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

// Reads a capture (pcap or pcapng) from `file`, which it closes.
CaptureReadResult ReadCaptureStream(std::FILE* file) {
  CaptureReadResult result;
  char errorText[PCAP_ERRBUF_SIZE] = {};
  std::unique_ptr<pcap_t, PcapCloser> capture(pcap_fopen_offline(file, errorText));
  if (!capture) {
    std::fclose(file);  // a capture that failed to open leaves the stream to its caller
    result.error = errorText;
    return result;
  }
  const int linkType = pcap_datalink(capture.get());
  if (linkType != DLT_IEEE802_11 && linkType != DLT_IEEE802_11_RADIO) {
    result.error = "link type " + std::to_string(linkType) + " (expected " + std::to_string(DLT_IEEE802_11) + " or " +
                   std::to_string(DLT_IEEE802_11_RADIO) + ")";
    return result;
  }
  // A pcap file header may announce that every frame ends in an FCS of so many 16-bit words.
  const int extension = pcap_datalink_ext(capture.get());
  const std::size_t headerFcs =
      extension > 0 && LT_FCS_LENGTH_PRESENT(extension) ? static_cast<std::size_t>(LT_FCS_LENGTH(extension)) * 2 : 0;

  for (;;) {
    pcap_pkthdr* header = nullptr;
    const u_char* bytes = nullptr;
    const int status = pcap_next_ex(capture.get(), &header, &bytes);
    if (status == PCAP_ERROR_BREAK) break;
    if (status != 1) {
      // A capture cut short or a record of absurd length: what was read before is no capture either.
      result.error = "record " + std::to_string(result.records + 1) + ": " + pcap_geterr(capture.get());
      result.beacons.clear();
      return result;
    }
    ++result.records;
    TakeRecord(*header, bytes, linkType, headerFcs, result);
  }
  result.ok = true;
  return result;
}

}  // namespace

CaptureReadResult ReadCapture(std::span<const std::uint8_t> data) {
  if (data.empty()) {
    CaptureReadResult result;
    result.error = "empty file, not a capture";
    return result;
  }
  // The stream only reads; fmemopen's interface just lacks a const overload.
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data.data()), data.size(), "rb");
  if (file == nullptr) {
    CaptureReadResult result;
    result.error = std::string("cannot read the capture: ") + std::strerror(errno);
    return result;
  }
  return ReadCaptureStream(file);
}

CaptureReadResult ReadCaptureFile(const std::string& path) {
  CaptureReadResult result;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    result.error = "cannot open the capture";
    return result;
  }
  if (S_ISDIR(info.st_mode)) {
    result.error = "a folder, not a capture";
    return result;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    result.error = std::string("cannot open the capture: ") + std::strerror(errno);
    return result;
  }
  if (info.st_size == 0) {
    std::fclose(file);
    result.error = "empty file, not a capture";
    return result;
  }
  return ReadCaptureStream(file);
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
