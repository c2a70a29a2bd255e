// A small reader of classic pcap files holding 802.11 frames (LINKTYPE 105) or radiotap + 802.11
// (LINKTYPE 127), turning beacons and probe responses into scan entries.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/ByteReader.h"
#include "survey/ScanEntryFactory.h"

namespace nxui::testing {

struct CapturedBeacon {
  std::size_t frameNumber = 0;  // 1-based, among all records
  int subtype = 0;              // 8 beacon, 5 probe response
  std::array<std::uint8_t, 6> bssid{};
  std::uint16_t capability = 0;
  std::vector<std::uint8_t> ies;  // FCS removed
};

inline std::uint32_t Swap32(std::uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24);
}

// Offset of the 802.11 header after the radiotap header, and whether frames end in an FCS.
inline bool SkipRadiotap(std::span<const std::uint8_t> record, std::size_t& headerLength, bool& fcs) {
  ByteReader reader(record);
  std::uint8_t version = 0;
  std::uint8_t pad = 0;
  std::uint16_t length = 0;
  std::uint32_t present = 0;
  if (!reader.u8(version) || !reader.u8(pad) || !reader.le16(length) || !reader.le32(present)) return false;
  if (length > record.size()) return false;
  const std::uint32_t firstPresent = present;
  while ((present & 0x80000000u) != 0) {
    if (!reader.le32(present)) return false;
  }
  fcs = false;
  std::size_t offset = reader.position();
  if ((firstPresent & 0x1u) != 0) offset = ((offset + 7) & ~std::size_t{7}) + 8;  // TSFT, 8-aligned
  if ((firstPresent & 0x2u) != 0) {
    if (offset >= length) return false;
    fcs = (record[offset] & 0x10) != 0;
  }
  headerLength = length;
  return true;
}

inline bool ReadCaptureBeacons(const std::string& path, std::vector<CapturedBeacon>& beacons, std::size_t& records) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ByteReader reader(data);
  std::uint32_t magic = 0;
  if (!reader.le32(magic)) return false;
  bool swapped = false;
  if (magic == 0xd4c3b2a1u || magic == 0x4d3cb2a1u) swapped = true;
  else if (magic != 0xa1b2c3d4u && magic != 0xa1b23c4du) return false;
  auto get32 = [&](std::uint32_t& v) {
    if (!reader.le32(v)) return false;
    if (swapped) v = Swap32(v);
    return true;
  };
  std::uint32_t skip = 0;
  std::uint32_t linkType = 0;
  if (!reader.skip(4 + 4 + 4 + 4 - 4) || !get32(skip) || !get32(linkType)) return false;
  linkType &= 0xFFFF;  // the upper bits carry FCS hints, not the link type
  records = 0;
  for (;;) {
    std::uint32_t seconds = 0;
    std::uint32_t micros = 0;
    std::uint32_t included = 0;
    std::uint32_t original = 0;
    if (!get32(seconds) || !get32(micros) || !get32(included) || !get32(original)) break;
    std::span<const std::uint8_t> record;
    if (!reader.take(included, record)) break;
    ++records;
    std::size_t header = 0;
    bool fcs = false;
    if (linkType == 127 && !SkipRadiotap(record, header, fcs)) continue;
    if (linkType != 127 && linkType != 105) return false;
    std::span<const std::uint8_t> frame = record.subspan(header);
    // An FCS is only at the end of a frame that was captured whole.
    if (fcs && included == original && frame.size() >= 4) frame = frame.first(frame.size() - 4);
    if (frame.size() < 36) continue;
    const int type = (frame[0] >> 2) & 3;
    const int subtype = frame[0] >> 4;
    if (type != 0 || (subtype != 8 && subtype != 5)) continue;
    CapturedBeacon beacon;
    beacon.frameNumber = records;
    beacon.subtype = subtype;
    std::copy_n(frame.begin() + 16, 6, beacon.bssid.begin());
    beacon.capability = static_cast<std::uint16_t>(frame[34] | (frame[35] << 8));
    beacon.ies.assign(frame.begin() + 36, frame.end());
    beacons.push_back(std::move(beacon));
  }
  return true;
}

// The scan entry the WLAN session would make of a captured beacon.
inline std::vector<std::uint8_t> EntryFromBeacon(const CapturedBeacon& beacon) {
  EntrySpec spec;
  spec.mac = beacon.bssid;
  spec.ssid.clear();
  if (beacon.ies.size() >= 2 && beacon.ies[0] == 0 && beacon.ies[1] <= 32 && beacon.ies.size() >= 2u + beacon.ies[1]) {
    spec.ssid.assign(beacon.ies.begin() + 2, beacon.ies.begin() + 2 + beacon.ies[1]);
  }
  spec.privacy = (beacon.capability & 0x10) != 0 ? 1 : 0;
  spec.infrastructureMode = (beacon.capability & 0x2) != 0 ? 0 : 1;
  spec.ies = beacon.ies;
  return MakeEntry(spec);
}

}  // namespace nxui::testing
