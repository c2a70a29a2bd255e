// ApplyStation: hands the station configuration in force to the adapter. It builds a connection
// record from the adapter key's radio parameters and the station file (or, with a WPS credential in
// force, leaves the connection to the WPS code) and queues it as a connect action. The profile
// page's Apply, the hidden window's adapter-ready step and its timer 9 call it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "adapter/AdapterContext.h"
#include "adapter/ConnectionSettings.h"
#include "adapter/DriverRequestPort.h"
#include "profiles/ProfileStore.h"

namespace nxui {

class IRegistry;
class WlanSession;

// The WPS credential store as ApplyStation reads it (the "_wsc" file of the store).
class IWpsStationStore {
 public:
  struct Loaded {
    bool inForce = false;         // the station's WSC value says a WPS credential is in force
    std::size_t credentials = 0;  // credentials the store holds
  };
  virtual ~IWpsStationStore() = default;
  virtual Loaded Load() = 0;
  // Connect with the store's next credential.
  virtual void ConnectWithCredential() = 0;
};

// The WPS store before the WPS work fills it in: empty, so no WPS credential is ever in force.
class EmptyWpsStationStore final : public IWpsStationStore {
 public:
  Loaded Load() override { return {}; }
  void ConnectWithCredential() override {}
};

// What ApplyStation reads from and asks of the hidden window.
class IStationHost {
 public:
  virtual ~IStationHost() = default;
  virtual bool AdapterReady() const = 0;
  // OID_GEN_DRIVER_VERSION as kept by the adapter-ready sequence.
  virtual std::uint16_t DriverVersion() const = 0;
  virtual bool Supports5GHz() const = 0;
  // The process-wide flag: credentials from WPS are in force.
  virtual bool WpsInForce() const = 0;
  virtual void SetWpsInForce(bool inForce) = 0;
  // Timer 4 of the hidden window (try the next WPS credential every 10 s).
  virtual void StartWpsCredentialTimer() = 0;
  // Queue a connect action and work the queue off when it says so.
  virtual void QueueConnect(std::unique_ptr<ConnectionSettings> record) = 0;
};

// "AdhocOfdm" for a wireless mode: 0->1, 1->0, 2->3, 3->4, 4->2; 5, 6, 9 and others unchanged.
int AdhocOfdmMode(int wirelessMode);

class StationApplier {
 public:
  StationApplier(ProfileStore& store, IRegistry& registry, const AdapterContext& context, DriverRequestPort& driver,
                 WlanSession& session, IStationHost& host, IWpsStationStore& wps);

  // atStartup: read the adapter key's radio parameters into the record; platformFor8021X: 0 sets
  // up an 802.1X profile in the driver only; keepWirelessMode: the record must not send the mode.
  void ApplyStation(int atStartup, int platformFor8021X, int keepWirelessMode);

  // A connection from the station's profile (not from WPS) is in force.
  bool ProfileDriven() const { return profileDriven_; }
  void ClearProfileDriven() { profileDriven_ = false; }
  // Single sign-on applied a profile to the adapter key.
  void MarkProfileDriven() { profileDriven_ = true; }
  bool WpsInForce() const { return host_.WpsInForce(); }

  // The record of the last ApplyStation, as it was queued (nullptr before the first).
  const ConnectionSettings* LastRecord() const { return last_.get(); }

 private:
  void ReadRadioParameters(int atStartup, int keepWirelessMode, ConnectionSettings& record);

  ProfileStore& store_;
  IRegistry& registry_;
  const AdapterContext& context_;
  DriverRequestPort& driver_;
  WlanSession& session_;
  IStationHost& host_;
  IWpsStationStore& wps_;
  bool profileDriven_ = false;
  std::unique_ptr<ConnectionSettings> last_;
};

}  // namespace nxui
