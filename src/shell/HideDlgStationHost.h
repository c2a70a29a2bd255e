// ApplyStation's view of the hidden window: adapter-ready state, driver version, the 5 GHz answer,
// the WPS-in-force flag, timer 4 and the connection action queue.
#pragma once

#include "profiles/StationApplier.h"

namespace nxui::shell {

class CHideDlg;

class HideDlgStationHost final : public IStationHost {
 public:
  explicit HideDlgStationHost(CHideDlg& hidden) : hidden_(hidden) {}

  bool AdapterReady() const override;
  std::uint16_t DriverVersion() const override;
  bool Supports5GHz() const override;
  bool WpsInForce() const override;
  void SetWpsInForce(bool inForce) override;
  void StartWpsCredentialTimer() override;
  void QueueConnect(std::unique_ptr<ConnectionSettings> record) override;

 private:
  CHideDlg& hidden_;
};

}  // namespace nxui::shell
