// The simulated NDIS driver of one adapter. It answers every OID of the catalogue with its record
// layout, checks the record length (a short buffer fails), keeps what sets change, reads its
// start parameters from the adapter's class key when it starts (plug), and records every request.
// Link answers come from the adapter's SimAssociation, written by the WLAN service.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "adapter/DriverRecords.h"
#include "adapter/Oids.h"
#include "platform/WinTypes.h"
#include "sim/Scenario.h"
#include "sim/SimAssociation.h"

namespace nxui {
class IEventLoop;
}

namespace nxui::sim {

class SimRegistry;
class SimDriverEvents;
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
  SimDriver(const ScenarioAdapter& adapter, IEventLoop& loop, SimRegistry& registry, SimAssociation& association,
            SimDriverEvents& events);

  // Plug: state from the scenario and the class key. Unplug: no more answers.
  void Start();
  void Stop();
  bool running() const { return running_; }

  // One request as it arrives through the device: `wireCode` is the 4-byte input (a set carries
  // SET_INFORMATION_BIT), `record` the caller's buffer.
  bool Request(Oid wireCode, std::span<std::uint8_t> record, DWORD& bytesReturned);

  // Test API.
  const std::vector<SimDriverRequest>& requests() const { return requests_; }
  void ClearRequests() { requests_.clear(); }
  std::size_t CountRequests(Oid oid, bool isSet) const;
  void FailNext(Oid oid, int times);
  int FailuresInjected(Oid oid) const;
  void SetIcvError(bool error);
  bool icvError() const { return icvError_; }
  // Moves the running byte counters to the given values (to reach the 32-bit wrap quickly).
  void SetByteCounters(std::uint64_t txBytes, std::uint64_t rxBytes);
  // The last record a set stored for `oid` (empty when none).
  std::vector<std::uint8_t> Stored(Oid oid) const;
  std::uint32_t StoredWord(Oid oid, std::size_t wordIndex = 0) const;

  // The WPS OIDs are answered by the adapter's SimWps (the world attaches it).
  void AttachWps(SimWps* wps) { wps_ = wps; }

  // Called on OID_DOT11_DISCONNECT_REQUEST; the WLAN service takes it over. Without a handler the
  // driver drops the association itself.
  std::function<void()> onDisconnectRequest;

 private:
  bool Query(Oid oid, std::span<std::uint8_t> out, DWORD& written);
  bool Set(Oid oid, std::span<const std::uint8_t> in);
  void Account();
  std::uint64_t TxBytes();
  std::uint64_t RxBytes();
  int RssiOfChain(int chain) const;
  std::uint16_t TxRateWord() const;
  std::uint16_t RxRateWord() const;
  std::uint32_t LastEvent() const;
  StatisticsRecord Statistics();
  BaTable BuildBaTable() const;
  const ScenarioNetwork* Network() const;
  std::uint32_t ReadRegistryNumber(const char* name, std::uint32_t fallback) const;

  const ScenarioAdapter& adapter_;
  IEventLoop& loop_;
  SimRegistry& registry_;
  SimAssociation& association_;
  SimDriverEvents& events_;
  bool running_ = false;

  std::map<Oid, std::vector<std::uint8_t>> stored_;
  std::set<Oid> failing_;
  std::map<Oid, int> failNext_;
  std::map<Oid, int> failuresInjected_;
  std::vector<SimDriverRequest> requests_;

  bool icvError_ = false;
  SimWps* wps_ = nullptr;
  struct BaSession {
    std::uint8_t direction;
    std::array<std::uint8_t, 6> peer;
    std::uint8_t tid;
    std::uint8_t windowSize;
  };
  std::vector<BaSession> baSessions_;

  // Traffic: byte-milliseconds accumulated while associated, minus the reset baseline.
  std::uint64_t lastAccountMs_ = 0;
  std::uint64_t txByteMs_ = 0;
  std::uint64_t rxByteMs_ = 0;
  std::uint64_t txBaseline_ = 0;
  std::uint64_t rxBaseline_ = 0;
};

}  // namespace nxui::sim
