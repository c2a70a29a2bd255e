#include "shell/HideDlgStationHost.h"

#include "shell/CHideDlg.h"

namespace nxui::shell {

bool HideDlgStationHost::AdapterReady() const { return hidden_.Context().deviceOpen; }
std::uint16_t HideDlgStationHost::DriverVersion() const { return hidden_.DriverVersion(); }
bool HideDlgStationHost::Supports5GHz() const { return hidden_.Supports5GHz() != 0; }
bool HideDlgStationHost::WpsInForce() const { return hidden_.Wps().wscConnect; }
void HideDlgStationHost::SetWpsInForce(bool inForce) { hidden_.Wps().wscConnect = inForce; }
void HideDlgStationHost::StartWpsCredentialTimer() { hidden_.StartWpsCredentialTimer(); }

void HideDlgStationHost::QueueConnect(std::unique_ptr<ConnectionSettings> record) {
  if (hidden_.Queue().QueueAction(ActionType::Connect, std::move(record))) hidden_.Queue().RunQueue();
}

}  // namespace nxui::shell
