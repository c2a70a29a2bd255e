#include "wps/WpsApList.h"

#include <cstdio>

#include "adapter/ChannelFrequencyTable.h"
#include "base/ByteReader.h"
#include "scan/BssidEx.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ScanEntryRecord.h"
#include "scan/ScanList.h"

namespace nxui {

namespace {

constexpr std::size_t kDevicePasswordIdField = 1;

}  // namespace

std::string FormatMacDashes(std::span<const std::uint8_t> mac) {
  char text[18] = {};
  if (mac.size() < 6) return {};
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

void WpsApList::Clear() {
  rows_.clear();
  offsets_.clear();
  snapshot_.assign(4, 0);
}

void WpsApList::Build(std::span<const std::uint8_t> scanList) {
  Clear();
  const ScanList list(scanList);
  for (const ScanList::Slot& slot : list.slots()) {
    if (!slot.usable) continue;
    ScanEntryRecord record;
    if (!ReadScanEntry(slot.bytes, record)) continue;
    const ScanEntryDecode decode = DecodeScanEntry(record);
    if (!decode.wps.present) continue;
    // The copy never grows past the buffer it stands for.
    if (slot.bytes.size() > bssid_ex::kScanBufferSize - snapshot_.size()) break;

    WpsApRow row;
    AppendWpsField(decode.wps, kDevicePasswordIdField, row.id);
    if (row.id == "Unknown") row.id.clear();
    row.ssid = record.SsidText();
    row.bssid = FormatMacDashes(record.mac);
    std::uint32_t channel = 0;
    if (FrequencyToChannel(record.dsConfig, channel)) row.channel = std::to_string(channel);
    row.isProtected = record.privacy != 0 || decode.security.Text() != "Unknown;None";

    offsets_.push_back(snapshot_.size());
    snapshot_.insert(snapshot_.end(), slot.bytes.begin(), slot.bytes.end());
    rows_.push_back(std::move(row));
  }
  StoreLe32(snapshot_.data(), static_cast<std::uint32_t>(rows_.size()));
}

std::span<const std::uint8_t> WpsApList::Entry(std::size_t row) const {
  if (row >= offsets_.size()) return {};
  const std::size_t offset = offsets_[row];
  const std::uint32_t length = LoadLe32(snapshot_.data() + offset);
  return std::span<const std::uint8_t>(snapshot_).subspan(offset, length);
}

}  // namespace nxui
