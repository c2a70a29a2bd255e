#include "sim/SimOneX.h"

namespace nxui::sim {

SimOneXExchange::SimOneXExchange(ScenarioEap server, std::string method, Schedule schedule, Report report,
                                 Finish finish)
    : server_(std::move(server)),
      method_(std::move(method)),
      schedule_(std::move(schedule)),
      report_(std::move(report)),
      finish_(std::move(finish)) {}

void SimOneXExchange::Start() {
  Step("Authentication started");
  schedule_(kStepDelayMs, [this] {
    if (!ended_) Ask(kOneXAskIdentity, "Identity requested", Waiting::Identity);
  });
}

void SimOneXExchange::Step(const std::string& text) {
  WlanOneXData data;
  data.text = text;
  report_(kWlanOneXResultUpdate, data);
}

void SimOneXExchange::Ask(DWORD request, const std::string& text, Waiting waiting) {
  waiting_ = waiting;
  const std::uint64_t serial = ++askSerial_;
  WlanOneXData data;
  data.request = request;
  data.text = text;
  report_(kWlanOneXCredentialsRequest, data);
  schedule_(kAnswerTimeoutMs, [this, serial] {
    if (!ended_ && waiting_ != Waiting::Nothing && askSerial_ == serial) Fail("Authentication failed: no answer");
  });
}

DWORD SimOneXExchange::Answer(const WlanOneXCredentials& credentials) {
  if (ended_ || waiting_ == Waiting::Nothing) return kErrorInvalidState;
  const Waiting was = waiting_;
  waiting_ = Waiting::Nothing;
  if (credentials.cancelled) {
    Fail("Authentication cancelled");
    return kErrorSuccess;
  }
  if (was == Waiting::NewPassword) {
    if (credentials.password.empty()) {
      Fail("Authentication failed: no new password");
    } else {
      server_.password = credentials.password;
      Step("Password changed");
      schedule_(kStepDelayMs, [this] {
        if (!ended_) Succeed("Authentication succeeded");
      });
    }
    return kErrorSuccess;
  }
  if (was == Waiting::OneTimePassword) {
    const bool accepted = server_.oneTimePassword.empty() ? !credentials.password.empty()
                                                          : credentials.password == server_.oneTimePassword;
    if (accepted) {
      Succeed("Authentication succeeded");
    } else {
      Fail("Authentication failed: one-time password refused");
    }
    return kErrorSuccess;
  }
  given_ = credentials;
  Step("Identity sent: " + credentials.identity);
  schedule_(kStepDelayMs, [this] {
    if (ended_) return;
    Step("EAP method negotiated: " + method_);
    schedule_(kStepDelayMs, [this] {
      if (ended_) return;
      Step("Server certificate verified");
      schedule_(kStepDelayMs, [this] {
        if (!ended_) Check();
      });
    });
  });
  return kErrorSuccess;
}

void SimOneXExchange::Check() {
  const bool identityOk = server_.identity.empty() || given_.identity == server_.identity;
  const bool passwordOk = server_.password.empty() || given_.password == server_.password;
  if (!identityOk || !passwordOk) {
    if (++refused_ >= server_.attempts) {
      Fail("Authentication failed: identity or password refused");
      return;
    }
    Step("Identity or password refused");
    Ask(kOneXAskAgain, "The user name or password is not correct.", Waiting::Identity);
    return;
  }
  switch (server_.ask) {
    case EapAsk::NewPassword:
      // Once per exchange: the new password is what the retry would use.
      server_.ask = EapAsk::Nothing;
      Ask(kOneXAskNewPassword, "The server asks for a new password.", Waiting::NewPassword);
      return;
    case EapAsk::OneTimePassword:
      Ask(kOneXAskOneTimePassword, "The server asks for a one-time password.", Waiting::OneTimePassword);
      return;
    case EapAsk::Nothing:
      break;
  }
  Succeed("Authentication succeeded");
}

void SimOneXExchange::Abandon() {
  if (ended_) return;
  ended_ = true;
  waiting_ = Waiting::Nothing;
  WlanOneXData data;
  data.status = kOneXFailed;
  data.text = "Authentication abandoned";
  report_(kWlanOneXResultUpdate, data);
}

void SimOneXExchange::Succeed(const std::string& text) {
  ended_ = true;
  waiting_ = Waiting::Nothing;
  WlanOneXData data;
  data.status = kOneXSucceeded;
  data.text = text;
  report_(kWlanOneXResultUpdate, data);
  finish_(true);
}

void SimOneXExchange::Fail(const std::string& text) {
  ended_ = true;
  waiting_ = Waiting::Nothing;
  WlanOneXData data;
  data.status = kOneXFailed;
  data.text = text;
  report_(kWlanOneXResultUpdate, data);
  finish_(false);
}

}  // namespace nxui::sim
