// The simulated NDIS driver of one adapter. It answers every OID of the catalogue with its record
// layout, checks the record length (a short buffer fails), keeps what sets change and reads its
// start parameters from the adapter's class key when it starts (plug). One table maps each OID to
// its lengths and handlers. It counts requests per OID; the full request log is kept only when a
// test asks for it, so a world left running for days does not grow. Link answers come from the
// adapter's SimAssociation, written by the WLAN service.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "adapter/DriverRecords.h"
#include "adapter/Oids.h"
#include "platform/WinTypes.h"
#include "sim/Scenario.h"
#include "sim/SimAssociation.h"
#include "sim/SimHtBlockAck.h"

namespace nxui {
class IEventLoop;
}

namespace nxui::sim {

class SimRegistry;
class SimDriverEvents;
class SimFaults;
class SimWps;

struct SimDriverRequest {
  Oid oid = 0;  // catalogue code, set bit removed
  bool isSet = false;
  std::uint32_t length = 0;         // the caller's record length
  std::vector<std::uint8_t> bytes;  // set: the record sent; query: the bytes returned
  bool succeeded = false;
};

class SimDriver {
 public:
  // `index` is the adapter's place in the scenario: its driver requests' fault points name it.
  SimDriver(const ScenarioAdapter& adapter, int index, IEventLoop& loop, SimRegistry& registry,
            SimAssociation& association, SimDriverEvents& events, SimFaults& faults);

  // Plug: state from the scenario and the class key. Unplug: no more answers.
  void Start();
  void Stop();
  bool running() const { return running_; }

  // One request as it arrives through the device: `wireCode` is the 4-byte input (a set carries
  // SET_INFORMATION_BIT), `record` the caller's buffer.
  bool Request(Oid wireCode, std::span<std::uint8_t> record, DWORD& bytesReturned);

  // Test API. The log of every request is off until a test turns it on.
  void RecordRequests(bool on) { recordRequests_ = on; }
  const std::vector<SimDriverRequest>& requests() const { return requests_; }
  void ClearRequests() { requests_.clear(); }
  // Requests of a catalogue OID so far (kept whether the log is on or not).
  std::size_t CountRequests(Oid oid, bool isSet) const;
  void SetIcvError(bool error);
  bool icvError() const { return icvError_; }
  // Moves the running byte counters to the given values (to reach the 32-bit wrap quickly).
  void SetByteCounters(std::uint64_t txBytes, std::uint64_t rxBytes);
  // The last record a set stored for `oid` (empty when none).
  std::vector<std::uint8_t> Stored(Oid oid) const;
  std::uint32_t StoredWord(Oid oid, std::size_t wordIndex = 0) const;
  // The 802.11n configuration, Block Ack sessions and peer list.
  SimHtBlockAck& htBlockAck() { return htBlockAck_; }

  // The WPS OIDs are answered by the adapter's SimWps (the world attaches it).
  void AttachWps(SimWps* wps) { wps_ = wps; }

  // Called on OID_DOT11_DISCONNECT_REQUEST; the WLAN service takes it over. Without a handler the
  // driver drops the association itself.
  std::function<void()> onDisconnectRequest;

 private:
  // A query handler fills `reply` (empty: the stored record, else zeros); false fails the request.
  // `bufferSize` is the caller's buffer, for records whose size depends on it.
  using QueryHandler = bool (SimDriver::*)(std::vector<std::uint8_t>& reply, std::size_t bufferSize);
  // A set handler checks and applies the record; true stores it for later queries.
  using SetHandler = bool (SimDriver::*)(std::span<const std::uint8_t> in, bool& store);
  struct OidHandler {
    Oid oid;
    std::uint32_t queryLength;  // 0: queries are not served
    std::uint32_t setLength;
    bool settable;  // sets are served (some carry no record)
    bool htOnly;    // only 802.11n parts answer
    QueryHandler query;
    SetHandler set;
  };
  static const OidHandler* FindHandler(Oid oid);
  static const OidHandler kHandlers[];

  bool Query(const OidHandler& handler, std::span<std::uint8_t> out, DWORD& written);
  bool Set(const OidHandler& handler, std::span<const std::uint8_t> in);

  bool QueryDriverVersion(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryNoBuffer(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryMacAddress(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryBssid(std::vector<std::uint8_t>& reply, std::size_t);
  bool QuerySsid(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryConfiguration(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryEepromVersion(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryFirmwareVersion(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryTxPower(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryLinkStatus(std::vector<std::uint8_t>& reply, std::size_t bufferSize);
  bool QueryNoise(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryStatistics(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryLastEvent(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryRxRate(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryTxHtRate(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryRssi0(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryRssi1(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryRssi2(std::vector<std::uint8_t>& reply, std::size_t);
  bool QuerySnr0(std::vector<std::uint8_t>& reply, std::size_t);
  bool QuerySnr1(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryBaTable(std::vector<std::uint8_t>& reply, std::size_t outSize);
  bool QueryHtConfig(std::vector<std::uint8_t>& reply, std::size_t outSize);
  bool SetHtConfig(std::span<const std::uint8_t> in, bool& store);
  bool HtBlockAckReply(std::vector<std::uint8_t>& reply, std::size_t outSize,
                       bool (SimHtBlockAck::*query)(std::span<std::uint8_t>, DWORD&));
  bool QueryHtPhyMode(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryPeerList(std::vector<std::uint8_t>& reply, std::size_t outSize);
  bool QueryWpsStatus(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryWpsCredential(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryWpsPbcStarted(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryApIpAddress(std::vector<std::uint8_t>& reply, std::size_t);
  bool QueryIcvState(std::vector<std::uint8_t>& reply, std::size_t);

  bool SetResetCounters(std::span<const std::uint8_t> in, bool& store);
  bool SetDisconnect(std::span<const std::uint8_t> in, bool& store);
  bool SetBaAdd(std::span<const std::uint8_t> in, bool& store);
  bool SetBaDelete(std::span<const std::uint8_t> in, bool& store);
  bool SetWpsStart(std::span<const std::uint8_t> in, bool& store);
  bool SetWpsCredentials(std::span<const std::uint8_t> in, bool& store);
  bool SetOpMode(std::span<const std::uint8_t> in, bool& store);
  bool SetSsid(std::span<const std::uint8_t> in, bool& store);
  bool SetDesiredBssidList(std::span<const std::uint8_t> in, bool& store);

  bool SnrOfChain(std::size_t chain, std::vector<std::uint8_t>& reply);
  void Account();
  std::uint64_t TxBytes();
  std::uint64_t RxBytes();
  int RssiOfChain(int chain) const;
  std::uint16_t TxRateWord() const;
  std::uint16_t RxRateWord() const;
  std::uint32_t LastEvent() const;
  StatisticsRecord Statistics();
  const ScenarioNetwork* Network() const;
  std::uint32_t ReadRegistryNumber(const char* name, std::uint32_t fallback) const;

  const ScenarioAdapter& adapter_;
  IEventLoop& loop_;
  SimRegistry& registry_;
  SimAssociation& association_;
  SimDriverEvents& events_;
  SimFaults& faults_;
  int index_;
  bool running_ = false;

  std::map<Oid, std::vector<std::uint8_t>> stored_;
  // Queries and sets per catalogue OID; other codes are not counted (the map stays bounded).
  std::map<Oid, std::array<std::size_t, 2>> requestCounts_;
  bool recordRequests_ = false;
  std::vector<SimDriverRequest> requests_;

  bool icvError_ = false;
  SimWps* wps_ = nullptr;
  SimHtBlockAck htBlockAck_{association_};

  // Traffic: byte-milliseconds accumulated while associated, minus the reset baseline.
  std::uint64_t lastAccountMs_ = 0;
  std::uint64_t txByteMs_ = 0;
  std::uint64_t rxByteMs_ = 0;
  std::uint64_t txBaseline_ = 0;
  std::uint64_t rxBaseline_ = 0;
};

}  // namespace nxui::sim
