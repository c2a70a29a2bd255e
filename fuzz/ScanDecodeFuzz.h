// One fuzz input through every reader of scan data: as a single scan entry (all decode kinds and
// the row), as a bare element list (walker and typed parsers) and as a scan buffer (walk, rows,
// the three sorts). Shared by the libFuzzer target and the corpus replay test.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "scan/BssidEx.h"
#include "scan/ElementWalker.h"
#include "scan/HtElements.h"
#include "scan/KeySuites.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ScanEntryRecord.h"
#include "scan/ScanList.h"
#include "scan/WpsFields.h"
#include "survey/ScanListSort.h"
#include "survey/SurveyCells.h"

namespace nxui::fuzz {

inline void ParseElementBodies(std::span<const std::uint8_t> elements) {
  ElementWalker walker(elements);
  InfoElement element;
  while (walker.Next(element)) {
    KeySuites suites;
    ParseRsnBody(element.body, suites);
    ParseWpaStyleBody(element.body, suites);
    WpsFields wps;
    ParseWpsBody(element.body, wps);
    HtCapabilities caps;
    ParseHtCapabilitiesBody(element.body, caps);
    HtOperation op;
    ParseHtOperationBody(element.body, op);
  }
}

// Returns a value derived from everything decoded so that nothing is optimised away.
inline std::size_t ScanDecodeOneInput(const std::uint8_t* data, std::size_t size) {
  // Exact-size copy so that the sanitizers catch any read past the input.
  const std::vector<std::uint8_t> input(data, data + size);
  const std::span<const std::uint8_t> bytes(input);
  std::size_t sink = 0;

  for (int kind = -1; kind <= 4; ++kind) sink += DecodeScanEntryIes(bytes, kind).size();
  ScanEntryRecord record;
  ReadScanEntry(bytes, record);
  sink += MakeScanEntry(record, 0).securityText.size() + FormatSupportedRates(record.supportedRates).size();

  ParseElementBodies(bytes);

  std::vector<std::uint8_t> buffer(
      input.begin(), input.begin() + static_cast<std::ptrdiff_t>(std::min(size, bssid_ex::kScanBufferSize)));
  {
    const ScanList list(buffer);
    for (const auto& slot : list.slots()) {
      if (!slot.usable) continue;
      ScanEntryRecord entry;
      ReadScanEntry(slot.bytes, entry);
      sink += MakeScanEntry(entry, slot.position).channel.size();
      for (int kind = 0; kind <= 3; ++kind) sink += DecodeScanEntryIes(entry, kind).size();
    }
  }
  std::vector<std::uint64_t> lastSeen(bssid_ex::kMaxLastSeen);
  for (SortMode mode : {SortMode::Ssid, SortMode::Channel, SortMode::Signal}) {
    SortScanList(buffer, lastSeen, mode);
    sink += ScanList(buffer).slots().size();
  }
  return sink;
}

}  // namespace nxui::fuzz
