// Armed faults of the simulated world, the one way tests (and the scenario's "failingOids") make
// the simulated machine fail: a point fails the next N times it is reached, or for good. A test
// that arms a point asserts that it fired; ArmedButNeverFired() lists those that did not.
#pragma once

#include <compare>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "adapter/Oids.h"

namespace nxui::sim {

// Where a fault strikes: a named place of the machine, or one adapter's driver requests of one
// OID (queries and sets alike).
struct FaultPoint {
  std::string_view site;
  int adapter = -1;
  Oid oid = 0;
  auto operator<=>(const FaultPoint&) const = default;
};

std::string ToString(const FaultPoint& point);
inline std::ostream& operator<<(std::ostream& out, const FaultPoint& point) { return out << ToString(point); }

namespace fault {
inline constexpr FaultPoint kDeviceOpen{"device-open"};        // SimDeviceIo::Open
inline constexpr FaultPoint kDeviceControl{"device-control"};  // SimDeviceIo::Control
inline constexpr FaultPoint kDeviceSetup{"device-setup"};      // GetPresentDevices
inline constexpr FaultPoint kRegistryWrite{"registry-write"};  // SetValue/CreateKey/Delete*
inline constexpr FaultPoint kRegistryRead{"registry-read"};    // QueryValue
inline constexpr FaultPoint kIpHelper{"ip-helper"};            // GetAdaptersInfo
inline constexpr FaultPoint kSubscribe{"subscribe"};           // driver event subscription
inline constexpr FaultPoint kNotifyIcon{"notify-icon"};        // tray icon
inline constexpr FaultPoint kTokenGroups{"token-groups"};      // GetTokenGroupSids
inline constexpr FaultPoint kScan{"scan"};                     // a WLAN scan completes with ACM 8
// Requests of `oid` (or of the OID whose set wire code it is) to adapter `adapter`'s driver.
FaultPoint DriverRequest(Oid oid, int adapter = 0);
}  // namespace fault

class SimFaults {
 public:
  static constexpr int kForGood = -1;

  // Fails the next `times` passes of `point`; kForGood (any negative count) fails it for good.
  void Arm(const FaultPoint& point, int times);
  // Fails `point` for good as part of the world itself (the scenario's failing OIDs): not
  // expected to fire.
  void ArmStanding(const FaultPoint& point);
  void Disarm(const FaultPoint& point);
  // Called at the point: true when it must fail now.
  bool Take(const FaultPoint& point);
  // How often the point failed so far.
  int Fired(const FaultPoint& point) const;
  // Points armed with Arm() that have not failed once.
  std::vector<FaultPoint> ArmedButNeverFired() const;

 private:
  struct Entry {
    int remaining = 0;
    int fired = 0;
    bool expected = false;  // armed by a test, which expects it to fire
  };
  std::map<FaultPoint, Entry> entries_;
};

}  // namespace nxui::sim
