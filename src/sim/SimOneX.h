// The 802.1X exchange the simulated WLAN service runs before a connection to an enterprise network
// with an "eap" block completes: it reports each step as a result update, asks the client for
// credentials (first the identity and password, again when they were refused, and a new or
// one-time password when the server wants one) and ends in success or failure, which decides the
// connection attempt.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/IWlanApi.h"
#include "sim/Scenario.h"

namespace nxui::sim {

class SimOneXExchange {
  enum class Waiting { Nothing, Identity, NewPassword, OneTimePassword };

 public:
  // Delays between steps, and how long an unanswered request waits before the exchange fails.
  static constexpr std::uint32_t kStepDelayMs = 300;
  static constexpr std::uint32_t kAnswerTimeoutMs = 120000;

  using Schedule = std::function<void(std::uint32_t delayMs, std::function<void()> action)>;
  // A OneX notification: kWlanOneXResultUpdate or kWlanOneXCredentialsRequest.
  using Report = std::function<void(DWORD code, const WlanOneXData& data)>;
  using Finish = std::function<void(bool succeeded)>;

  // `method` names the EAP method in the steps ("PEAP", "LEAP"). `schedule` runs an action later
  // unless the exchange was abandoned by then (the owner checks its attempt).
  SimOneXExchange(ScenarioEap server, std::string method, Schedule schedule, Report report, Finish finish);

  void Start();
  // The client's answer; kErrorInvalidState when no credentials are asked for.
  DWORD Answer(const WlanOneXCredentials& credentials);
  // A new attempt or a disconnection ends the exchange: reported as failed, the attempt left alone.
  void Abandon();
  bool Asking() const { return waiting_ != Waiting::Nothing; }
  bool Ended() const { return ended_; }

 private:
  void Step(const std::string& text);
  void Ask(DWORD request, const std::string& text, Waiting waiting);
  void Check();
  void Succeed(const std::string& text);
  void Fail(const std::string& text);

  ScenarioEap server_;
  std::string method_;
  Schedule schedule_;
  Report report_;
  Finish finish_;
  Waiting waiting_ = Waiting::Nothing;
  std::uint64_t askSerial_ = 0;  // a timeout belongs to one request
  int refused_ = 0;
  bool ended_ = false;
  WlanOneXCredentials given_;
};

}  // namespace nxui::sim
