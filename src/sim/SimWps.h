// The simulated driver's Wi-Fi Protected Setup: a run started by OID_WLAN_WPS_START (or by the
// adapter's own button) walks the status word through the codes of an enrollee or registrar
// exchange over a few seconds of loop time, checks the PIN against the access point's, and ends on
// 15 with the credentials the access point hands out (OID_WLAN_WPS_CREDENTIAL), or on a failure
// code. A registrar run hands the utility's credential (OID_WLAN_WPS_SET_CREDENTIALS) to the
// device, which the world records. The access points' behaviour comes from their scenario "wps"
// block.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "adapter/DriverRecords.h"
#include "platform/IEventLoop.h"
#include "sim/Scenario.h"

namespace nxui::sim {

class SimWps {
 public:
  // One status code per step; the push-button walk time of the WPS protocol.
  static constexpr UINT kStepMs = 300;
  static constexpr std::uint64_t kWalkTimeMs = 120000;

  SimWps(IEventLoop& loop, const std::vector<ScenarioNetwork>& inRange);
  ~SimWps();
  SimWps(const SimWps&) = delete;
  SimWps& operator=(const SimWps&) = delete;

  // The driver (re)starts or stops: no run, status idle, nothing held.
  void Reset();

  // Handlers of the driver's WPS OIDs; a set handler's false fails the request.
  bool SetStart(std::span<const std::uint8_t> record);        // OID_WLAN_WPS_START, 56 bytes
  bool SetCredentials(std::span<const std::uint8_t> record);  // OID_WLAN_WPS_SET_CREDENTIALS, 996 bytes
  std::vector<std::uint8_t> QueryStatus() const;              // OID_WLAN_WPS_STATUS
  std::vector<std::uint8_t> QueryCredential() const;          // OID_WLAN_WPS_CREDENTIAL
  // OID_WLAN_WPS_PBC_STARTED: nonzero once after the adapter's button was pressed.
  std::vector<std::uint8_t> QueryPbcStarted();

  // The adapter's own button: the driver begins a push-button run as enrollee by itself.
  void PressButton();

  // --- test observation ------------------------------------------------------------------
  struct Handover {
    std::array<std::uint8_t, 6> device{};  // the BSSID of the device that took the credential
    WpsCredentialTable table{};
  };
  bool Running() const { return timer_ != 0; }
  const std::vector<Handover>& Handovers() const { return handovers_; }
  int RunsStarted() const { return runsStarted_; }
  // The credential query answers these bytes from now on (a driver that misbehaves).
  void SetRawCredentialBytes(std::vector<std::uint8_t> bytes) { rawCredentials_ = std::move(bytes); }

 private:
  struct Run {
    bool pin = false;
    std::array<char, 8> pinDigits{};
    std::array<std::uint8_t, 6> bssid{};
    bool registrar = false;
    std::uint64_t startMs = 0;
    std::optional<std::size_t> target;  // index in the networks in range
    std::vector<std::uint32_t> codes;   // the exchange still to walk
  };

  void Begin(const Run& run);
  void Step();
  void FindTarget();
  bool PinAccepted(const ScenarioWps& wps) const;
  void End(std::uint32_t code);
  void Show(std::uint32_t code);
  bool ButtonPressed(const ScenarioWps& wps) const;
  WpsCredentialTable CredentialsOf(const ScenarioNetwork& network) const;

  IEventLoop& loop_;
  const std::vector<ScenarioNetwork>& inRange_;
  UINT_PTR timer_ = 0;
  Run run_;
  std::uint32_t status_ = wps_status::kIdle;
  bool credentialsReady_ = false;
  WpsCredentialTable credentials_{};
  WpsCredentialTable handedIn_{};
  bool pbcStarted_ = false;
  std::vector<Handover> handovers_;
  std::optional<std::vector<std::uint8_t>> rawCredentials_;
  int runsStarted_ = 0;
};

// The WPS authentication and encryption values of the scenario's security names.
std::uint32_t WpsAuthTypeOf(AuthKind auth);
std::uint32_t WpsEncrTypeOf(CipherKind cipher);

}  // namespace nxui::sim
