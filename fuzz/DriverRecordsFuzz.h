// The driver's records as the pages read them, on any bytes: a driver port answers every query from
// the input (or refuses it) while the page refreshes. The first byte picks the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "FuzzSupport.h"
#include "adapter/DriverRequestPort.h"
#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "monitor/MonitorFakes.h"
#include "monitor/StatisticsCounters.h"

namespace nxui::fuzz {

namespace driver_records_fuzz {

// Answers each query with the next bytes of the input; a first byte of 0xFF refuses it.
class InputDriverPort final : public DriverRequestPort {
 public:
  explicit InputDriverPort(FuzzInput& input) : input_(input) {}
  bool Query(Oid, std::span<std::uint8_t> record) override {
    if (input_.Byte() == 0xFF) return false;
    for (std::uint8_t& byte : record) byte = input_.Byte();
    return true;
  }
  bool Set(Oid, std::span<const std::uint8_t>) override { return input_.Byte() != 0xFF; }

 private:
  FuzzInput& input_;
};

constexpr int kMaxRefreshes = 24;

inline void CheckBars(const LinkStatusState& state) {
  for (const PercentBarState& bar : state.bars) NXUI_FUZZ_REQUIRE(bar.position >= 0 && bar.position <= 100);
}

// OID_WLAN_STATISTICS: the counters a record of any length yields, then the page on a driver that
// answers from the input.
inline void Statistics(FuzzInput& input) {
  const std::string record = input.Field();
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(record.data()), record.size());
  const StatisticsCounters counters = StatisticsCounters::FromRecord(bytes);
  const std::pair<std::size_t, std::int64_t> fields[] = {
      {8, counters.transmittedOk}, {24, counters.failedNoAck},  {32, counters.retransmittedOk},
      {48, counters.rtsCtsOk},     {56, counters.rtsCtsFailed}, {72, counters.duplicatesReceived},
      {96, counters.crcErrors},    {176, counters.receivedOk},
  };
  for (const auto& [offset, value] : fields) {
    std::int64_t expected = 0;
    if (offset + 8 <= bytes.size()) std::memcpy(&expected, bytes.data() + offset, 8);
    NXUI_FUZZ_REQUIRE(value == expected);
  }

  test::FakeWorld world;
  InputDriverPort driver(input);
  CPageStatisticsDlg page(world.loop, driver, world.session, world.strings, nullptr);
  page.OnInitDialog();
  page.OnShow();
  for (int i = 0; i < kMaxRefreshes && !input.Rest().empty(); ++i) {
    const std::uint8_t action = input.Byte();
    world.wlan.state = (action & 1) != 0 ? kWlanInterfaceConnected : kWlanInterfaceDisconnected;
    if ((action & 0x0E) == 0x0E) page.OnResetCounter();
    page.SelectSubPage(action >> 6);
    page.Refresh();
  }
  page.OnHide();
}

// OID_WLAN_LINK_STATUS and the words around it: the link status page refreshing on a driver that
// answers from the input, on a legacy or an 802.11n adapter.
inline void LinkStatus(FuzzInput& input) {
  test::FakeWorld world;
  const std::uint8_t setup = input.Byte();
  world.context.is11n = (setup & 1) != 0;
  world.host.surveyRowIs11n = (setup & 2) != 0;
  world.host.showDbm = (setup & 4) != 0;
  world.host.radioOn = (setup & 8) == 0;
  world.host.icvError = (setup & 16) != 0;
  world.wlan.channel = input.Byte();
  world.wlan.connection.ssid = Dot11Ssid::FromText(input.Field(32));
  InputDriverPort driver(input);
  CLinkStatusDlg page(world.platform, world.context, driver, world.session, world.strings, world.host);
  page.OnInitDialog();
  page.SetGraphCapacity(1 + input.Byte());
  page.OnShow();
  CheckBars(page.State());
  for (int i = 0; i < kMaxRefreshes && !input.Rest().empty(); ++i) {
    const std::uint8_t action = input.Byte();
    world.wlan.state = (action & 1) != 0 ? kWlanInterfaceConnected : kWlanInterfaceDisconnected;
    world.wlan.channelResult = (action & 2) != 0 ? kErrorSuccess : kErrorNotSupported;
    if ((action & 0x1C) == 0x1C) page.ResetByteCounters();
    page.Refresh();
    CheckBars(page.State());
  }
  page.OnHide();
}

struct RecordKind {
  const char* name;
  void (*run)(FuzzInput&);
};

// One row per driver record a page parses. The WPS credential table and the Block Ack table have
// targets of their own (wps_credentials, blockack).
inline constexpr RecordKind kRecordKinds[] = {
    {"statistics", Statistics},
    {"link-status", LinkStatus},
};

}  // namespace driver_records_fuzz

inline void DriverRecordsOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace driver_records_fuzz;
  FuzzInput input(data, size);
  const RecordKind& kind = kRecordKinds[input.Byte() % std::size(kRecordKinds)];
  kind.run(input);
}

}  // namespace nxui::fuzz
