// The service's side of an 802.1X exchange: started when a connection attempt to a network with an
// "eap" server passed its checks, reported as OneX notifications, answered by the client through
// SetOneXCredentials, and deciding the attempt.
#include "sim/SimWlanService.h"

namespace nxui::sim {

void SimWlanService::StartOneX(Interface& itf, const ScenarioNetwork& network, const Attempt& what) {
  const Guid guid = itf.guid;
  const std::uint64_t attempt = itf.attempt;
  // The exchange's timers and reports outlive neither the attempt nor the exchange.
  auto self = std::make_shared<std::weak_ptr<SimOneXExchange>>();
  auto current = [this, guid, attempt]() -> Interface* {
    Interface* target = Find(guid);
    return target != nullptr && target->attempt == attempt ? target : nullptr;
  };
  auto schedule = [this, self, current](std::uint32_t delayMs, std::function<void()> action) {
    After(delayMs, [self, current, action = std::move(action)] {
      const std::shared_ptr<SimOneXExchange> alive = self->lock();
      if (alive && current() != nullptr) action();
    });
  };
  auto finish = [this, current, network, what](bool succeeded) {
    Interface* target = current();
    if (target == nullptr) return;
    if (succeeded) {
      CompleteAttempt(*target, network, what);
    } else {
      FailAttempt(*target, what.parameters, kWlanReasonSecurityFailure, 7);
    }
  };
  const SimWlanProfile* profile = what.profile ? &*what.profile : nullptr;
  auto exchange = std::make_shared<SimOneXExchange>(
      *network.security.eap, profile != nullptr && !profile->useOneX ? "LEAP" : "PEAP", schedule,
      [this, guid](DWORD code, const WlanOneXData& data) {
        WlanNotification notification;
        notification.oneX = data;
        Notify(kWlanNotificationSourceOneX, code, guid, notification);
      },
      finish);
  *self = exchange;
  itf.oneX = exchange;
  exchange->Start();
}

DWORD SimWlanService::SetOneXCredentials(WlanHandle handle, const Guid& interfaceGuid,
                                         const WlanOneXCredentials& credentials) {
  const std::lock_guard lock(mutex_);
  Interface* itf = nullptr;
  const DWORD result = CheckInterface(handle, interfaceGuid, itf);
  if (result != kErrorSuccess) return result;
  // Held while it answers: a failed exchange ends the attempt, which lets go of it.
  const std::shared_ptr<SimOneXExchange> exchange = itf->oneX;
  if (!exchange) return kErrorInvalidState;
  return exchange->Answer(credentials);
}

}  // namespace nxui::sim
