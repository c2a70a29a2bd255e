// What the profile editor reads from the adapter and the platform when it opens and when its
// menus open.
#pragma once

#include <cstdint>
#include <span>

#include "adapter/AdapterContext.h"

namespace nxui {

class IProfileEditorEnvironment {
 public:
  virtual ~IProfileEditorEnvironment() = default;
  virtual OsGeneration Os() const = 0;
  // The adapter-ready sequence has run.
  virtual bool AdapterReady() const = 0;
  // The platform reports the pair RSNA-PSK with CCMP among the ad hoc pairs it supports.
  virtual bool AdhocSupportsRsnaPskCcmp() = 0;
  // The adapter's wireless mode, normalised to what it can use (selects the channel plan).
  virtual int WirelessMode() = 0;
  // The pages' copy of the last scan: a 32-bit count, then the entries.
  virtual std::span<const std::uint8_t> LastScan() = 0;
  // The adapter key's "CCX2Control"; false when it cannot be read.
  virtual bool ReadCcx2Control(std::uint32_t& value) = 0;
};

}  // namespace nxui
