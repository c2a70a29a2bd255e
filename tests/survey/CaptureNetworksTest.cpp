#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/ByteReader.h"
#include "common/Captures.h"
#include "common/SimTestHelpers.h"
#include "scan/ElementIds.h"
#include "sim/CaptureNetworks.h"
#include "sim/IeBuilder.h"

namespace nxui {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes Le32(std::uint32_t v) {
  return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}
Bytes Be32(std::uint32_t v) {
  return {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

struct Record {
  Bytes bytes;
  std::uint32_t original = 0;  // 0: the record's length
};

Bytes Pcap(std::uint32_t linkField, const std::vector<Record>& records, bool bigEndian = false) {
  auto u32 = [&](std::uint32_t v) { return bigEndian ? Be32(v) : Le32(v); };
  Bytes out = Concat({u32(0xa1b2c3d4u), bigEndian ? Bytes{0, 2, 0, 4} : Bytes{2, 0, 4, 0}, u32(0), u32(0), u32(65535),
                      u32(linkField)});
  for (const Record& r : records) {
    const auto size = static_cast<std::uint32_t>(r.bytes.size());
    out = Concat({out, u32(1), u32(2), u32(size), u32(r.original ? r.original : size), r.bytes});
  }
  return out;
}

Bytes Padded(Bytes bytes) {
  bytes.resize((bytes.size() + 3) / 4 * 4, 0);
  return bytes;
}

// A pcapng block: type, total length, body, total length again.
Bytes Block(std::uint32_t type, const Bytes& body) {
  const auto total = static_cast<std::uint32_t>(12 + body.size());
  return Concat({Le32(type), Le32(total), body, Le32(total)});
}

// One section, one interface of `linkType`, one enhanced packet block per record.
Bytes Pcapng(std::uint16_t linkType, const std::vector<Record>& records) {
  Bytes out = Block(0x0A0D0D0A, Concat({Le32(0x1A2B3C4D), Bytes{1, 0, 0, 0}, Bytes(8, 0xFF)}));
  out = Concat({out, Block(1, Concat({Bytes{std::uint8_t(linkType), std::uint8_t(linkType >> 8), 0, 0}, Le32(0)}))});
  for (const Record& r : records) {
    const auto size = static_cast<std::uint32_t>(r.bytes.size());
    out = Concat({out, Block(6, Concat({Le32(0), Le32(0), Le32(1), Le32(size), Le32(r.original ? r.original : size),
                                        Padded(r.bytes)}))});
  }
  return out;
}

Bytes Frame(std::uint8_t subtype, std::uint8_t last, std::uint16_t capability, const Bytes& ies) {
  Bytes frame(36, 0);
  frame[0] = static_cast<std::uint8_t>(subtype << 4);
  const Bytes bssid = {0x02, 0, 0, 0, 0, last};
  std::copy(bssid.begin(), bssid.end(), frame.begin() + 16);
  frame[32] = 100;
  frame[34] = static_cast<std::uint8_t>(capability);
  frame[35] = static_cast<std::uint8_t>(capability >> 8);
  return Concat({frame, ies});
}

Bytes Ssid(const std::string& name) { return sim::BuildSsidElement(Bytes(name.begin(), name.end())); }
const Bytes kFcs = {0xDE, 0xAD, 0xBE, 0xEF};

TEST(CaptureRead, FramesRadiotapFieldsAndTheFcs) {
  const Bytes ies = Ssid("cap");
  const Bytes beacon = Frame(8, 1, 0x0011, ies);
  // TSFT, Flags (FCS at end), Channel, antenna signal: TSFT 8-aligned at 8, Flags at 16, Channel
  // 2-aligned at 18, signal at 22.
  Bytes radiotap = Concat({Bytes{0, 0, 23, 0}, Le32(0x2B), Bytes(8, 0), Bytes{0x10, 0}, Bytes{0x85, 0x09, 0, 0},
                           Bytes{static_cast<std::uint8_t>(-42)}});
  // A second present word: the fields start after it.
  Bytes extended = Concat({Bytes{0, 0, 13, 0}, Le32(0x80000020u), Le32(0), Bytes{static_cast<std::uint8_t>(-77)}});
  struct Row {
    const char* name;
    Bytes file;
    std::size_t records;
    std::size_t beacons;
    Bytes ies;
    std::optional<std::uint32_t> mhz;
    std::optional<std::int8_t> dbm;
  };
  const Row rows[] = {
      {"802.11 frames", Pcap(105, {{beacon}}), 1, 1, ies, {}, {}},
      {"big-endian file", Pcap(105, {{beacon}}, true), 1, 1, ies, {}, {}},
      {"header announces a 4-byte FCS", Pcap(0x24000000u | 105, {{Concat({beacon, kFcs})}}), 1, 1, ies, {}, {}},
      {"FCS length without its present bit",
       Pcap(0x20000000u | 105, {{Concat({beacon, kFcs})}}),
       1,
       1,
       Concat({ies, kFcs}),
       {},
       {}},
      {"pcapng of 802.11 frames", Pcapng(105, {{beacon}}), 1, 1, ies, {}, {}},
      {"pcapng radiotap with FCS flag", Pcapng(127, {{Concat({radiotap, beacon, kFcs})}}), 1, 1, ies, 2437, -42},
      {"radiotap with FCS flag", Pcap(127, {{Concat({radiotap, beacon, kFcs})}}), 1, 1, ies, 2437, -42},
      {"radiotap FCS kept on a frame cut short", Pcap(127, {{Concat({radiotap, beacon, kFcs}), 500}}), 1, 1,
       Concat({ies, kFcs}), 2437, -42},
      {"extended present bitmap", Pcap(127, {{Concat({extended, beacon})}}), 1, 1, ies, {}, -77},
      {"radiotap longer than the record", Pcap(127, {{Bytes{0, 0, 200, 0, 0, 0, 0, 0}}}), 1, 0, {}, {}, {}},
      {"data frame and short frame skipped",
       Pcap(105, {{Bytes{0x08, 0, 1, 2}}, {Bytes(30, 0x80)}, {beacon}}),
       3,
       1,
       ies,
       {},
       {}},
      {"probe response", Pcap(105, {{Frame(5, 1, 0x0001, ies)}}), 1, 1, ies, {}, {}},
  };
  for (const Row& row : rows) {
    const sim::CaptureReadResult read = sim::ReadCapture(row.file);
    ASSERT_TRUE(read.ok) << row.name << ": " << read.error;
    EXPECT_EQ(read.records, row.records) << row.name;
    ASSERT_EQ(read.beacons.size(), row.beacons) << row.name;
    if (row.beacons == 0) continue;
    const sim::CapturedBeacon& b = read.beacons.back();
    EXPECT_EQ(b.ies, row.ies) << row.name;
    EXPECT_EQ(b.frequencyMhz, row.mhz) << row.name;
    EXPECT_EQ(b.signalDbm, row.dbm) << row.name;
    EXPECT_EQ(b.bssid[5], 1) << row.name;
    EXPECT_EQ(b.beaconInterval, 100) << row.name;
  }
}

TEST(CaptureRead, ACaptureCutAnywhereButBetweenRecordsIsRefused) {
  NXUI_SKIP_WITHOUT_CAPTURES();
  std::ifstream in(test::CaptureFile("wps_rich_7ap_radiotap.pcap"), std::ios::binary);
  const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(file.size(), 1000u);
  const auto whole = sim::ReadCapture(file);
  ASSERT_TRUE(whole.ok) << whole.error;
  ASSERT_EQ(whole.beacons.size(), 7u);
  // Where each record ends: the cuts that leave a complete (shorter) capture.
  std::vector<std::size_t> boundaries = {24};
  for (std::size_t at = 24; at + 16 <= file.size();) {
    at += 16 + (file[at + 8] | (file[at + 9] << 8) | (file[at + 10] << 16) | (std::size_t{file[at + 11]} << 24));
    boundaries.push_back(at);
  }
  ASSERT_EQ(boundaries.back(), file.size());
  std::size_t previous = 0;
  for (std::size_t cut = 0; cut <= file.size(); cut += (cut < 400 ? 1 : 61)) {
    const auto read = sim::ReadCapture(std::span<const std::uint8_t>(file).first(cut));
    const bool boundary = std::find(boundaries.begin(), boundaries.end(), cut) != boundaries.end();
    EXPECT_EQ(read.ok, boundary) << cut << ": " << read.error;
    EXPECT_EQ(read.ok, read.error.empty()) << cut;
    if (!read.ok) {
      EXPECT_TRUE(read.beacons.empty()) << cut;
      if (cut >= 24) {
        EXPECT_NE(read.error.find("truncated"), std::string::npos) << cut << ": " << read.error;
      }
      continue;
    }
    EXPECT_GE(read.beacons.size(), previous) << cut;
    previous = read.beacons.size();
  }
  for (std::size_t cut : boundaries) {
    EXPECT_TRUE(sim::ReadCapture(std::span<const std::uint8_t>(file).first(cut)).ok) << cut;
  }
}

TEST(CaptureRead, FilesWeDoNotRead) {
  const Bytes beacon = Frame(8, 1, 0x0011, Ssid("x"));
  Bytes cut = Pcap(105, {{beacon}, {beacon}});
  cut.resize(cut.size() - 10);
  Bytes cutHeader = Pcap(105, {{beacon}});
  cutHeader.resize(24 + 16 + beacon.size() + 6);
  // A record header claiming 4 GB of captured bytes.
  Bytes huge = Concat({Pcap(105, {{beacon}}), Le32(1), Le32(2), Le32(0xFFFFFFFFu), Le32(0xFFFFFFFFu), beacon});
  struct Row {
    const char* name;
    Bytes file;
    const char* reason;
  };
  const Row rows[] = {
      {"empty", {}, "empty file"},
      {"damaged pcapng section", Concat({Le32(0x0A0D0D0A), Bytes(20, 0)}), ""},
      {"ethernet", Pcap(1, {{beacon}}), "link type 1 (expected 105 or 127)"},
      {"ethernet pcapng", Pcapng(1, {{beacon}}), "link type 1 (expected 105 or 127)"},
      {"file header cut", Bytes{0xd4, 0xc3, 0xb2, 0xa1, 2, 0}, "truncated"},
      {"last record past the end", cut, "record 2: truncated"},
      {"record header cut", cutHeader, "record 2: truncated"},
      {"record claiming 4 GB", huge, "record 2: invalid packet capture length 4294967295"},
      {"text", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}, ""},
  };
  for (const Row& row : rows) {
    const sim::CaptureReadResult read = sim::ReadCapture(row.file);
    EXPECT_FALSE(read.ok) << row.name;
    EXPECT_FALSE(read.error.empty()) << row.name;
    EXPECT_NE(read.error.find(row.reason), std::string::npos) << row.name << ": " << read.error;
    EXPECT_TRUE(read.beacons.empty()) << row.name;
  }
}

KeySuites RsnPsk() {
  KeySuites suites;
  suites.group = {ie::kOuiIeee, 4};
  suites.pairwise = {{ie::kOuiIeee, 4}};
  suites.akm = {{ie::kOuiIeee, 2}};
  return suites;
}

TEST(CaptureNetworks, NetworkFromAFrame) {
  struct Row {
    const char* name;
    sim::CapturedBeacon beacon;
    std::string ssid;
    int channel;
    std::uint32_t khz;
    sim::Phy phy;
    sim::BssKind bssType;
    bool privacy;
    sim::AuthKind auth;
    sim::CipherKind cipher;
    int rssi;
  };
  auto make = [](std::uint16_t capability, Bytes ies, std::optional<std::uint32_t> mhz = {},
                 std::optional<std::int8_t> dbm = {}) {
    sim::CapturedBeacon b;
    b.bssid = {0x02, 0, 0, 0, 0, 9};
    b.capability = capability;
    b.beaconInterval = 102;
    b.ies = std::move(ies);
    b.frequencyMhz = mhz;
    b.signalDbm = dbm;
    return b;
  };
  HtOperation op;
  op.primaryChannel = 149;
  using sim::AuthKind;
  using sim::BssKind;
  using sim::CipherKind;
  using sim::Phy;
  const Row rows[] = {
      {"WPA2-PSK g on the DS channel",
       make(0x0011, Concat({Ssid("home"), Bytes{1, 4, 0x82, 0x84, 0x0C, 0x12}, sim::BuildDsParameterSet(11),
                            sim::BuildRsnElement(RsnPsk())})),
       "home", 11, 2462000, Phy::G, BssKind::Infrastructure, true, AuthKind::Wpa2Psk, CipherKind::Aes, -60},
      {"HT at 5180 MHz from radiotap",
       make(0x0001, Concat({Ssid("ht"), sim::BuildHtCapabilitiesElement({})}), 5180, -48), "ht", 36, 5180000, Phy::N,
       BssKind::Infrastructure, false, AuthKind::Open, CipherKind::None, -48},
      {"channel from HT information, 5 GHz legacy",
       make(0x0001, Concat({Ssid("a"), Bytes{1, 1, 0x8C}, sim::BuildHtOperationElement(op)})), "a", 149, 5745000,
       Phy::A, BssKind::Infrastructure, false, AuthKind::Open, CipherKind::None, -60},
      {"ad hoc WEP with b rates",
       make(0x0012, Concat({Ssid("peer"), Bytes{1, 2, 0x82, 0x84}, sim::BuildDsParameterSet(1)})), "peer", 1, 2412000,
       Phy::B, BssKind::Independent, true, AuthKind::Open, CipherKind::Wep, -60},
      {"no SSID element, no channel", make(0x0001, Bytes{}), "", 6, 0, Phy::B, BssKind::Infrastructure, false,
       AuthKind::Open, CipherKind::None, -60},
  };
  for (const Row& row : rows) {
    const sim::ScenarioNetwork n = sim::NetworkFromBeacon(row.beacon);
    EXPECT_EQ(n.bssid, test::Mac("02-00-00-00-00-09")) << row.name;
    EXPECT_EQ(n.ssid, row.ssid) << row.name;
    EXPECT_EQ(n.channel, row.channel) << row.name;
    EXPECT_EQ(n.frequencyKhz.value_or(0), row.khz) << row.name;
    EXPECT_EQ(n.bssType, row.bssType) << row.name;
    EXPECT_EQ(n.privacy, row.privacy) << row.name;
    EXPECT_EQ(n.security.auth, row.auth) << row.name;
    EXPECT_EQ(n.security.cipher, row.cipher) << row.name;
    EXPECT_EQ(n.rssi, row.rssi) << row.name;
    EXPECT_EQ(n.beaconPeriod, 102) << row.name;
    ASSERT_TRUE(n.ies.has_value()) << row.name;
    EXPECT_EQ(*n.ies, row.beacon.ies) << row.name << ": the elements travel verbatim";
    EXPECT_EQ(n.phy, row.phy) << row.name;
  }
}

TEST(CaptureNetworks, OneNetworkPerBssidAndFilesRelativeToTheScenario) {
  const Bytes file =
      Pcap(105, {{Frame(8, 1, 1, Ssid("first"))}, {Frame(5, 1, 1, Ssid("again"))}, {Frame(8, 2, 1, Ssid("b"))}});
  const auto read = sim::ReadCapture(file);
  const auto networks = sim::NetworksFromCapture(read.beacons);
  ASSERT_EQ(networks.size(), 2u);
  EXPECT_EQ(networks[0].ssid, "first");

  const auto dir = std::filesystem::temp_directory_path() / ("nxui-capture-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  {
    std::ofstream out(dir / "air.pcap", std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  }
  sim::Scenario scenario;
  scenario.sourceName = (dir / "world.json").string();
  scenario.captures = {"air.pcap"};
  std::vector<sim::ScenarioNetwork> inRange(1);
  inRange[0].bssid = test::Mac("02-00-00-00-00-02");  // already described by the scenario
  std::string error;
  ASSERT_TRUE(sim::LoadCaptureNetworks(scenario, inRange, error)) << error;
  ASSERT_EQ(inRange.size(), 2u);
  EXPECT_EQ(inRange[1].bssid, test::Mac("02-00-00-00-00-01"));

  scenario.captures = {"missing.pcap"};
  EXPECT_FALSE(sim::LoadCaptureNetworks(scenario, inRange, error));
  EXPECT_EQ(error, (dir / "missing.pcap").string() + ":0: cannot open the capture");

  std::filesystem::create_directory(dir / "folder.pcap");
  scenario.captures = {"folder.pcap"};
  EXPECT_FALSE(sim::LoadCaptureNetworks(scenario, inRange, error));
  EXPECT_EQ(error, (dir / "folder.pcap").string() + ":0: a folder, not a capture");

  Bytes truncated = file;
  truncated.resize(truncated.size() - 1);
  {
    std::ofstream out(dir / "cut.pcap", std::ios::binary);
    out.write(reinterpret_cast<const char*>(truncated.data()), static_cast<std::streamsize>(truncated.size()));
  }
  scenario.captures = {"cut.pcap"};
  EXPECT_FALSE(sim::LoadCaptureNetworks(scenario, inRange, error));
  EXPECT_EQ(error.rfind((dir / "cut.pcap").string() + ":0: record 3: truncated", 0), 0u) << error;
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace nxui
