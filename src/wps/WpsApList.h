// The WPS page's access point list: every entry of a scan list that carries a WPS element (hidden
// networks included), with the snapshot of those entries that a PIN run and "Information" read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace nxui {

struct WpsApRow {
  std::string id;  // the Device Password ID text ("0x0004"), empty when unknown
  std::string ssid;
  std::string bssid;    // "00-11-22-33-44-55"
  std::string channel;  // "%u", empty when the frequency is not in the channel table
  bool isProtected = false;

  bool operator==(const WpsApRow&) const = default;
};

class WpsApList {
 public:
  // Rebuilds from a scan list (u32 count, then entries stepped by their own length). Entries whose
  // length does not cover their elements and entries without a WPS element are left out.
  void Build(std::span<const std::uint8_t> scanList);
  void Clear();

  const std::vector<WpsApRow>& Rows() const { return rows_; }
  std::size_t Size() const { return rows_.size(); }
  // Row i's scan entry, from its length field; empty for a row that does not exist.
  std::span<const std::uint8_t> Entry(std::size_t row) const;
  // The snapshot as the page keeps it: u32 count, then the listed entries back to back.
  const std::vector<std::uint8_t>& Snapshot() const { return snapshot_; }

 private:
  std::vector<WpsApRow> rows_;
  std::vector<std::uint8_t> snapshot_ = std::vector<std::uint8_t>(4, 0);
  std::vector<std::size_t> offsets_;  // of each row's entry in snapshot_
};

// "%02X-%02X-%02X-%02X-%02X-%02X".
std::string FormatMacDashes(std::span<const std::uint8_t> mac);

}  // namespace nxui
