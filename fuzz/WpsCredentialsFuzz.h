// The WPS credential table on any bytes, as the driver hands it over (OID_WLAN_WPS_CREDENTIAL) and as
// the "_wsc" store file holds it after someone edited it. Whatever came in, what the engine keeps
// is a table it can trust: at most 8 slots, lengths within their fields, empty slots zero, and one
// that survives its own encoding and a write and read of the store unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>
#include <string>

#include "FuzzSupport.h"
#include "monitor/MonitorFakes.h"
#include "profiles/ProfileStore.h"
#include "wps/WpsEngineState.h"
#include "wps/WpsRecords.h"
#include "wps/WpsStore.h"

namespace nxui::fuzz {

namespace wps_credentials_fuzz {

inline bool AllZero(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

inline bool SameTable(const WpsCredentialTable& a, const WpsCredentialTable& b) {
  return EncodeWpsCredentialTable(a) == EncodeWpsCredentialTable(b);
}

// What every reader of the table relies on.
inline void CheckTrusted(const WpsCredentialTable& table) {
  NXUI_FUZZ_REQUIRE(table.count <= kWpsMaxCredentials);
  for (std::size_t slot = 0; slot < kWpsMaxCredentials; ++slot) {
    const WpsCredential& c = table.credentials[slot];
    if (slot >= table.count) {
      NXUI_FUZZ_REQUIRE(AllZero(&c, sizeof c));
      continue;
    }
    NXUI_FUZZ_REQUIRE(c.ssidLength <= kWpsMaxSsidLength);
    NXUI_FUZZ_REQUIRE(c.keyLength <= kWpsMaxKeyLength);
    NXUI_FUZZ_REQUIRE(CredentialSsid(c).size() == c.ssidLength);
    NXUI_FUZZ_REQUIRE(CredentialKey(c).size() == c.keyLength);
    NXUI_FUZZ_REQUIRE(CredentialSsidToZero(c).size() <= c.ssidLength);
    NXUI_FUZZ_REQUIRE(CredentialKeyIndex(c) == (c.keyIndex & ~kWpsKeyIndexFlag));
    // Texts exist only for the values the table names; none may read outside it.
    volatile std::size_t sink = WpsAuthTypeText(c.authType).size() + WpsEncrTypeText(c.encrType).size();
    (void)sink;
  }
  // A trusted table is its own fixed point: encoding and decoding it changes nothing, drops
  // nothing, and normalising it again is a no-op.
  WpsCredentialTable again{};
  WpsTableReport report;
  const WpsCredentialTableBytes bytes = EncodeWpsCredentialTable(table);
  NXUI_FUZZ_REQUIRE(DecodeWpsCredentialTable(bytes, again, &report));
  NXUI_FUZZ_REQUIRE(report.dropped == 0 && !report.truncated && report.declaredCount == table.count);
  NXUI_FUZZ_REQUIRE(SameTable(again, table));
  WpsCredentialTable copy = table;
  NXUI_FUZZ_REQUIRE(NormaliseWpsCredentialTable(copy).dropped == 0);
  NXUI_FUZZ_REQUIRE(SameTable(copy, table));
}

// The record as the driver answered it, of any length.
inline void DriverRecord(std::span<const std::uint8_t> bytes) {
  WpsCredentialTable table;
  std::memset(&table, 0xA5, sizeof table);
  const WpsCredentialTable before = table;
  WpsTableReport report;
  const bool read = DecodeWpsCredentialTable(bytes, table, &report);
  if (bytes.size() < sizeof(WpsCredentialTable)) {
    // Too short: nothing was read and the caller's table is as it was.
    NXUI_FUZZ_REQUIRE(!read && report.truncated);
    NXUI_FUZZ_REQUIRE(std::memcmp(&table, &before, sizeof table) == 0);
    return;
  }
  NXUI_FUZZ_REQUIRE(read && !report.truncated);
  std::uint32_t declared = 0;
  std::memcpy(&declared, bytes.data(), sizeof declared);
  NXUI_FUZZ_REQUIRE(report.declaredCount == declared);
  const std::uint32_t clamped = declared < kWpsMaxCredentials ? declared : kWpsMaxCredentials;
  NXUI_FUZZ_REQUIRE(table.count + report.dropped == clamped);
  CheckTrusted(table);
}

// The store file with any content: the credentials read from it are trusted, and writing them back
// and reading again yields the same table (or, for a file it refuses to rewrite, leaves it intact).
inline void StoreFile(std::span<const std::uint8_t> bytes) {
  struct World {
    test::FakeWorld fake;
    ProfileStore profiles;
    WpsEngineState state;
    WpsStore store;
    World()
        : profiles(Context(fake), (ScratchFolder() / "").string(), fake.systemInfo),
          store(profiles, fake.session.Profiles(), state) {}
    static const AdapterContext& Context(test::FakeWorld& fake) {
      fake.context.instanceId = "{6B4A1C52-0F37-4E0B-9C1D-2A5E8F704D11}";
      return fake.context;
    }
  };
  static World world;
  const std::filesystem::path path = world.profiles.FilePath(StoreFileKind::Wps);
  NXUI_FUZZ_REQUIRE(!path.empty());
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  world.state = WpsEngineState{};
  world.store.LoadWpsStore();
  CheckTrusted(world.state.table);
  const WpsCredentialTable first = world.state.table;
  const StoreResult written = world.store.WriteWpsStore(0);
  if (!written.ok()) {
    // Only a file this program does not rewrite (UTF-16 text) is refused, and it stays as it was.
    NXUI_FUZZ_REQUIRE(written.status == StoreStatus::Utf16File);
    std::ifstream in(path, std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    NXUI_FUZZ_REQUIRE(kept == std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return;
  }
  world.state = WpsEngineState{};
  world.store.LoadWpsStore();
  NXUI_FUZZ_REQUIRE(SameTable(world.state.table, first));
}

}  // namespace wps_credentials_fuzz

// The first byte picks the source: even, a driver record; odd, the store file.
inline void WpsCredentialsOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace wps_credentials_fuzz;
  FuzzInput input(data, size);
  const bool fromFile = (input.Byte() & 1) != 0;
  const std::string_view rest = input.Rest();
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size());
  if (fromFile) {
    StoreFile(bytes);
  } else {
    DriverRecord(bytes);
  }
}

}  // namespace nxui::fuzz
